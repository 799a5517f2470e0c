#!/usr/bin/env bash
# Installs what is missing, builds the configurator and starts it. Without an attached
# keyboard of the family it runs on the simulated keyboard (Z9RT_HID=sim); set Z9RT_HID
# yourself to choose. Arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh
scripts/build.sh release

# A keyboard of the family shows up as a hidraw node with vendor 0483 and one of the products.
keyboard_attached() {
    grep -qsiE '^HID_ID=0003:00000483:0000(502F|512F|522F|532F)$' /sys/class/hidraw/*/device/uevent
}
if [[ -z "${Z9RT_HID:-}" ]] && ! keyboard_attached; then
    echo "No keyboard attached: starting on the simulated keyboard (Z9RT_HID=sim)."
    export Z9RT_HID=sim
fi

exec "build/release/bin/Z9RT(PRSM)Ble" "$@"
