#!/usr/bin/env bash
# Runs the in-process monkey test on the offscreen window for any seed and length:
#     scripts/monkey.sh [SEED] [ACTIONS]        (defaults: a random seed, 10000 actions)
# With SANITIZE=1 it uses the ASan and UBSan build. A failure prints the seed and
# the last actions, so the run can be repeated.
set -euo pipefail
cd "$(dirname "$0")/.."

seed=${1:-$RANDOM}
actions=${2:-10000}
if [ "${SANITIZE:-0}" = 1 ]; then
  build=build-sanitize-gui
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVO_SANITIZE=ON -DTAVO_BENCH=OFF >/dev/null
else
  build=build
  cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
fi
cmake --build "$build" -j "$(nproc)" --target gui_monkey
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  "$build/bin/gui_monkey" --seed "$seed" --actions "$actions"
