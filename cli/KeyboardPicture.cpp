#include "KeyboardPicture.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace z9rt::cli {
namespace {

constexpr int kPictureLeft = 229;    // design x where the key area starts
constexpr int kPixelsPerColumn = 7;  // design pixels per terminal column
constexpr int kRowCount = 6;

// Key rows of the main window's picture: key number, left and right edge in design pixels.
struct RowSpec {
    int key, left, right;
};
const std::vector<std::vector<RowSpec>> kRows = {
    {{1, 229, 274},
     {2, 292, 337},
     {3, 337, 382},
     {4, 382, 426},
     {5, 426, 471},
     {6, 488, 533},
     {7, 533, 578},
     {8, 578, 622},
     {9, 622, 667},
     {10, 684, 729},
     {11, 729, 774},
     {12, 774, 818},
     {13, 818, 863},
     {14, 881, 926}},
    {{15, 229, 273},
     {16, 273, 317},
     {17, 317, 361},
     {18, 361, 405},
     {19, 405, 449},
     {20, 449, 492},
     {21, 492, 535},
     {22, 535, 578},
     {23, 578, 621},
     {24, 621, 665},
     {25, 665, 709},
     {26, 709, 752},
     {27, 752, 795},
     {28, 795, 883},
     {29, 883, 927}},
    {{30, 229, 297},
     {31, 297, 341},
     {32, 341, 385},
     {33, 385, 428},
     {34, 428, 471},
     {35, 471, 514},
     {36, 514, 557},
     {37, 557, 600},
     {38, 600, 644},
     {39, 644, 688},
     {40, 688, 732},
     {41, 732, 776},
     {42, 776, 819},
     {43, 819, 883},
     {44, 883, 927}},
    {{45, 229, 313},
     {46, 313, 356},
     {47, 356, 399},
     {48, 399, 443},
     {49, 443, 487},
     {50, 487, 531},
     {51, 531, 575},
     {52, 575, 618},
     {53, 618, 661},
     {54, 661, 704},
     {55, 704, 747},
     {56, 747, 790},
     {57, 790, 882},
     {58, 882, 926}},
    {{59, 229, 333},
     {60, 333, 377},
     {61, 377, 421},
     {62, 421, 465},
     {63, 465, 509},
     {64, 509, 552},
     {65, 552, 595},
     {66, 595, 638},
     {67, 638, 681},
     {68, 681, 724},
     {69, 724, 768},
     {70, 768, 839},
     {71, 839, 883},
     {72, 883, 927}},
    {{73, 229, 287},
     {74, 287, 343},
     {75, 343, 399},
     {76, 399, 665},
     {77, 665, 709},
     {78, 709, 753},
     {79, 753, 796},
     {80, 796, 839},
     {81, 839, 882},
     {82, 882, 925}},
};

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
    // Dark text on light heat colours, light text on dark ones.
    const int luminance =
        (background.red * 299 + background.green * 587 + background.blue * 114) / 1000;
    const int ink = luminance > 140 ? 20 : 235;
    char prefix[64];
    std::snprintf(prefix, sizeof prefix, "\x1b[48;2;%d;%d;%dm\x1b[38;2;%d;%d;%dm", background.red,
                  background.green, background.blue, ink, ink, ink);
    return prefix + text + "\x1b[0m";
}

}  // namespace

const std::vector<KeyCap>& KeyboardLayout() {
    static const std::vector<KeyCap> layout = [] {
        std::vector<KeyCap> caps;
        for (int row = 0; row < kRowCount; ++row) {
            for (const RowSpec& spec : kRows[static_cast<std::size_t>(row)]) {
                caps.push_back({spec.key, row, spec.left, spec.right});
            }
        }
        return caps;
    }();
    return layout;
}

Rgb HeatColor(long long count, long long highest) {
    if (count <= 0 || highest <= 0)
        return {58, 58, 62};
    // Counts spread over orders of magnitude; a logarithmic scale keeps rare keys visible.
    const double t = std::clamp(
        std::log1p(static_cast<double>(count)) / std::log1p(static_cast<double>(highest)), 0.0,
        1.0);
    static const Rgb stops[] = {
        {30, 60, 160}, {0, 150, 190}, {40, 170, 80}, {235, 200, 40}, {220, 50, 35}};
    const double scaled = t * 4.0;
    const int index = std::min(static_cast<int>(scaled), 3);
    const double f = scaled - index;
    const Rgb& a = stops[index];
    const Rgb& b = stops[index + 1];
    auto mix = [f](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * f)); };
    return {mix(a.red, b.red), mix(a.green, b.green), mix(a.blue, b.blue)};
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
        picture += captionLine + "\n" + countLine + "\n";
    }
    return picture;
}

}  // namespace z9rt::cli
