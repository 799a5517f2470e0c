// The one poster the program registers with the device library. The library hands its window
// messages (transfer progress, captured keys, a worker's end) to a window handle; this routes
// each to its receiver:
//   - a Listener, a handle opened here, is called at once on the posting thread (the transfer
//     jobs and the command-line tool follow their own progress this way);
//   - any other handle goes to the windows' poster given to Install, if any.
#pragma once

#include "OrvoHWI.h"

#include <cstdint>
#include <functional>

namespace model::library_posts {

// Registers the router with the library; `windows` receives what no listener takes (null:
// nothing else receives). Called once at start-up; calling it again replaces `windows`.
void Install(MessagePoster windows = nullptr);

// A handle whose messages call a function on the thread that posts them, until destroyed.
class Listener {
public:
    using Receive = std::function<void(std::uint32_t message, std::uintptr_t wParam)>;

    explicit Listener(Receive receive);
    ~Listener();  // waits for a delivery that is under way
    Listener(const Listener&) = delete;
    Listener& operator=(const Listener&) = delete;

    // The handle to give the library.
    WindowHandle handle() const { return handle_; }

private:
    Receive receive_;
    WindowHandle handle_;
};

// A listener that passes the library's progress values (WM_DEVICE_PROGRESS) to `progress`,
// which may be empty.
class ProgressListener : public Listener {
public:
    explicit ProgressListener(std::function<void(int value)> progress);
};

}  // namespace model::library_posts
