#include "model/TransferJob.h"

#include "model/KeyboardConfig.h"
#include "model/LibraryPosts.h"

#include <algorithm>
#include <cstddef>
#include <thread>

namespace model {

namespace {

constexpr int kPercentForKeySlots = 100;
constexpr int kPercentForOneStep = 200;

void Pause(const JobPauses& pauses, std::chrono::milliseconds duration) {
    if (pauses.take) {
        pauses.take(duration);
    } else {
        std::this_thread::sleep_for(duration);
    }
}

void ReportOneStep(const TransferProgress& progress) {
    if (progress) {
        progress(kOneStepProgress);
    }
}

}  // namespace

bool IsTransferJob(TransferJobKind kind) {
    switch (kind) {
        case TransferJobKind::WriteKeys:
        case TransferJobKind::ReadAll:
        case TransferJobKind::WriteLights:
        case TransferJobKind::ReadCounters:
        case TransferJobKind::ReadLights:
            return true;
    }
    return false;
}

TransferJob::TransferJob(TransferJobKind kind, CKeyboardConfig& config)
    : kind_(kind), device_(config.device), tables_(config) {
    if (kind == TransferJobKind::WriteKeys) {
        // A key that is not set has no array: it travels as an empty slot.
        keysOut_ = EncodeKeySlots(config, config);
    } else if (kind == TransferJobKind::WriteLights) {
        lightsOut_ = LightAreaOf(config);
    }
}

bool TransferJob::fail(TransferStep step) {
    failed_ = step;
    succeeded_ = false;
    return false;
}

bool TransferJob::writeKeys(const TransferProgress& progress) {
    // prepare and setKeyConfiguration only fill the library's own table; the transfer's
    // result is the one that tells whether the keyboard got the keys.
    static_cast<void>(device_.prepare());
    for (const EncodedKeySlot& slot : keysOut_) {
        static_cast<void>(device_.setKeyConfiguration(slot.layer, slot.key, slot.array.data(),
                                                      static_cast<int>(slot.array.size())));
    }
    const library_posts::ProgressListener listener(progress);
    return device_.writeKeyConfigurationToDev(listener.handle());
}

std::optional<std::vector<KeyReadBack>> TransferJob::readKeys(const TransferProgress& progress) {
    const library_posts::ProgressListener listener(progress);
    if (!device_.readKeyDefinationFromDev(listener.handle())) {
        return std::nullopt;
    }
    std::vector<KeyReadBack> slots(kKeySlotCount);
    std::vector<int> array(kKeyConfigurationCapacity);
    for (int layer = 0; layer < kLayerCount; ++layer) {
        for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
            // Fresh zeros for every key, so nothing of the previous key's definition can be
            // taken for this one's.
            std::fill(array.begin(), array.end(), 0);
            // getKeyConfiguration reports true for every slot of an open facade; a closed one
            // leaves the zeros, which read as a key that is not set.
            static_cast<void>(
                device_.getKeyConfiguration(layer, key, array.data(), kKeyConfigurationCapacity));
            slots[KeySlotIndex(layer, key)] =
                DecodeKeyDefinition(array.data(), array.size(), tables_);
        }
    }
    return slots;
}

std::optional<std::array<int, kLightAreaSize>> TransferJob::readLights() {
    if (!device_.readKeyLightFromDev()) {
        return std::nullopt;
    }
    std::array<int, kLightAreaSize> colors{};
    // Copies the library's area; it does not talk to the keyboard and cannot fail.
    static_cast<void>(device_.getKeyboardLightArea(colors.data()));
    return colors;
}

bool TransferJob::run(const TransferProgress& progress, const JobPauses& pauses) {
    failed_.reset();
    switch (kind_) {
        case TransferJobKind::WriteKeys:
            if (!writeKeys(progress)) {
                return fail(TransferStep::Keys);
            }
            // The keyboard needs the pause to store what it took; after a failure the user
            // learns of it at once.
            Pause(pauses, pauses.afterWrite);
            break;
        case TransferJobKind::ReadAll:
            keysIn_ = readKeys(progress);
            if (!keysIn_) {
                return fail(TransferStep::Keys);  // no pause, no colour read
            }
            Pause(pauses, pauses.betweenReads);
            lightsIn_ = readLights();
            if (!lightsIn_) {
                return fail(TransferStep::Lights);
            }
            break;
        case TransferJobKind::WriteLights: {
            const bool written = device_.setKeyboardLightArea(lightsOut_.data());
            ReportOneStep(progress);
            if (!written) {
                return fail(TransferStep::Lights);
            }
            Pause(pauses, pauses.afterWrite);
            break;
        }
        case TransferJobKind::ReadCounters: {
            std::array<int, kCounterCount> bits{};
            const bool read = device_.getPressCounterFromDev(bits.data());
            ReportOneStep(progress);
            // The keyboard gets its pause after a counter read whatever the read gave.
            Pause(pauses, pauses.afterWrite);
            if (!read) {
                return fail(TransferStep::Counters);  // the library's earlier counters are
                                                      // not this read's
            }
            KeyboardCounts counts{};
            std::transform(bits.begin(), bits.end(), counts.begin(),
                           [](int value) { return static_cast<std::uint32_t>(value); });
            countersIn_ = counts;
            break;
        }
        case TransferJobKind::ReadLights: {
            lightsIn_ = readLights();
            ReportOneStep(progress);
            if (!lightsIn_) {
                return fail(TransferStep::Lights);
            }
            Pause(pauses, pauses.afterWrite);
            break;
        }
    }
    if (!IsTransferJob(kind_)) {
        return false;
    }
    succeeded_ = true;
    return true;
}

bool TransferJob::apply(CKeyboardConfig& config) const {
    // Half a read is not applied: a job that reports failure changes nothing.
    if (!succeeded_) {
        return false;
    }
    if (keysIn_) {
        config.ApplyKeyAssignments(*keysIn_);
    }
    if (lightsIn_) {
        config.ApplyLightColors(*lightsIn_);
    }
    if (countersIn_) {
        config.ApplyPressCounters(*countersIn_);
    }
    return true;
}

bool TransferJob::verify(const TransferProgress& progress, const JobPauses& pauses) {
    keyDifferences_.clear();
    lightDifferences_.clear();
    if (!succeeded_) {
        return false;
    }
    if (kind_ == TransferJobKind::WriteKeys) {
        // The library's table still holds what was sent: emptied first, a slot the keyboard
        // leaves out of its answer reads as not set instead of as what was sent.
        static_cast<void>(device_.prepare());
        const std::optional<std::vector<KeyReadBack>> received = readKeys(progress);
        if (!received) {
            failed_ = TransferStep::Keys;
            return false;
        }
        keyDifferences_ = DifferingKeySlots(StoredKeyForms(keysOut_, tables_), *received);
        return true;
    }
    if (kind_ == TransferJobKind::WriteLights) {
        const std::optional<std::array<int, kLightAreaSize>> received = readLights();
        ReportOneStep(progress);
        if (!received) {
            failed_ = TransferStep::Lights;
            return false;
        }
        Pause(pauses, pauses.afterWrite);  // as after the colour read of its own
        lightDifferences_ = DifferingLights(lightsOut_, *received);
        return true;
    }
    return false;  // only writes are read back
}

int TransferJob::percentPerOneStep() const {
    return kind_ == TransferJobKind::WriteKeys || kind_ == TransferJobKind::ReadAll
               ? kPercentForKeySlots
               : kPercentForOneStep;
}

}  // namespace model
