#!/usr/bin/env bash
# asan.sh SOURCE_DIR BUILD_DIR
# Configures BUILD_DIR once with AddressSanitizer and UndefinedBehaviorSanitizer
# (g++, every finding fatal) and builds the test programs in it: the unit
# tests, the GUI tests, the frame's window tests, the milfo-calc tests (and
# milfo-calc), the driver and the fuzz replays: nothing else of the tree (no
# application, benchmark, package or site). Qt itself is not instrumented.
# Warnings are the main build's business; here they do not stop the build.
# Debug information is line tables only (-g1): what a sanitizer's report
# needs to name file and line, for two thirds of the compile time of -g.
set -euo pipefail
src=$1 dir=$2
if [ ! -f "$dir/CMakeCache.txt" ]; then
  cmake -S "$src" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG=-g1 \
    -DCMAKE_CXX_FLAGS="-O1 -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer" \
    -DMILFO_RELIABILITY_SUITE=OFF -DMILFO_WERROR=OFF
fi
cmake --build "$dir" -j2 --target unit_tests gui_tests frame_window_tests calc_tests milfo-drive milfo-calc \
  fuzz_readval_replay fuzz_show_replay fuzz_handlers_replay fuzz_csv_replay
