#include "model/KeyboardConfig.h"

#include "model/DefaultKeyTables.h"

namespace model {

CKeyboardConfig::CKeyboardConfig() {
    pressCounter.fill(kCounterNoData);
}

void CKeyboardConfig::BuildCodeTables() {
    FillCodeTables();
    language = kLanguageChinese;
}

void CKeyboardConfig::ResetToDefaults() {
    ApplyDefaults(deviceType);
}

int CKeyboardConfig::DefaultHWCode(int key, int layer) const {
    return model::DefaultHWCode(deviceType, key, layer);
}

void CKeyboardConfig::InvalidatePressCounters() {
    pressCounter.fill(kCounterNoData);
    highestKey = -1;
    lowestKey = -1;
}

}  // namespace model
