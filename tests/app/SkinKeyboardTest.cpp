// The skinned windows without a mouse, on a small window of their own: the focus mark, Tab
// from stop to stop with a group as one stop, the arrows, Space and Enter, the tab keys, and
// the window's own controls in the Tab order.
#include "SkinParts.h"
#include "SkinnedDialog.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>

using skin::SkinItem;
using testkit::Element;

namespace {

const QColor kBackground(10, 10, 10);
const std::string kLanguage = "en-US";
constexpr int kWidth = 200;
constexpr int kHeight = 100;

QImage Filled(const QColor& color) {
    return testkit::FilledPicture(QSize(kWidth, kHeight), color);
}

// Two buttons on top; under them a block of keys (ids from 100 on, one Tab stop), and a label.
std::vector<SkinItem> Elements() {
    SkinItem label = Element(5, {100, 10, 190, 30});
    label.isLabel = true;
    return {Element(1, {10, 10, 40, 30}),
            Element(2, {50, 10, 80, 30}),
            Element(101, {10, 50, 30, 70}),
            Element(102, {30, 50, 50, 70}),
            Element(103, {50, 50, 70, 70}),
            Element(104, {10, 70, 30, 90}),
            label};
}

class KeyboardWindow : public skin::SkinnedDialog {
public:
    explicit KeyboardWindow(const skin::SkinResources& resources)
        : SkinnedDialog(resources, kLanguage, 1.0F, nullptr, Qt::Dialog) {}

    void open() {
        openSkin({Filled(kBackground), Filled(kBackground), Filled(kBackground)}, QColor(0, 0, 255),
                 {kWidth, kHeight}, Elements());
        show();
        activateWindow();
    }
    // The id of the element with the focus, 0 for none.
    int focused() {
        const SkinItem* item = focusedItem();
        return item != nullptr ? item->id : 0;
    }
    // Whether the face shows anything but the background around an element's edge.
    bool markAround(int id) {
        const QImage face = composeFace();
        const skin::DesignRect& r = findItem(id)->rect;
        const int middle = (r.top + r.bottom) / 2;
        return face.pixelColor(r.left + 1, middle) != kBackground ||
               face.pixelColor(r.left, middle) != kBackground;
    }

    std::vector<int> clicks;
    std::vector<int> tabSteps;

protected:
    void itemClicked(SkinItem& item) override { clicks.push_back(item.id); }
    bool switchTab(int step) override {
        tabSteps.push_back(step);
        return true;
    }
};

void Press(QWidget& window, int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QTest::keyClick(&window, static_cast<Qt::Key>(key), modifiers);
}

}  // namespace

class SkinKeyboardTest : public QObject {
    Q_OBJECT

private:
    skin::SkinResources resources_;

private slots:
    void theMarkShowsOnlyOnceTheKeyboardMovesTheFocus() {
        KeyboardWindow window(resources_);
        window.open();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(!window.focusMarkShown());
        QVERIFY(!window.markAround(1));
        // A click moves the focus there, and shows no mark.
        QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(60, 20));
        QCOMPARE(window.focused(), 2);
        QVERIFY(!window.markAround(2));
        // The first Tab shows where the focus is; the next moves it.
        Press(window, Qt::Key_Tab);
        QVERIFY(window.focusMarkShown());
        QCOMPARE(window.focused(), 2);
        QVERIFY(window.markAround(2));
        Press(window, Qt::Key_Tab);
        QCOMPARE(window.focused(), 101);
        QVERIFY(window.markAround(101));
        QVERIFY(!window.markAround(2));
    }

    void tabGoesFromStopToStopAndEntersAGroupOnItsChoice() {
        KeyboardWindow window(resources_);
        window.open();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.findItem(103)->isSelected = true;
        std::vector<int> forward;
        for (int press = 0; press < 4; ++press) {
            Press(window, Qt::Key_Tab);
            forward.push_back(window.focused());
        }
        // The label never takes the focus; the keys are one stop, entered on the chosen key.
        QCOMPARE(forward, (std::vector<int>{1, 2, 103, 1}));
        std::vector<int> back;
        for (int press = 0; press < 3; ++press) {
            Press(window, Qt::Key_Backtab, Qt::ShiftModifier);
            back.push_back(window.focused());
        }
        QCOMPARE(back, (std::vector<int>{103, 2, 1}));
    }

    void arrowsGoToTheNearestElementOnThatSide() {
        KeyboardWindow window(resources_);
        window.open();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.focusItem(101);
        struct Step {
            int key;
            int to;
        };
        const Step steps[] = {
            {Qt::Key_Right, 102}, {Qt::Key_Right, 103}, {Qt::Key_Right, 103},  // nothing further
            {Qt::Key_Up, 2},      {Qt::Key_Left, 1},    {Qt::Key_Down, 101},
            {Qt::Key_Down, 104},  {Qt::Key_Up, 101},
        };
        for (const Step& step : steps) {
            Press(window, step.key);
            QCOMPARE(window.focused(), step.to);
        }
        QVERIFY(window.clicks.empty());
    }

    void spaceAndEnterPressTheFocusedElement() {
        KeyboardWindow window(resources_);
        window.open();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        Press(window, Qt::Key_Tab);
        Press(window, Qt::Key_Space);
        Press(window, Qt::Key_Right);
        Press(window, Qt::Key_Return);
        QCOMPARE(window.clicks, (std::vector<int>{1, 2}));
        QVERIFY(window.isVisible());
        Press(window, Qt::Key_Escape);  // Escape keeps its meaning
        QVERIFY(!window.isVisible());
        QCOMPARE(window.result(), int(skin::SkinnedDialog::kResultCancel));
    }

    void enterWithoutTheMarkKeepsTheWindowsMeaning() {
        KeyboardWindow window(resources_);
        window.open();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QTest::mouseClick(&window, Qt::LeftButton, {}, QPoint(20, 20));
        Press(window, Qt::Key_Space);  // no mark: the clicked element is not pressed again
        Press(window, Qt::Key_Return);
        QCOMPARE(window.clicks, (std::vector<int>{1}));
        QCOMPARE(window.result(), int(skin::SkinnedDialog::kResultOk));
    }

    void ctrlTabAndCtrlPageKeysSwitchTabs() {
        KeyboardWindow window(resources_);
        window.open();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        Press(window, Qt::Key_Tab, Qt::ControlModifier);
        Press(window, Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
        Press(window, Qt::Key_PageDown, Qt::ControlModifier);
        Press(window, Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(window.tabSteps, (std::vector<int>{1, -1, 1, -1}));
        QVERIFY(!window.focusMarkShown());
    }

    void tabPassesThroughTheWindowsOwnControls() {
        KeyboardWindow window(resources_);
        auto* edit = new QLineEdit(&window);
        edit->setGeometry(100, 50, 80, 20);
        window.open();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.setFocus();
        window.focusItem(101);  // the last stop
        Press(window, Qt::Key_Tab);
        QVERIFY(edit->hasFocus());
        QVERIFY(!window.focusMarkShown());
        Press(*edit, Qt::Key_Tab);
        QVERIFY(window.hasFocus());
        QCOMPARE(window.focused(), 1);
        QVERIFY(window.focusMarkShown());
        Press(window, Qt::Key_Backtab, Qt::ShiftModifier);
        QVERIFY(edit->hasFocus());
        Press(*edit, Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(window.focused(), 101);
    }

    // Qt hands the focus on when the control that has it is hidden (an editor closing): no
    // mark appears for it.
    void aControlClosingShowsNoMark() {
        KeyboardWindow window(resources_);
        auto* edit = new QLineEdit(&window);
        edit->setGeometry(100, 50, 80, 20);
        window.open();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        edit->setFocus();
        QVERIFY(edit->hasFocus());
        edit->hide();
        QVERIFY(!window.focusMarkShown());
        QVERIFY(!window.markAround(1));
    }
};

QTEST_MAIN(SkinKeyboardTest)
#include "SkinKeyboardTest.moc"
