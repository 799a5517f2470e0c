#include "WindowTour.h"

#include "BacklightLayout.h"
#include "FirmwareLayout.h"
#include "KeySettingsLayout.h"
#include "MainWindowLayout.h"
#include "MultiSelectLayout.h"
#include "ProgressLayout.h"
#include "VirtualKeyboardLayout.h"

#include <vector>

namespace bench {
namespace {

constexpr std::chrono::seconds kWindowLimit{20};
constexpr std::chrono::seconds kRepaintLimit{3};
constexpr int kKeyA = 46;
// The windows the program opens most often are opened several times, for steadier figures.
constexpr int kProgressOpenings = 3;
constexpr int kMessageBoxOpenings = 5;

struct DesignPoint {
    int x = 0;
    int y = 0;
};

// The centre of a window's button (not of the label that may share its id).
DesignPoint CentreOf(const std::vector<skin::ItemSpec>& items, int id) {
    for (const skin::ItemSpec& item : items) {
        if (item.id == id && !item.isLabel) {
            return {(item.rect.left + item.rect.right) / 2, (item.rect.top + item.rect.bottom) / 2};
        }
    }
    return {};
}

double MillisecondsBetween(Clock::time_point from, Clock::time_point to) {
    return std::chrono::duration<double, std::milli>(to - from).count();
}

class Tour {
public:
    explicit Tour(VirtualScreen& screen) : screen_(screen) {}

    // Clicks at a design point of a window shown at scale 1; the time the click was made.
    Clock::time_point click(const ShownWindow& window, DesignPoint point) {
        return screen_.click(window.x + point.x, window.y + point.y);
    }

    // Clicks, then waits for the window of that size the click opens; null (and the step
    // named in the failure) when none comes.
    const ShownWindow* open(const ShownWindow& from, DesignPoint at, skin::FaceSize size,
                            const char* what) {
        if (!ok()) {
            return nullptr;
        }
        const std::uint64_t before = screen_.windowsCreated();
        const Clock::time_point clicked = click(from, at);
        const ShownWindow* opened =
            screen_.waitForPainted(before, size.width, size.height, kWindowLimit);
        if (opened == nullptr) {
            failure_ = std::string("the ") + what + " did not open";
        } else {
            openMs_.emplace_back(what, MillisecondsBetween(clicked, opened->firstPaint));
        }
        return opened;
    }

    // Clicks, then waits for the window to go.
    void close(const ShownWindow* window, DesignPoint at, const char* what) {
        if (!ok() || window == nullptr) {
            return;
        }
        click(*window, at);
        waitGone(*window, what);
    }

    void waitGone(const ShownWindow& window, const char* what) {
        if (!screen_.waitUntil([&] { return window.gone; }, kWindowLimit)) {
            failure_ = std::string("the ") + what + " did not close";
        }
    }

    // Clicks and lets the window repaint what the click changed (a page, for instance).
    void clickAndRepaint(const ShownWindow* window, DesignPoint at) {
        if (!ok() || window == nullptr) {
            return;
        }
        const int paints = window->paints;
        click(*window, at);
        screen_.waitUntil([&] { return window->paints > paints; }, kRepaintLimit);
    }

    bool ok() const { return failure_.empty(); }
    const std::string& failure() const { return failure_; }
    const std::vector<std::pair<std::string, double>>& openMs() const { return openMs_; }

private:
    VirtualScreen& screen_;
    std::string failure_;
    std::vector<std::pair<std::string, double>> openMs_;
};

// Every page, then the virtual keyboard from the first; OK leaves the key edited, so that the
// exit button asks about keys not yet written.
void KeySettingsAndVirtualKeyboard(Tour& tour, const ShownWindow& mainWindow) {
    const std::vector<skin::ItemSpec> items = keysettings::KeySettingsItems();
    const ShownWindow* dialog =
        tour.open(mainWindow, CentreOf(mainwin::MainWindowItems(1), mainwin::KeyItemId(kKeyA)),
                  keysettings::kFaceSize, "key settings dialog");
    for (int page = keysettings::kPageCount; page >= 1; --page) {
        tour.clickAndRepaint(dialog, CentreOf(items, keysettings::kIdFirstTab + page - 1));
    }
    if (dialog == nullptr) {
        return;
    }
    const ShownWindow* keyboard = tour.open(*dialog, CentreOf(items, keysettings::kIdVirtualSingle),
                                            virtualkbd::kFaceSize, "virtual keyboard");
    tour.close(keyboard, CentreOf(virtualkbd::VirtualKeyboardItems(), virtualkbd::kIdCancel),
               "virtual keyboard");
    tour.close(dialog, CentreOf(items, keysettings::kIdOk), "key settings dialog");
}

void BacklightAndMultiKey(Tour& tour, const ShownWindow& mainWindow) {
    const std::vector<skin::ItemSpec> items = backlight::SettingsItems();
    const ShownWindow* dialog =
        tour.open(mainWindow, CentreOf(mainwin::MainWindowItems(1), mainwin::kIdBacklight),
                  backlight::kSettingsFaceSize, "backlight window");
    if (dialog == nullptr) {
        return;
    }
    const ShownWindow* multiKey = tour.open(*dialog, CentreOf(items, backlight::kIdMultiKey),
                                            backlight::kMultiSelectFaceSize, "multi-key window");
    tour.close(multiKey, CentreOf(backlight::MultiSelectItems(), backlight::kIdMultiClose),
               "multi-key window");
    tour.close(dialog, CentreOf(items, backlight::kIdCancel), "backlight window");
}

}  // namespace

TourTimes TourEveryWindow(VirtualScreen& screen, const ShownWindow& mainWindow) {
    TourTimes times;
    Tour tour(screen);
    const std::vector<skin::ItemSpec> mainItems = mainwin::MainWindowItems(1);

    KeySettingsAndVirtualKeyboard(tour, mainWindow);
    // The counters are read in the progress dialog, which closes itself when they are in.
    for (int time = 0; time < kProgressOpenings; ++time) {
        if (const ShownWindow* progress =
                tour.open(mainWindow, CentreOf(mainItems, mainwin::kIdReadCounters),
                          progress::kFaceSize, "progress dialog")) {
            tour.waitGone(*progress, "progress dialog");
        }
    }
    BacklightAndMultiKey(tour, mainWindow);
    const ShownWindow* firmwareWindow =
        tour.open(mainWindow, CentreOf(mainItems, mainwin::kIdFirmware), firmware::kFaceSize,
                  "firmware window");
    tour.close(firmwareWindow, CentreOf(firmware::FirmwareItems(), firmware::kIdCancel),
               "firmware window");
    // The exit button asks whether to leave keys unwritten; Escape answers "No" and the
    // program stays.
    for (int time = 0; time < kMessageBoxOpenings; ++time) {
        if (const ShownWindow* question =
                tour.open(mainWindow, CentreOf(mainItems, mainwin::kIdExit), skin::FaceSize{0, 0},
                          "message box")) {
            screen.pressEscape(question->id);
            tour.waitGone(*question, "message box");
        }
    }
    times.completed = tour.ok();
    times.failure = tour.failure();
    times.openMs = tour.openMs();
    return times;
}

}  // namespace bench
