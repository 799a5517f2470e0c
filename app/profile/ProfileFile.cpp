#include "profile/ProfileFile.h"

#include "model/DefaultKeyTables.h"
#include "model/WideText.h"
#include "profile/ItemListXml.h"

#include <algorithm>
#include <memory>
#include <string_view>

namespace {

constexpr std::wstring_view kDeclaration = L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";
constexpr std::wstring_view kComboLibrary = L"PredefinedCombo";
constexpr std::wstring_view kMacroLibrary = L"PredefinedMacro";
constexpr std::wstring_view kEmulationLibrary = L"PredefinedEmu";
constexpr std::wstring_view kColours = L"BackgroundLightSettings";
constexpr std::wstring_view kColour = L"AREA";
constexpr std::wstring_view kAssignments = L"CurrentSettings";
constexpr std::wstring_view kAssignment = L"KEY";
constexpr std::wstring_view kContent = L"ComboKey";
constexpr std::wstring_view kId = L"ID";
constexpr std::wstring_view kRed = L"Red";
constexpr std::wstring_view kGreen = L"Green";
constexpr std::wstring_view kBlue = L"Blue";
constexpr std::wstring_view kLevel = L"Level";
constexpr std::wstring_view kMode = L"Mode";
constexpr std::wstring_view kHWCode = L"HWCode";

constexpr int kColourMax = 255;

struct Library {
    std::wstring_view section;
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

// Positions the document inside the root element, before its first child.
bool EnterRoot(CXmlDoc& doc, std::wstring_view model) {
    doc.ResetPosition();
    return doc.FindNextElement(model) && doc.EnterElement();
}

// Enters the section of that name, searched from the root's first child, so that a missing
// or misplaced section costs only itself.
bool EnterSection(CXmlDoc& doc, std::wstring_view model, std::wstring_view section) {
    return EnterRoot(doc, model) && doc.FindNextElement(section) && doc.EnterElement();
}

void ReadColours(CXmlDoc& doc, std::wstring_view model, CKeyboardProfile& profile) {
    if (!EnterSection(doc, model, kColours)) {
        return;
    }
    auto component = [&doc](std::wstring_view name) {
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
    }
    return "unknown result";
}

void BuildProfileDocument(const CKeyboardProfile& profile, int deviceType, CXmlDoc& doc) {
    doc.SetText(std::wstring(kDeclaration));  // no element yet: not well-formed on its own
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
    if (!EnterRoot(doc, model)) {
        return Misfit(doc);
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
