#!/usr/bin/env bash
# bench/hostile.sh [BUILD_DIR] — milfo-calc on files made to hurt it: the
# time and the peak resident memory of each, at three sizes (the time should
# grow with the size, not faster; the memory not at all), against the same
# program on a file of one row (its own memory). Targets: at most 64 MiB above
# that, time linear in the size.
#
# Needs BUILD_DIR/calc/milfo-calc (default build-perf/, as bench/run builds it).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-perf}
source bench/calc_of.sh
calc_of "$build"

# make KIND SCALE > file: SCALE 1, 2 or 4 (4 MB of the kind at scale 1).
make() {
  python3 - "$1" "$2" <<'PY'
import sys
kind, scale = sys.argv[1], int(sys.argv[2])
out = sys.stdout.buffer
mb = 1 << 20
if kind == "commas":          # a header of Text1 and millions of commas
    out.write(b"Text1" + b"," * (4 * mb * scale) + b"\n")
elif kind == "cell":          # one cell of megabytes
    out.write(b"Combo1,Text1,Text2\n" + b"x" * (4 * mb * scale) + b",0,50\n")
elif kind == "quote":         # a quote never closed
    out.write(b"Combo1,Text1,Text2\n\"" + b"x" * (4 * mb * scale) + b"\n")
elif kind == "blank":         # nothing but line ends
    out.write(b"Combo1,Text1,Text2\n" + b"\r\n" * (2 * mb * scale))
elif kind == "wide":          # 4096 columns, most of them passed through
    head = [b"Combo1", b"Text1", b"Text2"] + [b"c%d" % i for i in range(4093)]
    row = [b"\xe4\xbf\x9d\xe6\xb8\xa9\xe7\xad\x92\xef\xbc\x91\xe7\xa8\xae", b"-10", b"100"] + [b"1"] * 4093
    out.write(b",".join(head) + b"\n")
    line = b",".join(row) + b"\n"
    out.write(line * (4 * mb * scale // len(line)))
elif kind == "errors":        # every row an error and a note in every cell
    out.write(b"Combo1,Text1,Text2\n" + b"x,abc,\n" * (4 * mb * scale // 7))
elif kind == "kanji":         # Shift_JIS, every byte after the header a kanji's
    out.write(b"Combo1,Text1,Text2,Note\n" + (b"\x95\xdb\x89\xb7\x93\x9b\x82\x50\x8e\xed,0,50," + b"\x95\xdb" * 200 + b"\n") * (4 * mb * scale // 418))
PY
}

run() {  # run FILE: seconds, CPU seconds and peak RSS in kB (GNU time's last line)
  /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$calc" fennick "$1" > /dev/null 2> "$work/err" || true
  tail -n 1 "$work/time" | awk '{ print $1, $2 + $3, $4 }'
}

printf 'Combo1,Text1,Text2\n保温筒１種,0,50\n' > "$work/one.csv"
read -r _ _ base < <(run "$work/one.csv")
echo "== milfo-calc ($calc) on hostile files: its own peak RSS $((base / 1024)) MB on one row"
printf '%-8s %9s %9s %9s %11s %9s  %s\n' kind size seconds "CPU" "peak RSS" "above" "what it said"
for kind in commas cell quote blank wide errors kanji; do
  for scale in 1 2 4; do
    make "$kind" "$scale" > "$work/$kind.csv"
    read -r seconds cpu rss < <(run "$work/$kind.csv")
    said=$(tail -n 1 "$work/err" | sed 's|^milfo-calc: [^:]*csv: ||' | cut -c1-50)
    awk -v k="$kind" -v size="$(stat -c %s "$work/$kind.csv")" -v s="$seconds" -v cpu="$cpu" -v rss="$rss" \
      -v base="$base" -v said="$said" 'BEGIN { printf "%-8s %7.1f MB %7.2f s %7.2f s %8.1f MB %6.1f MB  %s\n", k,
        size / 1048576, s, cpu, rss / 1024, (rss - base) / 1024, said }'
  done
done
