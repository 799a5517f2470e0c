// A one-line progress bar on standard error, fed by the device library's progress messages.
// It draws only when standard error is a terminal, so scripts and pipes stay quiet.
#pragma once

#include <cstdio>
#include <string>

namespace z9rt::cli {

class ProgressBar {
public:
    // `total` is the progress value that means done (246 slots, or 150 for other work).
    ProgressBar(std::string label, int total, std::FILE* out = stderr);
    ~ProgressBar();  // ends the line if anything was drawn
    ProgressBar(const ProgressBar&) = delete;
    ProgressBar& operator=(const ProgressBar&) = delete;

    void Update(int value);
    void Finish();

    // Draw even when the stream is not a terminal (tests).
    void ForceDrawing() { enabled_ = true; }
    std::string Render(int value) const;

private:
    std::string label_;
    int total_;
    std::FILE* out_;
    bool enabled_;
    bool drawn_ = false;
    int lastPercent_ = -1;
};

}  // namespace z9rt::cli
