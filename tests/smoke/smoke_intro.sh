#!/usr/bin/env bash
# The real program under a virtual X server, on a first run: the logo movie
# and the intro movie each skipped by a click, the start menu, the credits
# (left by a click), the information page (left by Back) and the closing
# screen, whose Leave button ends the program after its parting sound.
# Checks the exit code, the log lines of the intro chain and sampled pixels
# of each screen (content/ui/STYLE.md). The screenshots stay in the output
# folder.
#
# Usage: smoke_intro.sh STAVELORN OUTPUT_FOLDER
# Exit 77 (skipped) when Xvfb, xdotool, xwd, python3 or timeout is missing.
set -uo pipefail
program=$1
out=$2
here=$(cd "$(dirname "$0")" && pwd)
name=smoke_intro
source "$here/start.sh"

# Palette (STYLE.md): night #0e0b08, umber #2a2018, leather #3b2c20,
# gold #e0b864.
menu_samples=("300,270,#3b2c20" "500,326,#3b2c20" "300,428,#3b2c20,8" "296,108,#e0b864" "100,300,#2a2018,12")

# grab NAME: a screenshot kept as NAME.png, converted once the program has
# ended (the conversion is slow, and a movie does not wait).
grabbed=()
grab() {
  timeout 20 xwd -root -silent > "$out/$1.xwd" || fail "no screenshot $1"
  grabbed+=("$1")
}

# The logo plays first; a click skips it and the intro begins; a second
# click skips the intro. The logo waits for the window's first frames, so a
# slow start-up does not play it out before its click. The clicks go where
# the start menu has no button.
wait_log "MN qelt.webm"
grep -qF "Unable to Play Movie" "$log" && fail "a movie could not be played"
sleep 1
grab 1-logo
click 60 300
wait_log "MN fluid.webm"
sleep 1
grab 2-intro
click 60 340 # elsewhere: xdotool waits for a move that would never come
wait_log "Intro over; loading the game data"
shot 3-start-menu "${menu_samples[@]}"

click 400 428 # Credits
sleep 2.5 # half a second's pause, then the title rises from the bottom edge
shot 4-credits "40,40,#0e0b08,8" "760,560,#0e0b08,8"
click 60 380
shot 5-menu-after-credits "${menu_samples[@]}"

click 400 372 # About
shot 6-information "336,472,#3b2c20" "464,472,#3b2c20" "120,300,#2a2018,16" "40,300,#1a140f,24"
click 464 480 # Back
shot 7-menu-after-information "${menu_samples[@]}"

click 400 484 # Quit
shot 8-closing "336,472,#3b2c20" "464,472,#3b2c20" "120,300,#2a2018,16"
timeout 10 xdotool mousemove --sync $((origin_x + 464)) $((origin_y + 480))
sleep 0.2
timeout 10 xdotool click 1 # Leave: the parting sound, then the end
expect_end Leave

for name in "${grabbed[@]}"; do
  ORIGIN="$origin_x,$origin_y" timeout 20 python3 "$here/xwd.py" "$out/$name.xwd" "$out/$name.png" &&
    rm -f "$out/$name.xwd"
done
for line in "Startup Completed Successfully." "FMN " "MN qelt.webm" "MN fluid.webm" \
            "Movie 0 skipped by a click" "Movie 1 skipped by a click" \
            "Intro over; loading the game data"; do
  grep -qF "$line" "$log" || fail "no log line \"$line\""
done
[ "$(grep -cF "Intro over" "$log")" -eq 1 ] || fail "the game data was loaded more than once"
if grep -E "Could not load layout|cannot be opened|Picture UpsellBg.jpg not found" "$log"; then
  fail "a screen or its picture is missing"
fi
echo "smoke_intro: passed; screenshots in $out"
