#include "ProgressBar.h"

#include <algorithm>
#include <unistd.h>

namespace z9rt::cli {
namespace {
constexpr int kBarWidth = 30;
}

ProgressBar::ProgressBar(std::string label, int total, std::FILE* out)
    : label_(std::move(label)),
      total_(std::max(total, 1)),
      out_(out),
      enabled_(isatty(fileno(out)) != 0) {}

ProgressBar::~ProgressBar() {
    Finish();
}

std::string ProgressBar::Render(int value) const {
    const int clamped = std::clamp(value, 0, total_);
    const int percent = clamped * 100 / total_;
    const int filled = clamped * kBarWidth / total_;
    std::string line = label_ + " [";
    line.append(static_cast<std::size_t>(filled), '#');
    line.append(static_cast<std::size_t>(kBarWidth - filled), '.');
    line += "] " + std::to_string(percent) + "%";
    return line;
}

void ProgressBar::Update(int value) {
    if (!enabled_)
        return;
    const int percent = std::clamp(value, 0, total_) * 100 / total_;
    if (percent == lastPercent_)
        return;  // a redraw per percent is plenty
    lastPercent_ = percent;
    std::fprintf(out_, "\r%s", Render(value).c_str());
    std::fflush(out_);
    drawn_ = true;
}

void ProgressBar::Finish() {
    if (drawn_) {
        std::fputc('\n', out_);
        std::fflush(out_);
        drawn_ = false;
    }
}

}  // namespace z9rt::cli
