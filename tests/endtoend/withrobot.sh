#!/bin/sh
# Runs a test program beside the virtual robot: withrobot.sh ROBOT [EMULATOR] PROGRAM [ARGS]
# The robot listens on 127.0.0.1 at a port of the system's choosing, with a
# battery at 77 % and a trace; the program finds both in its environment:
# KORVAN_ROBOT_PORT and KORVAN_ROBOT_TRACE, the latter as a Windows path when
# the program runs under Wine.
set -eu
robot=$1
shift
work=$(mktemp -d)
mkfifo "$work/control"
# Held open, so the robot's input never ends while the program runs.
exec 3<>"$work/control"
"$robot" --listen 127.0.0.1 --port 0 --battery 77 --trace "$work/trace.jsonl" <"$work/control" >"$work/out" 2>&1 &
pid=$!
trap 'kill $pid 2>/dev/null || true; wait $pid 2>/dev/null || true; rm -rf "$work"' EXIT

tries=0
until grep -q '^listening ' "$work/out"; do
    tries=$((tries + 1))
    if [ $tries -gt 100 ] || ! kill -0 $pid 2>/dev/null; then
        echo "withrobot: the robot did not come up:" >&2
        cat "$work/out" >&2
        exit 1
    fi
    sleep 0.1
done
KORVAN_ROBOT_PORT=$(sed -n 's/^listening .*:\([0-9]*\)$/\1/p' "$work/out")
KORVAN_ROBOT_TRACE=$work/trace.jsonl
case $(basename "$1") in
wine*) KORVAN_ROBOT_TRACE=$(winepath -w "$KORVAN_ROBOT_TRACE") ;;
esac
export KORVAN_ROBOT_PORT KORVAN_ROBOT_TRACE
"$@"
