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

skip_intro

# Palette (STYLE.md): soot #16110d, umber #2a2018, leather #3b2c20,
# gold #e0b864. A disabled button's face is #202018.
menu_samples=("300,270,#3b2c20" "500,326,#3b2c20" "300,428,#3b2c20,8" "296,108,#e0b864" "100,300,#2a2018,12")
shot 1-start-menu "${menu_samples[@]}"

new_priest_tracker "Page Tester"

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
shot 10-target-dialog "560,300,#16110d,8" "448,488,#202018,8"
click 392 158 # the first weapon
click 448 488 # OK
click 560 88 # the category selector
click 448 142 # back to the general feats, as a loaded page starts
shot 11-feat-taken "540,190,#16110d,8" "$page"
feats=$(grep '^region' "$out/11-feat-taken.samples")

save_and_load pagetester
click 112 568 # the skills page
shot 15-skills-again "500,420,#16110d,8" "$page"
[ "$(grep '^region' "$out/15-skills-again.samples")" = "$skills" ] ||
  fail "the skills page shows other values after the load"
click 176 568 # the feats page
shot 16-feats-again "540,190,#16110d,8" "$page"
[ "$(grep '^region' "$out/16-feats-again.samples")" = "$feats" ] ||
  fail "the feats page shows other values after the load"

close_window

if grep -E "is missing or not a page|No target dialog|Row layout .* not found|has no control|not the kind it needs|could not be (saved|loaded)" "$log"; then
  fail "a page, a dialog or one of their controls is missing, or a step failed"
fi
echo "smoke_pages: passed; screenshots in $out"
