// The hook's key source on Windows: a low-level keyboard hook on a thread of its own, which
// passes every keystroke to the sink and swallows it, so that no other program sees it while
// the hook is installed. Keystrokes other programs synthesise are passed on untouched.
#include "hook/KeySource.h"
#include "hook/VirtualKeyTable.h"

#include <atomic>
#include <future>
#include <thread>
#include <windows.h>

namespace z9rt {
namespace {

class LowLevelKeySource;
// The hook procedure has no context argument; only one source runs at a time.
std::atomic<LowLevelKeySource*> runningSource{nullptr};

class LowLevelKeySource final : public KeySource {
public:
    explicit LowLevelKeySource(Sink sink) : sink_(std::move(sink)) {}
    ~LowLevelKeySource() override {
        if (thread_.joinable()) {
            PostThreadMessageW(threadId_, WM_QUIT, 0, 0);
            thread_.join();
        }
        runningSource.store(nullptr);
    }
    LowLevelKeySource(const LowLevelKeySource&) = delete;
    LowLevelKeySource& operator=(const LowLevelKeySource&) = delete;

    // Installs the hook on the source's thread; false when Windows refuses it.
    bool Start() {
        std::promise<bool> installed;
        std::future<bool> answer = installed.get_future();
        thread_ = std::thread([this, &installed] { Run(installed); });
        if (answer.get()) {
            return true;
        }
        thread_.join();
        return false;
    }

private:
    static LRESULT CALLBACK Procedure(int code, WPARAM message, LPARAM data) {
        LowLevelKeySource* const source = runningSource.load();
        const auto* const record = reinterpret_cast<const KBDLLHOOKSTRUCT*>(data);
        if (code != HC_ACTION || source == nullptr || (record->flags & LLKHF_INJECTED) != 0) {
            return CallNextHookEx(nullptr, code, message, data);
        }
        const std::optional<int> linuxCode = LinuxKeyOfVirtualKey(
            static_cast<std::uint8_t>(record->vkCode), (record->flags & LLKHF_EXTENDED) != 0);
        if (!linuxCode) {
            return CallNextHookEx(nullptr, code, message, data);
        }
        const bool release = message == WM_KEYUP || message == WM_SYSKEYUP;
        // Windows repeats a held key as further presses; the translator counts them alike.
        source->sink_(*linuxCode, release ? KeyAction::Release : KeyAction::Press, record->time);
        return 1;
    }

    void Run(std::promise<bool>& installed) {
        threadId_ = GetCurrentThreadId();
        MSG message;
        PeekMessageW(&message, nullptr, WM_USER, WM_USER, PM_NOREMOVE);  // the thread's queue
        runningSource.store(this);
        HHOOK hook = SetWindowsHookExW(WH_KEYBOARD_LL, Procedure, GetModuleHandleW(nullptr), 0);
        installed.set_value(hook != nullptr);
        if (hook == nullptr) {
            runningSource.store(nullptr);
            return;
        }
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        UnhookWindowsHookEx(hook);
    }

    Sink sink_;
    std::thread thread_;
    DWORD threadId_ = 0;
};

}  // namespace

std::unique_ptr<KeySource> StartKeySource(const std::string& /*where*/, KeySource::Sink sink) {
    auto source = std::make_unique<LowLevelKeySource>(std::move(sink));
    if (!source->Start()) {
        return nullptr;
    }
    return source;
}

}  // namespace z9rt
