// The element and attribute names of the profile format, for its writer and its reader.
#pragma once

#include <string_view>

namespace profile::names {

// Sections below the root element (named after the model), in the order they are written.
inline constexpr std::string_view kComboLibrary = "PredefinedCombo";
inline constexpr std::string_view kMacroLibrary = "PredefinedMacro";
inline constexpr std::string_view kEmulationLibrary = "PredefinedEmu";
inline constexpr std::string_view kColours = "BackgroundLightSettings";
inline constexpr std::string_view kAssignments = "CurrentSettings";

// A key's colour: ID, Red, Green, Blue.
inline constexpr std::string_view kColour = "AREA";
// A key's assignment on one layer: ID, Level, Mode, HWCode; its list inside a ComboKey.
inline constexpr std::string_view kAssignment = "KEY";
inline constexpr std::string_view kContent = "ComboKey";
inline constexpr std::string_view kId = "ID";
inline constexpr std::string_view kRed = "Red";
inline constexpr std::string_view kGreen = "Green";
inline constexpr std::string_view kBlue = "Blue";
inline constexpr std::string_view kLevel = "Level";
inline constexpr std::string_view kMode = "Mode";
inline constexpr std::string_view kHWCode = "HWCode";

// A CItemList: a List with its seven attributes in this order, an x per item (ID, t1), each
// holding the item's sub-list.
inline constexpr std::string_view kList = "List";
inline constexpr std::string_view kSizeOfView = "SizeOfView";
inline constexpr std::string_view kViewStartAt = "ViewStartAt";
inline constexpr std::string_view kCursorPos = "CursorPos";
inline constexpr std::string_view kCycles = "Cycles";
inline constexpr std::string_view kIsAutoInterval = "IsAutoInterval";
inline constexpr std::string_view kDelay = "Delay";
inline constexpr std::string_view kPlayMode = "PlayMode";
inline constexpr std::string_view kItem = "x";
inline constexpr std::string_view kItemText = "t1";

}  // namespace profile::names
