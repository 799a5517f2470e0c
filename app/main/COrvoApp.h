// Start-up: finds the keyboard (with retries), opens the resource file of the window pictures,
// builds the code tables and runs the main window; the program ends when the main window does.
#pragma once

#include "COrvoDlg.h"
#include "SkinResources.h"
#include "TransferLane.h"

#include <QString>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

namespace model {
class CKeyboardConfig;
}
class KeyboardSearchNotice;

namespace skin {
class DialogService;
}

struct StartupOptions {
    // Sleeps between detection retries (tests pass one that only counts).
    std::function<void(std::chrono::milliseconds)> pause;
    // The resource file of pictures; by default "Z9RT(PRSM)BleRES.rcc" where ProgramFile finds
    // it.
    QString resourceFile;
    MainWindowOptions mainWindow;
};

class COrvoApp {
public:
    // Detection: one call, then up to this many retries one second apart.
    static constexpr int kDetectionRetries = 11;
    static constexpr std::chrono::milliseconds kRetryPause{1000};
    static constexpr const char* kResourceFileName = "Z9RT(PRSM)BleRES.rcc";

    COrvoApp(model::CKeyboardConfig& config, skin::DialogService& dialogs, StartupOptions options);

    // Start-up, the main window's run and the clean-up; the program's exit code.
    int run();

    // The steps of run, for tests. Detection shows a notice while it retries.
    void detectKeyboard();
    // Opens the resource file and looks for every picture the windows use (decoding none);
    // tells the user in one message what is missing.
    void loadArtwork();
    // The pictures of every window for the model.
    static std::vector<int> ArtworkIds(int deviceType);
    // The pictures kept decoded from just after the main window's first paint to the end: the
    // progress dialog's, which opens for every transfer and would otherwise open about half as
    // fast as with its pictures ready.
    static std::vector<int> ReadyPictureIds();

    skin::SkinResources& resources() { return resources_; }
    TransferLane& lane() { return lane_; }

private:
    std::unique_ptr<KeyboardSearchNotice> showSearchNotice();

    model::CKeyboardConfig& config_;
    skin::DialogService& dialogs_;
    StartupOptions options_;
    skin::SkinResources resources_;
    TransferLane lane_;
};
