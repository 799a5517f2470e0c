# What the rig's scenarios share: gadget keyboards started and told what to do, their hidraw
# and event devices, checks that say what went wrong, and clean-up. Sourced by each scenario.
set -uo pipefail
[[ -n ${RIG_TRACE:-} ]] && set -x
bin=$RIG_BUILD/bin
udevadm=$RIG_KROOT/bin/udevadm
z9rtctl=$bin/z9rtctl
keyboard_program=$bin/z9rt-rig-keyboard
work=$(mktemp -d /tmp/scenario.XXXXXX)
failures=0
keyboards=()
scenario_start=$((${EPOCHREALTIME/./} / 1000))

# Checks: "ok: what" or "FAIL: what"; a scenario fails when any check did.
check() {
    local what=$1
    shift
    local tenths=$(((${EPOCHREALTIME/./} / 1000 - scenario_start) / 100)) at
    printf -v at '[%4d.%d]' $((tenths / 10)) $((tenths % 10))
    if "$@"; then
        echo "$at ok: $what"
    else
        echo "$at FAIL: $what"
        failures=$((failures + 1))
    fi
}
same_files() { cmp -s "$1" "$2" || { diff "$1" "$2" | head -8; false; }; }
contains() { grep -qF -- "$2" "$1" || { echo "  '$2' not in $1:"; head -5 "$1" | sed 's/^/    /'; false; }; }
lacks() { ! grep -qF -- "$2" "$1" || { echo "  '$2' in $1"; false; }; }
equals() { [[ $1 == "$2" ]] || { echo "  '$1' is not '$2'"; false; }; }
at_most_ms() { (($1 <= $2)) || { echo "  took $1 ms, more than $2"; false; }; }
# stamp VAR: the time in ms into VAR (no command substitution: a fork is slow here).
stamp() { printf -v "$1" '%d' $((${EPOCHREALTIME/./} / 1000)); }
median() { printf '%s\n' "$@" | sort -n | sed -n "$((($# + 1) / 2))p"; }

# start_keyboard NAME MODEL UDC-NUMBER [serve options]: a gadget keyboard serving in the
# background, its control socket at $work/NAME.sock.
start_keyboard() {
    local name=$1 model=$2 udc=$3
    shift 3
    "$keyboard_program" serve --model "$model" --udc "dummy_udc.$udc" --name "$name" \
        --control "$work/$name.sock" "$@" 2>>"$work/keyboards.log" &
    keyboards+=("$!")
    for _ in $(seq 100); do
        [[ -S $work/$name.sock ]] && return 0
        sleep 0.05
    done
    echo "FAIL: keyboard $name did not start"
    cat "$work/keyboards.log"
    return 1
}
ctl() { "$keyboard_program" ctl "$work/$1.sock" "${@:2}"; }

# read_attribute FILE: a sysfs attribute into $attribute, empty when there is none (no fork:
# the scenarios look often and forks are slow here).
read_attribute() { attribute=; [[ -r $1 ]] && read -r attribute <"$1" 2>/dev/null; return 0; }

# The hidraw node of a gadget's interface (0 the boot keyboard, 1 the vendor interface),
# waiting for the kernel and udevd to be done with it. ".." after a sysfs link is the parent of
# the link's target.
hidraw_of() {
    local name=$1 interface=${2:-1} node serial
    for _ in $(seq 100); do
        for node in /sys/class/hidraw/hidraw*; do
            [[ -e $node ]] || continue
            read_attribute "$node/device/../../serial"
            serial=$attribute
            read_attribute "$node/device/../bInterfaceNumber"
            if [[ $serial == "$name" && $attribute == "0$interface" ]]; then
                "$udevadm" settle --timeout=5
                echo "/dev/${node##*/}"
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}
# The event device of a gadget's boot keyboard.
event_of() {
    local name=$1 node
    for _ in $(seq 100); do
        for node in /sys/class/input/event*; do
            [[ -e $node ]] || continue
            read_attribute "$node/device/device/../../serial"
            if [[ $attribute == "$name" ]]; then
                "$udevadm" settle --timeout=5
                echo "/dev/input/${node##*/}"
                return 0
            fi
        done
        sleep 0.1
    done
    return 1
}

finish() {
    local status=$?
    for pid in "${keyboards[@]}"; do
        kill "$pid" 2>/dev/null
    done
    wait 2>/dev/null
    echo "keyboards:"
    sed 's/^/  /' "$work/keyboards.log" 2>/dev/null
    if ((failures > 0)); then
        echo "$failures checks failed"
        exit 1
    fi
    if ((status != 0)); then
        echo "the scenario stopped early (status $status)"
        exit "$status"
    fi
    echo "all checks passed"
}
trap finish EXIT
