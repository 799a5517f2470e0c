#!/usr/bin/env bash
# Builds the release flavour and runs every benchmark.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
scripts/build.sh release
for benchmark in build/release/bin/bench_*; do
    [[ -x "$benchmark" ]] || continue
    echo "== $benchmark"
    "$benchmark" "$@"
done
