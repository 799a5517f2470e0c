// The main window's heat map after ReadCounter: key tints on the shared heat scale, captions kept
// readable, the legend's range, the display line's count and the way back to the layer view.
#include "MainWindowHarness.h"
#include "MainWindowLayout.h"
#include "SimulatedKeyboard.h"
#include "model/HeatScale.h"

#include <QTest>

using testkit::MainWindowHarness;
using namespace mainwin;

namespace {

constexpr std::int64_t kTopOf32Bits = 4294967295;
constexpr std::int64_t k2To31 = 2147483648;

QColor ToColor(model::HeatRgb rgb) {
    return QColor(rgb.red, rgb.green, rgb.blue);
}

// A point on the key's cap clear of its caption and its rounded corner.
QPoint CapCorner(int key) {
    const skin::DesignRect rect = KeyRect(key);
    return QPoint(rect.left + 6, rect.top + 6);
}

// How many pixels of the key's cap carry the caption ink that reads on `tint`.
int InkPixels(const QImage& face, int key, model::HeatRgb tint) {
    const int ink = model::HeatInk(tint);
    const skin::DesignRect rect = KeyRect(key);
    int count = 0;
    for (int y = rect.top; y < rect.bottom; ++y) {
        for (int x = rect.left; x < rect.right; ++x) {
            const QColor pixel = face.pixelColor(x, y);
            if (std::abs(pixel.red() - ink) < 30 && std::abs(pixel.green() - ink) < 30 &&
                std::abs(pixel.blue() - ink) < 30) {
                ++count;
            }
        }
    }
    return count;
}

void SetCounts(std::initializer_list<std::pair<int, std::uint32_t>> counts) {
    for (int key = 1; key <= mainwin::kKeyCount; ++key) {
        z9rt::sim::SetSimulatedCounter(key, 0);
    }
    for (const auto& [key, count] : counts) {
        z9rt::sim::SetSimulatedCounter(key, count);
    }
}

}  // namespace

class HeatMapTest : public QObject {
    Q_OBJECT

private slots:
    void keysTakeTheColoursOfTheirCounts() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        SetCounts({{30, 4294967295U}, {12, 3}, {40, 2147483648U}, {50, 70000}});
        harness.click(kIdReadCounters);
        harness.click(kIdHeatMap);
        QVERIFY(harness.window->heatMapShown());
        harness.hover(kIdHelp);  // no key under the pointer: none outlined
        const QImage face = harness.face();

        struct Case {
            int key;
            std::int64_t count;
        };
        const Case cases[] = {{30, kTopOf32Bits}, {12, 3}, {40, k2To31}, {50, 70000}, {1, 0}};
        for (const Case& c : cases) {
            const model::HeatRgb tint = model::HeatColor(c.count, kTopOf32Bits);
            QCOMPARE(face.pixelColor(CapCorner(c.key)), ToColor(tint));
            // The caption stays on the key, in the ink that reads on its tint.
            QVERIFY2(InkPixels(face, c.key, tint) > 5, qPrintable(QString::number(c.key)));
        }
        // Cold keys and hot keys differ: the scale is not flat.
        QVERIFY(face.pixelColor(CapCorner(12)) != face.pixelColor(CapCorner(30)));
    }

    void theLegendSpansTheLowestToTheHighestCount() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        SetCounts({{30, 900}, {12, 3}});
        harness.click(kIdReadCounters);
        harness.click(kIdHeatMap);
        const QImage face = harness.face();
        // The scale's ends: 150 pixels of text and a gap of 10 on either side.
        const int middle = (kHeatLegendRect.top + kHeatLegendRect.bottom) / 2;
        QCOMPARE(face.pixelColor(kHeatLegendRect.left + 161, middle),
                 ToColor(model::HeatColor(3, 900)));
        QCOMPARE(face.pixelColor(kHeatLegendRect.right - 162, middle),
                 ToColor(model::HeatColor(900, 900)));
        // The kind bars' legend gives way to it.
        QVERIFY(!harness.window->findItem(kLabelLegendCombo)->textVisible);
    }

    void theDisplayLineShowsLargeCountsAsTheyAre() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        harness.click(kIdLanguage);
        SetCounts({{40, 4294967295U}, {12, 2147483648U}});
        harness.click(kIdReadCounters);
        harness.click(kIdHeatMap);
        struct Case {
            int key;
            const char* count;
        };
        const Case cases[] = {{40, "Counter: 4294967295\r\n"},
                              {12, "Counter: 2147483648\r\n"},
                              {1, "Counter: 0\r\n"}};
        for (const Case& c : cases) {
            harness.hover(KeyItemId(c.key));
            harness.face();
            QVERIFY2(QString::fromStdWString(harness.window->displayText())
                         .contains(QString::fromLatin1(c.count)),
                     c.count);
        }
    }

    // The heat map button and every layer button lead back to the layer view, with the keys'
    // active looks and kind bars as before.
    void theButtonAndTheLayerStripToggleBack() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        harness.hover(kIdHelp);
        const QImage layerView = harness.face();
        const int toggles[] = {kIdHeatMap, kIdLayerNoneFn, kIdLayerLeftFn};
        for (const int toggle : toggles) {
            harness.click(kIdHeatMap);
            QVERIFY(harness.window->heatMapShown());
            QVERIFY(harness.window->findItem(kIdHeatMap)->isSelected);
            harness.click(toggle);
            QVERIFY(!harness.window->heatMapShown());
            harness.click(kIdLayerNoneFn);
            harness.hover(kIdHelp);
            QCOMPARE(harness.face(), layerView);
        }
    }

    void withoutCountsTheKeysAreGreyAndTheLegendSaysSo() {
        MainWindowHarness harness;
        QVERIFY(harness.open());
        harness.click(kIdHeatMap);
        const QImage face = harness.face();
        QCOMPARE(face.pixelColor(CapCorner(30)), ToColor(model::kHeatNone));
        // No scale: the legend's middle is text or background, never a heat colour.
        const int middle = (kHeatLegendRect.top + kHeatLegendRect.bottom) / 2;
        QVERIFY(face.pixelColor(kHeatLegendRect.left + 161, middle) !=
                ToColor(model::HeatColor(1, 1)));
    }
};

QTEST_MAIN(HeatMapTest)
#include "HeatMapTest.moc"
