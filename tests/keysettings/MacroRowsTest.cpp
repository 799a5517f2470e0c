#include "MacroTestSupport.h"
#include "keysettings/logic/MacroRows.h"

#include <gtest/gtest.h>

#include <climits>

using model::CItemList;

namespace {

using keysettings::ClickEmulationRow;
using keysettings::ClickMacroRow;
using keysettings::CommitDelayEditor;
using keysettings::DelayEditorText;
using keysettings::RowClick;
using keytest::Content;
using keytest::ItemsOf;
using Items = std::vector<std::wstring>;

// Press A, 120 ms, release A, viewed from the top with the first row selected.
CItemList PressRelease() {
    CItemList content = Content({L"A Down", L"<120 ms>", L"A UP"}, false);
    content.ViewStartAt = 0;
    content.CursorPos = 0;
    return content;
}

TEST(MacroRows, ADelayRowIsSelectedByOneClickAndEditedByTheNext) {
    CItemList content = PressRelease();
    EXPECT_EQ(ClickMacroRow(content, 1), RowClick::Selected);
    EXPECT_EQ(content.CursorPos, 1);
    EXPECT_EQ(ClickMacroRow(content, 1), RowClick::EditDelay);
    EXPECT_EQ(DelayEditorText(content), L"120");
}

TEST(MacroRows, ClicksThatOpenNoEditor) {
    struct Case {
        const char* name;
        int row;
        RowClick expected;
    };
    // Row 0 (an event) is selected.
    const Case cases[] = {
        {"selected event", 0, RowClick::Nothing},
        {"row without an item", 3, RowClick::Nothing},
        {"row above the list", -1, RowClick::Nothing},
        {"another row", 2, RowClick::Selected},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CItemList content = PressRelease();
        EXPECT_EQ(ClickMacroRow(content, c.row), c.expected);
        EXPECT_EQ(content.CursorPos, c.expected == RowClick::Selected ? c.row : 0);
        CItemList emulation = PressRelease();
        EXPECT_EQ(ClickEmulationRow(emulation, c.row), c.expected);
    }
}

TEST(MacroRows, TheDelayEditorKeepsDelaysWithin0To65535) {
    struct Case {
        const wchar_t* typed;
        const wchar_t* delay;
    };
    const Case cases[] = {
        {L"70000", L"<65535 ms>"}, {L"65535", L"<65535 ms>"}, {L"", L"<0 ms>"},
        {L"250", L"<250 ms>"},     {L"-9", L"<0 ms>"},        {L"99999999999", L"<65535 ms>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "case " << (&c - cases));
        CItemList content = PressRelease();
        content.CursorPos = 1;
        ASSERT_TRUE(CommitDelayEditor(content, c.typed));
        EXPECT_EQ(ItemsOf(content), (Items{L"A Down", c.delay, L"A UP"}));
    }
}

TEST(MacroRows, TheEditorChangesOnlyTheDelayItWasOpenedOn) {
    // The selection moved to an event (a right-click command ran while the editor was open):
    // nothing is replaced, nothing appended.
    CItemList content = PressRelease();
    content.CursorPos = 2;
    EXPECT_FALSE(CommitDelayEditor(content, L"5"));
    EXPECT_EQ(ItemsOf(content), ItemsOf(PressRelease()));
    // The selection names no item.
    content.CursorPos = 7;
    EXPECT_FALSE(CommitDelayEditor(content, L"5"));
    EXPECT_EQ(content.Count(), 3);
    EXPECT_EQ(DelayEditorText(content), L"");
}

TEST(MacroRows, DelayTextsTooShortToHoldANumber) {
    for (const wchar_t* item : {L"<5>", L"<ms>", L"< ms>"}) {
        CItemList content = Content({L"A Down", item}, false);
        content.ViewStartAt = 0;
        content.CursorPos = 1;
        EXPECT_EQ(ClickMacroRow(content, 1), RowClick::EditDelay);
        EXPECT_EQ(DelayEditorText(content), L"");
    }
}

TEST(MacroRows, ViewFieldsFromAProfileNameNoItemOutsideTheList) {
    for (int viewStart : {INT_MIN, -4, 3, INT_MAX}) {
        CItemList content = PressRelease();
        content.ViewStartAt = viewStart;
        for (int row : {INT_MIN, -1, 0, 1, 8, INT_MAX}) {
            ClickMacroRow(content, row);
            DelayEditorText(content);
            CommitDelayEditor(content, L"1");
            EXPECT_EQ(content.Count(), 3);
        }
    }
}

}  // namespace
