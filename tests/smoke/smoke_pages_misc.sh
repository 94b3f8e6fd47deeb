#!/usr/bin/env bash
# The real program under a virtual X server: a priest and tracker (classes 2
# and 7, level 1 each) with INT 14 from the standard array learns a language,
# takes a favoured enemy, chooses a god and a domain and writes a note; the
# character is saved, the program goes back to the start menu, loads it and
# revisits each of those pages, whose region must look as before the save.
# Then a note is added and the window closed: the question's Yes opens the
# save dialog, whose Cancel keeps the program; another note and another close
# ask again, and this time Yes saves over the file and ends the program.
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

skip_intro

# Palette (STYLE.md): soot #16110d, umber #2a2018, leather #3b2c20,
# gold #e0b864.
menu_samples=("300,270,#3b2c20" "500,326,#3b2c20" "300,428,#3b2c20,8" "296,108,#e0b864" "100,300,#2a2018,12")
shot 1-start-menu "${menu_samples[@]}"
new_priest_tracker "Misc Tester"

# Each page's area: an edit changes it, and the load brings it back.
page=@224,72,352,440
digest() { grep '^region' "$out/$1.samples"; }
changed() { [ "$(digest "$1")" != "$(digest "$2")" ] || fail "$3 did not change the page"; }
same() { [ "$(digest "$1")" = "$(digest "$2")" ] || fail "the $3 page differs after the load"; }
click 239 568 # Tongues
shot 7-languages "300,300,#16110d,8" "$page"
drag 430 186 308 316 # Dwarven onto the known languages
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
drag 278 330 400 114 # the first god into the god's tray
drag 430 330 400 190 # the first domain into the first domain tray
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

save_and_load mischero
grep -q "Owes the miller a favour" "$saved" || fail "the note is not in the saved file"

# The same pages again, the class selector on the tracker as before.
click 239 568 # Tongues
shot 15-languages "300,300,#16110d,8" "$page"
same 15-languages 8-learnt "languages"
click 592 40
click 494 94
click 303 568 # Special
shot 16-special "300,250,#16110d,8" "$page"
same 16-special 10-enemy "special abilities"
click 367 568 # God
shot 17-god "300,400,#16110d,8" "$page"
same 17-god 12-chosen "god"
click 751 568 # Notes
shot 18-notes "400,200,#16110d,12" "$page"
same 18-notes 14-noted "notes"

# Closing with unsaved changes asks until the program ends: a cancelled save
# leaves the program as before the close, so the next close asks again.
click 400 200 # the third note
timeout 5 xdotool type --delay 20 "Lost the ferry toll"
click 300 84 # the heading
close_asks 19-quit-question
click 336 368 # Yes
shot 20-save-dialog "200,200,#16110d,8" "420,488,#3b2c20" "540,488,#3b2c20"
click 568 488 # Cancel
shot 21-stayed "700,32,#3b2c20,8" "40,424,#3b2c20,8"
click 400 240 # the fourth note
timeout 5 xdotool type --delay 20 "Found a silver key"
click 300 84
close_asks 22-asked-again
click 336 368 # Yes
click 448 488 # OK: the name the file already has
shot 23-overwrite "420,368,#3b2c20" "${message_box[@]}"
click 336 368 # Yes, replace it
expect_end "the save asked for on the way out"
for note in "Lost the ferry toll" "Found a silver key"; do
  grep -q "$note" "$saved" || fail "the note \"$note\" is not in the saved file"
done
if grep -E "is missing or not a page|has no control|not the kind it needs|holds no row|Row layout .* not found|could not be (saved|loaded)" "$log"; then
  fail "a page or one of its controls is missing, or a step failed"
fi
echo "$name: passed; screenshots in $out"
