// Runs a transfer job from start to end without its pauses, as the tests of the model need it.
#pragma once

#include "model/KeyboardConfig.h"
#include "model/TransferJob.h"

#include <chrono>

inline bool RunTransferJob(model::TransferJobKind kind, model::CKeyboardConfig& config) {
    model::TransferJob job(kind, config);
    const bool ran =
        job.run({}, model::JobPauses(std::chrono::milliseconds(0), std::chrono::milliseconds(0)));
    return job.apply(config) && ran;
}
