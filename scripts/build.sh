#!/usr/bin/env bash
# Configures and builds one flavour of the tree under build/<flavour>.
#   scripts/build.sh release     optimised with debug information (the default)
#   scripts/build.sh sanitize    AddressSanitizer and UndefinedBehaviorSanitizer
#   scripts/build.sh fuzz        the libFuzzer targets, built with clang
set -euo pipefail
cd "$(dirname "$0")/.."

flavour=${1:-release}
case "$flavour" in
    release)  options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
    sanitize) options=(-DCMAKE_BUILD_TYPE=Debug -DZ9RT_SANITIZE=ON -DZ9RT_BUILD_BENCH=OFF) ;;
    fuzz)     options=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang
                       -DCMAKE_CXX_COMPILER=clang++ -DZ9RT_FUZZ=ON -DZ9RT_BUILD_GUI=OFF
                       -DZ9RT_BUILD_BENCH=OFF) ;;
    *) echo "usage: $0 [release|sanitize|fuzz]" >&2; exit 2 ;;
esac

cmake -S . -B "build/$flavour" -G Ninja "${options[@]}" >/dev/null
cmake --build "build/$flavour"
