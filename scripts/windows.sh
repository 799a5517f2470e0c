#!/usr/bin/env bash
# The Windows build: cross-builds the device library, z9rtctl and their unit and tool tests
# with MinGW-w64 (build/windows), runs the tests under Wine, and checks that z9rtctl.exe says
# and sends on the simulated keyboard what the Linux z9rtctl of build/release does.
# The tests that need what Windows does not have are skipped by name, each with its reason.
set -euo pipefail
cd "$(dirname "$0")/.."

export WINEPREFIX=${WINEPREFIX:-$PWD/build/wine}
export WINEDEBUG=${WINEDEBUG:--all}
wine=/usr/lib/wine/wine64
# One Wine server for the whole stage (the build already runs the tests to list them), not one
# started and stopped for every program.
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wineserver -p
trap '/usr/lib/wine/wineserver -k || true' EXIT
"$wine" wineboot --init

scripts/build.sh windows

skipped=(
    "HookInstall.WithoutEventDevicesNothingIsInstalled|looks for Linux event devices; the Windows hook needs none"
    "SimulatedStateFile.OnlyRegularFilesWithinTheLimitAreRead|makes a named pipe in the file system"
    "SimulatedState.AFileThatIsNoStateFileIsNeitherReadNorWrittenOver|makes a named pipe in the file system"
    "FirmwareFileTest.RefusesWhatIsNoSoundFirmwareFile|makes a named pipe in the file system and reads /dev/zero"
    "FirmwareFileTest.AFileSwappedForAPipeNeverBlocksTheReader|makes a named pipe in the file system"
    "FileReading.RefusesWhatIsNotARegularFileWithoutReadingIt|makes a named pipe in the file system and reads /dev/zero"
    "FileReplacement.KeepsPermissionsAndReplacesWhatALinkPointsTo|needs symbolic links (Wine makes none) and POSIX permission bits"
    "FileLocking.ASecondLockerWaitsAndGetsTheFileTheNameLeadsTo|locks /dev/null"
    "ToolFailure.ProfilesThatAreNoFilesAreRefusedAtOnce|makes a named pipe in the file system and reads /dev/zero"
    "ToolFailure.AStateFileThatIsNoFileIsNeitherReadNorWrittenOver|makes a named pipe in the file system and reads /dev/zero"
    "ToolInput.RunningOutOfMemoryIsReportedAsAFileTooLarge|limits the tool's address space with prlimit"
)
names=()
for entry in "${skipped[@]}"; do
    echo "skipped on Windows: ${entry%%|*} (${entry#*|})"
    names+=("${entry%%|*}")
done
# Under Wine a tool test now and then stalls until it is killed (seen in 2 of about 10 runs,
# never on Linux; the cause is not found): such a test gets one more run, and a test that fails
# twice fails the stage.
ctest --test-dir build/windows --output-on-failure -j2 --timeout 180 --repeat until-pass:2 \
    --exclude-regex "^($(IFS='|'; echo "${names[*]}"))\$"

# The DLL exports what the Linux library exports: the same names once demangled, Windows'
# 64-bit integers (long long) read as Linux's (long). It needs no DLL but Windows' own.
echo "== the DLL's exported names"
demangled() {
    c++filt | sed -E -e 's/unsigned long long/unsigned long/g' -e 's/long long/long/g' \
                     -e 's/([0-9]+)ull\b/\1ul/g' | sort
}
# The Linux builds compared with are those of the release build, built before this stage.
scripts/build.sh release z9rt_devicelib z9rtctl
diff <(nm -D --defined-only build/release/bin/libZ9RT*.so | awk '{print $3}' | demangled) \
     <(x86_64-w64-mingw32-objdump -p build/windows/bin/Z9RT*.dll |
       sed -n '/\[Ordinal\/Name Pointer\] Table/,/^$/p' | awk '/\[ *[0-9]+\]/ {print $NF}' |
       demangled)
echo "the same $(nm -D --defined-only build/release/bin/libZ9RT*.so | wc -l) names"
x86_64-w64-mingw32-objdump -p build/windows/bin/Z9RT*.dll | awk '/DLL Name/ {print "imports", $3}'

# The tool on both platforms, on the simulated keyboard: the same output and the same reports
# on the wire, line ends aside.
echo "== z9rtctl.exe against z9rtctl"
scripts/compare-tool.sh "$PWD/build/release/bin/z9rtctl" "$wine $PWD/build/windows/bin/z9rtctl.exe"
