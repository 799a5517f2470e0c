// The key settings dialog's macro, emulation and icon pages on the simulated keyboard: clicks at
// the design rectangles, keystrokes posted as the hook posts them at times the test chooses,
// right clicks answered through the scripted dialog service, and the rows, edits, icons and
// the key's slot checked after each step.
#include "CSkinScrollBar.h"
#include "EmulationPage.h"
#include "IconChoicePage.h"
#include "IconPagesLayout.h"
#include "InPlaceEditor.h"
#include "KeySettingsHarness.h"
#include "MacroPage.h"
#include "NumericEdit.h"
#include "TipControl.h"
#include "keysettings/logic/MacroLimits.h"
#include "keysettings/logic/MacroPopupMenu.h"

#include <QTest>

#include <initializer_list>

using model::CItemList;
using model::KindEmulation;
using model::KindFunction;
using model::KindMacro;
using model::KindMouse;
using model::KindMultimedia;
using model::KindNotSet;
using model::KindPower;

using testkit::KeySettingsHarness;
using namespace keysettings;
using namespace std::chrono_literals;

namespace {

constexpr int kKeyA = 46;
constexpr int kKeyFn = 78;
constexpr int kVkA = 'A';
constexpr int kVkB = 'B';

std::size_t Index(int value) {
    return static_cast<std::size_t>(value);
}

CItemList ListOf(const QStringList& items, bool fixedInterval = false) {
    CItemList list;
    list.SizeOfView = kContentRows;
    list.IsAutoInterval = fixedInterval;
    for (const QString& item : items) {
        list.Append(item.toStdWString());
    }
    list.Select(0);
    return list;
}

// A library of one entry named "Entry" holding the list.
CItemList LibraryOf(const CItemList& content) {
    CItemList library;
    library.SizeOfView = kContentRows;
    library.Append(L"Entry");
    library.SetSubList(0, content);
    library.Select(0);
    return library;
}

QStringList Texts(const CItemList& list) {
    QStringList texts;
    for (const std::wstring& item : list.Items()) {
        texts << QString::fromStdWString(item);
    }
    return texts;
}

// `count` items alternating event and delay (recorded delays), or events only.
QStringList Alternating(int count, bool fixedInterval) {
    QStringList items;
    for (int i = 0; i < count; ++i) {
        const bool event = fixedInterval || i % 2 == 0;
        items << (event ? QStringLiteral("B Down") : QStringLiteral("<5 ms>"));
    }
    return items;
}

MacroPage& Macros(KeySettingsHarness& h) {
    return static_cast<MacroPage&>(h.dialog->page(kPageMacro));
}

EmulationPage& Emulations(KeySettingsHarness& h) {
    return static_cast<EmulationPage&>(h.dialog->page(kPageEmulation));
}

QStringList Content(KeySettingsHarness& h, int page) {
    LibraryPage& shown = static_cast<LibraryPage&>(h.dialog->page(page));
    return Texts(shown.list().content());
}

// What the selected library entry holds (the content as last stored).
QStringList Stored(KeySettingsHarness& h, int page) {
    const CItemList& library = static_cast<LibraryPage&>(h.dialog->page(page)).list().library();
    return Texts(library.SubLists()[Index(library.ViewStartAt + library.CursorPos)]);
}

// The captions of the content rows as the window shows them.
QStringList ShownRows(KeySettingsHarness& h, int firstRowId) {
    QStringList rows;
    for (int row = 0; row < kContentRows; ++row) {
        rows << h.caption(firstRowId + row);
    }
    while (!rows.isEmpty() && rows.last().isEmpty()) {
        rows.removeLast();
    }
    return rows;
}

// The macro page of key A, its library holding one entry with `content`.
void OpenMacroPage(KeySettingsHarness& h, const CItemList& content = CItemList()) {
    h.config.predefinedMacro = LibraryOf(content);
    h.open(kKeyA, 0);
    h.click(TabId(kPageMacro));
}

void RightClick(KeySettingsHarness& h, int id) {
    QTest::mouseClick(h.dialog.get(), Qt::RightButton, {}, h.centreOf(id));
}

void Type(NumericEdit& edit, const QString& text) {
    edit.selectAll();
    QTest::keyClicks(&edit, text);
}

}  // namespace

class KeySettingsPagesTest : public QObject {
    Q_OBJECT

private slots:
    // ---- Macro recording ---------------------------------------------------------------

    void recordingAKeyPressedFor120ms_data() {
        QTest::addColumn<bool>("fixedInterval");
        QTest::addColumn<QStringList>("recorded");
        QTest::newRow("recorded delays")
            << false << QStringList{"A Down", "<120 ms>", "A UP", "<50 ms>"};
        QTest::newRow("fixed interval") << true << QStringList{"A Down", "A UP"};
    }

    void recordingAKeyPressedFor120ms() {
        QFETCH(bool, fixedInterval);
        QFETCH(QStringList, recorded);
        KeySettingsHarness h;
        OpenMacroPage(h, ListOf({"C Down", "<7 ms>", "C UP"}));
        if (fixedInterval) {
            h.click(kIdFixedInterval);
        }
        h.click(kIdRecordMacro);
        QVERIFY(Macros(h).recording());
        QVERIFY(h.selected(kIdRecordMacro));
        QVERIFY(h.dialog->findItem(kLabelMacroRecordStop)->textVisible);
        QVERIFY(!h.dialog->findItem(kLabelMacroRecordStart)->textVisible);
        QCOMPARE(ShownRows(h, kIdFirstMacroContentRow), QStringList());
        h.elapse(3s);  // the first event has no delay before it, however long the wait
        h.press(kVkA);
        h.elapse(120ms);
        h.release(kVkA);
        QCOMPARE(ShownRows(h, kIdFirstMacroContentRow), recorded.mid(0, 3));
        // Any click stops the recording and does nothing else.
        h.click(kIdPlayToggle);
        QVERIFY(!Macros(h).recording());
        QCOMPARE(Macros(h).list().content().PlayMode, int(kPlayModeTimes));
        QVERIFY(!h.selected(kIdRecordMacro));
        QVERIFY(h.dialog->findItem(kLabelMacroRecordStart)->textVisible);
        QVERIFY(!h.dialog->findItem(kLabelMacroRecordStop)->textVisible);
        QCOMPARE(ShownRows(h, kIdFirstMacroContentRow), recorded);
        // The entry took the recording before the final delay was added.
        QCOMPARE(Stored(h, kPageMacro), recorded.mid(0, fixedInterval ? 2 : 3));
        h.tap(kVkB);  // the keyboard is free again: nothing is recorded
        QCOMPARE(Content(h, kPageMacro), recorded);
        // "OK" puts the macro as shown, final delay included, into the key's slot.
        h.click(kIdOk);
        QCOMPARE(h.config.keyMode[kKeyA][0], int(KindMacro));
        QCOMPARE(Texts(h.config.keyList[kKeyA][0]), recorded);
        QCOMPARE(h.config.keyList[kKeyA][0].IsAutoInterval, fixedInterval);
    }

    // A held key repeats its press; the delay before its release counts from the last repeat.
    void heldKeyRecordsOnePressAndTheTimeSinceItsLastRepeat() {
        KeySettingsHarness h;
        OpenMacroPage(h);
        h.click(kIdRecordMacro);
        h.press(kVkA);
        for (int repeat = 0; repeat < 4; ++repeat) {
            h.elapse(500ms);
            h.press(kVkA);
        }
        h.elapse(30ms);
        h.release(kVkA);
        h.click(kIdFirstMacroContentRow + kContentRows - 1);  // stops
        QCOMPARE(Content(h, kPageMacro), (QStringList{"A Down", "<30 ms>", "A UP", "<50 ms>"}));
    }

    // A key held when the recording starts: its release is dropped, and it puts no delay in
    // front of the first event.
    void releaseOfAKeyHeldAtTheStartIsDropped() {
        KeySettingsHarness h;
        OpenMacroPage(h);
        h.click(kIdRecordMacro);
        h.elapse(10ms);
        h.release(kVkB);
        h.elapse(40ms);
        h.press(kVkA);
        h.elapse(70ms);
        h.release(kVkA);
        h.click(kIdFirstMacroContentRow + kContentRows - 1);  // stops
        QCOMPARE(Content(h, kPageMacro), (QStringList{"A Down", "<70 ms>", "A UP", "<50 ms>"}));
    }

    // At the limit a recording stops adding: 799 items with recorded delays (ending with an
    // event, so no final delay fits), 1600 events with a fixed interval.
    void recordingStopsAtTheLimit_data() {
        QTest::addColumn<bool>("fixedInterval");
        QTest::addColumn<int>("limit");
        QTest::newRow("recorded delays") << false << 799;
        QTest::newRow("fixed interval") << true << 1600;
    }

    void recordingStopsAtTheLimit() {
        QFETCH(bool, fixedInterval);
        QFETCH(int, limit);
        KeySettingsHarness h;
        OpenMacroPage(h, ListOf({}, fixedInterval));
        h.click(kIdRecordMacro);
        for (int tap = 0; tap < limit / 2 + 2; ++tap) {
            h.post(kVkA, false);
            h.post(kVkA, true);
        }
        h.deliver();
        const CItemList& content = Macros(h).list().content();
        QCOMPARE(content.Count(), limit);
        // With recorded delays the 798th item is the delay before the 400th event, which fits.
        const QString last = QStringLiteral("A UP");
        QCOMPARE(Texts(content).at(797),
                 fixedInterval ? QStringLiteral("A UP") : QStringLiteral("<0 ms>"));
        QCOMPARE(Texts(content).last(), last);
        // Full, the recording stopped where the user sees it, and said why.
        QVERIFY(!Macros(h).recording());
        QVERIFY(!h.dialog->capture().active());
        QVERIFY(!h.selected(kIdRecordMacro));
        const QStringList notes = h.dialogs.messageTexts().filter(QString::number(limit));
        QCOMPARE(notes.size(), 1);
        QVERIFY2(notes[0].contains(QStringLiteral("recording stopped")), qPrintable(notes[0]));
        QCOMPARE(Macros(h).list().library().SubListAt(0).Count(), limit);
        // The view follows the recording to its end, the scroll bar too.
        QCOMPARE(h.caption(kIdFirstMacroContentRow + kContentRows - 1), last);
        skin::ScrollInfo info;
        h.dialog->contentScroll().GetScrollInfo(info);
        QCOMPARE(info.nMax, limit + kContentRows - 1);
        QCOMPARE(info.nPos, limit - 1);
    }

    void recordingNeedsALibraryEntry() {
        KeySettingsHarness h;
        h.config.predefinedMacro.Clear();
        h.open(kKeyA, 0);
        h.click(TabId(kPageMacro));
        h.click(kIdRecordMacro);
        QVERIFY(!Macros(h).recording());
        QVERIFY(!h.dialog->capture().active());
        QVERIFY(!h.selected(kIdRecordMacro));
    }

    // ---- Delay modes --------------------------------------------------------------------

    void switchingBetweenRecordedDelaysAndAFixedInterval() {
        KeySettingsHarness h;
        OpenMacroPage(h, ListOf({"A Down", "<10 ms>", "A UP"}));
        QVERIFY(h.selected(kIdRecordedDelays));
        QVERIFY(!h.selected(kIdFixedInterval));
        QVERIFY(!h.dialog->delayEdit().isEnabled());
        h.click(kIdFixedInterval);
        QCOMPARE(ShownRows(h, kIdFirstMacroContentRow), (QStringList{"A Down", "A UP"}));
        QCOMPARE(Stored(h, kPageMacro), (QStringList{"A Down", "A UP"}));
        QVERIFY(h.selected(kIdFixedInterval));
        QVERIFY(!h.selected(kIdRecordedDelays));
        QVERIFY(h.dialog->delayEdit().isEnabled());
        h.click(kIdFixedInterval);  // the mode in force: nothing to convert
        QCOMPARE(Content(h, kPageMacro), (QStringList{"A Down", "A UP"}));
        Type(h.dialog->delayEdit(), QStringLiteral("45"));
        QCOMPARE(Macros(h).list().content().Delay, 45);
        h.click(kIdRecordedDelays);
        QCOMPARE(ShownRows(h, kIdFirstMacroContentRow), (QStringList{"A Down", "<45 ms>", "A UP"}));
        QCOMPARE(Stored(h, kPageMacro), (QStringList{"A Down", "<45 ms>", "A UP"}));
        QVERIFY(!h.dialog->delayEdit().isEnabled());
        h.click(kIdRecordedDelays);
        QCOMPARE(Content(h, kPageMacro), (QStringList{"A Down", "<45 ms>", "A UP"}));
    }

    // 401 events at a fixed interval become 799 items with delays: 400 events fit.
    void recordedDelaysFromALongFixedIntervalMacroFitTheLimit() {
        KeySettingsHarness h;
        OpenMacroPage(h, ListOf(Alternating(401, true), true));
        h.click(kIdRecordedDelays);
        const QStringList content = Content(h, kPageMacro);
        QCOMPARE(content.size(), 799);
        QCOMPARE(content.last(), QStringLiteral("B Down"));
        QCOMPARE(content.at(797), QStringLiteral("<30 ms>"));
        skin::ScrollInfo info;
        h.dialog->contentScroll().GetScrollInfo(info);
        QCOMPARE(info.nMax, 799 + kContentRows - 1);
    }

    // ---- Playback values ----------------------------------------------------------------

    void repeatCountAndIntervalKeepTheirRanges() {
        KeySettingsHarness h;
        OpenMacroPage(h, ListOf({"A Down", "A UP"}, true));
        NumericEdit& count = h.dialog->countEdit();
        NumericEdit& interval = h.dialog->delayEdit();
        QCOMPARE(count.text(), QStringLiteral("1"));
        QCOMPARE(interval.text(), QStringLiteral("30"));
        Type(count, QStringLiteral("0"));
        QCOMPARE(count.text(), QStringLiteral("1"));
        Type(count, QStringLiteral("300"));
        QCOMPARE(count.text(), QStringLiteral("255"));
        Type(interval, QStringLiteral("70000"));
        QCOMPARE(interval.text(), QStringLiteral("60000"));
        const CItemList& content = Macros(h).list().content();
        QCOMPARE(content.Cycles, 255);
        QCOMPARE(content.Delay, 60000);
        const CItemList& library = Macros(h).list().library();
        QCOMPARE(library.SubLists()[0].Cycles, 255);
        QCOMPARE(library.SubLists()[0].Delay, 60000);
        h.click(kIdOk);
        QCOMPARE(h.config.keyList[kKeyA][0].Cycles, 255);
        QCOMPARE(h.config.keyList[kKeyA][0].Delay, 60000);
    }

    void playModes_data() {
        QTest::addColumn<int>("button");
        QTest::addColumn<int>("playMode");
        QTest::newRow("Times Play") << int(kIdPlayTimes) << int(kPlayModeTimes);
        QTest::newRow("Press play, release stop")
            << int(kIdPlayWhileHeld) << int(kPlayModeWhileHeld);
        QTest::newRow("Press to play/stop") << int(kIdPlayToggle) << int(kPlayModeToggle);
    }

    void playModes() {
        QFETCH(int, button);
        QFETCH(int, playMode);
        KeySettingsHarness h;
        CItemList macro = ListOf({"A Down", "<5 ms>", "A UP"});
        macro.PlayMode = kPlayModeToggle == playMode ? kPlayModeWhileHeld : kPlayModeToggle;
        OpenMacroPage(h, macro);
        h.click(button);
        for (int other : {int(kIdPlayTimes), int(kIdPlayWhileHeld), int(kIdPlayToggle)}) {
            QCOMPARE(h.selected(other), other == button);
        }
        // The repeat count counts only in "Times Play".
        QCOMPARE(h.dialog->countEdit().isEnabled(), playMode == kPlayModeTimes);
        QCOMPARE(Macros(h).list().library().SubLists()[0].PlayMode, playMode);
        h.click(kIdOk);
        QCOMPARE(h.config.keyList[kKeyA][0].PlayMode, playMode);
    }

    // A macro from a profile with more than the keyboard takes is fitted on "OK".
    void okFitsAMacroFromAProfile() {
        KeySettingsHarness h;
        CItemList macro = ListOf({"A Down", "<70000 ms>", "A UP"});
        macro.Cycles = 300;
        macro.PlayMode = 7;
        h.config.keyMode[kKeyA][0] = KindMacro;
        h.config.keyList[kKeyA][0] = macro;
        h.config.predefinedMacro.Clear();
        h.open(kKeyA, 0);
        QCOMPARE(h.dialog->currentPage(), kPageMacro);
        QCOMPARE(h.caption(kIdFirstMacroRow), QStringLiteral("default"));
        QCOMPARE(h.dialog->countEdit().text(), QStringLiteral("255"));
        QVERIFY(h.selected(kIdPlayTimes));  // a play mode no button stands for
        h.click(kIdOk);
        const CItemList& slot = h.config.keyList[kKeyA][0];
        QCOMPARE(Texts(slot), (QStringList{"A Down", "<65535 ms>", "A UP"}));
        QCOMPARE(slot.Cycles, 255);
        QCOMPARE(slot.PlayMode, int(kPlayModeTimes));
        QCOMPARE(Texts(h.config.predefinedMacro.SubLists()[0]), Texts(slot));
    }

    // ---- Delay editor -------------------------------------------------------------------

    void editingASelectedDelay() {
        KeySettingsHarness h;
        OpenMacroPage(h, ListOf({"A Down", "<120 ms>", "A UP"}));
        InPlaceEditor& editor = h.dialog->inPlaceEdit();
        h.click(kIdFirstMacroContentRow + 1);  // selects the delay
        QVERIFY(h.selected(kIdFirstMacroContentRow + 1));
        QVERIFY(!editor.isVisible());
        h.click(kIdFirstMacroContentRow + 1);  // opens its editor
        QVERIFY(editor.isVisible());
        QCOMPARE(editor.text(), QStringLiteral("120"));
        const skin::SkinItem* row = h.dialog->findItem(kIdFirstMacroContentRow + 1);
        QCOMPARE(editor.geometry().topLeft(), QPoint(row->rect.left, row->rect.top));
        editor.setText(QStringLiteral("70000"));
        QTest::keyClick(&editor, Qt::Key_Return);
        QVERIFY(!editor.isVisible());
        QCOMPARE(h.caption(kIdFirstMacroContentRow + 1), QStringLiteral("<65535 ms>"));
        QCOMPARE(Stored(h, kPageMacro).at(1), QStringLiteral("<65535 ms>"));
        h.click(kIdFirstMacroContentRow + 1);
        editor.clear();
        QTest::keyClick(&editor, Qt::Key_Return);
        QCOMPARE(h.caption(kIdFirstMacroContentRow + 1), QStringLiteral("<0 ms>"));
        // A selected event opens nothing.
        h.click(kIdFirstMacroContentRow + 2);
        h.click(kIdFirstMacroContentRow + 2);
        QVERIFY(!editor.isVisible());
    }

    // The editor writes the delay it was opened on, even when the list scrolled meanwhile.
    void delayEditorKeepsToItsDelayWhileTheListScrolls() {
        KeySettingsHarness h;
        OpenMacroPage(h, ListOf(Alternating(41, false)));
        h.click(kIdFirstMacroContentRow + 1);
        h.click(kIdFirstMacroContentRow + 1);
        h.dialog->inPlaceEdit().setText(QStringLiteral("77"));
        Macros(h).scrolled(ListBar::Content, 20);  // as the bar does
        h.dialog->inPlaceEdit().commit();
        const QStringList content = Content(h, kPageMacro);
        QCOMPARE(content.at(1), QStringLiteral("<77 ms>"));
        QCOMPARE(content.count(QStringLiteral("<77 ms>")), 1);
        QCOMPARE(content.at(20), QStringLiteral("B Down"));
    }

    void doubleClickOnARowThatIsNotSelectedOnlySelectsIt() {
        KeySettingsHarness h;
        h.config.predefinedMacro = LibraryOf(ListOf({"A Down", "<120 ms>", "A UP"}));
        h.open(kKeyA, 0, DoubleClickRule::kWait);
        h.click(TabId(kPageMacro));
        const QPoint at = h.centreOf(kIdFirstMacroContentRow + 1);
        QTest::mousePress(h.dialog.get(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(h.dialog.get(), Qt::LeftButton, {}, at);
        QMouseEvent second(QEvent::MouseButtonDblClick, at, h.dialog->mapToGlobal(at),
                           Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(h.dialog.get(), &second);
        QTest::mouseRelease(h.dialog.get(), Qt::LeftButton, {}, at);
        QTRY_VERIFY(!h.dialog->clickPending());
        QVERIFY(h.selected(kIdFirstMacroContentRow + 1));
        QVERIFY(!h.dialog->inPlaceEdit().isVisible());
    }

    // ---- Right-click menu ---------------------------------------------------------------

    void menuOffersMouseEventsAndDelete_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QStringList>("entries");
        QTest::addColumn<QStringList>("leftButton");
        QTest::newRow("English") << "en-US"
                                 << QStringList{"Left Click", "Right Click", "Middle Click",
                                                "Wheel", "Delete"}
                                 << QStringList{"Press", "Release", "Click"};
        QTest::newRow("Chinese") << "zh-CN"
                                 << QStringList{"鼠标左键", "鼠标右键", "鼠标中键", "滚轮", "删除"}
                                 << QStringList{"按下", "释放", "点击"};
    }

    void menuOffersMouseEventsAndDelete() {
        QFETCH(QString, language);
        QFETCH(QStringList, entries);
        QFETCH(QStringList, leftButton);
        KeySettingsHarness h(kDeviceTypePrsmBle, language == "zh-CN" ? "zh-CN" : "en-US");
        OpenMacroPage(h, ListOf({"A Down", "<10 ms>", "A UP"}));
        RightClick(h, kIdFirstMacroContentRow + 1);
        QCOMPARE(h.dialogs.menus.size(), std::size_t{1});
        const testkit::ShownMenu& menu = h.dialogs.menus.front();
        QCOMPARE(menu.globalPoint, h.dialog->mapToGlobal(h.centreOf(kIdFirstMacroContentRow + 1)));
        QStringList shown;
        for (const skin::MenuEntry& entry : menu.entries) {
            shown << entry.text;
        }
        QCOMPARE(shown, entries);
        QStringList left;
        for (const skin::MenuEntry& entry : menu.entries.front().submenu) {
            left << entry.text;
        }
        QCOMPARE(left, leftButton);
        QCOMPARE(menu.entries.back().command, int(kPopupDelete));
        QCOMPARE(Content(h, kPageMacro), (QStringList{"A Down", "<10 ms>", "A UP"}));
        // No menu over a row without an item, nor while a recording runs.
        RightClick(h, kIdFirstMacroContentRow + 3);
        h.click(kIdRecordMacro);
        RightClick(h, kIdFirstMacroContentRow);
        QCOMPARE(h.dialogs.menus.size(), std::size_t{1});
    }

    void menuCommandsInsertMouseEvents_data() {
        QTest::addColumn<bool>("fixedInterval");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("command");
        QTest::addColumn<QStringList>("expected");
        const QString left = QStringLiteral("Mouse Key Left");
        const QString right = QStringLiteral("Mouse Key Right");
        const QString middle = QStringLiteral("Mouse Key Middle");
        const QString zero = QStringLiteral("<0 ms>");
        // Recorded delays: A Down, <10 ms>, A UP. Before an event each event goes with a zero
        // delay after it, before a delay with a zero delay in front of it.
        QTest::newRow("left press, before an event")
            << false << 0 << int(kPopupLeftPress)
            << QStringList{left, zero, "A Down", "<10 ms>", "A UP"};
        QTest::newRow("left release, before a delay")
            << false << 1 << int(kPopupLeftRelease)
            << QStringList{"A Down", zero, left, "<10 ms>", "A UP"};
        QTest::newRow("left click, before an event")
            << false << 2 << int(kPopupLeftClick)
            << QStringList{"A Down", "<10 ms>", left, zero, left, zero, "A UP"};
        QTest::newRow("right press, before a delay")
            << false << 1 << int(kPopupRightPress)
            << QStringList{"A Down", zero, right, "<10 ms>", "A UP"};
        QTest::newRow("right release, before an event")
            << false << 2 << int(kPopupRightRelease)
            << QStringList{"A Down", "<10 ms>", right, zero, "A UP"};
        QTest::newRow("right click, before a delay")
            << false << 1 << int(kPopupRightClick)
            << QStringList{"A Down", zero, right, zero, right, "<10 ms>", "A UP"};
        QTest::newRow("middle press, before an event")
            << false << 0 << int(kPopupMiddlePress)
            << QStringList{middle, zero, "A Down", "<10 ms>", "A UP"};
        QTest::newRow("wheel up, before a delay")
            << false << 1 << int(kPopupWheelUp)
            << QStringList{"A Down", zero, "Mouse Wheel Up", "<10 ms>", "A UP"};
        // A fixed interval: A Down, A UP; events only.
        QTest::newRow("middle release, fixed interval")
            << true << 1 << int(kPopupMiddleRelease) << QStringList{"A Down", middle, "A UP"};
        QTest::newRow("middle click, fixed interval")
            << true << 0 << int(kPopupMiddleClick) << QStringList{middle, middle, "A Down", "A UP"};
        QTest::newRow("left click, fixed interval")
            << true << 1 << int(kPopupLeftClick) << QStringList{"A Down", left, left, "A UP"};
        QTest::newRow("wheel down, fixed interval")
            << true << 1 << int(kPopupWheelDown) << QStringList{"A Down", "Mouse Wheel Dn", "A UP"};
    }

    void menuCommandsInsertMouseEvents() {
        QFETCH(bool, fixedInterval);
        QFETCH(int, row);
        QFETCH(int, command);
        QFETCH(QStringList, expected);
        KeySettingsHarness h;
        OpenMacroPage(h, fixedInterval ? ListOf({"A Down", "A UP"}, true)
                                       : ListOf({"A Down", "<10 ms>", "A UP"}));
        h.dialogs.menuChoices = {command};
        RightClick(h, kIdFirstMacroContentRow + row);
        QCOMPARE(ShownRows(h, kIdFirstMacroContentRow), expected);
        QCOMPARE(Stored(h, kPageMacro), expected);
        skin::ScrollInfo info;
        h.dialog->contentScroll().GetScrollInfo(info);
        QCOMPARE(info.nMax, int(expected.size()) + kContentRows - 1);
    }

    // Insertions never take a macro beyond its limit: the list is cut back at its end.
    void menuInsertionsAtTheLimit_data() {
        QTest::addColumn<bool>("fixedInterval");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("limit");
        QTest::newRow("798 items with recorded delays") << false << 798 << 799;
        QTest::newRow("1599 events at a fixed interval") << true << 1599 << 1600;
    }

    void menuInsertionsAtTheLimit() {
        QFETCH(bool, fixedInterval);
        QFETCH(int, count);
        QFETCH(int, limit);
        KeySettingsHarness h;
        OpenMacroPage(h, ListOf(Alternating(count, fixedInterval), fixedInterval));
        h.dialogs.menuChoices = {kPopupLeftClick};
        RightClick(h, kIdFirstMacroContentRow);
        const QStringList content = Content(h, kPageMacro);
        QCOMPARE(content.size(), limit);
        QCOMPARE(content.first(), QStringLiteral("Mouse Key Left"));
        QCOMPARE(Stored(h, kPageMacro).size(), limit);
    }

    // "Delete" removes the right-clicked item; with recorded delays the delay that goes with
    // it too, and never more than the list holds.
    void menuDeletes_data() {
        QTest::addColumn<QStringList>("items");
        QTest::addColumn<bool>("fixedInterval");
        QTest::addColumn<int>("selectedRow");
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("expected");
        const QStringList macro{"A Down", "<10 ms>", "A UP", "<20 ms>", "B Down", "<50 ms>"};
        QTest::newRow("the selected event and the delay after it")
            << macro << false << 2 << 2 << QStringList{"A Down", "<10 ms>", "B Down", "<50 ms>"};
        QTest::newRow("a delay and the event after it, another row selected")
            << macro << false << 4 << 1 << QStringList{"A Down", "<20 ms>", "B Down", "<50 ms>"};
        QTest::newRow("the final delay alone")
            << macro << false << 5 << 5
            << QStringList{"A Down", "<10 ms>", "A UP", "<20 ms>", "B Down"};
        QTest::newRow("the last event and the delay before it")
            << QStringList{"A Down", "<10 ms>", "A UP"} << false << 2 << 2 << QStringList{"A Down"};
        QTest::newRow("the only event")
            << QStringList{"A Down"} << false << 0 << 0 << QStringList{};
        QTest::newRow("one event at a fixed interval")
            << QStringList{"A Down", "A UP", "B Down"} << true << 1 << 1
            << QStringList{"A Down", "B Down"};
    }

    void menuDeletes() {
        QFETCH(QStringList, items);
        QFETCH(bool, fixedInterval);
        QFETCH(int, selectedRow);
        QFETCH(int, row);
        QFETCH(QStringList, expected);
        KeySettingsHarness h;
        OpenMacroPage(h, ListOf(items, fixedInterval));
        h.click(kIdFirstMacroContentRow + selectedRow);
        h.dialogs.menuChoices = {kPopupDelete};
        RightClick(h, kIdFirstMacroContentRow + row);
        QCOMPARE(ShownRows(h, kIdFirstMacroContentRow), expected);
        QCOMPARE(Stored(h, kPageMacro), expected);
    }

    // A right click commits an open delay editor before the menu works on the list.
    void rightClickCommitsTheDelayEditorFirst() {
        KeySettingsHarness h;
        OpenMacroPage(h, ListOf({"A Down", "<10 ms>", "A UP"}));
        h.click(kIdFirstMacroContentRow + 1);
        h.click(kIdFirstMacroContentRow + 1);
        h.dialog->inPlaceEdit().setText(QStringLiteral("99"));
        h.dialogs.menuChoices = {kPopupWheelUp};
        RightClick(h, kIdFirstMacroContentRow + 1);
        QVERIFY(!h.dialog->inPlaceEdit().isVisible());
        QCOMPARE(Content(h, kPageMacro),
                 (QStringList{"A Down", "<0 ms>", "Mouse Wheel Up", "<99 ms>", "A UP"}));
    }

    // ---- Emulations ---------------------------------------------------------------------

    void recordingAnEmulation() {
        KeySettingsHarness h;
        h.config.predefinedEmu = LibraryOf(ListOf({"X"}));
        h.open(kKeyA, 0);
        h.click(TabId(kPageEmulation));
        h.click(kIdRecordEmu);
        QVERIFY(Emulations(h).recording());
        QVERIFY(h.selected(kIdRecordEmu));
        QVERIFY(h.dialog->findItem(kLabelEmuRecordStop)->textVisible);
        QCOMPARE(Stored(h, kPageEmulation), QStringList{"X"});  // until the stop
        h.tap(kVkA);
        h.tap(kVkA);
        h.tap(kVkB);
        QCOMPARE(ShownRows(h, kIdFirstEmuContentRow), (QStringList{"A", "A", "B"}));
        for (int repeat = 0; repeat < 3; ++repeat) {
            h.press('C');  // held: one key
        }
        h.release('C');
        for (int vk : std::initializer_list<int>{'D', 'E', 'F'}) {
            h.tap(vk);  // the seventh key is dropped
        }
        QCOMPARE(ShownRows(h, kIdFirstEmuContentRow), (QStringList{"A", "A", "B", "C", "D", "E"}));
        h.click(kIdFirstEmuContentRow + 2);  // stops, selects nothing
        QVERIFY(!Emulations(h).recording());
        QVERIFY(h.dialog->findItem(kLabelEmuRecordStart)->textVisible);
        QCOMPARE(Stored(h, kPageEmulation), (QStringList{"A", "A", "B", "C", "D", "E"}));
        h.click(kIdFirstEmuContentRow + 2);
        QVERIFY(h.selected(kIdFirstEmuContentRow + 2));
        QVERIFY(!h.selected(kIdFirstEmuContentRow + 5));
        h.click(kIdOk);
        QCOMPARE(h.config.keyMode[kKeyA][0], int(KindEmulation));
        QCOMPARE(Texts(h.config.keyList[kKeyA][0]), (QStringList{"A", "A", "B", "C", "D", "E"}));
    }

    void emulationIntervalKeepsItsRangeAndItsPage() {
        KeySettingsHarness h;
        h.config.predefinedEmu = LibraryOf(ListOf({"A", "B"}));
        h.open(kKeyA, 0);
        h.click(TabId(kPageEmulation));
        NumericEdit& interval = h.dialog->countEdit();
        QCOMPARE(interval.text(), QStringLiteral("30"));
        Type(interval, QStringLiteral("7000"));
        QCOMPARE(interval.text(), QStringLiteral("6000"));
        QCOMPARE(Emulations(h).list().library().SubLists()[0].Delay, 6000);
        interval.clear();
        QCOMPARE(interval.text(), QString());
        QCOMPARE(Emulations(h).list().library().SubLists()[0].Delay, 0);
        Type(interval, QStringLiteral("500"));
        // The same edit is the macro's repeat count on page 2; each page keeps its value.
        h.click(TabId(kPageMacro));
        QCOMPARE(h.dialog->countEdit().text(), QStringLiteral("1"));
        QCOMPARE(Emulations(h).list().content().Delay, 500);
        h.click(TabId(kPageEmulation));
        QCOMPARE(interval.text(), QStringLiteral("500"));
        h.click(kIdOk);
        QCOMPARE(h.config.keyList[kKeyA][0].Delay, 500);
    }

    // ---- Icon pages ---------------------------------------------------------------------

    void iconsAreChosenSwitchedAndWithdrawn_data() {
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("icon");
        QTest::addColumn<int>("other");
        QTest::addColumn<int>("hwCode");
        QTest::addColumn<int>("kind");
        QTest::newRow("Multimedia, Mute") << 4 << 408 << 402 << 112 << int(KindMultimedia);
        QTest::newRow("Mouse, Left Double Click") << 5 << 511 << 512 << 199 << int(KindMouse);
        QTest::newRow("Function, Game mode") << 6 << 607 << 632 << 171 << int(KindFunction);
        QTest::newRow("Power, Sleep") << 7 << 702 << 701 << 76 << int(KindPower);
    }

    void iconsAreChosenSwitchedAndWithdrawn() {
        QFETCH(int, page);
        QFETCH(int, icon);
        QFETCH(int, other);
        QFETCH(int, hwCode);
        QFETCH(int, kind);
        KeySettingsHarness h;
        h.open(kKeyA, 0);
        h.click(TabId(page));
        const auto chosen = [&]() {
            std::vector<int> ids;
            for (const IconSpec& plan : IconPageLayout(page).icons) {
                if (h.selected(plan.id)) {
                    ids.push_back(plan.id);
                }
            }
            return ids;
        };
        const std::vector<int> none;
        QCOMPARE(chosen(), none);
        h.click(icon);
        QCOMPARE(chosen(), std::vector<int>{icon});
        h.click(other);
        QCOMPARE(chosen(), std::vector<int>{other});
        h.click(other);  // withdrawn
        QCOMPARE(chosen(), none);
        h.click(icon);
        h.click(TabId(kPageSingleCombo));  // the choice survives page switches
        h.click(TabId(page));
        QCOMPARE(chosen(), std::vector<int>{icon});
        const int otherLayerKind = h.config.keyMode[kKeyA][1];
        h.click(kIdOk);
        QCOMPARE(h.config.keyMode[kKeyA][0], kind);
        QCOMPARE(h.config.keyHWCode[kKeyA][0], hwCode);
        QCOMPARE(h.config.keyMode[kKeyA][1], otherLayerKind);
    }

    void withdrawnChoiceLeavesTheKeyNotSet() {
        KeySettingsHarness h;
        h.config.keyMode[kKeyA][0] = KindMultimedia;
        h.config.keyHWCode[kKeyA][0] = 112;
        h.open(kKeyA, 0);
        QCOMPARE(h.dialog->currentPage(), kPageMultimedia);
        QVERIFY(h.selected(408));  // "Mute" chosen
        h.click(408);
        QVERIFY(!h.selected(408));
        h.click(kIdOk);
        QCOMPARE(h.config.keyMode[kKeyA][0], int(KindNotSet));
    }

    void leftFnIconSetsAllThreeLayers() {
        KeySettingsHarness h;
        h.open(kKeyFn, 1);
        h.click(TabId(kPageFunction));
        h.click(608);
        h.click(kIdOk);
        for (std::size_t layer = 0; layer < 3; ++layer) {
            QCOMPARE(h.config.keyMode[kKeyFn][layer], int(KindFunction));
            QCOMPARE(h.config.keyHWCode[kKeyFn][layer], 166);
        }
    }

    // Tips name the icons of pages 4, 6 and 7; the Mouse page's labels name its icons.
    void iconNamesInBothLanguages_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<int>("page");
        QTest::addColumn<int>("icon");
        QTest::addColumn<QString>("name");
        QTest::newRow("Mute") << "en-US" << 4 << 408 << "Mute";
        QTest::newRow("静音") << "zh-CN" << 4 << 408 << "静音";
        QTest::newRow("Bluetooth device5") << "en-US" << 6 << 618 << "Bluetooth device5";
        QTest::newRow("背光呼吸") << "zh-CN" << 6 << 627 << "背光呼吸";
        QTest::newRow("Sleep") << "en-US" << 7 << 702 << "Sleep";
        QTest::newRow("睡眠") << "zh-CN" << 7 << 702 << "睡眠";
        QTest::newRow("First Delay") << "en-US" << 5 << 514 << "First Delay";
        QTest::newRow("左键双击") << "zh-CN" << 5 << 511 << "左键双击";
    }

    void iconNamesInBothLanguages() {
        QFETCH(QString, language);
        QFETCH(int, page);
        QFETCH(int, icon);
        QFETCH(QString, name);
        const QByteArray code = language.toLatin1();
        KeySettingsHarness h(kDeviceTypePrsmBle, code.constData());
        h.open(kKeyA, 0);
        h.click(TabId(page));
        QTest::mouseMove(h.dialog.get(), QPoint(300, 300));
        QTest::mouseMove(h.dialog.get(), h.centreOf(icon));
        if (page == kPageMouse) {
            QCOMPARE(h.caption(icon + 50), name);  // the label on the icon
            QTest::qWait(TipControl::kDelayMs * 2);
            QVERIFY(!h.dialog->tip().isVisible());
        } else {
            QTRY_VERIFY(h.dialog->tip().isVisible());
            QCOMPARE(h.dialog->tip().text(), name);
        }
    }
};

QTEST_MAIN(KeySettingsPagesTest)
#include "KeySettingsPagesTest.moc"
