#include "TestSupport.h"

#include "ProcessEnvironment.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace testsupport {
namespace {

// Run directly or through ctest, the tests talk to the simulated keyboard only and never open
// the machine's keyboards for the hook.
const bool kTestEnvironment = [] {
    SetProcessEnvironment("Z9RT_HID", "sim");
    SetProcessEnvironment("Z9RT_HOOK_INPUT", "none");
    return true;
}();

std::mutex postsMutex;
std::vector<Post> recordedPosts;

bool RecordPost(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                std::intptr_t lParam) {
    const std::lock_guard<std::mutex> lock(postsMutex);
    recordedPosts.push_back({window, message, wParam, lParam});
    return true;
}

// A new empty file of the test's own in the temporary folder.
std::string NewTemporaryPath() {
    std::random_device random;
    while (true) {
        const std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("z9rt-test-" + std::to_string(random()));
        if (!std::filesystem::exists(path) && std::ofstream(path)) {
            return path.generic_string();
        }
    }
}

}  // namespace

z9rt::Payload Hex(std::string_view text) {
    z9rt::Payload payload{};
    std::istringstream words{std::string(text)};
    std::string word;
    std::size_t at = 0;
    while (words >> word && at < payload.size()) {
        payload[at++] = static_cast<std::uint8_t>(std::stoul(word, nullptr, 16));
    }
    return payload;
}

std::string HexOf(const z9rt::Payload& payload) {
    std::size_t used = payload.size();
    while (used > 0 && payload[used - 1] == 0) {
        --used;
    }
    std::string text;
    char byte[4];
    for (std::size_t index = 0; index < used; ++index) {
        std::snprintf(byte, sizeof byte, index == 0 ? "%02x" : " %02x", payload[index]);
        text += byte;
    }
    return text;
}

std::string Repeated(std::uint8_t value, std::size_t count) {
    z9rt::Payload payload{};
    std::fill(payload.begin(), payload.begin() + static_cast<std::ptrdiff_t>(count), value);
    return HexOf(payload);
}

PostRecorder::PostRecorder() {
    Clear();
    SetMessagePoster(&RecordPost);
}

PostRecorder::~PostRecorder() {
    SetMessagePoster(nullptr);
}

std::vector<Post> PostRecorder::Posts() const {
    const std::lock_guard<std::mutex> lock(postsMutex);
    return recordedPosts;
}

std::vector<std::uintptr_t> PostRecorder::WParams(std::uint32_t message) const {
    std::vector<std::uintptr_t> values;
    for (const Post& post : Posts()) {
        if (post.message == message) {
            values.push_back(post.wParam);
        }
    }
    return values;
}

void PostRecorder::Clear() {
    const std::lock_guard<std::mutex> lock(postsMutex);
    recordedPosts.clear();
}

WindowHandle TestWindow() {
    static int window;
    return &window;
}

TraceCapture::TraceCapture() : path_(NewTemporaryPath()) {
    SetProcessEnvironment("Z9RT_HID_TRACE", path_);
}

TraceCapture::~TraceCapture() {
    RemoveProcessEnvironment("Z9RT_HID_TRACE");
    std::remove(path_.c_str());
}

std::vector<std::string> TraceCapture::Lines() const {
    std::vector<std::string> lines;
    std::ifstream in(path_);
    std::string line;
    while (std::getline(in, line)) {
        lines.push_back(line);
    }
    return lines;
}

std::vector<std::string> TraceCapture::Direction(char direction) const {
    std::vector<std::string> payloads;
    for (const std::string& line : Lines()) {
        if (!line.empty() && line[0] == direction) {
            payloads.push_back(HexOf(Hex(line.substr(2))));
        }
    }
    return payloads;
}

std::vector<std::string> TraceCapture::Sent() const {
    return Direction('>');
}

std::vector<std::string> TraceCapture::Received() const {
    return Direction('<');
}

bool ScriptedConnection::Write(const z9rt::OutputReport& report) {
    if (script_.writesBeforeFailure == 0) {
        return false;
    }
    if (script_.writesBeforeFailure > 0) {
        --script_.writesBeforeFailure;
    }
    z9rt::Payload payload;
    std::copy(report.begin() + 1, report.end(), payload.begin());
    script_.written.push_back(payload);
    return true;
}

z9rt::ReadOutcome ScriptedConnection::Read(z9rt::Payload& payload, int /*timeoutMs*/) {
    if (script_.answers.empty()) {
        return script_.readFailsWhenEmpty ? z9rt::ReadOutcome::Failed : z9rt::ReadOutcome::Timeout;
    }
    payload = script_.answers.front();
    script_.answers.pop_front();
    return z9rt::ReadOutcome::Report;
}

TemporaryFile::TemporaryFile() : path_(NewTemporaryPath()) {}

TemporaryFile::~TemporaryFile() {
    std::remove(path_.c_str());
}

std::string TemporaryFile::Read() const {
    std::ifstream in(path_);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void TemporaryFile::Write(const std::string& text) const {
    std::ofstream(path_, std::ios::trunc) << text;
}

}  // namespace testsupport
