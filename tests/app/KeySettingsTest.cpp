// The key settings dialog's frame and page 1 on the simulated keyboard: clicks at the design
// rectangles, keystrokes posted as the hook posts them, and the model, the shown texts and the
// libraries checked after each step.
#include "CSkinScrollBar.h"
#include "DialogLook.h"
#include "IconChoicePage.h"
#include "InPlaceEditor.h"
#include "KeySettingsHarness.h"
#include "MacroPage.h"
#include "MainWindowHarness.h"
#include "NumericEdit.h"
#include "SingleComboPage.h"
#include "TipControl.h"

#include <QApplication>
#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>
#include <linux/input-event-codes.h>

#include <map>

using model::CItemList;
using model::CKeyboardConfig;
using model::KindCombo;
using model::KindEmulation;
using model::KindFunction;
using model::KindMacro;
using model::KindMouse;
using model::KindMultimedia;
using model::KindNotSet;
using model::KindPower;
using model::KindSingle;

using testkit::KeySettingsHarness;
using namespace keysettings;

namespace {

constexpr int kKeyA = 46;
constexpr int kKeyFn = 78;
constexpr int kVkA = 'A';
constexpr int kVkB = 'B';
constexpr int kVkS = 'S';
constexpr int kVkEnter = 0x0D;
constexpr int kVkLeftShift = 0xA0;
constexpr int kVkRightShift = 0xA1;
constexpr int kVkLeftControl = 0xA2;
constexpr int kVkShift = 0x10;

std::size_t Index(int value) {
    return static_cast<std::size_t>(value);
}

int& Mode(CKeyboardConfig& config, int key, int layer) {
    return config.keyMode[Index(key)][Index(layer)];
}

CItemList& Slot(CKeyboardConfig& config, int key, int layer) {
    return config.keyList[Index(key)][Index(layer)];
}

CItemList ListOf(std::initializer_list<const wchar_t*> names) {
    CItemList list;
    for (const wchar_t* name : names) {
        list.Append(name);
    }
    return list;
}

// A combination library of named entries, each holding the given keys.
CItemList Library(std::initializer_list<std::pair<const wchar_t*, CItemList>> entries) {
    CItemList library;
    for (const auto& [name, keys] : entries) {
        library.Append(name);
        library.SetSubList(library.CursorPos, keys);
    }
    library.Select(0);
    return library;
}

std::vector<std::wstring> Names(const CItemList& list) {
    return list.Items();
}

// Drags the bar's thumb far past its end, as a user flinging it down.
void DragThumbPastTheEnd(skin::CSkinScrollBar& bar) {
    const QPoint thumb = bar.partRect(bar.hitLayout(), skin::kPartThumb).center();
    const QPoint far(thumb.x(), bar.height() + 300);
    QTest::mousePress(&bar, Qt::LeftButton, {}, thumb);
    QTest::mouseMove(&bar, far);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, far);
}

skin::ScrollInfo InfoOf(const skin::CSkinScrollBar& bar) {
    skin::ScrollInfo info;
    bar.GetScrollInfo(info);
    return info;
}

CItemList NumberedLibrary(int count) {
    CItemList library;
    for (int n = 0; n < count; ++n) {
        library.Append(QStringLiteral("Entry %1").arg(n).toStdWString());
        library.SetSubList(library.CursorPos, ListOf({L"A"}));
    }
    library.Select(0);
    return library;
}

QString ComboText(KeySettingsHarness& h) {
    h.face();
    return h.dialog->comboText().toPlainText();
}

}  // namespace

class KeySettingsTest : public QObject {
    Q_OBJECT

private slots:
    // ---- The frame ---------------------------------------------------------------------

    void opensOnThePageOfTheKeysKind_data() {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("hwCode");
        QTest::addColumn<int>("page");
        QTest::newRow("not set") << int(KindNotSet) << 0 << 1;
        QTest::newRow("single") << int(KindSingle) << 43 << 1;
        QTest::newRow("combo") << int(KindCombo) << 0 << 1;
        QTest::newRow("macro") << int(KindMacro) << 0 << 2;
        QTest::newRow("emulation") << int(KindEmulation) << 0 << 3;
        QTest::newRow("multimedia") << int(KindMultimedia) << 112 << 4;
        QTest::newRow("mouse") << int(KindMouse) << 130 << 5;
        QTest::newRow("function") << int(KindFunction) << 166 << 6;
        QTest::newRow("power") << int(KindPower) << 76 << 7;
        QTest::newRow("kind out of range") << 42 << 0 << 1;
    }
    void opensOnThePageOfTheKeysKind() {
        QFETCH(int, kind);
        QFETCH(int, hwCode);
        QFETCH(int, page);
        KeySettingsHarness h;
        Mode(h.config, kKeyA, 1) = kind;
        h.config.keyHWCode[kKeyA][1] = hwCode;
        Slot(h.config, kKeyA, 1) = ListOf({L"A"});
        h.open(kKeyA, 1);
        QCOMPARE(h.dialog->currentPage(), page);
        QCOMPARE(h.dialog->size(), QSize(kFaceSize.width, kFaceSize.height));
        QCOMPARE(h.dialog->windowTitle(), QStringLiteral("Key Settings"));
        if (page >= 4) {
            QCOMPARE(static_cast<IconChoicePage&>(h.dialog->page(page)).code(), hwCode);
        }
        // Only page 1 shows the combination's text box; no page shows the editor yet.
        QCOMPARE(h.dialog->comboText().isVisible(), page == 1);
        QVERIFY(!h.dialog->inPlaceEdit().isVisible());
        QCOMPARE(h.dialog->countEdit().isVisible(), page == 2 || page == 3);
        QCOMPARE(h.dialog->delayEdit().isVisible(), page == 2);
        QCOMPARE(h.dialog->delayEdit().isEnabled(), false);
    }

    void tabsShowTheirPagesAndOnlyThatPageAnswers() {
        KeySettingsHarness h;
        h.open(kKeyA, 0);
        for (int page = kPageCount; page >= 1; --page) {
            h.click(TabId(page));
            QCOMPARE(h.dialog->currentPage(), page);
            QCOMPARE(h.face().pixelColor(3 + 78 * (page - 1) + 40, 50),
                     testkit::ArtworkImage(PageImagesFor(page, 1).base)
                         .pixelColor(3 + 78 * (page - 1) + 40, 50));
        }
        // Page 1's "Combo" switch is no target while page 4 shows.
        h.click(TabId(kPageMultimedia));
        QTest::mouseClick(h.dialog.get(), Qt::LeftButton, {}, h.centreOf(kIdComboSwitch));
        QTRY_VERIFY(!h.dialog->clickPending());
        QVERIFY(h.dialog->singleComboPage().singleMode());
        QCOMPARE(h.dialog->singleComboPage().singleMode(), true);
    }

    void functionPageFaceFollowsTheModel_data() {
        QTest::addColumn<int>("model");
        QTest::addColumn<int>("image");
        QTest::newRow("Z9RT(PRSM)Ble") << int(kDeviceTypePrsmBle) << 122;
        QTest::newRow("Z9RT(S)Ble") << int(kDeviceTypeSBle) << 151;
        QTest::newRow("Z9RT(S)") << int(kDeviceTypeS) << 152;
        QTest::newRow("Z9RT(PRSM)") << int(kDeviceTypePrsm) << 153;
    }
    void functionPageFaceFollowsTheModel() {
        QFETCH(int, model);
        QFETCH(int, image);
        KeySettingsHarness h(model);
        h.open(kKeyA, 0);
        h.click(TabId(kPageFunction));
        const QImage expected = testkit::ArtworkImage(image);
        QVERIFY(!expected.isNull());
        // The model's name in the panel's corner is the face's own.
        const QRect corner(420, 84, 130, 16);
        QCOMPARE(h.face().copy(corner),
                 expected.convertToFormat(QImage::Format_RGB32).copy(corner));
    }

    // A double click: the first release is dropped, the second is a click of its own.
    void doubleClickDropsTheFirstRelease() {
        KeySettingsHarness h;
        h.open(kKeyA, 0, DoubleClickRule::kWait);
        const QPoint at = h.centreOf(kIdSingleSwitch);
        QTest::mousePress(h.dialog.get(), Qt::LeftButton, {}, at);
        QTest::mouseRelease(h.dialog.get(), Qt::LeftButton, {}, at);
        QVERIFY(h.dialog->clickPending());  // the window waits on a timer, not in a loop
        QMouseEvent second(QEvent::MouseButtonDblClick, at, h.dialog->mapToGlobal(at),
                           Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(h.dialog.get(), &second);
        QTest::mouseRelease(h.dialog.get(), Qt::LeftButton, {}, at);
        QTRY_VERIFY(!h.dialog->clickPending());
        // One toggle: "Single" was chosen, now "Combo" is.
        QVERIFY(!h.dialog->singleComboPage().singleMode());
        // A single click later toggles again, after the wait.
        h.click(kIdComboSwitch);
        QVERIFY(h.dialog->singleComboPage().singleMode());
    }

    void okCancelCloseEscapeAndEnter_data() {
        QTest::addColumn<QString>("how");
        QTest::addColumn<int>("result");
        QTest::addColumn<bool>("written");
        QTest::newRow("OK") << "ok" << 1 << true;
        QTest::newRow("Enter confirms as OK") << "enter" << 1 << true;
        QTest::newRow("Cancel") << "cancel" << 2 << false;
        QTest::newRow("close box") << "close" << 2 << false;
        QTest::newRow("Escape") << "escape" << 2 << false;
    }
    void okCancelCloseEscapeAndEnter() {
        QFETCH(QString, how);
        QFETCH(int, result);
        QFETCH(bool, written);
        KeySettingsHarness h;
        h.open(kKeyA, 0);  // "A": single key 43
        h.click(kIdCaptureSingle);
        h.tap(kVkB);
        h.click(kIdCaptureSingle);  // stops the capture
        QCOMPARE(h.dialog->singleComboPage().singleKeyCode(), kVkB);
        if (how == "ok") {
            h.click(kIdOk);
        } else if (how == "enter") {
            QTest::keyClick(h.dialog.get(), Qt::Key_Return);
        } else if (how == "cancel") {
            h.click(kIdCancel);
        } else if (how == "close") {
            h.click(kIdClose);
        } else {
            QTest::keyClick(h.dialog.get(), Qt::Key_Escape);
        }
        QCOMPARE(h.result(), result);
        QCOMPARE(h.config.keyMode[kKeyA][0], int(KindSingle));
        QCOMPARE(h.config.keyHWCode[kKeyA][0], written ? h.config.vkToHw[kVkB] : 43);
    }

    void clearThenOkLeavesTheSlotNotSet() {
        KeySettingsHarness h;
        Mode(h.config, kKeyA, 0) = KindPower;
        h.config.keyHWCode[kKeyA][0] = 76;
        h.open(kKeyA, 0);
        QCOMPARE(h.dialog->currentPage(), kPagePower);
        h.click(kIdClear);
        QCOMPARE(h.dialog->currentPage(), kPageSingleCombo);
        QCOMPARE(h.caption(kLabelSingleKey), QStringLiteral("-- --"));
        QVERIFY(h.selected(kIdSingleSwitch));
        QVERIFY(h.selected(kLabelSingle));
        QVERIFY(!h.selected(kIdComboSwitch));
        h.click(kIdOk);
        QCOMPARE(h.result(), 1);
        QCOMPARE(h.config.keyMode[kKeyA][0], int(KindNotSet));
        QCOMPARE(h.config.keyHWCode[kKeyA][0], 76);  // the other store is left as it was
    }

    // "Default" shows the page of the key's default code; only "OK" changes the slot. One key
    // of each page the defaults lead to, and a key without a default (code 0).
    void defaultShowsThePageOfTheDefaultCode() {
        const auto expectedPage = [](int g) -> int {
            if (g == 76)
                return kPagePower;
            if (g < 108 || g == 203 || g == 204)
                return kPageSingleCombo;
            if (g < 126)
                return kPageMultimedia;
            if (g < 135 || g == 157 || g == 158 || g == 173)
                return kPageMouse;
            if (g >= 199)
                return 0;
            return kPageFunction;
        };
        struct Case {
            int key;
            int layer;
            int hwCode;
        };
        std::map<int, Case> byPage;  // page 1 from a key with a code, -1 for code 0
        KeySettingsHarness probe;
        for (int key = 1; key <= kKeyCount; ++key) {
            for (int layer = 0; layer < kLayerCount; ++layer) {
                const int g = probe.config.DefaultHWCode(key, layer);
                byPage.emplace(g == 0 ? -1 : expectedPage(g), Case{key, layer, g});
            }
        }
        for (int page : {-1, 1, 4, 5, 6}) {
            QVERIFY2(byPage.count(page) == 1, qPrintable(QString::number(page)));
        }
        for (const auto& [page, c] : byPage) {
            KeySettingsHarness h;
            Mode(h.config, c.key, c.layer) = KindNotSet;
            h.open(c.key, c.layer);
            h.click(TabId(kPageMouse));
            h.click(kIdDefault);
            const int shown = page == 0 ? kPageMouse : page == -1 ? kPageSingleCombo : page;
            QCOMPARE(h.dialog->currentPage(), shown);
            QCOMPARE(Mode(h.config, c.key, c.layer), int(KindNotSet));
            if (shown == kPageSingleCombo) {
                QVERIFY(h.dialog->singleComboPage().singleMode());
                QCOMPARE(h.dialog->singleComboPage().singleKeyCode(),
                         h.config.hwToVk[Index(c.hwCode)]);
            } else if (page != 0) {
                QCOMPARE(static_cast<IconChoicePage&>(h.dialog->page(page)).code(), c.hwCode);
            }
            h.click(kIdOk);
            if (page == -1) {
                // No default: the code of "-- --" (1023) has no HW code; the slot stays unset.
                QCOMPARE(h.dialog->singleComboPage().singleKeyCode(), 1023);
                QCOMPARE(h.caption(kLabelSingleKey), QStringLiteral("-- --"));
                QCOMPARE(Mode(h.config, c.key, c.layer), int(KindNotSet));
            } else if (page != 0) {
                QVERIFY(Mode(h.config, c.key, c.layer) != KindNotSet);
                QCOMPARE(h.config.keyHWCode[Index(c.key)][Index(c.layer)], c.hwCode);
            }
        }
    }

    void fnKeyChosenOnTheFunctionPageGoesToAllLayers() {
        KeySettingsHarness h;
        h.open(kKeyFn, 0);
        h.click(TabId(kPageFunction));
        static_cast<IconChoicePage&>(h.dialog->page(kPageFunction)).setCode(166);  // LeftFN
        h.click(kIdOk);
        for (int layer = 0; layer < kLayerCount; ++layer) {
            QCOMPARE(h.config.keyHWCode[kKeyFn][Index(layer)], 166);
            QCOMPARE(Mode(h.config, kKeyFn, layer), int(KindFunction));
        }
        // Any other function code stays on its layer.
        KeySettingsHarness other;
        other.open(kKeyA, 1);
        other.click(TabId(kPageFunction));
        static_cast<IconChoicePage&>(other.dialog->page(kPageFunction)).setCode(140);
        other.click(kIdOk);
        QCOMPARE(Mode(other.config, kKeyA, 1), int(KindFunction));
        QCOMPARE(Mode(other.config, kKeyA, 0), int(KindSingle));
    }

    // Only the library of the page showing is written back.
    void onlyTheLibraryOfThePageShowingIsWrittenBack() {
        KeySettingsHarness h;
        const CItemList macros = h.config.predefinedMacro;
        h.open(kKeyA, 0);
        h.click(TabId(kPageMacro));
        static_cast<MacroPage&>(h.dialog->page(kPageMacro)).list().newEntry();
        h.click(TabId(kPageSingleCombo));  // names the new entry
        h.click(TabId(kPageSingleCombo));
        h.click(kIdOk);
        QVERIFY(CItemList::SameContent(h.config.predefinedMacro, macros));
        QCOMPARE(h.config.predefinedMacro.Count(), macros.Count());
    }

    void comboOutsideTheLibraryAddsADefaultEntry_data() {
        QTest::addColumn<int>("closeWith");
        QTest::newRow("Cancel discards it") << int(kIdCancel);
        QTest::newRow("OK keeps it") << int(kIdOk);
    }
    void comboOutsideTheLibraryAddsADefaultEntry() {
        QFETCH(int, closeWith);
        KeySettingsHarness h;
        h.config.predefinedCombo = Library({{L"Copy", ListOf({L"LCTRL", L"C"})}});
        Mode(h.config, kKeyA, 0) = KindCombo;
        Slot(h.config, kKeyA, 0) = ListOf({L"LALT", L"TAB"});
        h.open(kKeyA, 0);
        QVERIFY(!h.dialog->singleComboPage().singleMode());
        QVERIFY(h.selected(kIdComboSwitch));
        QCOMPARE(h.caption(kIdFirstComboRow + 1), QStringLiteral("default"));
        QVERIFY(h.selected(kIdFirstComboRow + 1));
        QCOMPARE(ComboText(h), QStringLiteral("LALT + TAB"));
        h.click(closeWith);
        if (closeWith == kIdOk) {
            QCOMPARE(Names(h.config.predefinedCombo),
                     (std::vector<std::wstring>{L"Copy", L"default"}));
            QCOMPARE(Names(h.config.predefinedCombo.SubLists()[1]),
                     (std::vector<std::wstring>{L"LALT", L"TAB"}));
            QCOMPARE(Mode(h.config, kKeyA, 0), int(KindCombo));
        } else {
            QCOMPARE(Names(h.config.predefinedCombo), (std::vector<std::wstring>{L"Copy"}));
        }
    }

    // ---- Keystrokes -------------------------------------------------------------------

    void keystrokeCodesFromTheHook() {
        KeySettingsHarness h;
        h.config.predefinedCombo = Library({{L"Keys", CItemList()}});
        h.open(kKeyA, 0);
        h.click(kIdComboSwitch);
        h.click(kIdRecordCombo);
        h.press(kVkEnter, true);  // keypad Enter
        h.release(kVkEnter, true);
        h.press(kVkEnter);  // the main Enter
        h.press(kVkLeftControl);
        h.click(kIdRecordCombo);  // stops
        QCOMPARE(Names(h.dialog->singleComboPage().list().content()),
                 (std::vector<std::wstring>{L"(Enter)", L"ENTER", L"LCTRL"}));
    }

    void decoderGivesCodesSidesAndTimes() {
        using Clock = HookKeyDecoder::Clock;
        HookKeyDecoder decoder;
        const Clock::time_point t0 = Clock::now();
        HookKey key = decoder.decode(kVkEnter, 0x01000000, t0);
        QCOMPARE(key.code, 0x10D);
        QCOMPARE(key.elapsedMs, 65535);  // nothing before it since the start
        QCOMPARE(key.previousCode, -1);
        key =
            decoder.decode(0x80000000u | kVkEnter, 0x01000000, t0 + std::chrono::milliseconds(120));
        QCOMPARE(key.code, 0x30D);
        QVERIFY(key.released);
        QCOMPARE(key.elapsedMs, 120);
        QCOMPARE(key.previousCode, 0x10D);
        key = decoder.decode(0x40000000u | 'S', 0, t0 + std::chrono::seconds(100));
        QCOMPARE(key.code, int('S'));  // the system-key bit is ignored
        QCOMPARE(key.elapsedMs, 65535);
        decoder.restart();
        QCOMPARE(decoder.decode('S', 0, t0).previousCode, -1);

        // Releases of the generic Shift: the side whose state changed since the last one.
        KeyHookRecord right;
        right.vkCode = kVkRightShift;
        InstallHook(nullptr);
        KeyBoardProc(0, WM_KEYDOWN, &right);
        QCOMPARE(decoder.decode(kVkShift, 0, t0).code, kVkRightShift);
        QCOMPARE(decoder.decode(0x80000000u | kVkShift, 0, t0).code, 0x200 | kVkRightShift);
        QCOMPARE(decoder.decode(0x80000000u | kVkShift, 0, t0).code, 0x200 | kVkShift);
        KeyBoardProc(0, WM_KEYUP, &right);
        QCOMPARE(decoder.decode(0x80000000u | kVkShift, 0, t0).code, 0x200 | kVkRightShift);
        UninstallHook();
    }

    // ---- Page 1: single keys ----------------------------------------------------------

    void capturingKeepsTheLastPressAndSkipsRepeats() {
        KeySettingsHarness h;
        h.open(kKeyA, 0);
        h.click(kIdCaptureSingle);
        QVERIFY(h.dialog->singleComboPage().singleCapturing());
        QVERIFY(h.selected(kIdCaptureSingle));
        QVERIFY(!h.dialog->findItem(kLabelCaptureStart)->textVisible);
        QVERIFY(h.dialog->findItem(kLabelCaptureStop)->textVisible);
        h.tap(kVkA);
        QCOMPARE(h.caption(kLabelSingleKey), QStringLiteral("A"));
        h.tap(kVkB);
        QCOMPARE(h.caption(kLabelSingleKey), QStringLiteral("B"));
        h.click(kIdNewCombo);  // a click elsewhere stops the capture, and does no more
        QVERIFY(!h.dialog->singleComboPage().singleCapturing());
        QVERIFY(!h.dialog->capture().active());
        QVERIFY(h.dialog->findItem(kLabelCaptureStart)->textVisible);
        QVERIFY(!h.dialog->findItem(kLabelCaptureStop)->textVisible);
        QCOMPARE(h.dialog->singleComboPage().singleKeyCode(), kVkB);
        h.tap(kVkA);  // after the stop keystrokes change nothing
        QCOMPARE(h.dialog->singleComboPage().singleKeyCode(), kVkB);

        // A key without HW code: one message per press, however long it is held.
        int noHw = 1;
        while (h.config.vkToHw[Index(noHw)] != 0) {
            ++noHw;
        }
        h.dialogs.messages.clear();
        h.click(kIdCaptureSingle);
        h.press(noHw);
        h.press(noHw);
        h.press(noHw);
        h.release(noHw);
        const QStringList shown = h.dialogs.messageTexts().filter(QStringLiteral("a="));
        QCOMPARE(shown, QStringList{QStringLiteral("a=%1, b=0, c=1023").arg(noHw)});
        QCOMPARE(h.dialogs.messages.back().caption, QCoreApplication::applicationName());
        QCOMPARE(h.caption(kLabelSingleKey), QStringLiteral("-- --"));
        h.click(kIdOk);  // stops the capture and confirms: no HW code, the slot stays unset
        QCOMPARE(h.result(), 1);
        QCOMPARE(Mode(h.config, kKeyA, 0), int(KindNotSet));
    }

    void capturingTheKeypadEnter() {
        KeySettingsHarness h;
        Mode(h.config, kKeyA, 2) = KindNotSet;
        h.open(kKeyA, 2);
        h.click(kIdCaptureSingle);
        h.press(kVkEnter, true);
        QCOMPARE(h.dialog->singleComboPage().singleKeyCode(), 0x10D);
        QCOMPARE(h.caption(kLabelSingleKey), QStringLiteral("(Enter)"));
        h.release(kVkEnter, true);
        h.click(kIdOk);
        QCOMPARE(h.config.keyHWCode[kKeyA][2], 107);
        QCOMPARE(Mode(h.config, kKeyA, 2), int(KindSingle));
    }

    void singleKeyButtonsNeedTheSingleMode() {
        KeySettingsHarness h;
        h.open(kKeyA, 0);
        h.click(kIdComboSwitch);
        h.click(kIdCaptureSingle);  // combination mode: no capture
        QVERIFY(!h.dialog->capture().active());
        h.click(kIdSingleSwitch);
        // "Single" already chosen: its button switches to the combination mode.
        QVERIFY(h.dialog->singleComboPage().singleMode());
        h.click(kIdSingleSwitch);
        QVERIFY(!h.dialog->singleComboPage().singleMode());
        QVERIFY(h.selected(kLabelCombo));
        QVERIFY(!h.selected(kLabelSingle));
        h.click(kIdComboSwitch);
        QVERIFY(h.dialog->singleComboPage().singleMode());
    }

    // ---- Page 1: combinations ---------------------------------------------------------

    void recordingACombination() {
        KeySettingsHarness h;
        h.config.predefinedCombo = Library({{L"Copy", ListOf({L"LCTRL", L"C"})}});
        h.open(kKeyA, 0);
        h.click(kIdComboSwitch);
        h.click(kIdRecordCombo);
        QVERIFY(h.dialog->singleComboPage().comboRecording());
        QVERIFY(!h.dialog->findItem(kLabelRecordStart)->textVisible);
        QVERIFY(h.dialog->findItem(kLabelRecordStop)->textVisible);
        QCOMPARE(ComboText(h), QString());  // the entry keeps its keys until the stop
        QCOMPARE(Names(h.dialog->singleComboPage().list().library().SubLists()[0]),
                 (std::vector<std::wstring>{L"LCTRL", L"C"}));
        h.tap(kVkA);
        h.tap(kVkB);
        h.press(kVkA);
        h.press(kVkA);  // held: one item
        h.release(kVkA);
        QCOMPARE(ComboText(h), QStringLiteral("A + B + A"));
        // The combination's virtual keyboard button neither stops nor opens anything.
        h.click(kIdVirtualCombo);
        QVERIFY(h.dialog->singleComboPage().comboRecording());
        h.tap(kVkS);
        h.tap('1');
        h.tap('2');
        h.tap('3');  // a seventh key is dropped
        QCOMPARE(ComboText(h), QStringLiteral("A + B + A + S + 1 + 2"));
        h.click(kIdSinglePrompt);  // stops and stores
        QVERIFY(!h.dialog->singleComboPage().comboRecording());
        QVERIFY(h.dialog->findItem(kLabelRecordStart)->textVisible);
        QCOMPARE(Names(h.dialog->singleComboPage().list().library().SubLists()[0]),
                 (std::vector<std::wstring>{L"A", L"B", L"A", L"S", L"1", L"2"}));
        h.click(kIdOk);
        QCOMPARE(Mode(h.config, kKeyA, 0), int(KindCombo));
        QCOMPARE(Names(Slot(h.config, kKeyA, 0)),
                 (std::vector<std::wstring>{L"A", L"B", L"A", L"S", L"1", L"2"}));
        QCOMPARE(h.config.keyHWCode[kKeyA][0], 0);
        QCOMPARE(Names(h.config.predefinedCombo.SubLists()[0]),
                 (std::vector<std::wstring>{L"A", L"B", L"A", L"S", L"1", L"2"}));
    }

    void ctrlShiftSInTheOrderThePressesArrive() {
        KeySettingsHarness h;
        h.config.predefinedCombo = Library({{L"Save as", CItemList()}});
        h.open(kKeyA, 0);
        h.click(kIdComboSwitch);
        h.click(kIdRecordCombo);
        h.press(kVkLeftControl);
        h.press(kVkLeftShift);
        h.press(kVkS);
        h.release(kVkS);
        h.release(kVkLeftShift);
        h.release(kVkLeftControl);
        QCOMPARE(ComboText(h), QStringLiteral("LCTRL + LSHIFT + S"));
    }

    void withAnEmptyLibraryRecordingWaitsForNew() {
        KeySettingsHarness h;
        h.config.predefinedCombo = CItemList();
        h.open(kKeyA, 0);
        h.click(kIdComboSwitch);
        h.click(kIdRecordCombo);
        QVERIFY(!h.dialog->singleComboPage().comboRecording());
        QVERIFY(!h.dialog->capture().active());
        h.click(kIdVirtualCombo);
        QVERIFY(QApplication::activeModalWidget() == nullptr);
        h.click(kIdNewCombo);
        QVERIFY(h.dialog->inPlaceEdit().isVisible());
        QCOMPARE(h.dialog->inPlaceEdit().text(), QStringLiteral("New Combo 1"));
        h.click(kIdRecordCombo);  // commits the name only
        QVERIFY(!h.dialog->singleComboPage().comboRecording());
        h.click(kIdRecordCombo);
        QVERIFY(h.dialog->singleComboPage().comboRecording());
    }

    // New and Delete belong to the combination mode.
    void newAndDeleteOnlyInTheCombinationMode() {
        KeySettingsHarness h;
        h.config.predefinedCombo = Library({{L"Copy", ListOf({L"LCTRL", L"C"})}});
        h.open(kKeyA, 0);
        h.click(kIdNewCombo);
        h.click(kIdDeleteCombo);
        QCOMPARE(h.dialog->singleComboPage().list().library().Count(), 1);
        QVERIFY(!h.dialog->inPlaceEdit().isVisible());
    }

    // ---- Page 1: the virtual keyboard --------------------------------------------------

    void virtualKeyboardPicksTheSingleKey() {
        KeySettingsHarness h;
        h.open(kKeyA, 0);  // "A" (HW code 43) preselected on the keyboard
        constexpr int kHwF = 46;
        h.answerVirtualKeyboard({43, kHwF});  // A off, F on
        h.click(kIdVirtualSingle);
        QCOMPARE(h.virtualKeyboardsAnswered, 1);
        QCOMPARE(h.config.virtualSingle, kHwF);
        QCOMPARE(h.caption(kLabelSingleKey), QStringLiteral("F"));
        // A cancelled keyboard changes nothing.
        h.answerVirtualKeyboard({43}, false);
        h.click(kIdVirtualSingle);
        QCOMPARE(h.virtualKeyboardsAnswered, 2);
        QCOMPARE(h.caption(kLabelSingleKey), QStringLiteral("F"));
        // While capturing, the button neither opens the keyboard nor stops the capture.
        h.click(kIdCaptureSingle);
        h.answerVirtualKeyboard({43});
        h.click(kIdVirtualSingle);
        QCOMPARE(h.virtualKeyboardsAnswered, 2);
        QVERIFY(h.dialog->singleComboPage().singleCapturing());
        h.click(kIdOk);
        QCOMPARE(h.config.keyHWCode[kKeyA][0], kHwF);
    }

    void virtualKeyboardPicksTheCombination() {
        KeySettingsHarness h;
        h.config.predefinedCombo = Library({{L"Copy", ListOf({L"LCTRL", L"C"})}});
        h.open(kKeyA, 0);
        h.answerVirtualKeyboard({43});
        h.click(kIdVirtualCombo);  // single mode: nothing
        QCOMPARE(h.virtualKeyboardsAnswered, 0);
        h.click(kIdComboSwitch);
        constexpr int kHwLeftCtrl = 67;
        constexpr int kHwLeftAlt = 69;
        constexpr int kHwDelete = 84;
        h.answerVirtualKeyboard({kHwLeftCtrl, kHwLeftAlt, kHwDelete});
        h.click(kIdVirtualCombo);
        QCOMPARE(h.virtualKeyboardsAnswered, 1);
        QCOMPARE(ComboText(h), QStringLiteral("LCTRL + LALT + DEL"));
        // Not stored yet: the entry takes the keys at its next store, the key with "OK".
        QCOMPARE(Names(h.dialog->singleComboPage().list().library().SubLists()[0]),
                 (std::vector<std::wstring>{L"LCTRL", L"C"}));
        h.click(kIdOk);
        QCOMPARE(Names(Slot(h.config, kKeyA, 0)),
                 (std::vector<std::wstring>{L"LCTRL", L"LALT", L"DEL"}));
        // What was confirmed is the selected entry's too.
        QCOMPARE(Names(h.config.predefinedCombo.SubLists()[0]),
                 (std::vector<std::wstring>{L"LCTRL", L"LALT", L"DEL"}));
    }

    // ---- The library lists and the in-place editor -----------------------------------

    void newProposesTheFirstFreeDefaultName_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("proposed");
        QTest::newRow("English") << "en-US"
                                 << "New Combo 2";
        QTest::newRow("Chinese") << "zh-CN" << QString::fromUtf8("组合键1");
        QTest::newRow("another language") << "de-DE"
                                          << "";
    }
    void newProposesTheFirstFreeDefaultName() {
        QFETCH(QString, language);
        QFETCH(QString, proposed);
        KeySettingsHarness h(kDeviceTypePrsmBle, language.toUtf8().constData());
        h.config.predefinedCombo =
            Library({{L"New Combo 1", CItemList()}, {L"New Combo 3", CItemList()}});
        h.open(kKeyA, 0);
        h.click(kIdComboSwitch);
        h.click(kIdNewCombo);
        QCOMPARE(h.dialog->inPlaceEdit().text(), proposed);
        QVERIFY(h.dialog->inPlaceEdit().hasFocus() || QGuiApplication::focusWindow() == nullptr);
        // The editor lies over the new, selected last row.
        const skin::SkinItem* row = h.dialog->findItem(kIdFirstComboRow + 2);
        QCOMPARE(h.dialog->inPlaceEdit().geometry(),
                 QRect(row->rect.left, row->rect.top, row->rect.width(), row->rect.height()));
        QCOMPARE(h.dialog->singleComboPage().list().library().Count(), 3);
        QCOMPARE(ComboText(h), QString());  // the new entry's content: empty
        // Clicking elsewhere names it as proposed.
        h.click(kIdSinglePrompt);
        QVERIFY(!h.dialog->inPlaceEdit().isVisible());
        QCOMPARE(QString::fromStdWString(h.dialog->singleComboPage().list().library().Items()[2]),
                 proposed);
    }

    void editorCommitsOnEnterFocusLossAndClicks() {
        KeySettingsHarness h;
        h.config.predefinedCombo =
            Library({{L"Copy", ListOf({L"LCTRL", L"C"})}, {L"Paste", ListOf({L"LCTRL", L"V"})}});
        h.open(kKeyA, 0);
        h.click(kIdComboSwitch);
        // New, the text cleared, Enter: the entry keeps an empty name, the dialog stays.
        h.click(kIdNewCombo);
        h.dialog->inPlaceEdit().clear();
        QTest::keyClick(&h.dialog->inPlaceEdit(), Qt::Key_Return);
        QCOMPARE(h.result(), 0);
        QVERIFY(!h.dialog->inPlaceEdit().isVisible());
        QCOMPARE(Names(h.dialog->singleComboPage().list().library()),
                 (std::vector<std::wstring>{L"Copy", L"Paste", L""}));
        // A click on the selected row renames it; another entry's name is accepted.
        h.click(kIdFirstComboRow + 2);
        QVERIFY(h.dialog->inPlaceEdit().isVisible());
        QCOMPARE(h.dialog->inPlaceEdit().text(), QString());
        h.dialog->inPlaceEdit().setText(QStringLiteral("Copy"));
        // While the editor is open a click on a tab only commits it; a second shows the page.
        h.click(TabId(kPageMacro));
        QCOMPARE(h.dialog->currentPage(), kPageSingleCombo);
        QCOMPARE(Names(h.dialog->singleComboPage().list().library()),
                 (std::vector<std::wstring>{L"Copy", L"Paste", L"Copy"}));
        h.click(TabId(kPageMacro));
        QCOMPARE(h.dialog->currentPage(), kPageMacro);
        h.click(TabId(kPageSingleCombo));
        // Typing more than a name holds is cut off; focus loss commits.
        h.click(kIdFirstComboRow);  // selects "Copy" (row 0)
        h.click(kIdFirstComboRow);  // renames it
        h.dialog->inPlaceEdit().clear();
        QTest::keyClicks(&h.dialog->inPlaceEdit(), QString(200, QLatin1Char('x')));
        h.dialog->inPlaceEdit().clearFocus();
        h.dialog->inPlaceEdit().commit();  // as the focus loss does where there is a focus
        QCOMPARE(h.dialog->singleComboPage().list().library().Items()[0],
                 std::wstring(InPlaceEditor::kMaxLength, L'x'));
        // With the editor open, "OK" commits and confirms in one go.
        h.click(kIdFirstComboRow + 1);
        h.click(kIdFirstComboRow + 1);
        h.dialog->inPlaceEdit().setText(QStringLiteral("Paste!"));
        h.click(kIdOk);
        QCOMPARE(h.result(), 1);
        QCOMPARE(Names(h.config.predefinedCombo)[1], std::wstring(L"Paste!"));
        QCOMPARE(h.config.predefinedCombo.Count(), 3);
    }

    void rowClicksStoreThenSelectAndLoad() {
        KeySettingsHarness h;
        h.config.predefinedCombo =
            Library({{L"Copy", ListOf({L"LCTRL", L"C"})}, {L"Paste", ListOf({L"LCTRL", L"V"})}});
        h.open(kKeyA, 0);
        h.click(kIdComboSwitch);
        QCOMPARE(ComboText(h), QStringLiteral("LCTRL + C"));
        h.click(kIdRecordCombo);
        h.tap(kVkA);
        h.click(kIdFirstComboRow + 1);  // stops (stores "A" into Copy) and ends there
        h.click(kIdFirstComboRow + 1);
        QCOMPARE(ComboText(h), QStringLiteral("LCTRL + V"));
        QVERIFY(h.selected(kIdFirstComboRow + 1));
        QVERIFY(!h.selected(kIdFirstComboRow));
        QCOMPARE(Names(h.dialog->singleComboPage().list().library().SubLists()[0]),
                 (std::vector<std::wstring>{L"A"}));
        // Rows past the end change nothing.
        h.click(kIdFirstComboRow + 4);
        QVERIFY(!h.dialog->inPlaceEdit().isVisible());
        QVERIFY(h.selected(kIdFirstComboRow + 1));
        QCOMPARE(h.caption(kIdFirstComboRow + 4), QString());
    }

    void deletingTheLastEntryLeavesAnEmptyLibrary() {
        KeySettingsHarness h;
        h.config.predefinedCombo = Library({{L"Copy", ListOf({L"LCTRL", L"C"})}});
        Mode(h.config, kKeyA, 0) = KindCombo;
        Slot(h.config, kKeyA, 0) = ListOf({L"LCTRL", L"C"});
        h.open(kKeyA, 0);
        h.click(kIdDeleteCombo);
        QVERIFY(h.dialog->singleComboPage().list().library().Empty());
        QCOMPARE(ComboText(h), QString());
        QVERIFY(!h.selected(kIdFirstComboRow));
        h.click(kIdDeleteCombo);  // nothing left to delete
        h.click(kIdOk);
        QVERIFY(h.config.predefinedCombo.Empty());
        QCOMPARE(Mode(h.config, kKeyA, 0), int(KindNotSet));  // an empty combination is none
    }

    // The name typed goes to the entry it was typed for, whatever the view did meanwhile,
    // and an entry that is no more takes none: nothing is appended.
    void editorNamesTheEntryItWasOpenedFor() {
        KeySettingsHarness h;
        h.config.predefinedCombo = NumberedLibrary(9);
        h.open(kKeyA, 0);
        h.click(kIdComboSwitch);
        h.click(kIdFirstComboRow);  // rename "Entry 0"
        QVERIFY(h.dialog->inPlaceEdit().isVisible());
        DragThumbPastTheEnd(h.dialog->libraryScroll());  // the view moves on under the editor
        QCOMPARE(h.dialog->singleComboPage().list().library().ViewStartAt, 8);
        QVERIFY(h.dialog->inPlaceEdit().isVisible());
        h.dialog->inPlaceEdit().setText(QStringLiteral("Renamed"));
        QTest::keyClick(&h.dialog->inPlaceEdit(), Qt::Key_Enter);
        const std::vector<std::wstring> names = Names(h.dialog->singleComboPage().list().library());
        QCOMPARE(names.size(), std::size_t{9});
        QCOMPARE(names[0], std::wstring(L"Renamed"));
        QCOMPARE(names[8], std::wstring(L"Entry 8"));
    }

    // The library's scroll bar: its range follows the list, a thumb dragged past the end
    // selects the last entry, the arrows move the selection by one.
    void scrollBarMovesTheLibrarySelection() {
        KeySettingsHarness h;
        h.config.predefinedCombo = NumberedLibrary(9);
        h.open(kKeyA, 0);
        h.click(kIdComboSwitch);
        skin::CSkinScrollBar& bar = h.dialog->libraryScroll();
        QVERIFY(bar.isVisible());
        QVERIFY(!h.dialog->contentScroll().isVisible());
        QCOMPARE(bar.geometry().topLeft(), QPoint(358, 137));
        QCOMPARE(bar.width(), bar.cellSize());  // as thick as its skin
        QCOMPARE(InfoOf(bar).nMax, 9 + 6 - 1);
        QCOMPARE(InfoOf(bar).nPage, 6);
        QVERIFY(bar.isEnabled());
        DragThumbPastTheEnd(bar);
        QCOMPARE(InfoOf(bar).nPos, 9);  // the highest position: the item count
        const CItemList& library = h.dialog->singleComboPage().list().library();
        QCOMPARE(library.ViewStartAt + library.CursorPos, 8);  // Select clamps: the last entry
        QCOMPARE(h.caption(kIdFirstComboRow), QStringLiteral("Entry 8"));
        QVERIFY(h.selected(kIdFirstComboRow));
        QTest::mouseClick(&bar, Qt::LeftButton, {},
                          bar.partRect(bar.hitLayout(), skin::kPartLineUp).center());
        QCOMPARE(InfoOf(bar).nPos, 8);
        QCOMPARE(library.ViewStartAt + library.CursorPos, 8);
        QTest::mouseClick(&bar, Qt::LeftButton, {},
                          bar.partRect(bar.hitLayout(), skin::kPartLineUp).center());
        QCOMPARE(library.ViewStartAt + library.CursorPos, 7);
        // New and Delete grow and shrink the range by one.
        h.click(kIdNewCombo);
        h.click(kIdSinglePrompt);
        QCOMPARE(InfoOf(bar).nMax, 10 + 6 - 1);
        h.click(kIdDeleteCombo);
        QCOMPARE(InfoOf(bar).nMax, 9 + 6 - 1);
        // An empty library has nothing to scroll: the bar stays in sight, disabled.
        KeySettingsHarness shortList;
        shortList.config.predefinedCombo = CItemList();
        shortList.open(kKeyA, 0);
        QVERIFY(shortList.dialog->libraryScroll().isVisible());
        QVERIFY(!shortList.dialog->libraryScroll().isEnabled());
        // Pages 4 to 7 show no scroll bar.
        shortList.click(TabId(kPageMouse));
        QVERIFY(!shortList.dialog->libraryScroll().isVisible());
        QVERIFY(!shortList.dialog->contentScroll().isVisible());
    }

    // Scrolling the library selects another entry and shows its keys; what was shown goes back
    // into the entry it came from, never into the newly selected one.
    void scrollingTheLibraryLoadsTheSelectedEntry() {
        KeySettingsHarness h;
        h.config.predefinedCombo =
            Library({{L"Copy", ListOf({L"LCTRL", L"C"})}, {L"Paste", ListOf({L"LCTRL", L"V"})}});
        h.open(kKeyA, 0);
        h.click(kIdComboSwitch);
        h.click(kIdRecordCombo);
        h.tap(kVkA);
        h.click(kIdSinglePrompt);  // "Copy" now holds A
        skin::CSkinScrollBar& bar = h.dialog->libraryScroll();
        QTest::mouseClick(&bar, Qt::LeftButton, {},
                          bar.partRect(bar.hitLayout(), skin::kPartLineDown).center());
        QVERIFY(h.selected(kIdFirstComboRow + 1));
        QCOMPARE(ComboText(h), QStringLiteral("LCTRL + V"));
        h.click(kIdFirstComboRow + 1);  // the selected row: rename, after storing
        QCOMPARE(Names(h.dialog->singleComboPage().list().library().SubLists()[1]),
                 (std::vector<std::wstring>{L"LCTRL", L"V"}));
        QCOMPARE(Names(h.dialog->singleComboPage().list().library().SubLists()[0]),
                 (std::vector<std::wstring>{L"A"}));
    }

    // ---- Capturing in the window where the hook cannot ---------------------------------

    void keysAreCapturedInTheWindowWhereNothingCapturesDesktopWide() {
        KeySettingsHarness h;
        h.open(kKeyA, 0);
        QLineEdit elsewhere;  // another window of the program
        elsewhere.show();
        h.click(kIdCaptureSingle);
        QVERIFY(h.dialog->capture().active());
        QVERIFY(h.dialog->capture().inWindowOnly());
        const QString notice = QStringLiteral(
            "keys are captured only while the Key Settings window "
            "has the focus");
        QCOMPARE(h.dialogs.messageTexts().filter(notice).size(), 1);

        // Keys become WM_HOOK_KEY by their native code (X keycode = Linux code + 8).
        const auto send = [&](QObject* to, QEvent::Type type, int linuxCode) {
            QKeyEvent event(type, 0, Qt::NoModifier, static_cast<quint32>(linuxCode + 8), 0, 0);
            QApplication::sendEvent(to, &event);
            h.deliver();
        };
        send(&elsewhere, QEvent::KeyPress, KEY_B);
        send(&elsewhere, QEvent::KeyRelease, KEY_B);
        QCOMPARE(elsewhere.text(), QString());  // no keystroke reached the other window
        QCOMPARE(h.dialog->singleComboPage().singleKeyCode(), kVkB);
        send(h.dialog.get(), QEvent::KeyPress, KEY_ESC);  // Escape is a key like any other
        QCOMPARE(h.dialog->singleComboPage().singleKeyCode(), 0x1B);
        QCOMPARE(h.result(), 0);
        send(h.dialog.get(), QEvent::KeyRelease, KEY_ESC);
        send(h.dialog.get(), QEvent::KeyPress, KEY_KPENTER);
        QCOMPARE(h.dialog->singleComboPage().singleKeyCode(), 0x10D);
        send(h.dialog.get(), QEvent::KeyRelease, KEY_KPENTER);

        h.click(kIdCaptureSingle);  // stop
        QVERIFY(!h.dialog->capture().active());
        QVERIFY(!FeedHookKey(KEY_A, 1));  // the hook is gone
        QTest::keyClicks(&elsewhere, QStringLiteral("ok"));
        QCOMPARE(elsewhere.text(), QStringLiteral("ok"));

        // The user is told once.
        h.click(kIdCaptureSingle);
        QCOMPARE(h.dialogs.messageTexts().filter(notice).size(), 1);
        // Closing the dialog while keys are captured gives everything back.
        QTest::mouseClick(h.dialog.get(), Qt::LeftButton, {}, h.centreOf(kIdClose));
        QTRY_VERIFY(!h.dialog->clickPending());
        QVERIFY(!h.dialog->capture().active());  // the close box stopped the capture
        h.click(kIdCaptureSingle);
        h.dialog->reject();  // the window manager's close, or the program ending
        QVERIFY(!h.dialog->capture().active());
        QVERIFY(!FeedHookKey(KEY_A, 1));
        elsewhere.clear();
        QTest::keyClicks(&elsewhere, QStringLiteral("back"));
        QCOMPARE(elsewhere.text(), QStringLiteral("back"));
    }

    void captureStopsWhenTheDialogIsDestroyed() {
        KeySettingsHarness h;
        h.open(kKeyA, 0);
        h.click(kIdCaptureSingle);
        QVERIFY(h.dialog->capture().active());
        h.dialog.reset();
        QVERIFY(!FeedHookKey(KEY_A, 1));
        QLineEdit elsewhere;
        QTest::keyClicks(&elsewhere, QStringLiteral("free"));
        QCOMPARE(elsewhere.text(), QStringLiteral("free"));
    }

    void noticeSpeaksTheUiLanguage() {
        KeySettingsHarness h(kDeviceTypePrsmBle, "zh-CN");
        h.open(kKeyA, 0);
        h.click(kIdCaptureSingle);
        QCOMPARE(h.dialogs.messageTexts()
                     .filter(QString::fromUtf8("只有在按键设置窗口处于焦点时"))
                     .size(),
                 1);
    }

    // ---- Controls -----------------------------------------------------------------------

    // Digits only, no more than fit a value, and what the page's rule does not take is
    // replaced at once: what the edit shows is what the content gets.
    void numericEditsKeepTheirRange() {
        NumericEdit edit(nullptr);
        QSignalSpy values(&edit, &NumericEdit::valueChanged);
        edit.setReader(ReadRepeatCount);
        QCOMPARE(edit.text(), QStringLiteral("1"));  // empty counts as 0
        edit.selectAll();
        QTest::keyClicks(&edit, QStringLiteral("4x2"));
        QCOMPARE(edit.text(), QStringLiteral("42"));
        QTest::keyClicks(&edit, QStringLiteral("9"));
        QCOMPARE(edit.text(), QStringLiteral("255"));
        QCOMPARE(values.last().at(0).toInt(), 255);
        QTest::keyClick(&edit, Qt::Key_Return);  // Enter does nothing here
        QCOMPARE(edit.text(), QStringLiteral("255"));

        edit.setReader(ReadEmulationInterval);
        edit.selectAll();
        edit.insert(QStringLiteral("123456789012345678901234567890"));  // a paste
        QCOMPARE(edit.text(), QStringLiteral("6000"));
        edit.selectAll();
        edit.insert(QStringLiteral("-5"));
        QCOMPARE(edit.text(), QStringLiteral("6000"));
        edit.clear();  // an empty interval stays empty and counts as 0
        QCOMPARE(edit.text(), QString());
        QCOMPARE(values.last().at(0).toInt(), 0);
        for (const QList<QVariant>& value : values) {
            QVERIFY(value.at(0).toInt() >= 0 && value.at(0).toInt() <= 6000);
        }
    }

    void controlsSitWhereTheyBelongAndLookAlike() {
        KeySettingsHarness h;
        h.open(kKeyA, 0);
        QCOMPARE(h.dialog->comboText().geometry(), QRect(380, 138, 141, 52));
        QVERIFY(h.dialog->comboText().isReadOnly());
        QCOMPARE(h.dialog->comboText().palette().color(QPalette::Text), QColor(255, 111, 0));
        QCOMPARE(h.dialog->countEdit().geometry(), QRect(485, 112, 36, 18));
        QCOMPARE(h.dialog->delayEdit().geometry(), QRect(480, 176, 36, 18));
        KeySettingsHarness zh(kDeviceTypePrsmBle, "zh-CN");
        zh.open(kKeyA, 0);
        QCOMPARE(zh.dialog->countEdit().geometry(), QRect(470, 112, 36, 18));
        QCOMPARE(zh.dialog->delayEdit().geometry(), QRect(470, 176, 36, 18));
        QCOMPARE(zh.dialog->windowTitle(), QString::fromUtf8("按键设置面板"));
    }

    // On a 1440-pixel screen everything is 4/3 as large. Labels stay in design coordinates and
    // take no clicks: "Default"'s caption does not swallow a click on a button that lies where
    // the caption would be in window coordinates.
    void atALargerScaleButtonsAnswerWhereTheyAreDrawn() {
        KeySettingsHarness h;
        h.config.scaleFactor = 1440.0F / 1080.0F;
        h.open(kKeyA, 0);
        QCOMPARE(h.dialog->size(), QSize(768, 493));
        const skin::SkinItem* button = h.dialog->findItem(kIdVirtualSingle);
        QCOMPARE(button->rect.left, 57);  // 43 x 4/3, truncated
        QCOMPARE(h.dialog->comboText().geometry(), QRect(506, 184, 188, 69));
        const QPoint underCaption(80, 340);  // inside "Default"'s caption rectangle (37..117)
        QVERIFY(
            h.dialog->findItem(kLabelDefault)->rect.contains(underCaption.x(), underCaption.y()));
        h.answerVirtualKeyboard({});
        QTest::mouseClick(h.dialog.get(), Qt::LeftButton, {}, underCaption);
        QTRY_VERIFY(!h.dialog->clickPending());
        QTRY_COMPARE(h.virtualKeyboardsAnswered, 1);
    }

    void tipsNameIconsThatAreNotChosen() {
        KeySettingsHarness h;
        h.open(kKeyA, 0);
        h.click(TabId(kPagePower));
        const QPoint wake = h.centreOf(701);
        QTest::mouseMove(h.dialog.get(), wake);
        QTRY_VERIFY(h.dialog->tip().isVisible());
        QCOMPARE(h.dialog->tip().text(), QStringLiteral("WakeUp"));
        // In the windows' own colours: light text on their dark face, never bright yellow.
        const QPalette face = skin::DialogPalette();
        QCOMPARE(h.dialog->tip().palette().color(QPalette::WindowText),
                 face.color(QPalette::ToolTipText));
        QCOMPARE(h.dialog->tip().palette().color(QPalette::Window),
                 face.color(QPalette::ToolTipBase));
        QTest::mouseMove(h.dialog.get(), QPoint(300, 300));
        QVERIFY(!h.dialog->tip().isVisible());
        h.click(701);  // the chosen icon names itself no more
        QTest::mouseMove(h.dialog.get(), wake + QPoint(1, 1));
        QTest::qWait(TipControl::kDelayMs * 2);
        QVERIFY(!h.dialog->tip().isVisible());
        // The Mouse page's icons carry labels, no tips.
        h.click(TabId(kPageMouse));
        QTest::mouseMove(h.dialog.get(), h.centreOf(502));
        QTest::qWait(TipControl::kDelayMs * 2);
        QVERIFY(!h.dialog->tip().isVisible());
    }
};

QTEST_MAIN(KeySettingsTest)
#include "KeySettingsTest.moc"
