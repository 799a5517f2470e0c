#include "KeyboardPicture.h"

#include "model/KeyLayout.h"

#include <algorithm>
#include <cstdio>

using model::KeyPlace;
using model::KeyPlaceOnFace;

namespace z9rt::cli {
namespace {

constexpr int kPictureLeft = 229;    // design x where the key area starts
constexpr int kPixelsPerColumn = 7;  // design pixels per terminal column
constexpr int kRowCount = 6;

int ColumnOf(int designX) {
    return (designX - kPictureLeft + kPixelsPerColumn / 2) / kPixelsPerColumn;
}

// Centres `text` in `width` columns, cutting it when it does not fit. Captions are ASCII.
std::string Centred(const std::string& text, int width) {
    if (width <= 0)
        return {};
    std::string shown = text.substr(0, static_cast<std::size_t>(width));
    const int padding = width - static_cast<int>(shown.size());
    const int before = padding / 2;
    return std::string(static_cast<std::size_t>(before), ' ') + shown +
           std::string(static_cast<std::size_t>(padding - before), ' ');
}

std::string Paint(const std::string& text, Rgb background, bool colour) {
    if (!colour)
        return text;
    const int ink = model::HeatInk(background);
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "\x1b[48;2;%d;%d;%dm\x1b[38;2;%d;%d;%dm", background.red,
                  background.green, background.blue, ink, ink, ink);
    return prefix + text + "\x1b[0m";
}

}  // namespace

const std::vector<KeyCap>& KeyboardLayout() {
    // The keys' places on the keyboard picture, rows told apart by their tops.
    static const std::vector<KeyCap> layout = [] {
        std::vector<KeyCap> caps;
        int row = -1;
        int rowTop = -1;
        for (int key = 1; key <= 82; ++key) {
            const KeyPlace rect = KeyPlaceOnFace(key);
            if (rect.top != rowTop) {
                rowTop = rect.top;
                ++row;
            }
            caps.push_back({key, row, rect.left, rect.right});
        }
        return caps;
    }();
    return layout;
}

std::string ShortCount(long long count) {
    if (count < 0)
        return "-";
    if (count < 100000)
        return std::to_string(count);
    char text[16];
    if (count < 1000000) {
        std::snprintf(text, sizeof text, "%lldk", count / 1000);
    } else if (count < 100000000) {
        std::snprintf(text, sizeof text, "%.1fM", static_cast<double>(count) / 1e6);
    } else {
        std::snprintf(text, sizeof text, "%lldM", count / 1000000);
    }
    return text;
}

std::string DrawKeyboardPicture(const std::array<std::string, 83>& captions,
                                const std::array<long long, 83>& counts, bool colour) {
    long long highest = 0;
    for (int key = 1; key <= 82; ++key)
        highest = std::max(highest, counts[static_cast<std::size_t>(key)]);

    std::string picture;
    for (int row = 0; row < kRowCount; ++row) {
        std::string captionLine, countLine;
        int column = 0;
        for (const KeyCap& cap : KeyboardLayout()) {
            if (cap.row != row)
                continue;
            const int start = ColumnOf(cap.left);
            const int width = ColumnOf(cap.right) - start - 1;  // one column of gap
            if (start > column) {
                captionLine.append(static_cast<std::size_t>(start - column), ' ');
                countLine.append(static_cast<std::size_t>(start - column), ' ');
            }
            const auto k = static_cast<std::size_t>(cap.key);
            const Rgb heat = HeatColor(counts[k], highest);
            captionLine += Paint(Centred(captions[k], width), heat, colour) + " ";
            countLine += Paint(Centred(ShortCount(counts[k]), width), heat, colour) + " ";
            column = start + width + 1;
        }
        picture.append(captionLine).append("\n").append(countLine).append("\n");
    }
    return picture;
}

}  // namespace z9rt::cli
