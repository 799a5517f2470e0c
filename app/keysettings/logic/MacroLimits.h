// What a macro may hold and what its playback values may be, and the rules that keep a
// macro's content within them before it reaches a key's slot.
#pragma once

#include "model/AssignmentRules.h"
#include "model/CodeTables.h"
#include "model/ItemList.h"

#include <string_view>

namespace keysettings {

// The limits are the model's (model/AssignmentRules.h), which z9rtctl's editing keeps to too.

// Items of a macro: events and delays alternating with recorded delays, events only with a
// fixed interval.
constexpr int kMostItemsWithDelays = model::kMacroItemLimitRecordedDelays;
constexpr int kMostItemsFixedInterval = model::kMacroItemLimitFixedInterval;

// The delay a stopped recording appends, in milliseconds.
constexpr int kFinalDelayMs = 50;
// A delay travels to the keyboard in two bytes; the recording measures at most this much and
// the delay editor takes at most this much.
constexpr int kLongestDelayMs = model::kMacroDelayMax;

// Playback values as the macro page edits them.
constexpr int kFewestCycles = model::kMacroCyclesMin;
constexpr int kMostCycles = model::kMacroCyclesMax;
constexpr int kShortestInterval = 0;
constexpr int kLongestInterval = model::kMacroIntervalMax;
constexpr int kPlayModeTimes = model::PlayTimes;          // "Times Play": Cycles times per press
constexpr int kPlayModeWhileHeld = model::PlayWhileHeld;  // "Press play, release stop"
constexpr int kPlayModeToggle = model::PlayToggle;        // "Press to play/stop"

// The item limit of the content's delay mode.
int MostItems(const model::CItemList& content);
// A delay item is what the transfer to the keyboard reads as one: a text holding "ms>", as
// "<120 ms>" does. Every other item is an event, "<>| Down" (the key left of Z on ISO
// keyboards) included, although it begins with "<" like a delay.
bool IsDelayItem(std::wstring_view item);

// Removes items from the end until the content is within its limit; returns how many went.
int TrimToLimit(model::CItemList& content);

// Makes the content fit what a key's slot and the keyboard take: no more items than the
// limit, delays within 0..65535 ms (a longer delay becomes the longest, a negative one 0, as
// recording and the delay editor clamp them), Cycles within 1..255, the fixed interval within
// 0..60000 ms and a play mode of 0, 1 or 2 (anything else plays as "Times Play"). Content
// from the page's own edits already fits; content from a profile may not. Returns whether
// anything changed.
bool FitMacroForKeyboard(model::CItemList& content, const model::CKeyCodeTables& codes);

// The play mode whose button shows selected: the content's, or "Times Play" for a value no
// button stands for.
int ShownPlayMode(int playMode);

}  // namespace keysettings
