#include "keysettings/logic/TypedNumber.h"

#include <gtest/gtest.h>

namespace {

using keysettings::TypedNumber;

TEST(NumericEdits, TypedValuesAreBroughtIntoRangeInTheEdit) {
    using Reader = TypedNumber (*)(std::wstring_view);
    struct Case {
        const char* name;
        Reader read;
        const wchar_t* typed;
        int value;
        const wchar_t* shown;  // null: the edit keeps what was typed
    };
    const Case cases[] = {
        {"repeat count 0", keysettings::ReadRepeatCount, L"0", 1, L"1"},
        {"repeat count 300", keysettings::ReadRepeatCount, L"300", 255, L"255"},
        {"repeat count empty", keysettings::ReadRepeatCount, L"", 1, L"1"},
        {"repeat count 1", keysettings::ReadRepeatCount, L"1", 1, nullptr},
        {"repeat count 255", keysettings::ReadRepeatCount, L"255", 255, nullptr},
        {"repeat count beyond 32 bits", keysettings::ReadRepeatCount, L"99999999999", 255, L"255"},
        {"interval 60001", keysettings::ReadMacroInterval, L"60001", 60000, L"60000"},
        {"interval 60000", keysettings::ReadMacroInterval, L"60000", 60000, nullptr},
        {"interval empty", keysettings::ReadMacroInterval, L"", 0, nullptr},
        {"interval 0", keysettings::ReadMacroInterval, L"0", 0, nullptr},
        {"emulation 7000", keysettings::ReadEmulationInterval, L"7000", 6000, L"6000"},
        {"emulation 6000", keysettings::ReadEmulationInterval, L"6000", 6000, nullptr},
        {"emulation empty", keysettings::ReadEmulationInterval, L"", 0, nullptr},
        {"emulation pasted sign", keysettings::ReadEmulationInterval, L"-40", 0, L"0"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TypedNumber number = c.read(c.typed);
        EXPECT_EQ(number.value, c.value);
        if (c.shown == nullptr) {
            EXPECT_FALSE(number.replacement.has_value());
        } else {
            ASSERT_TRUE(number.replacement.has_value());
            EXPECT_EQ(*number.replacement, c.shown);
            // The replaced text raises the notification again and is then in range.
            EXPECT_FALSE(c.read(*number.replacement).replacement.has_value());
        }
    }
}

}  // namespace
