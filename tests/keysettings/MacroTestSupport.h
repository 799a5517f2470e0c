// Helpers of the key settings logic tests: code tables, content lists written as item texts,
// and a feed of key messages with the times the hook would deliver them at.
#pragma once

#include "model/CodeTables.h"
#include "model/ItemList.h"

#include <functional>
#include <string>
#include <vector>

namespace keytest {

// Virtual-key codes used in the tests.
constexpr int kVkA = 0x41;
constexpr int kVkB = 0x42;
constexpr int kReleased = 0x200;

const model::CKeyCodeTables& Codes();

// A content list of the given items (view size 9, as the pages show them).
model::CItemList Content(const std::vector<std::wstring>& items, bool fixedInterval);
std::vector<std::wstring> ItemsOf(const model::CItemList& list);

// Events and delays alternate, an event first: what the keyboard conversion expects.
bool Alternates(const model::CItemList& list);

// Key messages at chosen times, as the dialog hands them to a recording: each with the
// milliseconds since the previous message of any kind, at most 65535.
class KeyFeed {
public:
    using Sink = std::function<void(int code, bool released, int elapsedMs)>;
    explicit KeyFeed(Sink sink) : sink_(std::move(sink)) {}

    void Press(int timeMs, int vk) { Send(timeMs, vk, false); }
    void Release(int timeMs, int vk) { Send(timeMs, vk | kReleased, true); }

private:
    void Send(int timeMs, int code, bool released);

    Sink sink_;
    long long previousMs_ = -1;
};

}  // namespace keytest
