// The key settings dialog's frame: opening, the pages, the click dispatch, the keystrokes of
// the capture modes, and "Default", "Clear", "OK" and "Cancel".
#include "COrvoDialogKeyMapSettings.h"

#include "CSkinScrollBar.h"
#include "DisplayLine.h"
#include "EmulationPage.h"
#include "IconChoicePage.h"
#include "InPlaceEditor.h"
#include "KeySettingsLayout.h"
#include "KeySettingsTexts.h"
#include "MacroPage.h"
#include "NumericEdit.h"
#include "OrvoDialogVirtual.h"
#include "ScrollBarSkin.h"
#include "SingleComboPage.h"
#include "TipControl.h"
#include "keysettings/logic/IconChoice.h"
#include "model/AssignmentText.h"
#include "model/KeyboardConfig.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPlainTextEdit>

#include <algorithm>

using model::AssignmentText;
using model::CItemList;
using model::CKeyboardConfig;
using model::IsKeyNumber;
using model::IsLayer;
using model::kCaptionChinese;
using model::kCaptionEnglish;
using model::kHWCodeDoubleClick;
using model::KindNotSet;
using model::kKindCount;
using model::kLanguageChinese;
using model::kNoMacroTextLimit;

using keysettings::ClickWhileCapturing;
using keysettings::EditorPurpose;
using keysettings::ListBar;
using keysettings::PageOfId;

namespace {

const QColor kColorKey(255, 0, 0);

int Truncate(double value) {
    return static_cast<int>(value);
}

// The page "Default" shows for a key's default HW code (-1: no key), 0 when it shows none.
int DefaultPageOf(int hwCode) {
    constexpr int kPowerCode = 76;
    if (hwCode == kPowerCode) {
        return keysettings::kPagePower;
    }
    if (hwCode < 108 || hwCode == 203 || hwCode == 204) {
        return keysettings::kPageSingleCombo;
    }
    if (hwCode < 126) {
        return keysettings::kPageMultimedia;
    }
    if (hwCode < 135 || hwCode == 157 || hwCode == 158 || hwCode == 173) {
        return keysettings::kPageMouse;
    }
    if (hwCode >= kHWCodeDoubleClick) {
        return 0;
    }
    return keysettings::kPageFunction;
}

}  // namespace

COrvoDialogKeyMapSettings::COrvoDialogKeyMapSettings(CKeyboardConfig& config,
                                                     const skin::SkinResources& resources,
                                                     skin::DialogService& dialogs,
                                                     keysettings::CaptureNotice& notice,
                                                     KeySettingsOptions options, QWidget* parent)
    : SkinnedDialog(resources, config.language, config.scaleFactor, parent, Qt::Dialog),
      config_(config),
      dialogs_(dialogs),
      notice_(notice),
      options_(std::move(options)) {
    capture_ = std::make_unique<keysettings::KeyCapture>(*this, notice_, [this] {
        static_cast<void>(dialogs_.message(
            this, keysettings::texts::Text(keysettings::texts::Id::CaptureInWindowOnly, language()),
            QCoreApplication::applicationName(), skin::MessageButtons::Ok,
            skin::MessageIcon::Information));
    });
    clickRule_ = std::make_unique<keysettings::DoubleClickRule>(
        options_.doubleClickWait, [this](const QPoint& point) { handleClick(point); });
}

COrvoDialogKeyMapSettings::~COrvoDialogKeyMapSettings() {
    // The capture never outlives the dialog, and the editor commits into no page that is gone.
    capture_->stop();
    if (editor_ != nullptr) {
        editor_->discard();
    }
}

const std::string& COrvoDialogKeyMapSettings::language() const {
    return config_.language;
}

int COrvoDialogKeyMapSettings::exec() {
    initialize();
    return SkinnedDialog::exec();
}

keysettings::SingleComboPage& COrvoDialogKeyMapSettings::singleComboPage() {
    return static_cast<keysettings::SingleComboPage&>(page(keysettings::kPageSingleCombo));
}

bool COrvoDialogKeyMapSettings::slotIsValid() const {
    return IsKeyNumber(config_.selectedKey) && IsLayer(config_.currentLayer);
}

QRect COrvoDialogKeyMapSettings::scaledRect(const skin::DesignRect& rect) const {
    const float s = scaleFactor();
    return QRect(Truncate(rect.left * s), Truncate(rect.top * s), Truncate(rect.width() * s),
                 Truncate(rect.height() * s));
}

void COrvoDialogKeyMapSettings::initialize() {
    const keysettings::PageImages first =
        keysettings::PageImagesFor(keysettings::kPageSingleCombo, config_.deviceType);
    std::vector<skin::SkinItem> items;
    for (const skin::ItemSpec& entry : keysettings::KeySettingsItems()) {
        items.push_back(skin::ItemFromSpec(entry));
    }
    openSkin({resources().picture(first.base), resources().picture(first.hover),
              resources().picture(first.selected)},
             kColorKey, keysettings::kFaceSize, std::move(items));
    takeTitleFrom(keysettings::kLabelTitle);
    createControls();

    pages_[keysettings::kPageSingleCombo] = std::make_unique<keysettings::SingleComboPage>(*this);
    pages_[keysettings::kPageMacro] = std::make_unique<keysettings::MacroPage>(*this);
    pages_[keysettings::kPageEmulation] = std::make_unique<keysettings::EmulationPage>(*this);
    for (int number = keysettings::kPageMultimedia; number <= keysettings::kPagePower; ++number) {
        pages_[static_cast<std::size_t>(number)] =
            std::make_unique<keysettings::IconChoicePage>(*this, number);
    }
    openOnSlot();
}

void COrvoDialogKeyMapSettings::createControls() {
    const float s = scaleFactor();
    const QFont& editFont = resources().font(Truncate(keysettings::kEditFontSize * s));

    countEdit_ = new keysettings::NumericEdit(this);
    countEdit_->setObjectName(QStringLiteral("countEdit"));
    delayEdit_ = new keysettings::NumericEdit(this);
    delayEdit_->setObjectName(QStringLiteral("delayEdit"));
    keysettings::NumericEditPlaces places;
    if (keysettings::NumericEditPlacesFor(language(), &places)) {
        countEdit_->setGeometry(scaledRect(places.countEdit));
        delayEdit_->setGeometry(scaledRect(places.delayEdit));
    }
    editor_ = new keysettings::InPlaceEditor(this);
    editor_->setObjectName(QStringLiteral("inPlaceEdit"));
    connect(editor_, &keysettings::InPlaceEditor::committed, this, [this] { update(); });
    connect(countEdit_, &keysettings::NumericEdit::valueChanged, this, [this](int value) {
        if (keysettings::KeySettingsPage* shown = shownPage()) {
            shown->countEdited(value);
        }
    });
    connect(delayEdit_, &keysettings::NumericEdit::valueChanged, this, [this](int value) {
        if (keysettings::KeySettingsPage* shown = shownPage()) {
            shown->delayEdited(value);
        }
    });
    for (QWidget* edit : {static_cast<QWidget*>(countEdit_), static_cast<QWidget*>(delayEdit_),
                          static_cast<QWidget*>(editor_)}) {
        edit->setFont(editFont);
        resources().applyEditColors(*edit);
    }

    comboText_ = skin::CreateDisplayLine(*this, resources(), keysettings::kComboTextRect,
                                         keysettings::kComboTextFontSize, s);
    comboText_->setObjectName(QStringLiteral("comboText"));

    barSkin_ = resources().picture(skin::scrollbar_skin::kImage);
    for (skin::CSkinScrollBar** bar : {&libraryScroll_, &contentScroll_}) {
        *bar = new skin::CSkinScrollBar(Qt::Vertical, this);
        (*bar)->SetSkinBitmap(barSkin_.image());
        (*bar)->hide();
        connect(*bar, &skin::CSkinScrollBar::scrolled, this, &COrvoDialogKeyMapSettings::scrolled);
    }
    libraryScroll_->setObjectName(QStringLiteral("libraryScroll"));
    contentScroll_->setObjectName(QStringLiteral("contentScroll"));

    tip_ = new keysettings::TipControl(this);
}

void COrvoDialogKeyMapSettings::openOnSlot() {
    int kind = KindNotSet;
    int hwCode = 0;
    CItemList slotList;
    if (slotIsValid()) {
        const auto k = static_cast<std::size_t>(config_.selectedKey);
        const auto l = static_cast<std::size_t>(config_.currentLayer);
        kind = config_.keyMode[k][l];
        hwCode = config_.keyHWCode[k][l];
        slotList.Assign(config_.keyList[k][l]);
    }
    int firstPage = keysettings::kPageSingleCombo;
    for (int number = 1; number <= keysettings::kPageCount; ++number) {
        if (page(number).openOnSlot(kind, hwCode, slotList)) {
            firstPage = number;
            break;
        }
    }
    ShowPage(firstPage - 1);
}

void COrvoDialogKeyMapSettings::ShowPage(int p) {
    if (p < 0 || p >= keysettings::kPageCount) {
        return;
    }
    editor_->commit();  // never open while the page changes
    currentPage_ = p + 1;
    const keysettings::PageImages images =
        keysettings::PageImagesFor(currentPage_, config_.deviceType);
    replaceFaces({resources().picture(images.base), resources().picture(images.hover),
                  resources().picture(images.selected)});
    placeControls(currentPage_);
    tip_->deactivate();
    page(currentPage_).shown();
    update();
}

void COrvoDialogKeyMapSettings::placeControls(int pageNumber) {
    const keysettings::PageControls controls = keysettings::ControlsOf(pageNumber);
    const auto apply = [](QWidget& widget, const keysettings::ControlState& state) {
        widget.setVisible(state.shown);
        widget.setEnabled(state.enabled);
    };
    apply(*countEdit_, controls.countEdit);
    apply(*delayEdit_, controls.delayEdit);
    apply(*editor_, controls.inPlaceEdit);
    apply(*comboText_, controls.comboText);
    placeBar(*libraryScroll_, controls.libraryScroll);
    placeBar(*contentScroll_, controls.contentScroll);
}

skin::CSkinScrollBar& COrvoDialogKeyMapSettings::bar(ListBar which) {
    return which == ListBar::Library ? *libraryScroll_ : *contentScroll_;
}

void COrvoDialogKeyMapSettings::placeBar(skin::CSkinScrollBar& scrollBar,
                                         const keysettings::BarPlace& place) {
    if (!place.keepsPlace()) {
        scrollBar.setGeometry(scaledRect(
            {place.left, place.top, place.left + place.width, place.top + place.height}));
        // The bar is as thick as its skin's cells, whatever width the page gives.
        scrollBar.SetSkinBitmap(barSkin_.image());
    }
    scrollBar.setVisible(place.shown);
}

void COrvoDialogKeyMapSettings::setBarRange(ListBar which, int maximum, int page, int position) {
    skin::CSkinScrollBar& scrollBar = bar(which);
    skin::ScrollInfo info;
    info.fMask = skin::kScrollInfoRange | skin::kScrollInfoPage | skin::kScrollInfoPos;
    info.nMin = 0;
    info.nMax = maximum;
    info.nPage = page;
    info.nPos = position;
    scrollBar.SetScrollInfo(info);
    // Kept in sight, but disabled while there is nothing to scroll.
    scrollBar.setEnabled(maximum + 1 > page);
}

void COrvoDialogKeyMapSettings::adjustBarMaximum(ListBar which, int delta) {
    skin::CSkinScrollBar& scrollBar = bar(which);
    skin::AdjustScrollMax(scrollBar, delta);
    skin::ScrollInfo info;
    scrollBar.GetScrollInfo(info);
    scrollBar.setEnabled(info.nMax - info.nMin + 1 > info.nPage);
}

void COrvoDialogKeyMapSettings::scrolled(skin::CSkinScrollBar* scrollBar, int code, int position) {
    skin::ScrollInfo info;
    scrollBar->GetScrollInfo(info);
    int moved = info.nPos;
    switch (code) {
        case skin::kScrollLineUp:
            --moved;
            break;
        case skin::kScrollLineDown:
            ++moved;
            break;
        case skin::kScrollPageUp:
            moved -= info.nPage;
            break;
        case skin::kScrollPageDown:
            moved += info.nPage;
            break;
        case skin::kScrollThumbTrack:
            moved = position;
            break;
        default:
            break;
    }
    moved = std::clamp(moved, info.nMin, std::max(info.nMin, info.nMax - info.nPage + 1));
    info.fMask = skin::kScrollInfoPos;
    info.nPos = moved;
    scrollBar->SetScrollInfo(info);
    page(currentPage_)
        .scrolled(scrollBar == libraryScroll_ ? ListBar::Library : ListBar::Content, moved);
}

int COrvoDialogKeyMapSettings::runVirtualKeyboard(int selectMode) {
    OrvoDialogVirtual keyboard(resources(), config_.language, config_.scaleFactor, config_, this);
    keyboard.selectMode = selectMode;
    keyboard.picked.single = config_.virtualSingle;
    const int result = keyboard.exec();
    // The hand-over members take what the window returned, here and nowhere else.
    config_.virtualSingle = keyboard.picked.single;
    config_.virtualCombo = keyboard.picked.combo;
    config_.virtualComboCount = keyboard.picked.comboCount;
    return result;
}

bool COrvoDialogKeyMapSettings::onShownPage(int id) const {
    const int pageOfId = PageOfId(id);
    return pageOfId == 0 || pageOfId == currentPage_;
}

bool COrvoDialogKeyMapSettings::isHitCandidate(const skin::SkinItem& item) const {
    return SkinnedDialog::isHitCandidate(item) && onShownPage(item.id);
}

keysettings::KeySettingsPage* COrvoDialogKeyMapSettings::shownPage() {
    return pages_[static_cast<std::size_t>(currentPage_)].get();
}

const keysettings::KeySettingsPage* COrvoDialogKeyMapSettings::shownPage() const {
    return pages_[static_cast<std::size_t>(currentPage_)].get();
}

void COrvoDialogKeyMapSettings::beforeCompose() {
    if (keysettings::KeySettingsPage* shown = shownPage()) {
        shown->beforePaint();
    }
}

void COrvoDialogKeyMapSettings::paintItem(QPainter& painter, skin::SkinItem& item) {
    if (onShownPage(item.id)) {
        SkinnedDialog::paintItem(painter, item);
    }
}

void COrvoDialogKeyMapSettings::mousePressEvent(QMouseEvent* event) {
    // A press on the face away from every element drags the window and is no click; the
    // editor is committed all the same, as clicking elsewhere does.
    if (editor_->isOpen() && itemAt(event->position().toPoint()) == nullptr) {
        editor_->commit();
    }
    SkinnedDialog::mousePressEvent(event);
}

void COrvoDialogKeyMapSettings::mouseDoubleClickEvent(QMouseEvent* event) {
    clickRule_->doubleClicked();
    SkinnedDialog::mousePressEvent(event);
}

void COrvoDialogKeyMapSettings::clickReleased(const QPoint& clientPoint) {
    clickRule_->released(clientPoint);
}

void COrvoDialogKeyMapSettings::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        handleRightClick(event->position().toPoint(), event->globalPosition().toPoint());
        return;
    }
    SkinnedDialog::mouseReleaseEvent(event);
}

void COrvoDialogKeyMapSettings::handleRightClick(const QPoint& clientPoint,
                                                 const QPoint& globalPoint) {
    // What the right button acts on must not change under an open editor.
    editor_->commit();
    const skin::SkinItem* clicked = itemAt(clientPoint);
    if (clicked == nullptr || clicked->id < 100 || PageOfId(clicked->id) != currentPage_) {
        return;
    }
    page(currentPage_).rightClicked(clicked->id, globalPoint);
}

void COrvoDialogKeyMapSettings::handleClick(const QPoint& clientPoint) {
    const skin::SkinItem* clicked = itemAt(clientPoint);
    handleClickOn(clicked != nullptr ? clicked->id : -1);
}

void COrvoDialogKeyMapSettings::handleClickOn(int id) {
    const bool okOrCancel = id == keysettings::kIdOk || id == keysettings::kIdCancel;

    if (editor_->isOpen()) {
        editor_->commit();
        if (!okOrCancel) {
            return;
        }
    }
    if (capturingPage_ != nullptr) {
        const ClickWhileCapturing outcome = capturingPage_->clickWhileCapturing(id);
        if (outcome != ClickWhileCapturing::Proceed) {
            stopCapture();  // whatever the page did, no capture goes on
            if (outcome == ClickWhileCapturing::Stopped || !okOrCancel) {
                update();
                return;
            }
        }
    }
    act(id);
}

void COrvoDialogKeyMapSettings::act(int id) {
    switch (id) {
        case keysettings::kIdClear:
            clearPage();
            break;
        case keysettings::kIdDefault:
            restoreDefault();
            break;
        case keysettings::kIdOk:
            confirm();
            break;
        case keysettings::kIdCancel:
        case keysettings::kIdClose:
            reject();
            break;
        default:
            if (id >= keysettings::kIdFirstTab &&
                id < keysettings::kIdFirstTab + keysettings::kPageCount) {
                ShowPage(id - keysettings::kIdFirstTab);
            } else if (id >= 100 && PageOfId(id) == currentPage_) {
                page(currentPage_).clicked(id);
            }
            break;
    }
}

void COrvoDialogKeyMapSettings::clearPage() {
    cleared_ = true;
    for (int number = 1; number <= keysettings::kPageCount; ++number) {
        page(number).clear();
    }
    ShowPage(keysettings::kPageSingleCombo - 1);
}

void COrvoDialogKeyMapSettings::restoreDefault() {
    const int hwCode = config_.selectedKey < 0
                           ? -1
                           : config_.DefaultHWCode(config_.selectedKey, config_.currentLayer);
    const int pageNumber = DefaultPageOf(hwCode);
    if (pageNumber == 0) {
        return;
    }
    page(pageNumber).takeDefault(hwCode);
    ShowPage(pageNumber - 1);
}

bool COrvoDialogKeyMapSettings::clearingAgreed() {
    const auto k = static_cast<std::size_t>(config_.selectedKey);
    const auto l = static_cast<std::size_t>(config_.currentLayer);
    const int kind = config_.keyMode[k][l];
    keysettings::KeySettingsPage& shown = page(currentPage_);
    // Looking at another page and choosing nothing there is no wish to clear the key ("Clear"
    // is); taking back the choice on the key's own page is.
    if (cleared_ || kind == KindNotSet || shown.hasChoice() || shown.assignsKind(kind)) {
        return true;
    }
    const std::size_t captions = language() == kLanguageChinese ? kCaptionChinese : kCaptionEnglish;
    const std::wstring what = kind >= 0 && kind < kKindCount
                                  ? config_.kindName[captions][static_cast<std::size_t>(kind)]
                                  : std::wstring();
    const std::wstring assignment =
        AssignmentText(config_, config_.selectedKey, config_.currentLayer, kNoMacroTextLimit);
    enum { kClear, kKeep };
    skin::Question question;
    question.text =
        keysettings::texts::Text(keysettings::texts::Id::ClearAssignmentQuestion, language())
            .arg(QString::fromStdWString(what + L" " + assignment).trimmed());
    question.caption = windowTitle();
    question.buttons = {skin::ButtonText(skin::StandardButton::Yes, language()),
                        skin::ButtonText(skin::StandardButton::No, language())};
    question.defaultButton = kKeep;
    question.escapeButton = kKeep;
    return dialogs_.ask(this, question) == kClear;
}

void COrvoDialogKeyMapSettings::confirm() {
    if (slotIsValid()) {
        if (!clearingAgreed()) {
            return;  // the dialog stays, with the key as it was
        }
        const auto k = static_cast<std::size_t>(config_.selectedKey);
        const auto l = static_cast<std::size_t>(config_.currentLayer);
        config_.keyMode[k][l] = KindNotSet;
        page(currentPage_).writeBack(config_, config_.selectedKey, config_.currentLayer);
    }
    update();
    done(kResultOk);
}

void COrvoDialogKeyMapSettings::done(int result) {
    clickRule_->cancel();
    stopCapture();
    if (editor_ != nullptr) {
        tip_->deactivate();
        // "OK" committed the editor before it got here; any other end drops what it holds.
        editor_->discard();
    }
    SkinnedDialog::done(result);
}

void COrvoDialogKeyMapSettings::startCapture(keysettings::KeySettingsPage& capturing) {
    stopCapture();
    capturingPage_ = &capturing;
    keyIsDown_.fill(0);
    decoder_.restart();
    capture_->start(messageHandle());
}

void COrvoDialogKeyMapSettings::stopCapture() {
    capture_->stop();
    capturingPage_ = nullptr;
}

void COrvoDialogKeyMapSettings::messageReceived(std::uint32_t message, std::uintptr_t wParam,
                                                std::intptr_t lParam) {
    if (message != WM_HOOK_KEY) {
        return;
    }
    const keysettings::HookKey key = decoder_.decode(wParam, lParam, options_.keystrokeClock());
    if (capturingPage_ != nullptr) {
        capturingPage_->captureKey(key);
    }
}

void COrvoDialogKeyMapSettings::openEditor(int itemId, const std::wstring& text,
                                           EditorPurpose purpose,
                                           std::function<void(const std::wstring&)> commit) {
    const skin::SkinItem* row = findItem(itemId);
    if (row == nullptr || !onShownPage(itemId)) {
        return;
    }
    editor_->open(QRect(row->rect.left, row->rect.top, row->rect.width(), row->rect.height()),
                  QString::fromStdWString(text), purpose, std::move(commit));
}

void COrvoDialogKeyMapSettings::mouseMoveEvent(QMouseEvent* event) {
    SkinnedDialog::mouseMoveEvent(event);
    updateTip(event->globalPosition().toPoint());
}

void COrvoDialogKeyMapSettings::leaveEvent(QEvent* event) {
    tip_->deactivate();
    SkinnedDialog::leaveEvent(event);
}

void COrvoDialogKeyMapSettings::updateTip(const QPoint& globalPoint) {
    // An icon that is not chosen names itself in the tip.
    for (const skin::SkinItem& element : items()) {
        if (element.hovered && isHitCandidate(element) &&
            keysettings::ShowsTooltip(element.id, element.isSelected)) {
            const auto tip = element.tips.find(language());
            tip_->request(
                tip == element.tips.end() ? QString() : QString::fromStdWString(tip->second),
                globalPoint);
            return;
        }
    }
    tip_->deactivate();
}

void COrvoDialogKeyMapSettings::keyPressEvent(QKeyEvent* event) {
    if (navigationKeyPressed(event)) {
        return;
    }
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Enter confirms as "OK" does: what was chosen is written, never dropped.
            confirm();
            return;
        default:
            SkinnedDialog::keyPressEvent(event);
    }
}
