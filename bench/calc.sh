#!/usr/bin/env bash
# bench/calc.sh [BUILD_DIR] — milfo-calc's speed and memory on generated CSV
# files: rows per second for fennick, 熱伝達率 and ravelt's pipe (配管の計算),
# a million fennick rows, and the peak resident memory at 10^5 and 4·10^5
# fennick rows (streamed: the second within 1.15× of the first).
#
# Needs BUILD_DIR/calc/milfo-calc (default build-perf/, as bench/run builds it).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build-perf}
source bench/calc_of.sh
calc_of "$build"

# N rows of each program, inputs varied row by row.
fennick() {
  awk -v n="$1" 'BEGIN { print "Combo1,Text1,Text2"
    for (i = 0; i < n; i++) printf "保温筒%s種,%d,%d.%d\n", (i % 2 ? "１" : "２"), -45 + i % 40, 10 + i % 60, i % 10 }'
}
heat_transfer() {
  awk -v n="$1" 'BEGIN { split("塗装溶融メッキ鋼板,アルミニウム板,ステンレス鋼板,仕上げセメント、布類", f, ",")
    print "Combo1,Text1,Text2,Text3,Text4,Text5"
    for (i = 0; i < n; i++) printf "\"%s\",%d,%d.%d,%d,0.%03d,0.0%d\n", f[1 + i % 4], i % 35, 40 + i % 300, i % 10, i % 5, i % 600, 2 + i % 8 }'
}
ravelt_pipe() {
  awk -v n="$1" 'BEGIN { print "Text1,Text2,Text3,Text4,Text5,Text7"
    for (i = 0; i < n; i++) printf "0.0%d,%d,%d,20,%d,0.%04d\n", 3 + i % 5, 100 + i % 400, 35 + i % 15, 8 + i % 5, 200 + i % 3000 }'
}

# run NAME ROWS ARGS...: seconds, rows per second and peak resident memory
# (GNU time: its own fork is far smaller than milfo-calc). On a shared
# machine the CPU time is the steadier figure.
run() {
  local name=$1 rows=$2
  shift 2
  /usr/bin/time -f "%e %U %S %M" -o "$work/time" "$@" > "$work/out.csv"
  awk -v name="$name" -v rows="$rows" '{ cpu = $2 + $3; if (cpu < 0.01) cpu = 0.01
    printf "%8d rows  %6.2f s (CPU %6.2f s)  %7.0f rows/s (per CPU second %7.0f)  peak RSS %5.1f MB  %s\n",
      rows, $1, cpu, rows / $1, rows / cpu, $4 / 1024, name }' "$work/time"
}

fennick 1000000 > "$work/fennick-1e6.csv"
fennick 100000 > "$work/fennick-1e5.csv"
fennick 400000 > "$work/fennick-4e5.csv"
heat_transfer 200000 > "$work/heat_transfer.csv"
ravelt_pipe 200000 > "$work/ravelt.csv"

echo "== milfo-calc ($calc), $(nproc) cores"
run "fennick" 1000000 "$calc" fennick "$work/fennick-1e6.csv"
run "熱伝達率" 200000 "$calc" 熱伝達率 "$work/heat_transfer.csv"
run "ravelt, 配管の計算" 200000 "$calc" --press 配管の計算 ravelt "$work/ravelt.csv"
echo "== memory as the file grows (fennick)"
run "fennick" 100000 "$calc" fennick "$work/fennick-1e5.csv" | tee "$work/m1"
run "fennick" 400000 "$calc" fennick "$work/fennick-4e5.csv" | tee "$work/m4"
paste "$work/m1" "$work/m4" | awk '{ for (i = 1; i <= NF; i++) if ($i == "RSS") { m[++k] = $(i + 1) } }
  END { printf "peak RSS at 4·10^5 rows / at 10^5 rows: %.3f (target ≤ 1.15)\n", m[2] / m[1] }'
