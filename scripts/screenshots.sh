#!/usr/bin/env bash
# Takes the screenshots of docs/screenshots: the main window in both languages, an S model,
# the progress dialog and Qt's own dialogs in Chinese, each under Xvfb on the simulated keyboard.
# Needs a release build (scripts/build.sh release) and xvfb-run, xdotool, ImageMagick's import
# and openbox (the window manager that frames the standard dialogs).
#   scripts/screenshots.sh [OUTPUT_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."

bin=$(realpath "${Z9RT_BIN_DIR:-build/release/bin}")
out=$(realpath -m "${1:-docs/screenshots}")
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

# The standard dialogs in Chinese, framed by a window manager as on a desktop: the save
# question of the exit button, and the file dialog that "是" opens (cancelled, so the program
# stays).
openbox >/dev/null 2>&1 &
window_manager=$!
sleep 1
# capture_dialog NAME: the program's newest window that is not the main window, with its frame.
capture_dialog() {
    sleep 1
    local window geometry
    for window in $(xdotool search --onlyvisible --pid "$pid"); do
        geometry=$(xdotool getwindowgeometry --shell "$window")
        eval "$geometry"
        [[ "${WIDTH}x${HEIGHT}" == "${face_width}x${face_height}" ]] && continue
        import -window root -crop "$((WIDTH + 24))x$((HEIGHT + 56))+$((X - 12))+$((Y - 44))" \
            +repage "$out/$1.png"
        return
    done
    echo "no dialog to capture for $1" >&2
    return 1
}
# The file dialog opens in the program's working folder: one with two profiles in it.
mkdir -p "$state/profiles"
"$bin/z9rtctl" --simulate defaults "$state/profiles/default.pro" >/dev/null
"$bin/z9rtctl" --simulate defaults "$state/profiles/游戏.pro" >/dev/null
cd "$state/profiles"
start 1
click_at 979 35
capture_dialog dialog-message-zh
xdotool key Return
capture_dialog dialog-file-zh
xdotool key Escape
stop
kill "$window_manager" 2>/dev/null || true
cd - >/dev/null

echo "screenshots written to $out"
