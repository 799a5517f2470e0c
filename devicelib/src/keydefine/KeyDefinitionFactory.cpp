#include "keydefine/KeyDefinitionFactory.h"

#include "keydefine/KeyRecord.h"

namespace z9rt {
namespace {

// Element 0 of an array: which family the definition belongs to.
enum class Selector : int { Normal = 0, Continous = 1, Macro = 2 };
constexpr int kPlayModeElement = 1;  // of a macro's array
constexpr int kPlayModeCount = 3;

}  // namespace

std::unique_ptr<CKeyDefine> DefinitionFromArray(int layerNumber, int key, const int* array) {
    switch (static_cast<Selector>(array[0])) {
        case Selector::Normal: {
            auto definition = std::make_unique<CNormalKeyDefine>(key, layerNumber);
            definition->ReadArray(array);
            return definition;
        }
        case Selector::Continous: {
            auto definition = std::make_unique<CContinousKeyDefine>(key, layerNumber);
            definition->ReadArray(array);
            return definition;
        }
        case Selector::Macro: {
            const int playMode = array[kPlayModeElement];
            if (playMode < 0 || playMode >= kPlayModeCount) {
                return nullptr;
            }
            auto definition =
                std::make_unique<CMacroKeyDefine>(key, layerNumber, kFirstMacroKind + playMode);
            definition->ReadArray(array);
            return definition;
        }
    }
    return nullptr;
}

std::unique_ptr<CKeyDefine> EmptyDefinitionOfKind(int kind, int layerNumber, int key) {
    if (kind < 0 || kind > kHighestKind) {
        return nullptr;
    }
    switch (static_cast<RecordKind>(kind)) {
        case RecordKind::Normal:
            return std::make_unique<CNormalKeyDefine>(key, layerNumber);
        case RecordKind::Continous:
            return std::make_unique<CContinousKeyDefine>(key, layerNumber);
        case RecordKind::MacroTimes:
        case RecordKind::MacroWhileHeld:
        case RecordKind::MacroToggle:
            return std::make_unique<CMacroKeyDefine>(key, layerNumber, kind);
    }
    return nullptr;
}

}  // namespace z9rt
