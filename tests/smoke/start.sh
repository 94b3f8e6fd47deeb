# Shared start of the smoke tests, sourced with name, program, out and here
# set: checks the tools (exit 77 when one is missing), starts a virtual X
# server and the program on a first run, and waits for its window and the
# end of its start-up. Defines fail and the cleanup that stops both, and the
# pointer, screenshot, log and exit helpers the tests share.
for tool in Xvfb xdotool xwd python3 timeout; do
  command -v "$tool" > /dev/null || { echo "$name: $tool is missing; skipped"; exit 77; }
done
rm -rf "$out"
mkdir -p "$out/data" "$out/runtime"
chmod 700 "$out/runtime"
log=$out/stavelorn.log

xvfb_pid=
program_pid=
cleanup() {
  local pid
  for pid in $program_pid $xvfb_pid; do
    kill "$pid" 2> /dev/null
  done
  # A process that ignores the request is killed outright after 5 s.
  for _ in $(seq 50); do
    alive=
    for pid in $program_pid $xvfb_pid; do
      kill -0 "$pid" 2> /dev/null && alive=1
    done
    [ -z "$alive" ] && break
    sleep 0.1
  done
  for pid in $program_pid $xvfb_pid; do
    kill -9 "$pid" 2> /dev/null
  done
  wait 2> /dev/null
}
trap cleanup EXIT
fail() {
  echo "$name: FAILED: $*"
  echo "---- program log"; cat "$log" 2> /dev/null
  exit 1
}

# Xvfb picks a free display and writes its number to fd 3. Without its GLX
# extension SDL draws with its software renderer: Mesa's software GL would be
# unloaded before exit, and a sanitizer build could then not tell its
# leftovers from ours.
exec 3> "$out/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -extension GLX > "$out/xvfb.log" 2>&1 &
xvfb_pid=$!
exec 3>&-
for _ in $(seq 100); do
  [ -s "$out/display" ] && break
  sleep 0.1
done
[ -s "$out/display" ] || fail "Xvfb did not start"
export DISPLAY=:$(head -n1 "$out/display")

export SDL_VIDEODRIVER=x11 SDL_AUDIODRIVER=dummy STAVELORN_HEADLESS=1
# A sanitizer build reports leaks at exit; the system libraries' own are not ours.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=$here/lsan.supp"
export XDG_DATA_HOME=$out/data XDG_RUNTIME_DIR=$out/runtime
timeout 120 "$program" -win > "$log" 2>&1 &
program_pid=$!

window=$(timeout 20 xdotool search --sync --name '^Stavelorn$' 2> /dev/null | head -n1)
[ -n "$window" ] || fail "no window"
for _ in $(seq 100); do
  grep -q "Startup Completed Successfully" "$log" && break
  sleep 0.1
done
grep -q "Startup Completed Successfully" "$log" || fail "start-up did not complete"

geometry=$(timeout 10 xdotool getwindowgeometry --shell "$window") || fail "no window geometry"
eval "$geometry"
origin_x=$X origin_y=$Y

# Points are in the program's 800 x 600 picture.
# point X Y: moves the pointer there; --sync would wait in vain (15 s) for a
# move to where the pointer already is.
point() {
  local X Y SCREEN WINDOW
  eval "$(timeout 5 xdotool getmouselocation --shell)"
  if [ "$X,$Y" != "$((origin_x + $1)),$((origin_y + $2))" ]; then
    timeout 5 xdotool mousemove --sync $((origin_x + $1)) $((origin_y + $2))
  fi
}
click() {
  point "$1" "$2"
  sleep 0.2
  timeout 10 xdotool click 1 || fail "cannot click"
  sleep 0.2
}
# shot NAME x,y,#rrggbb[,tolerance] ...: a screenshot, kept as NAME.png,
# whose samples must match; tried again for a while, since a slow machine
# may not have painted the next frame yet.
shot() {
  local picture=$1
  shift
  # Park the pointer outside the picture, so no button shows its hover face.
  point 790 590
  echo "-- $picture (${SECONDS}s)"
  for attempt in $(seq 20); do
    sleep 0.3
    timeout 20 xwd -root -silent > "$out/$picture.xwd" || fail "no screenshot $picture"
    if ORIGIN="$origin_x,$origin_y" timeout 20 python3 "$here/xwd.py" "$out/$picture.xwd" "$out/$picture.png" "$@" \
         > "$out/$picture.samples"; then
      cat "$out/$picture.samples"
      rm -f "$out/$picture.xwd"
      return
    fi
  done
  cat "$out/$picture.samples"
  fail "screen $picture does not match its layout"
}
# drag X1 Y1 X2 Y2: presses at the first point and lets go at the second.
drag() {
  point "$1" "$2"
  sleep 0.2
  timeout 5 xdotool mousedown 1
  sleep 0.2
  point $(($1 - 8)) $(($2 - 4))
  sleep 0.2
  point "$3" "$4"
  sleep 0.2
  timeout 5 xdotool mouseup 1
  sleep 0.3
}
# wait_log TEXT: until the program has logged the line, for up to 30 s.
wait_log() {
  for _ in $(seq 300); do
    grep -qF "$1" "$log" && return
    sleep 0.1
  done
  fail "no log line \"$1\""
}
# expect_end WHAT: the program ends within 30 s of WHAT, with exit code 0.
expect_end() {
  for _ in $(seq 300); do
    kill -0 "$program_pid" 2> /dev/null || break
    sleep 0.1
  done
  kill -0 "$program_pid" 2> /dev/null && fail "the program did not end after $1"
  wait "$program_pid"
  local status=$?
  program_pid=
  [ "$status" -eq 0 ] || fail "exit code $status"
}
