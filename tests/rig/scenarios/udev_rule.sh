# The udev rule (data/udev/70-z9rt-keyboard.rules, loaded by the machine's udevd): it tags the
# hidraw nodes of the family's four products with uaccess, and those of no other device.
source "$RIG_REPO/tests/rig/guest/lib.sh"

start_keyboard kb 1 0 || exit 1
tags_of() { "$udevadm" info --query=property --name="$1" | sed -n 's/^TAGS=//p'; }
# The family's four products on both interfaces; then two near misses: the family's vendor
# with another product, and another vendor with a product of the family.
for identity in "0483 502f" "0483 512f" "0483 522f" "0483 532f" "0483 5030" "046d 502f"; do
    check "the keyboard becomes $identity" equals "$(ctl kb identity $identity)" ok
    for interface in 0 1; do
        node=$(hidraw_of kb "$interface") || { echo "FAIL: $identity has no hidraw node $interface"; continue; }
        case $identity in
            "0483 5"[0-3]"2f")
                check "$identity interface $interface ($node) is tagged uaccess" \
                    grep -q ':uaccess:' <<<"$(tags_of "$node")" ;;
            *)
                check "$identity interface $interface ($node) is not tagged uaccess" \
                    test -z "$(grep ':uaccess:' <<<"$(tags_of "$node")")" ;;
        esac
    done
done
# udevadm test runs the rules afresh on a node and says what they do.
ctl kb identity 0483 522f >/dev/null
node=$(hidraw_of kb 1)
"$udevadm" test "/sys/class/hidraw/${node#/dev/}" >"$work/udevadm-test.txt" 2>&1
check "udevadm test shows the rule tagging $node uaccess" grep -q 'TAGS=.*:uaccess:' "$work/udevadm-test.txt"
check "and reads the rule file" grep -q '70-z9rt-keyboard.rules' "$work/udevadm-test.txt"
