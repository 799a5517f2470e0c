#!/usr/bin/env bash
# Configures and builds one flavour of the tree under build/<flavour>.
#   scripts/build.sh release     optimised with debug information (the default)
#   scripts/build.sh sanitize    AddressSanitizer and UndefinedBehaviorSanitizer
#   scripts/build.sh tsan        ThreadSanitizer, optimised (its tests run slowly enough)
#   scripts/build.sh fuzz        the libFuzzer targets, built with clang
#   scripts/build.sh windows     the device library, z9rtctl and their tests for Windows,
#                                cross-built with MinGW-w64 (their tests run under Wine)
# Targets named after the flavour are built alone, with what they need; without, everything.
set -euo pipefail
cd "$(dirname "$0")/.."

flavour=${1:-release}
case "$flavour" in
    release)  options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
    sanitize) options=(-DCMAKE_BUILD_TYPE=Debug -DZ9RT_SANITIZE=ON -DZ9RT_BUILD_BENCH=OFF) ;;
    fuzz)     options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang
                       -DCMAKE_CXX_COMPILER=clang++ -DZ9RT_FUZZ=ON -DZ9RT_BUILD_GUI=OFF
                       -DZ9RT_BUILD_BENCH=OFF) ;;
    tsan)     options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DZ9RT_TSAN=ON -DZ9RT_BUILD_BENCH=OFF) ;;
    windows)  options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo
                       -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW-w64-x86_64.cmake) ;;
    *) echo "usage: $0 [release|sanitize|tsan|fuzz|windows] [TARGET...]" >&2; exit 2 ;;
esac
shift || true
targets=()
[[ $# -eq 0 ]] || targets=(--target "$@")

# The programs the build itself runs (the artwork generator, the tests' listing) are not what
# the ThreadSanitizer flavour checks, and Qt's uninstrumented thread pool, which paints their
# images, hands work over in ways ThreadSanitizer cannot see: they run without reports.
[[ $flavour != tsan ]] || export TSAN_OPTIONS=report_bugs=0

cmake -S . -B "build/$flavour" -G Ninja "${options[@]}" >/dev/null
cmake --build "build/$flavour" "${targets[@]}"
