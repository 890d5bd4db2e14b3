#!/usr/bin/env bash
# Installs what is missing, builds the two programs, starts the virtual robot
# with its window on 127.0.0.1 at the screen's left edge and opens the panel,
# centred, on it. The robot reads its control lines (status, place bone
# front, battery 20, drop, help) from this terminal and ends with the panel. The panel runs in build/release/run/, where it keeps its
# address memory file; a fresh one is seeded with the robot's address.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "run: no display; showing both windows on a virtual one (xvfb-run)"
    scripts/install-deps.sh build
    exec xvfb-run -a "$0" "$@"
fi
scripts/install-deps.sh build
scripts/build.sh

mkdir -p build/release/run
cd build/release/run
[ -e zenkaiip.txt ] || printf '127.0.0.1' > zenkaiip.txt

rm -f robot-trace.jsonl
# The terminal stays the robot's input: a job in the background would
# otherwise read from /dev/null.
../virtualrobot/korvan-virtual-robot --window --listen 127.0.0.1 --trace robot-trace.jsonl <&0 &
robot=$!
trap 'kill "$robot" 2>/dev/null || true' EXIT
for _ in $(seq 50); do
    grep -qs '"event":"listen"' robot-trace.jsonl && break
    if ! kill -0 "$robot" 2>/dev/null; then
        status=0
        wait "$robot" || status=$?
        echo "run: the virtual robot could not start (status $status); is port 20207 taken?" >&2
        exit 1
    fi
    sleep 0.1
done

../app/korvan
