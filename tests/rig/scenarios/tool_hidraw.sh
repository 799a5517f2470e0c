# z9rtctl through hidraw, no simulator: list, info, keys, lights, counters and firmware on a
# gadget keyboard, every report compared byte for byte with the tool's trace on the simulated
# keyboard for the same commands; then the transfer times over the dummy controller.
source "$RIG_REPO/tests/rig/guest/lib.sh"

# The gadget keyboard as each model in turn: list names it with its hidraw node, and info its
# version. (The kernel's HID function has devices for two such keyboards at once.)
start_keyboard kb1 1 0 || exit 1
names=([1]="Z9RT(PRSM)Ble" [2]="Z9RT(S)Ble" [3]="Z9RT(S)" [4]="Z9RT(PRSM)")
for model in 2 3 4 1; do
    check "the keyboard becomes a ${names[$model]}" equals "$(ctl kb1 model "$model")" ok
    node=$(hidraw_of kb1) || { echo "FAIL: no hidraw node for model $model"; continue; }
    Z9RT_HID=hidapi "$z9rtctl" list >"$work/list.txt" 2>&1
    check "list names $node as ${names[$model]}" \
        equals "$(cat "$work/list.txt")" "$(printf '%d  %-14s %s' "$model" "${names[$model]}" "$node")"
done
# Two at once, listed in the order the system gives them.
start_keyboard kb2 3 1 || exit 1
second=$(hidraw_of kb2)
Z9RT_HID=hidapi "$z9rtctl" list >"$work/list.txt" 2>&1
check "list shows both keyboards" equals "$(wc -l <"$work/list.txt")" 2
check "one of them the Z9RT(S) at $second" grep -qE "^3  Z9RT\(S\) +$second\$" "$work/list.txt"
ctl kb2 quit >/dev/null
sleep 0.5

# The same commands on the gadget (hidraw) and on the simulated keyboard, each in a folder of
# its own with its own trace; the two keyboards start alike.
mkdir -p "$work/hw" "$work/sim"
printf 'counter 46 2147483648\ncounter 47 4294967295\ncounter 48 2147483647\n' >"$work/sim/keyboard.txt"
ctl kb1 counter 46 2147483648 >/dev/null
ctl kb1 counter 47 4294967295 >/dev/null
ctl kb1 counter 48 2147483647 >/dev/null
on_both() {
    local label=$1
    shift
    (cd "$work/hw" && Z9RT_HID=hidapi Z9RT_HID_TRACE=$work/hw/trace "$z9rtctl" "$@" \
        >"$work/hw/$label.out" 2>"$work/hw/$label.err")
    local hw_status=$?
    (cd "$work/sim" && Z9RT_HID=sim Z9RT_SIM_MODEL=1 Z9RT_SIM_STATE=$work/sim/keyboard.txt \
        Z9RT_HID_TRACE=$work/sim/trace "$z9rtctl" "$@" >"$work/sim/$label.out" 2>"$work/sim/$label.err")
    local sim_status=$?
    check "$label: ends as on the simulated keyboard (status $hw_status)" equals "$hw_status" "$sim_status"
    check "$label: prints what it prints on the simulated keyboard" same_files "$work/hw/$label.out" "$work/sim/$label.out"
    check "$label: sends and receives every report as on the simulated keyboard" \
        same_files "$work/hw/trace" "$work/sim/trace"
}
# A profile with every kind of assignment, made offline, the same in both folders.
(cd "$work/hw" && {
    Z9RT_HID=none "$z9rtctl" --model 1 defaults keys.pro
    set_key() { Z9RT_HID=none "$z9rtctl" --model 1 set keys.pro "$@" >/dev/null; }
    set_key A combo LCTRL+C
    set_key B single ESC
    set_key C emulation A,B,C --interval 120
    set_key D media Mute
    set_key E mouse "Mouse Key Left"
    set_key F function "Win/Mac Exchange"
    set_key G power Sleep
    set_key H clear
    set_key I macro "A Down,<30 ms>,A UP,<40 ms>,B Down,<50 ms>,B UP" --layer right
    long=""
    for ((n = 1; n <= 40; n++)); do long+="X Down,<$n ms>,X UP,<5 ms>,"; done
    set_key J macro "${long%,<5 ms>,}" --layer left --play-mode toggle
    set_key K macro "C Down,C UP,D Down,D UP" --interval 200 --cycles 3
    Z9RT_HID=none "$z9rtctl" --model 1 color keys.pro all '#102030' >/dev/null
    Z9RT_HID=none "$z9rtctl" --model 1 color keys.pro 1-10 '#ff8000' >/dev/null
})
cp "$work/hw/keys.pro" "$work/sim/keys.pro"

on_both info info
on_both write-keys write-keys keys.pro
on_both write-lights write-lights keys.pro
on_both read read back.pro
check "read brings back what write-keys and write-lights sent" \
    equals "$(cd "$work/hw" && Z9RT_HID=none "$z9rtctl" show back.pro | md5sum)" \
    "$(cd "$work/hw" && Z9RT_HID=none "$z9rtctl" show keys.pro | md5sum)"
check "the profiles read from both keyboards are alike" same_files "$work/hw/back.pro" "$work/sim/back.pro"
ctl kb1 dump >"$work/kb1.dump"
check "the keyboard found nothing wrong in the key records" lacks "$work/kb1.dump" "problem"
check "key A holds LCTRL and C" contains "$work/kb1.dump" "key 1 46 kind 0 codes 67,58 "
check "key J on the left Fn layer holds a toggled macro of 80 events with their delays" \
    grep -qE '^key 3 52 kind 4 codes (57,){79}57 interval 0 cycles 0 delays 1,5,2,5,' "$work/kb1.dump"
check "key K holds a macro played 3 times, 200 ms apart" \
    contains "$work/kb1.dump" "key 1 53 kind 2 codes 58,58,45,45 interval 200 cycles 3 delays -"
check "key 1 lights orange" contains "$work/kb1.dump" "light 1 255 128 0"

on_both counters --json counters
check "counters show 2^31 presses" contains "$work/hw/counters.out" '{"key":46,"caption":"A","count":2147483648}'
check "counters show the highest count, 2^32 - 1" contains "$work/hw/counters.out" '{"key":47,"caption":"S","count":4294967295}'
check "counters show 2^31 - 1" contains "$work/hw/counters.out" '{"key":48,"caption":"D","count":2147483647}'

# Firmware: an Intel HEX file named for the model, 40 data lines and the end record.
hex="Z9RT(PRSM)BLe_rig.hex"
for ((line = 0; line < 40; line++)); do
    address=$((line * 16))
    sum=$((16 + (address >> 8) + (address & 255)))
    data=""
    for ((byte = 0; byte < 16; byte++)); do
        value=$(((line * 31 + byte * 7) & 255))
        printf -v pair '%02X' "$value"
        data+=$pair
        sum=$((sum + value))
    done
    printf ':10%04X00%s%02X\r\n' "$address" "$data" $(((256 - (sum & 255)) & 255))
done >"$work/hw/$hex"
printf ':00000001FF\r\n' >>"$work/hw/$hex"
cp "$work/hw/$hex" "$work/sim/$hex"
on_both firmware firmware "$hex"
ctl kb1 dump >"$work/kb1.dump"
check "the keyboard took 41 firmware lines, each checksum right" contains "$work/kb1.dump" "firmware-lines 41"
check "and refused none" contains "$work/kb1.dump" "firmware-refused 0"

echo "transfer times:"
Z9RT_HID=hidapi "$bin/z9rt-rig-timing" | tee "$RIG_OUT/timing"
check "the timed transfers succeeded" test "${PIPESTATUS[0]}" -eq 0
