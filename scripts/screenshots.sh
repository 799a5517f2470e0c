#!/usr/bin/env bash
# Takes the screenshots of docs/screenshots: the main window in both languages, an S model, the
# progress dialog and the virtual keyboard in both modes, each under Xvfb on the simulated
# keyboard, and draws the contact sheet of the key settings icons. Needs a release build
# (scripts/build.sh release) and xvfb-run, xdotool and ImageMagick's import.
#   scripts/screenshots.sh [OUTPUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

bin=${Z9RT_BIN_DIR:-build/release/bin}
out=${1:-docs/screenshots}
program="$bin/Z9RT(PRSM)Ble"
[[ -x "$program" ]] || { echo "build the program first: scripts/build.sh release" >&2; exit 1; }

# Everything below runs inside one virtual screen of 1920 x 1080, where the windows open at
# their design size, centred.
if [[ -z "${Z9RT_IN_XVFB:-}" ]]; then
    exec xvfb-run -a -s "-screen 0 1920x1080x24" env Z9RT_IN_XVFB=1 "$0" "$@"
fi

mkdir -p "$out"
state=$(mktemp -d)
trap 'rm -rf "$state"' EXIT

face_width=1040
face_height=690
left=$(( (1920 - face_width) / 2 ))
top=$(( (1080 - face_height) / 2 ))

# at X Y: moves the pointer to design coordinates X, Y of the main window.
at() { xdotool mousemove $((left + $1)) $((top + $2)); }
click_at() { at "$1" "$2"; xdotool click 1; }

start() {
    Z9RT_HID=sim Z9RT_SIM_MODEL=$1 Z9RT_SIM_STATE="$state/keyboard-$1.txt" "$program" &
    pid=$!
    sleep 2
}
stop() { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
capture() { sleep 0.7; import -window root -crop "$2" +repage "$out/$1.png"; }
main_window="${face_width}x${face_height}+${left}+${top}"

# Chinese, the pointer on "A": the display line describes the key.
start 1
at 334 342
capture main-zh "$main_window"
# English, on the right Fn layer, the pointer on F1.
click_at 943 110
click_at 85 356
at 314 195
capture main-en "$main_window"
# The progress dialog while everything is read back.
click_at 609 110
capture progress "370x250+$(( (1920 - 370) / 2 ))+$(( (1080 - 250) / 2 ))"
stop

# A Z9RT(S): no backlight button.
start 3
click_at 818 110
at 870 342
capture main-s-en "$main_window"
stop

# The virtual keyboard, on its own as the key settings dialog opens it: a combination picked by
# clicks (English), then single mode with "F" chosen before (Chinese), the pointer on a key.
keyboard_demo="$bin/z9rt_virtual_keyboard_demo"
vk_width=936
vk_height=356
vk_left=$(( (1920 - vk_width) / 2 ))
vk_top=$(( (1080 - vk_height) / 2 ))
vk_at() { xdotool mousemove $((vk_left + $1)) $((vk_top + $2)); }
vk_click_at() { vk_at "$1" "$2"; xdotool click 1; sleep 0.3; }
virtual_keyboard="${vk_width}x${vk_height}+${vk_left}+${vk_top}"

"$keyboard_demo" combo en-US >/dev/null &
pid=$!
sleep 1.5
vk_click_at 52 268   # left Ctrl
vk_click_at 152 268  # left Alt
vk_click_at 639 157  # Delete
vk_at 811 194        # the pointer on keypad 5
capture virtual-keyboard-en "$virtual_keyboard"
stop

"$keyboard_demo" single zh-CN 46 >/dev/null &
pid=$!
sleep 1.5
vk_at 113 194  # the pointer on A
capture virtual-keyboard-zh "$virtual_keyboard"
stop

# The key settings icons in all their looks, pixels doubled.
QT_QPA_PLATFORM=offscreen "${Z9RT_TOOLS_DIR:-build/release/tools}/z9rt_icon_sheet" \
    "$out/icons-pages-4-7.png" 2

echo "screenshots written to $out"
