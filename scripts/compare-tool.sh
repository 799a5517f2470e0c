#!/usr/bin/env bash
# Runs the same z9rtctl commands with two builds of the tool (each given as the command that
# starts it) on fresh simulated keyboards, and fails on any difference in what they print,
# the profiles they save or the reports they send (line ends aside).
#   scripts/compare-tool.sh $PWD/build/release/bin/z9rtctl "wine64 $PWD/build/windows/bin/z9rtctl.exe"
set -euo pipefail

[[ $# -eq 2 ]] || { echo "usage: $0 TOOL OTHER-TOOL" >&2; exit 2; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

firmware=':10010000214601360121470136007EFE09D2190140\r\n:100110002146017e17c20001ff5f16002148011928\r\n:00000001FF\r\n'

run_all() {  # TOOL FOLDER
    local -a tool
    read -r -a tool <<<"$1"
    mkdir -p "$2"
    cd "$2"
    printf "$firmware" > "Z9RT(PRSM)BLe_2.0.bin"
    export Z9RT_HID=sim Z9RT_SIM_STATE=keyboard.txt Z9RT_HID_TRACE=trace.txt
    local -a commands=(
        "defaults fresh.pro"
        "set fresh.pro 2 single F5"
        "set --layer right fresh.pro ESC combo LCTRL+C"
        "color fresh.pro 1-10 #ff8000"
        "write-keys fresh.pro"
        "write-lights fresh.pro"
        "read back.pro"
        "counters"
        "info"
        "--json list"
        "show back.pro"
        "firmware Z9RT(PRSM)BLe_2.0.bin"
    )
    for command in "${commands[@]}"; do
        local -a words
        read -r -a words <<<"$command"
        echo "\$ z9rtctl $command"
        "${tool[@]}" --simulate "${words[@]}" 2>&1 || echo "exit status $?"
    done > output.txt
    cd - >/dev/null
}

(run_all "$1" "$work/first")
(run_all "$2" "$work/second")
status=0
for file in output.txt fresh.pro back.pro trace.txt keyboard.txt; do
    if ! diff <(tr -d '\r' < "$work/first/$file") <(tr -d '\r' < "$work/second/$file") > "$work/diff"; then
        echo "$file differs:"
        head -20 "$work/diff"
        status=1
    fi
done
[[ $status -ne 0 ]] || echo "the same output, profiles, reports and keyboard memory"
exit $status
