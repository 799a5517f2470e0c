#include "UsbGadget.h"

#include "HidDescriptors.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sys/stat.h>
#include <unistd.h>

namespace rig {
namespace {

constexpr const char* kGadgetFolder = "/sys/kernel/config/usb_gadget/";
constexpr const char* kKeyboardFunction = "functions/hid.keyboard";
constexpr const char* kVendorFunction = "functions/hid.vendor";
constexpr const char* kConfiguration = "configs/c.1";
constexpr const char* kEnglish = "strings/0x409";

// "functions/hid.vendor" is linked into the configuration as "hid.vendor".
std::string LinkName(const char* function) {
    return std::strrchr(function, '/') + 1;
}

std::string Hex(unsigned value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%04x", value);
    return text;
}

bool Write(const std::string& path, const std::string& content, std::string& error) {
    std::ofstream file(path, std::ios::binary);
    file << content;
    file.flush();
    if (!file) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

bool MakeFolder(const std::string& path, std::string& error) {
    if (mkdir(path.c_str(), 0755) != 0 && errno != EEXIST) {
        error = path + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

// One HID function: protocol and subclass 1 for the boot keyboard, 0 for the vendor
// interface; the report length and descriptor.
bool MakeHidFunction(const std::string& folder, int bootProtocol, int reportLength,
                     const std::string& descriptor, std::string& error) {
    return MakeFolder(folder, error) &&
           Write(folder + "/protocol", std::to_string(bootProtocol), error) &&
           Write(folder + "/subclass", std::to_string(bootProtocol), error) &&
           Write(folder + "/report_length", std::to_string(reportLength), error) &&
           Write(folder + "/report_desc", descriptor, error);
}

}  // namespace

std::unique_ptr<UsbGadget> UsbGadget::Create(const std::string& name, std::uint16_t vendorId,
                                             std::uint16_t productId, const std::string& udc,
                                             std::string& error) {
    std::unique_ptr<UsbGadget> gadget(new UsbGadget(kGadgetFolder + name, udc));
    const std::string& root = gadget->root_;
    const bool made = MakeFolder(root, error) && Write(root + "/idVendor", Hex(vendorId), error) &&
                      Write(root + "/idProduct", Hex(productId), error) &&
                      Write(root + "/bcdDevice", Hex(0x0100), error) &&
                      Write(root + "/bcdUSB", Hex(0x0200), error) &&
                      MakeFolder(root + "/" + kEnglish, error) &&
                      Write(root + "/" + kEnglish + "/manufacturer", "rig", error) &&
                      Write(root + "/" + kEnglish + "/product", "gadget keyboard " + name, error) &&
                      Write(root + "/" + kEnglish + "/serialnumber", name, error) &&
                      // Created first, so that it is interface 0.
                      MakeHidFunction(root + "/" + kKeyboardFunction, 1, kBootKeyboardReportSize,
                                      BootKeyboardDescriptor(), error) &&
                      MakeHidFunction(root + "/" + kVendorFunction, 0, kVendorReportSize,
                                      VendorDescriptor(), error) &&
                      MakeFolder(root + "/" + kConfiguration, error) &&
                      Write(root + "/" + kConfiguration + "/MaxPower", "100", error);
    if (!made) {
        return nullptr;
    }
    // Interfaces are numbered in the order the functions join the configuration.
    for (const char* function : {kKeyboardFunction, kVendorFunction}) {
        const std::string target = root + "/" + function;
        const std::string link = root + "/" + kConfiguration + "/" + LinkName(function);
        if (symlink(target.c_str(), link.c_str()) != 0) {
            error = link + ": " + std::strerror(errno);
            return nullptr;
        }
    }
    return gadget;
}

UsbGadget::~UsbGadget() {
    std::string ignored;
    (void)Unbind(ignored);  // a gadget that cannot be unbound cannot be removed either
    Remove();
}

void UsbGadget::Remove() {
    // configfs takes a tree apart only leaf by leaf; a part already gone is no error here.
    for (const char* function : {kKeyboardFunction, kVendorFunction}) {
        (void)unlink((root_ + "/" + kConfiguration + "/" + LinkName(function)).c_str());
    }
    for (const std::string& folder :
         {root_ + "/" + kConfiguration, root_ + "/" + kKeyboardFunction,
          root_ + "/" + kVendorFunction, root_ + "/" + kEnglish, root_}) {
        (void)rmdir(folder.c_str());
    }
}

bool UsbGadget::SetIdentity(std::uint16_t vendorId, std::uint16_t productId, std::string& error) {
    return Write(root_ + "/idVendor", Hex(vendorId), error) &&
           Write(root_ + "/idProduct", Hex(productId), error);
}

bool UsbGadget::Bind(std::string& error) {
    if (bound_) {
        return true;
    }
    bound_ = Write(root_ + "/UDC", udc_, error);
    return bound_;
}

bool UsbGadget::Unbind(std::string& error) {
    if (!bound_) {
        return true;
    }
    // An empty line: the UDC file refuses an empty write.
    if (!Write(root_ + "/UDC", "\n", error)) {
        return false;
    }
    bound_ = false;
    return true;
}

std::string UsbGadget::DeviceOf(const std::string& function) const {
    // "major:minor"; the function's device is /dev/hidg<minor>.
    std::ifstream file(root_ + "/" + function + "/dev");
    std::string numbers;
    std::getline(file, numbers);
    const std::size_t colon = numbers.find(':');
    return colon == std::string::npos ? std::string() : "/dev/hidg" + numbers.substr(colon + 1);
}

std::string UsbGadget::KeyboardDevice() const {
    return DeviceOf(kKeyboardFunction);
}

std::string UsbGadget::VendorDevice() const {
    return DeviceOf(kVendorFunction);
}

}  // namespace rig
