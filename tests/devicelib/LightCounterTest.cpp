// The light area and the press counters on the wire.
#include "SimulatedKeyboardFixture.h"
#include "keydefine/COrvo.h"
#include "transfer/CounterTransfer.h"
#include "transfer/LightTransfer.h"

#include <numeric>

namespace {

using testsupport::Hex;
using testsupport::HexOf;
using testsupport::TraceCapture;

using Light = SimulatedKeyboardTest;
using Counters = SimulatedKeyboardTest;

std::string ChunkHex(const std::string& command, const std::vector<int>& bytes) {
    z9rt::Payload payload{};
    payload[1] = static_cast<std::uint8_t>(std::stoi(command, nullptr, 16));
    payload[2] = static_cast<std::uint8_t>(bytes.size());
    for (std::size_t index = 0; index < bytes.size(); ++index) {
        payload[3 + index] = static_cast<std::uint8_t>(bytes[index]);
    }
    return HexOf(payload);
}

TEST_F(Light, WriteSendsSevenReports) {
    TraceCapture trace;
    Open();
    std::vector<int> colours(246);
    std::iota(colours.begin(), colours.end(), 1);  // 1..246
    colours[0] = 256 + 17;                         // only the low 8 bits travel
    EXPECT_TRUE(device.setKeyboardLightArea(colours.data()));

    const std::vector<std::string> sent = trace.Sent();
    ASSERT_EQ(sent.size(), 7u);
    EXPECT_EQ(sent[0], "00 e1");
    std::vector<int> first(colours.begin(), colours.begin() + 61);
    first[0] = 17;
    EXPECT_EQ(sent[1], ChunkHex("e0", first));
    EXPECT_EQ(sent[2],
              ChunkHex("e0", std::vector<int>(colours.begin() + 61, colours.begin() + 122)));
    EXPECT_EQ(sent[4],
              ChunkHex("e0", std::vector<int>(colours.begin() + 183, colours.begin() + 244)));
    EXPECT_EQ(sent[5], "00 e0 02 f5 f6");
    EXPECT_EQ(sent[6], testsupport::Repeated(0xE6, 64));

    const auto held = z9rt::sim::ReadSimulatedKeyboard();
    EXPECT_EQ(held.light[0], 17);
    EXPECT_EQ(held.light[245], 246);
    std::vector<int> back(246, -1);
    EXPECT_TRUE(device.getKeyboardLightArea(back.data()));
    EXPECT_EQ(back[0], 17);
    EXPECT_EQ(back[245], 246);
}

TEST_F(Light, WriteFailsWhenAnyOfItsReportsFails) {
    // The keyboard is gone after taking `taken` of the seven reports.
    for (int taken = 0; taken <= 7; ++taken) {
        z9rt::sim::ResetSimulatedKeyboard(kDeviceTypePrsmBle);
        COrvoHWI writer;
        ASSERT_TRUE(writer.__createDev());
        ASSERT_TRUE(z9rt::sim::SetSimulatedKeyboardFaults("unplug-after=" + std::to_string(taken)));
        std::vector<int> colours(246, 0x42);
        EXPECT_EQ(writer.setKeyboardLightArea(colours.data()), taken == 7) << taken;
        EXPECT_EQ(z9rt::sim::ReadSimulatedKeyboard().reportsSeen, taken);
    }
}

TEST_F(Light, AFreshStoreHoldsZerosUntilRead) {
    Open();
    std::vector<int> colours(246, -1);
    EXPECT_TRUE(device.getKeyboardLightArea(colours.data()));
    EXPECT_EQ(colours, std::vector<int>(246, 0));
}

TEST_F(Light, ReadTakesTheChunksUntilTheEndReport) {
    z9rt::sim::SetSimulatedLight(1, 10, 20, 30);
    z9rt::sim::SetSimulatedLight(82, 250, 251, 252);
    TraceCapture trace;
    Open();
    EXPECT_TRUE(device.readKeyLightFromDev());
    EXPECT_EQ(trace.Sent(), std::vector<std::string>({"00 e2"}));
    const std::vector<std::string> received = trace.Received();
    ASSERT_EQ(received.size(), 6u);
    EXPECT_EQ(received[0].substr(0, 17), "00 e0 3d 0a 14 1e");
    EXPECT_EQ(received[4], "00 e0 02 " + std::string("fb fc"));
    EXPECT_EQ(received[5], testsupport::Repeated(0xE6, 64));

    std::vector<int> colours(246);
    device.getKeyboardLightArea(colours.data());
    const auto held = z9rt::sim::ReadSimulatedKeyboard().light;
    EXPECT_EQ(colours, std::vector<int>(held.begin(), held.end()));
}

TEST_F(Light, OversizedChunksAndNoiseChangeNothingOutsideTheArea) {
    z9rt::sim::SetSimulatedKeyboardFaults("noise,malformed");
    Open();
    EXPECT_TRUE(device.readKeyLightFromDev());
    std::vector<int> colours(246);
    device.getKeyboardLightArea(colours.data());
    const auto held = z9rt::sim::ReadSimulatedKeyboard().light;
    EXPECT_EQ(colours, std::vector<int>(held.begin(), held.end()));
}

// Streams laid out report by report.
class AreaScript : public ::testing::Test {
protected:
    CKeyboardUtil Channel() {
        return CKeyboardUtil(std::make_unique<testsupport::ScriptedConnection>(script));
    }
    testsupport::ScriptedConnection::Script script;
};

TEST_F(AreaScript, ChunkClaimingMoreThanItsReportCopies61) {
    script.answers = {Hex("00 e0 ff " + testsupport::Repeated(0x11, 61)),
                      Hex("e6 00 05 22 22 22 22 22"),  // 0xE6 in byte 0 only: not the end
                      Hex("00 e0 02 33 33"), Hex("00 e6")};
    z9rt::LightArea light{};
    CKeyboardUtil channel = Channel();
    EXPECT_TRUE(z9rt::ReadLightArea(channel, light));
    EXPECT_EQ(light[60], 0x11);
    EXPECT_EQ(light[61], 0x33);
    EXPECT_EQ(light[62], 0x33);
    EXPECT_EQ(light[63], 0);
}

TEST_F(AreaScript, StreamLongerThanTheAreaStopsAtItsEnd) {
    for (int chunk = 0; chunk < 8; ++chunk) {
        script.answers.push_back(Hex("00 e0 3d " + testsupport::Repeated(0x44, 61)));
    }
    script.answers.push_back(Hex("00 e6"));
    z9rt::LightArea light{};
    CKeyboardUtil channel = Channel();
    EXPECT_TRUE(z9rt::ReadLightArea(channel, light));
    EXPECT_EQ(light, [] {
        z9rt::LightArea full;
        full.fill(0x44);
        return full;
    }());
}

TEST_F(AreaScript, SilenceEndsALightReadWithFalse) {
    script.answers = {Hex("00 e0 02 55 66")};
    z9rt::LightArea light{};
    CKeyboardUtil channel = Channel();
    EXPECT_FALSE(z9rt::ReadLightArea(channel, light));
    EXPECT_EQ(light[1], 0x66);
}

TEST_F(AreaScript, CountersStopAt328Bytes) {
    for (int chunk = 0; chunk < 7; ++chunk) {
        script.answers.push_back(Hex("00 e3 3d " + testsupport::Repeated(0x01, 61)));
    }
    script.answers.push_back(Hex("00 e6"));
    z9rt::CounterArea counters{};
    CKeyboardUtil channel = Channel();
    EXPECT_TRUE(z9rt::ReadCounters(channel, counters));
    EXPECT_EQ(z9rt::CounterOfKey(counters, 82), 0x01010101u);
}

TEST_F(Counters, ReadComesInChunksOfAtMost61Bytes) {
    z9rt::sim::SetSimulatedCounter(1, 0x04030201);
    z9rt::sim::SetSimulatedCounter(82, 4000000000u);
    TraceCapture trace;
    Open();
    std::vector<int> counters(82, -1);
    EXPECT_TRUE(device.getPressCounterFromDev(counters.data()));
    EXPECT_EQ(trace.Sent(), std::vector<std::string>({"00 e3"}));
    const std::vector<std::string> received = trace.Received();
    ASSERT_EQ(received.size(), 7u);  // 61 × 5 + 23, then the end
    EXPECT_EQ(received[0].substr(0, 20), "00 e3 3d 01 02 03 04");
    EXPECT_EQ(received[5].substr(0, 8), "00 e3 17");
    EXPECT_EQ(received[6], testsupport::Repeated(0xE6, 64));
    EXPECT_EQ(counters[0], 0x04030201);
    EXPECT_EQ(counters[81], static_cast<int>(4000000000u));
    const auto held = z9rt::sim::ReadSimulatedKeyboard().counters;
    for (int key = 1; key <= 82; ++key) {
        EXPECT_EQ(static_cast<std::uint32_t>(counters[static_cast<std::size_t>(key - 1)]),
                  held[static_cast<std::size_t>(key - 1)]);
    }
}

TEST_F(Counters, AFailedExchangeIsReportedAndGivesThePreviousCounters) {
    // The request cannot be written, the keyboard is gone right after taking it, or it never
    // answers.
    for (const char* fault : {"unplug-after=0", "unplug-after=1", "silent"}) {
        z9rt::sim::ResetSimulatedKeyboard(kDeviceTypePrsmBle);
        COrvoHWI reader;
        ASSERT_TRUE(reader.__createDev());
        std::vector<int> first(82, -1);
        ASSERT_TRUE(reader.getPressCounterFromDev(first.data()));
        z9rt::sim::SetSimulatedCounter(5, 999999);
        ASSERT_TRUE(z9rt::sim::SetSimulatedKeyboardFaults(fault));
        std::vector<int> second(82, -1);
        EXPECT_FALSE(reader.getPressCounterFromDev(second.data())) << fault;
        EXPECT_EQ(second, first) << fault;
    }
}

TEST_F(Counters, ASilentKeyboardLeavesAFreshStoresZeros) {
    Open();
    z9rt::sim::SetSimulatedKeyboardFaults("silent");
    std::vector<int> counters(82, -1);
    EXPECT_FALSE(device.getPressCounterFromDev(counters.data()));
    EXPECT_EQ(counters, std::vector<int>(82, 0));
}

}  // namespace
