#include "LibraryProgress.h"

namespace z9rt::cli {
namespace {

// The library posts key slots 0..245 or firmware progress 0..150; the caller sizes the bar to
// the last value it will see.
bool PostToProgressBar(WindowHandle window, std::uint32_t message, std::uintptr_t wParam,
                       std::intptr_t /*lParam*/) {
    if (message != WM_DEVICE_PROGRESS)
        return false;
    static_cast<ProgressBar*>(window)->Update(static_cast<int>(wParam));
    return true;
}

}  // namespace

LibraryProgress::LibraryProgress(ProgressBar& bar) : bar_(bar) {
    SetMessagePoster(&PostToProgressBar);
}

}  // namespace z9rt::cli
