#!/usr/bin/env bash
# The kernel rig: boots Debian's own kernel in QEMU with this machine's root shared read-only,
# makes keyboards of the family as USB gadgets on the dummy host controller, and runs the
# scenarios of tests/rig/scenarios inside (all of them, or the ones named):
#   scripts/rig.sh [tool_hidraw|wire_faults|main_window|idle_window|key_capture|udev_rule|tool_doctor ...]
# Needs the release build (scripts/build.sh release). Everything it fetches and makes lives in
# build/rig: the kernel, its modules and the guest's tools are Debian packages unpacked there,
# never installed, and the host's /boot and /etc are not touched. Exits non-zero when a
# scenario fails or the machine cannot boot, saying what is missing.
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD

all_scenarios=(tool_hidraw wire_faults main_window idle_window key_capture udev_rule tool_doctor)
scenarios=("$@")
[[ $# -gt 0 ]] || scenarios=("${all_scenarios[@]}")
for scenario in "${scenarios[@]}"; do
    [[ -f tests/rig/scenarios/$scenario.sh ]] || { echo "rig: no scenario $scenario" >&2; exit 2; }
done

build=$repo/build/release
rig=$repo/build/rig
debs=$rig/debs
kroot=$rig/guest-root   # the unpacked packages: kernel, modules, udev, kmod, busybox
out=$rig/out
boot_limit=${Z9RT_RIG_TIMEOUT:-330}   # seconds for the whole machine run

fail() {
    echo "rig: $*" >&2
    exit 1
}
started=$(date +%s)

scripts/deps.sh
command -v qemu-system-x86_64 >/dev/null || fail "qemu-system-x86_64 is missing (Debian package qemu-system-x86)"
[[ -x $build/bin/z9rtctl ]] || fail "no release build in $build (run scripts/build.sh release)"
echo "== rig: building its programs"
cmake --build "$build" --target z9rt_rig >/dev/null

# The guest's packages: the kernel that linux-image-amd64 points to, and the tools the guest
# needs that this machine does not have.
mkdir -p "$debs"
kernel_package=$(apt-cache depends linux-image-amd64 2>/dev/null |
                 sed -n 's/^ *Depends: \(linux-image-[0-9].*-amd64\)$/\1/p' | head -1)
if [[ -z $kernel_package ]]; then
    apt-get update -q >/dev/null
    kernel_package=$(apt-cache depends linux-image-amd64 |
                     sed -n 's/^ *Depends: \(linux-image-[0-9].*-amd64\)$/\1/p' | head -1)
fi
[[ -n $kernel_package ]] || fail "apt knows no linux-image-amd64: the guest kernel cannot be had"
packages=("$kernel_package" udev kmod busybox-static)
stamp="$kroot/.unpacked-${packages[*]// /+}"
if [[ ! -f $stamp ]]; then
    echo "== rig: fetching ${packages[*]}"
    (cd "$debs" && apt-get download -q "${packages[@]}" >/dev/null 2>&1 ||
        { apt-get update -q >/dev/null && apt-get download -q "${packages[@]}" >/dev/null; }) ||
        fail "cannot download ${packages[*]} from Debian"
    rm -rf "$kroot"
    mkdir -p "$kroot"
    for package in "${packages[@]}"; do
        dpkg-deb -x "$(ls "$debs/${package}"_*.deb | tail -1)" "$kroot"
    done
    touch "$stamp"
fi
kernel_version=${kernel_package#linux-image-}
vmlinuz=$kroot/boot/vmlinuz-$kernel_version
[[ -f $vmlinuz ]] || fail "the kernel package has no $vmlinuz"
kmod() { local name=$1; shift; (exec -a "$name" "$kroot/bin/kmod" "$@"); }
kmod depmod -b "$kroot" "$kernel_version"

# The first stage: busybox, the modules that reach the shared root, and its init.
initrd=$rig/initramfs
rm -rf "$initrd"
mkdir -p "$initrd/bin" "$initrd/modules"
cp "$kroot/bin/busybox" "$initrd/bin/"
cp tests/rig/guest/initramfs-init "$initrd/init"
for module in virtio_pci 9pnet_virtio 9p; do
    kmod modprobe -d "$kroot" -S "$kernel_version" --show-depends "$module" | awk '{print $2}'
done | awk '!seen[$0]++' | while read -r path; do
    cp "$path" "$initrd/modules/"
    basename "$path" >>"$initrd/modules/order"
done
(cd "$initrd" && find . | "$kroot/bin/busybox" cpio -o -H newc 2>/dev/null) >"$rig/initramfs.cpio"

rm -rf "$out"
mkdir -p "$out"
cat >"$out/rig.conf" <<CONF
repo=$repo
build=$build
kroot=$kroot
kernel_version=$kernel_version
out=$out
scenarios="${scenarios[*]}"
trace=${Z9RT_RIG_TRACE:-}
CONF

echo "== rig: booting $kernel_package (the scenarios: ${scenarios[*]})"
accel=(-accel tcg,thread=multi)
[[ -w /dev/kvm ]] && accel=(-accel kvm "${accel[@]}")
set +e
timeout "$boot_limit" qemu-system-x86_64 "${accel[@]}" -smp 2 -m 2048 -cpu max \
    -display none -no-reboot -nic none -serial "file:$out/console.log" \
    -kernel "$vmlinuz" -initrd "$rig/initramfs.cpio" \
    -append "console=ttyS0 panic=-1 quiet i8042.nokbd z9rt_rig_init=$repo/tests/rig/guest/init.sh" \
    -virtfs local,path=/,mount_tag=hostroot,security_model=none,readonly=on,multidevs=remap \
    -virtfs "local,path=$out,mount_tag=rigout,security_model=none,multidevs=remap"
qemu_status=$?
set -e

passed=0
failed=0
for scenario in "${scenarios[@]}"; do
    result=$(sed -n "s/^$scenario \(.*\)$/\1/p" "$out/results" 2>/dev/null || true)
    case $result in
        passed*) echo "rig: $scenario ... $result"; passed=$((passed + 1)) ;;
        *)
            echo "rig: $scenario ... ${result:-did not run}"
            failed=$((failed + 1))
            [[ -f $out/$scenario.log ]] && sed 's/^/    /' "$out/$scenario.log" | tail -60
            ;;
    esac
done
[[ -f $out/timing ]] && { echo "== rig: transfer times over the dummy controller"; cat "$out/timing"; }
if [[ $qemu_status -eq 124 ]]; then
    echo "rig: the machine was stopped after $boot_limit s (Z9RT_RIG_TIMEOUT), before it was done."
fi
if [[ ! -f $out/results ]]; then
    echo "rig: the machine did not run the scenarios (qemu exit status $qemu_status)."
    if [[ -s $out/console.log ]]; then
        echo "rig: its console ($out/console.log) ends:"
        tail -25 "$out/console.log" | sed 's/^/    /'
        grep -h '^rig: ' "$out/console.log" | sed 's/^/    /' || true
    else
        echo "rig: its kernel printed nothing on the console ($out/console.log)."
    fi
fi
echo "rig: whole run $(($(date +%s) - started)) s"
echo "$passed passed, $failed failed"
[[ $failed -eq 0 && -f $out/results ]]
