#include "channel/COrvoUtil.h"

#include "OrvoHWI.h"
#include "channel/NarrowText.h"

#include <algorithm>

namespace {

// The version reply: bytes 0 and 1 are not examined, the text fills bytes 2 to 63.
constexpr std::size_t kVersionTextByte = 2;
constexpr std::size_t kVersionTextBytes = z9rt::kPayloadSize - kVersionTextByte;  // 62
static_assert(kVersionTextBytes < static_cast<std::size_t>(kVersionTextLength),
              "the decoded text and its NUL fit the caller's buffer");

}  // namespace

bool COrvoUtil::ReadVersion(wchar_t* buffer) {
    if (buffer == nullptr || !SendPayload(z9rt::MakeRequest(z9rt::Command::ReadVersion))) {
        return false;
    }
    z9rt::Payload reply;
    if (!ReceivePayload(reply)) {
        return false;
    }
    // The first report that arrives is the answer, as the keyboard sends nothing else then.
    const std::wstring text =
        z9rt::DecodeNarrowText(reply.data() + kVersionTextByte, kVersionTextBytes);
    std::fill(buffer, buffer + kVersionTextLength, L'\0');
    std::copy(text.begin(), text.end(), buffer);
    return true;
}
