#include "COrvoDialogProgress.h"

#include "ProgressLayout.h"
#include "TransferRelay.h"
#include "model/KeyboardConfig.h"

#include <QKeyEvent>
#include <QPainter>

#include <algorithm>

using model::CKeyboardConfig;
using model::IsTransferJob;
using model::JobPauses;
using model::kOneStepProgress;
using model::TransferJob;
using model::TransferJobKind;

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

COrvoDialogProgress::Outcome COrvoDialogProgress::Run(TransferJobKind job,
                                                      const skin::SkinResources& resources,
                                                      CKeyboardConfig& config, TransferLane& lane,
                                                      const JobPauses& pauses, QWidget* parent) {
    COrvoDialogProgress dialog(resources, config, lane, pauses, parent);
    dialog.job = job;
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

    if (!IsTransferJob(job)) {
        return kResultCancel;
    }
    // What the job writes is copied out here, on the thread that owns the configuration.
    job_ = std::make_shared<TransferJob>(job, config_);
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
    auto relay = std::make_shared<TransferRelay>();
    connect(relay.get(), &TransferRelay::progressed, this, &COrvoDialogProgress::workerProgressed,
            Qt::QueuedConnection);
    connect(relay.get(), &TransferRelay::finished, this, &COrvoDialogProgress::workerFinished,
            Qt::QueuedConnection);
    // The worker gets its own hold on the job and the relay: after a cancel it runs on after
    // this dialog.
    const bool started = lane_.start([job = job_, relay, pauses = pauses_] {
        static_cast<void>(job->run([&relay](int value) { emit relay->progressed(value); }, pauses));
        emit relay->finished();
    });
    if (!started) {
        startWhenLaneIsFree();
    }
}

void COrvoDialogProgress::workerProgressed(int value) {
    if (job_) {
        progress_ = value * job_->percentPerOneStep() / kOneStepProgress;
        update();
    }
}

void COrvoDialogProgress::workerFinished() {
    if (job_) {
        // The worker has sent its last signal and is about to end.
        lane_.join();
        succeeded_ = job_->apply(config_);
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
