// Delivery of window messages posted from any thread (the device library's, the workers') to the
// windows. A window opens a gate and hands out its handle; posting looks the handle up under a
// lock and queues a PostedMessageEvent for the window on the UI thread. A window closes its gate
// first thing in its destructor, so a message posted to a window that is gone is dropped, and a
// handle is never reused, so it cannot reach a newer window either.
#pragma once

#include <QEvent>

#include <cstdint>

class QObject;

namespace skin {

// A window's handle as the posters know it: opaque, never dereferenced.
using MessageHandle = void*;

class PostedMessageEvent : public QEvent {
public:
    PostedMessageEvent(std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);
    static QEvent::Type Type();

    std::uint32_t message() const { return message_; }
    std::uintptr_t wParam() const { return wParam_; }
    std::intptr_t lParam() const { return lParam_; }

private:
    std::uint32_t message_;
    std::uintptr_t wParam_;
    std::intptr_t lParam_;
};

namespace message_gate {

// A new handle that delivers to `target` until Close.
MessageHandle Open(QObject* target);
// Stops delivery to the handle; waits for a post that is under way.
void Close(MessageHandle handle);
// Queues the message for the handle's window; false when the handle is closed or unknown.
bool Post(MessageHandle handle, std::uint32_t message, std::uintptr_t wParam, std::intptr_t lParam);

}  // namespace message_gate
}  // namespace skin
