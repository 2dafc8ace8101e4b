#!/usr/bin/env bash
# A program's accessibility tree on a display of the tests (skipped without
# one): a session bus and the accessibility bus of its own, the program
# started with Qt's accessibility on, then tests/desktop/atspi_tree.py.
#   atspi.sh EXECUTABLE CAPTION [--type=TEXT|--key=KEYS ...] [ROLE|NAME[|WHAT|TEXT] ...]
set -uo pipefail
[ -n "${DISPLAY:-}" ] || { echo "no display: skipped"; exit 77; }
here=$(cd "$(dirname "$0")" && pwd)
exec dbus-run-session -- bash -c '
  /usr/libexec/at-spi-bus-launcher --launch-immediately >/dev/null 2>&1 &
  launcher=$!
  QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$1" >/dev/null 2>&1 &
  app=$!
  /usr/bin/python3 "$2" "$(basename "$1")" "${@:3}"
  status=$?
  kill $app $launcher 2>/dev/null
  exit $status' atspi "$1" "$here/atspi_tree.py" "${@:2}" 2>&1 | grep -v "Failed to set fd limit"
exit "${PIPESTATUS[0]}"
