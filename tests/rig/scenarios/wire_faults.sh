# Faults on the wire, on a real kernel: a keyboard that stops answering (at once, or after the
# version query), one that answers late, one that leaves the bus in the middle of a transfer
# (its gadget unbound), and one another program holds. Each ends within 2 s with its exit
# status and message, and no file changes.
source "$RIG_REPO/tests/rig/guest/lib.sh"

start_keyboard kb 1 0 || exit 1
hidraw=$(hidraw_of kb) || { echo "FAIL: no hidraw node"; exit 1; }
cd "$work" || exit 1
Z9RT_HID=none "$z9rtctl" --model 1 defaults keys.pro >/dev/null
Z9RT_HID=none "$z9rtctl" --model 1 set keys.pro A combo LCTRL+C >/dev/null
# The folder's files, apart from the logs, the tool's output and its traces.
snapshot() {
    find "$work" -maxdepth 1 -type f ! -name '*.log' ! -name 'tool.*' ! -name 'trace.*' \
        -printf '%f %s %T@\n' | sort | md5sum
}

# What this machine takes to start the tool, find the keyboard through libudev and open it:
# the same command on a keyboard that answers at once, the median of five runs. It is the
# emulated machine's, not the fault's (on a real machine it is a few milliseconds).
samples=()
for _ in 1 2 3 4 5; do
    stamp begin
    Z9RT_HID=hidapi "$z9rtctl" info >/dev/null 2>&1
    stamp end
    samples+=($((end - begin)))
done
reach_ms=$(median "${samples[@]}")
echo "info on a keyboard that answers: ${samples[*]} ms; median $reach_ms ms"

# expect LABEL STATUS WORDS COMMAND...: the tool ends with STATUS within 2 s, says WORDS on
# one line, and leaves the folder as it was. The 2 s run from the moment its first report
# reached the keyboard (the keyboard notes it); when none did, from the tool's start, less
# what this machine takes to reach a keyboard ($reach_ms). With SIM_FAULT set, its trace must
# be the one the same command leaves on the simulated keyboard showing that fault: the same
# reports, and the same reads that brought nothing.
expect() {
    local label=$1 status=$2 words=$3
    shift 3
    local before begin end first
    before=$(snapshot)
    ctl kb first-report >/dev/null
    rm -f trace.hw trace.sim
    stamp begin
    Z9RT_HID=hidapi Z9RT_HID_TRACE=$work/trace.hw "$z9rtctl" "$@" >tool.out 2>tool.err
    local got=$?
    stamp end
    first=$(ctl kb first-report)
    first=${first#ok }
    check "$label: exit status $status" equals "$got" "$status"
    [[ -z $words ]] || check "$label: says '$words'" contains tool.err "$words"
    if [[ $first == none ]]; then
        echo "  $label: $((end - begin)) ms in all; no report reached the keyboard"
        check "$label: ends within 2 s" at_most_ms $((end - begin)) $((2000 + reach_ms))
    else
        echo "  $label: $((end - begin)) ms in all, $((end - first)) ms after its first report"
        check "$label: ends within 2 s of its first report" at_most_ms $((end - first)) 2000
    fi
    check "$label: no file changed" equals "$(snapshot)" "$before"
    if [[ -n ${SIM_FAULT:-} ]]; then
        mkdir -p sim
        cp keys.pro sim/
        (cd sim && Z9RT_HID=sim Z9RT_SIM_MODEL=1 Z9RT_SIM_FAULT=$SIM_FAULT \
            Z9RT_HID_TRACE=$work/trace.sim "$z9rtctl" "$@" >/dev/null 2>&1)
        check "$label: waits as on the simulated keyboard" same_files trace.hw trace.sim
    fi
}
replug() { ctl kb unplug >/dev/null; ctl kb fault none >/dev/null; ctl kb plug >/dev/null; hidraw=$(hidraw_of kb); }

expect "a sound keyboard" 0 "" info
ctl kb fault silent >/dev/null
SIM_FAULT=silent expect "a silent keyboard, info" 1 "the keyboard does not answer" info
SIM_FAULT=silent expect "a silent keyboard, read" 1 "the keyboard does not answer" read silent.pro
# It answers the version query, then hangs (setting the fault again counts afresh).
ctl kb fault silent-after=1 >/dev/null
SIM_FAULT=silent-after=1 expect "hangs after the version, read" 1 \
    "reading the key assignments failed: the keyboard stopped answering" read hung.pro
ctl kb fault silent-after=1 >/dev/null
SIM_FAULT=silent-after=1 expect "hangs after the version, counters" 1 \
    "reading the press counters failed" counters

ctl kb fault late=300 >/dev/null
expect "answers 300 ms late, within the read's wait" 0 "" info
ctl kb fault late=1500 >/dev/null
expect "answers 1.5 s late, past the read's wait" 1 "the keyboard does not answer" info
# The late answer is still on its way to the host: the next program is not put off by it.
ctl kb fault none >/dev/null
expect "the next program after a late answer" 0 "" info
check "and it shows the keyboard's version" contains tool.out "Firmware:"
replug

# It takes the version query and 40 key records, then leaves the bus.
ctl kb fault unplug-after=41 >/dev/null
expect "unplugged while the keys are written" 1 "writing the key assignments failed" write-keys keys.pro
check "the gadget left the bus" test ! -e "$hidraw"
replug
ctl kb fault unplug-after=2 >/dev/null
expect "unplugged when the key records are asked for" 1 "reading the key assignments failed" read gone.pro
replug

# Another program holds the keyboard (a second configurator takes the same lock).
flock --exclusive --nonblock --close "$hidraw" sleep 30 &
holder=$!
sleep 0.3
expect "held by another program, info" 1 "the keyboard does not answer (another program may be using it)" info
expect "held by another program, write-keys" 1 "another program may be using it" write-keys keys.pro
kill "$holder"
wait "$holder" 2>/dev/null
expect "given back, info again" 0 "" info
