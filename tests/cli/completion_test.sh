#!/usr/bin/env bash
# The bash completion of z9rtctl, driven as bash drives it: the words of a command line up to
# the cursor in, the offered completions out. The names come from the built tool.
#   completion_test.sh COMPLETION_FILE TOOL_DIR
set -uo pipefail

completion_file=$1
export PATH="$2:$PATH"
framework=/usr/share/bash-completion/bash_completion
if [[ ! -r $framework ]]; then
    echo "SKIP: bash-completion is not installed ($framework); scripts/deps.sh installs it"
    exit 77
fi
# shellcheck source=/dev/null
source "$framework"
# shellcheck source=/dev/null
source "$completion_file"

failures=0
# expect "OFFER|OFFER|..." WORD...: completes the last WORD of the command line WORD...
expect() {
    local wanted=$1
    shift
    COMP_WORDS=("$@")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMP_LINE="${COMP_WORDS[*]}"
    COMP_LINE=${COMP_LINE// = /=}
    COMP_POINT=${#COMP_LINE}
    COMPREPLY=()
    _z9rtctl 2>/dev/null
    local got
    got=$(IFS='|'; echo "${COMPREPLY[*]}")
    if [[ $got != "$wanted" ]]; then
        echo "FAIL: '$COMP_LINE' offers '$got', expected '$wanted'"
        failures=$((failures + 1))
    fi
}

expect "list|info|defaults|show|write-keys|write-lights|read|counters|firmware|set|color|names|diff|doctor" z9rtctl ""
expect "diff" z9rtctl di
expect "doctor" z9rtctl --json do
expect "--verify" z9rtctl write-keys --ve
expect "keyboard" z9rtctl diff a.pro keyb
expect "keyboard" z9rtctl diff --json keyb
expect "show|set" z9rtctl --simulate s
expect "--layer" z9rtctl set --la
expect "none|right|left" z9rtctl set --layer ""
expect "hold" z9rtctl set a.pro A --play-mode ho
expect "1|2|3|4" z9rtctl --model = ""
expect "Caps Lock" z9rtctl set a.pro ca
expect "" z9rtctl set a.pro shif  # on keys 59 and 70: only their numbers name them
expect "combo|clear" z9rtctl set a.pro A c
expect "LCTRL+LCTRL" z9rtctl set a.pro --layer right A combo LCTRL+lc
expect "A,BACKSPACE|A,B" z9rtctl set a.pro A emulation A,b
expect "Next track" z9rtctl set a.pro A media "'Next t"
expect "Next track" z9rtctl set a.pro A media 'Next\ t'
expect "Wake Up|Sleep|Power" z9rtctl set a.pro A power ""
expect "A Down,LSHIFT Down|A Down,LSHIFT UP" z9rtctl set a.pro A macro "'A Down,lshift"
expect "1,Esc" z9rtctl color a.pro 1,es
expect "all" z9rtctl color a.pro al
expect "power" z9rtctl names po
expect "" z9rtctl set a.pro A single A extra

if ((failures > 0)); then
    echo "$failures completion(s) wrong"
    exit 1
fi
echo "every completion as expected"
