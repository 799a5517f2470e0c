#include "COrvoDialogProgress.h"

#include "ProgressLayout.h"
#include "model/KeyboardConfig.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

namespace {

const QColor kColorKey(255, 0, 0);
constexpr std::chrono::milliseconds kLanePollInterval{50};
constexpr int kFullPercent = 100;

}  // namespace

COrvoDialogProgress::COrvoDialogProgress(const skin::SkinResources& resources,
                                         CKeyboardConfig& config, TransferLane& lane,
                                         const JobPauses& pauses, QWidget* parent)
    : SkinnedDialog(resources, config.language, config.scaleFactor, parent, Qt::Dialog),
      config_(config),
      lane_(lane),
      pauses_(pauses) {
    waitTimer_.setInterval(kLanePollInterval);
    connect(&waitTimer_, &QTimer::timeout, this, &COrvoDialogProgress::startWhenLaneIsFree);
}

COrvoDialogProgress::~COrvoDialogProgress() = default;

COrvoDialogProgress::Outcome COrvoDialogProgress::Run(int jobNumber,
                                                      const skin::SkinResources& resources,
                                                      CKeyboardConfig& config, TransferLane& lane,
                                                      const JobPauses& pauses, QWidget* parent) {
    COrvoDialogProgress dialog(resources, config, lane, pauses, parent);
    dialog.jobNumber = jobNumber;
    Outcome outcome;
    outcome.result = dialog.exec();
    outcome.succeeded = dialog.transferSucceeded();
    return outcome;
}

int COrvoDialogProgress::exec() {
    const skin::SkinResources& art = resources();
    std::vector<skin::SkinItem> items;
    for (const skin::ItemSpec& entry : progress::ProgressItems()) {
        items.push_back(skin::ItemFromSpec(entry));
    }
    openSkin({art.picture(progress::kImageBackground), art.picture(progress::kImageHover),
              art.picture(progress::kImageSelected)},
             kColorKey, progress::kFaceSize, std::move(items));
    takeTitleFrom(progress::kLabelTitle);
    findItem(progress::kLabelWaiting)->textVisible = false;
    progress_ = 1;

    job_ = MakeTransferJob(jobNumber, config_, pauses_);
    if (!job_) {
        return kResultCancel;
    }
    startWhenLaneIsFree();
    return SkinnedDialog::exec();
}

void COrvoDialogProgress::startWhenLaneIsFree() {
    skin::SkinItem* waiting = findItem(progress::kLabelWaiting);
    if (lane_.busy()) {
        // The worker of a cancelled job still has the keyboard: two workers would interleave
        // their reports on it. Say so, and look again shortly.
        if (!waitTimer_.isActive()) {
            waiting->textVisible = true;
            update();
            waitTimer_.start();
        }
        return;
    }
    waitTimer_.stop();
    waiting->textVisible = false;
    update();
    startWorker();
}

void COrvoDialogProgress::startWorker() {
    const WindowHandle window = messageHandle();
    config_.jobWindow = window;
    // The worker gets its own hold on the job: after a cancel it runs on after this dialog.
    const bool started = lane_.start([job = job_, window] {
        job->run(window);
        static_cast<void>(PostWindowMessage(window, WM_DEVICE_DONE, 0, 0));
    });
    if (!started) {
        startWhenLaneIsFree();
    }
}

void COrvoDialogProgress::messageReceived(std::uint32_t message, std::uintptr_t wParam,
                                          std::intptr_t) {
    if (message == WM_DEVICE_PROGRESS && job_) {
        progress_ = static_cast<int>(wParam) * job_->percentPer150Steps() /
                    static_cast<int>(kWorkerProgressStep);
        update();
    } else if (message == WM_DEVICE_DONE && job_) {
        // The worker has posted its last message and is about to end.
        lane_.join();
        succeeded_ = job_->finish(config_);
        done(kResultOk);
    }
}

void COrvoDialogProgress::cancel() {
    waitTimer_.stop();
    progress_ = 0;
    // The worker runs on with its own hold on the job; what it reads is dropped with it, so
    // the configuration stays as it was before the job.
    job_.reset();
    done(kResultCancel);
}

void COrvoDialogProgress::itemClicked(skin::SkinItem& item) {
    if (item.id == progress::kIdClose || item.id == progress::kIdCancel) {
        cancel();
    }
}

void COrvoDialogProgress::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            cancel();
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // Enter must not end a job that is still running as if it had finished.
            return;
        default:
            SkinnedDialog::keyPressEvent(event);
    }
}

void COrvoDialogProgress::paintOverlay(QPainter& painter) {
    const int width =
        std::min(progress_ * progress::kBarMaxWidth / kFullPercent, progress::kBarMaxWidth);
    if (width <= 0) {
        return;
    }
    const skin::DesignRect& bar = progress::kBarRect;
    CopyArea(painter, faces().selected.image(), QRect(bar.left, bar.top, width, bar.height()));
}
