#!/usr/bin/env bash
# Installs what is missing and runs every test: the core tests under ASan and UBSan,
# the monkey test of the desktop program under both, short fuzzing runs of the file
# readers and the JSON import, then the whole build with warnings as errors and all
# unit, command-line and GUI tests.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh

jobs=$(nproc)
export QT_QPA_PLATFORM=offscreen

echo "== Core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVO_WERROR=ON \
  -DTAVO_SANITIZE=ON -DTAVO_CORE_ONLY=ON -DTAVO_BENCH=OFF
cmake --build build-sanitize -j "$jobs" --target core_tests
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize --output-on-failure -j "$jobs"

echo "== The monkey test on the desktop program under AddressSanitizer and UndefinedBehaviorSanitizer"
cmake -S . -B build-sanitize-gui -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVO_WERROR=ON \
  -DTAVO_SANITIZE=ON -DTAVO_BENCH=OFF -DTAVO_MONKEY_ACTIONS="${MONKEY_ACTIONS:-2000}"
cmake --build build-sanitize-gui -j "$jobs" --target gui_monkey
# Qt and fontconfig keep caches until exit, which the leak check would report.
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build-sanitize-gui --output-on-failure -R '^gui\.monkey$'

echo "== Fuzzing the project-file reader, the JSON import and the settings and header-lines readers"
bash scripts/fuzz.sh

# Last, so that its summary closes the output.
echo "== Build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVO_WERROR=ON
cmake --build build -j "$jobs"
ctest --test-dir build --output-on-failure -j "$jobs"
