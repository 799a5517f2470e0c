// The main window's messages, in the language the user chose.
#pragma once

#include <QString>

#include <string>

namespace texts {

enum class Id {
    KeyboardNotConnected,  // no keyboard at start
    KeyboardOccupied,      // its version cannot be read: another program holds it
    KeyboardUnplugged,     // removed while the program runs
    TransferDone,
    TransferFailed,
    ExitUnwritten,
    ExitSaveQuestion,
    TrayShow,  // the notification area's menu: bring the window back
    TrayExit,
    ProfileSaveFailed,  // %1: the file, %2: the reason
    ProfileLoadFailed,  // %1: the file, %2: the reason
    HelpUnavailable,    // %1: the file
    ArtworkMissing,     // %1: the resource file, %2: what is missing
    // The keyboard could not be used at start: the program may go on without it.
    GoOnWithoutKeyboard,
    GoOnWithoutKeyboardButton,
    QuitButton,
    // Without the keyboard, a transfer was asked for.
    KeyboardNotUsable,
    // The keyboard went away with changes not yet written to it.
    UnpluggedSaveQuestion,
    SaveButton,
    QuitWithoutSavingButton,
    // The first write of a run in which the keyboard's keys were never read nor a profile
    // opened.
    WriteOverUnseenKeys,
    ReadKeyboardFirstButton,
    WriteAnywayButton,
    // The heat map's legend: the lowest and the highest count (%1), or no counts yet.
    HeatLowest,
    HeatHighest,
    HeatNoCounts,
    // The window title's marks: the configuration differs from its profile, the keys from the
    // keyboard.
    UnsavedMark,
    UnwrittenMark,
    // A verified write: the keys read back differ (%1: which), or could not be read back.
    VerifyFailed,
    VerifyReadFailed,
};

// The text in the language ("zh-CN" or "en-US"; any other reads as English).
QString Text(Id id, const std::string& language);

// The program's name, the caption of messages that name no model.
inline constexpr const char* kProgramName = "Z9RT(PRSM)Ble";

}  // namespace texts
