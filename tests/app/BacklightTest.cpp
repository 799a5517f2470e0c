// The backlight settings and multi-key windows on the simulated keyboard: what stays in the
// working copy and what reaches the configuration and the keyboard, the reports a write sends,
// and what the windows show.
#include "BacklightLayout.h"
#include "COrvoDialogBkLightMultiSelect.h"
#include "COrvoDialogBkLightSettings.h"
#include "DialogDriver.h"
#include "MainWindowHarness.h"
#include "MainWindowLayout.h"
#include "MultiSelectLayout.h"
#include "SimulatedKeyboard.h"
#include "Trace.h"

#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include <functional>
#include <memory>

using model::CKeyboardConfig;
using model::JobPauses;
using model::kKeyIndexCount;
using model::kLanguageEnglish;
using model::PerKey;
using model::RGBColor;

using testkit::ClickElement;
using testkit::MainWindowHarness;
using testkit::WhenModal;

namespace {

constexpr int kEsc = 1;
constexpr int kKeyA = 46;
constexpr int kKeyS = 47;
const JobPauses kNoPauses{std::chrono::milliseconds(0), std::chrono::milliseconds(0)};
const QString kOk = QStringLiteral("OK!");
const QString kFailed = QStringLiteral("Failed!");

int KeyId(int key) {
    return backlight::KeyItemId(key);
}

PerKey<RGBColor> Rainbow() {
    PerKey<RGBColor> colors{};
    for (int key = 0; key < kKeyIndexCount; ++key) {
        colors[static_cast<std::size_t>(key)] = {key * 3 % 256, 255 - key, key * 7 % 256};
    }
    return colors;
}

// The colour of a design pixel of a face.
RGBColor PixelAt(const QImage& face, int x, int y) {
    const QColor color = face.pixelColor(x, y);
    return {color.red(), color.green(), color.blue()};
}

// Counts the paints a window gets.
class PaintCounter : public QObject {
public:
    int paints = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            ++paints;
        }
        return false;
    }
};

// The main window on the simulated keyboard and a backlight window over it, shown but not run
// modally, so the test clicks it directly.
struct Backlight {
    explicit Backlight(const char* faults = "") : harness(kDeviceTypePrsmBle, faults) {
        harness.open();
    }

    COrvoDialogBkLightSettings& open() {
        dialog = std::make_unique<COrvoDialogBkLightSettings>(harness.resources, harness.config,
                                                              harness.dialogs, harness.lane,
                                                              kNoPauses, harness.window.get());
        dialog->initialize();
        dialog->show();
        dialog->activateWindow();
        static_cast<void>(QTest::qWaitForWindowActive(dialog.get()));
        return *dialog;
    }

    MainWindowHarness harness;
    std::unique_ptr<COrvoDialogBkLightSettings> dialog;
};

// The 246 bytes of a light write, put together from its data chunks.
std::vector<int> LightAreaOf(const QStringList& sent) {
    std::vector<int> area;
    for (const QString& line : sent) {
        const QStringList bytes = line.mid(2).split(' ');
        if (bytes[1] != QLatin1String("e0")) {
            continue;
        }
        const int count = bytes[2].toInt(nullptr, 16);
        for (int i = 0; i < count; ++i) {
            area.push_back(bytes[3 + i].toInt(nullptr, 16));
        }
    }
    return area;
}

}  // namespace

class BacklightTest : public QObject {
    Q_OBJECT

private slots:
    void theWorkingCopyReachesTheConfigurationOnlyThroughOk() {
        struct Way {
            const char* name;
            std::function<void(COrvoDialogBkLightSettings&)> leave;
            int result;
        };
        const Way ways[] = {
            {"close box", [](auto& d) { ClickElement(d, backlight::kIdClose); }, 2},
            {"Cancel", [](auto& d) { ClickElement(d, backlight::kIdCancel); }, 2},
            {"Escape", [](auto& d) { QTest::keyClick(&d, Qt::Key_Escape); }, 2},
            {"Enter", [](auto& d) { QTest::keyClick(&d, Qt::Key_Return); }, 1},
            {"OK", [](auto& d) { ClickElement(d, backlight::kIdOk); }, 1},
        };
        for (const Way& way : ways) {
            Backlight fixture;
            fixture.harness.config.lightColor = Rainbow();
            COrvoDialogBkLightSettings& dialog = fixture.open();
            fixture.harness.dialogs.colors = {QColor(1, 2, 3), QColor(40, 50, 60)};
            ClickElement(dialog, backlight::kIdDefault);
            ClickElement(dialog, backlight::kIdSetAll);
            ClickElement(dialog, KeyId(kKeyA));
            way.leave(dialog);
            QVERIFY2(!dialog.isVisible(), way.name);
            QCOMPARE(dialog.result(), way.result);
            PerKey<RGBColor> expected = Rainbow();
            if (QString::fromLatin1(way.name) == QLatin1String("OK")) {
                expected.fill({1, 2, 3});
                expected[kKeyA] = {40, 50, 60};
            }
            QVERIFY2(fixture.harness.config.lightColor == expected, way.name);
        }
    }

    void defaultAndOkBlackenEveryEntryButLeaveTheKeyboard() {
        Backlight fixture;
        fixture.harness.config.lightColor = Rainbow();
        const z9rt::sim::SimulatedKeyboardState before = z9rt::sim::ReadSimulatedKeyboard();
        COrvoDialogBkLightSettings& dialog = fixture.open();
        ClickElement(dialog, backlight::kIdDefault);
        ClickElement(dialog, backlight::kIdOk);
        PerKey<RGBColor> black{};
        QVERIFY(fixture.harness.config.lightColor == black);
        const z9rt::sim::SimulatedKeyboardState after = z9rt::sim::ReadSimulatedKeyboard();
        QCOMPARE(after.reportsSeen, before.reportsSeen);
        QCOMPARE(after.light, before.light);
        QVERIFY(fixture.harness.dialogs.messages.empty());
    }

    void setAllStartsBlackAndSetsEntryZeroToo() {
        Backlight fixture;
        fixture.harness.config.lightColor = Rainbow();
        COrvoDialogBkLightSettings& dialog = fixture.open();
        fixture.harness.dialogs.colors = {QColor(9, 8, 7)};
        ClickElement(dialog, backlight::kIdSetAll);
        QCOMPARE(fixture.harness.dialogs.colorRequests, (std::vector<QColor>{QColor(0, 0, 0)}));
        for (const RGBColor& color : dialog.editColors()) {
            QCOMPARE(color, (RGBColor{9, 8, 7}));
        }
        // A cancelled chooser changes nothing.
        ClickElement(dialog, backlight::kIdSetAll);
        QCOMPARE(dialog.editColors()[0], (RGBColor{9, 8, 7}));
        ClickElement(dialog, backlight::kIdOk);
        QCOMPARE(fixture.harness.config.lightColor[0], (RGBColor{9, 8, 7}));
    }

    void aKeyRepaintsOnlyWhenItsColourChanges() {
        struct Case {
            const char* name;
            std::optional<QColor> answer;
            RGBColor after;
            bool repainted;
        };
        const RGBColor start{10, 20, 30};
        const Case cases[] = {
            {"same colour", QColor(10, 20, 30), start, false},
            {"cancelled", std::nullopt, start, false},
            {"new colour", QColor(200, 100, 0), {200, 100, 0}, true},
        };
        for (const Case& c : cases) {
            Backlight fixture;
            fixture.harness.config.lightColor[kKeyA] = start;
            COrvoDialogBkLightSettings& dialog = fixture.open();
            if (c.answer) {
                fixture.harness.dialogs.colors.push_back(*c.answer);
            }
            testkit::HoverElement(dialog, KeyId(kKeyA));
            QTest::qWait(20);
            PaintCounter counter;
            dialog.installEventFilter(&counter);
            ClickElement(dialog, KeyId(kKeyA));
            QTest::qWait(20);
            QCOMPARE(fixture.harness.dialogs.colorRequests,
                     (std::vector<QColor>{QColor(10, 20, 30)}));
            QVERIFY2(dialog.editColors()[kKeyA] == c.after, c.name);
            QVERIFY2((counter.paints > 0) == c.repainted,
                     qPrintable(QStringLiteral("%1: %2 paints").arg(c.name).arg(counter.paints)));
            dialog.removeEventFilter(&counter);
        }
    }

    void readShowsTheKeyboardsColours() {
        Backlight fixture;
        z9rt::sim::SetSimulatedLight(kEsc, 0, 255, 0);
        z9rt::sim::SetSimulatedLight(kKeyA, 10, 20, 30);
        COrvoDialogBkLightSettings& dialog = fixture.open();
        ClickElement(dialog, backlight::kIdRead);
        QCOMPARE(fixture.harness.dialogs.messageTexts(), QStringList{kOk});
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.editColors()[kKeyA], (RGBColor{10, 20, 30}));
        QCOMPARE(fixture.harness.config.lightColor[kKeyA], (RGBColor{10, 20, 30}));
        QCOMPARE(dialog.keyboardColours(), COrvoDialogBkLightSettings::KeyboardColours::ReadBack);
        // Esc (82..125 by 111..156) framed two pixels wide in its new colour.
        const QImage face = dialog.composeFace();
        QCOMPARE(PixelAt(face, 80, 130), (RGBColor{0, 255, 0}));
        QCOMPARE(PixelAt(face, 126, 130), (RGBColor{0, 255, 0}));
        QCOMPARE(PixelAt(face, 100, 109), (RGBColor{0, 255, 0}));
        QCOMPARE(PixelAt(face, 100, 157), (RGBColor{0, 255, 0}));
        QVERIFY(PixelAt(face, 79, 130) != (RGBColor{0, 255, 0}));
        QVERIFY(PixelAt(face, 128, 130) != (RGBColor{0, 255, 0}));
    }

    void aFailedReadKeepsTheWorkingColours() {
        Backlight fixture;
        COrvoDialogBkLightSettings& dialog = fixture.open();
        fixture.harness.dialogs.colors = {QColor(5, 6, 7)};
        ClickElement(dialog, backlight::kIdSetAll);
        const PerKey<RGBColor> configured = fixture.harness.config.lightColor;
        // The keyboard takes the request but never answers.
        QVERIFY(z9rt::sim::SetSimulatedKeyboardFaults("silent"));
        ClickElement(dialog, backlight::kIdRead);
        QCOMPARE(fixture.harness.dialogs.messageTexts(), QStringList{kFailed});
        QVERIFY(dialog.isVisible());
        QCOMPARE(dialog.editColors()[kKeyA], (RGBColor{5, 6, 7}));
        QVERIFY(fixture.harness.config.lightColor == configured);
    }

    void writeSendsSevenReportsWithTheChosenColours() {
        QTemporaryDir dir;
        const QString trace = dir.filePath(QStringLiteral("trace.txt"));
        qputenv("Z9RT_HID_TRACE", trace.toLocal8Bit());
        Backlight fixture;
        qunsetenv("Z9RT_HID_TRACE");
        COrvoDialogBkLightSettings& dialog = fixture.open();
        const qsizetype mark = testkit::TraceLines(trace).size();
        fixture.harness.dialogs.colors = {QColor(0x11, 0x22, 0x33), QColor(0xaa, 0xbb, 0xcc)};
        ClickElement(dialog, backlight::kIdSetAll);
        ClickElement(dialog, KeyId(kKeyA));
        ClickElement(dialog, backlight::kIdWrite);

        QCOMPARE(fixture.harness.dialogs.messageTexts(), QStringList{kOk});
        QVERIFY(!dialog.isVisible());
        QCOMPARE(dialog.result(), 1);
        QCOMPARE(fixture.harness.config.lightColor[kKeyA], (RGBColor{0xaa, 0xbb, 0xcc}));
        const QStringList sent = testkit::TraceLines(trace).mid(mark);
        QCOMPARE(sent.size(), 7);
        QVERIFY(sent[0].startsWith(QStringLiteral("> 00 e1 00 00")));
        const char* chunkStarts[] = {"> 00 e0 3d ", "> 00 e0 3d ", "> 00 e0 3d ", "> 00 e0 3d ",
                                     "> 00 e0 02 "};
        for (int chunk = 0; chunk < 5; ++chunk) {
            QVERIFY(sent[1 + chunk].startsWith(QLatin1String(chunkStarts[chunk])));
        }
        QCOMPARE(sent[6], QStringLiteral(">") + QStringLiteral(" e6").repeated(64));
        std::vector<int> expected;
        for (int key = 1; key <= 82; ++key) {
            const bool a = key == kKeyA;
            expected.insert(expected.end(), {a ? 0xaa : 0x11, a ? 0xbb : 0x22, a ? 0xcc : 0x33});
        }
        QCOMPARE(LightAreaOf(sent), expected);
        QCOMPARE(z9rt::sim::ReadSimulatedKeyboard().light[3 * (kKeyA - 1)], 0xaa);
    }

    void aFailedWriteSaysSoClosesAndMarksTheMainWindow() {
        Backlight fixture;
        MainWindowHarness& harness = fixture.harness;
        const QColor normal = harness.window->findItem(mainwin::kLabelBacklight)->textColor;
        // The keyboard is gone from the program's hands: the colour write cannot reach it.
        QVERIFY(harness.config.device.__closeDev());
        harness.dialogs.colors = {QColor(1, 1, 1)};
        WhenModal<COrvoDialogBkLightSettings>([](COrvoDialogBkLightSettings& dialog) {
            ClickElement(dialog, backlight::kIdSetAll);
            ClickElement(dialog, backlight::kIdWrite);
        });
        harness.click(mainwin::kIdBacklight);
        QCOMPARE(harness.dialogs.messageTexts(), QStringList{kFailed});
        QCOMPARE(harness.config.lightColor[kKeyA], (RGBColor{1, 1, 1}));
        QVERIFY(harness.window->findItem(mainwin::kLabelBacklight)->textColor != normal);

        // Written again once the keyboard is back: the mark goes.
        QVERIFY(harness.config.device.__createDev());
        WhenModal<COrvoDialogBkLightSettings>(
            [](COrvoDialogBkLightSettings& dialog) { ClickElement(dialog, backlight::kIdWrite); });
        harness.click(mainwin::kIdBacklight);
        QCOMPARE(harness.dialogs.messageTexts(), (QStringList{kFailed, kOk}));
        QCOMPARE(harness.window->findItem(mainwin::kLabelBacklight)->textColor, normal);
        QCOMPARE(z9rt::sim::ReadSimulatedKeyboard().light[3 * (kKeyA - 1)], 1);
    }

    void aWriteCutOffPartWaySaysFailed() {
        Backlight fixture;
        MainWindowHarness& harness = fixture.harness;
        const QColor normal = harness.window->findItem(mainwin::kLabelBacklight)->textColor;
        const std::uint8_t before = z9rt::sim::ReadSimulatedKeyboard().light[3 * (kKeyA - 1)];
        harness.dialogs.colors = {QColor(9, 8, 7)};
        WhenModal<COrvoDialogBkLightSettings>([](COrvoDialogBkLightSettings& dialog) {
            ClickElement(dialog, backlight::kIdSetAll);
            // The start report and the first chunk arrive; then the keyboard is gone.
            QVERIFY(z9rt::sim::SetSimulatedKeyboardFaults("unplug-after=2"));
            ClickElement(dialog, backlight::kIdWrite);
        });
        harness.click(mainwin::kIdBacklight);
        QCOMPARE(harness.dialogs.messageTexts(), QStringList{kFailed});
        QCOMPARE(harness.config.lightColor[kKeyA], (RGBColor{9, 8, 7}));
        QVERIFY(harness.window->findItem(mainwin::kLabelBacklight)->textColor != normal);
        QVERIFY(z9rt::sim::SetSimulatedKeyboardFaults(""));
        QCOMPARE(z9rt::sim::ReadSimulatedKeyboard().light[3 * (kKeyA - 1)], before);
    }

    void multiKeyGivesTheSelectedKeysThePickedColour() {
        Backlight fixture;
        CKeyboardConfig& config = fixture.harness.config;
        config.lightColor = Rainbow();
        // A selection left from before: every run starts empty.
        config.lightSelected[kEsc] = 1;
        COrvoDialogBkLightSettings& dialog = fixture.open();
        fixture.harness.dialogs.colors = {QColor(7, 7, 7)};
        WhenModal<COrvoDialogBkLightMultiSelect>([](COrvoDialogBkLightMultiSelect& multi) {
            QCOMPARE(multi.pick().keys[kEsc], std::uint8_t{0});
            ClickElement(multi, KeyId(kKeyA));
            ClickElement(multi, KeyId(kKeyS));
            ClickElement(multi, KeyId(kKeyA));
            QVERIFY(!multi.findItem(KeyId(kKeyA))->isSelected);
            QCOMPARE(multi.pick().keys[kKeyA], std::uint8_t{0});
            QCOMPARE(multi.pick().keys[kKeyS], std::uint8_t{1});
            ClickElement(multi, backlight::kIdSetColor);
        });
        ClickElement(dialog, backlight::kIdMultiKey);
        PerKey<RGBColor> expected = Rainbow();
        expected[kKeyS] = {7, 7, 7};
        QVERIFY(dialog.editColors() == expected);
        QCOMPARE(fixture.harness.dialogs.colorRequests, (std::vector<QColor>{QColor(0, 0, 0)}));
        QVERIFY(config.lightColor == Rainbow());
        // The caller keeps what the window returned in the hand-over members.
        QCOMPARE(config.lightSelected[kKeyS], std::uint8_t{1});
        QCOMPARE(config.lightSelected[kEsc], std::uint8_t{0});
        QCOMPARE(config.lightPickColor, (RGBColor{7, 7, 7}));
    }

    void multiKeyEndingsDecideWhatTheCallerApplies() {
        struct Case {
            const char* name;
            std::function<void(COrvoDialogBkLightMultiSelect&)> end;
            bool applied;
            bool colourChosen = false;  // the chooser is answered with a colour
        };
        const Case cases[] = {
            // Nothing selected: confirming a colour changes nothing.
            {"Set Color without keys",
             [](auto& multi) { ClickElement(multi, backlight::kIdSetColor); }, false, true},
            // Enter takes the colour picked in an earlier run, without asking.
            {"Enter",
             [](auto& multi) {
                 ClickElement(multi, KeyId(kKeyS));
                 QTest::keyClick(&multi, Qt::Key_Return);
             },
             true},
            {"close box",
             [](auto& multi) {
                 ClickElement(multi, KeyId(kKeyS));
                 ClickElement(multi, backlight::kIdMultiClose);
             },
             false},
            {"Escape",
             [](auto& multi) {
                 ClickElement(multi, KeyId(kKeyS));
                 QTest::keyClick(&multi, Qt::Key_Escape);
             },
             false},
            // A cancelled chooser leaves the window open with its marks; then the close box.
            {"cancelled chooser",
             [](auto& multi) {
                 ClickElement(multi, KeyId(kKeyS));
                 ClickElement(multi, backlight::kIdSetColor);
                 QVERIFY(multi.isVisible());
                 QVERIFY(multi.findItem(KeyId(kKeyS))->isSelected);
                 ClickElement(multi, backlight::kIdMultiClose);
             },
             false},
        };
        for (const Case& c : cases) {
            Backlight fixture;
            CKeyboardConfig& config = fixture.harness.config;
            config.lightColor = Rainbow();
            config.lightPickColor = {4, 5, 6};
            if (c.colourChosen) {
                fixture.harness.dialogs.colors = {QColor(9, 9, 9)};
            }
            COrvoDialogBkLightSettings& dialog = fixture.open();
            WhenModal<COrvoDialogBkLightMultiSelect>(c.end);
            ClickElement(dialog, backlight::kIdMultiKey);
            PerKey<RGBColor> expected = Rainbow();
            if (c.applied) {
                expected[kKeyS] = {4, 5, 6};
            }
            QVERIFY2(dialog.editColors() == expected, c.name);
        }
    }

    void pureRedIsFramedOneShadeOffInTheMultiKeyWindowOnly() {
        Backlight fixture;
        CKeyboardConfig& config = fixture.harness.config;
        config.lightColor[kEsc] = {255, 0, 0};
        COrvoDialogBkLightSettings& dialog = fixture.open();
        QCOMPARE(PixelAt(dialog.composeFace(), 81, 130), (RGBColor{255, 0, 0}));
        RGBColor shown;
        WhenModal<COrvoDialogBkLightMultiSelect>([&shown](COrvoDialogBkLightMultiSelect& multi) {
            shown = PixelAt(multi.composeFace(), 81, 130);
            ClickElement(multi, backlight::kIdMultiClose);
        });
        ClickElement(dialog, backlight::kIdMultiKey);
        QCOMPARE(shown, (RGBColor{255, 1, 0}));
    }

    void aSelectedKeyShowsTheMarkedPicture() {
        Backlight fixture;
        const CKeyboardConfig& config = fixture.harness.config;
        COrvoDialogBkLightMultiSelect multi(
            fixture.harness.resources, config.language, config.scaleFactor, config.lightWorkColor,
            config.lightPickColor, fixture.harness.dialogs, nullptr);
        multi.initialize();
        multi.show();
        ClickElement(multi, KeyId(kKeyA));
        const QImage marked = testkit::ArtworkImage(backlight::kMultiSelectImageMarked);
        const skin::DesignRect a = backlight::KeyRect(kKeyA);
        const QImage face = multi.composeFace();
        QCOMPARE(face.copy(a.left, a.top, a.width(), a.height()),
                 marked.copy(a.left, a.top, a.width(), a.height()).convertToFormat(face.format()));
    }

    void aPressBesideAButtonOnItsLabelDragsTheWindow() {
        Backlight fixture;
        fixture.harness.config.lightColor = Rainbow();
        COrvoDialogBkLightSettings& dialog = fixture.open();
        // "Default"'s label reaches two pixels right of its button (78..160 against 73..158);
        // the title has no button under it.
        for (const QPoint press : {QPoint(159, 440), QPoint(426, 20)}) {
            const QPoint start = dialog.pos();
            QTest::mousePress(&dialog, Qt::LeftButton, {}, press);
            QTest::mouseMove(&dialog, press + QPoint(10, 5));
            QTest::mouseRelease(&dialog, Qt::LeftButton, {}, press + QPoint(10, 5));
            QCOMPARE(dialog.pos(), start + QPoint(10, 5));
        }
        QVERIFY(dialog.isVisible());
        QVERIFY(dialog.editColors() == Rainbow());
    }

    void framesStayTwoDesignPixelsWideWhenScaled() {
        Backlight fixture;
        fixture.harness.config.scaleFactor = 1.5F;
        fixture.harness.config.lightColor[kEsc] = {0, 255, 0};
        COrvoDialogBkLightSettings& dialog = fixture.open();
        QCOMPARE(dialog.size(), QSize(1290, 714));
        const QImage face = dialog.composeFace();
        QCOMPARE(PixelAt(face, 80, 130), (RGBColor{0, 255, 0}));
        QCOMPARE(PixelAt(face, 81, 130), (RGBColor{0, 255, 0}));
        QVERIFY(PixelAt(face, 79, 130) != (RGBColor{0, 255, 0}));
        QVERIFY(PixelAt(face, 82, 130) != (RGBColor{0, 255, 0}));
        // On screen the two design pixels become three (120..122 of the stretched window).
        QImage screen(dialog.size(), QImage::Format_RGB32);
        dialog.render(&screen);
        int greenColumns = 0;
        for (int x = 110; x < 132; ++x) {
            const QColor pixel = screen.pixelColor(x, 195);
            greenColumns += pixel.green() > 192 && pixel.red() < 64 && pixel.blue() < 64 ? 1 : 0;
        }
        QCOMPARE(greenColumns, 3);
    }

    void theKeyUnderThePointerIsNamedWithItsColour() {
        Backlight fixture;
        fixture.harness.config.lightColor[kKeyA] = {10, 20, 255};
        COrvoDialogBkLightSettings& dialog = fixture.open();
        QCOMPARE(dialog.keyColourText(),
                 QStringLiteral("鼠标指向按键可查看其颜色，单击按键可选择新颜色。"));
        testkit::HoverElement(dialog, KeyId(kKeyA));
        QCOMPARE(dialog.keyColourText(), QStringLiteral("按键 A：#0a14ff（红 10，绿 20，蓝 255）"));
        fixture.harness.config.language = kLanguageEnglish;
        QCOMPARE(dialog.keyColourText(),
                 QStringLiteral("Key A: #0a14ff (red 10, green 20, blue 255)"));
        // The face shows the line with a sample of the colour.
        const QImage face = dialog.composeFace();
        const skin::DesignRect& sample = backlight::kKeyColourSample;
        QCOMPARE(PixelAt(face, sample.left + 5, sample.top + 5), (RGBColor{10, 20, 255}));
        testkit::HoverElement(dialog, KeyId(kEsc));
        QVERIFY(dialog.keyColourText().startsWith(QStringLiteral("Key Esc: #")));
        testkit::MovePointer(dialog, QPoint(5, 200));
        QCOMPARE(dialog.keyColourText(),
                 QStringLiteral("Point at a key to see its colour; click it to choose another."));
    }
};

QTEST_MAIN(BacklightTest)
#include "BacklightTest.moc"
