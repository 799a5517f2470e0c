#include "keysettings/logic/EmulationRecorder.h"

using model::CItemList;

namespace keysettings {

void EmulationRecorder::Start(CItemList& content) {
    const int interval = content.Delay;
    content.Clear();
    content.Delay = interval;
    keys_.Reset();
    lastCode_ = -1;
    recording_ = true;
}

int EmulationRecorder::OnKeyEvent(CItemList& content, int code, bool released) {
    if (!recording_) {
        return 0;
    }
    const int previousCode = lastCode_;
    lastCode_ = code;
    if (!keys_.Take(code, released) || released) {
        return 0;
    }
    if (content.Count() >= kMostEmulationKeys || code == previousCode) {
        return 0;
    }
    content.Append(codes_.EventName(code, false));
    return 1;
}

}  // namespace keysettings
