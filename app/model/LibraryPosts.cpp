#include "model/LibraryPosts.h"

#include <mutex>
#include <unordered_map>
#include <utility>

namespace model::library_posts {
namespace {

struct Router {
    std::mutex mutex;
    std::unordered_map<std::uintptr_t, const Listener::Receive*> listeners;
    std::uintptr_t lastHandle = 0;
    MessagePoster windows = nullptr;
};

Router& TheRouter() {
    static Router router;
    return router;
}

bool Route(WindowHandle handle, std::uint32_t message, std::uintptr_t wParam,
           std::intptr_t lParam) {
    Router& router = TheRouter();
    MessagePoster windows = nullptr;
    {
        // The lock is held while a listener runs: its owner cannot finish destroying it
        // meanwhile.
        std::lock_guard<std::mutex> lock(router.mutex);
        const auto found = router.listeners.find(reinterpret_cast<std::uintptr_t>(handle));
        if (found != router.listeners.end()) {
            (*found->second)(message, wParam);
            return true;
        }
        windows = router.windows;
    }
    return windows != nullptr && windows(handle, message, wParam, lParam);
}

}  // namespace

void Install(MessagePoster windows) {
    Router& router = TheRouter();
    {
        std::lock_guard<std::mutex> lock(router.mutex);
        router.windows = windows;
    }
    SetMessagePoster(&Route);
}

Listener::Listener(Receive receive) : receive_(std::move(receive)) {
    Router& router = TheRouter();
    std::lock_guard<std::mutex> lock(router.mutex);
    // Listener handles count down from the top of the address space, so that they cannot meet
    // the windows' handles, which count up from 1.
    const std::uintptr_t handle = ~router.lastHandle++;
    router.listeners[handle] = &receive_;
    handle_ = reinterpret_cast<WindowHandle>(handle);
}

Listener::~Listener() {
    Router& router = TheRouter();
    std::lock_guard<std::mutex> lock(router.mutex);
    router.listeners.erase(reinterpret_cast<std::uintptr_t>(handle_));
}

ProgressListener::ProgressListener(std::function<void(int value)> progress)
    : Listener([progress = std::move(progress)](std::uint32_t message, std::uintptr_t wParam) {
          if (message == WM_DEVICE_PROGRESS && progress) {
              progress(static_cast<int>(wParam));
          }
      }) {}

}  // namespace model::library_posts
