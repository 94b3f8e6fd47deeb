#!/usr/bin/env python3
"""Writes the four forms of the printed character sheet as SVG templates.

    python3 content/art/sheet/forms.py        # rewrites the Sheet*.svg beside it

Each form is one Letter page of 1275 x 1650 units (150 per inch). The
program writes its values into the boxes drawn here, so every box and row
stands at the coordinates the sheet's printing code uses: change one only
together with the other. The build fills in "{{class:N}}" (the name of
class N) and "{{skill:N}}" (the name of the skill on sheet row N) from the
compiled rule set (tools/sheetforms), renders the page with rsvg-convert and
stores it as an 8-bit grey image set (imageset --grey).
"""

import html
import os

WIDTH, HEIGHT = 1275, 1650
INK = "#000000"
SHADE = "#d9d9d9"  # header bars
TINT = "#f0f0f0"   # every second row of a long table
RULE = "#9a9a9a"   # writing lines


class Form:
    def __init__(self, title):
        self.parts = []
        self.title = title

    def add(self, text):
        self.parts.append(text)

    def box(self, x, y, w, h, stroke=1.5, fill="#ffffff"):
        self.add(f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="{fill}" '
                 f'stroke="{INK}" stroke-width="{stroke}"/>')

    def fill(self, x, y, w, h, colour):
        self.add(f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="{colour}"/>')

    def line(self, x1, y1, x2, y2, colour=INK, width=1.5):
        self.add(f'<line x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}" stroke="{colour}" '
                 f'stroke-width="{width}"/>')

    def text(self, x, y, words, size=10, anchor="start", bold=True, raw=False):
        weight = "bold" if bold else "normal"
        body = words if raw else html.escape(words)
        self.add(f'<text x="{x}" y="{y}" font-family="Liberation Sans" font-size="{size}" '
                 f'font-weight="{weight}" text-anchor="{anchor}" fill="{INK}">{body}</text>')

    def bar(self, x, y, w, h, title, size=13):
        """A section's header: a grey bar with its title."""
        self.add(f'<rect x="{x}" y="{y}" width="{w}" height="{h}" fill="{SHADE}" '
                 f'stroke="{INK}" stroke-width="1.5"/>')
        self.text(x + 6, y + h / 2 + size * 0.36, title, size)

    def centred(self, x, w, y, words, size=9):
        self.text(x + w / 2, y, words, size, "middle")

    def svg(self):
        head = (f'<svg xmlns="http://www.w3.org/2000/svg" width="{WIDTH}" height="{HEIGHT}" '
                f'viewBox="0 0 {WIDTH} {HEIGHT}">\n'
                f'<!-- {self.title}: written by forms.py; the program prints into its boxes. -->\n'
                f'<rect width="{WIDTH}" height="{HEIGHT}" fill="#ffffff"/>\n')
        return head + "\n".join(self.parts) + "\n</svg>\n"


def page_heading(form, words):
    form.text(WIDTH - 12, 34, "STAVELORN", 22, "end")
    form.text(WIDTH - 12, 50, words, 10, "end")


# The weapon rows of the front and overflow pages, 104 units apart.
def weapon_row(form, y):
    form.box(10, y, 47, 24)
    # The name runs up to the damage box, which overlaps it by a few units.
    form.box(70, y, 222, 24)
    form.box(294, y, 51, 24)
    form.box(350, y, 72, 24)
    form.box(427, y, 42, 24)
    form.box(6, y + 34, 37, 46, 2.5)
    for x, label in ((68, "BASE"), (117, "ABILITY"), (164, "TWO WPN"), (212, "HAND"),
                     (261, "WEAPON")):
        form.box(x, y + 34, 27, 35)
        form.centred(x - 10, 47, y + 80, label, 8)
    form.text(52, y + 58, "=", 14, "middle")
    form.centred(6, 37, y + 90, "TOTAL", 8)


def weapon_headings(form, y):
    for x, w, label in ((10, 47, "HAND"), (70, 228, "WEAPON"), (294, 51, "DAMAGE"),
                        (350, 72, "CRITICAL"), (427, 42, "RANGE")):
        form.centred(x, w, y, label, 9)


# Skill rows: the numbers of every row, and the names of the free rows.
SKILL_NUMBERS = ((847, "TOTAL"), (906, "RANKS"), (965, "ABILITY"), (1024, "MISC"))


def skill_row(form, y, index, free):
    if index % 2:
        form.fill(586, y - 1, 492, 21, TINT)
    if free:
        form.box(590, y, 102, 18, 1)
        form.box(697, y, 127, 18, 1)
    for x, _ in SKILL_NUMBERS:
        form.box(x, y, 50, 18, 1)


def skill_headings(form, y, free_names):
    form.text(592, y, "SKILL", 9)
    if free_names:
        form.text(699, y, "SPECIALTY", 9)
    for x, label in SKILL_NUMBERS:
        form.centred(x, 50, y, label, 9)


# Goods rows: the mark of what is carried, the name, the weight of one.
def goods_row(form, y, index):
    if index % 2:
        form.fill(592, y - 2, 460, 25, TINT)
    form.box(596, y, 23, 20, 1)
    form.line(622, y + 20, 998, y + 20, RULE, 1)
    form.box(1002, y, 47, 20, 1)


def goods_headings(form, y):
    form.centred(596, 23, y, "ON", 9)
    form.text(624, y, "ITEM", 9)
    form.centred(1002, 47, y, "LB.", 9)


def front():
    form = Form("Front page")
    page_heading(form, "CHARACTER SHEET")
    # Name and hit points.
    form.text(12, 32, "NAME", 11)
    form.line(78, 40, 420, 40)
    form.box(432, 6, 48, 38, 2.5)
    form.text(488, 22, "HIT", 11)
    form.text(488, 36, "POINTS", 11)

    # Abilities: score and modifier, 59 units apart.
    form.bar(8, 92, 220, 22, "ABILITIES")
    form.centred(92, 38, 134, "SCORE", 9)
    form.centred(181, 38, 134, "MOD", 9)
    names = (("STR", "STRENGTH"), ("DEX", "DEXTERITY"), ("CON", "CONSTITUTION"),
             ("INT", "INTELLIGENCE"), ("WIS", "WISDOM"), ("CHA", "CHARISMA"))
    for i, (short, full) in enumerate(names):
        y = 141 + 59 * i
        form.text(12, y + 26, short, 18)
        form.text(12, y + 40, full, 7)
        form.box(92, y, 38, 45, 2.5)
        form.box(181, y, 38, 45)
        form.text(155, y + 28, "\u2192", 14, "middle", False)

    # Class, race, alignment, and the level in each class.
    for y, label in ((124, "CLASS"), (166, "RACE"), (208, "ALIGNMENT")):
        form.text(250, y + 20, label, 11)
        form.line(378, y + 26, 640, y + 26)
    form.centred(386, 50, 244, "LEVEL", 8)
    for c in range(11):
        y = 247 + 21 * c
        form.text(378, y + 14, "{{class:%d}}" % c, 10, "end", False, raw=True)
        form.box(386, y, 50, 19, 1)
    form.box(478, 334, 26, 34, 2.5)
    form.centred(478, 26, 328, "TOTAL", 8)
    form.centred(478, 26, 380, "LEVEL", 8)

    # Armour class, saving throws, initiative: the total, then its parts,
    # then the row's name (left of the totals the class, race and alignment
    # run long).
    form.centred(783, 37, 130, "ARMOUR", 8)
    for x, label in ((835, "SHIELD"), (883, "DEX"), (932, "SIZE"), (980, "CLASS")):
        form.centred(x, 29, 130, label, 8)
    form.box(678, 134, 39, 46, 2.5)
    form.text(750, 164, "= 10 +", 12, "middle")
    for x in (787, 835, 883, 932, 980):
        form.box(x, 139, 29, 37)
    form.text(1024, 156, "ARMOUR", 12)
    form.text(1024, 172, "CLASS", 12)
    form.centred(738, 29, 204, "BASE", 8)
    form.centred(883, 29, 204, "ABILITY", 8)
    form.centred(980, 29, 204, "MISC", 8)
    for d, label, ability in ((0, "REFLEX", "DEX"), (56, "FORTITUDE", "CON"), (112, "WILL", "WIS")):
        form.box(678, 210 + d, 39, 46, 2.5)
        form.text(727, 240 + d, "=", 12, "middle")
        for x in (738, 883, 980):
            form.box(x, 215 + d, 29, 37)
        form.text(825, 240 + d, "+", 12, "middle")
        form.text(945, 240 + d, "+", 12, "middle")
        form.text(1024, 232 + d, label, 12)
        form.text(1024, 246 + d, "(%s)" % ability, 8)
    form.box(678, 394, 39, 46, 2.5)
    form.text(800, 424, "=", 12, "middle")
    form.box(883, 399, 29, 37)
    form.box(980, 399, 29, 37)
    form.text(945, 424, "+", 12, "middle")
    form.centred(883, 29, 448, "DEX", 8)
    form.centred(980, 29, 448, "MISC", 8)
    form.text(1024, 424, "INITIATIVE", 12)

    # Melee and ranged attacks: parts on the left, one line per attack.
    for y0, title, ability in ((708, "MELEE ATTACK", "STR"), (1081, "RANGED ATTACK", "DEX")):
        top = y0 - 117
        form.bar(8, top - 44, 318, 22, title)
        form.centred(198, 29, top - 6, "BASE", 8)
        form.centred(276, 38, top - 6, "TOTAL", 8)
        for k in range(4):
            form.box(198, y0 - 112 + 56 * k, 29, 37)
            form.box(276, y0 - 117 + 56 * k, 38, 48, 2.5)
            form.text(250, y0 - 88 + 56 * k, "\u2192", 14, "middle", False)
        form.text(16, y0 - 14, "PLUS ON EVERY ATTACK", 8)
        for x, label in ((19, ability), (67, "SIZE"), (116, "MISC")):
            form.box(x, y0, 29, 37)
            form.centred(x - 6, 41, y0 + 50, label, 8)

    # Feats, 24 units a line.
    form.bar(336, 556, 246, 22, "FEATS")
    for k in range(20):
        form.line(338, 600 + 24 * k + 15, 580, 600 + 24 * k + 15, RULE, 1)

    # How the character came about, and its wealth.
    form.bar(336, 1076, 246, 20, "ORIGIN AND WEALTH", 11)
    for y, label in ((1102, "ROLLS"), (1126, "STEPS UP"), (1150, "STEPS DOWN"),
                     (1174, "HP BONUS"), (1199, "POINTS")):
        form.text(340, y + 12, label, 8)
        form.box(426, y, 22, 15, 1)
    form.text(456, 1109, "METHOD", 7)
    form.box(456, 1112, 86, 14, 1)
    form.text(456, 1153, "WEALTH (GOLD)", 7)
    form.box(456, 1156, 86, 12, 1)
    form.text(456, 1196, "STARTING GOLD", 7)
    form.box(456, 1199, 86, 12, 1)

    # Skills: rows 0 to 40 carry their names, rows 41 to 43 are free.
    form.bar(586, 530, 492, 22, "SKILLS")
    skill_headings(form, 572, False)
    for n in range(44):
        y = 585 + 21 * n
        free = n >= 41
        skill_row(form, y, n, free)
        if not free:
            form.text(592, y + 14, "{{skill:%d}}" % n, 10, "start", False, raw=True)

    # Weapons: two rows of 104 units from y 1342.
    form.bar(4, 1270, 466, 22, "WEAPONS")
    weapon_headings(form, 1334)
    for y in (1342, 1446):
        weapon_row(form, y)
    return form


def second():
    form = Form("Second page")
    page_heading(form, "CHARACTER SHEET, PAGE 2")
    form.bar(6, 68, 286, 22, "RACIAL TRAITS")
    for k in range(18):
        form.line(8, 106 + 24 * k + 19, 288, 106 + 24 * k + 19, RULE, 1)
    form.bar(296, 68, 290, 22, "CLASS FEATURES")
    for k in range(30):
        form.line(298, 106 + 24 * k + 19, 582, 106 + 24 * k + 19, RULE, 1)
    form.bar(6, 552, 286, 22, "LANGUAGES")
    for k in range(21):
        form.line(8, 588 + 24 * k + 19, 288, 588 + 24 * k + 19, RULE, 1)

    # Goods, 29 rows of 25 units from y 103, and the weight carried.
    form.bar(592, 56, 460, 22, "EQUIPMENT AND GOODS")
    goods_headings(form, 97)
    for r in range(29):
        goods_row(form, 103 + 25 * r, r)
    form.text(946, 858, "CARRIED", 10, "end")
    form.box(954, 843, 93, 20, 2.5)
    form.text(1052, 858, "LB.", 9)
    form.bar(1060, 56, 205, 22, "PORTRAIT")
    form.box(1060, 78, 205, 750, 1.5)

    # Description.
    form.bar(296, 826, 290, 22, "DESCRIPTION")
    for y, label in ((856, "AGE"), (912, "WEIGHT"), (968, "HEIGHT")):
        form.text(360, y + 28, label, 10, "end")
    form.box(368, 856, 69, 46)
    form.box(368, 912, 69, 46)
    form.box(368, 968, 37, 46)
    form.box(410, 968, 26, 34)
    form.centred(368, 37, 1026, "FT", 8)
    form.centred(410, 26, 1014, "IN", 8)
    form.text(514, 884, "SEX", 10, "end")
    form.text(514, 940, "SIZE", 10, "end")
    form.box(522, 856, 36, 45)
    form.box(522, 912, 36, 45)

    # The nine notes of the notes page.
    form.bar(700, 870, 565, 22, "NOTES")
    for i in range(9):
        form.line(704, 900 + 21 * i + 15, 1261, 900 + 21 * i + 15, RULE, 1)

    # Armour and shields: three rows of 37 units from y 1142.
    form.bar(6, 1090, 460, 22, "ARMOUR AND SHIELDS")
    columns = ((12, 178, "ITEM"), (191, 53, "BONUS"), (246, 53, "MAX DEX"), (301, 53, "CHECK"),
               (356, 53, "SPELL FAIL"), (411, 53, "SPEED"))
    for x, w, label in columns:
        form.centred(x, w, 1134, label, 8)
    for k, label in ((0, "ARMOUR"), (1, "SHIELD"), (2, "SHIELD")):
        y = 1142 + 37 * k
        for x, w, _ in columns:
            form.box(x, y, w, 33, 1)

    form.text(874, 1130, "EXPERIENCE FOR THE NEXT LEVEL", 10, "end")
    form.box(881, 1115, 166, 20, 1.5)

    # Money: the highest coin, then the two smaller ones.
    form.bar(540, 1180, 200, 22, "MONEY")
    for y, label in ((1220, "GOLD"), (1271, "SILVER"), (1296, "COPPER")):
        form.text(630, y + 15, label, 9, "end")
        form.box(637, y, 98, 20, 1)

    # Load and animals share a row height of 37 from y 1382.
    form.bar(6, 1330, 286, 22, "LOAD")
    for x, w, label in ((13, 59, "LOAD"), (74, 53, "MAX DEX"), (129, 53, "CHECK"),
                        (183, 52, "SPEED"), (239, 51, "RUN")):
        form.centred(x, w, 1374, label, 8)
        form.box(x, 1383, w, 33, 1)
    form.bar(350, 1330, 732, 22, "COMPANIONS")
    animal_columns = ((354, 288, "NAME AND KIND"), (645, 39, "HD"), (686, 40, "AC"),
                      (728, 40, "HP"), (770, 128, "ATTACKS"), (899, 128, "DAMAGE"),
                      (1028, 51, "SPEED"))
    for x, w, label in animal_columns:
        form.centred(x, w, 1374, label, 8)
    for k in range(3):
        y = 1382 + 37 * k
        for x, w, _ in animal_columns:
            form.box(x, y, w, 33, 1)
    return form


def spells():
    form = Form("Spell page")
    page_heading(form, "SPELLS")
    form.text(150, 48, "CLASS", 11, "end")
    form.line(246, 54, 900, 54)
    form.bar(6, 62, 140, 22, "PER DAY")
    form.centred(15, 37, 108, "SPELLS", 8)
    form.centred(86, 37, 108, "SAVE DC", 8)
    for i in range(10):
        y = 117 + 59 * i
        form.box(15, y, 37, 46, 2.5)
        form.box(86, y, 37, 46)
        form.text(69, y + 28, str(i), 14, "middle")
    form.bar(160, 62, 1105, 22, "SPELL LIST")
    for x, label in ((482, "CASTING"), (565, "RANGE"), (802, "DURATION"), (985, "SAVING THROW")):
        form.text(x, 98, label, 9)
    form.text(246, 98, "SPELL", 9)
    for k in range(60):
        y = 103 + 25 * k
        if k % 2:
            form.fill(160, y - 2, 1105, 25, TINT)
        form.line(164, y + 21, 1261, y + 21, RULE, 1)
    return form


def overflow():
    form = Form("Overflow page")
    page_heading(form, "CHARACTER SHEET, CONTINUED")
    form.bar(4, 36, 466, 22, "WEAPONS, CONTINUED")
    weapon_headings(form, 88)
    for r in range(14):
        weapon_row(form, 96 + 104 * r)
    form.bar(586, 60, 492, 22, "SKILLS, CONTINUED")
    skill_headings(form, 96, True)
    for n in range(20):
        skill_row(form, 102 + 21 * n, n, True)
    form.bar(592, 604, 460, 22, "EQUIPMENT AND GOODS, CONTINUED")
    goods_headings(form, 648)
    for r in range(29):
        goods_row(form, 654 + 25 * r, r)
    return form


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, make in (("SheetFront", front), ("SheetSecond", second), ("SheetSpells", spells),
                       ("SheetOverflow", overflow)):
        with open(os.path.join(here, name + ".svg"), "w", encoding="utf-8") as out:
            out.write(make().svg())


if __name__ == "__main__":
    main()
