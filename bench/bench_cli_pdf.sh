#!/usr/bin/env bash
# Times the whole `tavo-cli pdf` of the largest project there can be, process start
# to file written, and measures its peak memory. Goal: under 300 ms and 80 MB.
#
# Usage: bench/bench_cli_pdf.sh [BUILD_DIR] [RUNS]    (defaults: build, 20)
# Build with -DCMAKE_BUILD_TYPE=RelWithDebInfo or Release for figures that count.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
runs=${2:-20}
cli=$build/bin/tavo-cli
goal_ms=300
goal_kb=$((80 * 1024))

[ -x "$cli" ] || { echo "no $cli: build first" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time is missing: run scripts/setup.sh" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The settings of this run, not the user's.
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work
python3 tests/cli/maximal_project.py "$work/max.json"
"$cli" import "$work/max.json" "$work/max.tavo"

pdf() { "$cli" pdf "$work/max.tavo" "$work/max.pdf"; }

pdf  # warm the file cache and the font cache
start=$(date +%s%N)
for ((i = 0; i < runs; i++)); do pdf; done
mean_ms=$((($(date +%s%N) - start) / runs / 1000000))

peak_kb=$(/usr/bin/time -f %M "$cli" pdf "$work/max.tavo" "$work/max.pdf" 2>&1 >/dev/null | tail -n 1)
pages=$(pdfinfo "$work/max.pdf" 2>/dev/null | awk '/^Pages:/ { print $2 }')

verdict() { if (($1 < $2)); then echo "goal met"; else echo "OVER THE GOAL"; fi; }
echo "tavo-cli pdf, maximal project ($pages pages), mean of $runs runs:"
echo "  time        $mean_ms ms   (goal < $goal_ms ms: $(verdict "$mean_ms" "$goal_ms"))"
echo "  peak memory $((peak_kb / 1024)) MB   (goal < $((goal_kb / 1024)) MB: $(verdict "$peak_kb" "$goal_kb"))"
