// The names command: what an assignment kind accepts, or the keys, one per line, for people
// and for the shell's completion.
#include "Commands.h"
#include "ExitStatus.h"
#include "KeyNames.h"
#include "NameMatching.h"
#include "model/KeyboardConfig.h"
#include "model/WideText.h"

#include <algorithm>
#include <cstdio>

using model::CKeyboardConfig;
using model::KeyCaption;
using model::kFirstKeyNumber;
using model::kLastKeyNumber;
using model::Utf8FromWide;

namespace z9rt::cli {
namespace {

constexpr const char* kKeysWord = "keys";

std::vector<std::string> Kinds() {
    std::vector<std::string> words = {kKeysWord};
    for (const AssignmentKindWord& kind : AssignmentKindWords()) {
        words.emplace_back(kind.word);
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
        std::find_if(AssignmentKindWords().begin(), AssignmentKindWords().end(),
                     [&asked](const AssignmentKindWord& k) { return SameLetters(asked, k.word); });
    if (kind == AssignmentKindWords().end()) {
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
