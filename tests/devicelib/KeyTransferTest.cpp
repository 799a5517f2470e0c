// Key definitions on the wire: the write after prepare, every record layout, the read's end
// marker and skip rules, all checked byte for byte in the report trace.
#include "SimulatedKeyboardFixture.h"
#include "keydefine/COrvo.h"
#include "transfer/KeyTransfer.h"

#include <cstdio>
#include <numeric>

namespace {

using testsupport::Hex;
using testsupport::HexOf;
using testsupport::TraceCapture;

using KeyWrite = SimulatedKeyboardTest;
using KeyRead = SimulatedKeyboardTest;

// "xx xx ..." for the bytes from, from + 1, ... (count of them).
std::string Sequence(int from, int count) {
    std::string text;
    char byte[4];
    for (int index = 0; index < count; ++index) {
        std::snprintf(byte, sizeof byte, index == 0 ? "%02x" : " %02x", (from + index) & 0xFF);
        text += byte;
    }
    return text;
}

std::string Header(int layerNumber, int key, int kind) {
    char text[32];
    std::snprintf(text, sizeof text, "00 f0 %02x %02x %02x", layerNumber, key, kind);
    return text;
}

std::vector<int> Get(COrvoHWI& device, int layer, int key) {
    std::vector<int> array(65536, -7);
    EXPECT_TRUE(device.getKeyConfiguration(layer, key, array.data(), 65536));
    return array;
}

TEST_F(KeyWrite, AfterPrepareSends248ReportsAndPostsEverySlot) {
    TraceCapture trace;
    Open();
    device.prepare();
    ASSERT_TRUE(device.writeKeyConfigurationToDev(testsupport::TestWindow()));

    const std::vector<std::string> sent = trace.Sent();
    ASSERT_EQ(sent.size(), 248u);
    EXPECT_EQ(sent.front(), "00 f1");
    for (int slot = 0; slot < 246; ++slot) {
        ASSERT_EQ(sent[static_cast<std::size_t>(slot) + 1],
                  Header(slot / 82 + 1, slot % 82 + 1, 0).substr(0, 11))
            << "slot " << slot;
    }
    EXPECT_EQ(sent[1], "00 f0 01 01");
    EXPECT_EQ(sent[82], "00 f0 01 52");
    EXPECT_EQ(sent[83], "00 f0 02 01");
    EXPECT_EQ(sent[246], "00 f0 03 52");
    EXPECT_EQ(sent.back(), "00 " + testsupport::Repeated(0xF6, 63));
    EXPECT_EQ(trace.Received().size(), 0u);

    std::vector<std::uintptr_t> expected(246);
    std::iota(expected.begin(), expected.end(), 0u);
    EXPECT_EQ(posts.WParams(WM_DEVICE_PROGRESS), expected);
    for (const testsupport::Post& post : posts.Posts()) {
        EXPECT_EQ(post.window, testsupport::TestWindow());
        EXPECT_EQ(post.lParam, 0);
    }
    // The keyboard holds an empty record in every slot.
    const auto held = z9rt::sim::ReadSimulatedKeyboard();
    EXPECT_EQ(HexOf(held.keyRecords[245].at(0)), "00 f0 03 52");
}

TEST_F(KeyWrite, NullWindowGetsNoProgress) {
    Open();
    device.prepare();
    ASSERT_TRUE(device.writeKeyConfigurationToDev(nullptr));
    EXPECT_TRUE(posts.Posts().empty());
}

TEST_F(KeyWrite, NormalAndContinousRecords) {
    TraceCapture trace;
    Open();
    device.prepare();
    const int combo[] = {0, 2, 67, 43};
    const int wide[] = {0, 1, 256 + 17};
    const int emulation[] = {1, 0x1234, 3, 4, 5, 6};
    const int emulationWithoutCodes[] = {1, 500, 0};
    device.setKeyConfiguration(0, 46, combo, 4);
    device.setKeyConfiguration(0, 47, wide, 3);
    device.setKeyConfiguration(1, 2, emulation, 6);
    device.setKeyConfiguration(2, 3, emulationWithoutCodes, 3);
    ASSERT_TRUE(device.writeKeyConfigurationToDev(nullptr));
    const std::vector<std::string> sent = trace.Sent();
    ASSERT_EQ(sent.size(), 248u);
    EXPECT_EQ(sent[1 + 45], "00 f0 01 2e 00 02 43 2b");
    EXPECT_EQ(sent[1 + 46], "00 f0 01 2f 00 01 11");
    EXPECT_EQ(sent[1 + 83], "00 f0 02 02 01 12 34 03 04 05 06");
    // Without codes only the header travels: bytes 5 to 7 stay 0, the interval is not sent.
    EXPECT_EQ(sent[1 + 166], "00 f0 03 03 01");
}

TEST_F(KeyWrite, MacroOf53EventsFillsOneRecordAnd54NeedTwo) {
    TraceCapture trace;
    Open();
    device.prepare();
    std::vector<int> macro53 = {2, 0, 3, 0, 30, 53};
    std::vector<int> macro54 = {2, 2, 0, 0, 0x0102, 54};
    for (int event = 0; event < 54; ++event) {
        if (event < 53) {
            macro53.push_back(1 + event);
        }
        macro54.push_back(101 + event);
    }
    device.setKeyConfiguration(0, 1, macro53.data(), static_cast<int>(macro53.size()));
    device.setKeyConfiguration(0, 2, macro54.data(), static_cast<int>(macro54.size()));
    ASSERT_TRUE(device.writeKeyConfigurationToDev(nullptr));
    const std::vector<std::string> sent = trace.Sent();
    ASSERT_EQ(sent.size(), 249u);
    EXPECT_EQ(sent[1], "00 f0 01 01 02 03 00 00 1e 00 35 " + Sequence(1, 53));
    EXPECT_EQ(sent[2], "00 f0 01 02 04 00 00 01 02 00 36 " + Sequence(101, 53));
    EXPECT_EQ(sent[3], "00 f0 01 02 04 00 00 01 02 00 36 " + Sequence(154, 1));
    EXPECT_EQ(sent[4], "00 f0 01 03");

    // Both come back whole.
    device.prepare();
    ASSERT_TRUE(device.readKeyDefinationFromDev(nullptr));
    const std::vector<int> back53 = Get(device, 0, 1);
    const std::vector<int> back54 = Get(device, 0, 2);
    EXPECT_EQ(std::vector<int>(back53.begin(), back53.begin() + 59), macro53);
    EXPECT_EQ(std::vector<int>(back54.begin(), back54.begin() + 60), macro54);
}

TEST_F(KeyWrite, MacroOf14EventsWithDelaysTakesTwoRecords) {
    TraceCapture trace;
    Open();
    device.prepare();
    std::vector<int> macro = {2, 1, 0, 1, 0, 14};
    for (int event = 0; event < 14; ++event) {
        macro.push_back(4 + event);
        if (event < 13) {
            macro.push_back(300 * (event + 1));
        }
    }
    device.setKeyConfiguration(0, 1, macro.data(), static_cast<int>(macro.size()));
    ASSERT_TRUE(device.writeKeyConfigurationToDev(nullptr));
    const std::vector<std::string> sent = trace.Sent();
    ASSERT_EQ(sent.size(), 249u);
    // 13 events of code, c8, delay high, delay low; then the 14th event's code ...
    std::string body;
    char event[16];
    for (int index = 0; index < 13; ++index) {
        const int delay = 300 * (index + 1);
        std::snprintf(event, sizeof event, " %02x c8 %02x %02x", 4 + index, delay >> 8,
                      delay & 0xFF);
        body += event;
    }
    EXPECT_EQ(sent[1], "00 f0 01 01 03 00 01 00 00 00 38" + body + " 11");
    // ... and the rest of it, whose delay is 0, in a second record.
    EXPECT_EQ(sent[2], "00 f0 01 01 03 00 01 00 00 00 38 c8");

    device.prepare();
    ASSERT_TRUE(device.readKeyDefinationFromDev(nullptr));
    const std::vector<int> back = Get(device, 0, 1);
    EXPECT_EQ(std::vector<int>(back.begin(), back.begin() + 33), macro);
    EXPECT_EQ(back[33], -7);
}

TEST_F(KeyWrite, MacroWithoutEventsIsOneRecordWithEmptyBody) {
    TraceCapture trace;
    Open();
    device.prepare();
    const int empty[] = {2, 1, 0, 1, 0, 0};
    device.setKeyConfiguration(0, 3, empty, 6);
    ASSERT_TRUE(device.writeKeyConfigurationToDev(nullptr));
    const std::vector<std::string> sent = trace.Sent();
    ASSERT_EQ(sent.size(), 248u);
    EXPECT_EQ(sent[3], "00 f0 01 03 03 00 01");  // B = 0 in bytes 9 and 10
}

TEST_F(KeyWrite, FailedWriteEndsTheConversation) {
    Open();
    device.prepare();
    z9rt::sim::SetSimulatedKeyboardFaults("unplug-after=10");
    EXPECT_FALSE(device.writeKeyConfigurationToDev(testsupport::TestWindow()));
    // The start request and nine slots went; slot 9's record found the keyboard gone.
    EXPECT_EQ(posts.WParams(WM_DEVICE_PROGRESS).size(), 9u);
}

TEST_F(KeyRead, FactoryKeyboardHoldsTheModelsDefaults) {
    Open();
    ASSERT_TRUE(device.readKeyDefinationFromDev(testsupport::TestWindow()));
    EXPECT_EQ(posts.WParams(WM_DEVICE_PROGRESS).size(), 246u);
    const auto prefix = [&](int layer, int key, std::size_t count) {
        const std::vector<int> array = Get(device, layer, key);
        return std::vector<int>(array.begin(), array.begin() + static_cast<long>(count));
    };
    EXPECT_EQ(prefix(0, 46, 4), std::vector<int>({0, 1, 43, -7}));
    EXPECT_EQ(prefix(1, 10, 4), std::vector<int>({0, 1, 168, -7}));
    EXPECT_EQ(prefix(2, 78, 3), std::vector<int>({0, 1, 156}));
    EXPECT_EQ(prefix(1, 21, 3), std::vector<int>({0, 0, -7}));

    z9rt::sim::ResetSimulatedKeyboard(kDeviceTypeS);
    ASSERT_TRUE(device.readKeyDefinationFromDev(nullptr));
    EXPECT_EQ(prefix(1, 10, 3), std::vector<int>({0, 0, -7}));
    EXPECT_EQ(prefix(0, 10, 3), std::vector<int>({0, 1, 10}));
}

TEST_F(KeyRead, TheFactoryTableIsWhatTheProgramWritesForTheDefaults) {
    // The program writes a default key with code h as 0, 1, h, and skips keys whose default
    // is 0; writing that back must leave the keyboard exactly as it came.
    for (int model = 1; model <= 4; ++model) {
        z9rt::sim::ResetSimulatedKeyboard(model);
        const auto factory = z9rt::sim::ReadSimulatedKeyboard().keyRecords;
        COrvoHWI writer;
        ASSERT_TRUE(writer.__createDev());
        ASSERT_TRUE(writer.readKeyDefinationFromDev(nullptr));
        std::vector<std::vector<int>> arrays;
        for (int layer = 0; layer < 3; ++layer) {
            for (int key = 1; key <= 82; ++key) {
                arrays.push_back(Get(writer, layer, key));
            }
        }
        writer.prepare();
        for (int slot = 0; slot < 246; ++slot) {
            const std::vector<int>& array = arrays[static_cast<std::size_t>(slot)];
            if (array[1] != 0) {
                const int single[] = {0, 1, array[2]};
                writer.setKeyConfiguration(slot / 82, slot % 82 + 1, single, 3);
            }
        }
        ASSERT_TRUE(writer.writeKeyConfigurationToDev(nullptr));
        EXPECT_EQ(z9rt::sim::ReadSimulatedKeyboard().keyRecords, factory) << "model " << model;
    }
}

// The read's rules, with the keyboard's answers laid out report by report.
class KeyReadScript : public ::testing::Test {
protected:
    bool Read(WindowHandle window = testsupport::TestWindow()) {
        CKeyboardUtil channel(std::make_unique<testsupport::ScriptedConnection>(script));
        return z9rt::ReadKeyTable(channel, keys, window);
    }
    testsupport::PostRecorder posts;
    testsupport::ScriptedConnection::Script script;
    z9rt::KeyTable keys;
};

TEST_F(KeyReadScript, OnlyLeadingF6EndsAndStrangersAreSkipped) {
    script.answers = {
        Hex("00 f6 f6 f6"),           // 0xF6 in byte 1 only: not the end
        Hex("00 55 01 01"),           // no key record
        Hex("00 f0 00 01 00 01 09"),  // layer 0
        Hex("00 f0 04 01 00 01 09"),  // layer 4
        Hex("00 f0 01 00 00 01 09"),  // key 0
        Hex("00 f0 01 53 00 01 09"),  // key 83
        Hex("00 f0 01 01 05 01 09"),  // kind 5
        Hex("00 f0 02 03 00 3a 09"),  // 58 codes claimed: a record holds them
        Hex("00 f0 02 04 00 ff 09"),  // 255 codes claimed: no more than 58 are read
        Hex("f6"),
        Hex("00 f0 01 01 00 01 09"),  // after the end: not read
    };
    ASSERT_TRUE(Read());
    EXPECT_EQ(script.written.size(), 1u);
    EXPECT_EQ(HexOf(script.written[0]), "00 f2");
    EXPECT_EQ(posts.WParams(WM_DEVICE_PROGRESS), std::vector<std::uintptr_t>({84, 85}));
    for (int slot = 0; slot < 246; ++slot) {
        if (slot != 84 && slot != 85) {
            EXPECT_EQ(keys[static_cast<std::size_t>(slot)], nullptr) << slot;
        }
    }
    int array[70] = {};
    keys[85]->WriteArray(array);
    EXPECT_EQ(array[1], 58);
    EXPECT_EQ(script.answers.size(), 1u);
}

TEST_F(KeyReadScript, SilenceEndsTheReadWithFalseAndKeepsWhatCame) {
    script.answers = {Hex("00 f0 01 05 00 01 2b")};
    EXPECT_FALSE(Read());
    ASSERT_NE(keys[4], nullptr);
    EXPECT_EQ(posts.WParams(WM_DEVICE_PROGRESS), std::vector<std::uintptr_t>({4}));
}

TEST_F(KeyReadScript, AMacroMissingItsSecondRecordFails) {
    script.answers = {Hex("00 f0 01 01 02 01 00 00 00 00 36 04")};
    script.readFailsWhenEmpty = true;
    EXPECT_FALSE(Read());
    EXPECT_TRUE(posts.WParams(WM_DEVICE_PROGRESS).empty());
}

TEST_F(KeyReadScript, AMacroWhoseRecordsDoNotFollowItIsDropped) {
    // Key 1's macro announces B = 54, two records; in place of its second record comes ...
    const std::string macroStart = "00 f0 01 01 02 01 00 00 1e 00 36 " + Sequence(1, 53);
    struct Case {
        const char* what;
        std::string instead;
        std::vector<std::uintptr_t> progress;  // slots read
    };
    const Case cases[] = {
        {"the next key's record", "00 f0 01 02 00 01 2b", {1}},
        {"a record of the same key on another layer", "00 f0 02 01 00 01 2b", {82}},
        {"the end marker", "f6 f6 f6 f6 f6 f6 f6 f6 f6 f6 f6 36", {}},
        {"a report of no conversation", "00 55 01 01", {}},
    };
    for (const Case& test : cases) {
        posts.Clear();
        auto kept = std::make_unique<CNormalKeyDefine>(1, 1);
        kept->codes = {0x29};
        keys[0] = std::move(kept);
        script.written.clear();
        script.answers = {Hex(macroStart), Hex(test.instead), Hex("f6")};
        ASSERT_TRUE(Read()) << test.what;
        EXPECT_EQ(posts.WParams(WM_DEVICE_PROGRESS), test.progress) << test.what;
        // The damaged macro changed nothing: the slot keeps what it held.
        const auto* held = dynamic_cast<const CNormalKeyDefine*>(keys[0].get());
        ASSERT_NE(held, nullptr) << test.what;
        EXPECT_EQ(held->codes, std::vector<int>({0x29})) << test.what;
        for (std::uintptr_t slot : test.progress) {
            const auto* own = dynamic_cast<const CNormalKeyDefine*>(keys[slot].get());
            ASSERT_NE(own, nullptr) << test.what;
            EXPECT_EQ(own->codes, std::vector<int>({0x2b})) << test.what;
        }
    }
}

TEST_F(KeyRead, AMacroCutOffOnTheKeyboardLeavesTheNextKeyIntact) {
    // The keyboard holds only the first of a macro's two records (its write was cut off),
    // followed by key 2's own record.
    z9rt::sim::KeyRecordBytes cut{};
    const z9rt::Payload first = Hex("00 f0 01 01 02 01 00 00 1e 00 36 " + Sequence(1, 53));
    std::copy(first.begin(), first.end(), cut.begin());
    z9rt::sim::SetSimulatedKeyRecords(0, 1, {cut});
    Open();
    ASSERT_TRUE(device.readKeyDefinationFromDev(nullptr));
    EXPECT_EQ(Get(device, 0, 1)[0], 0);  // never set: the damaged macro was dropped
    EXPECT_EQ(Get(device, 0, 1)[1], 0);
    // Key 2 reads as the keyboard holds it.
    const auto held = z9rt::sim::ReadSimulatedKeyboard().keyRecords[1].at(0);
    const std::vector<int> second = Get(device, 0, 2);
    EXPECT_EQ(second[0], 0);
    ASSERT_EQ(second[1], held[5]);
    EXPECT_EQ(second[2], held[6]);
}

}  // namespace
