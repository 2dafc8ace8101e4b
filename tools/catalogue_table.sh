#!/usr/bin/env bash
# The README's table of programs, from the catalogue (catalogue/programs.tsv).
#   tools/catalogue_table.sh           prints the table
#   tools/catalogue_table.sh --update  writes it into README.md, between the
#                                      catalogue markers
#   tools/catalogue_table.sh --check   exits 1 when README.md's table differs
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
begin='<!-- catalogue: written by tools/catalogue_table.sh from catalogue/programs.tsv -->'
end='<!-- /catalogue -->'

table() {
  echo '| Menu | Program | 計算 | What it computes | Window |'
  echo '|---|---|---|---|---|'
  awk -F'\t' '!/^#/ && NF {
    printf "| %s | `%s` | %s | %s | ![%s](docs/screenshots/%s.png) |\n", $3, $1, $4, $6, $1, $1 }' \
    "$root/catalogue/programs.tsv"
}

readme_table() {
  awk -v b="$begin" -v e="$end" '$0 == e { on = 0 } on { print } $0 == b { on = 1 }' "$root/README.md"
}

case "${1:-}" in
  "") table ;;
  --check)
    if ! diff <(readme_table) <(table); then
      echo "README.md's table of programs differs from the catalogue: tools/catalogue_table.sh --update" >&2
      exit 1
    fi ;;
  --update)
    new=$(table)
    awk -v b="$begin" -v e="$end" -v t="$new" '
      $0 == b { print; print t; skip = 1; next }
      $0 == e { skip = 0 }
      !skip { print }' "$root/README.md" >"$root/README.md.new"
    mv "$root/README.md.new" "$root/README.md" ;;
  *) echo "usage: tools/catalogue_table.sh [--update|--check]" >&2; exit 2 ;;
esac
