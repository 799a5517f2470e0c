// The firmware update window: shows the keyboard's firmware version, takes a firmware file made
// for the attached model, judges it whole, and downloads it on a worker while a bar shows how far
// it got. The download runs on the transfer lane, so it never shares the keyboard with another
// transfer and is never cut off by the window closing; its messages reach this window only while
// it exists.
#pragma once

#include "DialogService.h"
#include "SkinnedDialog.h"

#include <QString>

namespace model {
class CKeyboardConfig;
}
class FirmwareKeyBackup;
class QLineEdit;
class TransferLane;

class COrvoDialogFirmwareUpdate : public skin::SkinnedDialog {
    Q_OBJECT

public:
    // The buttons of "Wait for the download?", asked when the window is closed during one.
    enum WaitQuestionButton { kWaitForDownload, kCloseWithoutWaiting };

    COrvoDialogFirmwareUpdate(const skin::SkinResources& resources, model::CKeyboardConfig& config,
                              skin::DialogService& dialogs, TransferLane& lane, QWidget* parent);
    ~COrvoDialogFirmwareUpdate() override;

    // The opening steps: the face, the display boxes, then the version query.
    void initialize();
    // initialize(), then the window's modal run.
    int exec() override;
    // Keeps the keyboard's keys and colours safe across the downloads (null: not kept).
    void setKeyBackup(FirmwareKeyBackup* backup) { keyBackup_ = backup; }

    // Percent of the bar to fill.
    int progress() const { return progress_; }
    // Whether Update may start a download.
    bool ready() const { return ready_; }
    // Whether a download of this window is under way.
    bool downloading() const { return downloading_; }
    QString versionText() const;
    QString pathText() const;

public slots:
    // Enter and Escape: while a download runs, the user is asked first.
    void accept() override;
    void reject() override;

protected:
    void paintOverlay(QPainter& painter) override;
    void itemClicked(skin::SkinItem& item) override;
    void messageReceived(std::uint32_t message, std::uintptr_t wParam,
                         std::intptr_t lParam) override;

private:
    QLineEdit* makeDisplayBox(const skin::DesignRect& rect, const QString& name);
    void queryVersion();
    void openFile();
    void startDownload();
    void downloadEnded(int outcome);
    void closeWindow(int result);
    QRect barArea() const;
    void tell(const QString& text, const QString& caption, skin::MessageIcon icon);
    void tell(const QString& text);

    model::CKeyboardConfig& config_;
    skin::DialogService& dialogs_;
    TransferLane& lane_;
    QString firmwarePath_;  // the accepted file
    QString fileName_;      // the name of the file last picked
    int progress_ = 0;
    bool ready_ = true;
    bool downloading_ = false;
    bool closed_ = false;          // the window was closed: a running download's news is not for it
    bool waitQuestionUp_ = false;  // "Wait for the download?" is being asked
    QLineEdit* versionBox_ = nullptr;
    QLineEdit* pathBox_ = nullptr;
    FirmwareKeyBackup* keyBackup_ = nullptr;
};
