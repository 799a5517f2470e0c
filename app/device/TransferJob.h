// The transfer jobs the progress dialog runs. A job is taken in three steps so that no window
// ever reads the configuration while a worker rewrites it: prepared on the UI thread (what is to
// be written is copied out of the configuration), run on the worker thread (the keyboard only),
// and finished on the UI thread (what was read is stored into the configuration, all of it or,
// when a step failed, none of it). A failed step ends the job at once, without its pauses.
#pragma once

#include "OrvoHWI.h"

#include <chrono>
#include <functional>
#include <memory>

class CKeyboardConfig;

// Job numbers, as the windows that start them know them.
enum JobNumber : int {
    kJobWriteKeys = 1,
    kJobReadAll = 3,
    kJobWriteLights = 4,
    kJobReadCounters = 5,
    kJobReadLights = 6,
};

// The progress step the workers post after a single transfer.
constexpr std::uintptr_t kWorkerProgressStep = 150;

// The pauses the keyboard needs after a transfer that it took; tests shorten them.
struct JobPauses {
    JobPauses() = default;
    JobPauses(std::chrono::milliseconds write, std::chrono::milliseconds reads)
        : afterWrite(write), betweenReads(reads) {}

    std::chrono::milliseconds afterWrite{1000};    // after writing keys or after one step
    std::chrono::milliseconds betweenReads{2000};  // between the key and the light read
    // How the worker pauses; empty: it sleeps (tests record the pauses instead).
    std::function<void(std::chrono::milliseconds)> take;
};

class TransferJob {
public:
    virtual ~TransferJob() = default;

    // Worker thread: the transfer itself. Posts its progress to `window`.
    virtual void run(WindowHandle window) = 0;
    // UI thread, after run: true when every transfer succeeded, and only then stores what
    // was read.
    virtual bool finish(CKeyboardConfig& config) = 0;
    // Percent of the bar per progress step: slots of a key transfer fill it at 150, the
    // workers' single step of 150 gives twice that.
    virtual int percentPer150Steps() const = 0;
};

// The job for a number, prepared from the configuration; null for a number no job has.
std::unique_ptr<TransferJob> MakeTransferJob(int jobNumber, CKeyboardConfig& config,
                                             const JobPauses& pauses);
