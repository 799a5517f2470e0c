#!/usr/bin/env bash
# Builds the Debian package from a built tree and checks it as Debian would: every file where
# Debian expects it, the installed tool running from a throwaway root, library dependencies
# computed, the manual pages rendering cleanly, and lintian, appstreamcli and
# desktop-file-validate content.
#   check_package.sh SOURCE_DIR BUILD_DIR
set -uo pipefail

source_dir=$1
build_dir=$2
if ! command -v dpkg-deb >/dev/null; then
    echo "SKIP: dpkg is missing, so no Debian package can be built or checked here"
    exit 77
fi
missing=()
for tool in dpkg-shlibdeps lintian appstreamcli desktop-file-validate man; do
    command -v "$tool" >/dev/null || missing+=("$tool")
done
if ((${#missing[@]} > 0)); then
    echo "FAIL: ${missing[*]} missing: run scripts/deps.sh"
    exit 1
fi

failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

package=$("$source_dir/scripts/package.sh" --from "$build_dir" 2>"$build_dir/package.log") || {
    cat "$build_dir/package.log"
    echo "FAIL: the package could not be built"
    exit 1
}
echo "package: $package"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$package" "$root"

# Every file where Debian expects it, and nothing else.
multiarch=$(dpkg-architecture -qDEB_HOST_MULTIARCH 2>/dev/null || gcc -print-multiarch)
expected=$(grep -v '^#' "$source_dir/tests/package/expected-files.txt" | sed "s/@MULTIARCH@/$multiarch/g")
actual=$(cd "$root" && find . \( -type f -o -type l \) | sort | while IFS= read -r file; do
    if [[ -L $file ]]; then echo "$file -> $(readlink "$file")"; else echo "$file"; fi
done)
if [[ "$actual" != "$(sort <<<"$expected")" ]]; then
    fail "the package's files differ from tests/package/expected-files.txt:"
    diff <(sort <<<"$expected") <(echo "$actual")
fi
for link in "$root/usr/bin/z9rt-configurator" "$root/usr/lib/$multiarch/z9rt-configurator/libZ9RT(PRSM)VezAZU.so.1"; do
    [[ -e $link ]] || fail "$link points nowhere"
done

# Library dependencies were computed from the binaries.
depends=$(dpkg-deb -f "$package" Depends)
for library in libhidapi-hidraw0 libqt6widgets6 libudev1 libstdc++6; do
    [[ $depends == *"$library "* ]] || fail "Depends lacks $library: $depends"
done

# The installed programs find their library in the throwaway root.
for binary in "$root/usr/bin/z9rtctl" "$root/usr/lib/$multiarch/z9rt-configurator/Z9RT(PRSM)Ble"; do
    if env -u LD_LIBRARY_PATH ldd "$binary" | grep -q 'not found'; then
        fail "$binary misses libraries: $(ldd "$binary" | grep 'not found')"
    fi
done
listed=$(cd "$root" && env -u LD_LIBRARY_PATH Z9RT_SIM_MODEL=2 usr/bin/z9rtctl --simulate list)
status=$?
[[ $status -eq 0 && $listed == *"Z9RT(S)Ble"* ]] || fail "installed z9rtctl --simulate list: status $status, '$listed'"
shown=$(cd "$root" && export Z9RT_HID=none && env -u LD_LIBRARY_PATH sh -c \
    'usr/bin/z9rtctl --model 1 defaults my.pro && usr/bin/z9rtctl set my.pro A combo LCTRL+C &&
     usr/bin/z9rtctl show my.pro' 2>&1)
[[ $shown == *"Combo       LCTRL | C"* ]] || fail "installed z9rtctl cannot edit a profile: $shown"

# The manual pages render without a warning.
for page in "$root"/usr/share/man/man1/*.gz; do
    warnings=$(LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
    [[ -z $warnings ]] || fail "$(basename "$page"): $warnings"
done

# The desktop's and the software centre's validators.
desktop-file-validate "$root"/usr/share/applications/*.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml || fail "appstreamcli validate"

# lintian: no error and no warning (none is accepted today; an accepted one would be listed
# here with its reason, as --suppress-tags TAG).
lintian --fail-on error,warning "$package" 2> >(grep -v 'running with root privileges' >&2) ||
    fail "lintian"

if ((failures > 0)); then
    echo "$failures check(s) failed"
    exit 1
fi
echo "the package is sound"
