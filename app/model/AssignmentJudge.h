// Whether one key's assignment on one layer reaches the keyboard as it is. Every path that takes
// an assignment from outside judges it by these rules: a profile being read (the command-line
// tool refuses the profile, the main window leaves the key as it was) and `z9rtctl set`. What
// the program writes itself always passes: the key settings pages keep to the same limits, and
// a key read back from the keyboard holds what the keyboard took.
//
// The rules: a kind with a single code carries a code of that kind (a single key also code 0,
// which the keyboard holds when it was sent one); a combination and an emulation hold 1 to 6
// key names; a macro holds 1 to 799 items with recorded delays (events and delays "<N ms>",
// N 0..65535, alternating, an event first) or 1 to 1600 events at a fixed interval of 0..60000
// ms, plays in one of the three play modes, "Times Play" 1 to 255 times; an emulation repeats
// at most every 6000 ms. Every name must stand for a code the keyboard knows: a name it does
// not would reach it as code 0.
#pragma once

#include "model/CodeTables.h"
#include "model/ItemList.h"

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>

namespace model {

class AssignmentJudge {
public:
    // Looks names up in `codes`, which must stay as they are while the judge is used.
    explicit AssignmentJudge(const CKeyCodeTables& codes);

    // Empty when the assignment reaches the keyboard as it is; otherwise what is wrong with
    // it, in English ("a combination of 9 keys; at most 6").
    std::string Problem(int kind, int hwCode, const CItemList& list) const;

    // The HW code a key or event name ("A", "A Down", "A UP") stands for, as
    // CKeyCodeTables::HWCodeOfName finds it; 0 for a delay or a text that names no code.
    int CodeOfName(std::wstring_view item) const;
    // The milliseconds of a delay item as the program writes it, "<N ms>" with N 0..65535.
    static std::optional<int> DelayOf(std::wstring_view item);

private:
    struct Named {
        int keyCode;  // the lowest key code with the name
        int hwCode;
    };
    const Named* Find(std::wstring_view name) const;
    std::string ListProblem(int kind, const CItemList& list) const;
    std::string MacroProblem(const CItemList& list) const;

    std::unordered_map<std::wstring_view, Named> names_;  // views of the tables' names
};

}  // namespace model
