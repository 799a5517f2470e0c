// The one process-wide poster through which the library's window messages leave it.
#include "OrvoHWI.h"

#include <atomic>

namespace {
std::atomic<MessagePoster> registeredPoster{nullptr};
}  // namespace

void SetMessagePoster(MessagePoster poster) {
    registeredPoster.store(poster);
}

bool PostWindowMessage(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                       std::intptr_t lParam) {
    const MessagePoster poster = registeredPoster.load();
    if (window == nullptr || poster == nullptr) {
        return false;
    }
    return poster(window, message, wParam, lParam);
}
