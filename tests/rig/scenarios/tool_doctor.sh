# z9rtctl doctor on the real kernel path: no keyboard; a keyboard whose node an unprivileged
# user cannot open, first without the udev rule, then with it but outside the seat's access
# list, then with the access list that the seat's uaccess gives; a keyboard held open by
# another process; and a keyboard whose interface 1 has no hidraw node.
source "$RIG_REPO/tests/rig/guest/lib.sh"

user=nobody
user_id=$(id -u "$user")
as_user() { setpriv --reuid="$user_id" --regid="$(id -g "$user")" --clear-groups "$@"; }
# doctor LABEL [as_user]: its output in $work/LABEL.txt, its status in $status.
doctor() {
    local label=$1
    shift
    "$@" env Z9RT_HID=hidapi "$z9rtctl" doctor >"$work/$label.txt" 2>&1
    status=$?
}

doctor none
check "without a keyboard, doctor exits 1" equals "$status" 1
check "and finds nothing of the family on the USB bus" \
    contains "$work/none.txt" "problem: no keyboard of the family is on the USB bus. Fix: plug"
Z9RT_HID=hidapi "$z9rtctl" doctor --json >"$work/none.json" 2>/dev/null
check "--json says the same" contains "$work/none.json" '{"usable":false,"findings":[{"id":"no-usb-device","problem":true,'

start_keyboard kb 3 0 || exit 1
node=$(hidraw_of kb) || { echo "FAIL: the keyboard has no hidraw node"; exit 1; }
sysfs=/sys/class/hidraw/${node#/dev/}

# udevd reads its rules again and runs them on the node.
apply_rules() {
    "$udevadm" control --reload
    "$udevadm" trigger --action=change "$sysfs"
    "$udevadm" settle --timeout=10
}

# Without the rule the node is root's alone.
mv /run/udev/rules.d/70-z9rt-keyboard.rules "$work/"
apply_rules
doctor no-rule as_user
check "without the udev rule, doctor exits 1 for $user" equals "$status" 1
check "and says $node is not $user's to open" \
    contains "$work/no-rule.txt" "problem: $node is not readable and writable by $user (root:root, mode 0600)"
check "because no rule names the keyboard, and how to install it" \
    contains "$work/no-rule.txt" "no udev rule names the keyboard; no group may read and write it. Fix: install the udev rule"

# With the rule the node is tagged for the seat, but no session of this user holds the seat.
cp "$work/70-z9rt-keyboard.rules" /run/udev/rules.d/
apply_rules
doctor outside-seat as_user
check "with the rule but outside the seat, doctor still exits 1" equals "$status" 1
check "and says the node is tagged but the seat's list does not name $user" \
    contains "$work/outside-seat.txt" "it is tagged uaccess, but the seat's access list does not name $user"
check "and how the seat gives access" contains "$work/outside-seat.txt" "log in at the machine itself"

# The seat's uaccess, as logind applies it for the active session's user: an access list entry.
setfacl -m "u:$user_id:rw" "$node"
doctor in-seat as_user
check "once the seat's access applies, doctor exits 0 for $user" equals "$status" 0
check "and gives the firmware version" \
    contains "$work/in-seat.txt" "note: the Z9RT(S) answers: firmware version"
check "and finds no problem" lacks "$work/in-seat.txt" "problem:"
setfacl -b "$node"

# Another process with the node open: named, and the keyboard still answers.
sleep 60 <>"$node" &
holder=$!
doctor held
check "a keyboard held open by another process is still usable" equals "$status" 0
check "and doctor names the process" contains "$work/held.txt" "note: $node is open in sleep (pid $holder)"
kill "$holder"
wait "$holder" 2>/dev/null

# Interface 1 without its driver: the keyboard is on the bus, its node is gone.
interface=$(basename "$(readlink -f "$sysfs/device/..")")
echo "$interface" >/sys/bus/usb/drivers/usbhid/unbind
doctor no-hidraw
check "with interface 1 unbound, doctor exits 1" equals "$status" 1
check "and says interface 1 has no hidraw node" \
    contains "$work/no-hidraw.txt" "has no hidraw node for its interface 1"
echo "$interface" >/sys/bus/usb/drivers/usbhid/bind
