#!/usr/bin/env bash
# The real program started with no display set, or with one that no window
# system answers: it must say so on standard error and end with 2 within
# seconds, not run unseen for ever holding its lock.
# Arguments: the program, a folder for this test's files.
set -u
program=$1
out=$2
here=$(cd "$(dirname "$0")" && pwd)
# A sanitizer build reports leaks at exit; the system libraries' own are not ours.
# Quoted, since the sanitizers split their options at spaces, commas and colons.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=\"$here/lsan.supp\""
rm -rf "$out"
mkdir -p "$out/data" "$out/runtime"
chmod 700 "$out/runtime"
# An X display number no server listens on.
number=4000
while [ -e "/tmp/.X11-unix/X$number" ]; do number=$(( number + 1 )); done
try() {
  local said=$1
  shift
  local start status elapsed
  start=$(date +%s)
  env -u DISPLAY -u WAYLAND_DISPLAY -u SDL_VIDEODRIVER "$@" XDG_DATA_HOME="$out/data" \
    XDG_RUNTIME_DIR="$out/runtime" XDG_STATE_HOME="$out/state" \
    timeout 20 "$program" -win > "$out/stdout" 2> "$out/stderr"
  status=$?
  elapsed=$(( $(date +%s) - start ))
  [ "$status" -eq 2 ] || { echo "smoke_nodisplay: FAILED ($*): exit $status, expected 2"; cat "$out/stderr"; exit 1; }
  [ "$elapsed" -le 5 ] || { echo "smoke_nodisplay: FAILED ($*): took ${elapsed} s"; exit 1; }
  grep -qF "$said" "$out/stderr" || { echo "smoke_nodisplay: FAILED ($*): nothing said"; cat "$out/stderr"; exit 1; }
  echo "smoke_nodisplay: ${*:-nothing set}: exit 2 after ${elapsed} s: $(cat "$out/stderr")"
}
try "no display"
try "cannot open the display \":$number\"" DISPLAY=":$number"
try "cannot open the display \"stavelorn-no-compositor\"" WAYLAND_DISPLAY=stavelorn-no-compositor
