#include "DoctorChecks.h"
#include "Keyboard.h"
#include "MachineExamination.h"

#include <algorithm>
#include <pwd.h>
#include <unistd.h>

namespace z9rt::cli {
namespace {

std::string ThisUser() {
    const passwd* entry = getpwuid(geteuid());
    return entry != nullptr ? entry->pw_name : std::to_string(geteuid());
}

std::vector<gid_t> ThisUsersGroups() {
    std::vector<gid_t> groups(static_cast<std::size_t>(std::max(getgroups(0, nullptr), 0)));
    const int count = getgroups(static_cast<int>(groups.size()), groups.data());
    groups.resize(static_cast<std::size_t>(std::max(count, 0)));
    groups.push_back(getegid());
    return groups;
}

}  // namespace

void ExamineMachine(std::vector<Finding>& findings, std::vector<Holder>& holders,
                    std::string& node) {
    const SystemPlaces places;
    const std::vector<UsbKeyboard> keyboards = FindUsbKeyboards(places);
    if (keyboards.empty()) {
        findings.push_back({true, "no-usb-device", "no keyboard of the family is on the USB bus",
                            "plug the keyboard in by its USB cable (lsusb lists it as 0483:502f, "
                            "512f, 522f or 532f)"});
        return;
    }
    const UsbKeyboard& keyboard = keyboards.front();
    const std::string model = ModelNameOf(keyboard.deviceType);
    if (keyboard.node.empty()) {
        findings.push_back({true, "no-hidraw",
                            "the " + model + " on USB " + keyboard.usbName +
                                " has no hidraw node for its interface 1",
                            "load the HID drivers (sudo modprobe usbhid hid-generic), then "
                            "unplug and replug the keyboard"});
        return;
    }
    node = keyboard.node;
    if (access(keyboard.node.c_str(), R_OK | W_OK) != 0) {
        const AccessFacts facts = AccessFactsOf(keyboard, places, geteuid(), ThisUsersGroups());
        findings.push_back(NoAccessFinding(keyboard, facts, ThisUser()));
    }
    holders = HoldersOf(keyboard.node, places, static_cast<int>(getpid()));
}

}  // namespace z9rt::cli
