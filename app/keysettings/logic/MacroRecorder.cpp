#include "keysettings/logic/MacroRecorder.h"

#include "keysettings/logic/MacroLimits.h"
#include "model/WideText.h"

#include <algorithm>

using model::CItemList;
using model::DelayItemText;

namespace keysettings {

void MacroRecorder::Start(CItemList& content) {
    const CItemList playback = content;
    content.Clear();
    content.Cycles = playback.Cycles;
    content.IsAutoInterval = playback.IsAutoInterval;
    content.Delay = playback.Delay;
    content.PlayMode = playback.PlayMode;
    keys_.Reset();
    recording_ = true;
}

int MacroRecorder::OnKeyEvent(CItemList& content, int code, bool released, int elapsedMs) {
    if (!recording_ || !keys_.Take(code, released)) {
        return 0;
    }
    const int limit = MostItems(content);
    int appended = 0;
    // Events and delays alternate with an event first: the delay goes only between two
    // events, so a first message that was dropped (the release of a key held at the start)
    // puts no delay in front of the first event.
    if (!content.IsAutoInterval && !content.Empty() && content.Count() < limit) {
        content.Append(DelayItemText(std::clamp(elapsedMs, 0, kLongestDelayMs)));
        ++appended;
    }
    if (content.Count() < limit) {
        content.Append(codes_.EventName(code, true));
        ++appended;
    }
    return appended;
}

int MacroRecorder::Stop(CItemList& content) {
    if (!recording_) {
        return 0;
    }
    recording_ = false;
    // A recording without a single key stays empty: a lone delay would reach the keyboard as
    // an event whose code is the delay's number.
    if (!content.IsAutoInterval && !content.Empty() && content.Count() < kMostItemsWithDelays) {
        content.Append(DelayItemText(kFinalDelayMs));
        return 1;
    }
    return 0;
}

}  // namespace keysettings
