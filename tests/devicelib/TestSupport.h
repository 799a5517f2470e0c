// What the device library's tests share: payloads written as hex, a recording message poster,
// a capture of the report trace, and a scripted connection for conversations the simulated
// keyboard never holds.
#pragma once

#include "OrvoHWI.h"
#include "channel/HidConnection.h"
#include "channel/Report.h"

#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

namespace testsupport {

// "00 f0 01" becomes a payload starting with those bytes, zero after them.
z9rt::Payload Hex(std::string_view text);
// A payload as lower-case hex with single blanks, its trailing zero bytes left out.
std::string HexOf(const z9rt::Payload& payload);
// A payload of one repeated byte, as hex.
std::string Repeated(std::uint8_t value, std::size_t count);

struct Post {
    WindowHandle window;
    std::uint32_t message;
    std::uintptr_t wParam;
    std::intptr_t lParam;
};

// Registers a poster that records every message it is given.
class PostRecorder {
public:
    PostRecorder();
    ~PostRecorder();
    std::vector<Post> Posts() const;
    std::vector<std::uintptr_t> WParams(std::uint32_t message) const;
    void Clear();
};

// A window handle for tests; the library never dereferences it.
WindowHandle TestWindow();

// Turns the report trace on for connections opened while it lives.
class TraceCapture {
public:
    TraceCapture();
    ~TraceCapture();
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    std::vector<std::string> Lines() const;  // the file as written
    std::vector<std::string> Sent() const;   // payloads of ">" lines, as HexOf gives them
    std::vector<std::string> Received() const;
    const std::string& Path() const { return path_; }

private:
    std::vector<std::string> Direction(char direction) const;
    std::string path_;
};

// A connection whose answers a test lays out: each write is recorded and may fail; reads
// return the queued answers, then time out.
class ScriptedConnection final : public z9rt::HidConnection {
public:
    struct Script {
        std::vector<z9rt::Payload> written;
        std::deque<z9rt::Payload> answers;
        int writesBeforeFailure = -1;  // -1: never fails
        bool readFailsWhenEmpty = false;
    };
    explicit ScriptedConnection(Script& script) : script_(script) {}
    bool Write(const z9rt::OutputReport& report) override;
    z9rt::ReadOutcome Read(z9rt::Payload& payload, int timeoutMs) override;

private:
    Script& script_;
};

// A temporary file name, removed when the object goes.
class TemporaryFile {
public:
    TemporaryFile();
    ~TemporaryFile();
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;
    const std::string& Path() const { return path_; }
    std::string Read() const;
    void Write(const std::string& text) const;

private:
    std::string path_;
};

}  // namespace testsupport
