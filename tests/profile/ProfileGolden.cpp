// Checks one golden file: builds the text its name stands for and compares it byte for byte.
// With Z9RT_UPDATE_GOLDEN=1 in the environment it writes the file instead.
//
//   profile_golden <golden file>
//
// fresh-<model>.pro      the profile of a fresh configuration of that model
// content.pro            the profile of ProfileScenarios' ContentConfig()
// content-*.pro          the same profile in another encoding: loading it and saving it again
//                        must give content.pro
// xmldoc-example.xml     the markup document's writing example
#include "ProfileScenarios.h"
#include "profile/ProfileFile.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

using model::CKeyboardConfig;
using profile::BuildProfileDocument;
using profile::CXmlDoc;
using profile::LoadProfile;
using profile::ProfileResult;

namespace {

std::string ReadBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

std::string ProfileBytes(const CKeyboardConfig& config) {
    CXmlDoc doc;
    BuildProfileDocument(config, config.deviceType, doc);
    return doc.EncodedText();
}

std::string ExampleBytes() {
    CXmlDoc doc;
    doc.SetText(L"<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n");
    doc.AppendElement(L"A");
    doc.EnterElement();
    doc.AppendElement(L"B");
    doc.SetAttribute(L"k", L"1<2");
    return doc.EncodedText();
}

// Loads an encoded copy of content.pro into a fresh configuration and saves it again.
std::string ReencodedContentBytes(const std::filesystem::path& golden) {
    auto config = FreshConfig(kDeviceTypePrsmBle);
    const ProfileResult result = LoadProfile(*config, golden);
    if (!result.Ok()) {
        return "load failed: " + result.Message();
    }
    return ProfileBytes(*config);
}

// The line and column of the first difference, for the failure message.
std::string FirstDifference(const std::string& expected, const std::string& actual) {
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t i = 0; i < std::min(expected.size(), actual.size()); ++i) {
        if (expected[i] != actual[i]) {
            return "line " + std::to_string(line) + ", column " + std::to_string(column);
        }
        if (expected[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
    }
    return "length " + std::to_string(expected.size()) + " against " +
           std::to_string(actual.size());
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <golden file>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path golden = argv[1];
    const std::string name = golden.filename().string();
    const std::map<std::string, int> freshModels = {
        {"fresh-prsm-ble.pro", kDeviceTypePrsmBle},
        {"fresh-s-ble.pro", kDeviceTypeSBle},
        {"fresh-s.pro", kDeviceTypeS},
        {"fresh-prsm.pro", kDeviceTypePrsm},
    };

    std::string actual;
    bool derived = false;  // built from the golden file itself: never written back
    if (const auto model = freshModels.find(name); model != freshModels.end()) {
        actual = ProfileBytes(*FreshConfig(model->second));
    } else if (name == "content.pro") {
        actual = ProfileBytes(*ContentConfig());
    } else if (name.rfind("content-", 0) == 0) {
        actual = ReencodedContentBytes(golden);
        derived = true;
    } else if (name == "xmldoc-example.xml") {
        actual = ExampleBytes();
    } else {
        std::fprintf(stderr, "no scenario for %s\n", name.c_str());
        return 2;
    }

    const char* update = std::getenv("Z9RT_UPDATE_GOLDEN");
    if (update != nullptr && std::string(update) == "1" && !derived) {
        std::ofstream(golden, std::ios::binary) << actual;
        std::printf("wrote %s\n", golden.string().c_str());
        return 0;
    }
    const std::filesystem::path reference = derived ? golden.parent_path() / "content.pro" : golden;
    const std::string expected = ReadBytes(reference);
    if (expected != actual) {
        std::fprintf(stderr, "%s differs from %s at %s\n", name.c_str(),
                     reference.filename().string().c_str(),
                     FirstDifference(expected, actual).c_str());
        return 1;
    }
    return 0;
}
