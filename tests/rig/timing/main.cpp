// z9rt-rig-timing: how long the key write, the key read and a firmware download take over the
// keyboard that is attached, against the floor of one 64-byte report per millisecond (a
// full-speed interrupt endpoint polled every millisecond). Exits 1 when a transfer fails.
#include "OrvoHWI.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <string>

namespace {

constexpr int kKeyWriteReports = 1 + kKeySlotCount + 1;  // start, one record a slot, end
constexpr int kKeyReadReports = 1 + kKeySlotCount + 1;   // request, records, end marker
constexpr int kFirmwareLines = 200;

// An Intel HEX data line of 16 bytes at `address`, with its checksum, ended by CR LF.
std::string HexLine(int address) {
    char line[64];
    int sum = 16 + (address >> 8) + (address & 0xFF);
    std::string data;
    for (int index = 0; index < 16; ++index) {
        const int byte = (address + index * 7) & 0xFF;
        char pair[3];
        std::snprintf(pair, sizeof pair, "%02X", byte);
        data += pair;
        sum += byte;
    }
    std::snprintf(line, sizeof line, ":10%04X00%s%02X\r\n", address, data.c_str(),
                  (0x100 - (sum & 0xFF)) & 0xFF);
    return line;
}

bool Timed(const char* name, int reports, const std::function<bool()>& transfer) {
    const auto start = std::chrono::steady_clock::now();
    const bool done = transfer();
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    std::printf("%-10s %3d reports in %7.1f ms; floor %3d ms; %.2f times the floor%s\n", name,
                reports, ms, reports, ms / reports, done ? "" : "  (FAILED)");
    return done;
}

}  // namespace

int main() {
    COrvoHWI device;
    if (!device.__createDev()) {
        std::fprintf(stderr, "z9rt-rig-timing: no keyboard of the family is attached\n");
        return 1;
    }
    std::string firmware;
    for (int line = 0; line < kFirmwareLines; ++line) {
        firmware += HexLine(line * 16);
    }
    device.prepare();
    bool allDone = Timed("write-keys", kKeyWriteReports,
                         [&device] { return device.writeKeyConfigurationToDev(nullptr); });
    allDone &= Timed("read", kKeyReadReports,
                     [&device] { return device.readKeyDefinationFromDev(nullptr); });
    allDone &= Timed("firmware", kFirmwareLines, [&device, &firmware] {
        return device.WriteFirmwareToKeyboard(firmware.c_str(), static_cast<int>(firmware.size()),
                                              nullptr);
    });
    std::printf(
        "(the host controller here is dummy_hcd in an emulated machine: its timing is not a "
        "real bus's)\n");
    return allDone ? 0 : 1;
}
