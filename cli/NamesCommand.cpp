// The names command: what an assignment kind accepts, or the keys, one per line, for people
// and for the shell's completion.
#include "AssignmentInput.h"
#include "Commands.h"
#include "ExitStatus.h"
#include "KeyNames.h"
#include "NameMatching.h"
#include "model/KeyboardConfig.h"
#include "model/WideText.h"

#include <algorithm>
#include <cstdio>

namespace z9rt::cli {
namespace {

constexpr const char* kKeysWord = "keys";

struct KindNames {
    const char* word;
    NameUse use;
};
constexpr KindNames kKindNames[] = {
    {"single", NameUse::SingleKey},  {"combo", NameUse::ListKey},    {"macro", NameUse::MacroEvent},
    {"emulation", NameUse::ListKey}, {"media", NameUse::Multimedia}, {"mouse", NameUse::Mouse},
    {"function", NameUse::Function}, {"power", NameUse::Power},
};

std::vector<std::string> Kinds() {
    std::vector<std::string> words = {kKeysWord};
    for (const KindNames& kind : kKindNames) {
        words.push_back(kind.word);
    }
    return words;
}

}  // namespace

void RunNames(const CommandLine& line) {
    if (line.arguments.empty()) {
        for (const std::string& word : Kinds()) {
            std::printf("%s\n", word.c_str());
        }
        return;
    }
    const std::string& asked = line.arguments.front();
    if (SameLetters(asked, kKeysWord)) {
        for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
            std::printf("%d\t%s\n", key, Utf8FromWide(KeyCaption(key)).c_str());
        }
        return;
    }
    const auto kind =
        std::find_if(std::begin(kKindNames), std::end(kKindNames),
                     [&asked](const KindNames& k) { return SameLetters(asked, k.word); });
    if (kind == std::end(kKindNames)) {
        throw CommandFailure(ExitStatus::Usage,
                             "unknown kind '" + asked + "'" + DidYouMeanOrUse(asked, Kinds()));
    }
    CKeyboardConfig config;
    config.BuildCodeTables();
    for (const std::string& name : KeyNameTable(config).NamesFor(kind->use)) {
        std::printf("%s\n", name.c_str());
    }
}

}  // namespace z9rt::cli
