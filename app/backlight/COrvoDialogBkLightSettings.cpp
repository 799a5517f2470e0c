#include "COrvoDialogBkLightSettings.h"

#include "BacklightLayout.h"
#include "BilingualText.h"
#include "COrvoDialogBkLightMultiSelect.h"
#include "COrvoDialogProgress.h"
#include "KeyFrame.h"
#include "LightColors.h"
#include "model/KeyboardConfig.h"

#include <QPainter>

using model::CKeyboardConfig;
using model::JobPauses;
using model::kLanguageChinese;
using model::kLanguageEnglish;
using model::RGBColor;
using model::TransferJobKind;

namespace {

// The sample's rim, so that a black or a very dark colour still shows as a square.
const QColor kSampleRim(0x7c, 0x82, 0x8c);
constexpr RGBColor kBlack{0, 0, 0};

// The outcomes of Read and Write, in both languages alike.
const QString kDone = QStringLiteral("OK!");
const QString kFailed = QStringLiteral("Failed!");

constexpr skin::BilingualText kKeyColour{"按键 %1：%2（红 %3，绿 %4，蓝 %5）",
                                         "Key %1: %2 (red %3, green %4, blue %5)"};
constexpr skin::BilingualText kKeyColourHint{"鼠标指向按键可查看其颜色，单击按键可选择新颜色。",
                                             "Point at a key to see its colour; click it to "
                                             "choose another."};

}  // namespace

COrvoDialogBkLightSettings::COrvoDialogBkLightSettings(const skin::SkinResources& resources,
                                                       CKeyboardConfig& config,
                                                       skin::DialogService& dialogs,
                                                       TransferLane& lane, const JobPauses& pauses,
                                                       QWidget* parent)
    : SkinnedDialog(resources, config.language, config.scaleFactor, parent, Qt::Dialog),
      config_(config),
      dialogs_(dialogs),
      lane_(lane),
      pauses_(pauses) {}

void COrvoDialogBkLightSettings::initialize() {
    const skin::SkinResources& art = resources();
    openSkin({art.picture(backlight::kSettingsImageBackground),
              art.picture(backlight::kSettingsImageHover), skin::SkinPicture()},
             skin::ToQColor(backlight::kColorKey), backlight::kSettingsFaceSize,
             skin::ItemsFromSpecs(backlight::SettingsItems()));
    takeTitleFrom(backlight::kIdClose);
    editColors_ = config_.lightColor;
}

int COrvoDialogBkLightSettings::exec() {
    initialize();
    return SkinnedDialog::exec();
}

bool COrvoDialogBkLightSettings::hoverAllowed(const skin::SkinItem& item) const {
    // Keys have no hover look: their frames already say where they are.
    return item.id < backlight::kFirstKeyId;
}

void COrvoDialogBkLightSettings::paintItemExtras(QPainter& painter, const skin::SkinItem& item) {
    if (item.keyValue >= 1) {
        backlight::DrawKeyFrame(
            painter, item.rect, scaleFactor(),
            backlight::ToQColor(editColors_[static_cast<std::size_t>(item.keyValue)]));
    } else if (item.id == backlight::kLabelKeyColour && keyUnderPointer_ >= 1) {
        const skin::DesignRect& s = backlight::kKeyColourSample;
        painter.save();
        painter.setPen(kSampleRim);
        painter.setBrush(
            backlight::ToQColor(editColors_[static_cast<std::size_t>(keyUnderPointer_)]));
        painter.drawRect(QRect(s.left, s.top, s.width() - 1, s.height() - 1));
        painter.restore();
    }
}

QString COrvoDialogBkLightSettings::keyColourCaption(const std::string& language) const {
    if (keyUnderPointer_ < 1) {
        return kKeyColourHint.in(language);
    }
    const RGBColor& color = editColors_[static_cast<std::size_t>(keyUnderPointer_)];
    const skin::SkinItem* key = nullptr;
    for (const skin::SkinItem& item : items()) {
        if (item.keyValue == keyUnderPointer_) {
            key = &item;
            break;
        }
    }
    return kKeyColour.in(language)
        .arg(QString::fromStdWString(key != nullptr ? key->caption(language) : std::wstring()),
             backlight::HexText(color))
        .arg(color.Red)
        .arg(color.Green)
        .arg(color.Blue);
}

QString COrvoDialogBkLightSettings::keyColourText() const {
    return keyColourCaption(config_.language);
}

void COrvoDialogBkLightSettings::beforeCompose() {
    if (skin::SkinItem* line = findItem(backlight::kLabelKeyColour)) {
        for (const char* language : {kLanguageChinese, kLanguageEnglish}) {
            line->captions[language] = keyColourCaption(language).toStdWString();
        }
    }
}

void COrvoDialogBkLightSettings::mouseMoveEvent(QMouseEvent* event) {
    SkinnedDialog::mouseMoveEvent(event);
    followPointer();
}

void COrvoDialogBkLightSettings::leaveEvent(QEvent* event) {
    SkinnedDialog::leaveEvent(event);
    followPointer();
}

void COrvoDialogBkLightSettings::followPointer() {
    const skin::SkinItem* item = itemAt(lastMousePoint());
    const int key = item != nullptr && item->keyValue >= 1 ? item->keyValue : 0;
    if (key == keyUnderPointer_) {
        return;
    }
    keyUnderPointer_ = key;
    const skin::DesignRect& box = backlight::kKeyColourBox;
    const float s = scaleFactor();
    update(QRect(static_cast<int>(box.left * s), static_cast<int>(box.top * s),
                 static_cast<int>(box.width() * s) + 1, static_cast<int>(box.height() * s) + 1));
}

void COrvoDialogBkLightSettings::itemClicked(skin::SkinItem& item) {
    if (item.id >= backlight::kFirstKeyId && item.keyValue >= 1) {
        chooseKeyColour(item.keyValue);
        return;
    }
    switch (item.id) {
        case backlight::kIdClose:
        case backlight::kIdCancel:
            done(kResultCancel);
            break;
        case backlight::kIdRead:
            readFromKeyboard();
            break;
        case backlight::kIdDefault:
            resetToBlack();
            break;
        case backlight::kIdWrite:
            writeToKeyboard();
            break;
        case backlight::kIdOk:
            config_.lightColor = editColors_;
            done(kResultOk);
            break;
        case backlight::kIdSetAll:
            setAll();
            break;
        case backlight::kIdMultiKey:
            multiKey();
            break;
        default:
            break;
    }
}

void COrvoDialogBkLightSettings::chooseKeyColour(int key) {
    RGBColor& color = editColors_[static_cast<std::size_t>(key)];
    const std::optional<QColor> chosen = dialogs_.chooseColor(this, backlight::ToQColor(color));
    if (!chosen || backlight::FromQColor(*chosen) == color) {
        return;
    }
    color = backlight::FromQColor(*chosen);
    update();
}

void COrvoDialogBkLightSettings::setAll() {
    const std::optional<QColor> chosen = dialogs_.chooseColor(this, backlight::ToQColor(kBlack));
    if (!chosen) {
        return;
    }
    // Entry 0 too: it belongs to no key, and is neither shown, written nor saved.
    editColors_.fill(backlight::FromQColor(*chosen));
    update();
}

void COrvoDialogBkLightSettings::resetToBlack() {
    editColors_.fill(kBlack);
    update();
}

void COrvoDialogBkLightSettings::readFromKeyboard() {
    const COrvoDialogProgress::Outcome outcome = COrvoDialogProgress::Run(
        TransferJobKind::ReadLights, resources(), config_, lane_, pauses_, this);
    // A read that ran to its end but got no colours from the keyboard changed nothing: it
    // failed like a cancelled one.
    if (outcome.result == kResultOk && outcome.succeeded) {
        editColors_ = config_.lightColor;
        keyboardColours_ = KeyboardColours::ReadBack;
        tell(kDone);
    } else {
        tell(kFailed);
    }
    update();
}

void COrvoDialogBkLightSettings::writeToKeyboard() {
    config_.lightColor = editColors_;
    const COrvoDialogProgress::Outcome outcome = COrvoDialogProgress::Run(
        TransferJobKind::WriteLights, resources(), config_, lane_, pauses_, this);
    if (outcome.result == kResultOk && outcome.succeeded && verifyWrites_ && !coloursReadBack()) {
        keyboardColours_ = KeyboardColours::WriteFailed;
    } else if (outcome.result == kResultOk && outcome.succeeded) {
        keyboardColours_ = KeyboardColours::Written;
        tell(kDone);
    } else {
        // The colours stay in the program; the main window shows that the keyboard lacks them.
        keyboardColours_ = KeyboardColours::WriteFailed;
        tell(kFailed);
    }
    done(kResultOk);
}

void COrvoDialogBkLightSettings::multiKey() {
    config_.lightWorkColor = editColors_;
    COrvoDialogBkLightMultiSelect dialog(resources(), config_.language, config_.scaleFactor,
                                         config_.lightWorkColor, config_.lightPickColor, dialogs_,
                                         this);
    const bool picked = dialog.exec() == kResultOk;
    // The hand-over members take what the window returned, here and nowhere else.
    config_.lightSelected = dialog.pick().keys;
    config_.lightPickColor = dialog.pick().color;
    if (picked) {
        for (std::size_t key = 0; key < editColors_.size(); ++key) {
            if (config_.lightSelected[key] != 0) {
                editColors_[key] = config_.lightPickColor;
            }
        }
    }
    update();
}

void COrvoDialogBkLightSettings::tell(const QString& text) {
    static_cast<void>(dialogs_.message(this, text, skin::ApplicationTitle(),
                                       skin::MessageButtons::Ok, skin::MessageIcon::None));
}
