#!/usr/bin/env bash
# locale.sh LOCALE PROGRAM [ARG...]
# Runs PROGRAM with LC_ALL=LOCALE after making sure the locale exists (the
# set-up's milfo_generate_locales makes de_DE.UTF-8 and ja_JP.UTF-8): a
# missing locale would fall back to "C" without a word and prove nothing.
set -euo pipefail
loc=$1
shift
want=${loc%.UTF-8}.utf8  # as locale -a lists it
if ! locale -a | grep -x "$want" >/dev/null; then
  echo "locale $loc is not installed (tools/setup.sh: milfo_generate_locales)"
  exit 1
fi
echo "LC_ALL=$loc: decimal point \"$(LC_ALL=$loc locale decimal_point)\", thousands separator \"$(LC_ALL=$loc locale thousands_sep)\""
export LC_ALL=$loc
exec "$@"
