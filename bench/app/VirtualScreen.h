// A private X screen (Xvfb) for the start-up benchmark, and what the benchmark sees of the
// windows on it: when each top-level window is created, first painted (the server's damage
// report on it, so "painted" means the pixels reached the screen), painted again, and gone.
// It also clicks and presses keys there, as the server's test input.
#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <sys/types.h>
#include <xcb/xcb.h>

namespace bench {

using Clock = std::chrono::steady_clock;

struct ShownWindow {
    std::uint32_t id = 0;
    std::uint64_t order = 0;  // 1 for the first window created on the screen, and so on
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int paints = 0;
    Clock::time_point firstPaint;
    bool gone = false;  // unmapped or destroyed
};

class VirtualScreen {
public:
    // Starts Xvfb with one screen of the size on a display of its own choosing; null, with the
    // reason in `error`, when no server could be started or it lacks the damage extension.
    static std::unique_ptr<VirtualScreen> Start(int width, int height, std::string* error);
    ~VirtualScreen();
    VirtualScreen(const VirtualScreen&) = delete;
    VirtualScreen& operator=(const VirtualScreen&) = delete;

    // ":N", for the DISPLAY of the programs started on it.
    const std::string& display() const { return display_; }

    // How many top-level windows were created so far: windows created later have a higher
    // order.
    std::uint64_t windowsCreated() const { return created_; }
    // The first window created after `order` that has the size (any size above 1 x 1 when
    // width is 0) and has been painted, once it is; null at the timeout.
    const ShownWindow* waitForPainted(std::uint64_t order, int width, int height,
                                      std::chrono::milliseconds timeout);
    // Handles the server's reports until the condition holds; false at the timeout.
    bool waitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout);
    const ShownWindow* window(std::uint32_t id) const;

    // A left click at a point of the screen; the time it was sent.
    Clock::time_point click(int x, int y);
    // Gives the window the keyboard focus and presses and releases Escape there.
    void pressEscape(std::uint32_t window);

private:
    VirtualScreen() = default;
    bool connect(std::string* error);
    void handle(const xcb_generic_event_t& event);
    void dispatchPending();

    pid_t server_ = -1;
    std::string display_;
    xcb_connection_t* connection_ = nullptr;
    std::uint8_t damageEvent_ = 0;
    std::uint64_t created_ = 0;
    std::map<std::uint32_t, ShownWindow> windows_;
    // The damage object watching each window, by the window's id.
    std::map<std::uint32_t, std::uint32_t> damages_;
};

}  // namespace bench
