// Key definition arrays as the library fills them, decoded into the model's key assignments:
// whatever the integers say, nothing is read beyond the array's capacity, the assignment is
// of a kind the model knows, and encoding and decoding it settle after one round.
#include "FuzzSupport.h"
#include "model/KeyDefinitionArrays.h"
#include "model/KeyboardConfig.h"

#include <cstring>
#include <vector>

using model::CItemList;
using model::CKeyboardConfig;
using model::DecodeKeyDefinition;
using model::EncodeKeyAssignment;
using model::IsKeyKind;
using model::KeyReadBack;
using model::KindNotSet;

namespace {

using fuzzsupport::Require;

const CKeyboardConfig& Tables() {
    static const CKeyboardConfig* const config = [] {
        auto* built = new CKeyboardConfig;
        built->BuildCodeTables();
        return built;
    }();
    return *config;
}

KeyReadBack Decoded(const std::vector<int>& array) {
    return DecodeKeyDefinition(array.data(), array.size(), Tables());
}

std::vector<int> Encoded(const KeyReadBack& readBack) {
    return EncodeKeyAssignment(readBack.kind, readBack.hwCode.value_or(0),
                               readBack.list.value_or(CItemList()), Tables());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Exactly the array's elements, in memory of their own, so that a read beyond is caught.
    std::vector<int> array(size / sizeof(int));
    if (!array.empty()) {
        std::memcpy(array.data(), data, array.size() * sizeof(int));
    }
    const KeyReadBack readBack = Decoded(array);
    Require(readBack.kind == KindNotSet || IsKeyKind(readBack.kind));
    if (readBack.list) {
        Require(static_cast<std::size_t>(readBack.list->Count()) <= array.size());
    }
    // Encoding normalises what no program writes (an empty combination becomes no assignment,
    // say); from then on decoding and encoding change nothing.
    const std::vector<int> once = Encoded(readBack);
    const std::vector<int> twice = Encoded(Decoded(once));
    Require(Encoded(Decoded(twice)) == twice);
    return 0;
}
