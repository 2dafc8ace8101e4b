#!/usr/bin/env bash
# bench/startup.sh [BUILD_DIR] [RUNS] — start-up time and peak memory of two
# real calculators against a bare Qt 6 Widgets window with the same controls.
#
# For fennick and 熱伝達率 (in BUILD_DIR/apps, default build/) and for
# BUILD_DIR/bench/bare_window shaped like each of them, alternately, RUNS times
# (default 15): the time from spawning the process until its window is mapped
# on an Xvfb display of our own, and the peak resident memory (VmHWM) at that
# moment (bench/startup_probe). Prints the medians and the ratios real/bare
# against the targets: time ≤ 1.15×, memory ≤ 1.10×.
#
# Needs the targets fennick, heat_transfer, bare_window and startup_probe:
#   cmake --build BUILD_DIR --target fennick heat_transfer bare_window startup_probe
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
runs=${2:-15}
probe=$build/bench/startup_probe
bare=$build/bench/bare_window
for f in "$probe" "$bare" "$build/apps/fennick" "$build/apps/熱伝達率"; do
  if [ ! -x "$f" ]; then
    echo "missing $f; build it: cmake --build $build --target fennick heat_transfer bare_window startup_probe" >&2
    exit 2
  fi
done

# Our own Xvfb on the first free display from :77.
display=""
for n in $(seq 77 120); do
  if [ ! -e "/tmp/.X11-unix/X$n" ] && [ ! -e "/tmp/.X$n-lock" ]; then display=":$n"; break; fi
done
[ -n "$display" ] || { echo "no free X display" >&2; exit 2; }
Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
work=$(mktemp -d)
trap 'kill $xvfb_pid 2>/dev/null || true; rm -rf "$work"' EXIT
for _ in $(seq 100); do
  xdpyinfo -display "$display" >/dev/null 2>&1 && break
  sleep 0.05
done
export DISPLAY=$display
export QT_QPA_PLATFORM=xcb
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime
unset QT_SCALE_FACTOR QT_SCREEN_SCALE_FACTORS

# name | caption | command. The bare windows have the real ones' client size
# (twips / 15) and their numbers of labels, line edits, lists and buttons.
names=(fennick bare-fennick 熱伝達率 bare-熱伝達率)
declare -A caption command
caption[fennick]="ミルフォ－１．１．８"
command[fennick]="$build/apps/fennick"
caption[bare-fennick]="bare-fennick"
command[bare-fennick]="$bare bare-fennick 353 264 7 3 1 1"
caption[熱伝達率]="ミルフォ－２．１"
command[熱伝達率]="$build/apps/熱伝達率"
caption[bare-熱伝達率]="bare-熱伝達率"
command[bare-熱伝達率]="$bare bare-熱伝達率 440 321 19 12 1 2"

measure() {  # name → appends "ms hwm rss" to $work/name
  local name=$1
  # shellcheck disable=SC2086
  "$probe" "${caption[$name]}" ${command[$name]} >>"$work/$name"
}

# One unrecorded run of each warms the page cache and the font cache.
for name in "${names[@]}"; do measure "$name" && : >"$work/$name"; done

for i in $(seq "$runs"); do
  # Alternate the order inside each pair from one round to the next.
  if [ $((i % 2)) -eq 1 ]; then order=(fennick bare-fennick 熱伝達率 bare-熱伝達率)
  else order=(bare-fennick fennick bare-熱伝達率 熱伝達率); fi
  for name in "${order[@]}"; do measure "$name"; done
done

median() {  # column of $work/name → median
  awk -v c="$2" '{print $c}' "$work/$1" | sort -g | awk '{v[NR]=$1} END {
    if (NR == 0) { print "nan"; exit }
    if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

echo "machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ *//')," \
  "Qt $(dpkg-query -W -f='${Version}' libqt6widgets6 2>/dev/null || echo '?'), display $display (Xvfb), $runs runs each"
lowest() { awk -v c="$2" '{print $c}' "$work/$1" | sort -g | head -1; }
printf '%5s %15s %12s %16s  %s\n' runs "time median ms" "(fastest)" "VmHWM median kB" program
for name in "${names[@]}"; do
  printf '%5s %15s %12s %16s  %s\n' "$(wc -l <"$work/$name")" "$(median "$name" 1)" "($(lowest "$name" 1))" \
    "$(median "$name" 2)" "$name"
done
echo
for real in fennick 熱伝達率; do
  t=$(awk -v a="$(median "$real" 1)" -v b="$(median "bare-$real" 1)" 'BEGIN {printf "%.3f", a / b}')
  m=$(awk -v a="$(median "$real" 2)" -v b="$(median "bare-$real" 2)" 'BEGIN {printf "%.3f", a / b}')
  tv=$(awk -v r="$t" 'BEGIN {print (r <= 1.15) ? "within" : "ABOVE"}')
  mv=$(awk -v r="$m" 'BEGIN {print (r <= 1.10) ? "within" : "ABOVE"}')
  printf 'time %s× (target ≤ 1.15×: %s), memory %s× (target ≤ 1.10×: %s)  %s / bare\n' "$t" "$tv" "$m" "$mv" "$real"
done
