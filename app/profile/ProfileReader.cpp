#include "profile/ProfileReader.h"

#include "model/CodeTables.h"
#include "model/DefaultKeyTables.h"
#include "model/WideText.h"
#include "profile/ProfileNames.h"
#include "profile/StrictMarkup.h"
#include "profile/XmlEscape.h"

#include <climits>
#include <cstdint>
#include <iterator>
#include <vector>

using model::CItemList;
using model::CKeyboardProfile;
using model::kCodeTableSize;
using model::kFirstKeyNumber;
using model::kKindCount;
using model::kLastKeyNumber;
using model::kModelDeviceTypes;
using model::ModelName;
using model::Utf8FromWide;

namespace profile {

using namespace names;

namespace {

constexpr int kLastColourComponent = 255;
constexpr int kLastHWCode = kCodeTableSize - 1;

// An attribute a profile element has: its name and its range. A missing number reads 0, so an
// attribute whose range leaves out 0 must be there.
struct NumberAttribute {
    std::string_view name;
    int lowest;
    int highest;
};

constexpr NumberAttribute kColourAttributes[] = {
    {kId, kFirstKeyNumber, kLastKeyNumber},
    {kRed, 0, kLastColourComponent},
    {kGreen, 0, kLastColourComponent},
    {kBlue, 0, kLastColourComponent},
};
constexpr NumberAttribute kAssignmentAttributes[] = {
    {kId, kFirstKeyNumber, kLastKeyNumber},
    {kLevel, 0, kLayerCount - 1},
    {kMode, 0, kKindCount - 1},
    {kHWCode, 0, kLastHWCode},
};
// The view fields are kept as they are (the list operations are safe with any value); the
// playback values are judged where they reach the keyboard.
constexpr NumberAttribute kListAttributes[] = {
    {kSizeOfView, INT_MIN, INT_MAX}, {kViewStartAt, INT_MIN, INT_MAX},
    {kCursorPos, INT_MIN, INT_MAX},  {kCycles, INT_MIN, INT_MAX},
    {kIsAutoInterval, 0, 1},         {kDelay, INT_MIN, INT_MAX},
    {kPlayMode, INT_MIN, INT_MAX},
};

// What one open element is to the reader.
enum class Context : std::uint8_t {
    Root,
    Library,      // its first List is the library
    Colours,      // AREA elements
    Assignments,  // KEY elements
    Key,          // its list: in its first ComboKey, else its first List
    Content,      // a key's ComboKey: its first List is the key's list
    List,         // x elements
    Item,         // an x: its first List is the item's sub-list
};

struct Frame {
    Context context;
    CItemList* list = nullptr;  // the list this element's List (or, in a List, x) fills
    int listDepth = 0;          // of the List this element is, or will hold
    bool listTaken = false;     // its List was read (later ones are passed over)
    bool contentSeen = false;   // a Key's ComboKey was met
};

// Why the reading stopped, where.
struct Refusal {
    ProfileTextRead::Outcome outcome;
    std::size_t offset;
    std::string what;
};

class ProfileBuilder final : public MarkupHandler {
public:
    ProfileBuilder(std::string_view model, CKeyboardProfile& profile,
                   const ProfileReadLimits& limits)
        : model_(model), profile_(profile), limits_(limits), gapBudget_(limits.maxGapItems) {
        frames_.reserve(2 * static_cast<std::size_t>(limits.maxListDepth) + 8);
    }

    bool StartElement(const MarkupElement& element) override;
    bool EndElement() override;

    bool RootSeen() const { return rootSeen_; }
    const std::string& RootName() const { return rootName_; }
    // Set when the builder stopped the reading.
    const Refusal* Refused() const {
        return refusal_.outcome == ProfileTextRead::Outcome::Read ? nullptr : &refusal_;
    }

private:
    bool Refuse(ProfileTextRead::Outcome outcome, std::size_t offset, std::string what) {
        refusal_ = {outcome, offset, std::move(what)};
        return false;
    }
    bool Skip() {
        skipDepth_ = 1;
        return true;
    }
    bool Push(Frame frame) {
        frames_.push_back(frame);
        return true;
    }
    bool StartRoot(std::string_view name);
    bool StartBelowRoot(std::string_view name);
    bool StartList(Frame& owner, const MarkupElement& element);
    bool StartItem(Frame& list, const MarkupAttribute* attributes, std::size_t count);
    bool ReadColour(const MarkupAttribute* attributes, std::size_t count);
    bool StartKey(const MarkupAttribute* attributes, std::size_t count);

    // Reads `attributes` of element `element` into `values` (one per entry of `known`, 0 when
    // missing); false, refusing, for an unknown attribute or a value out of range.
    template <std::size_t N>
    bool Numbers(std::string_view element, const NumberAttribute (&known)[N],
                 const MarkupAttribute* attributes, std::size_t count, int (&values)[N]);

    std::string_view model_;
    CKeyboardProfile& profile_;
    const ProfileReadLimits& limits_;
    std::vector<Frame> frames_;
    std::size_t skipDepth_ = 0;  // open elements being passed over
    std::size_t offset_ = 0;     // of the element being started
    std::size_t items_ = 0;
    std::size_t gapBudget_;
    bool rootSeen_ = false;
    std::string rootName_;
    bool sectionSeen_[5] = {};
    // The values of the last List tag read: a tag that repeats it has them too.
    int listValues_[std::size(kListAttributes)] = {};
    bool listValuesKnown_ = false;
    Refusal refusal_{ProfileTextRead::Outcome::Read, 0, {}};
};

// A whole decimal number: an optional minus sign and up to ten digits.
bool ParseWhole(std::string_view text, long long& value) {
    constexpr std::size_t kMostDigits = 10;
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == '-';
    i = negative ? 1 : 0;
    if (text.size() == i || text.size() - i > kMostDigits) {
        return false;
    }
    long long magnitude = 0;
    for (; i < text.size(); ++i) {
        const unsigned digit = static_cast<unsigned char>(text[i]) - unsigned{'0'};
        if (digit > 9) {
            return false;
        }
        magnitude = magnitude * 10 + digit;
    }
    value = negative ? -magnitude : magnitude;
    return true;
}

std::string Quoted(std::string_view text) {
    constexpr std::size_t kLongest = 24;
    return "\"" + std::string(text.substr(0, kLongest)) + (text.size() > kLongest ? "...\"" : "\"");
}

template <std::size_t N>
bool ProfileBuilder::Numbers(std::string_view element, const NumberAttribute (&known)[N],
                             const MarkupAttribute* attributes, std::size_t count,
                             int (&values)[N]) {
    bool given[N] = {};
    std::size_t hint = 0;  // attributes come in the order they are written
    for (std::size_t a = 0; a < count; ++a) {
        const MarkupAttribute& attribute = attributes[a];
        std::size_t k = hint;
        for (std::size_t tried = 0; tried < N && !SameName(known[k].name, attribute.name);
             ++tried) {
            k = k + 1 < N ? k + 1 : 0;
        }
        if (!SameName(known[k].name, attribute.name)) {
            return Refuse(ProfileTextRead::Outcome::Damaged, offset_,
                          std::string(element) + " has no attribute " + Quoted(attribute.name));
        }
        hint = k + 1 < N ? k + 1 : 0;
        long long value = 0;
        bool whole = false;
        if (attribute.hasReference) {
            whole = ParseWhole(Utf8FromWide(UnescapeUtf8(attribute.value)), value);
        } else {
            whole = ParseWhole(attribute.value, value);
        }
        if (!whole || value < known[k].lowest || value > known[k].highest) {
            return Refuse(ProfileTextRead::Outcome::Damaged, offset_,
                          std::string(element) + " " + std::string(known[k].name) + "=" +
                              Quoted(attribute.value) + " is not a whole number from " +
                              std::to_string(known[k].lowest) + " to " +
                              std::to_string(known[k].highest));
        }
        values[k] = static_cast<int>(value);
        given[k] = true;
    }
    for (std::size_t k = 0; k < N; ++k) {
        if (!given[k]) {
            if (known[k].lowest > 0 || known[k].highest < 0) {
                return Refuse(ProfileTextRead::Outcome::Damaged, offset_,
                              std::string(element) + " without its " + std::string(known[k].name));
            }
            values[k] = 0;  // a missing number reads 0
        }
    }
    return true;
}

bool ProfileBuilder::StartRoot(std::string_view name) {
    for (int type : kModelDeviceTypes) {
        if (name == Utf8FromWide(ModelName(type))) {
            rootName_ = std::string(name);
            if (model_.empty() || name == model_) {
                rootSeen_ = true;
                return Push({Context::Root});
            }
            return false;  // another model's profile
        }
    }
    return false;  // no profile
}

bool ProfileBuilder::StartBelowRoot(std::string_view name) {
    static constexpr std::string_view kSections[] = {kComboLibrary, kMacroLibrary,
                                                     kEmulationLibrary, kColours, kAssignments};
    static constexpr Context kContexts[] = {Context::Library, Context::Library, Context::Library,
                                            Context::Colours, Context::Assignments};
    CItemList* const libraries[] = {&profile_.predefinedCombo, &profile_.predefinedMacro,
                                    &profile_.predefinedEmu, nullptr, nullptr};
    for (std::size_t s = 0; s < std::size(kSections); ++s) {
        if (SameName(name, kSections[s])) {
            if (sectionSeen_[s]) {
                return Skip();  // the first of a name counts
            }
            sectionSeen_[s] = true;
            return Push({kContexts[s], libraries[s]});
        }
    }
    return Skip();
}

bool ProfileBuilder::StartList(Frame& owner, const MarkupElement& element) {
    if (owner.listTaken) {
        return Skip();
    }
    owner.listTaken = true;
    if (owner.listDepth >= limits_.maxListDepth) {
        return Refuse(ProfileTextRead::Outcome::TooLarge, offset_,
                      "lists nested more than " + std::to_string(limits_.maxListDepth) + " deep");
    }
    // Most lists of a profile are the empty sub-lists of items, written alike.
    if (!element.repeatsLast || !listValuesKnown_) {
        if (!Numbers(kList, kListAttributes, element.attributes, element.count, listValues_)) {
            return false;
        }
        listValuesKnown_ = true;
    }
    const int(&values)[std::size(kListAttributes)] = listValues_;
    CItemList& list = *owner.list;
    list.Clear();
    list.SizeOfView = values[0];
    list.ViewStartAt = values[1];
    list.CursorPos = values[2];
    list.Cycles = values[3];
    list.IsAutoInterval = values[4] != 0;
    list.Delay = values[5];
    list.PlayMode = values[6];
    return Push({Context::List, &list, owner.listDepth});
}

bool ProfileBuilder::StartItem(Frame& list, const MarkupAttribute* attributes, std::size_t count) {
    const MarkupAttribute* index = nullptr;
    const MarkupAttribute* text = nullptr;
    for (std::size_t a = 0; a < count; ++a) {
        if (SameName(attributes[a].name, kId)) {
            index = &attributes[a];
        } else if (SameName(attributes[a].name, kItemText)) {
            text = &attributes[a];
        } else {
            return Refuse(ProfileTextRead::Outcome::Damaged, offset_,
                          "x has no attribute " + Quoted(attributes[a].name));
        }
    }
    const NumberAttribute kIndex[] = {{kId, 0, limits_.maxItemIndex}};
    int id[1] = {};
    if (!Numbers(kItem, kIndex, index, index == nullptr ? 0 : 1, id)) {
        return false;
    }
    CItemList& owner = *list.list;
    const auto at = static_cast<std::size_t>(id[0]);
    const auto present = static_cast<std::size_t>(owner.Count());
    std::size_t added = at >= present ? at + 1 - present : 0;
    if (added > 1) {
        if (added - 1 > gapBudget_) {
            return Refuse(ProfileTextRead::Outcome::TooLarge, offset_,
                          "more than " + std::to_string(limits_.maxGapItems) +
                              " empty items between stored item numbers");
        }
        gapBudget_ -= added - 1;
    }
    items_ += added;
    if (items_ > limits_.maxItems) {
        return Refuse(ProfileTextRead::Outcome::TooLarge, offset_,
                      "more than " + std::to_string(limits_.maxItems) + " list items");
    }
    CItemList& subList =
        owner.PlaceAt(at, text == nullptr ? std::wstring() : UnescapeUtf8(text->value));
    return Push({Context::Item, &subList, list.listDepth + 1});
}

bool ProfileBuilder::ReadColour(const MarkupAttribute* attributes, std::size_t count) {
    int values[std::size(kColourAttributes)];
    if (!Numbers(kColour, kColourAttributes, attributes, count, values)) {
        return false;
    }
    profile_.lightColor[static_cast<std::size_t>(values[0])] = {values[1], values[2], values[3]};
    return Skip();
}

bool ProfileBuilder::StartKey(const MarkupAttribute* attributes, std::size_t count) {
    int values[std::size(kAssignmentAttributes)];
    if (!Numbers(kAssignment, kAssignmentAttributes, attributes, count, values)) {
        return false;
    }
    const auto k = static_cast<std::size_t>(values[0]);
    const auto l = static_cast<std::size_t>(values[1]);
    profile_.keyMode[k][l] = values[2];
    profile_.keyHWCode[k][l] = values[3];
    CItemList& list = profile_.keyList[k][l];
    list.Clear();  // a key without a list holds none
    return Push({Context::Key, &list});
}

bool ProfileBuilder::StartElement(const MarkupElement& element) {
    const std::string_view name = element.name;
    if (!element.repeatsLast && SameName(name, kList)) {
        listValuesKnown_ = false;  // a new List tag, whether it is read or passed over
    }
    if (skipDepth_ > 0) {
        ++skipDepth_;
        return true;
    }
    offset_ = element.offset;
    const MarkupAttribute* const attributes = element.attributes;
    const std::size_t count = element.count;
    if (frames_.empty()) {
        return StartRoot(name);
    }
    Frame& parent = frames_.back();
    switch (parent.context) {
        case Context::Root:
            return StartBelowRoot(name);
        case Context::Library:
        case Context::Content:
        case Context::Item:
            return SameName(name, kList) ? StartList(parent, element) : Skip();
        case Context::Colours:
            return SameName(name, kColour) ? ReadColour(attributes, count) : Skip();
        case Context::Assignments:
            return SameName(name, kAssignment) ? StartKey(attributes, count) : Skip();
        case Context::Key:
            if (SameName(name, kContent) && !parent.contentSeen) {
                // The ComboKey's list is the key's, whatever came before it.
                parent.contentSeen = true;
                parent.list->Clear();
                return Push({Context::Content, parent.list});
            }
            if (SameName(name, kList) && !parent.contentSeen) {
                return StartList(parent, element);
            }
            return Skip();
        case Context::List:
            return SameName(name, kItem) ? StartItem(parent, attributes, count) : Skip();
    }
    return Skip();
}

bool ProfileBuilder::EndElement() {
    if (skipDepth_ > 0) {
        --skipDepth_;
    } else {
        frames_.pop_back();
    }
    return true;
}

}  // namespace

ProfileTextRead ReadProfileText(std::string_view text, std::string_view model,
                                CKeyboardProfile& profile, const ProfileReadLimits& limits) {
    ProfileBuilder builder(model, profile, limits);
    const MarkupOutcome outcome = ReadStrictMarkup(text, builder);
    ProfileTextRead read;
    read.rootName = builder.RootName();
    if (!builder.RootSeen()) {
        // Whatever is wrong before a model's root element, the file is no profile to read.
        read.outcome = read.rootName.empty() ? ProfileTextRead::Outcome::NotAProfile
                                             : ProfileTextRead::Outcome::OtherModel;
        return read;
    }
    if (const Refusal* refusal = builder.Refused()) {
        read.outcome = refusal->outcome;
        read.line = LineOfOffset(text, refusal->offset);
        read.what = refusal->what;
    } else if (outcome.kind == MarkupOutcome::Kind::Malformed) {
        read.outcome = ProfileTextRead::Outcome::Damaged;
        read.line = LineOfOffset(text, outcome.offset);
        read.what = outcome.what;
    }
    return read;
}

}  // namespace profile
