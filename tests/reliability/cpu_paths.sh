#!/usr/bin/env bash
# cpu_paths.sh SWEEP ROWS: the random sweep of every program under the C
# library's code path for this CPU and under its path for a CPU without FMA
# and AVX2; both must print the same text, line for line.
set -euo pipefail
sweep=$1
rows=${2:-20000}
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$sweep" "$rows" >"$out/native"
GLIBC_TUNABLES=glibc.cpu.hwcaps=-AVX2,-FMA,-FMA4 "$sweep" "$rows" >"$out/other"
lines=$(wc -l <"$out/native")
if ! cmp -s "$out/native" "$out/other"; then
  echo "different digits under the other code path:"
  diff "$out/native" "$out/other" | head -20
  exit 1
fi
echo "$lines presses, the same text under both code paths"
