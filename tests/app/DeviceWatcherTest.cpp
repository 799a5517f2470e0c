// Watching for the keyboard to come or go: on a real keyboard only the kernel's announcements
// wake the program; the simulated keyboard, which nothing announces, is looked for every
// second, and so is a real one where no announcements can be had.
#include "DeviceWatcher.h"
#include "UdevMonitor.h"

#include <QSignalSpy>
#include <QTest>

#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Announcements written into a pipe by the test.
class PipeAnnouncements : public DeviceAnnouncements {
public:
    PipeAnnouncements() {
        if (pipe2(ends_, O_NONBLOCK) != 0) {
            ends_[0] = ends_[1] = -1;
        }
    }
    ~PipeAnnouncements() override {
        close(ends_[0]);
        close(ends_[1]);
    }
    PipeAnnouncements(const PipeAnnouncements&) = delete;
    PipeAnnouncements& operator=(const PipeAnnouncements&) = delete;

    int socket() const override { return ends_[0]; }
    bool drain() override {
        char buffer[16];
        bool any = false;
        while (read(ends_[0], buffer, sizeof buffer) > 0) {
            any = true;
        }
        return any;
    }
    // One announcement per character.
    bool announce(const char* text) {
        const auto length = static_cast<ssize_t>(std::strlen(text));
        return write(ends_[1], text, static_cast<std::size_t>(length)) == length;
    }

private:
    int ends_[2];
};

}  // namespace

Q_DECLARE_METATYPE(WatchedKeyboard)

class DeviceWatcherTest : public QObject {
    Q_OBJECT

private slots:
    void pollsOnlyWhatNothingAnnounces_data() {
        QTest::addColumn<WatchedKeyboard>("keyboard");
        QTest::addColumn<bool>("announced");
        QTest::addColumn<bool>("polls");
        QTest::newRow("real keyboard, announced") << WatchedKeyboard::Real << true << false;
        QTest::newRow("real keyboard, no announcements") << WatchedKeyboard::Real << false << true;
        QTest::newRow("simulated keyboard") << WatchedKeyboard::Simulated << true << true;
    }

    void pollsOnlyWhatNothingAnnounces() {
        QFETCH(WatchedKeyboard, keyboard);
        QFETCH(bool, announced);
        QFETCH(bool, polls);
        std::unique_ptr<DeviceAnnouncements> announcements;
        if (announced) {
            announcements = std::make_unique<PipeAnnouncements>();
        }
        DeviceWatcher watcher(keyboard, std::move(announcements));
        QCOMPARE(watcher.usesMonitor(), announced);
        QCOMPARE(watcher.polls(), polls);
        if (polls) {
            // The look for the keyboard comes every second.
            QSignalSpy changes(&watcher, &DeviceWatcher::devicesChanged);
            QVERIFY(changes.wait(3 * DeviceWatcher::kPollIntervalMs));
        }
    }

    void anAnnouncementTellsOfAChangeOnce() {
        auto pipe = std::make_unique<PipeAnnouncements>();
        PipeAnnouncements& announcements = *pipe;
        DeviceWatcher watcher(WatchedKeyboard::Real, std::move(pipe));
        QSignalSpy changes(&watcher, &DeviceWatcher::devicesChanged);
        // A keyboard unplugged: its interfaces and the device itself go at once.
        QVERIFY(announcements.announce("abc"));
        QVERIFY(changes.wait(2000));
        QTest::qWait(100);
        QCOMPARE(changes.count(), 1);
    }

    void theProgramWatchesARealKeyboardThroughTheMonitorAlone() {
        qunsetenv("Z9RT_HID");
        QCOMPARE(KeyboardInUse(), WatchedKeyboard::Real);
        DeviceWatcher watcher;
        if (!watcher.usesMonitor()) {
            // It then polls, as checked above.
            QSKIP("no libudev monitor can be opened here");
        }
        QVERIFY(!watcher.polls());
        qputenv("Z9RT_HID", "sim");
        QCOMPARE(KeyboardInUse(), WatchedKeyboard::Simulated);
    }
};

QTEST_MAIN(DeviceWatcherTest)
#include "DeviceWatcherTest.moc"
