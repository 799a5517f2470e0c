// One hover repaint of the main window: the pointer moves from one key to the next (the display
// line then describes the new key), or from one button to the next; the window marks the two
// for repainting and paints what it marked, as the event loop would have it do. Run at the
// scales of a 1080-pixel-high screen (1), a 1620-pixel one (1.5) and a 2160-pixel one (2), on
// the offscreen platform and the simulated keyboard. Each scale reports its cost as a ratio to
// scale 1 ("vs_scale_1"), counting the CPU time of every thread.
#include "COrvoApp.h"
#include "COrvoDlg.h"
#include "DeviceMessages.h"
#include "DialogService.h"
#include "MainWindowLayout.h"
#include "SkinResources.h"
#include "TransferLane.h"
#include "model/KeyboardConfig.h"

#include <QApplication>
#include <QEvent>
#include <QTemporaryFile>
#include <benchmark/benchmark.h>

#include <array>
#include <cstdio>
#include <ctime>
#include <map>
#include <memory>

using model::CKeyboardConfig;

namespace {

constexpr int kKeyA = 46;
constexpr int kKeyS = 47;
// Hovers per run of either window.
constexpr std::int64_t kRun = 32;

// The dialogs never open in a benchmark.
class NoDialogs : public skin::DialogService {
public:
    skin::MessageAnswer message(QWidget*, const QString&, const QString&, skin::MessageButtons,
                                skin::MessageIcon) override {
        return skin::MessageAnswer::No;
    }
    int ask(QWidget*, const skin::Question& question) override { return question.escapeButton; }
    void withdraw(QWidget*) override {}
    QString saveFileName(QWidget*, const skin::FileDialogOptions&) override { return {}; }
    QString openFileName(QWidget*, const skin::FileDialogOptions&) override { return {}; }
    std::optional<QColor> chooseColor(QWidget*, const QColor&) override { return std::nullopt; }
    bool openUrl(const QUrl&) override { return false; }
    std::optional<int> popupMenu(QWidget*, const std::vector<skin::MenuEntry>&,
                                 const QPoint&) override {
        return std::nullopt;
    }
    void setLanguage(const std::string&) override {}
};

// A main window at a scale, shown, with the pointer going back and forth between two of its
// elements.
class HoveredWindow {
public:
    HoveredWindow(float scale, const std::array<int, 2>& elements) {
        config_.deviceType = config_.device.DetectDeviceType();
        config_.BuildCodeTables();
        resources_.loadResourceFile(QCoreApplication::applicationDirPath() + QStringLiteral("/") +
                                    QLatin1String(COrvoApp::kResourceFileName));
        MainWindowOptions options;
        options.watchDevices = false;
        options.scaleFactor = scale;
        window_ = std::make_unique<COrvoDlg>(config_, resources_, dialogs_, lane_, options);
        if (!window_->initialize()) {
            return;
        }
        window_->show();
        QCoreApplication::processEvents();
        for (int id : elements) {
            const skin::SkinItem* item = window_->findItem(id);
            points_.emplace_back((item->rect.left + item->rect.right) / 2,
                                 (item->rect.top + item->rect.bottom) / 2);
        }
        // The first hovers decode the hover look: what is measured is every hover after.
        hover();
        hover();
    }
    bool ready() const { return !points_.empty(); }

    void hover() {
        next_ = 1 - next_;
        window_->hitTest(points_[static_cast<std::size_t>(next_)]);
        // What the event loop does next: deliver what the hover posted, which paints what it
        // marked.
        QCoreApplication::sendPostedEvents();
    }

private:
    CKeyboardConfig config_;
    skin::SkinResources resources_;
    NoDialogs dialogs_;
    TransferLane lane_;
    std::unique_ptr<COrvoDlg> window_;
    std::vector<QPoint> points_;
    int next_ = 0;
};

double ProcessCpuSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

// CPU seconds of one hover.
double TimedHover(HoveredWindow& window) {
    const double start = ProcessCpuSeconds();
    window.hover();
    return ProcessCpuSeconds() - start;
}

// Hovers over two keys (the display line describes each) or two buttons (it stays).
void HoverRepaint(benchmark::State& state, const std::array<int, 2>& elements) {
    const float scale = static_cast<float>(state.range(0)) / 100.0F;
    HoveredWindow window(scale, elements);
    // As many hovers at scale 1, in runs taken turn about with the measured ones, so that the
    // ratio holds however busy the machine is. (Runs, not single hovers: two windows with text
    // of different sizes taken turn about would keep evicting each other's text layouts.)
    HoveredWindow reference(1.0F, elements);
    if (!window.ready() || !reference.ready()) {
        state.SkipWithError("the main window did not open (the simulated keyboard?)");
        return;
    }
    double scaled = 0.0;
    double atOne = 0.0;
    std::int64_t owed = 0;
    const auto referenceRun = [&] {
        for (; owed > 0; --owed) {
            atOne += TimedHover(reference);
        }
    };
    for (auto _ : state) {
        const double seconds = TimedHover(window);
        state.SetIterationTime(seconds);
        scaled += seconds;
        if (++owed == kRun) {
            state.PauseTiming();
            referenceRun();
            state.ResumeTiming();
        }
    }
    referenceRun();
    const auto hovers = static_cast<double>(state.iterations());
    state.counters["cpu_ms_per_hover"] = scaled / hovers * 1e3;
    state.counters["at_scale_1_ms"] = atOne / hovers * 1e3;
    state.counters["vs_scale_1"] = scaled / atOne;
}

void BM_HoverKey(benchmark::State& state) {
    HoverRepaint(state, {mainwin::KeyItemId(kKeyA), mainwin::KeyItemId(kKeyS)});
}
void BM_HoverButton(benchmark::State& state) {
    HoverRepaint(state, {mainwin::kIdSave, mainwin::kIdOpen});
}
// The argument is the scale in hundredths. The time reported is the CPU time of a hover at that
// scale, all threads counted.
BENCHMARK(BM_HoverKey)
    ->Arg(100)
    ->Arg(150)
    ->Arg(200)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_HoverButton)
    ->Arg(100)
    ->Arg(150)
    ->Arg(200)
    ->UseManualTime()
    ->Unit(benchmark::kMicrosecond);

}  // namespace

// An offscreen screen of 3840 × 2160, on which the windows fit whole at every scale measured
// (the offscreen platform's own screen is 800 × 800).
bool UseLargeOffscreenScreen(QTemporaryFile& configuration) {
    if (!configuration.open()) {
        return false;
    }
    configuration.write(R"({"screens": [{"name": "bench", "x": 0, "y": 0,
                           "width": 3840, "height": 2160, "logicalDpi": 96, "dpr": 1}]})");
    configuration.flush();
    qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + configuration.fileName().toLocal8Bit());
    return true;
}

int main(int argc, char** argv) {
    // No screen and no keyboard needed.
    QTemporaryFile screens;
    if (!UseLargeOffscreenScreen(screens)) {
        std::fprintf(stderr, "bench_repaint: cannot write the offscreen screen's settings\n");
        return 1;
    }
    qputenv("Z9RT_HID", "sim");
    QApplication application(argc, argv);
    device_messages::Install();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
