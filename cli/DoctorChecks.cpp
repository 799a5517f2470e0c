#include "DoctorChecks.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <system_error>

namespace z9rt::cli {
namespace {

namespace fs = std::filesystem;

// The family's vendor and its products, by device type 1..4.
constexpr const char* kVendorId = "0483";
constexpr std::array<const char*, 4> kProductIds = {"502f", "512f", "522f", "532f"};
constexpr const char* kVendorInterface = "01";

std::string FirstLine(const fs::path& file) {
    std::ifstream stream(file);
    std::string line;
    std::getline(stream, line);
    return line;
}

std::string Lowered(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

int DeviceTypeOfProduct(const std::string& product) {
    for (std::size_t index = 0; index < kProductIds.size(); ++index) {
        if (product == kProductIds[index]) {
            return static_cast<int>(index) + 1;
        }
    }
    return 0;
}

// The hidraw node under a USB interface's folder ("hidraw3"), "" when there is none.
std::string HidrawUnder(const fs::path& interfaceFolder) {
    std::error_code error;
    for (const fs::directory_entry& hid : fs::directory_iterator(interfaceFolder, error)) {
        std::error_code inner;
        for (const fs::directory_entry& node :
             fs::directory_iterator(hid.path() / "hidraw", inner)) {
            return node.path().filename().string();
        }
    }
    return "";
}

bool FileMentions(const fs::path& file, const std::string& word) {
    std::ifstream stream(file);
    for (std::string line; std::getline(stream, line);) {
        if (line.find(word) != std::string::npos) {
            return true;
        }
    }
    return false;
}

// Whether a rule file names a keyboard of the family: the vendor and one of its products on
// one line (the vendor alone is shared by many other devices).
bool NamesTheFamily(const fs::path& file) {
    std::ifstream stream(file);
    for (std::string line; std::getline(stream, line);) {
        line = Lowered(line);
        if (line.find(kVendorId) == std::string::npos) {
            continue;
        }
        for (const char* product : kProductIds) {
            if (line.find(product) != std::string::npos) {
                return true;
            }
        }
    }
    return false;
}

// The POSIX access list of a file as the kernel keeps it in an extended attribute: a version,
// then entries of tag (16 bits), permissions (16 bits) and id (32 bits).
constexpr std::uint32_t kAclVersion = 2;
constexpr std::uint16_t kAclUserTag = 0x02;
constexpr std::uint16_t kAclMaskTag = 0x10;
constexpr std::uint16_t kAclReadWrite = 0x06;
struct AclEntry {
    std::uint16_t tag;
    std::uint16_t permissions;
    std::uint32_t id;
};
static_assert(sizeof(AclEntry) == 8, "an access list entry is 8 bytes");

bool AccessListGrants(const std::string& node, uid_t user) {
    std::array<char, 1024> buffer{};
    const ssize_t size =
        getxattr(node.c_str(), "system.posix_acl_access", buffer.data(), buffer.size());
    std::uint32_t version = 0;
    if (size < static_cast<ssize_t>(sizeof version)) {
        return false;
    }
    std::memcpy(&version, buffer.data(), sizeof version);
    if (version != kAclVersion) {
        return false;
    }
    bool userEntry = false;
    std::uint16_t mask = kAclReadWrite;
    for (std::size_t at = sizeof version; at + sizeof(AclEntry) <= static_cast<std::size_t>(size);
         at += sizeof(AclEntry)) {
        AclEntry entry{};
        std::memcpy(&entry, buffer.data() + at, sizeof entry);
        if (entry.tag == kAclUserTag && entry.id == user &&
            (entry.permissions & kAclReadWrite) == kAclReadWrite) {
            userEntry = true;
        } else if (entry.tag == kAclMaskTag) {
            mask = entry.permissions;
        }
    }
    return userEntry && (mask & kAclReadWrite) == kAclReadWrite;
}

std::string UserName(uid_t user) {
    const passwd* entry = getpwuid(user);
    return entry != nullptr ? entry->pw_name : std::to_string(user);
}

std::string GroupName(gid_t group) {
    const struct group* entry = getgrgid(group);
    return entry != nullptr ? entry->gr_name : std::to_string(group);
}

}  // namespace

std::vector<UsbKeyboard> FindUsbKeyboards(const SystemPlaces& places) {
    std::vector<UsbKeyboard> keyboards;
    const fs::path devices = fs::path(places.sys) / "bus/usb/devices";
    std::error_code error;
    for (const fs::directory_entry& device : fs::directory_iterator(devices, error)) {
        if (Lowered(FirstLine(device.path() / "idVendor")) != kVendorId) {
            continue;
        }
        const int deviceType = DeviceTypeOfProduct(Lowered(FirstLine(device.path() / "idProduct")));
        if (deviceType == 0) {
            continue;
        }
        UsbKeyboard keyboard;
        keyboard.usbName = device.path().filename().string();
        keyboard.deviceType = deviceType;
        // Its interfaces are "NAME:CONFIGURATION.INTERFACE" beside it.
        std::error_code inner;
        for (const fs::directory_entry& entry : fs::directory_iterator(devices, inner)) {
            const std::string name = entry.path().filename().string();
            if (name.rfind(keyboard.usbName + ":", 0) != 0 ||
                FirstLine(entry.path() / "bInterfaceNumber") != kVendorInterface) {
                continue;
            }
            const std::string hidraw = HidrawUnder(entry.path());
            if (!hidraw.empty()) {
                keyboard.node = (fs::path(places.dev) / hidraw).string();
                keyboard.devNumbers =
                    FirstLine(fs::path(places.sys) / "class/hidraw" / hidraw / "dev");
            }
        }
        keyboards.push_back(keyboard);
    }
    std::sort(keyboards.begin(), keyboards.end(),
              [](const UsbKeyboard& a, const UsbKeyboard& b) { return a.usbName < b.usbName; });
    return keyboards;
}

AccessFacts AccessFactsOf(const UsbKeyboard& keyboard, const SystemPlaces& places, uid_t user,
                          const std::vector<gid_t>& groups) {
    AccessFacts facts;
    for (const std::string& folder : places.ruleFolders) {
        std::error_code error;
        for (const fs::directory_entry& file : fs::directory_iterator(folder, error)) {
            if (facts.ruleFile.empty() && file.path().extension() == ".rules" &&
                NamesTheFamily(file.path())) {
                facts.ruleFile = file.path().string();
            }
        }
    }
    const fs::path data = fs::path(places.udevData) / ("c" + keyboard.devNumbers);
    // "Q:" lines hold the tags the rules give now; "G:" ones every tag ever given, and are all
    // an older udev writes.
    const bool currentTags = FileMentions(data, "Q:");
    facts.taggedUaccess =
        !keyboard.devNumbers.empty() && FileMentions(data, currentTags ? "Q:uaccess" : "G:uaccess");
    facts.userInAccessList = AccessListGrants(keyboard.node, user);
    struct stat status {};
    if (stat(keyboard.node.c_str(), &status) == 0) {
        facts.owner = UserName(status.st_uid);
        facts.group = GroupName(status.st_gid);
        facts.mode = status.st_mode & 07777U;
        facts.inGroup = std::find(groups.begin(), groups.end(), status.st_gid) != groups.end();
    }
    return facts;
}

std::vector<Holder> HoldersOf(const std::string& node, const SystemPlaces& places, int self) {
    std::vector<Holder> holders;
    std::error_code error;
    for (const fs::directory_entry& process : fs::directory_iterator(places.proc, error)) {
        const std::string name = process.path().filename().string();
        if (name.empty() || name.find_first_not_of("0123456789") != std::string::npos ||
            std::stoi(name) == self) {
            continue;
        }
        std::error_code inner;
        for (const fs::directory_entry& descriptor :
             fs::directory_iterator(process.path() / "fd", inner)) {
            std::error_code unreadable;
            if (fs::read_symlink(descriptor.path(), unreadable).string() == node) {
                holders.push_back({std::stoi(name), FirstLine(process.path() / "comm")});
                break;
            }
        }
    }
    std::sort(holders.begin(), holders.end(),
              [](const Holder& a, const Holder& b) { return a.pid < b.pid; });
    return holders;
}

Finding NoAccessFinding(const UsbKeyboard& keyboard, const AccessFacts& facts,
                        const std::string& userName) {
    char mode[8];
    std::snprintf(mode, sizeof mode, "%04o", facts.mode);
    Finding finding{true, "no-access",
                    keyboard.node + " is not readable and writable by " + userName + " (" +
                        facts.owner + ":" + facts.group + ", mode " + mode + ")",
                    ""};
    std::vector<std::string> fixes;
    if (facts.ruleFile.empty()) {
        finding.text += "; no udev rule names the keyboard";
        fixes.emplace_back(
            "install the udev rule: sudo install -m 644 70-z9rt-keyboard.rules "
            "/etc/udev/rules.d/ && sudo udevadm control --reload && sudo udevadm trigger");
    } else if (!facts.taggedUaccess) {
        finding.text +=
            "; the rule " + facts.ruleFile + " is installed but has not tagged the node";
        fixes.emplace_back("apply it: sudo udevadm trigger (or unplug and replug the keyboard)");
    } else if (!facts.userInAccessList) {
        finding.text +=
            "; it is tagged uaccess, but the seat's access list does not name " + userName;
        fixes.emplace_back(
            "the seat gives access to the user of its active local session only: log in at "
            "the machine itself (not over ssh) and make that session the active one");
    }
    const bool groupMayUse = (facts.mode & 060U) == 060U;
    if (groupMayUse && !facts.inGroup) {
        fixes.push_back("or join group " + facts.group + ", which may read and write it: sudo " +
                        "usermod -aG " + facts.group + " " + userName + ", then log in again");
    } else if (!groupMayUse) {
        finding.text += "; no group may read and write it";
    }
    for (const std::string& fix : fixes) {
        finding.fix += (finding.fix.empty() ? "" : "; ") + fix;
    }
    return finding;
}

}  // namespace z9rt::cli
