#!/usr/bin/env bash
# The real program under a virtual X server, on a first run: a new character
# of the scholar caster and the nature priest at level 1 chooses a specialty
# school and a school to give up, learns a spell, and, with the nature
# priest picked in the class selector, takes a companion and types its name.
# The character is saved, the program goes back to the start menu and loads
# it, and the school, spells and animal pages must look as they did before
# the save. The log check fails on a page or a control that is missing. The
# screenshots stay in the output folder.
#
# Usage: smoke_magic.sh STAVELORN OUTPUT_FOLDER
# Exit 77 (skipped) when Xvfb, xdotool, xwd, python3 or timeout is missing.
set -uo pipefail
program=$1
out=$2
here=$(cd "$(dirname "$0")" && pwd)
name=smoke_magic
source "$here/start.sh"
skip_intro

# Palette (STYLE.md): soot #16110d, umber #2a2018, leather #3b2c20.
window_samples=("700,32,#3b2c20,8" "40,424,#3b2c20,8" "200,300,#2a2018,8")
page=("@224,72,352,440")
# The page entries along the bottom, and the class selector.
abilities=(48 568)
school=(432 568)
spells=(496 568)
animal=(560 568)
pick_class() { # pick_class ROW: the class selector's row (0 the first class)
  click 592 40
  click 480 $((70 + 24 * $1))
}

# The character: the scholar caster (class 10, table row 10) and the nature
# priest (class 3), level 1 each.
menu_samples=("300,270,#3b2c20" "500,326,#3b2c20")
shot 1-start-menu "${menu_samples[@]}"
click 400 260 # New Character
click 336 368 # Create
shot 2-setup "200,300,#2a2018,8" "600,300,#16110d,8"
click 180 72 # the name field
timeout 5 xdotool key End
timeout 5 xdotool key --repeat 24 BackSpace
timeout 5 xdotool type --delay 20 "Magic Tester"
drag 460 536 200 250 # the scholar caster onto the class list
drag 460 312 200 250 # the nature priest
shot 3-setup-filled "690,560,#3b2c20,8"
click 726 568 # Finish
shot 4-character "${window_samples[@]}"

# School page: the fourth school (row 3, rank 1) as the specialty, the second
# (row 1) given up.
click "${school[@]}"
shot 5-school "${window_samples[@]}" "300,112,#16110d,8"
drag 248 426 400 112
drag 424 362 400 192
shot 6-school-chosen "${window_samples[@]}"

# Spells page: the filter set to the specialty (its fifth entry), the first
# level-1 spell dragged into the spell book, then the filter back to All.
click "${spells[@]}"
click 424 88
click 340 214
shot 7-spells-filtered "${window_samples[@]}"
drag 248 126 400 352
click 424 88
click 340 118

# Animal page of the nature priest: the first animal onto the tray, named.
pick_class 1
click "${animal[@]}"
shot 8-animal "${window_samples[@]}"
drag 248 350 400 112
click 472 152 # the name field
timeout 5 xdotool type --delay 20 "Whiskers"
click 300 84 # away from the field: the name is stored
shot 9-animal-named "${window_samples[@]}"

# visit: each page shown afresh, its region kept for comparing.
visit() {
  pick_class 0
  click "${abilities[@]}"
  click "${school[@]}"
  shot "$1-school" "${window_samples[@]}" "${page[@]}"
  click "${spells[@]}"
  shot "$1-spells" "${window_samples[@]}" "${page[@]}"
  pick_class 1
  click "${animal[@]}"
  shot "$1-animal" "${window_samples[@]}" "${page[@]}"
}
visit 10-before
regions() { for part in school spells animal; do grep '^region' "$out/$1-$part.samples"; done; }
before=$(regions 10-before)

save_and_load magichero
visit 14-after
[ "$(regions 14-after)" = "$before" ] || fail "a page shows the loaded character otherwise than the saved one"

close_window
if grep -E "is missing or not a page|has no control|not the kind it needs|holds no (spell|animal) row|Row layout .* not found|could not be (saved|loaded)" "$log"; then
  fail "a page or one of its controls is missing, or a step failed"
fi
echo "$name: passed; screenshots in $out"
