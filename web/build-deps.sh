#!/usr/bin/env bash
# web/build-deps.sh [OUT]: MPFR for WebAssembly, built once with emcc from
# Debian's source packages and kept in a cache outside the build tree; OUT/deps
# (OUT defaults to build-web/) becomes a link to it: include/ and
# lib/libmpfr.a. GMP's own source package ships mini-gmp, GMP's small
# one-file C implementation of the integer layer; MPFR is configured with it
# (--with-mini-gmp) and carries it inside libmpfr.a, so GMP itself is not
# built. MPFR rounds correctly whatever integer layer is under it.
#
# The cache, ${XDG_CACHE_HOME:-~/.cache}/milfo/wasm-deps/:
#   apt/           apt's lists, and the deb-src entries made from the
#                  machine's own apt sources (its configuration stays as it is)
#   src/PKG_VER/   a source package, unpacked
#   lib/NAME/      a finished build; NAME holds the source versions and a hash
#                  of all that goes into it: emcc's version, the flags and
#                  options, the source versions and this script
#   tmp/           work in progress. A fetch or a build is done here and moved
#                  into src/ or lib/ by one rename when it is complete; what an
#                  interrupted run left here is removed by the next run.
# One run at a time works in the cache (a lock); another waits for it. What
# no run has used for 30 days is removed.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=$(mkdir -p "${1:-$root/build-web}" && cd "${1:-$root/build-web}" && pwd)
cache=${XDG_CACHE_HOME:-$HOME/.cache}/milfo/wasm-deps
script="$root/web/build-deps.sh"

mkdir -p "$cache/src" "$cache/lib"
exec 9>"$cache/lock"
if ! flock -n 9; then
  echo "Waiting for another build of the WebAssembly libraries ($cache)..." >&2
  flock 9
fi
rm -rf "$cache/tmp"
mkdir "$cache/tmp"

# The source versions of the desktop's own GMP and MPFR when they are
# installed, so that both builds round with the same MPFR; otherwise
# whichever version the cache or the apt sources have.
installed_version() {
  dpkg-query -W -f='${db:Status-Status} ${source:Version}' "$1" 2>/dev/null | sed -n 's/^installed //p'
}
gmp_wanted=$(installed_version libgmp-dev)
mpfr_wanted=$(installed_version libmpfr-dev)

# cached_source PKG VERSION: the unpacked source of PKG at VERSION (at any
# version, the newest, when VERSION is empty), if the cache holds it.
cached_source() {
  local dir
  if [ -n "$2" ]; then
    dir="$cache/src/$1_${2#*:}"
  else
    dir=$(find "$cache/src" -mindepth 1 -maxdepth 1 -name "$1_*" | sort -V | tail -1)
  fi
  if [ -n "$dir" ] && [ -d "$dir" ]; then echo "$dir"; fi
}

# --- Fetching, with apt under a configuration of its own in the cache ------
apt_dir=$cache/apt
apt_opts=(
  -o "Dir::Etc::SourceList=$apt_dir/sources.list"
  -o "Dir::Etc::SourceParts=$apt_dir/sources.list.d"
  -o "Dir::State::Lists=$apt_dir/lists"
  -o "Dir::Cache=$apt_dir/cache"
  -o "Debug::NoLocking=true"
)
# As root, apt would hand the download to its sandbox user, who cannot write here.
if [ "$(id -u)" -eq 0 ]; then apt_opts+=(-o "APT::Sandbox::User=root"); fi

# The machine's apt sources (one-line *.list and deb822 *.sources files,
# where apt's own configuration says they are), every entry turned into a
# deb-src entry with the same URI, suites, components and options.
write_apt_sources() {
  local list="" parts=""
  eval "$(apt-config shell list Dir::Etc::SourceList/f parts Dir::Etc::SourceParts/d)"
  mkdir -p "$apt_dir/lists/partial" "$apt_dir/cache/archives/partial" "$apt_dir/sources.list.d"
  : >"$apt_dir/sources.list"
  local f
  machine_sources=""
  for f in "$list" "$parts"*.list "$parts"*.sources; do
    if [ -f "$f" ]; then machine_sources+="${machine_sources:+ }$f"; fi
  done
  for f in "$list" "$parts"*.list; do
    if [ -f "$f" ]; then cat "$f"; fi
  done | sed -n -E 's/^[[:space:]]*deb(-src)?[[:space:]]+/deb-src /p' | sort -u >"$apt_dir/sources.list.d/machine.list"
  for f in "$parts"*.sources; do
    if [ -f "$f" ]; then cat "$f" && echo; fi
  done | awk '
    BEGIN { RS = ""; FS = "\n" }
    {
      text = ""; enabled = 1; typed = 0
      for (i = 1; i <= NF; i++) {
        line = $i
        if (tolower(line) ~ /^enabled:[ \t]*no/) enabled = 0
        if (tolower(line) ~ /^types:/) { line = "Types: deb-src"; typed = 1 }
        text = text line "\n"
      }
      if (enabled && typed) printf "%s\n", text
    }' >"$apt_dir/sources.list.d/machine.sources"
  if [ ! -s "$apt_dir/sources.list.d/machine.list" ] && [ ! -s "$apt_dir/sources.list.d/machine.sources" ]; then
    echo "This machine has no apt sources to fetch Debian's source packages from (read: ${machine_sources:-none})." >&2
    exit 1
  fi
}

# fetch PKG=VERSION|PKG...: fetches and unpacks each into src/; says which it
# could not get, and how to retry, and stops.
fetch() {
  write_apt_sources
  local log=$apt_dir/fetch.log failed=() wanted_pkg pkg work dir version asked
  echo "Fetching Debian source packages: $* (deb-src entries from $machine_sources)"
  # A source that fails here may not be needed; what is missing shows below.
  apt-get "${apt_opts[@]}" update -qq >"$log" 2>&1 || true
  for wanted_pkg in "$@"; do
    pkg=${wanted_pkg%%=*}
    work=$(mktemp -d "$cache/tmp/fetch.XXXXXX")
    if ! (cd "$work" && apt-get "${apt_opts[@]}" source -qq "$wanted_pkg") >>"$log" 2>&1; then
      if [ "$wanted_pkg" = "$pkg" ]; then
        failed+=("$pkg")
        rm -rf "$work"
        continue
      fi
      # That version is gone from the sources: the newest they offer.
      rm -rf "$work"
      work=$(mktemp -d "$cache/tmp/fetch.XXXXXX")
      if ! (cd "$work" && apt-get "${apt_opts[@]}" source -qq "$pkg") >>"$log" 2>&1; then
        failed+=("$pkg")
        rm -rf "$work"
        continue
      fi
      echo "note: $pkg ${wanted_pkg#*=} is no longer in the apt sources; using the newest they have" >&2
    fi
    dir=$(find "$work" -mindepth 1 -maxdepth 1 -type d | head -1)
    version=$(dpkg-parsechangelog -l "$dir/debian/changelog" -S Version)
    [ -d "$cache/src/${pkg}_${version#*:}" ] || mv -T "$dir" "$cache/src/${pkg}_${version#*:}"
    # Found under the version asked for from now on.
    asked=${wanted_pkg#*=}
    asked=${asked#*:}
    [ "$wanted_pkg" = "$pkg" ] || [ -e "$cache/src/${pkg}_$asked" ] || ln -s "${pkg}_${version#*:}" "$cache/src/${pkg}_$asked"
    rm -rf "$work"
  done
  if [ ${#failed[@]} -gt 0 ]; then
    grep -E '^(E|W|Err):' "$log" | awk '!seen[$0]++' >&2 || tail -20 "$log" >&2
    cat >&2 <<EOF
Could not fetch the Debian source packages: ${failed[*]}
They were looked for through deb-src entries made from this machine's apt
sources ($machine_sources), in $apt_dir/sources.list.d/.
Check that those sources are reachable (sudo apt-get update) and that they
carry source packages, then run web/build.sh again: what was fetched is kept,
a partial download is fetched anew. apt's messages are in $log.
EOF
    exit 1
  fi
}

wanted=()
[ -n "$(cached_source gmp "$gmp_wanted")" ] || wanted+=("gmp${gmp_wanted:+=$gmp_wanted}")
[ -n "$(cached_source mpfr4 "$mpfr_wanted")" ] || wanted+=("mpfr4${mpfr_wanted:+=$mpfr_wanted}")
[ ${#wanted[@]} -eq 0 ] || fetch "${wanted[@]}"
gmp_src=$(cached_source gmp "$gmp_wanted")
mpfr_src=$(cached_source mpfr4 "$mpfr_wanted")
gmp_version=$(dpkg-parsechangelog -l "$gmp_src/debian/changelog" -S Version)
mpfr_version=$(dpkg-parsechangelog -l "$mpfr_src/debian/changelog" -S Version)

# --- Building --------------------------------------------------------------
# Debian's emscripten needs its node modules when the node on PATH is not
# Debian's, and starts faster on Debian's python than through a wrapper
# such as pyenv's.
export NODE_PATH=${NODE_PATH:-/usr/share/nodejs}
if [ -x /usr/bin/python3 ]; then export EMSDK_PYTHON=${EMSDK_PYTHON:-/usr/bin/python3}; fi
# The same arithmetic as the desktop: no contraction, no fast math.
cflags="-O2 -ffp-contract=off"
configure_options=(--host=none --disable-shared --enable-static --disable-thread-safe
  --disable-float128 --disable-decimal-float --disable-dependency-tracking)

key=$(
  emcc --version | head -1
  dpkg-query -W -f='${Package} ${Version}\n' emscripten 2>/dev/null || true
  emcc -v 2>&1 | grep -m1 'clang version' || true
  echo "CFLAGS=$cflags ${configure_options[*]} --with-mini-gmp"
  echo "gmp $gmp_version (mini-gmp), mpfr4 $mpfr_version"
  sha256sum <"$script"
)
name="mpfr4-${mpfr_version#*:}_mini-gmp-${gmp_version#*:}_$(sha256sum <<<"$key" | cut -c1-16)"
dest=$cache/lib/$name

if [ ! -d "$dest" ]; then
  echo "Building MPFR $mpfr_version with mini-gmp ($gmp_version) for WebAssembly, once, into $dest"
  work=$(mktemp -d "$cache/tmp/build.XXXXXX")
  cp -a "$mpfr_src" "$work/mpfr"
  # For a compile to an object emcc runs clang with flags of its own, which
  # `emcc --cflags` prints: make runs that clang with those flags directly
  # (the same objects, without emcc's start-up for each of some 260 files).
  echo 'int probe;' >"$work/probe.c"
  clang=$(emcc -v -c "$work/probe.c" -o "$work/probe.o" 2>&1 | grep -e '-target wasm32' | grep -m1 probe.c |
    awk '{print $1}' | tr -d '"')
  cc=emcc
  if [ -x "$clang" ]; then cc="$clang $(emcc --cflags)"; fi
  (cd "$work/mpfr" &&
    emconfigure ./configure "${configure_options[@]}" --with-mini-gmp="$gmp_src/mini-gmp" \
      --prefix="$work/prefix" CFLAGS="$cflags" >configure.log 2>&1 &&
    emmake make -C src -j"$(nproc)" CC="$cc" >make.log 2>&1 &&
    emmake make -C src install >install.log 2>&1) ||
    { echo "MPFR build failed: see $work/mpfr/*.log" >&2; exit 1; }
  mkdir -p "$work/done/lib"
  cp -a "$work/prefix/include" "$work/done/"
  cp "$work/prefix/lib/libmpfr.a" "$work/done/lib/"
  # mpfr.h includes <gmp.h>: here that is mini-gmp, with what mpfr.h needs
  # from GMP beyond it (mini-gmp has no random state).
  cat >"$work/done/include/gmp.h" <<'EOF'
/* GMP's interface as mini-gmp gives it, for an MPFR built --with-mini-gmp. */
#ifndef MILFO_MINI_GMP_AS_GMP_H
#define MILFO_MINI_GMP_AS_GMP_H
#define MPFR_USE_MINI_GMP 1
#include "mini-gmp.h"
typedef long int __gmp_randstate_struct;
typedef __gmp_randstate_struct gmp_randstate_t[1];
#endif
EOF
  printf '%s\n' "$key" >"$work/done/built-from.txt"
  mv -T "$work/done" "$dest"
  rm -rf "$work"
fi

# What this run uses is marked as used; what no run has used for 30 days
# goes (a build tree that still links to it builds it again).
touch "$dest" "$gmp_src" "$mpfr_src"
touch -h "$gmp_src" "$mpfr_src"
find "$cache/lib" "$cache/src" -mindepth 1 -maxdepth 1 -mtime +30 -exec rm -rf {} +

# OUT/deps points at the build; a deps/ of an older layout goes.
[ -L "$out/deps" ] || rm -rf "$out/deps" "$out/apt" "$out/deps-build"
ln -sfn "$dest" "$out/deps.new"
mv -T "$out/deps.new" "$out/deps"
