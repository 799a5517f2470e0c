// The report channel: one open connection to the keyboard's vendor interface, which may be
// absent when the interface could not be opened (every transfer then fails).
#pragma once

#include "channel/HidConnection.h"
#include "channel/Report.h"

#include <memory>

namespace z9rt {

// The wait limit every caller passes to ReadReport. It counts units of 10 microseconds, so
// 100000 is one second, and no read waits longer than that: a keyboard that stops answering
// ends every conversation within a second of silence.
constexpr int kReadWaitLimit = 100000;
constexpr int kWaitLimitUnitsPerMs = 100;
constexpr int kLongestReadWaitMs = 1000;

// The milliseconds a read waits for a given wait limit.
int ReadTimeoutMs(int waitLimit);

}  // namespace z9rt

class CKeyboardUtil {
public:
    explicit CKeyboardUtil(std::unique_ptr<z9rt::HidConnection> connection);
    virtual ~CKeyboardUtil();
    CKeyboardUtil(const CKeyboardUtil&) = delete;
    CKeyboardUtil& operator=(const CKeyboardUtil&) = delete;

    // Writes one output report of `length` bytes (65: report identifier 0 and the payload).
    virtual bool WriteReport(const unsigned char* buffer, int length);
    // Reads the next input report's payload into `buffer`; `length` (64) says how many bytes
    // the caller wants and is left at the number copied. False when nothing arrived within the
    // wait limit or the read failed.
    virtual bool ReadReport(unsigned char* buffer, int& length, int waitLimit);

    // The conversations speak in payloads: these add and strip the report identifier.
    [[nodiscard]] bool SendPayload(const z9rt::Payload& payload);
    [[nodiscard]] bool ReceivePayload(z9rt::Payload& payload);

private:
    std::unique_ptr<z9rt::HidConnection> connection_;  // null: the interface did not open
};
