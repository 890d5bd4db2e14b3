#!/usr/bin/env bash
# Installs what is missing, builds, starts the virtual robot on 127.0.0.1 and
# opens the panel on it. The panel runs in build/run/, where it keeps its
# address memory file; a fresh one is seeded with the robot's address.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh

mkdir -p build/run
cd build/run
[ -e zenkaiip.txt ] || printf '127.0.0.1' > zenkaiip.txt

../virtualrobot/korvan-virtual-robot --listen 127.0.0.1 --trace robot-trace.jsonl < /dev/null &
robot=$!
trap 'kill "$robot" 2>/dev/null || true' EXIT

panel=(../app/korvan)
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run: no display; showing the panel on a virtual one (xvfb-run)"
    panel=(xvfb-run -a "${panel[@]}")
fi
"${panel[@]}"
