#!/usr/bin/env bash
# Installs the Debian packages the project needs to build, test and run, and nothing when
# they are all present already. Uses sudo when not run as root.
set -euo pipefail

packages=(
    # tool chain
    g++ clang libclang-rt-14-dev cmake ninja-build pkg-config
    # the checks of the code itself: formatting (scripts/format.sh), lint (scripts/tidy.sh)
    clang-format clang-tidy git
    # the device library
    libhidapi-dev libudev-dev
    # the windowed program, its tests and its screenshots
    qt6-base-dev qt6-translations-l10n fonts-wqy-microhei fonts-dejavu-core
    # ... and a desktop to try them on: screen, window manager, notification area
    xvfb xauth imagemagick xdotool openbox trayer
    # tests and benchmarks (the start-up benchmark watches and clicks its own X screen)
    libgtest-dev libgmock-dev libpugixml-dev libxcb-damage0-dev libxcb-xtest0-dev
    # the kernel rig (scripts/rig.sh): the machine that runs Debian's kernel with USB gadgets
    qemu-system-x86
    # the Windows build (scripts/windows.sh): MinGW-w64 with POSIX threads, and Wine to test it
    g++-mingw-w64-x86-64-posix wine64
    # ... where the seat's access list on a keyboard node is given as logind gives it
    acl
    # the Debian package and its checks, the manual pages and the bash completion
    dpkg-dev lintian appstream desktop-file-utils man-db groff-base bash-completion
)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

echo "Installing: ${missing[*]}"
as_root=()
[[ $(id -u) -eq 0 ]] || as_root=(sudo)
"${as_root[@]}" apt-get update -q
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
