// A keyboard of the family as a USB gadget, made through configfs: interface 0 a boot keyboard
// (a real input device on the other side), interface 1 the 64-byte vendor interface (a real
// hidraw node). Binding it to a UDC plugs it in; unbinding pulls it out. The kernel's HID
// function has four devices in all, so two such keyboards at most exist at once.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

namespace rig {

class UsbGadget {
public:
    // Makes the gadget `name` (also its serial number) with `vendorId` and `productId`, for
    // the UDC `udc` (e.g. "dummy_udc.0"), not yet bound; null, and `error` set, when configfs
    // refuses.
    static std::unique_ptr<UsbGadget> Create(const std::string& name, std::uint16_t vendorId,
                                             std::uint16_t productId, const std::string& udc,
                                             std::string& error);
    // Unbinds and removes the gadget from configfs.
    ~UsbGadget();
    UsbGadget(const UsbGadget&) = delete;
    UsbGadget& operator=(const UsbGadget&) = delete;

    // Gives the unbound gadget another vendor and product.
    bool SetIdentity(std::uint16_t vendorId, std::uint16_t productId, std::string& error);

    bool Bind(std::string& error);
    bool Unbind(std::string& error);
    bool Bound() const { return bound_; }

    // The character devices of the two interfaces; they exist while the gadget is bound.
    std::string KeyboardDevice() const;
    std::string VendorDevice() const;

private:
    UsbGadget(std::string root, std::string udc) : root_(std::move(root)), udc_(std::move(udc)) {}
    std::string DeviceOf(const std::string& function) const;
    void Remove();

    std::string root_;  // the gadget's folder in configfs
    std::string udc_;
    bool bound_ = false;
};

}  // namespace rig
