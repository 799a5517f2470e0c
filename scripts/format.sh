#!/usr/bin/env bash
# Formats the project's C++ files (everything under git's eye but third_party/) with the tree's
# .clang-format.
#   scripts/format.sh            formats them in place
#   scripts/format.sh --check    changes nothing; lists the files that are not formatted and
#                                fails when there is one
# Files named after the option limit the work to them. CLANG_FORMAT picks the binary; the
# formatting is the one of clang-format 14, which scripts/deps.sh installs.
set -euo pipefail
cd "$(dirname "$0")/.."

clang_format=${CLANG_FORMAT:-clang-format}
check=false
if [[ ${1:-} == --check ]]; then
    check=true
    shift
fi

if ! command -v "$clang_format" >/dev/null; then
    echo "$clang_format is missing (scripts/deps.sh installs it)" >&2
    exit 2
fi

if [[ $# -gt 0 ]]; then
    files=("$@")
else
    # Tracked and new files alike, so that a file not yet added is checked too; outside a git
    # checkout (an unpacked source archive) every C++ file but the build's and third_party's.
    if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
        mapfile -t files < <(git ls-files --cached --others --exclude-standard -- \
            '*.cpp' '*.h' ':!:third_party/*' | sort -u)
    else
        mapfile -t files < <(find . \( -path ./build -o -path ./third_party -o -path ./.git \) \
            -prune -o -type f \( -name '*.cpp' -o -name '*.h' \) -print | sed 's|^\./||' | sort)
    fi
    # A file deleted but not yet committed is still in git's index.
    for i in "${!files[@]}"; do
        [[ -e ${files[i]} ]] || unset 'files[i]'
    done
    files=("${files[@]}")
fi

if ! $check; then
    [[ ${#files[@]} -eq 0 ]] || "$clang_format" -i "${files[@]}"
    exit 0
fi

# One run for all the files (a run per file costs a process start each): --dry-run reports every
# place that would change as "file:line:column: warning: ...".
mapfile -t unformatted < <("$clang_format" --dry-run "${files[@]}" 2>&1 |
    sed -n 's/^\(.*\):[0-9]*:[0-9]*: \(warning\|error\): .*/\1/p' | sort -u)
if [[ ${#unformatted[@]} -gt 0 ]]; then
    echo "Not formatted (scripts/format.sh formats them):" >&2
    printf '  %s\n' "${unformatted[@]}" >&2
    exit 1
fi
echo "All ${#files[@]} C++ files are formatted."
