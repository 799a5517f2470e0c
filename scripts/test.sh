#!/usr/bin/env bash
# Installs what is missing, builds the tree and runs every test: once in the release build,
# then the kernel rig (a machine running Debian's kernel, with keyboards of the family made as
# USB gadgets), once under AddressSanitizer and UndefinedBehaviorSanitizer, then the fuzz
# targets for a bounded time. Outside the rig nothing talks to a real keyboard: the tests use
# the simulated one.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}

echo "== release build"
scripts/build.sh release
ctest --test-dir build/release --output-on-failure --label-exclude fuzz

echo "== kernel rig"
scripts/rig.sh

echo "== sanitizer build"
scripts/build.sh sanitize
ctest --test-dir build/sanitize --output-on-failure --label-exclude fuzz

echo "== fuzz targets"
scripts/build.sh fuzz
ctest --test-dir build/fuzz --output-on-failure --label-regex fuzz
