# The windowed program on a real keyboard, under Xvfb with udevd running: found when plugged
# in during the start-up search, WriteKeys reaching the keyboard, the tool refused while the
# window holds it, and "Keyboard is not connected" through the libudev watcher on unplugging.
source "$RIG_REPO/tests/rig/guest/lib.sh"

check "udevd runs" test -S /run/udev/control
start_keyboard kb 1 0 --unplugged || exit 1
Xvfb :99 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
keyboards+=("$!")
for _ in $(seq 50); do [[ -S /tmp/.X11-unix/X99 ]] && break; sleep 0.1; done
check "Xvfb is up" test -S /tmp/.X11-unix/X99
cd "$bin" || exit 1
DISPLAY=:99 QT_QPA_PLATFORM=xcb Z9RT_HID=hidapi Z9RT_RIG_CONTROL=$work/kb.sock \
    ./z9rt-rig-main-window
check "the window's scenarios pass" test $? -eq 0
