#!/usr/bin/env bash
# web/build.sh [OUT]: builds the web site into OUT/site (OUT defaults to
# build-web/): MPFR for WebAssembly once, kept in a cache outside OUT
# (web/build-deps.sh), then the core and its bridge with emcc, the program
# descriptions exported by a tool built from the same tables, and the pages
# around them.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-$root/build-web}" && cd "${1:-$root/build-web}" && pwd)

# Debian's emscripten finds its JavaScript modules there when the node on
# PATH is not Debian's own, and starts faster on Debian's python than
# through a wrapper such as pyenv's.
export NODE_PATH=${NODE_PATH:+$NODE_PATH:}/usr/share/nodejs
if [ -x /usr/bin/python3 ]; then export EMSDK_PYTHON=${EMSDK_PYTHON:-/usr/bin/python3}; fi

"$root/web/build-deps.sh" "$out"
# The whole tree, configured for WebAssembly without Qt: the same core target
# as the desktop's. A tree configured from elsewhere, or whose configure did
# not finish (no build.ninja; its cache may hold what made it fail), is
# configured afresh.
if ! grep -qx "CMAKE_HOME_DIRECTORY:INTERNAL=$root" "$out/cmake/CMakeCache.txt" 2>/dev/null ||
  [ ! -f "$out/cmake/build.ninja" ]; then
  rm -rf "$out/cmake/CMakeCache.txt" "$out/cmake/CMakeFiles"
  # Debian's python has the font tools the site's font subset needs.
  emcmake cmake -S "$root" -B "$out/cmake" -G Ninja -DCMAKE_BUILD_TYPE=Release -DMILFO_QT=OFF \
    -DMILFO_DEPS="$out/deps" -DPYTHON3=/usr/bin/python3 >/dev/null
fi
cmake --build "$out/cmake"
