// The simulated keyboard as a device: the keyboard side of the report protocol, with its memory,
// the faults it can show and the state file it keeps. One per process; every connection to it
// gets its own queue of answers, as every open hidraw file does.
#pragma once

#include "channel/Report.h"
#include "channel/sim/KeyboardProtocol.h"
#include "channel/sim/SimulatedFaults.h"
#include "channel/sim/SimulatedMemory.h"
#include "channel/sim/SimulatedStateFile.h"

#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

namespace z9rt::sim {

class SimulatedDevice {
public:
    // The process's keyboard, configured from Z9RT_SIM_MODEL, Z9RT_SIM_STATE and
    // Z9RT_SIM_FAULT when first used.
    static SimulatedDevice& Instance();

    // Whether it is plugged in (it stays away once unplug-after has run out).
    bool IsPresent();
    int Model();

    // A connection opens: false when busy. Takes up what other processes wrote to the state
    // file since (the file is parsed again only when it changed).
    bool Open();
    // A connection closes: keeps what changed in the state file.
    void Close();

    // Takes one report from the program and appends the answers to `answers`; false when the
    // keyboard is gone.
    bool Receive(const Payload& payload, std::deque<Payload>& answers);

    // What tests and tools do.
    void Reset(int model);
    bool SetFaults(const std::string& faults, std::string& error);
    void UseStateFile(const std::string& path);  // empty: memory only
    KeyboardMemory Memory();
    long ReportsSeen();
    // What the keyboard could not make sense of in the key records it took since the reset
    // (the first 32 such).
    std::vector<std::string> RecordProblems();
    void ChangeMemory(const std::function<void(KeyboardMemory&)>& change);

private:
    SimulatedDevice();

    bool PresentLocked() const;
    void LoadLocked();
    bool SaveLocked();  // false when the state file could not be written

    void TakeKeyRecord(const Payload& payload);
    void FinishKeyLocked();
    void NoteRecordProblemLocked(const std::string& problem);
    void TakeLightChunk(const Payload& payload);
    void TakeFirmwareLine(const Payload& payload);
    void StreamKeys(std::deque<Payload>& answers) const;
    void StreamArea(protocol::Request command, const std::uint8_t* area, std::size_t size,
                    std::deque<Payload>& answers) const;
    void AddNoise(std::deque<Payload>& answers) const;

    std::mutex mutex_;
    KeyboardMemory memory_;
    // The memory as the state file held it when last read or written here: what changed since
    // is this process's to keep when another process wrote the file meanwhile.
    KeyboardMemory base_;
    Faults faults_;
    std::optional<int> chosenModel_;  // from Z9RT_SIM_MODEL or a reset; else the file decides
    std::string statePath_;
    std::optional<FileIdentity> stateIdentity_;  // the file as last read or written here
    bool saveRefused_ = false;  // the state file had errors or was refused: not written over
    bool dirty_ = false;        // changed since the last save
    long reportsSeen_ = 0;      // reports taken since the last reset
    long reportsSinceFaults_ = 0;

    // A key write in progress: the slot whose records are still coming.
    int pendingSlot_ = -1;
    int pendingRecords_ = 0;
    std::vector<std::string> recordProblems_;
    std::size_t lightPosition_ = 0;
    mutable int noiseTurn_ = 0;
};

}  // namespace z9rt::sim
