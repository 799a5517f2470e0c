// Feeds the device library's progress messages into a progress bar. The tool calls the library
// on its only thread, so the library's poster runs on that thread too and may draw at once.
#pragma once

#include "OrvoHWI.h"
#include "ProgressBar.h"

namespace z9rt::cli {

class LibraryProgress {
public:
    // Registers the tool's poster with the library (once per process is enough; repeating it
    // is harmless).
    explicit LibraryProgress(ProgressBar& bar);
    // The window handle to give the library: progress messages posted to it reach the bar.
    WindowHandle Window() { return &bar_; }

private:
    ProgressBar& bar_;
};

}  // namespace z9rt::cli
