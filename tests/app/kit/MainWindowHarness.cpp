#include "MainWindowHarness.h"

#include "COrvoApp.h"
#include "DeviceMessages.h"
#include "SimulatedKeyboard.h"

#include <QCoreApplication>
#include <QTest>
#include <QTimer>

namespace testkit {

QString ResourceFile() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/") +
           QLatin1String(COrvoApp::kResourceFileName);
}

MainWindowHarness::MainWindowHarness(int model, const char* faults) {
    device_messages::Install();
    z9rt::sim::ResetSimulatedKeyboard(model);
    z9rt::sim::SetSimulatedKeyboardFaults(faults);
    config.deviceType = config.device.DetectDeviceType();
    config.BuildCodeTables();
    resources.loadResourceFile(ResourceFile());
}

MainWindowHarness::~MainWindowHarness() {
    window.reset();
    lane.join();
    z9rt::sim::SetSimulatedKeyboardFaults("");
}

void MainWindowHarness::makeWindow() {
    MainWindowOptions options;
    options.pauses = pauses;
    options.watchDevices = watchDevices;
    options.scaleFactor = scaleFactor;
    options.preferencesFile = preferencesFile;
    options.helpFile = QStringLiteral("/opt/z9rt/Z9RT(PRSM)Ble.html");
    window = std::make_unique<TestMainWindow>(config, resources, dialogs, lane, options);
}

bool MainWindowHarness::open() {
    makeWindow();
    if (!window->initialize()) {
        return false;
    }
    window->show();
    return true;
}

int MainWindowHarness::run(const std::function<void()>& script, bool trayPresent) {
    makeWindow();
    window->trayPresent = trayPresent;
    QTimer::singleShot(0, window.get(), script);
    return window->exec();
}

QPoint MainWindowHarness::centreOf(int id) {
    const skin::SkinItem* item = window->findItem(id);
    return QPoint((item->rect.left + item->rect.right) / 2,
                  (item->rect.top + item->rect.bottom) / 2);
}

void MainWindowHarness::click(int id) {
    QTest::mouseClick(window.get(), Qt::LeftButton, {}, centreOf(id));
}

void MainWindowHarness::hover(int id) {
    QTest::mouseMove(window.get(), centreOf(id));
}

QImage MainWindowHarness::face() {
    return window->composeFace();
}

QImage ArtworkImage(int id) {
    skin::SkinResources resources;
    resources.loadResourceFile(ResourceFile());
    return resources.image(id);
}

}  // namespace testkit
