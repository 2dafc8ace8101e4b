#!/usr/bin/env bash
# GMP and MPFR for WebAssembly, from Debian's source packages, built with
# emcc into build-web/deps (headers and static libraries). The sources are
# fetched with `apt-get source` under an apt configuration of our own in
# build-web/apt, so the machine's own sources and lists stay untouched.
# Runs once: a finished build leaves build-web/deps/.done.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:-$root/build-web}
deps=$out/deps
[ -f "$deps/.done" ] && exit 0

apt_dir=$out/apt
mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/sources.list.d" "$apt_dir/src"
suite=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
cat >"$apt_dir/sources.list" <<SOURCES
deb-src [signed-by=/usr/share/keyrings/debian-archive-keyring.gpg] http://deb.debian.org/debian $suite main
SOURCES
apt_opts=(
  -o "Dir::Etc::SourceList=$apt_dir/sources.list"
  -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
  -o "Dir::State::Lists=$apt_dir/lists"
  -o "Dir::Cache=$apt_dir/cache"
  -o "Debug::NoLocking=true"
)
# As root, apt would hand the download to its sandbox user, who cannot write here.
[ "$(id -u)" -eq 0 ] && apt_opts+=(-o "APT::Sandbox::User=root")

if ! ls -d "$apt_dir"/src/gmp-*/ >/dev/null 2>&1 || ! ls -d "$apt_dir"/src/mpfr4-*/ >/dev/null 2>&1; then
  apt-get "${apt_opts[@]}" update -qq
  (cd "$apt_dir/src" && apt-get "${apt_opts[@]}" source -qq gmp mpfr4)
fi
gmp_src=$(ls -d "$apt_dir"/src/gmp-*/ | head -1)
mpfr_src=$(ls -d "$apt_dir"/src/mpfr4-*/ | head -1)

# Debian's emscripten needs its node modules when the node on PATH is not Debian's.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
jobs=$(nproc)
# The same arithmetic as the desktop: no contraction, no fast math.
cflags="-O2 -ffp-contract=off"

build_in() {  # build_in SRC NAME: a clean copy of SRC to build in
  rm -rf "$out/deps-build/$2"
  mkdir -p "$out/deps-build"
  cp -a "$1" "$out/deps-build/$2"
  echo "$out/deps-build/$2"
}

# GMP: the generic C limbs (no assembly for an unknown host), 32-bit limbs
# as wasm32's long.
dir=$(build_in "$gmp_src" gmp)
# Debian's source drops the manual and regenerates configure at its own
# build; the shipped configure still names doc/Makefile, so give it an empty one.
if [ ! -f "$dir/doc/Makefile.in" ]; then
  mkdir -p "$dir/doc"
  printf 'all install install-data install-exec uninstall check clean distclean:\n\t@:\n' >"$dir/doc/Makefile.in"
fi
(cd "$dir" &&
  emconfigure ./configure --host=none --disable-assembly --disable-shared --enable-static \
    --prefix="$deps" CFLAGS="$cflags" >configure.log 2>&1 &&
  emmake make -j"$jobs" >make.log 2>&1 &&
  emmake make install >install.log 2>&1) || { echo "GMP build failed: see $dir/*.log" >&2; exit 1; }

dir=$(build_in "$mpfr_src" mpfr)
(cd "$dir" &&
  emconfigure ./configure --host=none --disable-shared --enable-static --disable-thread-safe \
    --disable-float128 --disable-decimal-float --with-gmp="$deps" --prefix="$deps" CFLAGS="$cflags" \
    >configure.log 2>&1 &&
  emmake make -j"$jobs" >make.log 2>&1 &&
  emmake make install >install.log 2>&1) || { echo "MPFR build failed: see $dir/*.log" >&2; exit 1; }

rm -rf "$out/deps-build"
touch "$deps/.done"
