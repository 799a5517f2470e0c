#include "model/DefaultKeyTables.h"

#include "model/KeyKinds.h"

#include <array>
#include <cstdint>

namespace model {

namespace {

// Default HW codes of the full model "Z9RT(PRSM)Ble" per key number 1..82: layer 0, and the
// Fn layers 1 and 2 (which are always equal).
struct DefaultRow {
    std::uint8_t noneFn;
    std::uint8_t fn;
};

constexpr DefaultRow kFullModelDefaults[kKeyCount] = {
    {1, 0},      // 1 "Esc"
    {2, 112},    // 2 "F1"
    {3, 114},    // 3 "F2"
    {4, 113},    // 4 "F3"
    {5, 110},    // 5 "F4"
    {6, 109},    // 6 "F5"
    {7, 111},    // 7 "F6"
    {8, 108},    // 8 "F7"
    {9, 149},    // 9 "F8"
    {10, 168},   // 10 "F9"
    {11, 169},   // 11 "F10"
    {12, 170},   // 12 "F11"
    {13, 167},   // 13 "F12"
    {84, 159},   // 14 "Del"
    {14, 136},   // 15 "~"
    {15, 148},   // 16 "1"
    {16, 138},   // 17 "2"
    {17, 139},   // 18 "3"
    {18, 141},   // 19 "4"
    {19, 137},   // 20 "5"
    {20, 0},     // 21 "6"
    {21, 94},    // 22 "7"
    {22, 95},    // 23 "8"
    {23, 96},    // 24 "9"
    {24, 92},    // 25 "0"
    {25, 91},    // 26 "-"
    {26, 79},    // 27 "+"
    {27, 0},     // 28 "BackSpace"
    {82, 78},    // 29 "Home"
    {28, 0},     // 30 "Tab"
    {29, 158},   // 31 "Q"
    {30, 128},   // 32 "W"
    {31, 157},   // 33 "E"
    {32, 0},     // 34 "R"
    {33, 0},     // 35 "T"
    {34, 0},     // 36 "Y"
    {35, 97},    // 37 "U"
    {36, 98},    // 38 "I"
    {37, 99},    // 39 "O"
    {38, 93},    // 40 "P"
    {39, 174},   // 41 "["
    {40, 175},   // 42 "]"
    {41, 0},     // 43 "\"
    {83, 80},    // 44 "PgUp"
    {42, 0},     // 45 "Caps Lock"
    {43, 126},   // 46 "A"
    {44, 129},   // 47 "S"
    {45, 127},   // 48 "D"
    {46, 0},     // 49 "F"
    {47, 171},   // 50 "G"
    {48, 0},     // 51 "H"
    {49, 100},   // 52 "J"
    {50, 101},   // 53 "K"
    {51, 102},   // 54 "L"
    {52, 105},   // 55 ";"
    {53, 0},     // 56 "'"
    {54, 0},     // 57 "Enter"
    {86, 81},    // 58 "PgDown"
    {55, 0},     // 59 "Shift"
    {56, 130},   // 60 "Z"
    {57, 132},   // 61 "X"
    {58, 131},   // 62 "C"
    {59, 0},     // 63 "V"
    {60, 172},   // 64 "B"
    {61, 0},     // 65 "N"
    {62, 103},   // 66 "M"
    {63, 203},   // 67 "<"
    {64, 104},   // 68 ">"
    {65, 106},   // 69 "?"
    {66, 0},     // 70 "Shift"
    {87, 145},   // 71 "Up"
    {85, 0},     // 72 "End"
    {67, 152},   // 73 "Ctrl"
    {68, 153},   // 74 "Win"
    {69, 155},   // 75 "Alt"
    {70, 140},   // 76 "Space"
    {71, 0},     // 77 "Alt"
    {156, 156},  // 78 "Fn"
    {74, 0},     // 79 "Ctrl"
    {88, 143},   // 80 "Left"
    {89, 144},   // 81 "Down"
    {90, 142},   // 82 "Right"
};

// Keys whose Fn functions the smaller models lack: their Fn-layer defaults are 0.
constexpr int kSBleNoFnKeys[] = {15, 16, 17, 18, 19, 20, 76, 80, 82};
constexpr int kSNoFnKeys[] = {10, 11, 12, 13, 15, 16, 17, 18, 19, 20, 50, 64, 76, 80, 82};
constexpr int kPrsmNoFnKeys[] = {10, 11, 12, 13, 50, 64};

// One model's table: 83 x 3 bytes, entry key * 3 + layer, key 0 all zero.
using DefaultTable = std::array<std::uint8_t, kKeyIndexCount * kLayerCount>;

template <std::size_t N>
constexpr DefaultTable MakeTable(const int (&keysWithoutFn)[N]) {
    DefaultTable table{};
    for (int key = kFirstKeyNumber; key <= kLastKeyNumber; ++key) {
        const DefaultRow& row = kFullModelDefaults[key - kFirstKeyNumber];
        table[static_cast<std::size_t>(key * kLayerCount + LayerNoneFn)] = row.noneFn;
        table[static_cast<std::size_t>(key * kLayerCount + LayerRightFn)] = row.fn;
        table[static_cast<std::size_t>(key * kLayerCount + LayerLeftFn)] = row.fn;
    }
    for (int key : keysWithoutFn) {
        table[static_cast<std::size_t>(key * kLayerCount + LayerRightFn)] = 0;
        table[static_cast<std::size_t>(key * kLayerCount + LayerLeftFn)] = 0;
    }
    return table;
}

constexpr int kNoKeys[1] = {0};  // key 0 is zero in every table anyway

constexpr DefaultTable kPrsmBleTable = MakeTable(kNoKeys);
constexpr DefaultTable kSBleTable = MakeTable(kSBleNoFnKeys);
constexpr DefaultTable kSTable = MakeTable(kSNoFnKeys);
constexpr DefaultTable kPrsmTable = MakeTable(kPrsmNoFnKeys);

const DefaultTable& TableOf(int deviceType) {
    switch (deviceType) {
        case kDeviceTypeSBle:
            return kSBleTable;
        case kDeviceTypeS:
            return kSTable;
        case kDeviceTypePrsm:
            return kPrsmTable;
        default:
            return kPrsmBleTable;
    }
}

}  // namespace

std::wstring_view ModelName(int deviceType) {
    switch (deviceType) {
        case kDeviceTypeSBle:
            return L"Z9RT(S)Ble";
        case kDeviceTypeS:
            return L"Z9RT(S)";
        case kDeviceTypePrsm:
            return L"Z9RT(PRSM)";
        default:
            return L"Z9RT(PRSM)Ble";
    }
}

int DefaultHWCode(int deviceType, int key, int layer) {
    if (!IsKeyNumber(key) || !IsLayer(layer)) {
        return 0;
    }
    return TableOf(deviceType)[static_cast<std::size_t>(key * kLayerCount + layer)];
}

}  // namespace model
