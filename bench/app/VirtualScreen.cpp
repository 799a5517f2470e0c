#include "VirtualScreen.h"

#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xtest.h>

extern char** environ;

namespace bench {
namespace {

constexpr std::chrono::seconds kServerStartLimit{20};
constexpr std::uint32_t kEscapeKeysym = 0xff1b;

// Reads the display number Xvfb writes once it accepts connections; -1 when it does not.
int ReadDisplayNumber(int fd) {
    std::string text;
    const Clock::time_point deadline = Clock::now() + kServerStartLimit;
    while (Clock::now() < deadline) {
        pollfd ready{fd, POLLIN, 0};
        if (poll(&ready, 1, 100) <= 0) {
            continue;
        }
        char buffer[32];
        const ssize_t got = read(fd, buffer, sizeof buffer);
        if (got <= 0) {
            break;
        }
        text.append(buffer, static_cast<std::size_t>(got));
        if (text.find('\n') != std::string::npos) {
            return std::atoi(text.c_str());
        }
    }
    return -1;
}

}  // namespace

std::unique_ptr<VirtualScreen> VirtualScreen::Start(int width, int height, std::string* error) {
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0) {
        *error = "no pipe for the X server's display number";
        return nullptr;
    }
    const std::string fd = std::to_string(pipeEnds[1]);
    const std::string screen = std::to_string(width) + "x" + std::to_string(height) + "x24";
    const char* argv[] = {"Xvfb",         "-displayfd", fd.c_str(), "-screen",  "0",
                          screen.c_str(), "-nolisten",  "tcp",      "-noreset", nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addclose(&actions, pipeEnds[0]);
    // The server's own chatter is not the benchmark's.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    std::unique_ptr<VirtualScreen> screenOwner(new VirtualScreen);
    const int spawned = posix_spawnp(&screenOwner->server_, "Xvfb", &actions, nullptr,
                                     const_cast<char* const*>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(pipeEnds[1]);
    if (spawned != 0) {
        close(pipeEnds[0]);
        screenOwner->server_ = -1;
        *error = "Xvfb cannot be started (is it installed? scripts/deps.sh installs it)";
        return nullptr;
    }
    const int number = ReadDisplayNumber(pipeEnds[0]);
    close(pipeEnds[0]);
    if (number < 0) {
        *error = "Xvfb did not come up";
        return nullptr;
    }
    screenOwner->display_ = ":" + std::to_string(number);
    if (!screenOwner->connect(error)) {
        return nullptr;
    }
    return screenOwner;
}

VirtualScreen::~VirtualScreen() {
    if (connection_ != nullptr) {
        xcb_disconnect(connection_);
    }
    if (server_ > 0) {
        kill(server_, SIGTERM);
        waitpid(server_, nullptr, 0);
    }
}

bool VirtualScreen::connect(std::string* error) {
    connection_ = xcb_connect(display_.c_str(), nullptr);
    if (xcb_connection_has_error(connection_) != 0) {
        *error = "cannot connect to the X server on " + display_;
        return false;
    }
    const xcb_query_extension_reply_t* damage = xcb_get_extension_data(connection_, &xcb_damage_id);
    if (damage == nullptr || damage->present == 0) {
        *error = "the X server has no damage extension";
        return false;
    }
    const xcb_query_extension_reply_t* test = xcb_get_extension_data(connection_, &xcb_test_id);
    if (test == nullptr || test->present == 0) {
        *error = "the X server has no test input extension";
        return false;
    }
    damageEvent_ = damage->first_event;
    // The extension answers only once its version has been asked.
    free(xcb_damage_query_version_reply(
        connection_,
        xcb_damage_query_version(connection_, XCB_DAMAGE_MAJOR_VERSION, XCB_DAMAGE_MINOR_VERSION),
        nullptr));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    const std::uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection_, root, XCB_CW_EVENT_MASK, &mask);
    xcb_flush(connection_);
    return true;
}

void VirtualScreen::handle(const xcb_generic_event_t& event) {
    const int type = event.response_type & 0x7f;
    if (type == XCB_CREATE_NOTIFY) {
        const auto& created = reinterpret_cast<const xcb_create_notify_event_t&>(event);
        // The server hands a new program the ids an ended one had: a new window starts afresh.
        ShownWindow& window = windows_[created.window];
        window = ShownWindow{};
        window.id = created.window;
        window.order = ++created_;
        window.x = created.x;
        window.y = created.y;
        window.width = created.width;
        window.height = created.height;
        // Watched from its creation, long before the program can draw into it.
        const std::uint32_t damage = xcb_generate_id(connection_);
        xcb_damage_create(connection_, damage, created.window, XCB_DAMAGE_REPORT_LEVEL_NON_EMPTY);
        damages_[created.window] = damage;
        xcb_flush(connection_);
    } else if (type == XCB_CONFIGURE_NOTIFY) {
        const auto& configured = reinterpret_cast<const xcb_configure_notify_event_t&>(event);
        if (auto found = windows_.find(configured.window); found != windows_.end()) {
            found->second.x = configured.x;
            found->second.y = configured.y;
            found->second.width = configured.width;
            found->second.height = configured.height;
        }
    } else if (type == XCB_UNMAP_NOTIFY || type == XCB_DESTROY_NOTIFY) {
        // Both events start with the same fields; `window` is the one that went.
        const auto& unmapped = reinterpret_cast<const xcb_unmap_notify_event_t&>(event);
        if (auto found = windows_.find(unmapped.window); found != windows_.end()) {
            found->second.gone = true;
        }
        if (type == XCB_DESTROY_NOTIFY) {
            damages_.erase(unmapped.window);  // the server freed the damage with the window
        }
    } else if (type == damageEvent_ + XCB_DAMAGE_NOTIFY) {
        const auto& damaged = reinterpret_cast<const xcb_damage_notify_event_t&>(event);
        if (auto found = windows_.find(damaged.drawable); found != windows_.end()) {
            if (found->second.paints++ == 0) {
                found->second.firstPaint = Clock::now();
            }
        }
        // A "non-empty" report comes once until the damage is taken away again.
        xcb_damage_subtract(connection_, damaged.damage, XCB_NONE, XCB_NONE);
        xcb_flush(connection_);
    }
}

void VirtualScreen::dispatchPending() {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection_)) {
        handle(*event);
        free(event);
    }
}

bool VirtualScreen::waitUntil(const std::function<bool()>& condition,
                              std::chrono::milliseconds timeout) {
    const Clock::time_point deadline = Clock::now() + timeout;
    for (;;) {
        dispatchPending();
        if (condition()) {
            return true;
        }
        const auto left =
            std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left.count() <= 0 || xcb_connection_has_error(connection_) != 0) {
            return false;
        }
        pollfd ready{xcb_get_file_descriptor(connection_), POLLIN, 0};
        poll(&ready, 1, static_cast<int>(std::min<long long>(left.count(), 50)));
    }
}

const ShownWindow* VirtualScreen::waitForPainted(std::uint64_t order, int width, int height,
                                                 std::chrono::milliseconds timeout) {
    const ShownWindow* painted = nullptr;
    waitUntil(
        [&] {
            for (const auto& [id, window] : windows_) {
                const bool sized = width == 0 ? window.width > 1 && window.height > 1
                                              : window.width == width && window.height == height;
                if (window.order > order && sized && window.paints > 0 && !window.gone &&
                    (painted == nullptr || window.order < painted->order)) {
                    painted = &window;
                }
            }
            return painted != nullptr;
        },
        timeout);
    return painted;
}

Clock::time_point VirtualScreen::click(int x, int y) {
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
    xcb_test_fake_input(connection_, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root,
                        static_cast<std::int16_t>(x), static_cast<std::int16_t>(y), 0);
    xcb_test_fake_input(connection_, XCB_BUTTON_PRESS, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_test_fake_input(connection_, XCB_BUTTON_RELEASE, 1, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    const Clock::time_point sent = Clock::now();
    xcb_flush(connection_);
    return sent;
}

void VirtualScreen::pressEscape(std::uint32_t window) {
    const xcb_setup_t* setup = xcb_get_setup(connection_);
    const int count = setup->max_keycode - setup->min_keycode + 1;
    xcb_get_keyboard_mapping_reply_t* mapping = xcb_get_keyboard_mapping_reply(
        connection_,
        xcb_get_keyboard_mapping(connection_, setup->min_keycode, static_cast<std::uint8_t>(count)),
        nullptr);
    if (mapping == nullptr) {
        return;
    }
    const xcb_keysym_t* keysyms = xcb_get_keyboard_mapping_keysyms(mapping);
    const int perKeycode = mapping->keysyms_per_keycode;
    std::uint8_t escape = 0;
    for (int i = 0; i < count * perKeycode && escape == 0; ++i) {
        if (keysyms[i] == kEscapeKeysym) {
            escape = static_cast<std::uint8_t>(setup->min_keycode + i / perKeycode);
        }
    }
    free(mapping);
    if (escape == 0) {
        return;
    }
    xcb_set_input_focus(connection_, XCB_INPUT_FOCUS_PARENT, window, XCB_CURRENT_TIME);
    xcb_test_fake_input(connection_, XCB_KEY_PRESS, escape, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_test_fake_input(connection_, XCB_KEY_RELEASE, escape, XCB_CURRENT_TIME, XCB_NONE, 0, 0, 0);
    xcb_flush(connection_);
}

const ShownWindow* VirtualScreen::window(std::uint32_t id) const {
    const auto found = windows_.find(id);
    return found == windows_.end() ? nullptr : &found->second;
}

}  // namespace bench
