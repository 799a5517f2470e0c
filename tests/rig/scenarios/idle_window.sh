# The windowed program left alone on a real keyboard does nothing: unplugging is told by the
# kernel through the libudev monitor, so over 30 s no thread of it wakes and it uses no CPU.
# (On the simulated keyboard, which is looked for once a second, the program never settles.)
source "$RIG_REPO/tests/rig/guest/lib.sh"

start_keyboard kb 1 0 || exit 1
Xvfb :98 -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
keyboards+=("$!")
for _ in $(seq 50); do [[ -S /tmp/.X11-unix/X98 ]] && break; sleep 0.1; done
check "Xvfb is up" test -S /tmp/.X11-unix/X98

XDG_CONFIG_HOME=$work/config DISPLAY=:98 QT_QPA_PLATFORM=xcb Z9RT_HID=hidapi \
    Z9RT_SIM_STATE=$work/sim.state "$bin/Z9RT(PRSM)Ble" >"$work/program.log" 2>&1 &
program=$!
keyboards+=("$program")

# cpu_and_wakeups: the program's CPU time in clock ticks into $ticks, and "thread-id:name:times
# switched to" of each of its threads into $threads.
cpu_and_wakeups() {
    local stat task line name switches
    read -r -a stat <"/proc/$program/stat" || return 1
    ticks=$((stat[13] + stat[14]))
    threads=()
    for task in /proc/"$program"/task/*; do
        switches=0
        name=
        while read -r line; do
            [[ $line == Name:* ]] && name=${line#Name:}
            [[ $line == *ctxt_switches:* ]] && switches=$((switches + ${line##*:}))
        done <"$task/status"
        threads+=("${task##*/}:${name//[[:space:]]/}:$switches")
    done
}
# woken BEFORE... AFTER...: how often the threads of both looks were switched to in between;
# a thread that came or went counts as woken once. Each thread that woke is listed.
woken() {
    local -A before=()
    local entry id count=0
    for entry in "${threads_before[@]}"; do before[${entry%%:*}]=${entry##*:}; done
    for entry in "${threads[@]}"; do
        id=${entry%%:*}
        if [[ -z ${before[$id]:-} ]]; then
            echo "  thread ${entry%:*} came"
            count=$((count + 1))
        elif ((${entry##*:} != before[$id])); then
            echo "  thread ${entry%:*} woke $((${entry##*:} - before[$id])) times"
            count=$((count + ${entry##*:} - before[$id]))
        fi
        unset "before[$id]"
    done
    for id in "${!before[@]}"; do echo "  thread $id went"; count=$((count + 1)); done
    woken_count=$count
}

# Settled: the keyboard found and read, the window painted, and Qt's pooled threads (which
# convert large pictures at start and leave 30 s after their last task) gone: no CPU time and
# the same threads over a 3 s look, none of them pooled.
settled=false
previous=
for _ in $(seq 40); do
    sleep 3
    cpu_and_wakeups || break
    if [[ "$ticks ${threads[*]}" == "$previous" && "${threads[*]}" != *pooled* ]]; then
        settled=true
        break
    fi
    previous="$ticks ${threads[*]}"
done
check "the program started and settled" $settled
cpu_and_wakeups
ticks_before=$ticks
threads_before=("${threads[@]}")
sleep 30
check "the program still runs" cpu_and_wakeups
woken
echo "  over 30 s: $((ticks - ticks_before)) clock ticks of CPU, $woken_count wakeups, threads ${threads[*]}"
check "no CPU time over 30 s" equals "$((ticks - ticks_before))" 0
check "no thread woke over 30 s" equals "$woken_count" 0
sed 's/^/  program: /' "$work/program.log" | head -5
