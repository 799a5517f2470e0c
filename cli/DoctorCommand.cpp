// doctor: why no keyboard is usable and what to do, one finding a line, each with its fix.
#include "Commands.h"
#include "DoctorFinding.h"
#include "ExitStatus.h"
#include "JsonWriter.h"
#include "Keyboard.h"
#include "MachineExamination.h"
#include "OrvoHWI.h"
#include "model/WideText.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

using model::Utf8FromWide;

namespace z9rt::cli {
namespace {

std::string Backend() {
    const char* const backend = std::getenv("Z9RT_HID");
    return backend == nullptr ? "" : backend;
}

std::string HolderWords(const std::vector<Holder>& holders) {
    std::string words;
    for (const Holder& holder : holders) {
        words += (words.empty() ? "" : ", ") + (holder.name.empty() ? "a process" : holder.name) +
                 " (pid " + std::to_string(holder.pid) + ")";
    }
    return words;
}

// Opens the keyboard the way every command does; a finding for what stops it, or for its
// firmware version. Returns whether it answered.
bool ProbeKeyboard(std::vector<Finding>& findings, bool problemFound) {
    COrvoHWI device;
    const int deviceType = device.DetectDeviceType();
    if (deviceType == kDeviceTypeNone) {
        if (!problemFound) {
            findings.push_back({true, "not-found",
                                "the device library finds no keyboard of the family",
                                "unplug and replug the keyboard, then run doctor again"});
        }
        return false;
    }
    const std::string model = ModelNameOf(deviceType);
    if (!device.__createDev()) {
        if (!problemFound) {
            findings.push_back({true, "cannot-open", "the " + model + " cannot be opened",
                                "close the programs that use it, or unplug and replug it"});
        }
        return false;
    }
    wchar_t version[kVersionTextLength] = {};
    if (!device.ReadKeyboardVersion(version)) {
        findings.push_back({true, "no-answer",
                            "the " + model + " does not answer the version query",
                            "close the programs that use it, or unplug and replug it"});
        return false;
    }
    findings.push_back({false, "firmware",
                        "the " + model + " answers: firmware version " + Utf8FromWide(version),
                        ""});
    return true;
}

void PrintJson(const std::vector<Finding>& findings, bool usable) {
    JsonWriter json;
    json.BeginObject().Key("usable").Bool(usable).Key("findings").BeginArray();
    for (const Finding& finding : findings) {
        json.BeginObject()
            .Key("id")
            .String(finding.id)
            .Key("problem")
            .Bool(finding.problem)
            .Key("text")
            .String(finding.text)
            .Key("fix")
            .String(finding.fix)
            .EndObject();
    }
    json.EndArray().EndObject();
    std::printf("%s\n", json.Text().c_str());
}

}  // namespace

void RunDoctor(const CommandLine& line) {
    std::vector<Finding> findings;
    std::vector<Holder> holders;
    std::string node;
    const std::string backend = Backend();
    if (backend == "sim") {
        findings.push_back({false, "simulated",
                            "the simulated keyboard is in use (Z9RT_HID=sim or --simulate): no "
                            "real keyboard is looked at",
                            "unset Z9RT_HID and leave out --simulate to use the real keyboard"});
    } else if (backend == "none") {
        findings.push_back(
            {true, "no-backend", "Z9RT_HID=none: no keyboard is looked for", "unset Z9RT_HID"});
    } else {
        ExamineMachine(findings, holders, node);
    }
    bool usable = false;
    if (backend != "none") {
        const bool problemFound = std::any_of(findings.begin(), findings.end(),
                                              [](const Finding& f) { return f.problem; });
        usable = ProbeKeyboard(findings, problemFound);
    }
    if (!holders.empty()) {
        // Several programs may open the node, but each takes the keyboard's answers meant for
        // the others: harmless while they are quiet, the cause when the keyboard seems mute.
        findings.push_back({!usable, "held", node + " is open in " + HolderWords(holders),
                            usable ? "close it before writing to the keyboard if a transfer fails"
                                   : "close it, then try again"});
    }
    if (line.json) {
        PrintJson(findings, usable);
    } else {
        for (const Finding& finding : findings) {
            std::printf("%s: %s%s\n", finding.problem ? "problem" : "note", finding.text.c_str(),
                        finding.fix.empty() ? "" : (". Fix: " + finding.fix).c_str());
        }
    }
    std::fflush(stdout);
    if (!usable) {
        throw CommandFailure(ExitStatus::DeviceFailure, "no keyboard is usable (see the findings)");
    }
    std::fprintf(stderr, "The keyboard is usable\n");
}

}  // namespace z9rt::cli
