// A main window on the simulated keyboard, opened as the program opens it, with its dialogs
// answered by a ScriptedDialogService and the transfer pauses cut to nothing.
#pragma once

#include "COrvoDlg.h"
#include "ScriptedDialogService.h"
#include "SkinResources.h"
#include "TransferLane.h"
#include "model/KeyboardConfig.h"

#include <QPoint>

#include <memory>

namespace testkit {

// The window of a test: it may claim a notification area the offscreen platform lacks.
class TestMainWindow : public COrvoDlg {
public:
    using COrvoDlg::COrvoDlg;
    bool trayPresent = false;

protected:
    bool trayAvailable() const override { return trayPresent; }
};

class MainWindowHarness {
public:
    // Resets the simulated keyboard to a fresh one of `model` with the given faults.
    explicit MainWindowHarness(int model = kDeviceTypePrsmBle, const char* faults = "");
    ~MainWindowHarness();

    // Opens the window (false when it refused to open, as the program's start does).
    bool open();

    CKeyboardConfig config;
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
};

// The resource file of pictures beside the test.
QString ResourceFile();
// The picture of the resource file, for comparing the face with the artwork.
QImage ArtworkImage(int id);

}  // namespace testkit
