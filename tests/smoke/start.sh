# Shared start of the smoke tests, sourced with name, program, out and here
# set: checks the tools (exit 77 when one is missing), starts a virtual X
# server and the program on a first run, and waits for its window and the
# end of its start-up. Defines fail and the cleanup that stops both, and the
# log, pointer, screenshot and ending helpers the tests share, and the steps
# the page tests share (skipping the intro, making a character, saving and
# loading it).
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
# Quoted, since the sanitizers split their options at spaces, commas and colons.
export LSAN_OPTIONS="${LSAN_OPTIONS:+$LSAN_OPTIONS:}suppressions=\"$here/lsan.supp\""
# The debug log goes to the state folder, here this test's own.
export XDG_DATA_HOME=$out/data XDG_RUNTIME_DIR=$out/runtime XDG_STATE_HOME=$out/state
debug_log=$out/state/stavelorn/DebugLog.txt
timeout 120 "$program" -win > "$log" 2>&1 &
program_pid=$!

window=$(timeout 20 xdotool search --sync --name '^Stavelorn$' 2> /dev/null | head -n1)
[ -n "$window" ] || fail "no window"
for _ in $(seq 100); do
  grep -q "Startup Completed Successfully" "$log" && break
  sleep 0.1
done
grep -q "Startup Completed Successfully" "$log" || fail "start-up did not complete"
grep -q "Startup Completed Successfully" "$debug_log" || fail "no debug log in the state folder"

geometry=$(timeout 10 xdotool getwindowgeometry --shell "$window") || fail "no window geometry"
eval "$geometry"
origin_x=$X origin_y=$Y

# wait_log TEXT: until the program has logged the line, for up to 20 s.
wait_log() {
  for _ in $(seq 200); do
    grep -qF "$1" "$log" && return
    sleep 0.1
  done
  fail "no log line \"$1\""
}

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
# close_window: asks the program's window to close, as the window manager's
# close button does, and waits for the program to end with exit code 0.
close_window() {
  timeout 10 python3 "$here/xclose.py" "$window" || fail "cannot ask the window to close"
  expect_end "the window was closed"
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
# The message box (velMessageDialog.yaml) where no message reaches: the
# bronze rim of its left edge and the gold diamond on its title's rule. A
# message may name a path, so its lines are never sampled. The screens the
# box covers (the game menu, the character window, the file dialog) show
# neither colour there.
message_box=("185,300,#8c6b3f,24" "400,248,#e0b864,24")
# close_asks NAME: asks the window to close while the character has unsaved
# changes; the screenshot NAME must show the question, Yes beside its caption.
close_asks() {
  timeout 10 python3 "$here/xclose.py" "$window" || fail "cannot ask the window to close"
  shot "$1" "${message_box[@]}" "300,370,#3b2c20,8"
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

# The steps below sample the start menu with the caller's menu_samples.
# skip_intro: the two movies of a first run, each skipped by a click where
# the start menu has no button.
skip_intro() {
  wait_log "MN qelt.webm"
  sleep 1
  click 60 300
  wait_log "MN fluid.webm"
  sleep 1
  click 60 340
  wait_log "Intro over; loading the game data"
}
# new_priest_tracker NAME: from the start menu, a new character NAME of
# class 2 (the priest) and class 7 (the tracker) at level 1, its scores
# dealt from the standard array: 15 WIS, 14 INT, 13 CON, 12 STR, 10 DEX,
# 8 CHA. Ends in the character window on the abilities page.
new_priest_tracker() {
  click 400 260 # New Character
  click 336 368 # Create
  shot 2-setup "200,300,#2a2018,8" "500,420,#16110d,8"
  click 180 72 # the name field
  timeout 5 xdotool key End
  timeout 5 xdotool key --repeat 24 BackSpace
  timeout 5 xdotool type --delay 20 "$1"
  drag 460 280 200 250 # class 2 from the class table onto the class list
  drag 460 440 200 250 # class 7
  shot 3-setup-filled "200,300,#2a2018,8" "690,560,#3b2c20,8"
  click 726 568 # Finish: level 1 earns no increase, so no roller yet
  shot 4-character "700,32,#3b2c20,8" "40,424,#3b2c20,8"
  click 80 424 # Roll
  click 264 236 # the method list's third row, the standard array
  shot 5-standard-array "200,170,#2a2018,8"
  drag 603 192 495 352 # 15
  drag 603 232 495 312 # 14
  drag 603 272 495 272 # 13
  drag 603 312 495 192 # 12
  drag 603 352 495 232 # 10
  drag 603 392 495 392 # 8
  click 567 488 # OK
  shot 6-scores "700,32,#3b2c20,8" "40,424,#3b2c20,8" "@96,200,64,32"
  grep -q '^region @96,200,64,32' "$out/6-scores.samples" || fail "no INT region"
}
# save_and_load FILE: saves the character as FILE.cg3 through the game
# menu, goes back to the start menu and loads it again; $saved is the
# file. Ends in the character window.
save_and_load() {
  click 728 32 # Menu
  click 400 192 # Save Character
  click 448 440 # the file name field
  timeout 5 xdotool type --delay 20 "$1"
  click 448 488 # OK
  saved=$out/data/stavelorn/Characters/$1.cg3
  shot saved "300,192,#3b2c20,8" "300,416,#3b2c20,8"
  [ -s "$saved" ] || fail "no character file $saved"
  click 400 312 # Start Menu: saved, so nothing is asked
  shot start-menu-again "${menu_samples[@]}"
  click 400 316 # Load Character
  click 300 154 # the saved file, the only row
  click 448 488 # OK
  shot loaded "700,32,#3b2c20,8" "40,424,#3b2c20,8"
}
