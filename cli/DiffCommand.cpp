// diff: what differs between two configurations, each a profile or the attached keyboard, in
// the keyboard's own terms: what the keyboard cannot tell apart is no difference.
#include "Commands.h"
#include "DifferenceWords.h"
#include "ExitStatus.h"
#include "JsonWriter.h"
#include "Keyboard.h"
#include "KeyboardWrites.h"
#include "ProfileIo.h"
#include "SlotText.h"
#include "model/SlotComparison.h"
#include "model/WideText.h"

#include <cstdio>
#include <memory>

using model::CKeyboardConfig;
using model::CKeyboardProfile;
using model::DifferingKeySlots;
using model::DifferingLights;
using model::KeyCaption;
using model::KeyReadBack;
using model::KeySlotDifference;
using model::LayerName;
using model::LightAreaOf;
using model::LightDifference;
using model::StoredKeyForms;
using model::Utf8FromWide;

namespace z9rt::cli {
namespace {

// The word that stands for the attached keyboard instead of a file (a file of that name is
// given as ./keyboard).
constexpr const char* kKeyboardWord = "keyboard";

bool IsKeyboard(const std::string& argument) {
    return argument == kKeyboardWord;
}

// The two sides, loaded: the keyboard's model decides when one side is the keyboard, then
// --model, then the first profile's own model.
struct Sides {
    std::unique_ptr<CKeyboardConfig> first = std::make_unique<CKeyboardConfig>();
    std::unique_ptr<CKeyboardConfig> second = std::make_unique<CKeyboardConfig>();
};

Sides LoadSides(const CommandLine& line) {
    const std::string& a = line.arguments.at(0);
    const std::string& b = line.arguments.at(1);
    Sides sides;
    int model = line.modelType.value_or(kDeviceTypeNone);
    if (IsKeyboard(a) || IsKeyboard(b)) {
        CKeyboardConfig& read = IsKeyboard(a) ? *sides.first : *sides.second;
        OpenKeyboard(read);
        ReadFromKeyboard(read);
        model = read.deviceType;
    }
    for (const auto& [argument, config] :
         {std::pair{&a, sides.first.get()}, std::pair{&b, sides.second.get()}}) {
        if (IsKeyboard(*argument)) {
            continue;
        }
        if (model == kDeviceTypeNone) {
            LoadProfileOfItsModel(*config, *argument);
            model = config->deviceType;
        } else {
            PrepareConfiguration(*config, model);
            LoadProfileOrFail(*config, *argument);
        }
    }
    if (IsKeyboard(a) && IsKeyboard(b)) {
        // One read answers for both sides.
        sides.second->deviceType = model;
        sides.second->BuildCodeTables();
        static_cast<CKeyboardProfile&>(*sides.second) = *sides.first;
    }
    return sides;
}

void WriteSide(JsonWriter& json, const char* name, DifferenceWords& words, int key, int layer,
               const KeyReadBack& form) {
    json.Key(name)
        .BeginObject()
        .Key("kind")
        .Number(form.kind)
        .Key("kindName")
        .String(words.KindName(form))
        .Key("assignment")
        .String(words.Assignment(key, layer, form))
        .EndObject();
}

void PrintJson(const std::vector<KeySlotDifference>& keys,
               const std::vector<LightDifference>& lights, DifferenceWords& words) {
    JsonWriter json;
    json.BeginObject().Key("same").Bool(keys.empty() && lights.empty());
    json.Key("keys").BeginArray();
    for (const KeySlotDifference& difference : keys) {
        json.BeginObject()
            .Key("key")
            .Number(difference.key)
            .Key("caption")
            .String(Utf8FromWide(KeyCaption(difference.key)))
            .Key("layer")
            .Number(difference.layer)
            .Key("name")
            .String(LayerName(difference.layer));
        WriteSide(json, "a", words, difference.key, difference.layer, difference.sent);
        WriteSide(json, "b", words, difference.key, difference.layer, difference.received);
        json.EndObject();
    }
    json.EndArray().Key("colours").BeginArray();
    for (const LightDifference& difference : lights) {
        json.BeginObject()
            .Key("key")
            .Number(difference.key)
            .Key("caption")
            .String(Utf8FromWide(KeyCaption(difference.key)));
        WriteColourJson(json, "a", difference.sent);
        WriteColourJson(json, "b", difference.received);
        json.EndObject();
    }
    json.EndArray().EndObject();
    std::printf("%s\n", json.Text().c_str());
}

}  // namespace

void RunDiff(const CommandLine& line) {
    const std::string& a = line.arguments.at(0);
    const std::string& b = line.arguments.at(1);
    const Sides sides = LoadSides(line);
    const CKeyboardConfig& first = *sides.first;
    const CKeyboardConfig& second = *sides.second;
    const std::vector<KeySlotDifference> keys =
        DifferingKeySlots(StoredKeyForms(first, first), StoredKeyForms(second, second));
    const std::vector<LightDifference> lights =
        DifferingLights(LightAreaOf(first), LightAreaOf(second));

    DifferenceWords words(first.deviceType);
    if (line.json) {
        PrintJson(keys, lights, words);
    } else {
        for (const KeySlotDifference& difference : keys) {
            std::printf("%s\n", words.KeyLine(difference, a, b).c_str());
        }
        for (const LightDifference& difference : lights) {
            std::printf("%s\n", DifferenceWords::LightLine(difference, a, b).c_str());
        }
    }
    std::fflush(stdout);
    if (keys.empty() && lights.empty()) {
        std::fprintf(stderr, "%s and %s hold the same keys and colours\n", a.c_str(), b.c_str());
        return;
    }
    throw CommandFailure(ExitStatus::Different,
                         a + " and " + b + " differ: " + std::to_string(keys.size()) +
                             (keys.size() == 1 ? " key slot, " : " key slots, ") +
                             std::to_string(lights.size()) +
                             (lights.size() == 1 ? " colour" : " colours"));
}

}  // namespace z9rt::cli
