// The key-name table as the command line meets it: a name typed in any letter case found in
// the exact spelling the table (and so the profile) uses, checked against what the assignment
// it is meant for may hold.
#pragma once

#include "model/CodeTables.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace z9rt::cli {

// What a name is wanted for.
enum class NameUse {
    SingleKey,   // a single key: a keyboard key, stored as its HW code
    ListKey,     // a key of a combination or an emulation, stored as its name
    MacroEvent,  // the key of a macro event: a keyboard key or a mouse button
    Multimedia,  // the HW codes of the single-code kinds
    Mouse,
    Function,
    Power,
};

struct NamedCode {
    std::wstring name;  // as the table spells it
    int hwCode = 0;     // the code the keyboard receives for it
};

struct NameLookup {
    std::optional<NamedCode> found;
    std::string error;  // when nothing was found: what is wrong and what would be accepted
};

class KeyNameTable {
public:
    explicit KeyNameTable(const model::CKeyCodeTables& tables);

    // The name `text` stands for in `use`, letter case aside.
    NameLookup Find(std::string_view text, NameUse use) const;
    // Every name `use` accepts, in the table's order, each once.
    std::vector<std::string> NamesFor(NameUse use) const;

private:
    struct Entry {
        std::string name;  // UTF-8
        std::wstring wideName;
        int entryCode;  // the HW code of this entry's key code
        int nameCode;   // the HW code the name resolves to when a list item is written
    };

    static int CodeFor(const Entry& entry, NameUse use);
    static bool Accepts(NameUse use, int hwCode);
    std::string Refusal(std::string_view text, NameUse use) const;

    std::vector<Entry> entries_;
};

// The kinds of assignment as `set` and `names` call them, each with what its names are for.
struct AssignmentKindWord {
    const char* word;  // "single", "combo", ...
    NameUse use;
    int kind;  // KeyKind
};
const std::vector<AssignmentKindWord>& AssignmentKindWords();

// The first assignment word whose names are for `use` ("single", "media", ...).
const char* AssignmentWordOf(NameUse use);

}  // namespace z9rt::cli
