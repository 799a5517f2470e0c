// The keyboard's side of the protocol: key records read as the keyboard reads them (records
// written here in hex), the faults it notices, and what it understands of every kind of
// definition the library sends.
#include "SimulatedKeyboardFixture.h"
#include "channel/BackendSelection.h"
#include "channel/sim/KeyboardProtocol.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

namespace protocol = z9rt::sim::protocol;

// A record from hex bytes ("00 f0 01 2e ..."); the rest is zero.
protocol::Bytes Record(const std::string& hex) {
    protocol::Bytes bytes{};
    std::size_t at = 0;
    unsigned value = 0;
    int used = 0;
    const char* text = hex.c_str();
    while (at < bytes.size() && std::sscanf(text, "%2x%n", &value, &used) == 1) {
        bytes[at++] = static_cast<std::uint8_t>(value);
        text += used;
    }
    return bytes;
}

// A macro header of layer 1 key 1, kind 2, with the given delays flag and body length, and
// `body` from byte 11 on.
protocol::Bytes MacroRecord(int flag, int bodyLength, const std::string& body) {
    char header[64];
    std::snprintf(header, sizeof header, "00 f0 01 01 02 05 %02x 00 1e %02x %02x ", flag,
                  bodyLength >> 8, bodyLength & 0xFF);
    return Record(header + body);
}

TEST(KeyboardProtocol, ReadsEveryKindAsTheKeyboardDoes) {
    const struct {
        const char* what;
        std::vector<protocol::Bytes> records;
        int kind;
        std::vector<int> codes;
        int interval;
        std::vector<int> delays;
    } cases[] = {
        {"keys together", {Record("00 f0 01 2e 00 02 43 2b")}, 0, {0x43, 0x2B}, 0, {}},
        {"no keys", {Record("00 f0 03 52 00")}, 0, {}, 0, {}},
        {"keys repeated, interval high byte first",
         {Record("00 f0 02 02 01 12 34 03 04 05 06")},
         1,
         {4, 5, 6},
         0x1234,
         {}},
        {"keys repeated without keys", {Record("00 f0 02 02 01")}, 1, {}, 0, {}},
        {"macro without delays", {MacroRecord(0, 3, "07 08 09")}, 2, {7, 8, 9}, 30, {}},
        {"macro with delays",
         {MacroRecord(1, 8, "04 c8 01 2c 05 c8 00 00")},
         2,
         {4, 5},
         30,
         {300, 0}},
        {"empty macro", {MacroRecord(0, 0, "")}, 2, {}, 30, {}},
    };
    for (const auto& c : cases) {
        const protocol::KeyDefinitionSeen seen = protocol::DecodeDefinition(c.records);
        EXPECT_EQ(seen.problem, "") << c.what;
        EXPECT_EQ(seen.kind, c.kind) << c.what;
        EXPECT_EQ(seen.codes, c.codes) << c.what;
        EXPECT_EQ(seen.interval, c.interval) << c.what;
        EXPECT_EQ(seen.delayList, c.delays) << c.what;
    }
}

TEST(KeyboardProtocol, AMacroSpansRecordsOf53BodyBytes) {
    std::string first;
    for (int code = 1; code <= 53; ++code) {
        char byte[4];
        std::snprintf(byte, sizeof byte, "%02x ", code);
        first += byte;
    }
    const std::vector<protocol::Bytes> records = {MacroRecord(0, 54, first),
                                                  MacroRecord(0, 54, "36")};
    EXPECT_EQ(protocol::RecordsOfDefinition(records.front()), 2);
    EXPECT_EQ(protocol::RecordsOfDefinition(MacroRecord(0, 53, "")), 1);
    EXPECT_EQ(protocol::RecordsOfDefinition(MacroRecord(0, 0, "")), 1);
    EXPECT_EQ(protocol::RecordsOfDefinition(Record("00 f0 01 01 01 00 00 38")), 1);
    const protocol::KeyDefinitionSeen seen = protocol::DecodeDefinition(records);
    EXPECT_EQ(seen.problem, "");
    ASSERT_EQ(seen.codes.size(), 54u);
    EXPECT_EQ(seen.codes.front(), 1);
    EXPECT_EQ(seen.codes.back(), 0x36);
}

// What a faulty encoder would send: each is noticed, not taken for a sound definition.
TEST(KeyboardProtocol, NoticesRecordsTheProtocolDoesNotAllow) {
    const struct {
        const char* what;
        std::vector<protocol::Bytes> records;
        const char* problem;
    } cases[] = {
        {"59 codes", {Record("00 f0 01 01 00 3b")}, "count 59 is more than a record holds"},
        {"57 repeated codes",
         {Record("00 f0 01 01 01 00 10 39")},
         "count 57 is more than a record holds"},
        {"junk after the codes",
         {Record("00 f0 01 01 00 01 04 00 09")},
         "bytes after the codes are not 0"},
        {"interval without codes",
         {Record("00 f0 01 01 01 01 f4 00")},
         "an interval without codes"},
        {"two records for a plain key",
         {Record("00 f0 01 01 00 01 04"), Record("00 f0 01 01 00 01 04")},
         "2 records for a kind 0 key"},
        {"a macro short of a record",
         {MacroRecord(0, 54, "01")},
         "1 records for a body of 54 bytes"},
        {"a macro whose records disagree",
         {MacroRecord(0, 54, "01"), MacroRecord(0, 55, "02")},
         "record 2 has another header"},
        {"delays flag 2", {MacroRecord(2, 4, "04 c8 00 00")}, "delays flag 2"},
        {"half an event",
         {MacroRecord(1, 6, "04 c8 00 00 05 c8")},
         "a body of 6 bytes is not whole events"},
        {"a missing mark",
         {MacroRecord(1, 8, "04 c8 00 10 05 00 00 10")},
         "event 2 lacks its mark"},
        {"junk after the body", {MacroRecord(0, 1, "04 05")}, "bytes after the body are not 0"},
        {"kind 5", {Record("00 f0 01 01 05")}, "kind 5"},
        {"layer 4", {Record("00 f0 04 01 00")}, "not a key record of this keyboard"},
        {"key 83", {Record("00 f0 01 53 00")}, "not a key record of this keyboard"},
        {"not a key record", {Record("00 e0 01 01 00")}, "not a key record of this keyboard"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(protocol::DecodeDefinition(c.records).problem, c.problem) << c.what;
    }
    EXPECT_EQ(protocol::SlotOfRecord(Record("00 f0 03 52")), 245);
    EXPECT_EQ(protocol::SlotOfRecord(Record("00 f0 01 01")), 0);
    EXPECT_EQ(protocol::SlotOfRecord(Record("01 f0 01 01")), std::nullopt);
}

TEST(KeyboardProtocol, ChunksStayInsideTheReportAndTheArea) {
    std::vector<std::uint8_t> area(10, 0);
    protocol::Bytes chunk = Record("00 e0 ff");
    chunk.fill(0xAB);
    chunk[2] = 0xFF;  // claims 255 bytes
    EXPECT_EQ(protocol::TakeChunk(chunk, area.data(), area.size(), 4), 6u);
    EXPECT_EQ(area, (std::vector<std::uint8_t>{0, 0, 0, 0, 0xAB, 0xAB, 0xAB, 0xAB, 0xAB, 0xAB}));
    EXPECT_EQ(protocol::TakeChunk(chunk, area.data(), area.size(), 10), 0u);
    std::vector<std::uint8_t> large(300, 0);
    EXPECT_EQ(protocol::TakeChunk(chunk, large.data(), large.size(), 0), protocol::kChunkRoom);

    const std::vector<protocol::Bytes> chunks =
        protocol::AreaChunks(protocol::Request::LightChunk, large.data(), 246);
    ASSERT_EQ(chunks.size(), 5u);
    EXPECT_EQ(chunks.back()[2], 2);
}

using KeyboardUnderstanding = SimulatedKeyboardTest;

// Every kind the library encodes reaches the keyboard with the meaning it was given.
TEST_F(KeyboardUnderstanding, EveryKindOfDefinitionMeansWhatTheProgramSet) {
    Open();
    device.prepare();
    std::vector<int> longMacro = {2, 0, 9, 0, 0x0456, 60};
    std::vector<int> delayedMacro = {2, 2, 0, 1, 0, 14};
    for (int event = 0; event < 60; ++event) {
        longMacro.push_back(1 + event);
    }
    for (int event = 0; event < 14; ++event) {
        delayedMacro.push_back(20 + event);
        if (event < 13) {
            delayedMacro.push_back(0x0100 * event + 7);
        }
    }
    const struct {
        int layer;
        int key;
        std::vector<int> array;
        int kind;
        std::vector<int> codes;
        int interval;
        std::vector<int> delays;
    } cases[] = {
        {0, 46, {0, 2, 67, 43}, 0, {67, 43}, 0, {}},
        {0, 47, {0, 1, 256 + 17}, 0, {17}, 0, {}},  // only the low byte travels
        {1, 2, {1, 0x1234, 3, 4, 5, 6}, 1, {4, 5, 6}, 0x1234, {}},
        {2, 3, {1, 500, 0}, 1, {}, 0, {}},
        {0, 10, longMacro, 2, std::vector<int>(longMacro.begin() + 6, longMacro.end()), 0x0456, {}},
        {2, 82, delayedMacro, 4, {}, 0, {}},
        {1, 5, {2, 1, 0, 0, 40, 2, 8, 9}, 3, {8, 9}, 40, {}},
    };
    for (const auto& c : cases) {
        device.setKeyConfiguration(c.layer, c.key, c.array.data(),
                                   static_cast<int>(c.array.size()));
    }
    ASSERT_TRUE(device.writeKeyConfigurationToDev(nullptr));

    const z9rt::sim::SimulatedKeyboardState state = z9rt::sim::ReadSimulatedKeyboard();
    EXPECT_EQ(state.recordProblems, std::vector<std::string>{});
    for (const auto& c : cases) {
        const auto& records =
            state.keyRecords[static_cast<std::size_t>(z9rt::sim::SimulatedSlot(c.layer, c.key))];
        const protocol::KeyDefinitionSeen seen = protocol::DecodeDefinition(
            std::vector<protocol::Bytes>(records.begin(), records.end()));
        EXPECT_EQ(seen.layerNumber, c.layer + 1) << c.key;
        EXPECT_EQ(seen.key, c.key);
        EXPECT_EQ(seen.kind, c.kind) << c.key;
        EXPECT_EQ(seen.interval, c.interval) << c.key;
        if (c.array == delayedMacro) {
            ASSERT_EQ(seen.codes.size(), 14u);
            for (std::size_t event = 0; event < 14; ++event) {
                EXPECT_EQ(seen.codes[event], 20 + static_cast<int>(event));
                EXPECT_EQ(seen.delayList[event], event < 13 ? 0x0100 * event + 7 : 0u);
            }
        } else {
            EXPECT_EQ(seen.codes, c.codes) << c.key;
            EXPECT_EQ(seen.delayList, c.delays) << c.key;
        }
    }
}

// Records that stop making sense are noticed: a macro cut off by the next key's record, a
// count beyond the record, a layer the keyboard does not have.
TEST_F(KeyboardUnderstanding, RecordsThatMakeNoSenseAreReported) {
    std::unique_ptr<z9rt::HidConnection> connection = z9rt::OpenConnection("sim:hidraw3");
    ASSERT_NE(connection, nullptr);
    const auto send = [&connection](const protocol::Bytes& payload) {
        z9rt::OutputReport report{};
        std::copy(payload.begin(), payload.end(), report.begin() + 1);
        EXPECT_TRUE(connection->Write(report));
    };
    send(Record("00 f1"));
    send(MacroRecord(0, 60, "01 02"));  // the first of its two records
    send(Record("00 f0 01 02 00 01 04"));
    send(Record("00 f0 01 03 00 3b"));
    send(Record("00 f0 04 01 00"));
    send(Record("00 f0 01 04 00 01 04"));
    send(Record("00 f6"));
    EXPECT_EQ(z9rt::sim::ReadSimulatedKeyboard().recordProblems,
              (std::vector<std::string>{"layer 1 key 1: 1 records for a body of 60 bytes",
                                        "layer 1 key 3: count 59 is more than a record holds",
                                        "a record for a layer or key the keyboard does not have"}));
}

}  // namespace
