// The main window: the keyboard with a button per key, the bar of whole-configuration actions,
// the three layer buttons and the display line. Everything it changes lives in the
// configuration it is given; transfers run in the progress dialog.
#pragma once

#include "COrvoDialogKeyMapSettings.h"
#include "DialogService.h"
#include "KeyCapture.h"
#include "MainTexts.h"
#include "SkinnedDialog.h"
#include "TransferJob.h"

#include <QIcon>
#include <QSystemTrayIcon>
#include <QTimer>

#include <string>

class CKeyboardConfig;
class DeviceWatcher;
class QMenu;
class QPlainTextEdit;
class TransferLane;

struct MainWindowOptions {
    JobPauses pauses;
    // The user guide Help opens (by default where ProgramFile finds it).
    QString helpFile;
    // Watch for the keyboard being unplugged (tests drive devicesChanged() themselves).
    bool watchDevices = true;
    KeySettingsOptions keySettings;
};

class COrvoDlg : public skin::SkinnedDialog {
    Q_OBJECT

public:
    COrvoDlg(CKeyboardConfig& config, const skin::SkinResources& resources,
             skin::DialogService& dialogs, TransferLane& lane, MainWindowOptions options,
             QWidget* parent = nullptr);
    ~COrvoDlg() override;

    // Opens the keyboard and sets the window up; false (after telling the user) when the
    // keyboard cannot be opened or is held by another program.
    bool initialize();
    // initialize(), then the window's modal run.
    int exec() override;

    // The display line's text as the window set it (lines end in "\r\n").
    const std::wstring& displayText() const { return displayText_; }
    QPlainTextEdit* displayLine() const { return displayLine_; }
    // Whether the window sits in the notification area.
    bool inTray() const;
    QString trayMenuText() const;

public slots:
    // A device came or went: ends the program when the keyboard is gone.
    void devicesChanged();
    // The notification-area icon was used.
    void trayActivated(QSystemTrayIcon::ActivationReason reason);
    // The notification-area menu's only command: end the program without the exit questions.
    void trayExit();

protected:
    void beforeCompose() override;
    void paintItem(QPainter& painter, skin::SkinItem& item) override;
    void itemClicked(skin::SkinItem& item) override;
    // Whether the desktop has a notification area (tests may pretend it has).
    virtual bool trayAvailable() const;

private:
    void selectLayer(int buttonId);
    // The key settings dialog for a key on the layer shown.
    void editKey(int key);
    void toggleLanguage();
    // Runs a transfer job in the progress dialog; the dialog's result.
    int runJob(int jobNumber, bool* succeeded);
    void writeKeys();
    void readAll();
    void readCounters();
    void openBacklight();
    void openFirmware();
    // Whether the keyboard holds the colours the program has: false after a colour write it
    // did not take, true again once colours were written or read back.
    void setLightsOnKeyboard(bool onKeyboard);
    void saveProfile();
    void openProfile();
    void openHelp();
    void hideToTray();
    void exitWindow();
    void showTransferOutcome(bool succeeded);
    skin::MessageAnswer ask(const QString& text, skin::MessageButtons buttons,
                            skin::MessageIcon icon);
    void tellAboutKeyboard(texts::Id id);
    QString modelName() const;
    void drawKindBar(QPainter& painter, const skin::SkinItem& key) const;

    CKeyboardConfig& config_;
    skin::DialogService& dialogs_;
    TransferLane& lane_;
    MainWindowOptions options_;
    QPlainTextEdit* displayLine_ = nullptr;
    std::wstring displayText_;
    QSystemTrayIcon* tray_ = nullptr;
    QMenu* trayMenu_ = nullptr;
    DeviceWatcher* watcher_ = nullptr;
    QTimer clickGuardTimer_;
    // Whether the user has been told that keys are captured in the dialog's window only.
    keysettings::CaptureNotice captureNotice_;
    QIcon icon_;
};
