#include "MessageGate.h"

#include <QCoreApplication>
#include <QObject>

#include <mutex>
#include <unordered_map>

namespace skin {
namespace {

struct Registry {
    std::mutex mutex;
    std::unordered_map<std::uintptr_t, QObject*> targets;
    std::uintptr_t lastHandle = 0;
};

Registry& TheRegistry() {
    static Registry registry;
    return registry;
}

}  // namespace

PostedMessageEvent::PostedMessageEvent(std::uint32_t message, std::uintptr_t wParam,
                                       std::intptr_t lParam)
    : QEvent(Type()), message_(message), wParam_(wParam), lParam_(lParam) {}

QEvent::Type PostedMessageEvent::Type() {
    static const auto type = static_cast<QEvent::Type>(QEvent::registerEventType());
    return type;
}

namespace message_gate {

MessageHandle Open(QObject* target) {
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    const std::uintptr_t handle = ++registry.lastHandle;
    registry.targets[handle] = target;
    return reinterpret_cast<MessageHandle>(handle);
}

void Close(MessageHandle handle) {
    Registry& registry = TheRegistry();
    std::lock_guard<std::mutex> lock(registry.mutex);
    registry.targets.erase(reinterpret_cast<std::uintptr_t>(handle));
}

bool Post(MessageHandle handle, std::uint32_t message, std::uintptr_t wParam,
          std::intptr_t lParam) {
    Registry& registry = TheRegistry();
    // The lock is held while posting: the window cannot finish closing its gate, and so cannot
    // be destroyed, while its event is being queued.
    std::lock_guard<std::mutex> lock(registry.mutex);
    const auto found = registry.targets.find(reinterpret_cast<std::uintptr_t>(handle));
    if (found == registry.targets.end()) {
        return false;
    }
    QCoreApplication::postEvent(found->second, new PostedMessageEvent(message, wParam, lParam));
    return true;
}

}  // namespace message_gate
}  // namespace skin
