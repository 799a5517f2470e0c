// The one lane to the keyboard: at most one transfer worker runs at a time. A worker whose
// dialog was cancelled runs on to its end (the library cannot be stopped half-way), so the lane
// outlives the dialogs and lets a new job see that it has to wait.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <thread>

class TransferLane {
public:
    TransferLane() = default;
    ~TransferLane();  // waits for a worker that still runs
    TransferLane(const TransferLane&) = delete;
    TransferLane& operator=(const TransferLane&) = delete;

    // Whether a worker still runs.
    bool busy() const { return running_->load(); }
    // Runs `work` on a new worker thread. Returns false (and runs nothing) while busy.
    bool start(std::function<void()> work);
    // Waits for the worker to end (it is about to, once it has posted its end).
    void join();

private:
    std::shared_ptr<std::atomic<bool>> running_ = std::make_shared<std::atomic<bool>>(false);
    std::thread worker_;
};
