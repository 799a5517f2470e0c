#include "HidDescriptors.h"

namespace rig {
namespace {

std::string Bytes(std::initializer_list<unsigned char> bytes) {
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

std::string BootKeyboardDescriptor() {
    return Bytes({
        0x05, 0x01,                                      // usage page: generic desktop
        0x09, 0x06,                                      // usage: keyboard
        0xA1, 0x01,                                      // collection: application
        0x05, 0x07,                                      //   usage page: keys
        0x19, 0xE0,                                      //   usages left control ..
        0x29, 0xE7,                                      //   .. right GUI: the modifier byte
        0x15, 0x00, 0x25, 0x01, 0x75, 0x01, 0x95, 0x08,  // 8 bits of 0..1
        0x81, 0x02,                                      //   input: data, variable
        0x95, 0x01, 0x75, 0x08,                          // one reserved byte
        0x81, 0x03,                                      //   input: constant
        0x95, 0x05, 0x75, 0x01,                          // five LEDs
        0x05, 0x08,                                      //   usage page: LEDs
        0x19, 0x01, 0x29, 0x05, 0x91, 0x02,              //   output: data, variable
        0x95, 0x01, 0x75, 0x03,                          // padding to the byte
        0x91, 0x03,                                      //   output: constant
        0x95, 0x06, 0x75, 0x08,                          // six key usages
        0x15, 0x00, 0x25, 0x65, 0x05, 0x07,              //   usage page: keys
        0x19, 0x00, 0x29, 0x65, 0x81, 0x00,              //   input: data, array
        0xC0,                                            // end collection
    });
}

std::string VendorDescriptor() {
    return Bytes({
        0x06, 0x00, 0xFF,                                      // usage page: vendor 0xFF00
        0x09, 0x01,                                            // usage 1
        0xA1, 0x01,                                            // collection: application
        0x09, 0x02,                                            //   usage 2
        0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x40,  // 64 bytes of 0..255
        0x81, 0x02,                                            //   input: data, variable
        0x09, 0x03,                                            //   usage 3
        0x15, 0x00, 0x26, 0xFF, 0x00, 0x75, 0x08, 0x95, 0x40,
        0x91, 0x02,  //   output: data, variable
        0xC0,        // end collection
    });
}

}  // namespace rig
