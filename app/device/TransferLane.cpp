#include "TransferLane.h"

TransferLane::~TransferLane() {
    join();
}

bool TransferLane::start(std::function<void()> work) {
    if (busy()) {
        return false;
    }
    join();
    running_->store(true);
    worker_ = std::thread([running = running_, work = std::move(work)] {
        work();
        running->store(false);
    });
    return true;
}

void TransferLane::join() {
    if (worker_.joinable()) {
        worker_.join();
    }
}
