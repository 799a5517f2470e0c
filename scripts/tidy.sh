#!/usr/bin/env bash
# Runs clang-tidy with the tree's .clang-tidy over the project's own C++ files (not third_party/,
# not what the build generates); every finding is an error.
#   scripts/tidy.sh             every source file the release build compiles
#   scripts/tidy.sh --changed   only the sources changed since the base, and those that include a
#                               header changed since then
# The base is the last release tag (v*). Without one, it is the last change of .clang-tidy: the
# whole tree is checked clean whenever the check list changes, so a file untouched since then
# is still clean. A change of .clang-tidy itself, or a base the clone lacks, checks everything.
# Needs the release build (scripts/build.sh release): its compile_commands.json and the files
# Qt's moc generated.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

database=build/release/compile_commands.json
if [[ ! -f $database ]]; then
    echo "$database is missing: build the release flavour first (scripts/build.sh release)" >&2
    exit 2
fi
for tool in clang-tidy run-clang-tidy; do
    command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/deps.sh installs it)" >&2; exit 2; }
done

# The project's sources in the build, by absolute path as the database names them.
mapfile -t sources < <(sed -n 's/^ *"file": "\(.*\)",\{0,1\}$/\1/p' "$database" |
    grep "^$root/" | grep -v -e "^$root/build" -e "^$root/third_party/" | sort -u)

if [[ ${1:-} == --changed ]] && ! git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    echo "clang-tidy: not a git checkout, so no base to compare with: every source is checked"
elif [[ ${1:-} == --changed ]]; then
    base=$(git describe --tags --abbrev=0 --match 'v*' 2>/dev/null ||
        git log -1 --format=%H -- .clang-tidy 2>/dev/null || true)
    if [[ -n $base ]] && git cat-file -e "$base^{commit}" 2>/dev/null &&
        ! git diff --quiet "$base" -- .clang-tidy; then
        base=""
    fi
    if [[ -n $base ]] && git cat-file -e "$base^{commit}" 2>/dev/null; then
        mapfile -t changed < <(git diff --name-only --diff-filter=d "$base" -- '*.cpp' '*.h' \
            ':!:third_party/*'; git ls-files --others --exclude-standard -- '*.cpp' '*.h')
        wanted=()
        for file in "${changed[@]}"; do
            case $file in
                *.cpp) wanted+=("$root/$file") ;;
                # A header is checked through the sources that include it.
                *.h)
                    name=$(basename "$file")
                    mapfile -t -O "${#wanted[@]}" wanted < <(grep -l -F -e "/$name\"" \
                        -e "\"$name\"" "${sources[@]}" || true) ;;
            esac
        done
        mapfile -t sources < <(printf '%s\n' "${sources[@]}" | grep -x -F -f <(printf '%s\n' "${wanted[@]}" /dev/null) || true)
        echo "clang-tidy: ${#sources[@]} sources changed, or including a header changed, since $(git rev-parse --short "$base")"
    else
        echo "clang-tidy: no base to compare with, every source is checked"
    fi
fi
[[ ${#sources[@]} -gt 0 ]] || { echo "clang-tidy: nothing to check"; exit 0; }

# Headers of the project are checked where they are included; those of Qt, the test
# frameworks and the generated ones (under build/) are not. Qt's QSKIP and friends leave a
# macro's "..." empty, which clang's -Wpedantic (not GCC's, which builds the tree) reports.
run-clang-tidy -quiet -j 2 -p build/release -extra-arg=-Wno-gnu-zero-variadic-macro-arguments \
    -header-filter="^$root/(app|bench|cli|devicelib|tests|tools)/" "${sources[@]}"
