#!/usr/bin/env bash
# Builds the fuzzers with clang in build-fuzz and runs each on a copy of its seed
# corpus, so that the committed corpora stay as they are: the project reader for
# FUZZ_SECONDS (default 60), the JSON import and the settings and header-lines
# readers for FUZZ_OTHER_SECONDS each (default 30). Fails on any crash, leak or
# sanitizer report; the input that caused it is kept in build-fuzz/artifacts/.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-fuzz"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
  -DTAVO_FUZZ=ON -DTAVO_CORE_ONLY=ON -DBUILD_TESTING=OFF -DTAVO_BENCH=OFF
cmake --build "$build" --target read_project_fuzzer json_import_fuzzer settings_fuzzer

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
mkdir -p "$build/artifacts"

# fuzz NAME CORPUS SECONDS: the fuzzer's progress goes to a log; only its
# summary, or the report of a finding, is shown.
fuzz() {
  local name="$1" corpus="$2" seconds="$3"
  local log="$build/$name.log"
  cp -r "$root/tests/fuzz/$corpus" "$work/$corpus"
  echo "-- $name for $seconds s"
  if ! "$build/bin/$name" \
    -max_total_time="$seconds" \
    -artifact_prefix="$build/artifacts/$name-" \
    -print_final_stats=1 \
    "$work/$corpus" >"$log" 2>&1; then
    tail -n 60 "$log"
    echo "$name found a fault; the input is in $build/artifacts/" >&2
    exit 1
  fi
  grep -E '^(Done|stat::peak_rss_mb)' "$log"
}

fuzz read_project_fuzzer corpus "${FUZZ_SECONDS:-60}"
fuzz json_import_fuzzer corpus-json "${FUZZ_OTHER_SECONDS:-30}"
fuzz settings_fuzzer corpus-settings "${FUZZ_OTHER_SECONDS:-30}"
