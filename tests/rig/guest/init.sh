# The rig machine's init, run by bash as process 1 on the build host's root (read-only): makes
# the few places that must be written, loads the USB gadget and HID modules, starts udevd,
# runs the scenarios and powers off. Their logs and results go to the writable share.
# Never run this on a host: it mounts over /run, /tmp and /dev.
export PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin
mount -t proc proc /proc
mount -t sysfs sys /sys
mount -t devtmpfs dev /dev
mkdir -p /dev/pts /dev/shm
mount -t devpts devpts /dev/pts
mount -t tmpfs tmpfs /dev/shm
for folder in /run /tmp /var/tmp /root; do
    mount -t tmpfs tmpfs "$folder"
done
[[ -d /var/lib/xkb ]] && mount -t tmpfs tmpfs /var/lib/xkb

# The share of the results: its path on the host is in rig.conf, mounted at the same place.
mkdir -p /tmp/rigout
mount -t 9p -o trans=virtio,version=9p2000.L,msize=512000 rigout /tmp/rigout
# shellcheck source=/dev/null
source /tmp/rigout/rig.conf
mount --bind /tmp/rigout "$out"

poweroff() {
    sync
    "$kroot/bin/busybox" poweroff -f
    sleep 30
}
echo "rig: machine up after $(cut -d' ' -f1 /proc/uptime) s" | tee "$out/machine.log"

load() {
    (exec -a modprobe "$kroot/bin/kmod" -d "$kroot" "$@") >>"$out/machine.log" 2>&1
}
# Six host-side controllers: four keyboards of the family and two others at once.
load configfs
load dummy_hcd num=6 && load libcomposite && load usb_f_hid && load usbhid &&
    load hid_generic && load evdev && load uinput && load uhid ||
    { echo "rig: the USB gadget and HID modules cannot be loaded" | tee -a "$out/machine.log"; poweroff; }
mount -t configfs configfs /sys/kernel/config

# udevd with the project's rule; the kernel's own modprobe helper is not on this root.
mkdir -p /run/udev/rules.d
cp "$repo/data/udev/70-z9rt-keyboard.rules" /run/udev/rules.d/
(exec -a systemd-udevd "$kroot/bin/udevadm" --daemon) >>"$out/machine.log" 2>&1
"$kroot/bin/udevadm" trigger --action=add >/dev/null 2>&1
"$kroot/bin/udevadm" settle --timeout=20

export HOME=/tmp/home XDG_RUNTIME_DIR=/tmp/runtime
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
export RIG_REPO=$repo RIG_BUILD=$build RIG_KROOT=$kroot RIG_OUT=$out RIG_TRACE=${trace:-}
: >"$out/results"
for scenario in $scenarios; do
    begin=${EPOCHREALTIME/./}
    timeout 150 bash "$repo/tests/rig/scenarios/$scenario.sh" >"$out/$scenario.log" 2>&1
    status=$?
    tenths=$(((${EPOCHREALTIME/./} - begin) / 100000))
    took="$((tenths / 10)).$((tenths % 10)) s"
    if [[ $status -eq 0 ]]; then
        echo "$scenario passed ($took)" >>"$out/results"
    else
        echo "$scenario FAILED with status $status ($took)" >>"$out/results"
    fi
done
poweroff
