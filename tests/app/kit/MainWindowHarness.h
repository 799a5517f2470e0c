// A main window on the simulated keyboard, opened as the program opens it, with its dialogs
// answered by a ScriptedDialogService and the transfer pauses cut to nothing.
#pragma once

#include "COrvoDlg.h"
#include "ScriptedDialogService.h"
#include "SkinResources.h"
#include "TransferLane.h"
#include "model/KeyboardConfig.h"

#include <QPoint>

#include <functional>
#include <memory>

namespace testkit {

// The window of a test: it may claim a notification area the offscreen platform lacks, or ask
// the desktop as the program does.
class TestMainWindow : public COrvoDlg {
public:
    using COrvoDlg::COrvoDlg;
    bool trayPresent = false;
    bool askTheDesktop = false;

protected:
    bool trayAvailable() const override {
        return askTheDesktop ? COrvoDlg::trayAvailable() : trayPresent;
    }
};

class MainWindowHarness {
public:
    // Resets the simulated keyboard to a fresh one of `model` with the given faults.
    explicit MainWindowHarness(int model = kDeviceTypePrsmBle, const char* faults = "");
    ~MainWindowHarness();

    // Opens the window (false when it refused to open, as the program's start does).
    bool open();
    // Runs the window as the program does (exec), with `script` run once the window's run is
    // up and `trayPresent` given to the window; exec's result.
    int run(const std::function<void()>& script, bool trayPresent = false);

    // Watch for devices coming and going as the program does (set before open or run).
    bool watchDevices = false;
    // The scale the window draws at (0: the screen's, as in the program).
    float scaleFactor = 1.0F;
    // Where the window remembers its language and place (empty: nowhere, as by default).
    QString preferencesFile;
    // The transfers' pauses: none (a test may watch them through `take`).
    model::JobPauses pauses{std::chrono::milliseconds(0), std::chrono::milliseconds(0)};

    model::CKeyboardConfig config;
    ScriptedDialogService dialogs;
    skin::SkinResources resources;
    TransferLane lane;
    std::unique_ptr<TestMainWindow> window;

    // Centre of an element's rectangle, in window coordinates.
    QPoint centreOf(int id);
    // A click on an element, as the user makes it.
    void click(int id);
    // The pointer moved over an element.
    void hover(int id);
    // The face as the window paints it now (design size).
    QImage face();

private:
    void makeWindow();
};

// The resource file of pictures beside the test.
QString ResourceFile();
// The picture of the resource file, for comparing the face with the artwork.
QImage ArtworkImage(int id);

}  // namespace testkit
