#include "GadgetKeyboard.h"

#include "BootKeyboard.h"
#include "HidDescriptors.h"
#include "channel/sim/KeyboardProtocol.h"
#include "channel/sim/SimulatedDevice.h"

#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sstream>
#include <thread>
#include <unistd.h>

namespace rig {
namespace {

namespace sim = z9rt::sim;
namespace protocol = z9rt::sim::protocol;

// How long the keyboard waits for the host to take a report before it gives the rest up (a
// host that stopped reading).
constexpr int kAnswerWaitMs = 2000;
constexpr int kTypingWaitMs = 2000;
constexpr const char* kLateFault = "late=";

sim::SimulatedDevice& Engine() {
    return sim::SimulatedDevice::Instance();
}

void Say(const std::string& text) {
    std::fprintf(stderr, "gadget keyboard: %s\n", text.c_str());
}

std::vector<std::string> Words(const std::string& text) {
    std::istringstream stream(text);
    std::vector<std::string> words;
    std::string word;
    while (stream >> word) {
        words.push_back(word);
    }
    return words;
}

std::string Joined(const std::vector<int>& values) {
    std::string text;
    for (const int value : values) {
        text += (text.empty() ? "" : ",") + std::to_string(value);
    }
    return text.empty() ? "-" : text;
}

void CloseFd(int& fd) {
    if (fd >= 0) {
        close(fd);
        fd = -1;
    }
}

// The character devices appear shortly after the bind.
int OpenWhenThere(const std::string& path) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        const int fd = open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
        if (fd >= 0) {
            return fd;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return -1;
}

}  // namespace

GadgetKeyboard::GadgetKeyboard(std::unique_ptr<UsbGadget> gadget, ControlServer& control, int model)
    : gadget_(std::move(gadget)), control_(control) {
    Engine().UseStateFile("");
    Engine().Reset(model);
}

GadgetKeyboard::~GadgetKeyboard() {
    Unplug();
}

bool GadgetKeyboard::Plug(std::string& error) {
    if (gadget_->Bound()) {
        return true;
    }
    if (!Engine().IsPresent()) {
        // It left the bus after its reports ran out; plugged in again it is whole.
        std::string ignored;
        Engine().SetFaults("", ignored);
    }
    if (!gadget_->Bind(error)) {
        return false;
    }
    keyboardFd_ = OpenWhenThere(gadget_->KeyboardDevice());
    vendorFd_ = OpenWhenThere(gadget_->VendorDevice());
    if (keyboardFd_ < 0 || vendorFd_ < 0) {
        error = "the gadget's devices did not appear";
        Unplug();
        return false;
    }
    Say("plugged in");
    return true;
}

void GadgetKeyboard::Unplug() {
    CloseFd(keyboardFd_);
    CloseFd(vendorFd_);
    if (gadget_->Bound()) {
        std::string error;
        Say(gadget_->Unbind(error) ? "unplugged" : "cannot unplug: " + error);
    }
}

int GadgetKeyboard::Run(const volatile std::sig_atomic_t& stop) {
    while (!quit_ && stop == 0) {
        std::vector<pollfd> watched = {{control_.Fd(), POLLIN, 0}};
        if (vendorFd_ >= 0) {
            watched.push_back({vendorFd_, POLLIN, 0});
        }
        if (poll(watched.data(), watched.size(), -1) < 0) {
            if (errno == EINTR) {
                continue;
            }
            Say(std::string("poll: ") + std::strerror(errno));
            return 1;
        }
        if (watched.size() > 1 && (watched[1].revents & POLLIN) != 0) {
            TakeReport();
        }
        if ((watched[0].revents & POLLIN) != 0) {
            std::string command;
            const int connection = control_.Accept(command);
            if (connection >= 0) {
                ControlServer::Answer(connection, Execute(command));
            }
        }
    }
    return 0;
}

void GadgetKeyboard::TakeReport() {
    protocol::Bytes report{};
    const ssize_t got = read(vendorFd_, report.data(), report.size());
    if (got <= 0) {
        return;  // nothing after all, or the device is going away with the bus
    }
    if (firstReportMs_ < 0) {
        firstReportMs_ = std::chrono::duration_cast<std::chrono::milliseconds>(
                             std::chrono::system_clock::now().time_since_epoch())
                             .count();
    }
    std::deque<z9rt::Payload> answers;
    const bool present = Engine().Receive(report, answers);
    if (!present || !Engine().IsPresent()) {
        Say("its reports ran out: leaving the bus");
        Unplug();
        return;
    }
    SendAnswers(answers);
}

void GadgetKeyboard::SendAnswers(std::deque<z9rt::Payload>& answers) {
    if (!answers.empty() && lateMs_ > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(lateMs_));
    }
    for (const z9rt::Payload& answer : answers) {
        pollfd writable{vendorFd_, POLLOUT, 0};
        if (poll(&writable, 1, kAnswerWaitMs) != 1 ||
            write(vendorFd_, answer.data(), answer.size()) != static_cast<ssize_t>(answer.size())) {
            Say("the host takes no more reports: " + std::to_string(answers.size()) +
                " answers given up");
            return;
        }
    }
}

std::string GadgetKeyboard::Execute(const std::string& command) {
    const std::vector<std::string> words = Words(command);
    if (words.empty()) {
        return "error: no command";
    }
    const std::string& verb = words.front();
    std::string error;
    if (verb == "type") {
        return Type(std::vector<std::string>(words.begin() + 1, words.end()));
    }
    if (verb == "plug") {
        return Plug(error) ? "ok" : "error: " + error;
    }
    if (verb == "unplug") {
        Unplug();
        return "ok";
    }
    if (verb == "fault") {
        return SetFaults(words.size() > 1 && words[1] != "none" ? words[1] : "");
    }
    if (verb == "counter" && words.size() == 3) {
        const int key = std::atoi(words[1].c_str());
        char* end = nullptr;
        const unsigned long long count = std::strtoull(words[2].c_str(), &end, 10);
        if (key < 1 || key > protocol::kKeys || *end != '\0' || words[2][0] == '-' ||
            count > UINT32_MAX) {
            return "error: counter KEY(1..82) COUNT(0..4294967295)";
        }
        Engine().ChangeMemory([key, count](sim::KeyboardMemory& memory) {
            memory.counters[static_cast<std::size_t>(key - 1)] = static_cast<std::uint32_t>(count);
        });
        return "ok";
    }
    if (verb == "model" && words.size() == 2) {
        // A factory-fresh keyboard of another model, with that model's product.
        const int model = std::atoi(words[1].c_str());
        if (model < sim::kFirstModel || model > sim::kLastModel) {
            return "error: model 1..4";
        }
        Engine().Reset(model);
        return Reidentify(kVendorId, sim::ProductIdOfModel(model));
    }
    if (verb == "identity" && words.size() == 3) {
        return Reidentify(static_cast<std::uint16_t>(std::strtoul(words[1].c_str(), nullptr, 16)),
                          static_cast<std::uint16_t>(std::strtoul(words[2].c_str(), nullptr, 16)));
    }
    if (verb == "first-report") {
        // Asking starts afresh.
        const long long at = firstReportMs_;
        firstReportMs_ = -1;
        return at < 0 ? "ok none" : "ok " + std::to_string(at);
    }
    if (verb == "dump") {
        return "ok\n" + Dump();
    }
    if (verb == "quit") {
        quit_ = true;
        return "ok";
    }
    return "error: unknown command " + verb;
}

std::string GadgetKeyboard::Type(const std::vector<std::string>& chords) {
    if (keyboardFd_ < 0) {
        return "error: the keyboard is unplugged";
    }
    for (const std::string& chord : chords) {
        const auto reports = ChordReports(chord);
        if (!reports) {
            return "error: no such key: " + chord;
        }
        if (!SendBootReports(keyboardFd_, *reports, kTypingWaitMs)) {
            return "error: nobody reads the keyboard";
        }
    }
    return "ok";
}

std::string GadgetKeyboard::Reidentify(std::uint16_t vendorId, std::uint16_t productId) {
    Unplug();
    std::string error;
    if (!gadget_->SetIdentity(vendorId, productId, error) || !Plug(error)) {
        return "error: " + error;
    }
    return "ok";
}

std::string GadgetKeyboard::SetFaults(const std::string& faults) {
    // "late=MS" is the gadget's own; the rest are the simulated keyboard's.
    std::string engineFaults;
    int late = 0;
    std::istringstream list(faults);
    std::string word;
    while (std::getline(list, word, ',')) {
        if (word.rfind(kLateFault, 0) == 0) {
            late = std::atoi(word.c_str() + std::strlen(kLateFault));
        } else {
            engineFaults += (engineFaults.empty() ? "" : ",") + word;
        }
    }
    std::string error;
    if (!Engine().SetFaults(engineFaults, error)) {
        return "error: " + error;
    }
    lateMs_ = late;
    return "ok";
}

std::string GadgetKeyboard::Dump() const {
    const sim::KeyboardMemory memory = Engine().Memory();
    std::ostringstream text;
    text << "model " << memory.model << "\n";
    text << "reports " << Engine().ReportsSeen() << "\n";
    for (const std::string& problem : Engine().RecordProblems()) {
        text << "problem " << problem << "\n";
    }
    for (const std::vector<z9rt::Payload>& records : memory.keyRecords) {
        if (records.empty()) {
            continue;
        }
        const protocol::KeyDefinitionSeen seen = protocol::DecodeDefinition(
            std::vector<protocol::Bytes>(records.begin(), records.end()));
        text << "key " << seen.layerNumber << " " << seen.key << " kind " << seen.kind << " codes "
             << Joined(seen.codes) << " interval " << seen.interval << " cycles " << seen.cycles
             << " delays " << (seen.delays ? Joined(seen.delayList) : "-") << "\n";
    }
    for (int key = 1; key <= protocol::kKeys; ++key) {
        const std::size_t at = static_cast<std::size_t>(key - 1) * 3;
        text << "light " << key << " " << int{memory.light[at]} << " " << int{memory.light[at + 1]}
             << " " << int{memory.light[at + 2]} << "\n";
    }
    for (int key = 1; key <= protocol::kKeys; ++key) {
        text << "counter " << key << " " << memory.counters[static_cast<std::size_t>(key - 1)]
             << "\n";
    }
    text << "firmware-lines " << memory.firmwareLinesAccepted << "\n";
    text << "firmware-refused " << memory.firmwareLinesRefused << "\n";
    return text.str();
}

}  // namespace rig
