#include "profile/ProfileFile.h"

#include "model/DefaultKeyTables.h"
#include "model/WideText.h"
#include "profile/ItemListXml.h"

#include <algorithm>
#include <memory>
#include <string_view>

namespace {

constexpr std::wstring_view kDeclaration = L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
constexpr std::string_view kComboLibrary = "PredefinedCombo";
constexpr std::string_view kMacroLibrary = "PredefinedMacro";
constexpr std::string_view kEmulationLibrary = "PredefinedEmu";
constexpr std::string_view kColours = "BackgroundLightSettings";
constexpr std::string_view kColour = "AREA";
constexpr std::string_view kAssignments = "CurrentSettings";
constexpr std::string_view kAssignment = "KEY";
constexpr std::string_view kContent = "ComboKey";
constexpr std::string_view kId = "ID";
constexpr std::string_view kRed = "Red";
constexpr std::string_view kGreen = "Green";
constexpr std::string_view kBlue = "Blue";
constexpr std::string_view kLevel = "Level";
constexpr std::string_view kMode = "Mode";
constexpr std::string_view kHWCode = "HWCode";

constexpr int kColourMax = 255;

struct Library {
    std::string_view section;
    CItemList CKeyboardProfile::*list;
};

// In the order they are written.
constexpr Library kLibraries[] = {
    {kComboLibrary, &CKeyboardProfile::predefinedCombo},
    {kMacroLibrary, &CKeyboardProfile::predefinedMacro},
    {kEmulationLibrary, &CKeyboardProfile::predefinedEmu},
};

void WriteColours(const CKeyboardProfile& profile, CXmlDoc& doc) {
    doc.AppendElement(kColours);
    doc.EnterElement();
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        const RGBColor& colour = profile.lightColor[static_cast<std::size_t>(key)];
        doc.AppendElement(kColour);
        doc.SetAttribute(kId, key);
        doc.SetAttribute(kRed, colour.Red);
        doc.SetAttribute(kGreen, colour.Green);
        doc.SetAttribute(kBlue, colour.Blue);
    }
    doc.LeaveElement();
}

void WriteAssignments(const CKeyboardProfile& profile, CXmlDoc& doc) {
    doc.AppendElement(kAssignments);
    doc.EnterElement();
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        for (int layer = 0; layer < kLayerCount; ++layer) {
            const auto k = static_cast<std::size_t>(key);
            const auto l = static_cast<std::size_t>(layer);
            doc.AppendElement(kAssignment);
            doc.SetAttribute(kId, key);
            doc.SetAttribute(kLevel, layer);
            doc.SetAttribute(kMode, profile.keyMode[k][l]);
            doc.SetAttribute(kHWCode, profile.keyHWCode[k][l]);
            doc.EnterElement();
            doc.AppendElement(kContent);
            doc.EnterElement();
            WriteItemList(doc, profile.keyList[k][l]);
            doc.LeaveElement();
            doc.LeaveElement();
        }
    }
    doc.LeaveElement();
}

// What a profile's text and index will hold, roughly, so that writing it moves nothing. Kept
// close to what is written: a generous estimate of a large profile asks for memory that the
// allocator then maps afresh for every save instead of reusing it.
struct DocumentSize {
    std::size_t bytes = 0;
    std::size_t elements = 0;

    // Bytes of a "List" line with its attributes (108 with one-digit values), of the end tag
    // of a list that has items, of an "x" line and its end tag without the text (23 with a
    // one-digit ID), of a "KEY" group without its list, and of an "AREA" line.
    static constexpr std::size_t kListBytes = 112;
    static constexpr std::size_t kListEndBytes = 9;
    static constexpr std::size_t kItemBytes = 26;
    static constexpr std::size_t kKeyBytes = 80;
    static constexpr std::size_t kColourBytes = 50;
    static constexpr std::size_t kFixedBytes = 512;

    void Add(const CItemList& list) {
        bytes += kListBytes;
        elements += 1;
        if (!list.Items().empty()) {
            bytes += kListEndBytes;
        }
        for (const std::wstring& item : list.Items()) {
            bytes += kItemBytes + item.size();
            elements += 1;
        }
        for (const CItemList& subList : list.SubLists()) {
            Add(subList);
        }
    }
};

DocumentSize SizeOf(const CKeyboardProfile& profile) {
    DocumentSize size;
    size.bytes = DocumentSize::kFixedBytes + kKeyCount * DocumentSize::kColourBytes +
                 kKeySlotCount * DocumentSize::kKeyBytes;
    size.elements = 16 + kKeyCount + 2 * kKeySlotCount;
    for (const Library& library : kLibraries) {
        size.Add(profile.*library.list);
    }
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        for (const CItemList& list : profile.keyList[static_cast<std::size_t>(key)]) {
            size.Add(list);
        }
    }
    return size;
}

// Positions the document inside the root element, before its first child.
bool EnterRoot(CXmlDoc& doc, std::wstring_view model) {
    doc.ResetPosition();
    return doc.FindNextElement(model) && doc.EnterElement();
}

// Enters the section of that name, searched from the root's first child, so that a missing
// or misplaced section costs only itself.
bool EnterSection(CXmlDoc& doc, std::wstring_view model, std::string_view section) {
    return EnterRoot(doc, model) && doc.FindNextElement(section) && doc.EnterElement();
}

void ReadColours(CXmlDoc& doc, std::wstring_view model, CKeyboardProfile& profile) {
    if (!EnterSection(doc, model, kColours)) {
        return;
    }
    auto component = [&doc](std::string_view name) {
        return std::clamp(doc.GetAttributeInt(name), 0, kColourMax);
    };
    while (doc.FindNextElement(kColour)) {
        const int key = doc.GetAttributeInt(kId);
        if (IsKeyNumber(key)) {
            profile.lightColor[static_cast<std::size_t>(key)] = {component(kRed), component(kGreen),
                                                                 component(kBlue)};
        }
    }
}

void ReadAssignments(CXmlDoc& doc, std::wstring_view model, CKeyboardProfile& profile,
                     ListReadLimits& limits) {
    if (!EnterSection(doc, model, kAssignments)) {
        return;
    }
    while (doc.FindNextElement(kAssignment)) {
        const int key = doc.GetAttributeInt(kId);
        const int layer = doc.GetAttributeInt(kLevel);
        if (!IsKeyNumber(key) || !IsLayer(layer)) {
            continue;
        }
        const auto k = static_cast<std::size_t>(key);
        const auto l = static_cast<std::size_t>(layer);
        const int mode = doc.GetAttributeInt(kMode);
        const int hwCode = doc.GetAttributeInt(kHWCode);
        // The windows index their tables with both: values no program writes become a key
        // that is not set, and a HW code outside the code tables becomes 0.
        profile.keyMode[k][l] = IsKeyKind(mode) ? mode : KindNotSet;
        profile.keyHWCode[k][l] = (hwCode >= 0 && hwCode < kCodeTableSize) ? hwCode : 0;
        if (doc.EnterElement()) {
            const bool inContent = doc.FindNextElement(kContent) && doc.EnterElement();
            ReadItemList(doc, profile.keyList[k][l], limits);
            if (inContent) {
                doc.LeaveElement();
            }
            doc.LeaveElement();
        }
    }
}

// Which model's profile the document holds, when not the expected one.
ProfileResult Misfit(CXmlDoc& doc) {
    for (int type : kModelDeviceTypes) {
        doc.ResetPosition();
        if (doc.FindNextElement(ModelName(type))) {
            return {ProfileStatus::OtherModel, Utf8FromWide(ModelName(type))};
        }
    }
    return {ProfileStatus::NotAProfile, std::string()};
}

}  // namespace

std::string ProfileResult::Message() const {
    switch (status) {
        case ProfileStatus::Ok:
            return "ok";
        case ProfileStatus::CannotRead:
            return "cannot read the file (" + detail + ")";
        case ProfileStatus::CannotWrite:
            return "cannot write the file (" + detail + ")";
        case ProfileStatus::NotAProfile:
            return "the file is not a keyboard profile";
        case ProfileStatus::OtherModel:
            return "profile of another keyboard model (" + detail + ")";
        case ProfileStatus::Damaged:
            return "the profile is damaged: its root element is not closed (the file may be "
                   "cut off)";
    }
    return "unknown result";
}

void BuildProfileDocument(const CKeyboardProfile& profile, int deviceType, CXmlDoc& doc) {
    // The writing calls refuse only names that cannot be names and texts beyond what the
    // document can hold; either shows in doc.WriteFailed(), which SaveProfile checks.
    doc.SetText(kDeclaration);  // no element yet: not well-formed on its own
    const DocumentSize size = SizeOf(profile);
    doc.Reserve(size.bytes, size.elements);
    doc.AppendElement(ModelName(deviceType));
    doc.EnterElement();
    for (const Library& library : kLibraries) {
        doc.AppendElement(library.section);
        doc.EnterElement();
        WriteItemList(doc, profile.*library.list);
        doc.LeaveElement();
    }
    WriteColours(profile, doc);
    WriteAssignments(profile, doc);
    doc.LeaveElement();
}

ProfileResult ReadProfileDocument(CXmlDoc& doc, CKeyboardConfig& config) {
    const std::wstring_view model = ModelName(config.deviceType);
    doc.ResetPosition();
    if (!doc.FindNextElement(model)) {
        return Misfit(doc);
    }
    // Profiles are written whole, the root's end tag last. Without it the file was cut off,
    // and the keys it no longer holds would silently become the model's defaults.
    if (!doc.CurrentElementClosed()) {
        return {ProfileStatus::Damaged, std::string()};
    }
    // Read into a copy that starts from the model's defaults; the configuration changes only
    // once the whole file is read.
    auto profile = std::make_unique<CKeyboardProfile>();
    for (int key = 0; key < kKeyIndexCount; ++key) {
        for (int layer = 0; layer < kLayerCount; ++layer) {
            const auto k = static_cast<std::size_t>(key);
            const auto l = static_cast<std::size_t>(layer);
            profile->keyList[k][l].SizeOfView = config.keyList[k][l].SizeOfView;
        }
    }
    profile->ApplyDefaults(config.deviceType);
    profile->lightColor[0] = config.lightColor[0];
    profile->keyMode[0] = config.keyMode[0];
    profile->keyHWCode[0] = config.keyHWCode[0];
    profile->keyList[0] = config.keyList[0];

    ListReadLimits limits;
    for (const Library& library : kLibraries) {
        if (EnterSection(doc, model, library.section)) {
            ReadItemList(doc, (*profile).*library.list, limits);
        }
    }
    ReadColours(doc, model, *profile);
    ReadAssignments(doc, model, *profile, limits);

    static_cast<CKeyboardProfile&>(config) = std::move(*profile);
    config.InvalidatePressCounters();
    return {};
}

ProfileResult SaveProfile(const CKeyboardConfig& config, const std::filesystem::path& path) {
    CXmlDoc doc;
    BuildProfileDocument(config, config.deviceType, doc);
    if (doc.WriteFailed()) {
        return {ProfileStatus::CannotWrite, "the profile is too large"};
    }
    std::string whyNot;
    if (!doc.SaveFile(path, &whyNot)) {
        return {ProfileStatus::CannotWrite, whyNot};
    }
    return {};
}

ProfileResult LoadProfile(CKeyboardConfig& config, const std::filesystem::path& path) {
    CXmlDoc doc;
    std::string whyNot;
    if (!doc.LoadFile(path, &whyNot)) {
        return {ProfileStatus::CannotRead, whyNot};
    }
    return ReadProfileDocument(doc, config);
}
