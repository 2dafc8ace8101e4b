#!/usr/bin/env bash
# One end-to-end case: starts the real executable on $DISPLAY and drives it
# with xdotool as a person would, reading results back through the clipboard.
#   e2e.sh CASE_FILE APPS_DIR LAYOUT_DIR
# CASE_FILE is tests/e2e/NAME.txt (or NAME-what.txt); one command a line:
#   type TEXT | key KEYS | click CONTROL | wheel CONTROL up|down |
#   expect TEXT | closed | frame
# Before the commands, every case checks the client size the window manager
# gives the window. "frame" checks what the frame does for every program
# alike, so one case does it: the suite's icon is set, and neither a resize
# nor a maximise (a double click on the title bar) changes the client size.
# The input goes to the window in order: X delivers the events one after
# another, so a command needs no pause after it; an expect waits for the
# clipboard to hold the box's text (the copy comes after every event before
# it).
set -uo pipefail
case_file=$1 apps=$2 layouts=$3
[ -n "${DISPLAY:-}" ] || { echo "no display: skipped"; exit 77; }

name=$(basename "$case_file" .txt)
program=${name%%-*}
layout="$layouts/$program.tsv"
caption=$(awk -F'\t' '$1 == "caption" { print $2 }' "$layout")

pid=""
cleanup() { [ -n "$pid" ] && { kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null; }; }
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }

# Starts the program and waits for its window. On a loaded machine the first
# connection to the display can be refused; a program that ends before its
# window appears is started again, twice at most.
wid=""
for attempt in 1 2 3; do
  "$apps/$program" &
  pid=$!
  for _ in $(seq 200); do
    wid=$(xdotool search --onlyvisible --name "^${caption}\$" 2>/dev/null | head -n 1)
    [ -n "$wid" ] && break 2
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  wait "$pid" 2>/dev/null
  echo "attempt $attempt: the program ended before its window appeared"
  pid=""
done
[ -n "$wid" ] || fail "no window captioned $caption"
xdotool windowfocus --sync "$wid" || fail "cannot focus the window"
sleep 0.3

# The client size in pixels, from the layout's twips, and as the window has it:
# the designed client area under the menu bar, which alone adds to it.
read -r want_w want_h < <(awk -F'\t' '$1 == "client" { printf "%d %d\n", ($2 + 7) / 15, ($3 + 7) / 15 }' "$layout")
client_size() { xdotool getwindowgeometry "$wid" | sed -n 's/^ *Geometry: //p'; }
read -r got_w got_h < <(client_size | tr x ' ')
menu=$((got_h - want_h))
[ "$got_w" = "$want_w" ] && [ "$menu" -gt 0 ] && [ "$menu" -lt 40 ] ||
  fail "window size $(client_size), expected ${want_w}x${want_h} under a menu bar"
want_h=$((want_h + menu))
echo "ok: the client size ${want_w}x$((want_h - menu)) under a menu bar of ${menu} pixels"

# The frame's part: the suite's icon, drawn from its SVG at every size Qt
# offers, 128 x 128 among them (a window without one gets a 48 x 48
# default), and a size that neither a resize nor a maximise changes.
check_frame() {
  has_icon() { [[ "$(xprop -id "$wid" _NET_WM_ICON)" == *'Icon (128 x 128)'* ]]; }
  for _ in $(seq 30); do has_icon && break; sleep 0.1; done
  has_icon || fail "not the suite's icon"
  local actions wx wy
  actions=$(xprop -id "$wid" _NET_WM_ALLOWED_ACTIONS)
  [[ "$actions" != *MAXIMIZE* && "$actions" != *RESIZE* ]] || fail "the window may be resized: $actions"
  xdotool windowsize "$wid" $((want_w + 200)) $((want_h + 150))
  read -r wx wy < <(xdotool getwindowgeometry "$wid" | sed -n 's/^ *Position: \([0-9]*\),\([0-9]*\).*/\1 \2/p')
  xdotool mousemove $((wx + want_w / 2)) $((wy - 8)) click --repeat 2 --delay 80 1
  sleep 0.5
  [ "$(client_size)" = "${want_w}x${want_h}" ] || fail "resized to $(client_size), expected ${want_w}x${want_h}"
  xdotool windowfocus --sync "$wid" || fail "cannot focus the window again"
  echo "ok: icon; the client size stays ${want_w}x${want_h}"
}

# The middle of a control, in window pixels, from its twip rectangle under
# the menu bar.
centre() {
  awk -F'\t' -v n="$1" -v menu="$menu" '$1 == "control" && $2 == n {
    printf "%d %d\n", ($4 + $6 / 2) / 15, ($5 + $7 / 2) / 15 + menu }' "$layout"
}

step=0
while IFS= read -r line || [ -n "$line" ]; do
  case "$line" in ''|'#'*) continue ;; esac
  step=$((step + 1))
  command=${line%% *}
  arg=${line#"$command"}
  arg=${arg# }
  case "$command" in
    type) xdotool type --delay 30 -- "$arg" ;;
    key) xdotool key --delay 30 $arg ;;
    click)
      read -r x y < <(centre "$arg")
      [ -n "${x:-}" ] || fail "no control $arg in $layout"
      xdotool mousemove --window "$wid" "$x" "$y" click 1 ;;
    wheel)
      read -r control direction <<<"$arg"
      read -r x y < <(centre "$control")
      [ -n "${x:-}" ] || fail "no control $control in $layout"
      case "$direction" in up) button=4 ;; down) button=5 ;; *) fail "wheel $direction" ;; esac
      xdotool mousemove --window "$wid" "$x" "$y" click "$button" ;;
    expect)
      printf '' | xclip -selection clipboard -i
      xdotool key --delay 30 ctrl+a ctrl+c
      # The copy comes once the window has taken every event before it; an
      # empty text is read after a moment, as there is no change to wait for.
      if [ -z "$arg" ]; then
        sleep 0.3
        got=$(xclip -o -selection clipboard 2>/dev/null)
      else
        for _ in $(seq 200); do
          got=$(xclip -o -selection clipboard 2>/dev/null)
          [ "$got" = "$arg" ] && break
          sleep 0.03
        done
      fi
      [ "$got" = "$arg" ] || fail "step $step: expected '$arg', the clipboard holds '$got'"
      echo "ok: $arg" ;;
    frame) check_frame ;;
    closed)
      for _ in $(seq 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
      kill -0 "$pid" 2>/dev/null && fail "step $step: the program is still running"
      wait "$pid"; status=$?
      [ "$status" -eq 0 ] || fail "the program ended with status $status"
      xdotool search --onlyvisible --name "^${caption}\$" >/dev/null 2>&1 && fail "the window is still there"
      echo "ok: closed" ;;
    *) fail "unknown command $command" ;;
  esac
done < "$case_file"
echo "passed: $name"
