// The gadget keyboard at work: the keyboard's side of the protocol (the simulated keyboard's,
// with its own decoder) on the vendor interface of a real USB gadget, keys typed on its boot
// keyboard interface, and the commands of a scenario through the control socket.
#pragma once

#include "ControlChannel.h"
#include "UsbGadget.h"

#include <array>
#include <csignal>
#include <cstdint>
#include <deque>
#include <memory>
#include <string>
#include <vector>

namespace rig {

class GadgetKeyboard {
public:
    // Serves `gadget` (not yet bound) as a factory-fresh keyboard of `model` 1..4.
    GadgetKeyboard(std::unique_ptr<UsbGadget> gadget, ControlServer& control, int model);
    ~GadgetKeyboard();
    GadgetKeyboard(const GadgetKeyboard&) = delete;
    GadgetKeyboard& operator=(const GadgetKeyboard&) = delete;

    // Serves until "quit" or until `stop` is set (by a signal); the exit status.
    int Run(const volatile std::sig_atomic_t& stop);

    // Plugs the keyboard in; false, and `error` set, when the UDC refuses.
    bool Plug(std::string& error);
    // Pulls it out: closes its devices and unbinds the gadget.
    void Unplug();

    // One command of a scenario; the answer ("ok ..." or "error: ...", more lines after).
    std::string Execute(const std::string& command);

private:
    void TakeReport();
    void SendAnswers(std::deque<std::array<std::uint8_t, 64>>& answers);
    std::string Type(const std::vector<std::string>& chords);
    std::string SetFaults(const std::string& faults);
    // Unplugs, takes another vendor and product, plugs in again.
    std::string Reidentify(std::uint16_t vendorId, std::uint16_t productId);
    std::string Dump() const;

    std::unique_ptr<UsbGadget> gadget_;
    ControlServer& control_;
    int keyboardFd_ = -1;
    int vendorFd_ = -1;
    int lateMs_ = 0;  // every answer comes this late
    // When the first report since a scenario last asked arrived (ms since the epoch; -1: none
    // yet), which is when a program that then waits in vain started waiting.
    long long firstReportMs_ = -1;
    bool quit_ = false;
};

}  // namespace rig
