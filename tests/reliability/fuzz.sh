#!/usr/bin/env bash
# The fuzzers, built with clang and libFuzzer under AddressSanitizer and
# UndefinedBehaviorSanitizer in a build tree of their own.
#
#   fuzz.sh build SOURCE_DIR BUILD_DIR
#       configures BUILD_DIR once (clang++, -DMILFO_FUZZ=ON) and builds the
#       four fuzzers in it;
#   fuzz.sh run BUILD_DIR NAME SECONDS [INPUT_DIR...]
#       runs fuzzer NAME (readval, show, handlers, csv) for SECONDS with a fixed
#       seed, on the corpus kept in BUILD_DIR/corpus/NAME plus the given
#       input folders; a fault leaves its input in BUILD_DIR/artifacts/.
#       MILFO_FUZZ_FLAGS adds libFuzzer options (e.g. "-jobs=2 -workers=2").
set -euo pipefail
fuzzers=(readval show handlers csv)

case ${1:-} in
build)
  src=$2 dir=$3
  if [ ! -f "$dir/CMakeCache.txt" ]; then
    cmake -S "$src" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined,float-cast-overflow,fuzzer-no-link -fno-sanitize-recover=all -fno-omit-frame-pointer" \
      -DMILFO_FUZZ=ON -DMILFO_RELIABILITY_SUITE=OFF -DMILFO_WERROR=OFF
  fi
  cmake --build "$dir" -j2 --target "${fuzzers[@]/#/fuzz_}"
  ;;
run)
  dir=$2 name=$3 seconds=$4
  shift 4
  mkdir -p "$dir/corpus/$name" "$dir/artifacts"
  inputs=()
  for d in "$@"; do [ -d "$d" ] && inputs+=("$d"); done
  # An input that takes more than 10 s is a fault.
  # shellcheck disable=SC2086
  exec "$dir/tests/reliability/fuzz_$name" ${MILFO_FUZZ_FLAGS:-} -seed=1 -max_total_time="$seconds" -timeout=10 \
    -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$dir/artifacts/$name-" \
    "$dir/corpus/$name" "${inputs[@]}"
  ;;
*)
  echo "usage: fuzz.sh build SOURCE_DIR BUILD_DIR | fuzz.sh run BUILD_DIR NAME SECONDS [INPUT_DIR...]" >&2
  exit 2
  ;;
esac
