// What the main window shows after each hover, selection and model change, repainted piece by
// piece at its own scale, against the whole face composed anew and enlarged by Qt's smooth
// scaling, pixel for pixel. Runs on an offscreen screen 2160 pixels high (with-screen settings
// in screen-3840x2160.json), where the program's own scale is 2.
#include "MainWindowHarness.h"
#include "MainWindowLayout.h"

#include <QTest>

#include <functional>
#include <vector>

using model::KindCombo;

using testkit::MainWindowHarness;
using namespace mainwin;

namespace {

constexpr int kKeyA = 46;
constexpr int kKey6 = 21;  // 6 and 7 are not set on the right Fn layer: they light up under
constexpr int kKey7 = 22;  // the pointer
constexpr int kKeyFn = 78;

// Delivers what the last action posted, the window's repaint among it.
void PaintWhatIsPending() {
    QCoreApplication::sendPostedEvents();
}

// The face as it would be if the whole window were painted now: today's whole composition,
// enlarged as Qt enlarges it.
QImage WholeFace(testkit::TestMainWindow& window) {
    const QImage face = window.composeFace();
    const QSize shown = window.shownFace().size();
    return shown == face.size()
               ? face
               : face.scaled(shown, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

// Where the two pictures differ, for the failure message.
QString FirstDifference(const QImage& shown, const QImage& whole) {
    for (int y = 0; y < shown.height(); ++y) {
        for (int x = 0; x < shown.width(); ++x) {
            if (shown.pixel(x, y) != whole.pixel(x, y)) {
                return QStringLiteral("first difference at %1, %2").arg(x).arg(y);
            }
        }
    }
    return QStringLiteral("sizes or formats differ");
}

}  // namespace

class RepaintTest : public QObject {
    Q_OBJECT

private slots:
    void theProgramsOwnScaleFollowsTheScreen() {
        MainWindowHarness harness;
        harness.scaleFactor = 0.0F;  // as the program opens it
        QVERIFY(harness.open());
        QCOMPARE(harness.config.scaleFactor, 2.0F);
        QCOMPARE(harness.window->size(), QSize(2 * kFaceSize.width, 2 * kFaceSize.height));
    }

    void whatIsShownIsTheWholeFaceEnlarged_data() {
        QTest::addColumn<float>("scale");
        QTest::newRow("1") << 1.0F;
        QTest::newRow("1.333") << 1440.0F / 1080.0F;
        QTest::newRow("1.5") << 1.5F;
        QTest::newRow("2") << 2.0F;
    }

    void whatIsShownIsTheWholeFaceEnlarged() {
        QFETCH(float, scale);
        MainWindowHarness harness;
        harness.scaleFactor = scale;
        QVERIFY(harness.open());
        testkit::TestMainWindow& window = *harness.window;
        QCOMPARE(window.scaleFactor(), scale);
        PaintWhatIsPending();

        struct Step {
            const char* what;
            std::function<void()> act;
        };
        const std::vector<Step> steps{
            {"first paint", [] {}},
            {"hover on A", [&] { harness.hover(KeyItemId(kKeyA)); }},
            {"right Fn layer selected", [&] { harness.click(kIdLayerRightFn); }},
            {"hover on a key", [&] { harness.hover(KeyItemId(kKey6)); }},
            {"hover on the next key", [&] { harness.hover(KeyItemId(kKey7)); }},
            {"hover on an assigned key", [&] { harness.hover(KeyItemId(kKeyFn)); }},
            {"hover on a button", [&] { harness.hover(kIdWriteKeys); }},
            {"hover on the next button", [&] { harness.hover(kIdReadAll); }},
            {"pointer on the background", [&] { QTest::mouseMove(&window, QPoint(5, 5)); }},
            {"layer selected", [&] { harness.click(kIdLayerLeftFn); }},
            {"hover on the language button", [&] { harness.hover(kIdLanguage); }},
            {"language switched", [&] { harness.click(kIdLanguage); }},
            {"key assigned, window updated",
             [&] {
                 harness.config.keyMode[kKey7][2] = KindCombo;
                 window.update();
             }},
            {"hover back on 6", [&] { harness.hover(KeyItemId(kKey6)); }},
        };
        for (const Step& step : steps) {
            step.act();
            PaintWhatIsPending();
            const QImage whole = WholeFace(window);
            const QImage& shown = window.shownFace();
            QVERIFY2(shown == whole, qPrintable(QStringLiteral("%1: %2").arg(
                                         QLatin1String(step.what), FirstDifference(shown, whole))));
        }
    }
};

QTEST_MAIN(RepaintTest)
#include "RepaintTest.moc"
