// Linux key codes (KEY_* of the input layer) translated to the Windows virtual-key codes the
// hook's messages carry, with the extended-key flag where Windows sets it.
#pragma once

#include <cstdint>
#include <optional>

namespace z9rt {

struct VirtualKey {
    std::uint8_t vkCode = 0;
    bool extended = false;
};

// The virtual key of a Linux key code; nothing for codes without one (mouse buttons, ...).
std::optional<VirtualKey> VirtualKeyOfLinuxKey(int linuxCode);

// The other way, for a platform that reports virtual keys: the Linux key code of a virtual key
// with the given extended flag; nothing for virtual keys the table does not know.
std::optional<int> LinuxKeyOfVirtualKey(std::uint8_t vkCode, bool extended);

// Virtual-key codes the hook itself looks at.
namespace vk {
constexpr std::uint8_t kShift = 0x10;
constexpr std::uint8_t kControl = 0x11;
constexpr std::uint8_t kMenu = 0x12;  // Alt
constexpr std::uint8_t kF10 = 0x79;
constexpr std::uint8_t kLeftShift = 0xA0;
constexpr std::uint8_t kRightShift = 0xA1;
constexpr std::uint8_t kLeftControl = 0xA2;
constexpr std::uint8_t kRightControl = 0xA3;
constexpr std::uint8_t kLeftMenu = 0xA4;
constexpr std::uint8_t kRightMenu = 0xA5;
}  // namespace vk

}  // namespace z9rt
