#!/usr/bin/env bash
# Renders the main window with each of its pages (the sample project open), the
# page preview and each dialog of the output commands into build/screenshots/*.png,
# without a display.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${BUILD_DIR:-build}
cmake -S . -B "$build" -G Ninja >/dev/null
cmake --build "$build" --target tavo_screenshots demo_project help_file
rm -rf build/screenshots
QT_QPA_PLATFORM=offscreen "$build/bin/tavo_screenshots" build/screenshots "$build/bin/demo.tavo"
ls build/screenshots
