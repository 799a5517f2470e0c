// What `doctor` looks at on this machine to tell why no keyboard is usable: the keyboards of the
// family on the USB bus, the hidraw node of their interface 1, who may open it and why, and
// which processes hold it open. Every place it reads lies under a root that tests replace with
// a folder of their own.
#pragma once

#include "DoctorFinding.h"

#include <functional>
#include <string>
#include <sys/types.h>
#include <vector>

namespace z9rt::cli {

struct SystemPlaces {
    std::string sys = "/sys";
    std::string dev = "/dev";
    std::string proc = "/proc";
    std::string udevData = "/run/udev/data";
    // Where udev reads rules from, the administrator's first.
    std::vector<std::string> ruleFolders = {"/etc/udev/rules.d", "/run/udev/rules.d",
                                            "/lib/udev/rules.d", "/usr/lib/udev/rules.d"};
};

// One keyboard of the family that the USB bus shows.
struct UsbKeyboard {
    std::string usbName;     // the USB device's name in sysfs, "1-1"
    int deviceType = 0;      // 1..4
    std::string node;        // the hidraw node of its interface 1, "" when it has none
    std::string devNumbers;  // the node's "major:minor"
};

// Every keyboard of the family on the USB bus, in the order of their names.
std::vector<UsbKeyboard> FindUsbKeyboards(const SystemPlaces& places);

// Why a node cannot be opened for reading and writing, and what would change that.
struct AccessFacts {
    std::string ruleFile;           // a udev rule file naming the family's vendor, "" when none
    bool taggedUaccess = false;     // udev tagged the node for the seat's access list
    bool userInAccessList = false;  // the node's access list names this user
    std::string owner;              // "root"
    std::string group;              // "plugdev"
    unsigned mode = 0;              // permission bits
    bool inGroup = false;           // this user is a member of the node's group
};
AccessFacts AccessFactsOf(const UsbKeyboard& keyboard, const SystemPlaces& places, uid_t user,
                          const std::vector<gid_t>& groups);

// Every process but this one with `node` open (only those this user may look into).
std::vector<Holder> HoldersOf(const std::string& node, const SystemPlaces& places, int self);

// The findings on the node of a keyboard that the user cannot open.
Finding NoAccessFinding(const UsbKeyboard& keyboard, const AccessFacts& facts,
                        const std::string& userName);

}  // namespace z9rt::cli
