#include "profile/ProfileFile.h"

#include "model/AssignmentJudge.h"
#include "model/DefaultKeyTables.h"
#include "model/WideText.h"
#include "profile/FileAccess.h"
#include "profile/ItemListXml.h"
#include "profile/MarkupWriter.h"
#include "profile/ProfileNames.h"
#include "profile/ProfileReader.h"
#include "profile/StrictMarkup.h"
#include "profile/XmlFileEncoding.h"

#include <algorithm>
#include <memory>
#include <new>
#include <string_view>

using namespace profile_names;

namespace {

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n";

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

void WriteColours(const CKeyboardProfile& profile, MarkupWriter& out) {
    out.StartElement(kColours);
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        const RGBColor& colour = profile.lightColor[static_cast<std::size_t>(key)];
        const XmlNewAttribute attributes[] = {
            {kId, key},
            {kRed, colour.Red},
            {kGreen, colour.Green},
            {kBlue, colour.Blue},
        };
        out.StartElement(kColour, attributes, std::size(attributes));
        out.EndElement();
    }
    out.EndElement();
}

void WriteAssignments(const CKeyboardProfile& profile, MarkupWriter& out) {
    out.StartElement(kAssignments);
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        for (int layer = 0; layer < kLayerCount; ++layer) {
            const auto k = static_cast<std::size_t>(key);
            const auto l = static_cast<std::size_t>(layer);
            const XmlNewAttribute attributes[] = {
                {kId, key},
                {kLevel, layer},
                {kMode, profile.keyMode[k][l]},
                {kHWCode, profile.keyHWCode[k][l]},
            };
            out.StartElement(kAssignment, attributes, std::size(attributes));
            out.StartElement(kContent);
            WriteItemList(out, profile.keyList[k][l]);
            out.EndElement();
            out.EndElement();
        }
    }
    out.EndElement();
}

// What a profile's text will hold, roughly, so that writing it moves nothing. Kept
// close to what is written: a generous estimate of a large profile asks for memory that the
// allocator then maps afresh for every save instead of reusing it.
struct DocumentSize {
    std::size_t bytes = 0;
    // What a reader holds the profile to (ProfileReadLimits).
    std::size_t items = 0;
    std::size_t longestList = 0;
    int deepestList = 0;

    // Bytes of a "List" line with its attributes (108 with one-digit values), of the end tag
    // of a list that has items, of an "x" line and its end tag without the text (23 with a
    // one-digit ID), of a "KEY" group without its list, and of an "AREA" line.
    static constexpr std::size_t kListBytes = 112;
    static constexpr std::size_t kListEndBytes = 9;
    static constexpr std::size_t kItemBytes = 26;
    static constexpr std::size_t kKeyBytes = 80;
    static constexpr std::size_t kColourBytes = 50;
    static constexpr std::size_t kFixedBytes = 512;

    void Add(const CItemList& list, int depth = 0) {
        bytes += kListBytes;
        deepestList = std::max(deepestList, depth);
        items += list.Items().size();
        longestList = std::max(longestList, list.Items().size());
        if (!list.Items().empty()) {
            bytes += kListEndBytes;
        }
        for (const std::wstring& item : list.Items()) {
            bytes += kItemBytes + item.size();
        }
        for (const CItemList& subList : list.SubLists()) {
            Add(subList, depth + 1);
        }
    }
};

DocumentSize SizeOf(const CKeyboardProfile& profile) {
    DocumentSize size;
    size.bytes = DocumentSize::kFixedBytes + kKeyCount * DocumentSize::kColourBytes +
                 kKeySlotCount * DocumentSize::kKeyBytes;
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

// What in a profile goes beyond the limits it would be read within; empty when nothing does.
std::string BeyondReadLimits(const CKeyboardProfile& profile) {
    const ProfileReadLimits limits;
    const DocumentSize size = SizeOf(profile);
    if (size.longestList > static_cast<std::size_t>(limits.maxItemIndex) + 1) {
        return "a list of " + std::to_string(size.longestList) + " items; at most " +
               std::to_string(limits.maxItemIndex + 1);
    }
    if (size.deepestList >= limits.maxListDepth) {
        return "lists nested more than " + std::to_string(limits.maxListDepth) + " deep";
    }
    if (size.items > limits.maxItems) {
        return std::to_string(size.items) + " list items; at most " +
               std::to_string(limits.maxItems);
    }
    return {};
}

// The device type whose model name is `name`; kDeviceTypeNone for none.
int ModelOfName(std::string_view name) {
    for (int type : kModelDeviceTypes) {
        if (name == Utf8FromWide(ModelName(type))) {
            return type;
        }
    }
    return kDeviceTypeNone;
}

// The name of the root element of a markup text, as far as the text can be read to it.
std::string RootNameOf(std::string_view text) {
    class FirstElement final : public MarkupHandler {
    public:
        bool StartElement(const MarkupElement& element) override {
            found = std::string(element.name);
            return false;
        }
        bool EndElement() override { return false; }
        std::string found;
    } first;
    static_cast<void>(ReadStrictMarkup(text, first));  // only the name is wanted
    return first.found;
}

// Judges every key's assignment: returns the refusal of the first one that would not reach the
// keyboard as it is, or (keeping what `config` held for such keys) lists them in `kept`.
ProfileResult JudgeAssignments(CKeyboardProfile& profile, const CKeyboardConfig& config,
                               AssignmentPolicy policy) {
    const AssignmentJudge judge(config);
    ProfileResult result;
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        for (int layer = 0; layer < kLayerCount; ++layer) {
            const auto k = static_cast<std::size_t>(key);
            const auto l = static_cast<std::size_t>(layer);
            std::string problem = judge.Problem(profile.keyMode[k][l], profile.keyHWCode[k][l],
                                                profile.keyList[k][l]);
            if (problem.empty()) {
                continue;
            }
            if (policy == AssignmentPolicy::Refuse) {
                return {ProfileStatus::RefusedAssignment,
                        KeyLayerWords(key, layer) + ": " + problem};
            }
            profile.keyMode[k][l] = config.keyMode[k][l];
            profile.keyHWCode[k][l] = config.keyHWCode[k][l];
            profile.keyList[k][l] = config.keyList[k][l];
            result.kept.push_back({key, layer, std::move(problem)});
        }
    }
    return result;
}

ProfileResult ReadProfileText(std::string_view text, CKeyboardConfig& config,
                              const ProfileLoadOptions& options) {
    const int model = options.anyModel ? ModelOfName(RootNameOf(text)) : config.deviceType;
    const std::string modelName = Utf8FromWide(ModelName(model));
    // Read into a copy that starts from the model's defaults; the configuration changes only
    // once the whole file is read and judged.
    auto profile = std::make_unique<CKeyboardProfile>();
    for (int key = 0; key < kKeyIndexCount; ++key) {
        for (int layer = 0; layer < kLayerCount; ++layer) {
            const auto k = static_cast<std::size_t>(key);
            const auto l = static_cast<std::size_t>(layer);
            profile->keyList[k][l].SizeOfView = config.keyList[k][l].SizeOfView;
        }
    }
    profile->ApplyDefaults(model);
    profile->lightColor[0] = config.lightColor[0];
    profile->keyMode[0] = config.keyMode[0];
    profile->keyHWCode[0] = config.keyHWCode[0];
    profile->keyList[0] = config.keyList[0];

    const ProfileTextRead read = ReadProfileText(text, modelName, *profile);
    switch (read.outcome) {
        case ProfileTextRead::Outcome::Read:
            break;
        case ProfileTextRead::Outcome::NotAProfile:
            return {ProfileStatus::NotAProfile, std::string()};
        case ProfileTextRead::Outcome::OtherModel:
            return {ProfileStatus::OtherModel, read.rootName};
        case ProfileTextRead::Outcome::Damaged:
            return {ProfileStatus::Damaged, read.what, read.line};
        case ProfileTextRead::Outcome::TooLarge:
            return {ProfileStatus::TooLarge, read.what, read.line};
    }
    ProfileResult result = JudgeAssignments(*profile, config, options.assignments);
    if (!result.Ok()) {
        return result;
    }
    static_cast<CKeyboardProfile&>(config) = std::move(*profile);
    config.deviceType = model;
    config.InvalidatePressCounters();
    return result;
}

// A profile within the size limits may still need more memory than the system gives.
ProfileResult NotEnoughMemoryToRead() {
    return {ProfileStatus::TooLarge, "there is not enough memory to read it"};
}

}  // namespace

std::string ProfileResult::Message() const {
    const std::string where = line > 0 ? " at line " + std::to_string(line) : "";
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
            return "the profile is damaged" + where + ": " + detail;
        case ProfileStatus::TooLarge:
            return "the profile is too large" + where + ": " + detail;
        case ProfileStatus::RefusedAssignment:
            return detail;
    }
    return "unknown result";
}

std::string KeyLayerWords(int key, int layer) {
    return "key " + std::to_string(key) + " (" + Utf8FromWide(KeyCaption(key)) + "), " +
           LayerName(layer);
}

std::string ProfileText(const CKeyboardProfile& profile, int deviceType) {
    MarkupWriter out(SizeOf(profile).bytes);
    out.Raw(kDeclaration);
    const std::string root = Utf8FromWide(ModelName(deviceType));
    out.StartElement(root);
    for (const Library& library : kLibraries) {
        out.StartElement(library.section);
        WriteItemList(out, profile.*library.list);
        out.EndElement();
    }
    WriteColours(profile, out);
    WriteAssignments(profile, out);
    return out.Finish();
}

void BuildProfileDocument(const CKeyboardProfile& profile, int deviceType, CXmlDoc& doc) {
    doc.SetUtf8Text(ProfileText(profile, deviceType));
}

ProfileResult ReadProfileBytes(std::string_view bytes, CKeyboardConfig& config,
                               const ProfileLoadOptions& options) {
    try {
        // Bytes that are not UTF-8 in a UTF-8 file stay as they are, for the reader to refuse:
        // taken as Latin-1 they would be read as something the file does not say.
        if (const std::optional<std::string_view> text = Utf8DocumentText(bytes)) {
            return ReadProfileText(*text, config, options);
        }
        const std::string text = DecodeDocumentBytes(std::string(bytes), InvalidUtf8::Keep);
        return ReadProfileText(text, config, options);
    } catch (const std::bad_alloc&) {
        return NotEnoughMemoryToRead();
    }
}

ProfileResult ReadProfileDocument(const CXmlDoc& doc, CKeyboardConfig& config,
                                  const ProfileLoadOptions& options) {
    return ReadProfileText(doc.Utf8Text(), config, options);
}

ProfileResult SaveProfile(const CKeyboardConfig& config, const std::filesystem::path& path) {
    FileLock lock;
    std::string whyNot;
    if (!LockFileForUpdate(path, lock, whyNot)) {
        return {ProfileStatus::CannotWrite, whyNot};
    }
    return SaveProfile(config, path, lock);
}

ProfileResult SaveProfile(const CKeyboardConfig& config, const std::filesystem::path& path,
                          const FileLock& /*held*/) {
    try {
        const std::string beyond = BeyondReadLimits(config);
        if (!beyond.empty()) {
            return {ProfileStatus::CannotWrite, "the profile is too large: " + beyond};
        }
        const std::string text = ProfileText(config, config.deviceType);
        if (text.size() > kMaxDocumentFileBytes) {
            return {ProfileStatus::CannotWrite, "the profile is too large"};
        }
        std::string whyNot;
        const auto produce = [&text](const ByteSink& sink) {
            return EncodeDocumentText(text, std::string_view(), sink);
        };
        if (!ReplaceFileContents(path, produce, whyNot)) {
            return {ProfileStatus::CannotWrite, whyNot};
        }
        return {};
    } catch (const std::bad_alloc&) {
        return {ProfileStatus::CannotWrite, "the profile is too large for the memory at hand"};
    }
}

ProfileResult LoadProfile(CKeyboardConfig& config, const std::filesystem::path& path,
                          const ProfileLoadOptions& options) {
    FileRead read;
    try {
        read = ReadRegularFile(path, kMaxDocumentFileBytes);
    } catch (const std::bad_alloc&) {
        return NotEnoughMemoryToRead();
    }
    switch (read.problem) {
        case FileRead::Problem::None:
            break;
        case FileRead::Problem::TooLarge:
            return {
                ProfileStatus::TooLarge,
                "the file is larger than " + std::to_string(kMaxDocumentFileBytes >> 20) + " MiB"};
        case FileRead::Problem::CannotOpen:
        case FileRead::Problem::NotRegularFile:
            return {ProfileStatus::CannotRead, read.whyNot};
    }
    return ReadProfileBytes(read.bytes, config, options);
}
