#!/usr/bin/env bash
# The real program started with no display at all: it must say so on
# standard error and end with 2 within seconds, not run unseen for ever.
# Arguments: the program, a folder for this test's files.
set -u
program=$1
out=$2
rm -rf "$out"
mkdir -p "$out/data" "$out/runtime"
chmod 700 "$out/runtime"
start=$(date +%s)
env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER XDG_DATA_HOME="$out/data" XDG_RUNTIME_DIR="$out/runtime" \
  XDG_STATE_HOME="$out/state" \
  timeout 20 "$program" -win > "$out/stdout" 2> "$out/stderr"
status=$?
elapsed=$(( $(date +%s) - start ))
[ "$status" -eq 2 ] || { echo "smoke_nodisplay: FAILED: exit $status, expected 2"; cat "$out/stderr"; exit 1; }
[ "$elapsed" -le 5 ] || { echo "smoke_nodisplay: FAILED: took ${elapsed} s"; exit 1; }
grep -q "no display" "$out/stderr" || { echo "smoke_nodisplay: FAILED: nothing said"; cat "$out/stderr"; exit 1; }
echo "smoke_nodisplay: exit 2 after ${elapsed} s: $(cat "$out/stderr")"
