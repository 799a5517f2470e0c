#!/usr/bin/env bash
# Builds the Debian package of the configurator with CPack from the release build and prints
# the package's path.
#   scripts/package.sh                  build the release flavour, then package it
#   scripts/package.sh --from BUILDDIR  package a tree that is built already
set -euo pipefail
cd "$(dirname "$0")/.."

build_dir=build/release
if [[ "${1:-}" == "--from" ]]; then
    [[ -n "${2:-}" ]] || { echo "usage: $0 [--from BUILDDIR]" >&2; exit 2; }
    build_dir=$2
elif [[ $# -gt 0 ]]; then
    echo "usage: $0 [--from BUILDDIR]" >&2
    exit 2
else
    scripts/deps.sh
    scripts/build.sh release >&2
fi

command -v dpkg-shlibdeps >/dev/null || {
    echo "dpkg-shlibdeps is missing: install dpkg-dev (scripts/deps.sh does)" >&2
    exit 1
}
rm -rf "$build_dir/package"
(cd "$build_dir" && cpack --config CPackConfig.cmake) >&2
ls "$build_dir"/package/*.deb
