#!/usr/bin/env bash
# sweep.sh DRIVE TABLE [PROGRAM]
# Runs every row of TABLE (only PROGRAM's rows when it is given) through the
# real window with the driver DRIVE (build/tools/milfo-drive), one fresh
# window per row, and compares what it prints with the row's expected lines.
# After a row's own commands it asks for every box the row typed into: each
# must hold the text as typed, and the answers show that the window is still
# there after the fault.
set -uo pipefail
drive=$1 table=$2 only=${3:-}
export QT_QPA_PLATFORM=offscreen
sep=' ; '
passed=0 failed=0 line_no=0

split() {  # the " ; "-separated fields of $1, one per line; "" stands for an empty line
  local rest=$1
  while :; do
    local field=${rest%%"$sep"*}
    [ "$field" = '""' ] && field=''
    printf '%s\n' "$field"
    [ "$field" = "$rest" ] || [ "${rest#*"$sep"}" = "$rest" ] && break
    rest=${rest#*"$sep"}
  done
}

while IFS= read -r row || [ -n "$row" ]; do
  line_no=$((line_no + 1))
  [ -z "$row" ] && continue
  [ "${row:0:1}" = '#' ] && continue
  IFS=$'\t' read -r program commands expected <<<"$row"
  [ -n "$only" ] && [ "$program" != "$only" ] && continue

  mapfile -t cmds < <(split "$commands")
  mapfile -t want < <(split "$expected")
  # The boxes typed into, in the order first typed, with their last text.
  declare -A typed=()
  order=()
  for c in "${cmds[@]}"; do
    if [[ $c == "set "* ]]; then
      rest=${c#set }
      name=${rest%% *}
      text=${rest#"$name"}
      text=${text# }
      [ -z "${typed[$name]+x}" ] && order+=("$name")
      typed[$name]=$text
    fi
  done
  for name in "${order[@]}"; do
    cmds+=("get $name")
    want+=("${typed[$name]}")
  done
  unset typed

  got=$(printf '%s\n' "${cmds[@]}" | timeout 60 "$drive" "$program" 2>/tmp/sweep-stderr.$$)
  status=$?
  expected_text=$(printf '%s\n' "${want[@]}")
  if [ $status -eq 0 ] && [ "$got" = "$expected_text" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL line $line_no: $program: $commands"
    [ $status -ne 0 ] && echo "  driver exit status $status" && sed 's/^/  stderr: /' /tmp/sweep-stderr.$$
    diff <(printf '%s\n' "$expected_text") <(printf '%s\n' "$got") | sed 's/^/  /'
  fi
done <"$table"
rm -f /tmp/sweep-stderr.$$

echo "${only:-all programs}: $passed passed, $failed failed"
[ $((passed + failed)) -gt 0 ] || { echo "no rows for ${only:-any program}"; exit 1; }
[ $failed -eq 0 ]
