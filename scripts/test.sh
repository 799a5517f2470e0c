#!/usr/bin/env bash
# Installs what is missing, checks the formatting, builds the tree and runs every test: once in
# the release build (and clang-tidy on the files changed lately), then the device library and
# the tool cross-built for Windows under Wine, then the kernel rig (a machine running Debian's
# kernel, with keyboards of the family made as USB gadgets), once under AddressSanitizer and
# UndefinedBehaviorSanitizer, the threaded ones under ThreadSanitizer, then the fuzz targets
# for a bounded time. Outside the rig nothing talks to a
# real keyboard: the tests use the simulated one.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/deps.sh

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1:strict_string_checks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$PWD/tests/lsan.supp:print_suppressions=0}

echo "== formatting"
scripts/format.sh --check

echo "== release build"
scripts/build.sh release
ctest --test-dir build/release --output-on-failure --label-exclude fuzz

# The whole tree takes clang-tidy longer than CI may spend: the files changed since the base
# (scripts/tidy.sh says which) are checked here, everything by scripts/tidy.sh alone.
echo "== clang-tidy"
scripts/tidy.sh --changed

# The device library and the tool for Windows, cross-built and tested under Wine.
echo "== windows build"
scripts/windows.sh

echo "== kernel rig"
scripts/rig.sh

echo "== sanitizer build"
scripts/build.sh sanitize
ctest --test-dir build/sanitize --output-on-failure --label-exclude fuzz

# ThreadSanitizer on the tests whose transfers run on a worker thread: the device library's
# (its simulated keyboard, message posting and key hook) and the windows' around jobs and
# progress. Only these are built, each labelled with its name. Qt itself is not instrumented:
# what its code touches is left out, and tests/tsan.supp names what it hands over for us.
# Once QProcess has started the command-line tool, ThreadSanitizer takes the test itself for
# the child of a multi-threaded fork and stops it at its next thread: die_after_fork=0.
echo "== thread sanitizer build"
threaded_tests=(devicelib_tests test_skin test_jobs test_mainwindow test_backlight test_firmware)
scripts/build.sh tsan "${threaded_tests[@]}"
TSAN_OPTIONS=${TSAN_OPTIONS:-suppressions=$PWD/tests/tsan.supp:ignore_noninstrumented_modules=1:die_after_fork=0} \
    ctest --test-dir build/tsan --output-on-failure \
    --label-regex "^($(IFS='|'; echo "${threaded_tests[*]}"))\$"

echo "== fuzz targets"
scripts/build.sh fuzz
ctest --test-dir build/fuzz --output-on-failure --label-regex fuzz
