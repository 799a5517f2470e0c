#include "DeviceMessages.h"

#include "MessageGate.h"
#include "model/LibraryPosts.h"

namespace device_messages {
namespace {

bool PostToWindow(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                  std::intptr_t lParam) {
    return skin::message_gate::Post(window, message, wParam, lParam);
}

}  // namespace

void Install() {
    model::library_posts::Install(&PostToWindow);
}

}  // namespace device_messages
