// Commands that ask the keyboard about itself: list, info, counters.
#include "Commands.h"
#include "ExitStatus.h"
#include "JsonWriter.h"
#include "Keyboard.h"
#include "KeyboardPicture.h"
#include "model/CodeTables.h"
#include "model/TransferJob.h"
#include "model/WideText.h"

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

using model::CKeyboardConfig;
using model::IsKeyNumber;
using model::JobPauses;
using model::KeyCaption;
using model::kFirstKeyNumber;
using model::kLastKeyNumber;
using model::TransferJob;
using model::TransferJobKind;
using model::Utf8FromWide;

namespace z9rt::cli {
namespace {

void PrintLine(const std::string& text) {
    std::printf("%s\n", text.c_str());
}

std::string CaptionOf(int key) {
    return Utf8FromWide(KeyCaption(key));
}

// Colour only for a terminal, and never when the user asked for none.
bool UseColour() {
    return isatty(fileno(stdout)) != 0 && std::getenv("NO_COLOR") == nullptr;
}

void WriteKeyJson(JsonWriter& json, const char* name, const CKeyboardConfig& config, int key) {
    json.Key(name);
    if (!IsKeyNumber(key)) {
        json.Null();
        return;
    }
    json.BeginObject()
        .Key("key")
        .Number(key)
        .Key("caption")
        .String(CaptionOf(key))
        .Key("count")
        .Number(config.pressCounter[static_cast<std::size_t>(key)])
        .EndObject();
}

std::string KeyText(const CKeyboardConfig& config, int key) {
    if (!IsKeyNumber(key))
        return "none";
    return CaptionOf(key) + " (key " + std::to_string(key) + ", " +
           std::to_string(config.pressCounter[static_cast<std::size_t>(key)]) + " presses)";
}

}  // namespace

void RunList(const CommandLine& line) {
    const std::vector<KeyboardInterface> keyboards = ListKeyboards();
    if (line.json) {
        JsonWriter json;
        json.BeginArray();
        for (const KeyboardInterface& keyboard : keyboards) {
            json.BeginObject()
                .Key("deviceType")
                .Number(keyboard.deviceType)
                .Key("model")
                .String(ModelNameOf(keyboard.deviceType))
                .Key("path")
                .String(keyboard.path)
                .EndObject();
        }
        json.EndArray();
        PrintLine(json.Text());
    } else {
        for (const KeyboardInterface& keyboard : keyboards) {
            std::printf("%d  %-14s %s\n", keyboard.deviceType,
                        ModelNameOf(keyboard.deviceType).c_str(), keyboard.path.c_str());
        }
    }
    if (keyboards.empty()) {
        throw CommandFailure(ExitStatus::DeviceFailure, "no keyboard of the family is attached");
    }
}

void RunInfo(const CommandLine& line) {
    CKeyboardConfig config;
    const std::string version = OpenKeyboard(config);
    const std::string model = ModelNameOf(config.deviceType);
    if (line.json) {
        JsonWriter json;
        json.BeginObject()
            .Key("model")
            .String(model)
            .Key("deviceType")
            .Number(config.deviceType)
            .Key("version")
            .String(version)
            .EndObject();
        PrintLine(json.Text());
        return;
    }
    PrintLine("Model:       " + model);
    PrintLine("Device type: " + std::to_string(config.deviceType));
    PrintLine("Firmware:    " + version);
}

void RunCounters(const CommandLine& line) {
    CKeyboardConfig config;
    OpenKeyboard(config);
    // The tool ends after the read: the pause the keyboard needs before its next transfer is
    // left out.
    TransferJob job(TransferJobKind::ReadCounters, config);
    if (!job.run({}, JobPauses(std::chrono::milliseconds(0), std::chrono::milliseconds(0)))) {
        throw CommandFailure(ExitStatus::DeviceFailure, "reading the press counters failed");
    }
    static_cast<void>(job.apply(config));
    if (line.json) {
        JsonWriter json;
        json.BeginObject().Key("model").String(ModelNameOf(config.deviceType));
        json.Key("counters").BeginArray();
        for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
            json.BeginObject()
                .Key("key")
                .Number(key)
                .Key("caption")
                .String(CaptionOf(key))
                .Key("count")
                .Number(config.pressCounter[static_cast<std::size_t>(key)])
                .EndObject();
        }
        json.EndArray();
        WriteKeyJson(json, "highest", config, config.highestKey);
        WriteKeyJson(json, "lowest", config, config.lowestKey);
        json.EndObject();
        PrintLine(json.Text());
        return;
    }
    PrintLine("Highest: " + KeyText(config, config.highestKey));
    PrintLine("Lowest:  " + KeyText(config, config.lowestKey));
    PrintLine("");
    std::array<std::string, 83> captions;
    std::array<long long, 83> counts{};
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        const auto k = static_cast<std::size_t>(key);
        captions[k] = CaptionOf(key);
        counts[k] = config.pressCounter[k];
    }
    std::fputs(DrawKeyboardPicture(captions, counts, UseColour()).c_str(), stdout);
}

}  // namespace z9rt::cli
