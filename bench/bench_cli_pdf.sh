#!/usr/bin/env bash
# Times the whole `tavo-cli pdf`, process start to file written, and measures its peak
# memory, for two projects: the maximal one (every component, element and row there
# can be) with a goal of 100 ms, and the largest (the same with every text at its
# limit) with a goal of 300 ms; both under 80 MB.
#
# Usage: bench/bench_cli_pdf.sh [BUILD_DIR] [RUNS]    (defaults: build, 20)
# Build with -DCMAKE_BUILD_TYPE=RelWithDebInfo or Release for figures that count.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
runs=${2:-20}
cli=$build/bin/tavo-cli
goal_kb=$((80 * 1024))

[ -x "$cli" ] || { echo "no $cli: build first" >&2; exit 1; }
[ -x /usr/bin/time ] || { echo "/usr/bin/time is missing: run scripts/setup.sh" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The settings of this run, not the user's.
export XDG_CONFIG_HOME=$work/config XDG_RUNTIME_DIR=$work

verdict() { if (($1 < $2)); then echo "goal met"; else echo "OVER THE GOAL"; fi; }

# bench NAME GOAL_MS [--largest]
bench() {
    local name=$1 goal_ms=$2
    shift 2
    python3 tests/cli/maximal_project.py "$@" "$work/$name.json"
    "$cli" import "$work/$name.json" "$work/$name.tavo"
    # The processor time of each run too: on a busy machine it says more than the clock.
    pdf() { /usr/bin/time -a -o "$work/$name.cpu" -f "%U %S" "$cli" pdf "$work/$name.tavo" "$work/$name.pdf"; }

    pdf  # warm the file cache and the font cache
    rm -f "$work/$name.cpu"
    local start mean_ms cpu_ms peak_kb pages
    start=$(date +%s%N)
    for ((i = 0; i < runs; i++)); do pdf; done
    mean_ms=$((($(date +%s%N) - start) / runs / 1000000))
    cpu_ms=$(awk '{ sum += $1 + $2 } END { printf "%d", sum * 1000 / NR }' "$work/$name.cpu")
    peak_kb=$(/usr/bin/time -f %M "$cli" pdf "$work/$name.tavo" "$work/$name.pdf" 2>&1 >/dev/null | tail -n 1)
    pages=$(pdfinfo "$work/$name.pdf" 2>/dev/null | awk '/^Pages:/ { print $2 }')

    echo "tavo-cli pdf, $name project ($pages pages), mean of $runs runs:"
    echo "  time        $mean_ms ms   (goal < $goal_ms ms: $(verdict "$mean_ms" "$goal_ms")), processor $cpu_ms ms"
    echo "  peak memory $((peak_kb / 1024)) MB   (goal < $((goal_kb / 1024)) MB: $(verdict "$peak_kb" "$goal_kb"))"
}

bench maximal 100
bench largest 300 --largest
