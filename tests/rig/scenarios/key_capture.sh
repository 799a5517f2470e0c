# Key capture through evdev on a real kernel: the key settings dialog (under Xvfb) records keys
# typed on the gadget keyboard's boot keyboard through the grab; see tests/rig/gui.
source "$RIG_REPO/tests/rig/guest/lib.sh"

start_keyboard kb 1 0 || exit 1
input=$(event_of kb) || { echo "FAIL: the gadget keyboard has no event device"; exit 1; }
echo "the gadget's keyboard is $input"
Xvfb :98 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
keyboards+=("$!")
for _ in $(seq 50); do [[ -S /tmp/.X11-unix/X98 ]] && break; sleep 0.1; done
check "Xvfb is up" test -S /tmp/.X11-unix/X98
cd "$bin" || exit 1
DISPLAY=:98 QT_QPA_PLATFORM=xcb Z9RT_HID=sim Z9RT_HOOK_INPUT=/dev/input \
    Z9RT_RIG_CONTROL=$work/kb.sock Z9RT_RIG_INPUT=$input ./z9rt-rig-key-capture
check "the key settings dialog's scenarios pass" test $? -eq 0
