#!/usr/bin/env bash
# The real program under a virtual X server, shopping and dressing a new
# character: a fighter buys a dagger and leather armour on the inventory
# page (the money goes down), takes the dagger in hand and puts the armour
# on on the equipment page (the carried weight and the armour class go up),
# is asked to save on the way back to the start menu and saves, loads the
# file again and finds the same money, gear, weight and armour class.
# Checks sampled pixels of the pages against the layouts' palette
# (content/ui/STYLE.md) and compares screen regions before the save and
# after the load. The screenshots stay in the output folder.
#
# Usage: smoke_gear.sh STAVELORN OUTPUT_FOLDER
# Exit 77 (skipped) when Xvfb, xdotool, xwd, python3 or timeout is missing.
set -uo pipefail
program=$1
out=$2
here=$(cd "$(dirname "$0")" && pwd)
name=smoke_gear
source "$here/start.sh"

# region NAME DIGESTNAME: the digest of one sampled region of a screenshot.
region() {
  grep "^region @$2:" "$out/$1.samples" | cut -d' ' -f3
}

# The first run's logo and intro, each skipped by a click.
skip_intro

# Palette (STYLE.md): soot #16110d, umber #2a2018, leather #3b2c20,
# gold #e0b864.
menu_samples=("300,270,#3b2c20" "500,326,#3b2c20" "300,428,#3b2c20,8" "296,108,#e0b864")
shot 1-start-menu "${menu_samples[@]}"

# A level-1 fighter: no increase to spend, so no roller.
click 400 260 # New Character
click 336 368 # Create
shot 2-setup "200,300,#2a2018,8" "600,300,#16110d,8"
click 180 72 # the name field
timeout 5 xdotool key End
timeout 5 xdotool key --repeat 24 BackSpace
timeout 5 xdotool type --delay 20 "Gear Tester"
drag 460 344 200 250 # Fighter from the class table onto the class list
click 726 568 # Finish
shot 3-character "700,32,#3b2c20,8"

# Regions: the money row, the owned list, the carried weight, the armour
# class in the window's summary, the equipment page's worn list.
money=224,72,352,72
owned=226,378,330,80
weight=280,488,104,24
armour=696,232,80,24
worn=394,114,164,192
# The stock holds more weapons than it shows: its thumb, leather inside a
# bronze rim (ScrollThumb.svg), sits at the top of the bar's track.
stock_thumb=566,250,#3b2c20,8

click 624 568 # Items
shot 4-inventory "400,300,#16110d,8" "300,480,#16110d,8" "@$money" "$stock_thumb"
# Simple weapons: the dagger is the third (after an adamantine dagger and
# the club).
click 312 200 # the weapon group selector
click 260 252 # Simple
shot 5-simple-weapons "400,300,#16110d,8" "$stock_thumb"
drag 300 276 400 420 # the dagger onto the owned list
# Light armour: leather armour is the third too.
click 376 160 # the category selector
click 300 212 # Armour
click 560 160 # the armour group selector
click 480 212 # Light
drag 300 276 400 420 # the leather armour onto the owned list
shot 6-bought "400,300,#16110d,8" "@$money" "@$owned"
[ "$(region 4-inventory "$money")" != "$(region 6-bought "$money")" ] || fail "buying did not change the money"

click 688 568 # Equip
shot 7-equipment "300,300,#16110d,8" "@$weight" "@$armour"
drag 294 146 436 152 # the dagger into the first set's main hand
shot 8-wielded "300,300,#16110d,8" "@$weight"
[ "$(region 7-equipment "$weight")" != "$(region 8-wielded "$weight")" ] || fail "the dagger added no weight"
click 368 88 # the category selector
click 300 140 # Armour and shields
drag 294 146 484 220 # the leather armour onto the worn list
shot 9-armoured "300,300,#16110d,8" "@$weight" "@$armour" "@$worn"
[ "$(region 8-wielded "$weight")" != "$(region 9-armoured "$weight")" ] || fail "the armour added no weight"
[ "$(region 7-equipment "$armour")" != "$(region 9-armoured "$armour")" ] || fail "the armour class did not change"
click 368 88 # the category selector
click 300 116 # Weapons
shot 10-weapons "300,300,#16110d,8" "@$worn" "@$weight"

# Leaving asks to save; saving returns to the game menu.
click 728 32 # Menu
click 400 312 # Start Menu
shot 11-save-first "420,368,#3b2c20" "${message_box[@]}"
click 336 368 # Yes
click 448 440 # the file name field
timeout 5 xdotool type --delay 20 "gearhero"
click 448 488 # OK
saved=$out/data/stavelorn/Characters/gearhero.cg3
for _ in $(seq 50); do
  [ -s "$saved" ] && break
  sleep 0.1
done
[ -s "$saved" ] || fail "no character file $saved"
shot 12-saved "300,192,#3b2c20,8" "300,416,#3b2c20,8"
click 400 312 # Start Menu: saved now, so nothing is asked
shot 13-start-menu "${menu_samples[@]}"

click 400 316 # Load Character
click 300 154 # the saved file, the only row
click 448 488 # OK
shot 14-loaded "700,32,#3b2c20,8" "@$armour"
[ "$(region 9-armoured "$armour")" = "$(region 14-loaded "$armour")" ] || fail "the armour class was not kept"
click 624 568 # Items
shot 15-inventory-again "400,300,#16110d,8" "@$money" "@$owned"
[ "$(region 6-bought "$money")" = "$(region 15-inventory-again "$money")" ] || fail "the money was not kept"
[ "$(region 6-bought "$owned")" = "$(region 15-inventory-again "$owned")" ] || fail "the owned items were not kept"
click 688 568 # Equip
shot 16-equipment-again "300,300,#16110d,8" "@$worn" "@$weight"
[ "$(region 10-weapons "$worn")" = "$(region 16-equipment-again "$worn")" ] || fail "the weapon sets were not kept"
[ "$(region 10-weapons "$weight")" = "$(region 16-equipment-again "$weight")" ] || fail "the weight was not kept"

close_window
if grep -E "Could not load layout|has no control|not the kind it needs|could not be (saved|loaded)|Page [0-9]+ .* is missing" "$log"; then
  fail "a page or one of its controls is missing, or a step failed"
fi
echo "smoke_gear: passed; screenshots in $out"
