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
class QAction;
class QEventLoop;
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
    // The scale to draw at; 0: the screen's (its height / 1080). Tests and benchmarks choose.
    float scaleFactor = 0.0F;
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
    // initialize(), then the window's run, which lasts until the window ends (hiding it in
    // the notification area does not end it).
    int exec() override;

    // The display line's text as the window set it (lines end in "\r\n").
    const std::wstring& displayText() const { return displayText_; }
    QPlainTextEdit* displayLine() const { return displayLine_; }
    // Whether the window sits in the notification area.
    bool inTray() const;
    // The notification area's menu: bring the window back, and exit.
    QMenu* trayMenu() const { return trayMenu_; }
    QString trayMenuText() const;

public slots:
    // A device came or went: ends the program when the keyboard is gone.
    void devicesChanged();
    // The notification-area icon was used.
    void trayActivated(QSystemTrayIcon::ActivationReason reason);
    // The notification-area menu's exit: the window comes back and asks the exit questions.
    void trayExit();
    // Enter, Escape and the window manager's close all end the window the way its exit
    // button does: through the exit questions.
    void accept() override;
    void reject() override;
    void done(int result) override;

protected:
    void beforeCompose() override;
    void paintItem(QPainter& painter, skin::SkinItem& item) override;
    void itemClicked(skin::SkinItem& item) override;
    void closeEvent(QCloseEvent* event) override;
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
    void restoreFromTray();
    void updateTrayTexts();
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
    QAction* trayShowAction_ = nullptr;
    QAction* trayExitAction_ = nullptr;
    DeviceWatcher* watcher_ = nullptr;
    // The window's own run (exec), which hiding the window leaves running.
    QEventLoop* run_ = nullptr;
    // Set once the window is ending, so that its own closing asks nothing.
    bool ending_ = false;
    // The keyboard was found unplugged: said once, however many changes follow.
    bool unplugReported_ = false;
    QTimer clickGuardTimer_;
    // Whether the user has been told that keys are captured in the dialog's window only.
    keysettings::CaptureNotice captureNotice_;
    QTimer recheckDevicesTimer_;
    QIcon icon_;
};
