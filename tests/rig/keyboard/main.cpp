// z9rt-rig-keyboard: the kernel rig's keyboard of the family, made as a USB gadget inside the
// test machine, and the small programs its scenarios need beside it.
//
//   serve --model N --udc UDC --name NAME --control SOCKET [--unplugged]
//         [--vendor HEX] [--product HEX]   another vendor or product than the model's
//   ctl SOCKET COMMAND...      type CHORD..., plug, unplug, fault LIST, counter KEY N,
//                              model N, identity VENDOR PRODUCT, first-report, dump, quit
//   watch-input DEVICE         print every key event another reader of DEVICE gets
//   hold-grab DEVICE           hold DEVICE grabbed
#include "ControlChannel.h"
#include "GadgetKeyboard.h"
#include "HidDescriptors.h"
#include "InputWatch.h"
#include "UsbGadget.h"
#include "channel/sim/SimulatedMemory.h"

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

namespace {

volatile std::sig_atomic_t stopRequested = 0;

void RequestStop(int /*signal*/) {
    stopRequested = 1;
}

void StopOnSignals() {
    struct sigaction action {};
    action.sa_handler = RequestStop;  // no SA_RESTART: a blocking call returns to look
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
}

int Usage() {
    std::fputs(
        "usage: z9rt-rig-keyboard serve --model N --udc UDC --name NAME --control SOCKET "
        "[--unplugged]\n"
        "       z9rt-rig-keyboard ctl SOCKET COMMAND...\n"
        "       z9rt-rig-keyboard watch-input DEVICE\n"
        "       z9rt-rig-keyboard hold-grab DEVICE\n",
        stderr);
    return 2;
}

int Serve(const std::vector<std::string>& arguments) {
    std::map<std::string, std::string> options;
    bool unplugged = false;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        if (arguments[index] == "--unplugged") {
            unplugged = true;
        } else if (index + 1 < arguments.size() && arguments[index].rfind("--", 0) == 0) {
            options[arguments[index].substr(2)] = arguments[index + 1];
            ++index;
        } else {
            return Usage();
        }
    }
    const int model = std::atoi(options["model"].c_str());
    if (model < z9rt::sim::kFirstModel || model > z9rt::sim::kLastModel || options["udc"].empty() ||
        options["name"].empty() || options["control"].empty()) {
        return Usage();
    }
    rig::ControlServer control(options["control"]);
    if (control.Fd() < 0) {
        std::fprintf(stderr, "%s: cannot listen there\n", options["control"].c_str());
        return 1;
    }
    std::string error;
    const auto hexOr = [&options](const char* option, std::uint16_t otherwise) {
        const std::string& text = options[option];
        return text.empty() ? otherwise
                            : static_cast<std::uint16_t>(std::strtoul(text.c_str(), nullptr, 16));
    };
    std::unique_ptr<rig::UsbGadget> gadget = rig::UsbGadget::Create(
        options["name"], hexOr("vendor", rig::kVendorId),
        hexOr("product", z9rt::sim::ProductIdOfModel(model)), options["udc"], error);
    if (gadget == nullptr) {
        std::fprintf(stderr, "cannot make the gadget: %s\n", error.c_str());
        return 1;
    }
    rig::GadgetKeyboard keyboard(std::move(gadget), control, model);
    if (!unplugged && !keyboard.Plug(error)) {
        std::fprintf(stderr, "cannot plug the gadget in: %s\n", error.c_str());
        return 1;
    }
    return keyboard.Run(stopRequested);
}

}  // namespace

int main(int argc, char** argv) {
    const std::vector<std::string> arguments(argv + 1, argv + argc);
    if (arguments.empty()) {
        return Usage();
    }
    StopOnSignals();
    const std::string& mode = arguments.front();
    const std::vector<std::string> rest(arguments.begin() + 1, arguments.end());
    if (mode == "serve") {
        return Serve(rest);
    }
    if (mode == "ctl" && rest.size() >= 2) {
        std::string command;
        for (std::size_t index = 1; index < rest.size(); ++index) {
            command += (index > 1 ? " " : "") + rest[index];
        }
        return rig::SendControlCommand(rest.front(), command);
    }
    if (mode == "watch-input" && rest.size() == 1) {
        return rig::WatchInput(rest.front(), stopRequested);
    }
    if (mode == "hold-grab" && rest.size() == 1) {
        return rig::HoldGrab(rest.front(), stopRequested);
    }
    return Usage();
}
