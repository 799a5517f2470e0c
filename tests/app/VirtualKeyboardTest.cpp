// The virtual keyboard as the key settings dialog runs it: opened in single or combination
// mode, keys clicked at their design rectangles, its waits for a double click run out (or not),
// and the result read from the configuration.
#include "MainWindowHarness.h"
#include "OrvoDialogVirtual.h"
#include "VirtualKeyboardLayout.h"
#include "model/KeyboardConfig.h"

#include <QPlainTextEdit>
#include <QTest>

#include <array>
#include <memory>
#include <vector>

using model::CKeyboardConfig;
using model::kVirtualComboSize;

namespace {

using virtualkbd::kModeCombination;
using virtualkbd::kModeSingle;

// HW codes of the keys the cases pick.
constexpr int kEsc = 1;
constexpr int kA = 43;
constexpr int kF = 46;
constexpr int kB = 60;
constexpr int kLeftCtrl = 67;
constexpr int kLeftAlt = 69;
constexpr int kDelete = 84;
constexpr int kKeypad5 = 98;

using Combo = std::array<int, kVirtualComboSize>;

class VirtualKeyboard {
public:
    explicit VirtualKeyboard(int mode, float scale = 1.0F, const char* language = "en-US") {
        config.BuildCodeTables();
        config.language = language;
        config.scaleFactor = scale;
        resources.loadResourceFile(QCoreApplication::applicationDirPath() +
                                   QStringLiteral("/Z9RT(PRSM)BleRES.rcc"));
        dialog = std::make_unique<OrvoDialogVirtual>(resources, config.language, config.scaleFactor,
                                                     config, nullptr);
        dialog->selectMode = mode;
    }

    // Opens the window with the configuration's hand-over members as its start, as the key
    // settings window does.
    void open() {
        dialog->picked = {config.virtualSingle, config.virtualCombo, config.virtualComboCount};
        dialog->initialize();
        dialog->show();
        static_cast<void>(QTest::qWaitForWindowExposed(dialog.get()));
    }

    // Where the key or button is on the window (its design rectangle times the scale).
    QPoint pointOf(int id) const {
        const skin::SkinItem* item = dialog->findItem(id);
        return QPoint((item->rect.left + item->rect.right) / 2,
                      (item->rect.top + item->rect.bottom) / 2);
    }
    QPoint keyPoint(int hwCode) const { return pointOf(virtualkbd::KeyItemId(hwCode)); }

    // The 100 ms after a release run out.
    void clickWaitEnds() { Expire("clickWait"); }
    void doubleClickWaitEnds() { Expire("doubleClickWait"); }
    bool clickWaiting() const { return timer("clickWait")->isActive(); }

    // A click whose wait runs out before anything else happens.
    void click(const QPoint& point) {
        QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, point);
        QVERIFY(clickWaiting());
        clickWaitEnds();
    }
    void clickKey(int hwCode) { click(keyPoint(hwCode)); }
    void clickButton(int id) { click(pointOf(id)); }

    std::vector<int> selectedKeys() const {
        std::vector<int> result;
        for (const skin::SkinItem& item : dialog->items()) {
            if (item.isSelected) {
                result.push_back(item.keyValue);
            }
        }
        return result;
    }
    // What the window returns, as it stands.
    int single() const { return dialog->picked.single; }
    Combo combo() const { return dialog->picked.combo; }
    int comboCount() const { return dialog->picked.comboCount; }
    QString line() const { return dialog->displayLine()->toPlainText(); }
    QString name(int hwCode) const { return QString::fromStdWString(config.NameOfHWCode(hwCode)); }
    bool ended() const { return dialog->isHidden(); }

    CKeyboardConfig config;
    skin::SkinResources resources;
    std::unique_ptr<OrvoDialogVirtual> dialog;

private:
    QTimer* timer(const char* name) const {
        return dialog->findChild<QTimer*>(QLatin1String(name));
    }
    void Expire(const char* name) {
        QTimer* wait = timer(name);
        QVERIFY(wait != nullptr);
        QVERIFY(wait->isActive());
        wait->stop();
        QVERIFY(QMetaObject::invokeMethod(wait, "timeout"));
    }
};

}  // namespace

class VirtualKeyboardTest : public QObject {
    Q_OBJECT

private slots:
    void layoutHasEveryKeyOnce();
    void singleModeOpensWithThePreselectedKey_data();
    void singleModeOpensWithThePreselectedKey();
    void singleModeKeepsAtMostOneKey();
    void combinationKeepsTheOrderOfChoosing();
    void seventhKeyIsRefused();
    void combinationOpensEmpty();
    void chineseDisplayLine();
    void otherModesMarkKeysWithoutResult();
    void keysTheKeyboardLacksCanBeChosen();
    void buttonsEndTheRun_data();
    void buttonsEndTheRun();
    void combinationDoubleClick_data();
    void combinationDoubleClick();
    void singleModeDoubleClickChoosesAndCloses();
    void singleModeDoubleClickWaitsForTheRelease();
    void clickWaitsAreTimersThatRunOut();
    void enterBeforeTheWaitEndsDropsTheClick();
    void keysArePickedWithoutAMouse();
    void keysAreHitAtTheScaledRectangles();
    void selectedAndHoveredKeysShowTheirPictures();
};

void VirtualKeyboardTest::layoutHasEveryKeyOnce() {
    const std::vector<skin::ItemSpec> items = virtualkbd::VirtualKeyboardItems();
    QCOMPARE(int(items.size()), virtualkbd::kItemCapacity);
    std::vector<int> codes;
    for (std::size_t n = 6; n < items.size(); ++n) {
        QCOMPARE(items[n].id, int(100 + n - 6));
        codes.push_back(items[n].keyValue);
        // ids are 99 + HW code up to 74 and 96 + HW code from 78 on
        QCOMPARE(items[n].id,
                 items[n].keyValue <= 74 ? 99 + items[n].keyValue : 96 + items[n].keyValue);
        for (std::size_t other = 6; other < n; ++other) {
            const skin::DesignRect& a = items[n].rect;
            const skin::DesignRect& b = items[other].rect;
            const bool overlap =
                a.left < b.right && b.left < a.right && a.top < b.bottom && b.top < a.bottom;
            QVERIFY2(!overlap, items[n].captionEn);
        }
    }
    QCOMPARE(virtualkbd::KeyItemId(75), -1);
    QCOMPARE(virtualkbd::KeyItemId(107), virtualkbd::kLastKeyId);
}

void VirtualKeyboardTest::singleModeOpensWithThePreselectedKey_data() {
    QTest::addColumn<int>("preset");
    QTest::addColumn<std::vector<int>>("selected");
    QTest::addColumn<QString>("line");
    QTest::newRow("none (0)") << 0 << std::vector<int>{} << QStringLiteral("Single:-- --");
    QTest::newRow("none (-1)") << -1 << std::vector<int>{} << QStringLiteral("Single:-- --");
    QTest::newRow("F") << kF << std::vector<int>{kF} << QStringLiteral("Single:F");
    QTest::newRow("a code without a key here")
        << 75 << std::vector<int>{} << QStringLiteral("Single:-- --");
}

void VirtualKeyboardTest::singleModeOpensWithThePreselectedKey() {
    QFETCH(int, preset);
    VirtualKeyboard keyboard(kModeSingle);
    keyboard.config.virtualSingle = preset;
    keyboard.open();
    QTEST(keyboard.selectedKeys(), "selected");
    if (preset != 75) {
        QTEST(keyboard.line(), "line");
    }
    QCOMPARE(keyboard.single(), preset);
}

void VirtualKeyboardTest::singleModeKeepsAtMostOneKey() {
    VirtualKeyboard keyboard(kModeSingle);
    keyboard.config.virtualSingle = kEsc;
    keyboard.open();
    keyboard.clickKey(kA);
    QCOMPARE(keyboard.selectedKeys(), std::vector<int>{kA});
    QCOMPARE(keyboard.single(), kA);
    keyboard.clickKey(kB);
    QCOMPARE(keyboard.selectedKeys(), std::vector<int>{kB});
    QCOMPARE(keyboard.line(), QStringLiteral("Single:B"));
    keyboard.clickKey(kB);
    QCOMPARE(keyboard.selectedKeys(), std::vector<int>{});
    QCOMPARE(keyboard.single(), 0);
    QCOMPARE(keyboard.line(), QStringLiteral("Single:-- --"));
    keyboard.clickButton(virtualkbd::kIdOk);
    QVERIFY(keyboard.ended());
    QCOMPARE(keyboard.dialog->result(), int(skin::SkinnedDialog::kResultOk));
    QCOMPARE(keyboard.single(), 0);
}

void VirtualKeyboardTest::combinationKeepsTheOrderOfChoosing() {
    VirtualKeyboard keyboard(kModeCombination);
    keyboard.open();
    for (int code : {kLeftCtrl, kLeftAlt, kDelete}) {
        keyboard.clickKey(code);
    }
    QCOMPARE(keyboard.combo(), (Combo{kLeftCtrl, kLeftAlt, kDelete, 0, 0, 0}));
    QCOMPARE(keyboard.comboCount(), 3);
    QCOMPARE(keyboard.line(),
             QStringLiteral("Combo:%1+%2+%3")
                 .arg(keyboard.name(kLeftCtrl), keyboard.name(kLeftAlt), keyboard.name(kDelete)));
    keyboard.clickKey(kLeftAlt);
    QCOMPARE(keyboard.combo(), (Combo{kLeftCtrl, kDelete, 0, 0, 0, 0}));
    QCOMPARE(keyboard.comboCount(), 2);
    QCOMPARE(keyboard.line(),
             QStringLiteral("Combo:%1+%2").arg(keyboard.name(kLeftCtrl), keyboard.name(kDelete)));
    // Taking out the first moves the rest up.
    keyboard.clickKey(kLeftCtrl);
    QCOMPARE(keyboard.combo(), (Combo{kDelete, 0, 0, 0, 0, 0}));
    QCOMPARE(keyboard.selectedKeys(), std::vector<int>{kDelete});
    keyboard.clickButton(virtualkbd::kIdOk);
    QCOMPARE(keyboard.dialog->result(), int(skin::SkinnedDialog::kResultOk));
    QCOMPARE(keyboard.comboCount(), 1);
}

void VirtualKeyboardTest::seventhKeyIsRefused() {
    VirtualKeyboard keyboard(kModeCombination);
    keyboard.open();
    const std::array<int, 7> codes{15, 16, 17, 18, 19, 20, 21};
    for (int code : codes) {
        keyboard.clickKey(code);
    }
    QCOMPARE(keyboard.comboCount(), 6);
    QCOMPARE(keyboard.combo(), (Combo{15, 16, 17, 18, 19, 20}));
    QVERIFY(!keyboard.dialog->findItem(virtualkbd::KeyItemId(21))->isSelected);
    QCOMPARE(keyboard.selectedKeys().size(), std::size_t{6});
    // With one taken out, a key fits again.
    keyboard.clickKey(17);
    keyboard.clickKey(21);
    QCOMPARE(keyboard.combo(), (Combo{15, 16, 18, 19, 20, 21}));
}

void VirtualKeyboardTest::combinationOpensEmpty() {
    VirtualKeyboard keyboard(kModeCombination);
    keyboard.config.virtualCombo = {kA, kB, kF, 0, 0, 0};
    keyboard.config.virtualComboCount = 3;
    keyboard.open();
    QCOMPARE(keyboard.combo(), (Combo{}));
    QCOMPARE(keyboard.comboCount(), 0);
    QCOMPARE(keyboard.selectedKeys(), std::vector<int>{});
    QCOMPARE(keyboard.line(), QStringLiteral("Combo:-- --"));
}

void VirtualKeyboardTest::chineseDisplayLine() {
    VirtualKeyboard combination(kModeCombination, 1.0F, "zh-CN");
    combination.open();
    QCOMPARE(combination.line(), QStringLiteral("组合键：-- --"));
    combination.clickKey(kLeftCtrl);
    combination.clickKey(kA);
    QCOMPARE(combination.line(), QStringLiteral("组合键：%1+A").arg(combination.name(kLeftCtrl)));
    VirtualKeyboard single(kModeSingle, 1.0F, "zh-CN");
    single.config.virtualSingle = kF;
    single.open();
    QCOMPARE(single.line(), QStringLiteral("单键：F"));
}

void VirtualKeyboardTest::otherModesMarkKeysWithoutResult() {
    VirtualKeyboard keyboard(0);
    keyboard.config.virtualSingle = kF;
    keyboard.config.virtualCombo = {kA, 0, 0, 0, 0, 0};
    keyboard.config.virtualComboCount = 1;
    keyboard.open();
    QCOMPARE(keyboard.selectedKeys(), std::vector<int>{});
    keyboard.clickKey(kA);
    keyboard.clickKey(kB);
    QCOMPARE(keyboard.selectedKeys(), (std::vector<int>{kA, kB}));
    QCOMPARE(keyboard.single(), kF);
    QCOMPARE(keyboard.combo(), (Combo{kA, 0, 0, 0, 0, 0}));
    QCOMPARE(keyboard.comboCount(), 1);
    QCOMPARE(keyboard.line(), QString());
}

void VirtualKeyboardTest::keysTheKeyboardLacksCanBeChosen() {
    VirtualKeyboard single(kModeSingle);
    single.open();
    single.clickKey(kKeypad5);
    QCOMPARE(single.single(), kKeypad5);
    QCOMPARE(single.line(), QStringLiteral("Single:%1").arg(single.name(kKeypad5)));
    VirtualKeyboard combination(kModeCombination);
    combination.open();
    combination.clickKey(kKeypad5);
    combination.clickKey(107);  // keypad Enter, the last key
    QCOMPARE(combination.combo(), (Combo{kKeypad5, 107, 0, 0, 0, 0}));
}

void VirtualKeyboardTest::buttonsEndTheRun_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<int>("result");
    QTest::newRow("OK") << int(virtualkbd::kIdOk) << int(skin::SkinnedDialog::kResultOk);
    QTest::newRow("Cancel") << int(virtualkbd::kIdCancel)
                            << int(skin::SkinnedDialog::kResultCancel);
    QTest::newRow("close box") << int(virtualkbd::kIdClose)
                               << int(skin::SkinnedDialog::kResultCancel);
}

void VirtualKeyboardTest::buttonsEndTheRun() {
    QFETCH(int, button);
    VirtualKeyboard keyboard(kModeCombination);
    keyboard.open();
    keyboard.clickKey(kA);
    QTest::mouseClick(keyboard.dialog.get(), Qt::LeftButton, {}, keyboard.pointOf(button));
    // The window stays until the release's wait for a double click has run out.
    QVERIFY(!keyboard.ended());
    keyboard.clickWaitEnds();
    QVERIFY(keyboard.ended());
    QTEST(keyboard.dialog->result(), "result");
    QCOMPARE(keyboard.combo(), (Combo{kA, 0, 0, 0, 0, 0}));
    // Nothing a late timer could change after the run.
    QVERIFY(!keyboard.clickWaiting());
}

void VirtualKeyboardTest::combinationDoubleClick_data() {
    QTest::addColumn<bool>("secondPressInTime");
    QTest::addColumn<std::vector<int>>("selected");
    QTest::addColumn<int>("count");
    // Within 100 ms the first release does not count: the key toggles once.
    QTest::newRow("within 100 ms") << true << std::vector<int>{kF} << 1;
    // Later both releases count: on and off again.
    QTest::newRow("after 100 ms") << false << std::vector<int>{} << 0;
}

void VirtualKeyboardTest::combinationDoubleClick() {
    QFETCH(bool, secondPressInTime);
    VirtualKeyboard keyboard(kModeCombination);
    keyboard.open();
    const QPoint key = keyboard.keyPoint(kF);
    QTest::mouseClick(keyboard.dialog.get(), Qt::LeftButton, {}, key);
    if (!secondPressInTime) {
        keyboard.clickWaitEnds();
        QCOMPARE(keyboard.selectedKeys(), std::vector<int>{kF});
    }
    QTest::mouseDClick(keyboard.dialog.get(), Qt::LeftButton, {}, key);
    QTest::mouseRelease(keyboard.dialog.get(), Qt::LeftButton, {}, key);
    keyboard.clickWaitEnds();
    QTEST(keyboard.selectedKeys(), "selected");
    QTEST(keyboard.comboCount(), "count");
    QVERIFY(!keyboard.ended());
}

void VirtualKeyboardTest::singleModeDoubleClickChoosesAndCloses() {
    // Whatever single clicks did before: a chosen key elsewhere, the double-clicked key chosen
    // by the first click (late) or not (in time).
    for (bool secondPressInTime : {true, false}) {
        VirtualKeyboard keyboard(kModeSingle);
        keyboard.config.virtualSingle = kEsc;
        keyboard.open();
        const QPoint key = keyboard.keyPoint(kKeypad5);
        QTest::mouseClick(keyboard.dialog.get(), Qt::LeftButton, {}, key);
        if (!secondPressInTime) {
            keyboard.clickWaitEnds();
        }
        QTest::mouseDClick(keyboard.dialog.get(), Qt::LeftButton, {}, key);
        QVERIFY(!keyboard.ended());  // it waits for the button to come up
        QTest::mouseRelease(keyboard.dialog.get(), Qt::LeftButton, {}, key);
        keyboard.clickWaitEnds();
        QVERIFY(keyboard.ended());
        QCOMPARE(keyboard.dialog->result(), int(skin::SkinnedDialog::kResultOk));
        QCOMPARE(keyboard.single(), kKeypad5);
    }
}

void VirtualKeyboardTest::singleModeDoubleClickWaitsForTheRelease() {
    VirtualKeyboard keyboard(kModeSingle);
    keyboard.open();
    const QPoint key = keyboard.keyPoint(kA);
    QTest::mouseClick(keyboard.dialog.get(), Qt::LeftButton, {}, key);
    QTest::mouseDClick(keyboard.dialog.get(), Qt::LeftButton, {}, key);
    QVERIFY(!keyboard.clickWaiting());
    // The button stays down: after 300 ms the key is chosen anyway.
    keyboard.doubleClickWaitEnds();
    QVERIFY(keyboard.ended());
    QCOMPARE(keyboard.dialog->result(), int(skin::SkinnedDialog::kResultOk));
    QCOMPARE(keyboard.single(), kA);

    // A double click off the keys chooses nothing; its release is an ordinary click.
    VirtualKeyboard other(kModeSingle);
    other.open();
    const QPoint free(560, 320);  // between the display line and "OK": no element
    QTest::mouseDClick(other.dialog.get(), Qt::LeftButton, {}, free);
    QTest::mouseRelease(other.dialog.get(), Qt::LeftButton, {}, free);
    QVERIFY(!other.ended());
    QCOMPARE(other.single(), 0);
}

void VirtualKeyboardTest::clickWaitsAreTimersThatRunOut() {
    VirtualKeyboard keyboard(kModeCombination);
    keyboard.open();
    QTest::mouseClick(keyboard.dialog.get(), Qt::LeftButton, {}, keyboard.keyPoint(kA));
    const QTimer* wait = keyboard.dialog->findChild<QTimer*>(QStringLiteral("clickWait"));
    QCOMPARE(wait->interval(), OrvoDialogVirtual::kClickWaitMs);
    QCOMPARE(keyboard.dialog->findChild<QTimer*>(QStringLiteral("doubleClickWait"))->interval(),
             OrvoDialogVirtual::kDoubleClickReleaseWaitMs);
    // Not handled yet, and the window goes on: the wait is no loop.
    QCOMPARE(keyboard.selectedKeys(), std::vector<int>{});
    QTRY_COMPARE_WITH_TIMEOUT(keyboard.selectedKeys(), std::vector<int>{kA}, 5000);
}

void VirtualKeyboardTest::enterBeforeTheWaitEndsDropsTheClick() {
    VirtualKeyboard keyboard(kModeSingle);
    keyboard.config.virtualSingle = kF;
    keyboard.open();
    QTest::mouseClick(keyboard.dialog.get(), Qt::LeftButton, {}, keyboard.keyPoint(kA));
    QTest::keyClick(keyboard.dialog.get(), Qt::Key_Return);
    QVERIFY(keyboard.ended());
    QCOMPARE(keyboard.dialog->result(), int(skin::SkinnedDialog::kResultOk));
    // The result is what the window showed when the user ended it.
    QCOMPARE(keyboard.single(), kF);
    QVERIFY(!keyboard.clickWaiting());
}

// Tab into the keys, the arrows to a neighbour, Space picks it at once (no wait for a double
// click), Enter on "OK" ends the run with the pick.
void VirtualKeyboardTest::keysArePickedWithoutAMouse() {
    VirtualKeyboard keyboard(kModeCombination);
    keyboard.open();
    OrvoDialogVirtual& dialog = *keyboard.dialog;
    dialog.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.focusItem(virtualkbd::KeyItemId(kA));
    QTest::keyClick(&dialog, Qt::Key_Space);
    QTest::keyClick(&dialog, Qt::Key_Right);  // "S", then "D", then "F"
    QTest::keyClick(&dialog, Qt::Key_Right);
    QTest::keyClick(&dialog, Qt::Key_Right);
    QTest::keyClick(&dialog, Qt::Key_Space);
    QVERIFY(!keyboard.clickWaiting());
    QCOMPARE(keyboard.comboCount(), 2);
    QCOMPARE(keyboard.combo()[1], kF);
    dialog.focusItem(virtualkbd::kIdOk);
    QTest::keyClick(&dialog, Qt::Key_Return);
    QVERIFY(keyboard.ended());
    QCOMPARE(dialog.result(), int(skin::SkinnedDialog::kResultOk));
    QCOMPARE(keyboard.combo()[0], kA);
}

void VirtualKeyboardTest::keysAreHitAtTheScaledRectangles() {
    VirtualKeyboard keyboard(kModeCombination, 1.5F);
    keyboard.open();
    QCOMPARE(keyboard.dialog->size(), QSize(1404, 534));
    // "Space" is 180..398 x 252..285 at design size: 270..597 x 378..427 here.
    QTest::mouseClick(keyboard.dialog.get(), Qt::LeftButton, {}, QPoint(269, 400));
    QVERIFY(!keyboard.clickWaiting());  // left of it: the gap after "Alt"
    keyboard.click(QPoint(596, 426));   // its last pixel
    keyboard.click(QPoint(606, 400));   // right "Alt", 403..448 at design size
    QCOMPARE(keyboard.combo(), (Combo{70, 71, 0, 0, 0, 0}));
    QCOMPARE(keyboard.comboCount(), 2);
    const QRect line = keyboard.dialog->displayLine()->geometry();
    QCOMPARE(line, QRect(30, 457, 750, 48));

    // A configuration whose scale was never set opens at design size, display line included.
    VirtualKeyboard unscaled(kModeSingle, 0.0F);
    unscaled.open();
    QCOMPARE(unscaled.dialog->size(), QSize(936, 356));
    QCOMPARE(unscaled.dialog->displayLine()->geometry(), QRect(20, 305, 500, 32));
}

void VirtualKeyboardTest::selectedAndHoveredKeysShowTheirPictures() {
    VirtualKeyboard keyboard(kModeCombination);
    keyboard.open();
    keyboard.clickKey(kLeftCtrl);
    QTest::mouseMove(keyboard.dialog.get(), keyboard.keyPoint(kB));
    const QImage face = keyboard.dialog->composeFace();
    const QImage selected = testkit::ArtworkImage(virtualkbd::kImageSelected);
    const QImage hover = testkit::ArtworkImage(virtualkbd::kImageHover);
    const QImage background = testkit::ArtworkImage(virtualkbd::kImageBackground);
    QVERIFY(!selected.isNull() && !hover.isNull() && !background.isNull());
    const auto area = [&](int hwCode) {
        const skin::DesignRect& r = keyboard.dialog->findItem(virtualkbd::KeyItemId(hwCode))->rect;
        return QRect(r.left, r.top, r.width(), r.height());
    };
    QCOMPARE(face.copy(area(kLeftCtrl)), selected.copy(area(kLeftCtrl)));
    QCOMPARE(face.copy(area(kB)), hover.copy(area(kB)));
    QCOMPARE(face.copy(area(kA)), background.copy(area(kA)));
    QVERIFY(selected.copy(area(kA)) != background.copy(area(kA)));
}

QTEST_MAIN(VirtualKeyboardTest)
#include "VirtualKeyboardTest.moc"
