// The two delay modes of a macro and the conversions between them: recorded delays (events and
// the measured delays between them, alternating) and one fixed interval (events only, the
// interval in Delay).
#pragma once

#include "model/ItemList.h"

namespace keysettings {

// "Auto delay": keeps the events, drops the delays, and plays them at the content's Delay (the
// page takes the interval edit's value into Delay first). The rebuilt list shows its last item
// selected. Returns false, changing nothing, when the content already has a fixed interval:
// converting again would have nothing to drop.
bool SwitchToFixedInterval(model::CItemList& content);

// "Record delay": puts a delay of the content's Delay between every two events, then cuts the
// list to the limit of recorded delays (a long fixed-interval macro would otherwise grow
// beyond it). The rebuilt list shows its last item selected. Returns false, changing nothing,
// when the content already has recorded delays: converting again would put delays between
// delays.
bool SwitchToRecordedDelays(model::CItemList& content);

}  // namespace keysettings
