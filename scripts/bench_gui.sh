#!/usr/bin/env bash
# Times the desktop program in a Release build:
# - the start with the sample project up to the main window shown (goal: under 500 ms),
#   as the program measures it from main() and as the whole run, exit included;
# - the results page laid out anew for the largest project (goal: under 50 ms);
# - another element chosen on the components page of that project (goal: under 16 ms).
# Under Xvfb when it is installed, else on the offscreen platform. RUNS sets the
# number of starts (default 10); the settings go to a folder of their own.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BUILD_DIR:-build-bench}
runs=${RUNS:-10}

# Called back under the display server, so that its own start is not counted:
# one line per start, the program's figure and the whole run's, in milliseconds.
if [ "${1:-}" = --starts ]; then
  for _ in $(seq "$runs"); do
    begin=$(date +%s%N)
    shown=$(TAVO_TIME_STARTUP=1 "$build/bin/tavo" "$build/bin/demo.tavo")
    end=$(date +%s%N)
    echo "$shown $(((end - begin) / 1000000))"
  done
  exit 0
fi

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" --target tavo demo_project tavo_gui_bench

home=$(mktemp -d)
trap 'rm -rf "$home"' EXIT
export HOME="$home" XDG_CONFIG_HOME="$home/.config" BUILD_DIR="$build" RUNS="$runs"
if command -v xvfb-run >/dev/null; then
  platform=xcb
  results=$(QT_QPA_PLATFORM=xcb xvfb-run -a bash "$0" --starts)
else
  platform=offscreen
  results=$(QT_QPA_PLATFORM=offscreen bash "$0" --starts)
fi

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
echo "Start with demo.tavo to the shown main window ($platform, $runs runs, median):"
echo "  from main(): $(cut -d' ' -f1 <<<"$results" | median) ms"
echo "  whole run:   $(cut -d' ' -f2 <<<"$results" | median) ms"
echo
echo "Results page laid out anew, another element chosen on the components page; maximal project:"
QT_QPA_PLATFORM=offscreen "$build/bin/tavo_gui_bench" --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
