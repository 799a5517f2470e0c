#include "DifferenceWords.h"

#include "Keyboard.h"
#include "SlotText.h"
#include "model/WideText.h"
#include "profile/ProfileFile.h"

using model::ApplyKeyReadBack;
using model::KeyCaption;
using model::KeyReadBack;
using model::KeySlotDifference;
using model::LightDifference;
using model::Utf8FromWide;
using profile::KeyLayerWords;

namespace z9rt::cli {

DifferenceWords::DifferenceWords(int deviceType) {
    PrepareConfiguration(scratch_, deviceType);
}

std::string DifferenceWords::KindName(const KeyReadBack& form) const {
    return KindNameOf(scratch_, form.kind);
}

std::string DifferenceWords::Assignment(int key, int layer, const KeyReadBack& form) {
    ApplyKeyReadBack(scratch_, key, layer, form);
    return AssignmentOf(scratch_, key, layer);
}

std::string DifferenceWords::Words(int key, int layer, const KeyReadBack& form) {
    ApplyKeyReadBack(scratch_, key, layer, form);
    return SlotWords(scratch_, key, layer);
}

std::string DifferenceWords::KeyLine(const KeySlotDifference& difference, const std::string& first,
                                     const std::string& second) {
    const int key = difference.key;
    const int layer = difference.layer;
    return KeyLayerWords(key, layer) + ": " + first + " " + Words(key, layer, difference.sent) +
           "; " + second + " " + Words(key, layer, difference.received);
}

std::string DifferenceWords::LightLine(const LightDifference& difference, const std::string& first,
                                       const std::string& second) {
    return "key " + std::to_string(difference.key) + " (" +
           Utf8FromWide(KeyCaption(difference.key)) + ") colour: " + first + " " +
           HexColour(difference.sent) + "; " + second + " " + HexColour(difference.received);
}

}  // namespace z9rt::cli
