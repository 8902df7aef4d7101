#!/usr/bin/env bash
# Installs what is missing, builds the programs and shows the sample project: in the
# desktop program where there is a display, else as the PDF listing.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc)"

if [[ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" && -x build/bin/tavo ]]; then
  exec build/bin/tavo build/bin/demo.tavo
fi
build/bin/tavo-cli pdf build/bin/demo.tavo build/demo.pdf
echo "The listing of the sample project: $PWD/build/demo.pdf"
