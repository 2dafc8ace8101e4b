#!/usr/bin/env bash
# quiet.sh [--allow-output] TOOL ARGS... — runs a validator and fails when it
# fails; without --allow-output also when it prints anything (a warning or a
# hint that does not change its exit status).
set -uo pipefail
allow_output=0
if [ "${1:-}" = "--allow-output" ]; then
  allow_output=1
  shift
fi
if ! command -v "$1" >/dev/null; then
  echo "$1 is not installed (tools/setup.sh installs it)" >&2
  exit 1
fi
out=$("$@" 2>&1)
rc=$?
[ -n "$out" ] && printf '%s\n' "$out"
[ $rc -eq 0 ] || exit $rc
if [ $allow_output -eq 0 ] && [ -n "$out" ]; then
  echo "$1 reported issues" >&2
  exit 1
fi
exit 0
