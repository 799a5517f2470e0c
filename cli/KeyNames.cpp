#include "KeyNames.h"

#include "NameMatching.h"
#include "model/AssignmentRules.h"
#include "model/WideText.h"

#include <algorithm>

using model::CKeyCodeTables;
using model::CodeFitsKind;
using model::IsKeyboardKeyCode;
using model::IsMacroMouseCode;
using model::kCodeTableSize;
using model::KindCombo;
using model::KindEmulation;
using model::KindFunction;
using model::KindMacro;
using model::KindMouse;
using model::KindMultimedia;
using model::KindPower;
using model::KindSingle;
using model::Utf8FromWide;

namespace z9rt::cli {
namespace {

// Short lists are spelt out in a refusal; longer ones are left to `z9rtctl names`.
constexpr std::size_t kLongestSpeltOutList = 20;

constexpr NameUse kKindUses[] = {NameUse::SingleKey, NameUse::Multimedia, NameUse::Mouse,
                                 NameUse::Function, NameUse::Power};

// What a name of this use is called in a message.
const char* WhatItIs(NameUse use) {
    switch (use) {
        case NameUse::SingleKey:
        case NameUse::ListKey:
            return "keyboard key";
        case NameUse::MacroEvent:
            return "keyboard key or mouse button";
        case NameUse::Multimedia:
            return "multimedia action";
        case NameUse::Mouse:
            return "mouse action";
        case NameUse::Function:
            return "keyboard function";
        case NameUse::Power:
            return "power action";
    }
    return "";
}

}  // namespace

const std::vector<AssignmentKindWord>& AssignmentKindWords() {
    static const std::vector<AssignmentKindWord> words = {
        {"single", NameUse::SingleKey, KindSingle},
        {"combo", NameUse::ListKey, KindCombo},
        {"macro", NameUse::MacroEvent, KindMacro},
        {"emulation", NameUse::ListKey, KindEmulation},
        {"media", NameUse::Multimedia, KindMultimedia},
        {"mouse", NameUse::Mouse, KindMouse},
        {"function", NameUse::Function, KindFunction},
        {"power", NameUse::Power, KindPower},
    };
    return words;
}

const char* AssignmentWordOf(NameUse use) {
    for (const AssignmentKindWord& word : AssignmentKindWords()) {
        if (word.use == use) {
            return word.word;
        }
    }
    return "";
}

KeyNameTable::KeyNameTable(const CKeyCodeTables& tables) {
    entries_.reserve(tables.keyNames.size());
    for (const auto& [code, name] : tables.keyNames) {
        const int entryCode =
            code >= 0 && code < kCodeTableSize ? tables.vkToHw[static_cast<std::size_t>(code)] : 0;
        entries_.push_back({Utf8FromWide(name), name, entryCode, tables.HWCodeOfName(name)});
    }
}

int KeyNameTable::CodeFor(const Entry& entry, NameUse use) {
    // Single codes are stored as numbers; list items travel as names and reach the keyboard
    // as whatever code their name resolves to.
    const bool storedAsName = use == NameUse::ListKey || use == NameUse::MacroEvent;
    return storedAsName ? entry.nameCode : entry.entryCode;
}

bool KeyNameTable::Accepts(NameUse use, int hwCode) {
    switch (use) {
        case NameUse::SingleKey:
        case NameUse::ListKey:
            return IsKeyboardKeyCode(hwCode);
        case NameUse::MacroEvent:
            return IsKeyboardKeyCode(hwCode) || IsMacroMouseCode(hwCode);
        case NameUse::Multimedia:
            return CodeFitsKind(KindMultimedia, hwCode);
        case NameUse::Mouse:
            return CodeFitsKind(KindMouse, hwCode);
        case NameUse::Function:
            return CodeFitsKind(KindFunction, hwCode);
        case NameUse::Power:
            return CodeFitsKind(KindPower, hwCode);
    }
    return false;
}

NameLookup KeyNameTable::Find(std::string_view text, NameUse use) const {
    std::vector<const Entry*> matches;
    for (const Entry& entry : entries_) {
        if (SameLetters(entry.name, text) && Accepts(use, CodeFor(entry, use))) {
            const bool spelledAgain =
                std::any_of(matches.begin(), matches.end(),
                            [&](const Entry* seen) { return seen->name == entry.name; });
            if (!spelledAgain) {
                matches.push_back(&entry);
            }
        }
    }
    if (matches.size() > 1) {
        // Names that differ in letter case only: the exact spelling decides.
        const auto exact = std::find_if(matches.begin(), matches.end(),
                                        [&](const Entry* entry) { return entry->name == text; });
        if (exact == matches.end()) {
            std::vector<std::string> spellings;
            spellings.reserve(matches.size());
            for (const Entry* entry : matches) {
                spellings.push_back(entry->name);
            }
            return {std::nullopt, "key name '" + std::string(text) + "' may be " +
                                      QuotedChoice(spellings) + "; write it in that letter case"};
        }
        matches = {*exact};
    }
    if (matches.empty()) {
        return {std::nullopt, Refusal(text, use)};
    }
    return {NamedCode{matches.front()->wideName, CodeFor(*matches.front(), use)}, ""};
}

std::string KeyNameTable::Refusal(std::string_view text, NameUse use) const {
    const std::string typed(text);
    if (typed.empty()) {
        return std::string("a ") + WhatItIs(use) + " name is missing";
    }
    // A name of the table, but not one this use takes: say what it is instead.
    const Entry* spelledAlike = nullptr;
    for (const Entry& entry : entries_) {
        if (!SameLetters(entry.name, text)) {
            continue;
        }
        spelledAlike = &entry;
        for (NameUse other : kKindUses) {
            if (Accepts(other, CodeFor(entry, other))) {
                return "'" + entry.name + "' is a " + WhatItIs(other) + ", not a " + WhatItIs(use) +
                       "; use '" + AssignmentWordOf(other) + " " + entry.name + "'";
            }
        }
    }
    if (spelledAlike != nullptr) {
        return "'" + spelledAlike->name + "' has no code on the keyboard; it cannot be a " +
               WhatItIs(use);
    }
    const std::vector<std::string> accepted = NamesFor(use);
    std::string message = std::string("unknown ") + WhatItIs(use) + " name '" + typed + "'";
    if (accepted.size() <= kLongestSpeltOutList) {
        return message + DidYouMeanOrUse(text, accepted);
    }
    return message + DidYouMean(ClosestNames(text, accepted)) + " ('z9rtctl names " +
           AssignmentWordOf(use) + "' lists them)";
}

std::vector<std::string> KeyNameTable::NamesFor(NameUse use) const {
    std::vector<std::string> names;
    for (const Entry& entry : entries_) {
        if (Accepts(use, CodeFor(entry, use)) &&
            std::find(names.begin(), names.end(), entry.name) == names.end()) {
            names.push_back(entry.name);
        }
    }
    return names;
}

}  // namespace z9rt::cli
