#!/usr/bin/env bash
# one_rounded_place.sh SOURCE_DIR: no calculation code takes a logarithm, an
# exponential, a power or a root from the C library; they all go through
# frame/rounded.cpp, the one correctly rounded place.
set -euo pipefail
cd "$1"
pattern='\b(std::)?(log|log2|log10|log1p|exp|exp2|expm1|pow|sqrt|cbrt|hypot)[fl]?[[:space:]]*\('
if grep -rnE "$pattern" frame conductivity heatflow batch --include='*.cpp' --include='*.h' | grep -v '^frame/rounded\.'; then
  echo "calculation code above calls the C library's logarithm, exponential or power"
  exit 1
fi
echo "every logarithm, exponential and power goes through frame/rounded.cpp"
