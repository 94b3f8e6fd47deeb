#!/usr/bin/env bash
# The real program under a virtual X server: a priest and tracker (classes 2
# and 7, level 1 each) with INT 14 from the standard array learns a language,
# takes a favoured enemy, chooses a god and a domain and writes a note; the
# character is saved, the program goes back to the start menu, loads it and
# revisits each of those pages, whose region must look as before the save.
# Checks sampled pixels against the palette (content/ui/STYLE.md), the saved
# file and the log (a missing page or control fails the test). The
# screenshots stay in the output folder.
#
# Usage: smoke_pages_misc.sh STAVELORN OUTPUT_FOLDER
# Exit 77 (skipped) when Xvfb, xdotool, xwd, python3 or timeout is missing.
set -uo pipefail
program=$1
out=$2
here=$(cd "$(dirname "$0")" && pwd)
name=smoke_pages_misc
source "$here/start.sh"
# A first run plays the intro movies out before the start menu.
wait_log "Intro over"

# Palette (STYLE.md): soot #16110d, umber #2a2018, leather #3b2c20,
# gold #e0b864, parchment #ecdfc4.
menu_samples=("300,270,#3b2c20" "500,326,#3b2c20" "296,108,#e0b864")
shot 1-start-menu "${menu_samples[@]}"
click 400 260 # New Character
click 336 368 # Create
shot 2-setup "200,300,#2a2018,8" "600,300,#16110d,8"
click 180 72 # the name field
timeout 5 xdotool key End
timeout 5 xdotool key --repeat 24 BackSpace
timeout 5 xdotool type --delay 20 "Misc Tester"
drag 460 280 200 250 # Cleric onto the class list
drag 460 440 200 250 # Ranger after it
shot 3-setup-filled "200,300,#2a2018,8" "690,560,#3b2c20,8"
click 726 568 # Finish
shot 4-character "700,32,#3b2c20,8" "40,424,#3b2c20,8"
click 80 424 # Roll: the ability roller
click 260 236 # Standard Array
# The array 15 14 13 12 10 8 by rows; 14 goes to INT (two more languages).
for move in "192 192" "232 312" "272 272" "312 232" "352 352" "392 392"; do
  set -- $move
  drag 603 "$1" 495 "$2"
done
shot 5-roller "200,170,#2a2018,8"
click 567 488 # OK
shot 6-scores "700,32,#3b2c20,8"
# Each page's area: an edit changes it, and the load brings it back.
page=@224,72,352,440
digest() { grep '^region' "$out/$1.samples"; }
changed() { [ "$(digest "$1")" != "$(digest "$2")" ] || fail "$3 did not change the page"; }
same() { [ "$(digest "$1")" = "$(digest "$2")" ] || fail "the $3 page differs after the load"; }
click 239 568 # Tongues
shot 7-languages "300,300,#16110d,8" "$page"
drag 443 186 308 316 # Dwarven onto the known languages
shot 8-learnt "300,300,#16110d,8" "$page"
changed 7-languages 8-learnt "learning a language"
click 592 40 # the class selector
click 494 94 # Ranger, its second entry
click 303 568 # Special
shot 9-special "300,250,#16110d,8" "$page"
drag 333 322 388 216 # the first favoured enemy onto the character's abilities
shot 10-enemy "300,250,#16110d,8" "$page"
changed 9-special 10-enemy "taking a favoured enemy"
click 367 568 # God
shot 11-god "300,400,#16110d,8" "$page"
drag 278 338 400 116 # the first god into the god's tray
drag 436 338 400 196 # the first domain into the first domain tray
shot 12-chosen "300,400,#16110d,8" "$page"
changed 11-god 12-chosen "choosing a god and a domain"
click 751 568 # Notes
shot 13-notes "400,200,#16110d,12" "$page"
click 400 120 # the first note
timeout 5 xdotool type --delay 20 "Owes the miller a favour"
click 400 160 # the second note: the first loses the focus
click 300 84 # the heading: no field keeps the focus (nor a blinking caret)
shot 14-noted "400,200,#16110d,12" "$page"
changed 13-notes 14-noted "writing a note"

click 728 32 # Menu
click 400 192 # Save Character
click 448 440 # the file name field
timeout 5 xdotool type --delay 20 "mischero"
click 448 488 # OK
saved=$out/data/stavelorn/Characters/mischero.cg3
shot 15-saved "300,192,#3b2c20,8" "300,416,#3b2c20,8"
[ -s "$saved" ] || fail "no character file $saved"
grep -q "Owes the miller a favour" "$saved" || fail "the note is not in the saved file"
click 400 312 # Start Menu: saved, so nothing is asked
shot 16-start-menu "${menu_samples[@]}"
click 400 316 # Load Character
click 300 154 # the saved file, the only row
click 448 488 # OK
shot 17-loaded "700,32,#3b2c20,8" "40,424,#3b2c20,8"

# The same pages again, the class selector on the tracker as before.
click 239 568 # Tongues
shot 18-languages "300,300,#16110d,8" "$page"
same 18-languages 8-learnt "languages"
click 592 40
click 494 94
click 303 568 # Special
shot 19-special "300,250,#16110d,8" "$page"
same 19-special 10-enemy "special abilities"
click 367 568 # God
shot 20-god "300,400,#16110d,8" "$page"
same 20-god 12-chosen "god"
click 751 568 # Notes
shot 21-notes "400,200,#16110d,12" "$page"
same 21-notes 14-noted "notes"

timeout 10 python3 "$here/xclose.py" "$window" || fail "cannot ask the window to close"
expect_end "the window was closed"
if grep -E "is missing or not a page|has no control|not the kind it needs|holds no row|could not be (saved|loaded)" "$log"; then
  fail "a page or one of its controls is missing, or a step failed"
fi
echo "$name: passed; screenshots in $out"
