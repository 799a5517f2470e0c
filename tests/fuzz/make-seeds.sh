#!/usr/bin/env bash
# Writes the fuzz targets' seed corpora from real traffic and files: the report streams the
# simulated keyboard sends (taken from the report trace of z9rtctl runs), state files it
# writes, profiles and firmware files. Run from the repository root after a release build:
#   tests/fuzz/make-seeds.sh [build/release/bin/z9rtctl]
set -euo pipefail
cd "$(dirname "$0")/../.."

tool=$(realpath "${1:-build/release/bin/z9rtctl}")
corpus=$PWD/tests/fuzz/corpus
golden=$PWD/tests/profile/golden
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export Z9RT_HID=sim Z9RT_SIM_STATE=$work/keyboard.txt Z9RT_HID_TRACE=$work/trace.txt
unset Z9RT_SIM_MODEL Z9RT_SIM_FAULT

# The payloads received after the request whose command byte is $1, up to the next request,
# as binary: one 64-byte report after another.
stream_after() {
    awk -v command="$1" '
        /^>/ { taking = ($3 == command); next }
        /^</ && taking { sub(/^< /, ""); print }' trace.txt | tr -d ' \n' | xxd -r -p
}

# run NAME ARGS...: a fresh trace of one tool run.
run() { rm -f trace.txt; "$tool" "$@" >/dev/null 2>&1 || true; }

mkdir -p "$corpus"/{keyrecords,chunks,version,firmware,intelhex,simstate,commandline,keyarrays,profile}

# A full-size profile whose macro is hundreds of events long (the golden profiles, each
# model's default one among them, are the profile fuzzer's seeds as they are).
python3 - "$golden/content.pro" "$corpus/profile/long-macros.pro" <<'PY'
import re, sys
text = open(sys.argv[1], newline="").read()
# Key 46's macro on the layer without Fn becomes 300 events with their delays.
key = text.index('<KEY ID="46" Level="0" Mode="3"')
match = re.compile(r'<x ID="0" t1="A Down">\r\n<List [^>]*/>\r\n</x>\r\n').search(text, key)
event, delay = match.group(0), match.group(0).replace("A Down", "&lt;50 ms&gt;")
events = "".join((event if i % 2 == 0 else delay).replace('ID="0"', f'ID="{i}"')
                 for i in range(599))
end = text.index("</List>", match.start())
text = text[:match.start()] + events + text[end:]
open(sys.argv[2], "w", newline="").write(text)
PY
"$tool" show "$corpus/profile/long-macros.pro" >/dev/null

# Key records, light and counter streams of a factory-fresh keyboard, of one holding long
# macros, and of one that adds noise and malformed records and chunks.
rm -f keyboard.txt
run read factory.pro
stream_after f2 >"$corpus/keyrecords/factory.bin"
stream_after e2 >"$corpus/chunks/light.bin"
run counters
stream_after e3 >"$corpus/chunks/counters.bin"
cp keyboard.txt "$corpus/simstate/factory.txt"
run write-keys "$corpus/profile/long-macros.pro"
run read macros.pro
stream_after f2 >"$corpus/keyrecords/macros.bin"
cp keyboard.txt "$corpus/simstate/macros.txt"
export Z9RT_SIM_FAULT=noise,malformed
run read noisy.pro
stream_after f2 >"$corpus/keyrecords/noise-malformed.bin"
stream_after e2 >"$corpus/chunks/light-noise-malformed.bin"
unset Z9RT_SIM_FAULT

# The version answer of every model.
for model in 1 2 3 4; do
    Z9RT_SIM_MODEL=$model run info
    stream_after f9 >"$corpus/version/model-$model.bin"
done

# A hand-edited state file: comments, blank lines, a bad line.
printf '# edited\nmodel 3\n\nlight 1 255 0 0\ncounter 5 4294967295\nrecord 2 7 00 f0 02 07 02 01 00 00 1e 00 02 04 05\nbogus\n' \
    >"$corpus/simstate/edited.txt"

# Firmware files: a small image, and one of several pages with extended linear addresses, a
# start address and records out of order.
printf ':10010000214601360121470136007EFE09D2190140\r\n:100110002146017e17c20001ff5f16002148011928\r\n:00000001FF\r\n' \
    >"$corpus/firmware/small.hex"
python3 - "$corpus/firmware/pages.hex" <<'PY'
import sys
def record(kind, address, data):
    body = bytes([len(data), address >> 8, address & 0xFF, kind]) + bytes(data)
    return ":" + (body + bytes([(-sum(body)) & 0xFF])).hex().upper() + "\r\n"
lines = []
for page in range(3):
    lines.append(record(4, 0, [0, page]))
    for offset in range(0xFF00, 0x10000, 16) if page == 0 else range(0, 0x200, 32):
        lines.append(record(0, offset, [(offset + i + page) & 0xFF for i in range(16 if page == 0 else 32)]))
lines.insert(5, lines.pop(2))
lines.append(record(5, 0, [0, 0, 1, 0]))
lines.append(record(1, 0, []))
open(sys.argv[1], "w", newline="").write("".join(lines))
PY
cp "$corpus"/firmware/*.hex "$corpus/intelhex/"
printf ':020000020000FC\r\n:0100000001fe\r\n:0000000000\r\n:00000001FF\r\n' >"$corpus/intelhex/segments.hex"

# Command lines as scripts write them, the arguments separated by NUL bytes.
number=0
for line in "--json counters" "--simulate --json --model Z9RT(S) show my.pro" \
            "--model 4 defaults d.pro" "write-keys my.pro" "firmware Z9RT(PRSM)BLe_2.0.bin" \
            "-h" "read" "--model"; do
    number=$((number + 1))
    printf '%s' "$line" | tr ' ' '\0' >"$corpus/commandline/line-$number.args"
done

# Key definition arrays as the library fills them (32-bit integers, little-endian): a single
# key, a combination, a double click, a repeated key, macros without and with delays.
python3 - "$corpus/keyarrays" <<'PY'
import struct, sys
arrays = {
    "single": [0, 1, 43], "combo": [0, 2, 67, 43], "double-click": [0, 2, 130, 130],
    "repeated": [1, 30, 3, 4, 5, 6], "macro": [2, 0, 3, 0, 30, 3, 4, 5, 6],
    "macro-delays": [2, 1, 0, 1, 0, 3, 4, 100, 5, 200, 6], "empty": [0, 0],
}
for name, values in arrays.items():
    open(f"{sys.argv[1]}/{name}.bin", "wb").write(struct.pack(f"<{len(values)}i", *values))
PY

