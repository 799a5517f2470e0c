#include "SingleComboPage.h"

#include "DialogService.h"
#include "KeySettingsLayout.h"
#include "SkinItem.h"
#include "model/KeyboardConfig.h"

#include <QCoreApplication>
#include <QPlainTextEdit>
#include <QString>

#include <algorithm>

using model::CItemList;
using model::CKeyboardConfig;
using model::CKeyboardProfile;
using model::KindCombo;
using model::KindSingle;
using model::kKeyCodeMask;
using model::kVirtualComboSize;

namespace keysettings {
namespace {

constexpr int kSelectSingle = 1;
constexpr int kSelectCombo = 2;
constexpr wchar_t kComboSeparator[] = L" + ";
constexpr RecordButton kCaptureButton{kIdCaptureSingle, kLabelCaptureStart, kLabelCaptureStop};
constexpr RecordButton kRecordComboButton{kIdRecordCombo, kLabelRecordStart, kLabelRecordStop};

}  // namespace

SingleComboPage::SingleComboPage(PageHost& host)
    : LibraryPage(host, kComboLibrary, 0, KindCombo, &CKeyboardProfile::predefinedCombo) {
    chooseMode(true);
}

int SingleComboPage::keyCodeOfHWCode(int hwCode) {
    const CKeyboardConfig& config = host().config();
    if (hwCode < 0 || hwCode >= static_cast<int>(config.hwToVk.size())) {
        return -1;
    }
    return config.hwToVk[static_cast<std::size_t>(hwCode)];
}

void SingleComboPage::chooseMode(bool single) {
    singleMode_ = single;
    setSelected(kIdSingleSwitch, single);
    setSelected(kLabelSingle, single);
    setSelected(kIdComboSwitch, !single);
    setSelected(kLabelCombo, !single);
}

bool SingleComboPage::openOnSlot(int kind, int hwCode, const CItemList& slotList) {
    if (kind == KindSingle) {
        chooseMode(true);
        singleKeyCode_ = keyCodeOfHWCode(hwCode);
        return true;
    }
    if (LibraryPage::openOnSlot(kind, hwCode, slotList)) {
        chooseMode(false);
        return true;
    }
    return false;
}

std::wstring SingleComboPage::comboLine() const {
    std::wstring line;
    for (const std::wstring& name : list().content().Items()) {
        if (!line.empty()) {
            line += kComboSeparator;
        }
        line += name;
    }
    return line;
}

void SingleComboPage::beforePaint() {
    LibraryPage::beforePaint();
    const CKeyboardConfig& config = host().config();
    if (skin::SkinItem* label = host().item(kLabelSingleKey)) {
        label->captions[host().language()] = config.EventName(singleKeyCode_, false);
    }
    // The rows under the record box carry the first keys too; the box shows them all.
    for (int row = 0; row < kRecordRows; ++row) {
        if (skin::SkinItem* item = host().item(kIdFirstRecordRow + row)) {
            item->captions[host().language()] = list().content().ItemAt(row);
        }
    }
    const QString line = QString::fromStdWString(comboLine());
    QPlainTextEdit& box = host().comboText();
    if (box.toPlainText() != line) {
        box.setPlainText(line);
    }
}

void SingleComboPage::clicked(int id) {
    switch (id) {
        case kIdSingleSwitch:
        case kIdComboSwitch:
            toggleMode(id);
            break;
        case kIdCaptureSingle:
            if (singleMode_) {
                startSingleCapture();
            }
            break;
        case kIdRecordCombo:
            if (list().library().Empty()) {
                break;
            }
            if (singleMode_) {
                host().refresh();
            } else {
                startComboRecording();
            }
            break;
        case kIdVirtualSingle:
            pickSingleKey();
            break;
        case kIdVirtualCombo:
            pickCombination();
            break;
        default:
            if (list().handles(id)) {
                // New and Delete belong to the combination mode.
                list().clicked(id, !singleMode_);
            }
            break;
    }
}

void SingleComboPage::toggleMode(int id) {
    const skin::SkinItem* button = host().item(id);
    const bool selected = button != nullptr && button->isSelected;
    const bool toCombo = (id == kIdSingleSwitch) == selected;
    stopCaptureModes();
    chooseMode(!toCombo);
    host().refresh();
}

void SingleComboPage::startSingleCapture() {
    singleCapturing_ = true;
    showRecordButton(kCaptureButton, true);
    host().startCapture(*this);
}

void SingleComboPage::stopSingleCapture() {
    host().stopCapture();
    singleCapturing_ = false;
    showRecordButton(kCaptureButton, false);
}

void SingleComboPage::startComboRecording() {
    comboRecording_ = true;
    // The entry keeps its keys until the recording stops.
    list().content().Clear();
    showRecordButton(kRecordComboButton, true);
    host().startCapture(*this);
}

void SingleComboPage::stopComboRecording() {
    host().stopCapture();
    list().store();
    comboRecording_ = false;
    showRecordButton(kRecordComboButton, false);
}

void SingleComboPage::stopCaptureModes() {
    if (singleCapturing_) {
        stopSingleCapture();
    }
    if (comboRecording_) {
        stopComboRecording();
    }
}

ClickWhileCapturing SingleComboPage::clickWhileCapturing(int id) {
    // The matching virtual keyboard button leaves the capture on (and then does nothing).
    if (singleCapturing_) {
        if (id == kIdVirtualSingle) {
            return ClickWhileCapturing::Proceed;
        }
        stopSingleCapture();
    } else if (comboRecording_) {
        if (id == kIdVirtualCombo) {
            return ClickWhileCapturing::Proceed;
        }
        stopComboRecording();
    } else {
        host().stopCapture();
    }
    return ClickWhileCapturing::StoppedOkCancel;
}

void SingleComboPage::captureKey(const HookKey& key) {
    // Releases and the auto-repeat of a held key are not keys of their own.
    if (key.released || key.code == key.previousCode) {
        return;
    }
    if (singleCapturing_) {
        captureSingleKey(key.code);
    } else if (comboRecording_ && list().content().Count() < kMaxComboKeys) {
        list().content().Append(host().config().EventName(key.code, false));
        host().refresh();
    }
}

void SingleComboPage::captureSingleKey(int code) {
    const CKeyboardConfig& config = host().config();
    const int hwCode = config.vkToHw[static_cast<std::size_t>(code & kKeyCodeMask)];
    singleKeyCode_ = keyCodeOfHWCode(hwCode);
    if (singleKeyCode_ != code) {
        // The key has no HW code, or another key stands for it: say which codes were involved.
        const QString text = QString::asprintf("a=%d, b=%d, c=%d", code, hwCode, singleKeyCode_);
        static_cast<void>(host().dialogs().message(
            host().dialogWidget(), text, QCoreApplication::applicationName(),
            skin::MessageButtons::Ok, skin::MessageIcon::None));
    }
    host().refresh();
}

void SingleComboPage::pickSingleKey() {
    if (!singleMode_ || singleCapturing_) {
        return;
    }
    CKeyboardConfig& config = host().config();
    config.virtualSingle =
        singleKeyCode_ < 0 ? -1
                           : config.vkToHw[static_cast<std::size_t>(singleKeyCode_ & kKeyCodeMask)];
    if (host().runVirtualKeyboard(kSelectSingle) == 1) {
        singleKeyCode_ = keyCodeOfHWCode(config.virtualSingle);
    }
    host().refresh();
}

void SingleComboPage::pickCombination() {
    if (singleMode_ || comboRecording_ || list().library().Empty()) {
        return;
    }
    CKeyboardConfig& config = host().config();
    if (host().runVirtualKeyboard(kSelectCombo) == 1) {
        CItemList& content = list().content();
        content.Clear();
        const int count = std::clamp(config.virtualComboCount, 0, kVirtualComboSize);
        for (int i = 0; i < count && content.Count() < kMaxComboKeys; ++i) {
            const int code = keyCodeOfHWCode(config.virtualCombo[static_cast<std::size_t>(i)]);
            content.Append(config.EventName(code, false));
        }
    }
    host().refresh();
}

void SingleComboPage::clear() {
    stopCaptureModes();
    singleKeyCode_ = -1;
    chooseMode(true);
}

void SingleComboPage::takeDefault(int hwCode) {
    stopCaptureModes();
    chooseMode(true);
    singleKeyCode_ = keyCodeOfHWCode(hwCode);
}

int SingleComboPage::singleHWCode() const {
    return singleKeyCode_ < 0
               ? 0
               : host().config().vkToHw[static_cast<std::size_t>(singleKeyCode_ & kKeyCodeMask)];
}

bool SingleComboPage::hasChoice() const {
    return singleMode_ ? singleHWCode() > 0 : LibraryPage::hasChoice();
}

bool SingleComboPage::assignsKind(int kind) const {
    return kind == KindSingle || LibraryPage::assignsKind(kind);
}

void SingleComboPage::writeBack(CKeyboardConfig& config, int key, int layer) {
    if (singleMode_) {
        const int hwCode = singleHWCode();
        if (hwCode > 0) {
            const auto k = static_cast<std::size_t>(key);
            const auto l = static_cast<std::size_t>(layer);
            config.keyHWCode[k][l] = hwCode;
            config.keyMode[k][l] = KindSingle;
        }
    } else {
        writeContentToSlot(config, key, layer);
    }
    writeLibrary(config);
}

}  // namespace keysettings
