#!/usr/bin/env bash
# The real program under a virtual X server, on a first run: a character of
# class 2 (the priest) and class 7 (the tracker) at level 1, its scores
# dealt from the standard array with INT 14, spends a skill point on the
# skills page and takes a feat with a target on the feats page (through the
# target dialog); it is saved, the program goes back to the start menu and
# loads it, and each of those pages, visited again, must show what it
# showed before the save. Checks the exit code, sampled pixels against the
# layouts' palette (content/ui/STYLE.md), and the log: no page and no child
# of a page may be missing. The screenshots stay in the output folder.
#
# Usage: smoke_pages.sh STAVELORN OUTPUT_FOLDER
# Exit 77 (skipped) when Xvfb, xdotool, xwd, python3 or timeout is missing.
set -uo pipefail
program=$1
out=$2
here=$(cd "$(dirname "$0")" && pwd)
name=smoke_pages
source "$here/start.sh"

# The two movies of a first run, each skipped by a click where the start
# menu has no button.
wait_log "MN qelt.webm"
sleep 1
click 60 300
wait_log "MN fluid.webm"
sleep 1
click 60 340
wait_log "Intro over; loading the game data"

# Palette (STYLE.md): soot #16110d, umber #2a2018, leather #3b2c20,
# gold #e0b864. A disabled button's face is #202018.
menu_samples=("300,270,#3b2c20" "500,326,#3b2c20" "300,428,#3b2c20,8" "296,108,#e0b864" "100,300,#2a2018,12")
shot 1-start-menu "${menu_samples[@]}"

click 400 260 # New Character
click 336 368 # Create
shot 2-setup "200,300,#2a2018,8" "500,420,#16110d,8"
click 180 72 # the name field
timeout 5 xdotool key End
timeout 5 xdotool key --repeat 24 BackSpace
timeout 5 xdotool type --delay 20 "Page Tester"
drag 460 280 200 250 # class 2 from the class table onto the class list
drag 460 440 200 250 # class 7
shot 3-setup-filled "200,300,#2a2018,8" "690,560,#3b2c20,8"
click 726 568 # Finish: level 1 earns no increase, so no roller yet
shot 4-character "700,32,#3b2c20,8" "40,424,#3b2c20,8"

# The standard array: 15 WIS, 14 INT, 13 CON, 12 STR, 10 DEX, 8 CHA.
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

# The page area, compared before the save and after the load.
page=@224,72,352,440
click 112 568 # the skills page
shot 7-skills "480,72,#8c6b3f,24" "500,420,#16110d,8"
drag 392 150 400 380 # the first class skill onto the character's skills
shot 8-skill-bought "500,420,#16110d,8" "$page"
skills=$(grep '^region' "$out/8-skill-bought.samples")

click 176 568 # the feats page
click 560 88 # the category selector
click 448 214 # Proficiency: armour, exotic weapons, martial weapons ...
shot 9-proficiency "540,190,#16110d,8"
drag 392 250 400 416 # the fourth: exotic weapons, taken for one of them
shot 10-target-dialog "300,300,#16110d,8" "448,488,#202018,8"
click 392 158 # the first weapon
click 448 488 # OK
click 560 88 # the category selector
click 448 142 # back to the general feats, as a loaded page starts
shot 11-feat-taken "540,190,#16110d,8" "$page"
feats=$(grep '^region' "$out/11-feat-taken.samples")

click 728 32 # Menu
click 400 192 # Save Character
click 448 440 # the file name field
timeout 5 xdotool type --delay 20 "pagetester"
click 448 488 # OK
saved=$out/data/stavelorn/Characters/pagetester.cg3
shot 12-saved "300,192,#3b2c20,8" "300,416,#3b2c20,8"
[ -s "$saved" ] || fail "no character file $saved"
click 400 312 # Start Menu: saved, so nothing is asked
shot 13-start-menu "${menu_samples[@]}"

click 400 316 # Load Character
click 300 154 # the saved file, the only row
click 448 488 # OK
shot 14-loaded "700,32,#3b2c20,8" "40,424,#3b2c20,8"
click 112 568 # the skills page
shot 15-skills-again "500,420,#16110d,8" "$page"
[ "$(grep '^region' "$out/15-skills-again.samples")" = "$skills" ] ||
  fail "the skills page shows other values after the load"
click 176 568 # the feats page
shot 16-feats-again "540,190,#16110d,8" "$page"
[ "$(grep '^region' "$out/16-feats-again.samples")" = "$feats" ] ||
  fail "the feats page shows other values after the load"

close_window

if grep -E "is missing or not a page|no usable child|No target dialog|Row layout .* not found|has no control|not the kind it needs|could not be (saved|loaded)" "$log"; then
  fail "a page, a dialog or one of their controls is missing, or a step failed"
fi
echo "smoke_pages: passed; screenshots in $out"
