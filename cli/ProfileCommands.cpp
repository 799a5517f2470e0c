// Commands that work on profile files alone: defaults and show.
#include "Commands.h"
#include "ExitStatus.h"
#include "JsonWriter.h"
#include "Keyboard.h"
#include "ProfileIo.h"
#include "SlotText.h"
#include "model/WideText.h"
#include "profile/ProfileFile.h"

#include <cstdio>

using model::CKeyboardConfig;
using model::KeyCaption;
using model::kFirstKeyNumber;
using model::kLastKeyNumber;
using model::LayerName;
using model::RGBColor;
using model::Utf8FromWide;

namespace z9rt::cli {
namespace {

int ModelOrFail(const CommandLine& line, COrvoHWI& device) {
    const int model = ModelForCommand(line, device);
    if (model == kDeviceTypeNone) {
        throw CommandFailure(ExitStatus::DeviceFailure,
                             "no keyboard of the family is attached (give --model TYPE to work "
                             "without one)");
    }
    return model;
}

// Loads a profile for showing: as --model says, otherwise as the model whose profile the file
// is, whichever keyboard is attached.
void LoadForShowing(const CommandLine& line, CKeyboardConfig& config, const std::string& path) {
    if (!line.modelType) {
        LoadProfileOfItsModel(config, path);
        return;
    }
    PrepareConfiguration(config, *line.modelType);
    LoadProfileOrFail(config, path);
}

void ShowJson(const CKeyboardConfig& config) {
    JsonWriter json;
    json.BeginObject().Key("model").String(ModelNameOf(config.deviceType));
    json.Key("keys").BeginArray();
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        const auto k = static_cast<std::size_t>(key);
        json.BeginObject().Key("key").Number(key).Key("caption").String(
            Utf8FromWide(KeyCaption(key)));
        json.Key("layers").BeginArray();
        for (int layer = 0; layer < kLayerCount; ++layer) {
            const int kind = config.keyMode[k][static_cast<std::size_t>(layer)];
            json.BeginObject()
                .Key("layer")
                .Number(layer)
                .Key("name")
                .String(LayerName(layer))
                .Key("kind")
                .Number(kind)
                .Key("kindName")
                .String(KindNameOf(config, kind))
                .Key("assignment")
                .String(AssignmentOf(config, key, layer))
                .EndObject();
        }
        json.EndArray();
        WriteColourJson(json, "colour", config.lightColor[k]);
        json.EndObject();
    }
    json.EndArray().EndObject();
    std::printf("%s\n", json.Text().c_str());
}

std::string Padded(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : text + std::string(width - text.size(), ' ');
}

void ShowText(const CKeyboardConfig& config) {
    std::printf("Profile of a %s\n\n", ModelNameOf(config.deviceType).c_str());
    std::printf("%-4s %-10s %-8s %-11s %s\n", "key", "caption", "layer", "kind", "assignment");
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        const auto k = static_cast<std::size_t>(key);
        for (int layer = 0; layer < kLayerCount; ++layer) {
            const int kind = config.keyMode[k][static_cast<std::size_t>(layer)];
            const std::string caption = layer == 0 ? Utf8FromWide(KeyCaption(key)) : "";
            const std::string number = layer == 0 ? std::to_string(key) : "";
            std::string row =
                Padded(number, 4) + " " + Padded(caption, 10) + " " + Padded(LayerName(layer), 8) +
                " " + Padded(KindNameOf(config, kind), 11) + " " + AssignmentOf(config, key, layer);
            row.erase(row.find_last_not_of(' ') + 1);
            std::printf("%s\n", row.c_str());
        }
    }
    std::printf("\nColours (red, green, blue)\n");
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        const RGBColor& colour = config.lightColor[static_cast<std::size_t>(key)];
        std::printf("%-4d %-10s #%02x%02x%02x  %3d %3d %3d\n", key,
                    Utf8FromWide(KeyCaption(key)).c_str(), colour.Red & 0xFF, colour.Green & 0xFF,
                    colour.Blue & 0xFF, colour.Red, colour.Green, colour.Blue);
    }
}

}  // namespace

void RunDefaults(const CommandLine& line) {
    const std::string& path = line.arguments.at(0);
    CKeyboardConfig config;
    PrepareConfiguration(config, ModelOrFail(line, config.device));
    SaveProfileOrFail(config, path);
    std::fprintf(stderr, "Saved the default configuration of the %s as %s\n",
                 ModelNameOf(config.deviceType).c_str(), path.c_str());
}

void RunShow(const CommandLine& line) {
    CKeyboardConfig config;
    LoadForShowing(line, config, line.arguments.at(0));
    if (line.json) {
        ShowJson(config);
    } else {
        ShowText(config);
    }
}

}  // namespace z9rt::cli
