// The version text a keyboard answers with, read through a channel that replays the fuzz
// input: the text always ends with a NUL inside the caller's buffer and holds nothing beyond
// it, whatever bytes the answer carries.
#include "FuzzSupport.h"
#include "OrvoHWI.h"
#include "TestSupport.h"
#include "channel/COrvoUtil.h"
#include "channel/NarrowText.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

using fuzzsupport::Require;

constexpr wchar_t kUntouched = L'\x2603';
constexpr std::size_t kVersionTextByte = 2;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The buffer the caller passes, and room after it that must stay as it was.
    std::vector<wchar_t> buffer(kVersionTextLength * 2, kUntouched);
    testsupport::ScriptedConnection::Script script;
    script.answers = fuzzsupport::PayloadsOf(data, size);
    COrvoUtil channel(std::make_unique<testsupport::ScriptedConnection>(script));
    const bool answered = channel.ReadVersion(buffer.data());
    Require(answered == (size > 0));
    Require(std::all_of(buffer.begin() + kVersionTextLength, buffer.end(),
                        [](wchar_t c) { return c == kUntouched; }));
    if (!answered) {
        Require(buffer[0] == kUntouched);
        return 0;
    }
    const auto end = std::find(buffer.begin(), buffer.begin() + kVersionTextLength, L'\0');
    Require(end != buffer.begin() + kVersionTextLength);
    Require(std::all_of(end, buffer.begin() + kVersionTextLength,
                        [](wchar_t c) { return c == L'\0'; }));
    // The text is the first reply's bytes from byte 2 decoded, never more characters than
    // bytes, and no NUL inside.
    const z9rt::Payload reply = fuzzsupport::PayloadsOf(data, size).front();
    const std::wstring text = z9rt::DecodeNarrowText(reply.data() + kVersionTextByte,
                                                     z9rt::kPayloadSize - kVersionTextByte);
    Require(std::wstring(buffer.begin(), end) == text);
    Require(text.size() <= z9rt::kPayloadSize - kVersionTextByte);
    Require(text.find(L'\0') == std::wstring::npos);
    return 0;
}
