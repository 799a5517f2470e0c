#include "channel/sim/SimulatedDevice.h"

#include "channel/sim/KeyboardProtocol.h"
#include "channel/sim/SimulatedStateFile.h"
#include "keydefine/KeyRecord.h"

#include <cstdio>
#include <cstdlib>
#include <numeric>

namespace z9rt::sim {
namespace {

// An Intel HEX record: byte count, address (2), type, data, checksum; all its bytes add up to
// 0 modulo 256.
constexpr std::size_t kHexLineData = 2;  // payload byte where the decoded line starts
constexpr std::size_t kHexOverhead = 5;
constexpr std::size_t kHexLineRoom = kPayloadSize - kHexLineData;

// Reports that belong to no conversation. Each looks like the end of some stream to a careless
// reader: 0xE6 in byte 0 (not a light or counter end), 0xF6 in byte 1 (not the key end).
const Payload& NoiseReport(int turn) {
    static const std::array<Payload, 3> kNoise = [] {
        std::array<Payload, 3> noise{};
        noise[0][0] = ByteOf(Command::StreamEnd);
        noise[1][1] = ByteOf(Command::KeyEnd);
        noise[2].fill(0x5A);
        return noise;
    }();
    return kNoise[static_cast<std::size_t>(turn) % kNoise.size()];
}

// Key records the protocol does not define: a layer and a key out of range, a kind above 4.
std::array<Payload, 3> MalformedKeyRecords() {
    constexpr int kNoLayer = 4;
    constexpr int kNoKey = 83;
    constexpr int kNoKind = 5;
    Payload badLayer = MakeRecordHeader(kNoLayer, 1, 0);
    Payload badKey = MakeRecordHeader(1, kNoKey, 0);
    Payload badKind = MakeRecordHeader(1, 1, kNoKind);
    for (Payload* payload : {&badLayer, &badKey, &badKind}) {
        (*payload)[record::kNormalCount] = 0xFF;
        std::fill(payload->begin() + record::kNormalCodes, payload->end(), 0x77);
    }
    return {badLayer, badKey, badKind};
}

int ModelFromEnvironment(std::optional<int>& chosen) {
    const char* const text = std::getenv("Z9RT_SIM_MODEL");
    if (text != nullptr && *text != '\0') {
        const int model = std::atoi(text);
        if (model >= kFirstModel && model <= kLastModel) {
            chosen = model;
        } else {
            std::fprintf(stderr, "Z9RT_SIM_MODEL=%s: not a model 1..4, using 1\n", text);
            chosen = kFirstModel;
        }
    }
    return chosen.value_or(kFirstModel);
}

}  // namespace

SimulatedDevice& SimulatedDevice::Instance() {
    // Never destroyed: a facade that lives in a static object closes its connection during the
    // program's static destruction, which may come after this function's statics are gone.
    static SimulatedDevice* const keyboard = new SimulatedDevice;
    return *keyboard;
}

SimulatedDevice::SimulatedDevice() {
    memory_ = FactoryMemory(ModelFromEnvironment(chosenModel_));
    base_ = memory_;
    if (const char* const path = std::getenv("Z9RT_SIM_STATE")) {
        statePath_ = path;
        LoadLocked();
    }
    if (const char* const faults = std::getenv("Z9RT_SIM_FAULT")) {
        std::string error;
        if (std::optional<Faults> parsed = ParseFaults(faults, error)) {
            faults_ = *parsed;
        } else {
            std::fprintf(stderr, "Z9RT_SIM_FAULT: %s; no fault is simulated\n", error.c_str());
        }
    }
}

bool SimulatedDevice::PresentLocked() const {
    return !faults_.unplugAfter || reportsSinceFaults_ < *faults_.unplugAfter;
}

bool SimulatedDevice::IsPresent() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return PresentLocked();
}

int SimulatedDevice::Model() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return memory_.model;
}

void SimulatedDevice::LoadLocked() {
    if (statePath_.empty()) {
        return;
    }
    // Read again only when another process changed the file since this one last read or
    // wrote it, so that a file is parsed, and its faults reported, once.
    const std::optional<FileIdentity> identity = IdentityOf(statePath_);
    if (identity && stateIdentity_ && *identity == *stateIdentity_) {
        return;
    }
    stateIdentity_ = identity;
    StateFileRead file = ReadStateFile(statePath_);
    switch (file.outcome) {
        case StateFileRead::Outcome::Missing:
            // A missing file is a factory-fresh keyboard; it is written out at once, so there
            // is a file to edit.
            memory_ = FactoryMemory(chosenModel_.value_or(memory_.model));
            base_ = memory_;
            saveRefused_ = false;
            SaveLocked();
            return;
        case StateFileRead::Outcome::Refused:
            // Neither read nor written over: the keyboard keeps its memory for this run only.
            saveRefused_ = true;
            std::fprintf(stderr, "%s: %s; the simulated keyboard keeps its memory in memory only\n",
                         statePath_.c_str(), file.reason.c_str());
            return;
        case StateFileRead::Outcome::Read:
            break;
    }
    ParsedState parsed = ParseState(file.text, chosenModel_);
    memory_ = std::move(parsed.memory);
    base_ = memory_;
    saveRefused_ = parsed.badLineCount > 0;
    for (const std::string& error : parsed.errors) {
        std::fprintf(stderr, "%s: %s (line ignored)\n", statePath_.c_str(), error.c_str());
    }
    if (parsed.badLineCount > parsed.errors.size()) {
        std::fprintf(stderr, "%s: and %zu more bad lines (ignored)\n", statePath_.c_str(),
                     parsed.badLineCount - parsed.errors.size());
    }
    if (saveRefused_) {
        std::fprintf(stderr, "%s: not written over until it is corrected\n", statePath_.c_str());
    }
}

bool SimulatedDevice::SaveLocked() {
    dirty_ = false;
    if (statePath_.empty() || saveRefused_) {
        return true;
    }
    std::string reason;
    const StateFileLock lock(statePath_, reason);
    if (!lock.Held()) {
        std::fprintf(stderr, "%s: cannot lock the simulated keyboard's state (%s)\n",
                     statePath_.c_str(), reason.c_str());
        return false;
    }
    const std::optional<FileIdentity> identity = IdentityOf(statePath_);
    if (!identity || !stateIdentity_ || !(*identity == *stateIdentity_)) {
        // Another process wrote the file since this one read or wrote it: what it changed
        // stays, with this process's changes on top.
        const StateFileRead file = ReadStateFile(statePath_);
        ParsedState parsed = ParseState(file.text, chosenModel_);
        if (file.outcome != StateFileRead::Outcome::Read || parsed.badLineCount > 0) {
            saveRefused_ = true;
            std::fprintf(stderr,
                         "%s: changed by another process and no longer readable; not "
                         "written over\n",
                         statePath_.c_str());
            return true;
        }
        memory_ = MergeState(base_, memory_, parsed.memory);
    }
    if (!WriteTextFile(statePath_, FormatState(memory_))) {
        std::fprintf(stderr, "%s: cannot write the simulated keyboard's state\n",
                     statePath_.c_str());
        return false;
    }
    stateIdentity_ = IdentityOf(statePath_);
    base_ = memory_;
    return true;
}

bool SimulatedDevice::Open() {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (faults_.busy || !PresentLocked()) {
        return false;
    }
    if (!dirty_) {
        LoadLocked();
    }
    return true;
}

void SimulatedDevice::Close() {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (dirty_) {
        SaveLocked();
    }
}

bool SimulatedDevice::Receive(const Payload& payload, std::deque<Payload>& answers) {
    const std::lock_guard<std::mutex> lock(mutex_);
    if (!PresentLocked()) {
        return false;
    }
    ++reportsSeen_;
    ++reportsSinceFaults_;
    if (faults_.silent || (faults_.silentAfter && reportsSinceFaults_ > *faults_.silentAfter)) {
        return true;
    }
    if (faults_.dropReport && reportsSinceFaults_ == *faults_.dropReport) {
        return true;  // lost on the way: as if it had never been sent
    }
    const std::optional<protocol::Request> request = protocol::RequestOf(payload);
    if (!request) {
        return true;  // the keyboard ignores what it does not know
    }
    switch (*request) {
        case protocol::Request::Version:
            answers.push_back(protocol::VersionAnswer(VersionText(memory_.model)));
            break;
        case protocol::Request::KeyWriteStart:
            FinishKeyLocked();
            break;
        case protocol::Request::KeyRecord:
            TakeKeyRecord(payload);
            break;
        case protocol::Request::KeyWriteEnd:
            FinishKeyLocked();
            // A keyboard that cannot keep what it was sent fails the report that ends it, so
            // the program does not report a write that was lost.
            return SaveLocked();
        case protocol::Request::KeyRead:
            StreamKeys(answers);
            break;
        case protocol::Request::LightWriteStart:
            lightPosition_ = 0;
            break;
        case protocol::Request::LightChunk:
            TakeLightChunk(payload);
            break;
        case protocol::Request::StreamEnd:
            return SaveLocked();
        case protocol::Request::LightRead:
            StreamArea(protocol::Request::LightChunk, memory_.light.data(), memory_.light.size(),
                       answers);
            break;
        case protocol::Request::CounterRead: {
            CounterArea area{};
            for (std::size_t key = 0; key < memory_.counters.size(); ++key) {
                for (std::size_t byte = 0; byte < kCounterWidth; ++byte) {
                    area[key * kCounterWidth + byte] =
                        static_cast<std::uint8_t>(memory_.counters[key] >> (8 * byte));
                }
            }
            StreamArea(protocol::Request::CounterRead, area.data(), area.size(), answers);
            break;
        }
        case protocol::Request::FirmwareLine:
            TakeFirmwareLine(payload);
            break;
    }
    return true;
}

void SimulatedDevice::TakeKeyRecord(const Payload& payload) {
    const std::optional<int> named = protocol::SlotOfRecord(payload);
    if (!named) {
        FinishKeyLocked();
        NoteRecordProblemLocked("a record for a layer or key the keyboard does not have");
        return;
    }
    const int slot = *named;
    std::vector<Payload>& records = memory_.keyRecords[static_cast<std::size_t>(slot)];
    if (slot == pendingSlot_ && pendingRecords_ > 0) {
        records.push_back(payload);  // the next record of a long macro
        --pendingRecords_;
    } else {
        FinishKeyLocked();
        records = {payload};
        pendingSlot_ = slot;
        pendingRecords_ = protocol::RecordsOfDefinition(payload) - 1;
    }
    if (pendingRecords_ == 0) {
        FinishKeyLocked();
    }
    dirty_ = true;
}

void SimulatedDevice::FinishKeyLocked() {
    if (pendingSlot_ < 0) {
        return;
    }
    // A key is judged once all its records are in (or no more of them came).
    const std::vector<Payload>& records =
        memory_.keyRecords[static_cast<std::size_t>(pendingSlot_)];
    const protocol::KeyDefinitionSeen seen = protocol::DecodeDefinition(records);
    if (!seen.problem.empty()) {
        NoteRecordProblemLocked("layer " + std::to_string(LayerNumberOfSlot(pendingSlot_)) +
                                " key " + std::to_string(KeyOfSlot(pendingSlot_)) + ": " +
                                seen.problem);
    }
    pendingSlot_ = -1;
    pendingRecords_ = 0;
}

void SimulatedDevice::NoteRecordProblemLocked(const std::string& problem) {
    constexpr std::size_t kProblemsKept = 32;
    if (recordProblems_.size() < kProblemsKept) {
        recordProblems_.push_back(problem);
    }
}

void SimulatedDevice::TakeLightChunk(const Payload& payload) {
    lightPosition_ +=
        protocol::TakeChunk(payload, memory_.light.data(), memory_.light.size(), lightPosition_);
    dirty_ = true;
}

void SimulatedDevice::TakeFirmwareLine(const Payload& payload) {
    const std::size_t length = payload[kHexLineData] + kHexOverhead;
    const auto first = payload.begin() + kHexLineData;
    const bool fits = length <= kHexLineRoom;
    const bool checksumRight =
        fits && std::accumulate(first, first + static_cast<std::ptrdiff_t>(length), 0u) % 256 == 0;
    if (checksumRight) {
        memory_.firmwareLines.emplace_back(first, first + static_cast<std::ptrdiff_t>(length));
        ++memory_.firmwareLinesAccepted;
    } else {
        ++memory_.firmwareLinesRefused;
    }
    dirty_ = true;
}

void SimulatedDevice::AddNoise(std::deque<Payload>& answers) const {
    if (faults_.noise) {
        answers.push_back(NoiseReport(noiseTurn_++));
    }
}

void SimulatedDevice::StreamKeys(std::deque<Payload>& answers) const {
    if (faults_.malformed) {
        for (const Payload& payload : MalformedKeyRecords()) {
            answers.push_back(payload);
        }
    }
    for (const std::vector<Payload>& records : memory_.keyRecords) {
        // A macro's records follow one another without anything in between.
        answers.insert(answers.end(), records.begin(), records.end());
        AddNoise(answers);
    }
    answers.push_back(protocol::KeyStreamEnd());
}

void SimulatedDevice::StreamArea(protocol::Request command, const std::uint8_t* area,
                                 std::size_t size, std::deque<Payload>& answers) const {
    constexpr std::size_t kChunkCountByte = 2;
    std::vector<Payload> chunks = protocol::AreaChunks(command, area, size);
    if (faults_.malformed) {
        // The first chunk claims far more than a report holds, and a last one runs past the
        // end of the area.
        chunks.front()[kChunkCountByte] = 0xFF;
        std::array<std::uint8_t, protocol::kChunkRoom> beyond{};
        beyond.fill(0xEE);
        chunks.push_back(protocol::AreaChunks(command, beyond.data(), beyond.size()).front());
    }
    for (std::size_t index = 0; index < chunks.size(); ++index) {
        answers.push_back(chunks[index]);
        const bool outOfShape = faults_.malformed && (index == 0 || index + 1 == chunks.size());
        if (!outOfShape) {
            AddNoise(answers);
        }
    }
    answers.push_back(protocol::AreaStreamEnd());
}

void SimulatedDevice::Reset(int model) {
    const std::lock_guard<std::mutex> lock(mutex_);
    chosenModel_ = std::clamp(model, kFirstModel, kLastModel);
    memory_ = FactoryMemory(*chosenModel_);
    faults_ = Faults{};
    reportsSeen_ = 0;
    reportsSinceFaults_ = 0;
    pendingSlot_ = -1;
    pendingRecords_ = 0;
    recordProblems_.clear();
    lightPosition_ = 0;
    saveRefused_ = false;
    SaveLocked();
}

bool SimulatedDevice::SetFaults(const std::string& faults, std::string& error) {
    std::optional<Faults> parsed = ParseFaults(faults, error);
    if (!parsed) {
        return false;
    }
    const std::lock_guard<std::mutex> lock(mutex_);
    faults_ = *parsed;
    reportsSinceFaults_ = 0;
    return true;
}

void SimulatedDevice::UseStateFile(const std::string& path) {
    const std::lock_guard<std::mutex> lock(mutex_);
    statePath_ = path;
    stateIdentity_.reset();
    LoadLocked();
}

KeyboardMemory SimulatedDevice::Memory() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return memory_;
}

long SimulatedDevice::ReportsSeen() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return reportsSeen_;
}

std::vector<std::string> SimulatedDevice::RecordProblems() {
    const std::lock_guard<std::mutex> lock(mutex_);
    return recordProblems_;
}

void SimulatedDevice::ChangeMemory(const std::function<void(KeyboardMemory&)>& change) {
    const std::lock_guard<std::mutex> lock(mutex_);
    change(memory_);
    SaveLocked();
}

}  // namespace z9rt::sim
