// Reading a profile's text straight into a configuration's profile part, in one strict pass: no
// document is built. The text must be well-formed markup; every number a profile stores must be
// a whole decimal in its range, every attribute one the element has, and the content must stay
// within the limits below, checked as it is read. Anything else is refused with the line it is
// on, and nothing is read differently from what the file says.
//
// What the file does not hold is left as `profile` had it: the caller starts from the model's
// defaults. Sections are taken in any order, each the first of its name below the root; a
// key's list is the first "List" inside its first "ComboKey" (without one, the first "List"
// inside the key); elements of other names are passed over.
#pragma once

#include "model/KeyboardProfile.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace profile {

// Bounds that keep a hostile profile from making a read take unbounded time or memory.
struct ProfileReadLimits {
    // Lists nest at most this deep (profiles nest three deep).
    int maxListDepth = 8;
    // Items are placed by their stored index, 0 up to this.
    int maxItemIndex = 65535;
    // Empty items that gaps between stored indexes may create, for the whole profile.
    std::size_t maxGapItems = 65536;
    // Items of all lists together, about 100 MB of memory: more than twice what a profile of
    // the largest size read holds (each item it writes takes well over 100 bytes).
    std::size_t maxItems = 1000000;
};

struct ProfileTextRead {
    enum class Outcome {
        Read,
        NotAProfile,  // no root element named after a model
        OtherModel,   // the profile of the model `rootName`
        Damaged,      // not well-formed, or a value out of range: `what` at `line`
        TooLarge,     // beyond a limit: `what` at `line`
    };
    Outcome outcome = Outcome::Read;
    std::string rootName;  // the root element's name when it is a model's
    std::size_t line = 0;
    std::string what;
};

// Reads the profile in `text` (UTF-8) into `profile`. `model` is the root element's name the
// profile must have; empty: any model's name. `profile` is half read when the outcome is not
// Read.
ProfileTextRead ReadProfileText(std::string_view text, std::string_view model,
                                model::CKeyboardProfile& profile,
                                const ProfileReadLimits& limits = {});

}  // namespace profile
