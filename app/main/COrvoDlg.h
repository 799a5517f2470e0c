// The main window: the keyboard with a button per key, the bar of whole-configuration actions,
// the three layer buttons and the display line. Everything it changes lives in the
// configuration it is given; transfers run in the progress dialog.
#pragma once

#include "COrvoDialogKeyMapSettings.h"
#include "DialogService.h"
#include "KeyCapture.h"
#include "MainTexts.h"
#include "Preferences.h"
#include "SkinnedDialog.h"
#include "model/KeyboardProfile.h"
#include "model/SessionHistory.h"
#include "model/TransferJob.h"

#include <QIcon>
#include <QSystemTrayIcon>
#include <QTimer>

#include <string>

namespace model {
class CKeyboardConfig;
}
class DeviceWatcher;
class QAction;
class QEventLoop;
class QMenu;
class QPlainTextEdit;
class TransferLane;

struct MainWindowOptions {
    model::JobPauses pauses;
    // The user guide Help opens (by default where ProgramFile finds it).
    QString helpFile;
    // Watch for the keyboard being unplugged (tests drive devicesChanged() themselves).
    bool watchDevices = true;
    KeySettingsOptions keySettings;
    // The scale to draw at; 0: the screen's (its height / 1080). Tests and benchmarks choose.
    float scaleFactor = 0.0F;
    // Where the language and the window's position are remembered between runs; empty:
    // nothing is (the program gives Preferences::UserFile()).
    QString preferencesFile;
    // Where the keys and colours are saved before a firmware download; empty: the user's data
    // folder.
    QString backupFolder;
};

class COrvoDlg : public skin::SkinnedDialog {
    Q_OBJECT

public:
    // The buttons of the window's questions, left to right.
    // Before the first write of a run that never read the keyboard's keys.
    enum WriteQuestionButton { kReadKeyboardFirst, kWriteAnyway, kCancelWrite };
    // The exit questions: "Yes" and "No", and the save question's "Cancel".
    enum ExitQuestionButton { kExitYes, kExitNo, kExitCancel };
    // The keyboard went away with changes it never got.
    enum UnpluggedQuestionButton { kSaveBeforeQuitting, kQuitWithoutSaving };
    // At start, the keyboard cannot be used.
    enum NoKeyboardQuestionButton { kGoOnWithoutKeyboard, kQuitWithoutKeyboard };

    COrvoDlg(model::CKeyboardConfig& config, const skin::SkinResources& resources,
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
    // Whether the program runs with the keyboard (false when the user went on without it).
    bool keyboardUsable() const { return keyboardUsable_; }
    // Whether the keys the window shows were read from the keyboard, opened from a profile or
    // written to the keyboard in this run; until then a write asks first.
    bool keyboardKeysKnown() const { return keyboardKeysKnown_; }
    // Whether the keys show their press counts (the heat map) instead of the layer.
    bool heatMapShown() const { return heatMapShown_; }
    bool verifiesWrites() const { return verifyWrites_; }

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
    void paintOverlay(QPainter& painter) override;
    void itemClicked(skin::SkinItem& item) override;
    void closeEvent(QCloseEvent* event) override;
    // Ctrl+Z undoes the last change of the configuration; Ctrl+Y and Ctrl+Shift+Z redo it.
    void keyPressEvent(QKeyEvent* event) override;
    // The keys are one Tab stop, the layer buttons another; the layers are the window's tabs.
    int focusGroup(const skin::SkinItem& item) const override;
    bool switchTab(int step) override;
    // Whether the desktop has a notification area (tests may pretend it has).
    virtual bool trayAvailable() const;

private:
    void selectLayer(int buttonId);
    // After an action of the window: records what it changed, named after the element.
    void noteChange(const skin::SkinItem& item);
    void stepThroughHistory(bool back);
    // The title says whether the configuration is unsaved and whether the keys are unwritten.
    void showChangeMarks();
    void showHeatMap(bool shown);
    void paintHeatKey(QPainter& painter, const skin::SkinItem& key) const;
    // The key settings dialog for a key on the layer shown.
    void editKey(int key);
    void toggleLanguage();
    // The language remembered from the last run, if there is one.
    void takeRememberedLanguage();
    // Where the window stood in the last run, if that is still on a screen.
    void takeRememberedPosition();
    // Runs a transfer job in the progress dialog; the dialog's result.
    int runJob(model::TransferJobKind job, bool* succeeded);
    void writeKeys();
    void toggleVerifyWrites();
    // After a write that was to be verified: reads the keys back and tells the user what the
    // keyboard does not hold; whether it holds them all.
    bool writtenKeysReadBack();
    // Before the first write of a run that never read the keyboard's keys: false when the
    // user cancelled or the read that was chosen failed.
    bool readyToWriteOverUnseenKeys();
    // Reads the keyboard and keeps what the user changed in this run; false on failure.
    bool readKeyboardKeepingChanges();
    // The keyboard failed a transfer: true when it is gone (the program then ends).
    bool endIfKeyboardGone();
    void keyboardGone();
    // At start, the keyboard cannot be used: whether the user goes on without it.
    bool goOnWithoutKeyboard();
    // Says that the keyboard is not usable, when it is not; true when it is usable.
    bool keyboardAvailableForTransfers();
    int askQuestion(texts::Id text, const QStringList& buttons, int defaultButton,
                    int escapeButton);
    // A question about the keyboard: what happened, then what the user may do about it.
    skin::Question keyboardQuestion(texts::Id happened, texts::Id offer, texts::Id firstButton,
                                    texts::Id secondButton) const;
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
    // Saves to a profile the user picks; false when the dialog was cancelled or the file
    // could not be written (the user was told).
    bool saveToChosenProfile();
    skin::MessageAnswer ask(const QString& text, skin::MessageButtons buttons,
                            skin::MessageIcon icon);
    void tellAboutKeyboard(texts::Id id);
    QString modelName() const;
    void drawKindBar(QPainter& painter, const skin::SkinItem& key) const;

    model::CKeyboardConfig& config_;
    skin::DialogService& dialogs_;
    TransferLane& lane_;
    MainWindowOptions options_;
    Preferences preferences_;
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
    bool keyboardUsable_ = true;
    bool keyboardKeysKnown_ = false;
    bool heatMapShown_ = false;
    bool verifyWrites_ = false;
    // A transfer's progress dialog is up: the keyboard's going away is handled after it.
    bool transferShowing_ = false;
    // The configuration as the run began, before the user changed anything.
    model::CKeyboardProfile runStart_;
    model::SessionHistory history_;
    // The display line's report of the last undo or redo (empty once something else changed).
    std::wstring changeReport_;
    QTimer clickGuardTimer_;
    // Whether the user has been told that keys are captured in the dialog's window only.
    keysettings::CaptureNotice captureNotice_;
    QTimer recheckDevicesTimer_;
    QIcon icon_;
};
