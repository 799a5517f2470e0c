// The exported facade: discovery, opening and closing, and the operations that run on the
// open facade's store and channel. Every operation that needs an open facade returns false on
// a closed one and touches no device.
#include "OrvoHWI.h"
#include "channel/BackendSelection.h"
#include "channel/COrvoUtil.h"
#include "channel/KeyboardDiscovery.h"
#include "keydefine/COrvo.h"
#include "keydefine/KeyDefinitionFactory.h"
#include "transfer/CounterTransfer.h"
#include "transfer/FirmwareTransfer.h"
#include "transfer/KeyTransfer.h"
#include "transfer/LightTransfer.h"

#include <algorithm>
#include <cwchar>

static_assert(z9rt::kSlotCount == kKeySlotCount, "the store has a slot per key and layer");
static_assert(z9rt::kLightBytes == kLightAreaSize, "the light area crosses the boundary whole");
static_assert(z9rt::kCounterBytes == kCounterCount * z9rt::kCounterWidth, "a counter per key");

namespace {

std::optional<z9rt::FoundKeyboard> FindKeyboardNow() {
    return z9rt::FindKeyboard(z9rt::ActiveBackend().Enumerate());
}

// Layer 0..2 and key 1..82 of the call interface; the store records layer + 1.
bool IsValidPosition(int layer, int key) {
    return z9rt::IsValidLayerNumber(layer + 1) && z9rt::IsValidKey(key);
}

std::size_t SlotIndex(int layer, int key) {
    return static_cast<std::size_t>(z9rt::SlotOf(layer + 1, key));
}

}  // namespace

std::vector<KeyboardInterface> ListKeyboards() {
    std::vector<KeyboardInterface> keyboards;
    for (const z9rt::FoundKeyboard& found :
         z9rt::FindAllKeyboards(z9rt::ActiveBackend().Enumerate())) {
        keyboards.push_back(KeyboardInterface{found.deviceType, found.path});
    }
    return keyboards;
}

COrvoHWI::COrvoHWI() : version_{} {}

COrvoHWI::~COrvoHWI() {
    __closeDev();
}

COrvoHWI::COrvoHWI(const COrvoHWI& other) = default;
COrvoHWI& COrvoHWI::operator=(const COrvoHWI& other) = default;

bool COrvoHWI::DetectDevice() {
    return FindKeyboardNow().has_value();
}

int COrvoHWI::DetectDeviceType() {
    const std::optional<z9rt::FoundKeyboard> found = FindKeyboardNow();
    return found ? found->deviceType : kDeviceTypeNone;
}

bool COrvoHWI::__createDev() {
    if (channel_ != nullptr) {
        return true;
    }
    const std::optional<z9rt::FoundKeyboard> found = FindKeyboardNow();
    if (!found) {
        return false;
    }
    // A keyboard that cannot be opened (held by another program, no permission) still gives
    // an open facade; its first transfer fails, which the caller learns from the version query.
    channel_ = std::make_shared<COrvoUtil>(z9rt::OpenConnection(found->path));
    store_ = std::make_shared<COrvo>(*channel_);
    return true;
}

bool COrvoHWI::__closeDev() {
    store_.reset();
    channel_.reset();
    return true;
}

bool COrvoHWI::ReadKeyboardVersion(wchar_t* buffer) {
    return channel_ != nullptr && channel_->ReadVersion(buffer);
}

const wchar_t* COrvoHWI::getHardwareVersion() {
    if (channel_ != nullptr) {
        // After a failed query the text stays as it was.
        (void)channel_->ReadVersion(version_);
    }
    return version_;
}

bool COrvoHWI::prepare() {
    if (store_ == nullptr) {
        return false;
    }
    for (auto& slot : store_->keys) {
        slot.reset();
    }
    return true;
}

bool COrvoHWI::setKeyConfiguration(int layer, int key, const int* array, int /*elementCount*/) {
    // The result is false in every case, as callers have always been told; a bad selector, play
    // mode, layer or key leaves the table as it was.
    if (store_ == nullptr || array == nullptr || !IsValidPosition(layer, key)) {
        return false;
    }
    std::unique_ptr<CKeyDefine> definition = z9rt::DefinitionFromArray(layer + 1, key, array);
    if (definition != nullptr) {
        store_->keys[SlotIndex(layer, key)] = std::move(definition);
    }
    return false;
}

bool COrvoHWI::getKeyConfiguration(int layer, int key, int* array, int capacity) {
    if (store_ == nullptr || array == nullptr || !IsValidPosition(layer, key)) {
        return false;
    }
    const CKeyDefine* const definition = store_->keys[SlotIndex(layer, key)].get();
    if (definition == nullptr) {
        // An empty slot reads as a kind 0 definition without codes.
        constexpr int kEmptyLength = 2;
        if (capacity < kEmptyLength) {
            return false;
        }
        array[0] = 0;
        array[1] = 0;
        return true;
    }
    if (capacity < definition->ArrayLength()) {
        return false;  // nothing is written beyond the caller's array
    }
    definition->WriteArray(array);
    return true;
}

bool COrvoHWI::writeKeyConfigurationToDev(WindowHandle window) {
    return store_ != nullptr && z9rt::WriteKeyTable(*channel_, store_->keys, window);
}

bool COrvoHWI::readKeyDefinationFromDev(WindowHandle window) {
    return store_ != nullptr && z9rt::ReadKeyTable(*channel_, store_->keys, window);
}

bool COrvoHWI::setKeyboardLightArea(const int* colors) {
    if (store_ == nullptr || colors == nullptr) {
        return false;
    }
    std::transform(colors, colors + kLightAreaSize, store_->light.begin(),
                   [](int value) { return static_cast<std::uint8_t>(value & 0xFF); });
    return z9rt::WriteLightArea(*channel_, store_->light);
}

bool COrvoHWI::getKeyboardLightArea(int* colors) {
    if (store_ == nullptr || colors == nullptr) {
        return false;
    }
    std::copy(store_->light.begin(), store_->light.end(), colors);
    return true;
}

bool COrvoHWI::readKeyLightFromDev() {
    return store_ != nullptr && z9rt::ReadLightArea(*channel_, store_->light);
}

bool COrvoHWI::getPressCounterFromDev(int* counters) {
    if (store_ == nullptr || counters == nullptr) {
        return false;
    }
    const bool read = z9rt::ReadCounters(*channel_, store_->counters);
    // The caller gets the area as it stands either way (after a failed exchange, the earlier
    // counters and whatever part of this read arrived); the result says whether it is current.
    // Each counter crosses as the bit pattern of the keyboard's unsigned 32-bit count.
    for (int key = z9rt::kFirstKey; key <= z9rt::kLastKey; ++key) {
        counters[key - z9rt::kFirstKey] =
            static_cast<int>(z9rt::CounterOfKey(store_->counters, key));
    }
    return read;
}

bool COrvoHWI::WriteFirmwareToKeyboard(const char* text, int length, WindowHandle window) {
    return channel_ != nullptr && z9rt::WriteFirmware(*channel_, text, length, window);
}
