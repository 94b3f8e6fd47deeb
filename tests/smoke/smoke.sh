#!/usr/bin/env bash
# The real program under a virtual X server: starts `stavelorn -win` with the
# x11 video driver and dummy audio on a first run, clicks through the start
# menu, the new-character confirmation (cancelled) and the load dialog
# (cancelled); then makes a character through set-up and roller, saves it,
# goes back to the start menu, loads it, adds levels and saves again; and
# quits by closing the window. Checks the exit code, the log lines, the
# saved file, sampled pixels of each screen against the layouts' palette
# (content/ui/STYLE.md) and that the character window shows the same values
# before the save and after the load. The screenshots stay in the output
# folder.
#
# Usage: smoke.sh STAVELORN OUTPUT_FOLDER
# Exit 77 (skipped) when Xvfb, xdotool, xwd, python3 or timeout is missing.
# Every step has a time limit, so a stuck tool or program fails the test.
set -uo pipefail
program=$1
out=$2
here=$(cd "$(dirname "$0")" && pwd)
name=smoke
source "$here/start.sh"
# A first run plays the intro movies out before the start menu.
for _ in $(seq 300); do
  grep -q "Intro over" "$log" && break
  sleep 0.1
done
grep -q "Intro over" "$log" || fail "the intro did not end"
# A second copy started meanwhile ends at once and leaves the running
# copy's debug log as it is.
timeout 20 "$program" -win > "$out/second.log" 2>&1
[ $? -eq 1 ] || fail "a second copy did not end with 1: $(cat "$out/second.log")"
grep -q "Intro over" "$debug_log" || fail "a second copy replaced the debug log"

# Palette (STYLE.md): night #0e0b08, soot #16110d, umber #2a2018,
# leather #3b2c20, gold #e0b864, parchment #ecdfc4.
# A disabled button's face is #202018.
menu_samples=("300,270,#3b2c20" "500,326,#3b2c20" "300,428,#3b2c20,8" "296,108,#e0b864" "100,300,#2a2018,12")
shot 1-start-menu "${menu_samples[@]}"

click 400 260 # New Character
shot 2-new-character "250,240,#2a2018,12" "420,368,#3b2c20" "464,368,#ecdfc4,60" "300,428,#202018,8"
click 440 368 # Cancel of the confirmation
shot 3-after-cancel "${menu_samples[@]}"

click 400 316 # Load Character
shot 4-load-dialog "200,200,#16110d,8" "540,488,#3b2c20" "568,488,#ecdfc4,60" "300,428,#16110d,8"
click 540 488 # Cancel of the load dialog
shot 5-after-cancel "${menu_samples[@]}"

# A new character: Fighter 4 (which earns one ability increase), so the
# character window's first activation opens the roller to spend it.
click 400 260 # New Character
click 336 368 # Create
shot 6-setup "200,300,#2a2018,8" "600,300,#16110d,8" "690,560,#202018,8"
click 180 72 # the name field
timeout 5 xdotool key End
timeout 5 xdotool key --repeat 24 BackSpace
timeout 5 xdotool type --delay 20 "Smoke Tester"
drag 460 344 200 250 # Fighter from the class table onto the class list
for _ in 1 2 3; do click 344 119; done # its level up to 4
# Finish is enabled now, and must look it.
shot 7-setup-filled "200,300,#2a2018,8" "690,560,#3b2c20,8"
click 726 568 # Finish
shot 8-increases "200,170,#2a2018,8" "700,32,#202018,8" "478,430,#3b2c20,8"
drag 495 440 495 192 # the increase onto Strength
click 567 488 # OK
shot 9-character "700,32,#3b2c20,8" "40,424,#3b2c20,8"
click 80 424 # Roll
click 232 280 # the roller's Roll
for y in 192 232 272 312 352 392; do drag 603 "$y" 495 "$y"; done
# New scores offer the increase placed before again; it goes to Strength.
shot 9a-rolled-increase "200,170,#2a2018,8" "478,430,#3b2c20,8"
drag 495 440 495 192
click 567 488 # OK
# The name, race, alignment and level; the six scores; the combat values.
values=("@16,16,360,48" "@96,80,64,232" "@592,232,192,280")
shot 10-rolled "700,32,#3b2c20,8" "40,424,#3b2c20,8" "${values[@]}"
rolled=$(grep '^region' "$out/10-rolled.samples")

click 728 32 # Menu
shot 11-game-menu "300,192,#3b2c20,8" "300,416,#3b2c20,8"
click 400 192 # Save Character
click 448 440 # the file name field
timeout 5 xdotool type --delay 20 "smokehero"
shot 12-save-dialog "200,200,#16110d,8" "420,488,#3b2c20" "540,488,#3b2c20"
click 448 488 # OK
saved=$out/data/stavelorn/Characters/smokehero.cg3
shot 13-saved "300,192,#3b2c20,8" "300,416,#3b2c20,8"
[ -s "$saved" ] || fail "no character file $saved"
cp "$saved" "$out/first.cg3"
click 400 312 # Start Menu: saved, so nothing is asked
shot 14-start-menu "${menu_samples[@]}"

click 400 316 # Load Character
shot 15-load-dialog "200,200,#16110d,8" "540,488,#3b2c20"
click 300 154 # the saved file, the only row
click 448 488 # OK
shot 16-loaded "700,32,#3b2c20,8" "40,424,#3b2c20,8" "${values[@]}"
[ "$(grep '^region' "$out/16-loaded.samples")" = "$rolled" ] ||
  fail "the loaded character shows other values than the saved one"

# Just loaded, so Add Levels goes straight to the set-up in its mode 8.
click 728 32 # Menu
click 400 272 # Add Levels
shot 17-add-levels "600,300,#16110d,8" "690,560,#3b2c20,8" "150,560,#202018,8"
click 344 119 # Fighter 5
click 726 568 # Finish
shot 18-more-levels "700,32,#3b2c20,8" "40,424,#3b2c20,8" "${values[@]}"
[ "$(grep '^region @16,16' "$out/18-more-levels.samples")" != "$(grep '^region @16,16' "$out/16-loaded.samples")" ] ||
  fail "the level shown did not change"
click 728 32 # Menu
click 400 192 # Save Character: the dialog offers the file's name
click 448 488 # OK
shot 19-overwrite "420,368,#3b2c20" "${message_box[@]}"
click 336 368 # Yes, replace it
shot 20-saved-again "300,192,#3b2c20,8" "300,416,#3b2c20,8"
cmp -s "$saved" "$out/first.cg3" && fail "the added levels were not saved"
click 400 312 # Start Menu
shot 21-start-menu "${menu_samples[@]}"

close_window

for line in "Starting up ..." "Startup Completed Successfully." \
            "Intro over; loading the game data"; do
  grep -qF "$line" "$log" || fail "no log line \"$line\""
done
if grep -E "Could not load layout (velStartMenu|velCharacterType|velFileDialog)|Start-up failed|has no control|not the kind it needs|could not be (saved|loaded)|did not open" "$log"; then
  fail "a screen or one of its controls is missing, or a step failed"
fi
[ "$(od -An -tx1 "$out/data/stavelorn/settings.dat" | tr -d ' \n')" = "010006000000" ] ||
  fail "settings.dat is not the six bytes of a first run"
echo "smoke: passed; screenshots in $out"
