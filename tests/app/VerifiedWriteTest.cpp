// Verified writes from the main window: off by default; when on, the keys are read back after
// WriteKeys and a keyboard that did not store a key fails the write, naming the key.
#include "BacklightLayout.h"
#include "COrvoDialogBkLightSettings.h"
#include "DialogDriver.h"
#include "MainWindowHarness.h"
#include "MainWindowLayout.h"
#include "SimulatedKeyboard.h"

#include <QTest>

#include <atomic>

using model::CKeyboardProfile;
using model::RGBColor;

using testkit::MainWindowHarness;
using namespace mainwin;

namespace {

constexpr int kKeyEsc = 1;
const QString kOk = QStringLiteral("OK!!");

// A combo record (LCTRL and A) for Esc on the layer without Fn: what the keyboard holds there
// when the report that wrote Esc never arrived.
z9rt::sim::KeyRecordBytes ForeignRecord() {
    z9rt::sim::KeyRecordBytes record{};
    const std::array<std::uint8_t, 8> bytes{0x00, 0xf0, 0x01, 0x01, 0x00, 0x02, 0x43, 0x2b};
    std::copy(bytes.begin(), bytes.end(), record.begin());
    return record;
}

}  // namespace

class VerifiedWriteTest : public QObject {
    Q_OBJECT

private slots:
    void aKeyTheKeyboardDidNotStoreFailsTheWrite() {
        struct Case {
            const char* name;
            bool verify;
            bool keyboardLosesEsc;
            QString told;  // how the message starts
            int keysDirty;
        };
        const Case cases[] = {
            {"not verified", false, true, kOk, 0},
            {"verified, all stored", true, false, kOk, 0},
            {"verified, Esc lost", true, true,
             QStringLiteral("Verify failed!! The keyboard does not hold what was written "
                            "for:\nkey Esc, no Fn layer"),
             1},
        };
        for (const Case& c : cases) {
            MainWindowHarness harness;
            // After the write (its pause is the first), the keyboard holds another record
            // for Esc.
            std::atomic<int> pausesTaken{0};
            const bool loses = c.keyboardLosesEsc;
            harness.pauses.take = [&pausesTaken, loses](std::chrono::milliseconds) {
                if (pausesTaken++ == 0 && loses) {
                    z9rt::sim::SetSimulatedKeyRecords(0, kKeyEsc, {ForeignRecord()});
                }
            };
            QVERIFY(harness.open());
            harness.click(kIdLanguage);  // English
            QVERIFY(!harness.window->verifiesWrites());
            if (c.verify) {
                harness.click(kIdVerifyWrites);
                QVERIFY(harness.window->verifiesWrites());
            }
            const CKeyboardProfile before = harness.config;
            harness.dialogs.choices = {COrvoDlg::kWriteAnyway};
            harness.click(kIdWriteKeys);
            QCOMPARE(harness.dialogs.messages.size(), std::size_t{1});
            QVERIFY2(harness.dialogs.messages.front().text.startsWith(c.told),
                     qPrintable(harness.dialogs.messages.front().text));
            QCOMPARE(harness.config.keysDirty, c.keysDirty);
            // The read back leaves the window's configuration as it was.
            QVERIFY(static_cast<const CKeyboardProfile&>(harness.config) == before);
        }
    }

    void aColourTheKeyboardDidNotStoreFailsTheWrite() {
        constexpr int kKeyA = 46;
        struct Case {
            bool verify;
            QString told;
        };
        const Case cases[] = {
            {false, QStringLiteral("OK!")},
            {true, QStringLiteral("Failed! The keyboard does not hold the colours written for: A")},
        };
        for (const Case& c : cases) {
            MainWindowHarness harness;
            std::atomic<int> pausesTaken{0};
            harness.pauses.take = [&pausesTaken](std::chrono::milliseconds) {
                if (pausesTaken++ == 0) {
                    z9rt::sim::SetSimulatedLight(kKeyA, 9, 9, 9);
                }
            };
            QVERIFY(harness.open());
            harness.click(kIdLanguage);
            if (c.verify) {
                harness.click(kIdVerifyWrites);
            }
            harness.dialogs.colors = {QColor(1, 2, 3)};
            testkit::WhenModal<COrvoDialogBkLightSettings>([](COrvoDialogBkLightSettings& dialog) {
                testkit::ClickElement(dialog, backlight::kIdSetAll);
                testkit::ClickElement(dialog, backlight::kIdWrite);
            });
            harness.click(kIdBacklight);
            QCOMPARE(harness.dialogs.messageTexts(), QStringList{c.told});
            QCOMPARE(harness.config.lightColor[kKeyA], (RGBColor{1, 2, 3}));
        }
    }

    void aReadBackThatFailsIsNoSuccess() {
        MainWindowHarness harness;
        std::atomic<int> pausesTaken{0};
        harness.pauses.take = [&pausesTaken](std::chrono::milliseconds) {
            if (pausesTaken++ == 0) {
                z9rt::sim::SetSimulatedKeyboardFaults("silent");
            }
        };
        QVERIFY(harness.open());
        harness.click(kIdLanguage);
        harness.click(kIdVerifyWrites);
        harness.dialogs.choices = {COrvoDlg::kWriteAnyway};
        harness.click(kIdWriteKeys);
        QCOMPARE(harness.dialogs.messageTexts(),
                 QStringList{QStringLiteral(
                     "Failed!! The keys were written, but they could not be read back to "
                     "verify them: check that the keyboard is connected.")});
        z9rt::sim::SetSimulatedKeyboardFaults("");
    }
};

QTEST_MAIN(VerifiedWriteTest)
#include "VerifiedWriteTest.moc"
