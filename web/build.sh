#!/usr/bin/env bash
# web/build.sh [OUT]: builds the web site into OUT/site (OUT defaults to
# build-web/): GMP and MPFR for WebAssembly once (web/build-deps.sh), then
# the core and its bridge with emcc, the program descriptions exported by a
# tool built from the same tables, and the pages around them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-$root/build-web}" && cd "${1:-$root/build-web}" && pwd)

# Debian's emscripten finds its JavaScript modules there when the node on
# PATH is not Debian's own.
export NODE_PATH=${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs

"$root/web/build-deps.sh" "$out"
if [ ! -f "$out/cmake/CMakeCache.txt" ]; then
  # Debian's python has the font tools the site's font subset needs.
  emcmake cmake -S "$root/web" -B "$out/cmake" -G Ninja -DMILFO_DEPS="$out/deps" -DPYTHON3=/usr/bin/python3 >/dev/null
fi
cmake --build "$out/cmake"
