// Transfers on a facade that was never opened: every read fails, and a failed read leaves
// the configuration exactly as it was.
#include "RunTransferJob.h"
#include "model/KeyboardConfig.h"

#include <gtest/gtest.h>

using model::CKeyboardConfig;
using model::CKeyboardProfile;
using model::JobPauses;
using model::KindCombo;
using model::TransferJob;
using model::TransferJobKind;

namespace {

TEST(ClosedDevice, ReadsFailAndChangeNothing) {
    CKeyboardConfig config;
    config.BuildCodeTables();
    config.ResetToDefaults();
    config.keyMode[5][1] = KindCombo;
    config.keyList[5][1].Append(L"A");
    config.lightColor[3] = {9, 8, 7};
    const CKeyboardProfile before = config;
    EXPECT_FALSE(RunTransferJob(TransferJobKind::ReadAll, config));
    EXPECT_FALSE(RunTransferJob(TransferJobKind::ReadLights, config));
    for (const TransferJobKind kind : {TransferJobKind::ReadAll, TransferJobKind::ReadLights}) {
        TransferJob read(kind, config);
        EXPECT_FALSE(read.run({}, JobPauses(std::chrono::milliseconds(0), {})));
        EXPECT_FALSE(read.apply(config));
    }
    EXPECT_FALSE(RunTransferJob(TransferJobKind::WriteKeys, config));
    EXPECT_EQ(static_cast<const CKeyboardProfile&>(config), before);
}

}  // namespace
