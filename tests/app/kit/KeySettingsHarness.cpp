#include "KeySettingsHarness.h"

#include "COrvoApp.h"
#include "DeviceMessages.h"
#include "MainWindowHarness.h"
#include "OrvoDialogVirtual.h"
#include "OrvoHWI.h"
#include "SimulatedKeyboard.h"
#include "VirtualKeyboardLayout.h"

#include <QApplication>
#include <QTest>

namespace testkit {
namespace {

constexpr std::uintptr_t kReleasedBit = 0x80000000u;
constexpr std::intptr_t kExtendedBit = 0x01000000;

}  // namespace

KeySettingsHarness::KeySettingsHarness(int model, const char* language) {
    device_messages::Install();
    z9rt::sim::ResetSimulatedKeyboard(model);
    config.deviceType = config.device.DetectDeviceType();
    config.BuildCodeTables();
    config.language = language;
    config.scaleFactor = 1.0F;
    config.ResetToDefaults();
    resources.loadResourceFile(ResourceFile());
}

KeySettingsHarness::~KeySettingsHarness() {
    dialog.reset();
}

void KeySettingsHarness::open(int key, int layer, std::chrono::milliseconds doubleClickWait) {
    config.selectedKey = key;
    config.currentLayer = layer;
    KeySettingsOptions options;
    options.doubleClickWait = doubleClickWait;
    options.keystrokeClock = [this] { return keystrokeTime_; };
    dialog =
        std::make_unique<COrvoDialogKeyMapSettings>(config, resources, dialogs, notice, options);
    dialog->initialize();
    dialog->show();
}

QPoint KeySettingsHarness::centreOf(int id) {
    const skin::SkinItem* item = dialog->findItem(id);
    return QPoint((item->rect.left + item->rect.right) / 2,
                  (item->rect.top + item->rect.bottom) / 2);
}

void KeySettingsHarness::click(int id) {
    QTest::mouseClick(dialog.get(), Qt::LeftButton, {}, centreOf(id));
    QTRY_VERIFY_WITH_TIMEOUT(!dialog->clickPending(), 2000);
}

void KeySettingsHarness::press(int vk, bool extended) {
    post(vk, false, extended);
    deliver();
}

void KeySettingsHarness::release(int vk, bool extended) {
    post(vk, true, extended);
    deliver();
}

void KeySettingsHarness::post(int vk, bool released, bool extended) {
    PostWindowMessage(dialog->messageHandle(), WM_HOOK_KEY,
                      static_cast<std::uintptr_t>(vk) | (released ? kReleasedBit : 0),
                      extended ? kExtendedBit : 0);
}

void KeySettingsHarness::tap(int vk, bool extended) {
    press(vk, extended);
    release(vk, extended);
}

void KeySettingsHarness::answerVirtualKeyboard(std::vector<int> hwCodes, bool confirm) {
    keyboardKeys_ = std::move(hwCodes);
    keyboardConfirm_ = confirm;
    keyboardWatchTicks_ = 0;
    if (!keyboardWatch_.isActive()) {
        keyboardWatch_.setInterval(10);
        QObject::connect(&keyboardWatch_, &QTimer::timeout, [this] { answerOpenKeyboard(); });
        keyboardWatch_.start();
    }
}

void KeySettingsHarness::answerOpenKeyboard() {
    constexpr int kWatchTicks = 100;  // one second
    auto* keyboard = qobject_cast<OrvoDialogVirtual*>(QApplication::activeModalWidget());
    if (keyboard == nullptr) {
        if (++keyboardWatchTicks_ >= kWatchTicks) {
            keyboardWatch_.stop();
            keyboardWatch_.disconnect();
        }
        return;
    }
    keyboardWatch_.stop();
    keyboardWatch_.disconnect();
    ++virtualKeyboardsAnswered;
    auto* clickWait = keyboard->findChild<QTimer*>(QStringLiteral("clickWait"));
    const auto click = [&](int id) {
        const skin::SkinItem* item = keyboard->findItem(id);
        QTest::mouseClick(keyboard, Qt::LeftButton, {},
                          QPoint((item->rect.left + item->rect.right) / 2,
                                 (item->rect.top + item->rect.bottom) / 2));
        QTRY_VERIFY(clickWait == nullptr || !clickWait->isActive());
    };
    for (int hwCode : keyboardKeys_) {
        click(virtualkbd::KeyItemId(hwCode));
    }
    click(keyboardConfirm_ ? virtualkbd::kIdOk : virtualkbd::kIdCancel);
}

void KeySettingsHarness::deliver() {
    QCoreApplication::sendPostedEvents();
    QCoreApplication::processEvents();
}

int KeySettingsHarness::result() const {
    return dialog->isVisible() ? 0 : dialog->result();
}

bool KeySettingsHarness::selected(int id) {
    dialog->composeFace();  // states refreshed from the pages' data
    return dialog->findItem(id)->isSelected;
}

QString KeySettingsHarness::caption(int id) {
    dialog->composeFace();  // captions filled from the pages' data
    return QString::fromStdWString(dialog->findItem(id)->caption(config.language));
}

QImage KeySettingsHarness::face() {
    return dialog->composeFace();
}

}  // namespace testkit
