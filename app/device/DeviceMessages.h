// Connects the device library's window messages to the skinned windows: the library's posts to
// a window's message handle are queued for that window on the UI thread (skin's message gate),
// while the transfer jobs' own listeners keep receiving theirs on the posting thread. Called
// once at start-up, and by tests that open windows.
#pragma once

namespace device_messages {

void Install();

}  // namespace device_messages
