# Faults on the wire, on a real kernel: a keyboard that stops answering, one that answers late,
# one that leaves the bus in the middle of a transfer (its gadget unbound), and one another
# program holds. Each ends within 2 s with its exit status and message, and no file changes.
source "$RIG_REPO/tests/rig/guest/lib.sh"

start_keyboard kb 1 0 || exit 1
hidraw=$(hidraw_of kb) || { echo "FAIL: no hidraw node"; exit 1; }
cd "$work" || exit 1
Z9RT_HID=none "$z9rtctl" --model 1 defaults keys.pro >/dev/null
Z9RT_HID=none "$z9rtctl" --model 1 set keys.pro A combo LCTRL+C >/dev/null
# The 2 s are the tool's own: what the emulated machine takes to start a program is added.
begin=$(now_ms)
Z9RT_HID=none "$z9rtctl" --model 1 show keys.pro >/dev/null
startup_ms=$(($(now_ms) - begin))
echo "starting the tool takes $startup_ms ms here"
snapshot() { find "$work" -maxdepth 1 -type f ! -name '*.log' ! -name 'tool.*' -printf '%f %s %T@\n' | sort | md5sum; }

# expect LABEL STATUS WORDS COMMAND...: the tool ends with STATUS within 2 s, says WORDS on one
# line, and leaves the folder as it was.
expect() {
    local label=$1 status=$2 words=$3
    shift 3
    local before=$(snapshot) begin=$(now_ms)
    Z9RT_HID=hidapi "$z9rtctl" "$@" >tool.out 2>tool.err
    local got=$? took=$(($(now_ms) - begin))
    check "$label: exit status $status" equals "$got" "$status"
    [[ -z $words ]] || check "$label: says '$words'" contains tool.err "$words"
    check "$label: ends within 2 s" at_most_ms "$took" $((2000 + startup_ms))
    check "$label: no file changed" equals "$(snapshot)" "$before"
}
replug() { ctl kb unplug >/dev/null; ctl kb fault none >/dev/null; ctl kb plug >/dev/null; hidraw=$(hidraw_of kb); }

expect "a sound keyboard" 0 "" info
ctl kb fault silent >/dev/null
expect "a silent keyboard, info" 1 "the keyboard does not answer" info
expect "a silent keyboard, read" 1 "the keyboard does not answer" read silent.pro
replug

ctl kb fault late=300 >/dev/null
expect "answers 300 ms late, within the read's wait" 0 "" info
ctl kb fault late=1500 >/dev/null
expect "answers 1.5 s late, past the read's wait" 1 "the keyboard does not answer" info
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
