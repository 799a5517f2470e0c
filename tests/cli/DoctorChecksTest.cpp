// What doctor reads from a machine, on folders made to look like its /sys, /dev, /proc and
// udev's places: which keyboards of the family the USB bus shows and their hidraw nodes, why a
// node cannot be opened and what would change that, and who holds a node open.
#include "DoctorChecks.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace z9rt::cli {
namespace {

namespace fs = std::filesystem;

class DoctorChecksTest : public ::testing::Test {
protected:
    void SetUp() override {
        char pattern[] = "/tmp/z9rt-doctor-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        root_ = pattern;
        places_.sys = root_ + "/sys";
        places_.dev = root_ + "/dev";
        places_.proc = root_ + "/proc";
        places_.udevData = root_ + "/udev-data";
        places_.ruleFolders = {root_ + "/etc-rules", root_ + "/lib-rules"};
    }
    void TearDown() override { fs::remove_all(root_); }

    void Write(const std::string& path, const std::string& text) {
        fs::create_directories(fs::path(root_ + "/" + path).parent_path());
        std::ofstream(root_ + "/" + path) << text << "\n";
    }
    // A USB device and its interfaces (number, hidraw node or "").
    void Device(const std::string& name, const std::string& vendor, const std::string& product,
                const std::vector<std::pair<std::string, std::string>>& interfaces) {
        const std::string device = "sys/bus/usb/devices/" + name;
        Write(device + "/idVendor", vendor);
        Write(device + "/idProduct", product);
        int configuration = 0;
        for (const auto& [number, hidraw] : interfaces) {
            const std::string interface = device + ":1." + std::to_string(configuration++);
            Write(interface + "/bInterfaceNumber", number);
            if (!hidraw.empty()) {
                Write(interface + "/0003:0483:522F.0001/hidraw/" + hidraw + "/uevent", "");
                Write("sys/class/hidraw/" + hidraw + "/dev", "247:" + hidraw.substr(6));
            }
        }
    }

    std::string root_;
    SystemPlaces places_;
};

TEST_F(DoctorChecksTest, FindsTheFamilysKeyboardsAndTheNodeOfInterfaceOne) {
    Device("1-1", "0483", "522F", {{"00", "hidraw2"}, {"01", "hidraw3"}});
    Device("1-2", "0483", "5030", {{"01", "hidraw4"}});  // the vendor's, not the family's
    Device("2-1", "046d", "502f", {{"01", "hidraw5"}});  // the family's product, not vendor
    Device("1-3", "0483", "502f", {{"00", "hidraw6"}, {"01", ""}});  // no node on 1
    const std::vector<UsbKeyboard> found = FindUsbKeyboards(places_);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0].usbName, "1-1");
    EXPECT_EQ(found[0].deviceType, 3);
    EXPECT_EQ(found[0].node, places_.dev + "/hidraw3");
    EXPECT_EQ(found[0].devNumbers, "247:3");
    EXPECT_EQ(found[1].usbName, "1-3");
    EXPECT_EQ(found[1].deviceType, 1);
    EXPECT_EQ(found[1].node, "");
    fs::remove_all(places_.sys);
    EXPECT_TRUE(FindUsbKeyboards(places_).empty());
}

TEST_F(DoctorChecksTest, TellsWhatStandsBetweenTheUserAndTheNode) {
    Device("1-1", "0483", "522f", {{"01", "hidraw3"}});
    Write("dev/hidraw3", "");
    const UsbKeyboard keyboard = FindUsbKeyboards(places_).at(0);
    const gid_t group = getegid();
    const struct {
        bool rule;
        std::string udevData;  // "" for none
        unsigned mode;
        bool inGroup;
        std::string text;  // what the finding says, in part
        std::string fix;   // what the fix says, in part ("" for no fix)
    } cases[] = {
        {false, "", 0600, false, "no udev rule names the keyboard",
         "sudo install -m 644 70-z9rt-keyboard.rules /etc/udev/rules.d/"},
        {true, "", 0600, false, "is installed but has not tagged the node", "sudo udevadm trigger"},
        {true, "G:uaccess", 0600, false, "the seat's access list does not name someone",
         "log in at the machine itself"},
        {true, "G:uaccess\nQ:seat\nQ:uaccess", 0600, false, "no group may read and write it",
         "active local session"},
        // A tag the rules no longer give stays among the "G:" lines only.
        {true, "G:uaccess\nQ:seat", 0600, false, "is installed but has not tagged the node",
         "sudo udevadm trigger"},
        {true, "G:uaccess", 0660, false, "is not readable and writable by someone",
         "or join group"},
        {true, "G:uaccess", 0660, true, "mode 0660", "log in at the machine itself"},
    };
    for (const auto& c : cases) {
        fs::remove_all(root_ + "/lib-rules");
        fs::remove_all(places_.udevData);
        if (c.rule) {
            Write("lib-rules/70-z9rt-keyboard.rules",
                  R"(ATTRS{idVendor}=="0483", ATTRS{idProduct}=="522F", TAG+="uaccess")");
        }
        // Rules for other devices of the vendor, or of the family's products by another vendor,
        // are not the keyboard's.
        Write("etc-rules/10-other.rules",
              "ATTRS{idVendor}==\"0483\", ATTRS{idProduct}==\"df11\"\n"
              "ATTRS{idVendor}==\"046d\", ATTRS{idProduct}==\"502f\"");
        if (!c.udevData.empty()) {
            Write("udev-data/c247:3", c.udevData);
        }
        fs::permissions(keyboard.node, static_cast<fs::perms>(c.mode));
        const std::vector<gid_t> groups =
            c.inGroup ? std::vector<gid_t>{group} : std::vector<gid_t>{};
        const AccessFacts facts = AccessFactsOf(keyboard, places_, 4242, groups);
        EXPECT_EQ(facts.ruleFile.empty(), !c.rule) << c.text;
        EXPECT_EQ(facts.taggedUaccess,
                  c.text.find("has not tagged") == std::string::npos && !c.udevData.empty())
            << c.text;
        EXPECT_FALSE(facts.userInAccessList) << c.text;
        EXPECT_EQ(facts.inGroup, c.inGroup) << c.text;
        const Finding finding = NoAccessFinding(keyboard, facts, "someone");
        EXPECT_TRUE(finding.problem);
        EXPECT_EQ(finding.id, "no-access");
        EXPECT_NE(finding.text.find(c.text), std::string::npos) << finding.text;
        EXPECT_NE(finding.fix.find(c.fix), std::string::npos) << c.text << "\n" << finding.fix;
        // A member of the group is not told to join it.
        EXPECT_EQ(finding.fix.find("join group") != std::string::npos,
                  (c.mode & 060) == 060 && !c.inGroup)
            << finding.fix;
    }
}

TEST_F(DoctorChecksTest, NamesEveryOtherProcessThatHoldsTheNode) {
    const std::string node = "/dev/hidraw3";
    auto process = [this](int pid, const std::string& name, const std::string& target) {
        const std::string folder = "proc/" + std::to_string(pid);
        Write(folder + "/comm", name);
        fs::create_directories(root_ + "/" + folder + "/fd");
        fs::create_symlink("/dev/null", root_ + "/" + folder + "/fd/0");
        fs::create_symlink(target, root_ + "/" + folder + "/fd/7");
    };
    process(412, "sleep", node);
    process(77, "configurator", node);
    process(500, "bash", "/dev/hidraw30");  // another node whose name begins alike
    process(600, "z9rtctl", node);          // the doctor itself
    Write("proc/self/comm", "z9rtctl");
    const std::vector<Holder> holders = HoldersOf(node, places_, 600);
    ASSERT_EQ(holders.size(), 2u);
    EXPECT_EQ(holders[0].pid, 77);
    EXPECT_EQ(holders[0].name, "configurator");
    EXPECT_EQ(holders[1].pid, 412);
    EXPECT_EQ(holders[1].name, "sleep");
}

}  // namespace
}  // namespace z9rt::cli
