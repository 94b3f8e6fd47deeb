#!/usr/bin/env bash
# Printing from the real program under a virtual X server, with CUPS pointed
# at a server that does not exist: makes a character through set-up and
# roller, prints its sheet from the game menu, and checks that the outcome
# dialog shows, that the sheet was kept as a PDF in the printouts folder with
# at least two pages and the character's name, and that the program carries
# on and quits normally. The screenshots stay in the output folder.
#
# Usage: smoke_print.sh STAVELORN OUTPUT_FOLDER
# Exit 77 (skipped) when Xvfb, xdotool, xwd, python3, timeout or the
# poppler tools are missing.
set -uo pipefail
program=$1
out=$2
here=$(cd "$(dirname "$0")" && pwd)
name=smoke_print
for tool in pdfinfo pdftotext; do
  command -v "$tool" > /dev/null || { echo "$name: $tool is missing; skipped"; exit 77; }
done
# No print server: the sheet is kept as a file, and nothing leaves the machine.
export CUPS_SERVER=/nonexistent
source "$here/start.sh"
# A first run plays the intro movies out before the start menu.
for _ in $(seq 300); do
  grep -q "Intro over" "$log" && break
  sleep 0.1
done
grep -q "Intro over" "$log" || fail "the intro did not end"

# Palette (STYLE.md): umber #2a2018, leather #3b2c20, bronze #8c6b3f,
# gold #e0b864.
click 400 260 # New Character
click 336 368 # Create
shot 1-setup "200,300,#2a2018,8" "600,300,#16110d,8"
click 180 72 # the name field
timeout 5 xdotool key End
timeout 5 xdotool key --repeat 24 BackSpace
timeout 5 xdotool type --delay 20 "Smoke Printer"
drag 460 344 200 250 # Fighter from the class table onto the class list
for _ in 1 2 3; do click 344 119; done # its level up to 4, which earns an increase
click 726 568 # Finish
drag 495 440 495 192 # the increase onto Strength
click 567 488 # OK
click 80 424 # Roll
click 232 280 # the roller's Roll
for y in 192 232 272 312 352 392; do drag 603 "$y" 495 "$y"; done
click 567 488 # OK
shot 2-character "700,32,#3b2c20,8" "40,424,#3b2c20,8"

click 728 32 # Menu
# Without warnings the print button is enabled: leather, not umber.
shot 3-game-menu "300,232,#3b2c20,8" "300,192,#3b2c20,8"
click 400 232 # Print Sheet
# The outcome names the printout's path, which may wrap anywhere in the
# message: the box is known by its frame, its title's rule and the face of
# OK beside the caption, where the game menu shows umber.
shot 4-printed "${message_box[@]}" "440,370,#3b2c20,8"
click 400 368 # OK
shot 5-menu-again "300,232,#3b2c20,8"

folder=$out/data/stavelorn/Printouts
pdf="$folder/Smoke Printer.pdf"
[ -s "$pdf" ] || { ls -la "$folder" 2> /dev/null; fail "no printout $pdf"; }
pages=$(pdfinfo "$pdf" 2> /dev/null | awk '/^Pages:/ {print $2}')
[ "${pages:-0}" -ge 2 ] || fail "the printout has ${pages:-no} pages"
pdftotext -raw "$pdf" - | grep -q "SMOKE PRINTER" || fail "the printout does not name the character"
grep -q "Printing failed" "$log" && fail "the printer layer reported a failure"

# The character was never saved: the first close asks about it, the second
# quits.
close_asks 6-quit-question
close_window
echo "$name: passed; screenshots and the printout in $out"
