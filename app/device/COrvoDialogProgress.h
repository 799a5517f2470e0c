// The progress dialog: runs one transfer job on a worker thread and shows how far it got. Its
// result is kResultOk when the job ran to its end (transferSucceeded() then tells whether the
// keyboard took part as asked) and kResultCancel when the user cancelled or the job is unknown.
#pragma once

#include "SkinnedDialog.h"
#include "TransferLane.h"
#include "model/TransferJob.h"

#include <QTimer>

#include <memory>

namespace model {
class CKeyboardConfig;
}

class COrvoDialogProgress : public skin::SkinnedDialog {
    Q_OBJECT

public:
    COrvoDialogProgress(const skin::SkinResources& resources, model::CKeyboardConfig& config,
                        TransferLane& lane, const model::JobPauses& pauses, QWidget* parent);
    ~COrvoDialogProgress() override;

    // How a job ended: the dialog's result, and whether the keyboard took part as asked.
    struct Outcome {
        int result = kResultCancel;
        bool succeeded = false;
    };
    // Runs one job in a progress dialog over `parent` and says how it ended.
    static Outcome Run(model::TransferJobKind job, const skin::SkinResources& resources,
                       model::CKeyboardConfig& config, TransferLane& lane,
                       const model::JobPauses& pauses, QWidget* parent);

    // The job to run; set before exec().
    model::TransferJobKind job{};

    // Opens the dialog and runs the job; returns when it ended or was cancelled.
    int exec() override;

    // Share of the bar to fill, in percent (more than 100 is drawn full).
    int progress() const { return progress_; }
    bool transferSucceeded() const { return succeeded_; }
    // Whether the job waits for the worker of an earlier, cancelled job.
    bool waitingForLane() const { return waitTimer_.isActive(); }

protected:
    void paintOverlay(QPainter& painter) override;
    void itemClicked(skin::SkinItem& item) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void startWhenLaneIsFree();
    void startWorker();
    void workerProgressed(int value);
    void workerFinished();
    void cancel();

    model::CKeyboardConfig& config_;
    TransferLane& lane_;
    model::JobPauses pauses_;
    std::shared_ptr<model::TransferJob> job_;  // null before exec and after a cancel
    QTimer waitTimer_;
    int progress_ = 0;
    bool succeeded_ = false;
};
