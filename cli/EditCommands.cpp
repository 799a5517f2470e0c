// Commands that edit a profile file: set (one key's assignment on a layer) and color (key
// colours), each optionally written straight on to the keyboard. Everything the user typed is
// judged before the file is read, the whole edit is made in memory, and the file is replaced
// in one step or not at all.
#include "AssignmentInput.h"
#include "Commands.h"
#include "EditValues.h"
#include "ExitStatus.h"
#include "Keyboard.h"
#include "KeyboardWrites.h"
#include "ProfileIo.h"
#include "SlotText.h"
#include "model/AssignmentJudge.h"
#include "model/WideText.h"
#include "profile/ProfileFile.h"

#include <cstdio>
#include <vector>

using model::AssignmentJudge;
using model::CItemList;
using model::CKeyboardConfig;
using model::KeyCaption;
using model::KindNotSet;
using model::KindUsesList;
using model::LayerLeftFn;
using model::LayerNoneFn;
using model::LayerRightFn;
using model::RGBColor;
using model::Utf8FromWide;
using profile::FileLock;
using profile::KeyLayerWords;

namespace z9rt::cli {
namespace {

template <typename T>
T ValueOrRefuse(const Parsed<T>& parsed) {
    if (!parsed.value) {
        throw CommandFailure(ExitStatus::Usage, parsed.error);
    }
    return *parsed.value;
}

// The profile to edit, locked until it is saved: as the attached keyboard's model when the
// result goes to the keyboard, otherwise as --model says or as the model whose profile the file
// is.
FileLock LoadForEditing(const CommandLine& line, CKeyboardConfig& config, const std::string& path) {
    if (line.edit.write) {
        OpenKeyboard(config);
    } else if (line.modelType) {
        PrepareConfiguration(config, *line.modelType);
    }
    FileLock lock = LockProfileOrFail(path);
    if (line.edit.write || line.modelType) {
        LoadProfileOrFail(config, path);
    } else {
        LoadProfileOfItsModel(config, path);
    }
    return lock;
}

// What one slot holds, to tell whether an edit changed it.
struct Slot {
    int mode;
    int hwCode;
    CItemList list;
    friend bool operator==(const Slot& a, const Slot& b) {
        return a.mode == b.mode && a.hwCode == b.hwCode && a.list == b.list;
    }
};

Slot SlotOf(const CKeyboardConfig& config, int key, int layer) {
    const auto k = static_cast<std::size_t>(key);
    const auto l = static_cast<std::size_t>(layer);
    return {config.keyMode[k][l], config.keyHWCode[k][l], config.keyList[k][l]};
}

// Stores the assignment as the key settings window's "OK" does: the kind, and the store the
// kind uses; a list kind's HW code becomes 0, and "clear" leaves both stores as they were.
void Store(CKeyboardConfig& config, int key, int layer, const Assignment& assignment) {
    const auto k = static_cast<std::size_t>(key);
    const auto l = static_cast<std::size_t>(layer);
    config.keyMode[k][l] = assignment.kind;
    if (KindUsesList(assignment.kind)) {
        config.keyList[k][l].Assign(assignment.list);
        config.keyHWCode[k][l] = 0;
    } else if (assignment.kind != KindNotSet) {
        config.keyHWCode[k][l] = assignment.hwCode;
    }
}

// Ends an edit: saves the file (unless this is a dry run or nothing changed), releases its
// lock, prints the changes and, with --write, sends the result to the keyboard. The changes are
// printed once they are saved (or, in a dry run, as what would change).
void FinishEdit(const CommandLine& line, CKeyboardConfig& config, const std::string& path,
                FileLock lock, const std::vector<std::string>& changes,
                void (*send)(CKeyboardConfig&, WriteCheck), const char* what) {
    const bool save = !line.edit.dryRun && !changes.empty();
    if (save) {
        SaveProfileOrFail(config, path, lock);
    }
    lock.Release();
    for (const std::string& change : changes) {
        std::printf("%s\n", change.c_str());
    }
    std::fflush(stdout);  // the changes come before what is said about the file
    if (line.edit.dryRun) {
        std::fprintf(stderr, "Dry run: %s is left as it was\n", path.c_str());
        return;
    }
    if (!save) {
        std::fprintf(stderr, "%s already holds that; the file is left as it was\n", path.c_str());
    }
    if (line.edit.write) {
        try {
            send(config, line.verify ? WriteCheck::ReadBack : WriteCheck::None);
        } catch (const CommandFailure& failure) {
            // One line for both: what became of the file and of the keyboard.
            throw CommandFailure(failure.Status(), path + (save ? " is saved" : " is unchanged") +
                                                       ", but " + failure.what() +
                                                       "; the keyboard may hold part of the " +
                                                       what);
        }
    }
    if (save) {
        std::fprintf(stderr, "Saved %s\n", path.c_str());
    }
    if (line.edit.write) {
        std::fprintf(stderr, "Wrote the %s of %s to the %s\n", what, path.c_str(),
                     ModelNameOf(config.deviceType).c_str());
    }
}

}  // namespace

void RunSet(const CommandLine& line) {
    const std::string& path = line.arguments.at(0);
    const int key = ValueOrRefuse(ParseKey(line.arguments.at(1)));
    const int layer = line.edit.layer.value_or(LayerNoneFn);
    CKeyboardConfig config;
    config.BuildCodeTables();
    const Assignment assignment =
        ReadAssignment(std::vector<std::string>(line.arguments.begin() + 2, line.arguments.end()),
                       line.edit, KeyNameTable(config));

    // The rules a profile's assignments are read by; what the user typed keeps to them.
    const std::string problem =
        AssignmentJudge(config).Problem(assignment.kind, assignment.hwCode, assignment.list);
    if (!problem.empty()) {
        throw CommandFailure(ExitStatus::Usage, problem);
    }
    FileLock lock = LoadForEditing(line, config, path);
    std::vector<int> layers = {layer};
    if (assignment.allLayers) {
        layers = {LayerNoneFn, LayerRightFn, LayerLeftFn};  // an Fn key is one on every layer
    }
    std::vector<std::string> changes;
    for (int edited : layers) {
        const Slot before = SlotOf(config, key, edited);
        const std::string beforeWords = SlotWords(config, key, edited);
        Store(config, key, edited, assignment);
        if (!(SlotOf(config, key, edited) == before)) {
            changes.push_back(KeyLayerWords(key, edited) + ": " + beforeWords + " -> " +
                              SlotWords(config, key, edited));
        }
    }
    FinishEdit(line, config, path, std::move(lock), changes, SendKeyAssignments, "key assignments");
}

void RunColor(const CommandLine& line) {
    const std::string& path = line.arguments.at(0);
    const std::vector<int> keys = ValueOrRefuse(ParseKeys(line.arguments.at(1)));
    const Colour colour = ValueOrRefuse(ParseColour(line.arguments.at(2)));
    CKeyboardConfig config;
    FileLock lock = LoadForEditing(line, config, path);
    std::vector<std::string> changes;
    for (int key : keys) {
        RGBColor& light = config.lightColor[static_cast<std::size_t>(key)];
        const RGBColor wanted{colour.red, colour.green, colour.blue};
        if (!(light == wanted)) {
            changes.push_back("key " + std::to_string(key) + " (" + Utf8FromWide(KeyCaption(key)) +
                              "): " + HexColour(light) + " -> " + HexColour(wanted));
            light = wanted;
        }
    }
    FinishEdit(line, config, path, std::move(lock), changes, SendLightColours, "key colours");
}

}  // namespace z9rt::cli
