// The keyboard hook: the messages KeyBoardProc builds, the key translation, and installing
// without event devices. Nothing here opens /dev/input: ctest runs with Z9RT_HOOK_INPUT=none.
#include "OrvoHWI.h"
#include "ProcessEnvironment.h"
#include "TestSupport.h"
#include "hook/KeyEventTranslator.h"
#include "hook/KeyboardHook.h"
#include "hook/VirtualKeyTable.h"

#include <gtest/gtest.h>
#include <linux/input-event-codes.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>

namespace {

using testsupport::Post;
using testsupport::PostRecorder;
using z9rt::KeyAction;

constexpr std::uintptr_t kF4 = 0x73;
constexpr std::uintptr_t kLeftAlt = 0xA4;
constexpr std::uintptr_t kRightControl = 0xA3;
constexpr std::uintptr_t kLeftControl = 0xA2;

class Hook : public ::testing::Test {
protected:
    void SetUp() override { InstallHook(testsupport::TestWindow()); }
    void TearDown() override { UninstallHook(); }

    // Feeds Linux key events through the translator into KeyBoardProc, as the key source does.
    void Feed(int linuxCode, KeyAction action) {
        const auto keystroke = translator.Translate(linuxCode, action, 0);
        ASSERT_TRUE(keystroke);
        EXPECT_EQ(KeyBoardProc(0, keystroke->message, &keystroke->record), 1);
    }

    std::vector<std::pair<std::uintptr_t, std::intptr_t>> Messages() const {
        std::vector<std::pair<std::uintptr_t, std::intptr_t>> messages;
        for (const Post& post : posts.Posts()) {
            EXPECT_EQ(post.message, WM_HOOK_KEY);
            EXPECT_EQ(post.window, testsupport::TestWindow());
            messages.emplace_back(post.wParam, post.lParam);
        }
        return messages;
    }

    PostRecorder posts;
    z9rt::KeyEventTranslator translator;
};

TEST_F(Hook, KeyBoardProcBuildsTheMessageFromTheRecord) {
    KeyHookRecord record;
    record.vkCode = 'A';
    EXPECT_EQ(KeyBoardProc(0, WM_KEYDOWN, &record), 1);
    EXPECT_EQ(KeyBoardProc(-1, WM_KEYUP, &record), 1);  // whatever the hook code
    EXPECT_EQ(KeyBoardProc(0, WM_SYSKEYDOWN, &record), 1);
    EXPECT_EQ(KeyBoardProc(0, WM_SYSKEYUP, &record), 1);
    EXPECT_EQ(KeyBoardProc(0, 0x0200, &record), 1);  // any other message adds nothing
    record.flags = kHookFlagExtended;
    EXPECT_EQ(KeyBoardProc(0, WM_KEYDOWN, &record), 1);
    const std::vector<std::pair<std::uintptr_t, std::intptr_t>> expected = {
        {0x41, 0},       {0x80000041, 0}, {0x40000041, 0},
        {0xC0000041, 0}, {0x41, 0},       {0x41, 0x01000000}};
    EXPECT_EQ(Messages(), expected);
    EXPECT_EQ(KeyBoardProc(0, WM_KEYDOWN, nullptr), 1);
}

TEST_F(Hook, PressAndReleaseOfALetter) {
    Feed(KEY_A, KeyAction::Press);
    EXPECT_TRUE(IsHookKeyDown('A'));
    Feed(KEY_A, KeyAction::Release);
    EXPECT_FALSE(IsHookKeyDown('A'));
    const std::vector<std::pair<std::uintptr_t, std::intptr_t>> expected = {{0x41, 0},
                                                                            {0x80000041, 0}};
    EXPECT_EQ(Messages(), expected);
}

TEST_F(Hook, AltF4ArrivesAsSystemKeys) {
    Feed(KEY_LEFTALT, KeyAction::Press);
    Feed(KEY_F4, KeyAction::Press);
    Feed(KEY_F4, KeyAction::Release);
    Feed(KEY_LEFTALT, KeyAction::Release);
    const std::vector<std::pair<std::uintptr_t, std::intptr_t>> expected = {
        {0x40000000 | kLeftAlt, 0},
        {0x40000000 | kF4, 0},
        {0xC0000000 | kF4, 0},
        {0x80000000 | kLeftAlt, 0},  // Alt used in a chord comes up as a plain key
    };
    EXPECT_EQ(Messages(), expected);
}

TEST_F(Hook, AltAloneComesUpAsASystemKey) {
    Feed(KEY_LEFTALT, KeyAction::Press);
    Feed(KEY_LEFTALT, KeyAction::Release);
    const std::vector<std::pair<std::uintptr_t, std::intptr_t>> expected = {
        {0x40000000 | kLeftAlt, 0}, {0xC0000000 | kLeftAlt, 0}};
    EXPECT_EQ(Messages(), expected);
}

TEST_F(Hook, RightCtrlIsExtendedAndLeftCtrlIsNot) {
    Feed(KEY_RIGHTCTRL, KeyAction::Press);
    Feed(KEY_RIGHTCTRL, KeyAction::Release);
    Feed(KEY_LEFTCTRL, KeyAction::Press);
    EXPECT_TRUE(IsHookKeyDown(0x11));  // either Ctrl answers for the generic one
    const std::vector<std::pair<std::uintptr_t, std::intptr_t>> expected = {
        {kRightControl, 0x01000000}, {0x80000000 | kRightControl, 0x01000000}, {kLeftControl, 0}};
    EXPECT_EQ(Messages(), expected);
}

TEST_F(Hook, CtrlAltIsNoSystemChord) {
    Feed(KEY_LEFTCTRL, KeyAction::Press);
    Feed(KEY_LEFTALT, KeyAction::Press);
    Feed(KEY_DELETE, KeyAction::Press);
    EXPECT_EQ(Messages().back(), (std::pair<std::uintptr_t, std::intptr_t>(0x2E, 0x01000000)));
}

TEST_F(Hook, AutoRepeatIsAnotherPress) {
    Feed(KEY_B, KeyAction::Press);
    Feed(KEY_B, KeyAction::Repeat);
    EXPECT_EQ(Messages().back(), (std::pair<std::uintptr_t, std::intptr_t>(0x42, 0)));
}

TEST(VirtualKeyTable, TranslatesWithTheExtendedFlagWhereWindowsSetsIt) {
    const auto check = [](int linuxCode, int vkCode, bool extended) {
        const auto key = z9rt::VirtualKeyOfLinuxKey(linuxCode);
        ASSERT_TRUE(key) << linuxCode;
        EXPECT_EQ(key->vkCode, vkCode) << linuxCode;
        EXPECT_EQ(key->extended, extended) << linuxCode;
    };
    check(KEY_A, 'A', false);
    check(KEY_1, '1', false);
    check(KEY_ESC, 0x1B, false);
    check(KEY_ENTER, 0x0D, false);
    check(KEY_KPENTER, 0x0D, true);
    check(KEY_LEFTSHIFT, 0xA0, false);
    check(KEY_RIGHTSHIFT, 0xA1, false);
    check(KEY_LEFTCTRL, 0xA2, false);
    check(KEY_RIGHTCTRL, 0xA3, true);
    check(KEY_LEFTALT, 0xA4, false);
    check(KEY_RIGHTALT, 0xA5, true);
    check(KEY_LEFTMETA, 0x5B, true);
    check(KEY_INSERT, 0x2D, true);
    check(KEY_DELETE, 0x2E, true);
    check(KEY_HOME, 0x24, true);
    check(KEY_END, 0x23, true);
    check(KEY_PAGEUP, 0x21, true);
    check(KEY_PAGEDOWN, 0x22, true);
    check(KEY_UP, 0x26, true);
    check(KEY_DOWN, 0x28, true);
    check(KEY_LEFT, 0x25, true);
    check(KEY_RIGHT, 0x27, true);
    check(KEY_KPSLASH, 0x6F, true);
    check(KEY_KP7, 0x67, false);
    check(KEY_NUMLOCK, 0x90, true);
    check(KEY_SYSRQ, 0x2C, true);
    check(KEY_GRAVE, 0xC0, false);
    check(KEY_SEMICOLON, 0xBA, false);
    check(KEY_F12, 0x7B, false);
    check(KEY_MUTE, 0xAD, true);
    EXPECT_FALSE(z9rt::VirtualKeyOfLinuxKey(BTN_LEFT));
    EXPECT_FALSE(z9rt::VirtualKeyOfLinuxKey(-1));
}

// A platform that reports virtual keys (Windows) finds the Linux key code back: the same key,
// told apart by the extended flag where two keys share a virtual key.
TEST(VirtualKeyTable, VirtualKeysLeadBackToTheirKeys) {
    for (int linuxCode = 0; linuxCode < KEY_MAX; ++linuxCode) {
        const auto key = z9rt::VirtualKeyOfLinuxKey(linuxCode);
        if (!key) {
            continue;
        }
        const std::optional<int> back = z9rt::LinuxKeyOfVirtualKey(key->vkCode, key->extended);
        ASSERT_TRUE(back) << linuxCode;
        const auto again = z9rt::VirtualKeyOfLinuxKey(*back);
        EXPECT_EQ(again->vkCode, key->vkCode) << linuxCode;
        EXPECT_EQ(again->extended, key->extended) << linuxCode;
    }
    EXPECT_EQ(z9rt::LinuxKeyOfVirtualKey(0x0D, false), KEY_ENTER);
    EXPECT_EQ(z9rt::LinuxKeyOfVirtualKey(0x0D, true), KEY_KPENTER);
    EXPECT_EQ(z9rt::LinuxKeyOfVirtualKey(0xA3, false), KEY_RIGHTCTRL);  // flag missing: still it
    EXPECT_FALSE(z9rt::LinuxKeyOfVirtualKey(0x01, false));              // a mouse button
}

TEST(HookInstall, WithoutEventDevicesNothingIsInstalled) {
    PostRecorder posts;
    EXPECT_EQ(z9rt::HookInputDirectory(), "");  // the tests' environment
    InstallHook(testsupport::TestWindow());
    EXPECT_FALSE(IsHookInstalled());
    // The program's own key capture still reaches the window through KeyBoardProc.
    KeyHookRecord record;
    record.vkCode = 'Q';
    KeyBoardProc(0, WM_KEYDOWN, &record);
    EXPECT_EQ(posts.Posts().size(), 1u);

    // A directory without keyboards in it is no better: a missing one, or one whose "event"
    // entries are no input devices.
    const std::string directory =
        (std::filesystem::temp_directory_path() / "z9rt-hook-test").string();
    std::filesystem::create_directories(directory);
    std::ofstream(directory + "/event0") << "not a device";
    for (const std::string& input : {std::string("/nonexistent-z9rt-input"), directory}) {
        SetProcessEnvironment("Z9RT_HOOK_INPUT", input);
        InstallHook(testsupport::TestWindow());  // replaces the first
        EXPECT_FALSE(IsHookInstalled()) << input;
    }
    std::filesystem::remove_all(directory);
    SetProcessEnvironment("Z9RT_HOOK_INPUT", "none");
    UninstallHook();
    EXPECT_FALSE(IsHookInstalled());
}

TEST(HookInstall, UninstallForgetsKeysAndKeepsTheWindow) {
    PostRecorder posts;
    InstallHook(testsupport::TestWindow());
    KeyHookRecord record;
    record.vkCode = 0xA0;
    KeyBoardProc(0, WM_KEYDOWN, &record);
    EXPECT_TRUE(IsHookKeyDown(0x10));
    UninstallHook();
    EXPECT_FALSE(IsHookKeyDown(0xA0));
    EXPECT_FALSE(IsHookKeyDown(-3));
    EXPECT_FALSE(IsHookKeyDown(4096));
}

// Without event devices the program feeds the keystrokes its window caught: they take the key
// source's path (translation, system-key rule, key states) and nothing else gets through.
TEST(HookInstall, KeystrokesFedByTheProgramTakeTheSourcesPath) {
    PostRecorder posts;
    EXPECT_FALSE(FeedHookKey(KEY_A, 1));  // no hook installed
    InstallHook(testsupport::TestWindow());
    ASSERT_FALSE(IsHookInstalled());  // nothing captures desktop-wide here

    struct Fed {
        int linuxCode;
        int action;
        bool taken;
    };
    const Fed fed[] = {
        {KEY_LEFTALT, 1, true}, {KEY_F4, 1, true},        {KEY_F4, 0, true},
        {KEY_LEFTALT, 0, true}, {KEY_KPENTER, 1, true},   {KEY_KPENTER, 2, true},
        {KEY_KPENTER, 0, true}, {BTN_LEFT, 1, false},     {KEY_A, 3, false},
        {KEY_A, -1, false},     {KEY_LEFTSHIFT, 1, true},
    };
    for (const Fed& key : fed) {
        EXPECT_EQ(FeedHookKey(key.linuxCode, key.action), key.taken) << key.linuxCode;
    }
    EXPECT_TRUE(IsHookKeyDown(0x10));  // the fed left Shift is down
    std::vector<std::pair<std::uintptr_t, std::intptr_t>> messages;
    for (const Post& post : posts.Posts()) {
        messages.emplace_back(post.wParam, post.lParam);
    }
    const std::vector<std::pair<std::uintptr_t, std::intptr_t>> expected = {
        {0x40000000 | kLeftAlt, 0}, {0x40000000 | kF4, 0},
        {0xC0000000 | kF4, 0},      {0x80000000 | kLeftAlt, 0},
        {0x0D, 0x01000000},         {0x0D, 0x01000000},
        {0x8000000D, 0x01000000},   {0xA0, 0},
    };
    EXPECT_EQ(messages, expected);

    UninstallHook();
    EXPECT_FALSE(IsHookKeyDown(0x10));
    EXPECT_FALSE(FeedHookKey(KEY_A, 1));  // after UninstallHook nothing reaches the window
    EXPECT_EQ(posts.Posts().size(), expected.size());
}

TEST(MessagePoster, NullWindowOrNoPosterPostsNothing) {
    {
        PostRecorder posts;
        EXPECT_FALSE(PostWindowMessage(nullptr, WM_DEVICE_DONE, 0, 0));
        EXPECT_TRUE(PostWindowMessage(testsupport::TestWindow(), WM_DEVICE_DONE, 2, 0));
        ASSERT_EQ(posts.Posts().size(), 1u);
        EXPECT_EQ(posts.Posts()[0].wParam, 2u);
    }
    EXPECT_FALSE(PostWindowMessage(testsupport::TestWindow(), WM_DEVICE_DONE, 0, 0));
}

}  // namespace
