#include "MacroTestSupport.h"

#include "keysettings/logic/MacroLimits.h"

#include <algorithm>

using model::CItemList;
using model::CKeyCodeTables;

namespace keytest {

const CKeyCodeTables& Codes() {
    static const CKeyCodeTables codes = [] {
        CKeyCodeTables tables;
        tables.FillCodeTables();
        return tables;
    }();
    return codes;
}

CItemList Content(const std::vector<std::wstring>& items, bool fixedInterval) {
    CItemList list;
    list.SizeOfView = 9;
    list.IsAutoInterval = fixedInterval;
    for (const std::wstring& item : items) {
        list.Append(item);
    }
    return list;
}

std::vector<std::wstring> ItemsOf(const CItemList& list) {
    return list.Items();
}

bool Alternates(const CItemList& list) {
    for (std::size_t i = 0; i < list.Items().size(); ++i) {
        if (keysettings::IsDelayItem(list.Items()[i]) != (i % 2 == 1)) {
            return false;
        }
    }
    return true;
}

void KeyFeed::Send(int timeMs, int code, bool released) {
    // The first message after a start measures from nothing; the recording ignores its delay.
    const long long elapsed = previousMs_ < 0 ? 0 : timeMs - previousMs_;
    previousMs_ = timeMs;
    sink_(code, released, static_cast<int>(std::min<long long>(elapsed, 65535)));
}

}  // namespace keytest
