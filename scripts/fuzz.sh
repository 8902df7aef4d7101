#!/usr/bin/env bash
# Builds the project reader's fuzzer with clang in build-fuzz and runs it for
# FUZZ_SECONDS (default 60) on a copy of the seed corpus, so that the committed
# corpus stays as it is. Fails on any crash, leak or sanitizer report; the input
# that caused it is kept in build-fuzz/artifacts/.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build-fuzz"

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer" \
  -DTAVO_FUZZ=ON -DTAVO_CORE_ONLY=ON -DBUILD_TESTING=OFF -DTAVO_BENCH=OFF
cmake --build "$build" --target read_project_fuzzer

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
cp -r "$root/tests/fuzz/corpus" "$work/corpus"
mkdir -p "$build/artifacts"

# The fuzzer's progress goes to a log; only its summary, or the report of a finding, is shown.
log="$build/fuzz.log"
if ! "$build/bin/read_project_fuzzer" \
  -max_total_time="${FUZZ_SECONDS:-60}" \
  -artifact_prefix="$build/artifacts/" \
  -print_final_stats=1 \
  "$work/corpus" >"$log" 2>&1; then
  tail -n 60 "$log"
  echo "The fuzzer found a fault; the input is in $build/artifacts/" >&2
  exit 1
fi
grep -E '^(Done|stat::peak_rss_mb)' "$log"
