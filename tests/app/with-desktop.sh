#!/usr/bin/env bash
# with-desktop.sh PROGRAM [ARGS...]: runs a test program on a virtual screen with a window
# manager and a notification area (Xvfb, openbox, trayer), as a user's desktop has them. Where
# one of those is missing, the program runs on the offscreen platform, which has no
# notification area, and skips what needs one.
set -uo pipefail

for tool in xvfb-run openbox trayer; do
    if ! command -v "$tool" >/dev/null; then
        echo "with-desktop.sh: $tool is missing, running offscreen"
        exec env QT_QPA_PLATFORM=offscreen "$@"
    fi
done

if [[ -z "${Z9RT_IN_XVFB:-}" ]]; then
    exec xvfb-run -a -s "-screen 0 1920x1080x24" env Z9RT_IN_XVFB=1 "$0" "$@"
fi

openbox >/dev/null 2>&1 &
window_manager=$!
trayer --edge bottom --align right --widthtype pixel --width 160 --heighttype pixel \
    --height 32 --SetDockType true >/dev/null 2>&1 &
tray=$!
# Give both a moment to take their places on the screen.
sleep 1

# The X libraries keep caches to the end of the process that leak checkers count as leaks, and
# libxkbcommon-x11 hands strndup a keymap name that is not terminated within the buffer, which
# strict string checking reads past; the other tests check both on the offscreen platform.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}detect_leaks=0:strict_string_checks=0"
QT_QPA_PLATFORM=xcb "$@"
status=$?
kill "$tray" "$window_manager" 2>/dev/null
wait "$tray" "$window_manager" 2>/dev/null
exit $status
