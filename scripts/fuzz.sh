#!/usr/bin/env bash
# Runs every fuzz target for MINUTES minutes (default 5) each, one after another, on top of
# the inputs earlier runs found (build/fuzz/tests/fuzz/found-<target>). A crash stops its
# target and is left as a reproducer in build/fuzz/crashes/<target>/; rerun it with
#   build/fuzz/bin/fuzz_<target> build/fuzz/crashes/<target>/crash-...
# Prints per target the executions, the coverage libFuzzer reports (cov: edges covered,
# ft: features) and the findings (crashes, leaks, out-of-memory and timeouts; slow inputs are
# only counted); exits 1 when any target found something. CI keeps its short run through
# ctest (scripts/test.sh). On a shared machine: nice -n 19 scripts/fuzz.sh 10 (the timeout
# per input is generous, as a starved process can stall for seconds).
set -euo pipefail
cd "$(dirname "$0")/.."

minutes=${1:-5}
if ! [[ $minutes =~ ^[1-9][0-9]*$ ]]; then
    echo "usage: $0 [MINUTES]   (a whole number of minutes per target, at least 1)" >&2
    exit 2
fi
scripts/build.sh fuzz >/dev/null
list=build/fuzz/fuzzers.txt
mkdir -p build/fuzz/crashes build/fuzz/logs

status=0
printf '%-12s %12s %7s %7s %8s %s\n' target executions cov ft findings slow
while read -r name binary maxLength dictionary found seeds; do
    crashes=build/fuzz/crashes/$name
    log=build/fuzz/logs/$name.log
    mkdir -p "$crashes" "$found"
    dictionaryOption=()
    if [ "$dictionary" != - ]; then
        dictionaryOption=(-dict="$dictionary")
    fi
    Z9RT_HID=sim "$binary" -max_total_time=$((minutes * 60)) -timeout=60 -rss_limit_mb=2048 \
        -max_len="$maxLength" -print_final_stats=1 -artifact_prefix="$crashes/" \
        "${dictionaryOption[@]}" "$found" $seeds >"$log" 2>&1 </dev/null || true
    executions=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -1)
    coverage=$(grep -E '^#[0-9]+.* cov: ' "$log" | tail -1 || true)
    cov=$(sed -n 's/.* cov: \([0-9]*\).*/\1/p' <<<"$coverage")
    ft=$(sed -n 's/.* ft: \([0-9]*\).*/\1/p' <<<"$coverage")
    findings=$(find "$crashes" -type f ! -name 'slow-unit-*' | wc -l)
    slow=$(find "$crashes" -type f -name 'slow-unit-*' | wc -l)
    printf '%-12s %12s %7s %7s %8s %s\n' "$name" "${executions:-?}" "${cov:-?}" "${ft:-?}" \
        "$findings" "$slow"
    if [ "$findings" -gt 0 ]; then
        status=1
    fi
done <"$list"
exit $status
