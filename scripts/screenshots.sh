#!/usr/bin/env bash
# Takes the screenshots of docs/screenshots: the main window in both languages (and as a heat map
# of the press counts), an S model, the
# keyboard's focus in the main window and the key settings, the
# progress dialog, every page of the key settings dialog in both languages (with the macro
# page's right-click menu and an S model's Function page), the backlight, multi-key and
# firmware windows in both languages (with the question whether to restore the keys after a
# download), the virtual keyboard in both modes and Qt's own dialogs
# in Chinese, each under Xvfb on the simulated keyboard, and draws the contact sheet of the key
# settings icons. Needs a release build (scripts/build.sh release) and xvfb-run, openbox,
# xdotool and ImageMagick's import.
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
# Every run starts as a first start: what the program remembers stays in the scratch folder,
# never in the user's.
export XDG_CONFIG_HOME="$state/config"
# The keys and colours kept before a firmware download go there too.
export XDG_DATA_HOME="$state/data"
# A window manager gives the message boxes the keyboard focus, so Return answers them.
openbox >/dev/null 2>&1 &
wm=$!
trap 'kill "$wm" 2>/dev/null; rm -rf "$state"' EXIT
sleep 1

face_width=1040
face_height=690
left=$(( (1920 - face_width) / 2 ))
top=$(( (1080 - face_height) / 2 ))

# at X Y: moves the pointer to design coordinates X, Y of the main window.
at() { xdotool mousemove $((left + $1)) $((top + $2)); }
click_at() { at "$1" "$2"; xdotool click 1; }

# Keys are captured in the program's own window (as xdotool types them), never from the
# machine's keyboards.
start() {
    rm -rf "$XDG_CONFIG_HOME"  # a first start: Chinese, in the middle of the screen
    Z9RT_HID=sim Z9RT_HOOK_INPUT=none Z9RT_SIM_MODEL=$1 Z9RT_SIM_STATE="$state/keyboard-$1.txt" \
        "$program" &
    pid=$!
    sleep 2
}
stop() { kill "$pid" 2>/dev/null || true; wait "$pid" 2>/dev/null || true; }
capture() { sleep 0.7; import -window root -crop "$2" +repage "$out/$1.png"; }
main_window="${face_width}x${face_height}+${left}+${top}"

# The dialogs open centred over the main window: (design width, height) -> screen origin.
origin() { echo "$(( (1920 - $1) / 2 )) $(( (1080 - $2) / 2 ))"; }
read -r bl_left bl_top < <(origin 860 476)
read -r mk_left mk_top < <(origin 860 420)
read -r fw_left fw_top < <(origin 370 250)
# point_in X0 Y0 X Y: moves the pointer to design coordinates X, Y of a dialog at X0, Y0.
point_in() { xdotool mousemove $(($1 + $3)) $(($2 + $4)); }
click_in() { point_in "$@"; sleep 0.2; xdotool click 1; }
# dismiss SECONDS: waits for a transfer to end, then answers its message box.
dismiss() { sleep "$1"; xdotool key Return; sleep 0.5; }

# A firmware file for the model's name rule, of three sound records.
firmware="$state/Z9RT(PRSM)BLe_1.3.bin"
printf ':10010000214601360121470136007EFE09D2190140\r\n:100110002146017e17c20001ff5f16002148011928\r\n:00000001FF\r\n' >"$firmware"

# The backlight window with the keyboard's colours read back and the pointer on "A", the
# multi-key window with three keys marked, the firmware window after a download.
backlight_and_firmware() {
    click_at 505 110
    sleep 1
    click_in "$bl_left" "$bl_top" 430 437
    dismiss 2
    point_in "$bl_left" "$bl_top" 187 277
    capture "backlight-$1" "860x476+$bl_left+$bl_top"
    click_in "$bl_left" "$bl_top" 325 437
    sleep 1
    for x in 187 230 274; do click_in "$mk_left" "$mk_top" "$x" 277; done
    point_in "$mk_left" "$mk_top" 426 63
    capture "multikey-$1" "860x420+$mk_left+$mk_top"
    click_in "$mk_left" "$mk_top" 831 27
    sleep 0.5
    click_in "$bl_left" "$bl_top" 745 437
    sleep 0.5
    click_at 818 110
    sleep 1
    click_in "$fw_left" "$fw_top" 301 124
    sleep 1
    xdotool type --delay 20 "$firmware"
    xdotool key Return
    sleep 0.7
    click_in "$fw_left" "$fw_top" 88 218
    # The keys and colours are read and kept first (where they went is told), then the
    # download runs; after it, the question whether to write them back.
    dismiss 5
    dismiss 1
    capture "restore-$1" "$main_window"
    xdotool key Return
    dismiss 4
    point_in "$fw_left" "$fw_top" 276 85
    capture "firmware-$1" "370x250+$fw_left+$fw_top"
    click_in "$fw_left" "$fw_top" 282 218
    sleep 0.5
}

# Chinese, the pointer on "A": the display line describes the key.
start 1
at 334 342
capture main-zh "$main_window"
# The press counts as a heat map, the pointer on "A", in both languages.
click_at 713 110
sleep 2
click_at 85 428
at 334 342
capture heatmap-zh "$main_window"
click_at 943 110
at 334 342
capture heatmap-en "$main_window"
click_at 943 110
click_at 85 200
backlight_and_firmware zh
at 334 342
# English, on the right Fn layer, the pointer on F1.
click_at 943 110
click_at 85 356
at 314 195
capture main-en "$main_window"
# The progress dialog while everything is read back.
click_at 609 110
capture progress "370x250+$(( (1920 - 370) / 2 ))+$(( (1080 - 250) / 2 ))"
dismiss 4
backlight_and_firmware en
stop

# A Z9RT(S): no backlight button.
start 3
click_at 818 110
at 870 342
capture main-s-en "$main_window"
stop

# The key settings dialog of key "A", centred over the main window.
ks_width=576
ks_height=370
ks_left=$(( left + (face_width - ks_width) / 2 ))
ks_top=$(( top + (face_height - ks_height) / 2 ))
ks_at() { xdotool mousemove $((ks_left + $1)) $((ks_top + $2)); }
ks_click_at() { ks_at "$1" "$2"; xdotool click 1; sleep 0.5; }
key_settings="${ks_width}x${ks_height}+${ks_left}+${ks_top}"
# record_combo NAME KEYS: a new combination named NAME, recorded from KEYS (xdotool notation).
record_combo() {
    ks_click_at 240 112  # "Combo"
    ks_click_at 250 260  # "New": the name editor opens over the new row
    xdotool type --delay 20 "$1"
    xdotool key Return
    ks_click_at 450 221  # "Record"
    xdotool key "$2"
    sleep 0.3
    ks_click_at 100 145  # stops the recording
    ks_at 450 221
}

# tab N: shows page N of the key settings dialog.
tab() { ks_click_at $((18 + 78 * ($1 - 1) + 38)) 64; }
# The pages after the first, in the language shown: a macro recorded from KEYS (xdotool
# notation), an emulation recorded from EMU_KEYS, and on each icon page one icon chosen and
# the pointer on another (its tooltip showing). LANG names the pictures.
other_pages() {
    local lang=$1 keys=$2 emu_keys=$3
    tab 2
    ks_click_at 75 273   # "New": the proposed name
    xdotool key Return
    ks_click_at 462 231  # "Record"
    xdotool key --delay 140 $keys
    sleep 0.3
    ks_click_at 284 232  # an empty row stops the recording
    ks_at 462 231
    capture "keysettings-page2-$lang" "$key_settings"
    if [[ $lang == en ]]; then
        # The right-click menu over the third item, "Left Click" open.
        ks_at 284 148
        xdotool click 3
        sleep 0.5
        xdotool mousemove_relative 30 10
        sleep 0.8
        capture keysettings-page2-menu-en "$key_settings"
        xdotool key Escape
        xdotool key Escape
        sleep 0.3
    fi
    tab 3
    ks_click_at 75 273
    xdotool key Return
    ks_click_at 460 163
    xdotool key --delay 100 $emu_keys
    sleep 0.3
    ks_click_at 284 232
    ks_at 460 163
    capture "keysettings-page3-$lang" "$key_settings"
    tab 4
    ks_click_at 413 170  # Mute
    ks_at 113 170        # Play/Pause names itself
    capture "keysettings-page4-$lang" "$key_settings"
    tab 5
    ks_click_at 88 190   # Left Click
    ks_at 300 300
    capture "keysettings-page5-$lang" "$key_settings"
    tab 6
    ks_click_at 372 130  # Game mode
    ks_at 54 130         # Bluetooth device3 names itself
    capture "keysettings-page6-$lang" "$key_settings"
    tab 7
    ks_click_at 291 175  # Sleep
    ks_at 380 175        # Power names itself
    capture "keysettings-page7-$lang" "$key_settings"
}

# Chinese: a combination recorded on page 1, then the other pages.
start 1
click_at 334 342
sleep 1
ks_click_at 240 112
ks_click_at 250 260
xdotool key Return   # the proposed name
ks_click_at 450 221  # "Record": first the note that keys are captured in this window only
sleep 0.5
capture keysettings-capture-note-zh "$key_settings"
xdotool key Return
xdotool key ctrl+shift+s
sleep 0.3
ks_click_at 100 145
ks_at 450 221
capture keysettings-page1-zh "$key_settings"
other_pages zh "h e l l o" "w a s"
ks_click_at 503 336  # "Cancel"
# English, the same pages.
click_at 943 110
click_at 334 342
sleep 1
record_combo "Copy" ctrl+c
capture keysettings-page1-en "$key_settings"
other_pages en "c o p y" "z x c"
stop

# A Z9RT(S): the Function page's own face.
start 3
click_at 818 110
click_at 334 342
sleep 1
ks_click_at 446 64
ks_at 300 300
capture keysettings-page6-s-en "$key_settings"
stop

# Without a mouse (Chinese): Tab shows the focus on the first button, then goes to the keys,
# which the arrows walk; in the key settings (English) the focus goes from the tabs to a page.
start 1
xdotool key Tab
for _ in $(seq 13); do xdotool key Tab; done
xdotool key Down Down Right Right
capture keyboard-focus-zh "$main_window"
stop
start 1
click_at 943 110
click_at 334 342
sleep 1
xdotool key Tab ctrl+Tab ctrl+Tab ctrl+Tab ctrl+Tab Tab Down Down
capture keysettings-focus-en "$key_settings"
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

# The standard dialogs in Chinese, framed by the window manager as on a desktop: the save
# question of the exit button, and the file dialog that "是" opens (cancelled, so the program
# stays).
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
cd - >/dev/null

echo "screenshots written to $out"
