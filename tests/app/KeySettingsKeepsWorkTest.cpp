// The key settings dialog loses nothing by a key press and is used without a mouse: "OK" on a
// page with nothing chosen, Escape in the in-place editor, a pick kept through New, the
// keyboard's Tab, arrows, Space and Ctrl+Tab, and the wheel over the lists.
#include "IconPagesLayout.h"
#include "InPlaceEditor.h"
#include "KeySettingsHarness.h"
#include "MacroPage.h"
#include "SingleComboPage.h"

#include <QApplication>
#include <QTest>
#include <QWheelEvent>

using model::CItemList;
using model::KindMouse;
using model::KindMultimedia;
using model::KindNotSet;
using model::KindPower;

using testkit::KeySettingsHarness;
using namespace keysettings;

namespace {

constexpr int kKeyA = 46;
constexpr int kKeyH = 51;
constexpr int kMouseDoubleClick = 199;  // "Left Double Click" on the Mouse page

std::size_t Index(int value) {
    return static_cast<std::size_t>(value);
}

CItemList ListOf(std::initializer_list<const wchar_t*> names) {
    CItemList list;
    for (const wchar_t* name : names) {
        list.Append(name);
    }
    return list;
}

// A library of `count` entries "Entry 0", "Entry 1", ..., each holding one key.
CItemList NumberedLibrary(int count) {
    CItemList library;
    for (int entry = 0; entry < count; ++entry) {
        library.Append(L"Entry " + std::to_wstring(entry));
        library.SetSubList(library.CursorPos, ListOf({L"A"}));
    }
    library.Select(0);
    return library;
}

// The key settings dialog with the keyboard focus on its face, as it opens on a desktop.
void Focus(KeySettingsHarness& h) {
    h.dialog->show();
    h.dialog->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(h.dialog.get()));
}

void Press(KeySettingsHarness& h, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(h.dialog.get(), static_cast<Qt::Key>(key), modifiers);
}

// The icon of a page that chooses a HW code.
int IconOf(int page, int hwCode) {
    for (const IconSpec& icon : IconPageLayout(page).icons) {
        if (icon.hwCode == hwCode) {
            return icon.id;
        }
    }
    return -1;
}

int Focused(KeySettingsHarness& h) {
    const skin::SkinItem* item = h.dialog->focusedItem();
    return item != nullptr ? item->id : 0;
}

void Wheel(KeySettingsHarness& h, int id, int notches) {
    const QPoint at = h.centreOf(id);
    QWheelEvent event(at, h.dialog->mapToGlobal(at), QPoint(), QPoint(0, notches * 120),
                      Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(h.dialog.get(), &event);
}

}  // namespace

class KeySettingsKeepsWorkTest : public QObject {
    Q_OBJECT

private slots:
    // Browsing the tabs of a key with a mouse action and pressing "OK" cleared the key.
    void okWithNothingChosenAsksBeforeClearingAnotherKind() {
        KeySettingsHarness h;
        h.config.keyMode[Index(kKeyH)][0] = KindMouse;
        h.config.keyHWCode[Index(kKeyH)][0] = kMouseDoubleClick;
        h.open(kKeyH, 0);
        QCOMPARE(h.dialog->currentPage(), kPageMouse);
        h.click(TabId(kPagePower));
        h.click(kIdOk);  // Escape: keep the key
        QCOMPARE(h.result(), 0);
        QCOMPARE(h.dialogs.questions.size(), std::size_t{1});
        const skin::Question& asked = h.dialogs.questions[0];
        QVERIFY2(asked.text.contains(QStringLiteral("Left Double Click")), qPrintable(asked.text));
        QCOMPARE(asked.defaultButton, 1);  // "No" keeps it
        QCOMPARE(h.config.keyMode[Index(kKeyH)][0], int(KindMouse));
        h.dialogs.choices = {0};
        h.click(kIdOk);
        QCOMPARE(h.result(), 1);
        QCOMPARE(h.config.keyMode[Index(kKeyH)][0], int(KindNotSet));
    }

    // What the user means to clear is cleared without a question.
    void clearingOnPurposeAsksNothing_data() {
        QTest::addColumn<bool>("withClear");
        QTest::newRow("the choice taken back on the key's own page") << false;
        QTest::newRow("Clear") << true;
    }

    void clearingOnPurposeAsksNothing() {
        QFETCH(bool, withClear);
        KeySettingsHarness h;
        h.config.keyMode[Index(kKeyH)][0] = KindMouse;
        h.config.keyHWCode[Index(kKeyH)][0] = kMouseDoubleClick;
        h.open(kKeyH, 0);
        if (withClear) {
            h.click(kIdClear);
        } else {
            h.click(IconOf(kPageMouse, kMouseDoubleClick));
        }
        h.click(kIdOk);
        QCOMPARE(h.result(), 1);
        QVERIFY(h.dialogs.questions.empty());
        QCOMPARE(h.config.keyMode[Index(kKeyH)][0], int(KindNotSet));
    }

    // Escape in the editor closed the whole dialog and dropped what was made in it.
    void escapeInTheEditorTakesBackOnlyTheTyping() {
        KeySettingsHarness h;
        h.config.predefinedCombo = NumberedLibrary(1);
        h.open(kKeyA, 0);
        h.click(kIdComboSwitch);
        h.click(kIdNewCombo);
        InPlaceEditor& editor = h.dialog->inPlaceEdit();
        QTest::keyClicks(&editor, QStringLiteral("typed"));
        QTest::keyClick(&editor, Qt::Key_Escape);
        QCOMPARE(h.result(), 0);
        QVERIFY(!editor.isVisible());
        // A new entry keeps the proposed name, as when the editor is left untouched.
        const CItemList& library = h.dialog->singleComboPage().list().library();
        QCOMPARE(library.Items(), (std::vector<std::wstring>{L"Entry 0", L"New Combo 1"}));
        // A rename taken back keeps the name.
        h.click(kIdFirstComboRow + 1);
        QVERIFY(editor.isVisible());
        editor.setText(QStringLiteral("Renamed"));
        QTest::keyClick(&editor, Qt::Key_Escape);
        QCOMPARE(library.Items(), (std::vector<std::wstring>{L"Entry 0", L"New Combo 1"}));
        QCOMPARE(h.result(), 0);
    }

    // A combination picked on the virtual keyboard was lost when New followed.
    void newKeepsAPickInTheEntryItWasMadeFor() {
        KeySettingsHarness h;
        h.config.predefinedCombo = NumberedLibrary(1);
        h.open(kKeyA, 0);
        h.click(kIdComboSwitch);
        constexpr int kHwLeftCtrl = 67;
        constexpr int kHwDelete = 84;
        h.answerVirtualKeyboard({kHwLeftCtrl, kHwDelete});
        h.click(kIdVirtualCombo);
        QCOMPARE(h.virtualKeyboardsAnswered, 1);
        h.click(kIdNewCombo);
        QTest::keyClick(&h.dialog->inPlaceEdit(), Qt::Key_Return);
        const CItemList& library = h.dialog->singleComboPage().list().library();
        QCOMPARE(library.Count(), 2);
        QCOMPARE(library.SubListAt(0).Items(), (std::vector<std::wstring>{L"LCTRL", L"DEL"}));
        QVERIFY(library.SubListAt(1).Empty());
    }

    // Tab goes through the tabs, the page and the buttons under it; the tabs, a list and the
    // icons of a page are one stop each.
    void tabGoesFromTheTabsThroughThePageToTheButtons() {
        KeySettingsHarness h;
        h.config.predefinedCombo = NumberedLibrary(3);
        h.open(kKeyA, 0);
        Focus(h);
        std::vector<int> stops;
        for (int press = 0; press < 13; ++press) {
            Press(h, Qt::Key_Tab);
            stops.push_back(Focused(h));
        }
        QCOMPARE(stops, (std::vector<int>{
                            TabId(kPageSingleCombo), kIdSingleSwitch, kIdCaptureSingle, kIdNewCombo,
                            kIdDeleteCombo, kIdRecordCombo, kIdVirtualSingle, kIdVirtualCombo,
                            kIdFirstComboRow, kIdDefault, kIdClear, kIdOk, kIdCancel}));
        QVERIFY(h.dialog->focusMarkShown());
    }

    void ctrlTabTurnsThePagesAndTheFocusFollows() {
        KeySettingsHarness h;
        h.open(kKeyA, 0);
        Focus(h);
        Press(h, Qt::Key_Tab);
        Press(h, Qt::Key_Tab, Qt::ControlModifier);
        QCOMPARE(h.dialog->currentPage(), kPageMacro);
        QCOMPARE(Focused(h), TabId(kPageMacro));
        Press(h, Qt::Key_PageUp, Qt::ControlModifier);
        Press(h, Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(h.dialog->currentPage(), kPagePower);
        Press(h, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(h.dialog->currentPage(), kPageFunction);
        // The arrows move among the tabs; Space shows the page of the focused one.
        Press(h, Qt::Key_Left);
        QCOMPARE(Focused(h), TabId(kPageMouse));
        QCOMPARE(h.dialog->currentPage(), kPageFunction);
        Press(h, Qt::Key_Space);
        QCOMPARE(h.dialog->currentPage(), kPageMouse);
    }

    // Icons are chosen with Space, rows selected with the arrows; Enter presses the focused
    // element once the focus is moved with the keys, and means "OK" before that.
    void iconsAndListsWithoutAMouse() {
        KeySettingsHarness h;
        h.config.predefinedMacro = NumberedLibrary(12);
        h.open(kKeyA, 0);
        Focus(h);
        // Down the macro list to its end, the view following the selection.
        h.click(TabId(kPageMacro));
        h.dialog->focusItem(kIdFirstMacroRow);
        for (int press = 0; press < 12; ++press) {
            Press(h, Qt::Key_Down);
        }
        const CItemList& library =
            static_cast<MacroPage&>(h.dialog->page(kPageMacro)).list().library();
        QCOMPARE(library.ViewStartAt + library.CursorPos, 11);
        QCOMPARE(Focused(h), kIdFirstMacroRow + library.CursorPos);
        Press(h, Qt::Key_Up);
        QCOMPARE(library.ViewStartAt + library.CursorPos, 10);

        // An icon chosen with Space, another one instead, then "OK" with Enter.
        h.dialog->focusItem(TabId(kPageMultimedia));
        Press(h, Qt::Key_Space);
        QCOMPARE(h.dialog->currentPage(), kPageMultimedia);
        Press(h, Qt::Key_Tab);
        const int first = Focused(h);
        QCOMPARE(first, IconPageLayout(kPageMultimedia).icons.front().id);
        Press(h, Qt::Key_Space);
        Press(h, Qt::Key_Right);
        const int second = Focused(h);
        QVERIFY(second != first);
        Press(h, Qt::Key_Space);
        QVERIFY(!h.selected(first));
        QVERIFY(h.selected(second));
        h.dialog->focusItem(kIdOk);
        Press(h, Qt::Key_Return);
        QCOMPARE(h.result(), 1);
        QCOMPARE(h.config.keyMode[Index(kKeyA)][0], int(KindMultimedia));
        QCOMPARE(h.config.keyHWCode[Index(kKeyA)][0], FindIcon(second)->hwCode);
    }

    void enterBeforeTheFocusMovesIsOk() {
        KeySettingsHarness h;
        h.open(kKeyA, 0);
        Focus(h);
        h.click(TabId(kPagePower));
        h.click(IconOf(kPagePower, IconPageLayout(kPagePower).icons.front().hwCode));
        Press(h, Qt::Key_Return);
        QCOMPARE(h.result(), 1);
        QCOMPARE(h.config.keyMode[Index(kKeyA)][0], int(KindPower));
    }

    void theWheelScrollsTheListUnderThePointer() {
        KeySettingsHarness h;
        h.config.predefinedMacro = NumberedLibrary(12);
        h.open(kKeyA, 0);
        h.click(TabId(kPageMacro));
        Wheel(h, kIdFirstMacroRow + 2, -3);  // three notches down
        QCOMPARE(h.dialog->page(kPageMacro).selectedRowId(ListBar::Library), kIdFirstMacroRow + 3);
        Wheel(h, kIdFirstMacroRow, 1);
        QCOMPARE(h.dialog->page(kPageMacro).selectedRowId(ListBar::Library), kIdFirstMacroRow + 2);
    }
};

QTEST_MAIN(KeySettingsKeepsWorkTest)
#include "KeySettingsKeepsWorkTest.moc"
