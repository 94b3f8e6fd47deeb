#!/usr/bin/env bash
# Runs the start-up benchmark under a virtual X server of its own, so that
# besides its ratio it measures the real program's wall time from its launch
# to the first painted start menu on the screen.
#
# Usage: bench/startup_xvfb.sh BUILD_FOLDER [benchmark options...]
# Needs Xvfb (package xvfb).
set -uo pipefail
build=${1:?usage: startup_xvfb.sh BUILD_FOLDER [benchmark options...]}
shift
bench=$build/bench/bench_startup
[ -x "$bench" ] || { echo "no $bench: build with -DSTAVELORN_BENCH=ON"; exit 1; }
command -v Xvfb > /dev/null || { echo "Xvfb is missing"; exit 1; }

work=$(mktemp -d)
xvfb_pid=
cleanup() {
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2> /dev/null && wait "$xvfb_pid" 2> /dev/null
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display and writes its number to fd 3; without GLX, SDL
# draws with its software renderer as it does in the smoke tests.
exec 3> "$work/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -extension GLX > "$work/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  sleep 0.1
done
[ -s "$work/display" ] || { echo "Xvfb did not start"; cat "$work/xvfb.log"; exit 1; }
export DISPLAY=:$(head -n1 "$work/display")
"$bench" "$@"
