#!/usr/bin/env python3
"""Writes the item drawings that come in families: the weapon, armour and
shield kinds and the goods drawn from a few shared parts. Each drawing is
written upright in its own units, then fitted, like the hand-drawn ones, to
the 50 px square in the middle of the plate (its outline measured by
rendering it once with rsvg-convert).

    python3 kinds.py [NAME...]     writes art/items/NAME.svg (all by default)

The drawings are ordinary SVG files afterwards; the build renders them like
any other. Grey parts of class "t" take the row's tint."""

import math
import os
import struct
import subprocess
import sys
import tempfile
import zlib

INK = "#0e0b08"
METAL, LIGHT, SHADE, DARK = "#8a8a8a", "#c8c8c8", "#5a5a5a", "#6a6a6a"
WOOD, WOOD_DARK, GRIP, WRAP = "#8a5a34", "#6a4428", "#5a3a22", "#3a2414"
BRASS, GOLD, PARCHMENT, LEATHER, EMBER = "#b08a4a", "#e0b864", "#ecdfc4", "#7a5232", "#d0583c"
HERE = os.path.dirname(os.path.abspath(__file__))
DRAWINGS = {}


def drawing(name, comment, rotate=None):
    def add(function):
        DRAWINGS[name] = (comment, function, rotate)
        return function
    return add


def t(d, fill=METAL, extra=""):
    return f'<path class="t" d="{d}" fill="{fill}"{extra}/>'


def line(d, colour=LIGHT, width=1.2, tinted=True):
    cls = ' class="t"' if tinted else ""
    return f'<path{cls} d="{d}" fill="none" stroke="{colour}" stroke-width="{width}"/>'


def p(d, fill, extra=""):
    return f'<path d="{d}" fill="{fill}"{extra}/>'


def haft(y0, y1, w=5, fill=WOOD):
    return p(f"M{32 - w / 2} {y0} H{32 + w / 2} V{y1} H{32 - w / 2} Z", fill)


def grip(y0, y1, w=6):
    x0, x1 = 32 - w / 2, 32 + w / 2
    wraps = " ".join(f"M{x0} {y:g} H{x1}" for y in range(int(y0) + 4, int(y1) - 1, 4))
    return p(f"M{x0} {y0} H{x1} V{y1} H{x0} Z", GRIP) + (
        f'<path d="{wraps}" stroke="{WRAP}" stroke-width="1.2"/>' if wraps else "")


def guard(y, w, h=5):
    return p(f"M{32 - w / 2} {y} H{32 + w / 2} Q{33 + w / 2} {y + h / 2} {31 + w / 2} {y + h} "
             f"H{33 - w / 2} Q{31 - w / 2} {y + h / 2} {32 - w / 2} {y} Z", BRASS)


def pommel(y, r=3.5):
    return f'<circle cx="32" cy="{y}" r="{r}" fill="{BRASS}"/>'


def blade(tip, base, w, point=8):
    """A straight double-edged blade from base up to its tip."""
    a, b = 32 - w / 2, 32 + w / 2
    return (t(f"M32 {tip} L{b} {tip + point} V{base} H{a} V{tip + point} Z")
            + line(f"M32 {tip + 3} V{base - 2}", SHADE, 1.5) + line(f"M{32 + w / 5} {tip + point} V{base - 2}", LIGHT, 1))


def spikes(cx, cy, r, n, length, fill=DARK):
    pts = []
    for i in range(2 * n):
        a = math.pi * i / n
        rr = r + length if i % 2 == 0 else r * 0.75
        pts.append(f"{cx + rr * math.sin(a):.1f} {cy - rr * math.cos(a):.1f}")
    return t("M" + " L".join(pts) + " Z", fill)


def ball(cx, cy, r):
    return (f'<circle class="t" cx="{cx}" cy="{cy}" r="{r}" fill="{METAL}"/>'
            + line(f"M{cx - r * 0.5} {cy - r * 0.3} Q{cx - r * 0.3} {cy - r * 0.6} {cx} {cy - r * 0.6}", LIGHT, 1.5))


def pole(d):
    """A flail's wooden handle along d, outlined in ink."""
    return (f'<path d="{d}" stroke="{INK}" stroke-width="7" stroke-linecap="round"/>'
            f'<path d="{d}" stroke="{WOOD}" stroke-width="4" stroke-linecap="round"/>')


def links(points, w=2.5):
    out = []
    for (x0, y0), (x1, y1) in zip(points, points[1:]):
        out.append(f'<path class="t" d="M{x0} {y0} L{x1} {y1}" stroke="{METAL}" stroke-width="{w}" '
                   f'stroke-dasharray="3 1.5" fill="none"/>')
    return "".join(out)


# Swords and knives ---------------------------------------------------------

@drawing("short_sword", "A short sword: a broad leaf-shaped stabbing blade, an oval guard and a ball pommel.", 45)
def short_sword():
    return (t("M32 6 L36 14 Q38.5 26 36.5 40 H27.5 Q25.5 26 28 14 Z")
            + line("M32 10 V38", SHADE, 1.5) + line("M33.5 16 Q35 26 34 38")
            + p("M24 40 Q32 37 40 40 Q40 45 32 45 Q24 45 24 40 Z", BRASS)
            + p("M29 45 H35 V53 H29 Z", "#6a4a2a") + f'<path d="M29 47.5 H35 M29 50.5 H35" stroke="{WRAP}" stroke-width="1"/>'
            + f'<circle cx="32" cy="57.5" r="5" fill="{BRASS}"/>')


@drawing("greatsword", "A greatsword: a long broad blade with parrying lugs, wide down-swept quillons and a two-hand grip.", 45)
def greatsword():
    return (blade(-14, 44, 11, 10) + t("M26.5 36 L23 34 L23 39 Z M37.5 36 L41 34 L41 39 Z", DARK)
            + p(f"M16 50 Q14 44 18 44 H46 Q50 44 48 50 Q44 47 32 49 Q20 47 16 50 Z", BRASS)
            + grip(48, 68, 6) + p("M27 68 H37 L35 74 H29 Z", BRASS))


@drawing("bastard_sword", "A bastard sword: a tapering blade, curved quillons, a hand-and-a-half grip and a wheel pommel.", 45)
def bastard_sword():
    return (t("M32 -6 L37 6 L35.5 44 H28.5 L27 6 Z") + line("M32 -2 V42", SHADE, 1.5) + line("M33.5 6 L33.2 42", LIGHT, 1)
            + p("M17 42 Q19 47 23 46 H41 Q45 47 47 42 L45 41 Q43 44 41 43 H23 Q21 44 19 41 Z", BRASS)
            + p("M23 43 H41 V48 H23 Z", BRASS) + grip(48, 64, 6)
            + f'<circle cx="32" cy="67" r="4.5" fill="{BRASS}"/><circle cx="32" cy="67" r="1.8" fill="{WRAP}"/>')


@drawing("rapier", "A rapier: a long slender blade and a swept hilt with a knuckle bow.", 45)
def rapier():
    return (t("M32 -12 L34 -4 V44 H30 V-4 Z") + line("M32 -8 V42", LIGHT, 1)
            + p("M18 44 H46 V47 H18 Z", BRASS)
            + f'<path d="M40 47 Q46 54 36 62" fill="none" stroke="{INK}" stroke-width="4.5"/>'
            + f'<path d="M40 47 Q46 54 36 62" fill="none" stroke="{BRASS}" stroke-width="2.2"/>'
            + f'<ellipse cx="32" cy="47" rx="7" ry="3.5" fill="{BRASS}"/>'
            + grip(47, 60, 5) + pommel(62.5, 3.2))


@drawing("two_bladed_sword", "A two-bladed sword: a blade at each end of a long central grip.", 45)
def two_bladed_sword():
    return (blade(-20, 18, 8, 7) + guard(18, 20) + grip(23, 41, 6) + guard(41, 20)
            + t("M32 84 L36 77 V46 H28 V77 Z") + line("M32 80 V48", SHADE, 1.5))


@drawing("punching_dagger", "A punching dagger: a broad triangular blade on an H-shaped frame gripped crosswise.", 45)
def punching_dagger():
    return (t("M32 2 L39 36 H25 Z") + line("M32 6 V34", SHADE, 1.5) + line("M33.5 12 L35.5 34")
            + p("M22 36 H42 V40 H22 Z", BRASS)
            + p("M22 40 H27 V62 H22 Z M37 40 H42 V62 H37 Z", BRASS)
            + p("M27 47 H37 V53 H27 Z", GRIP) + f'<path d="M30 47 V53 M34 47 V53" stroke="{WRAP}" stroke-width="1"/>')


@drawing("siangham", "A siangham: a slender steel spike on a short grip behind a flared cup.", 45)
def siangham():
    return (t("M32 -2 L34.5 8 L34 40 H30 L29.5 8 Z") + line("M32.6 6 V38")
            + p("M25 40 H39 L35 46 H29 Z", BRASS) + grip(46, 58, 5)
            + f'<circle cx="32" cy="61.5" r="3.5" fill="none" stroke="{INK}" stroke-width="3.6"/>'
            + f'<circle cx="32" cy="61.5" r="3.5" fill="none" stroke="{BRASS}" stroke-width="1.8"/>')


@drawing("kukri", "A kukri: a heavy blade bent forward at its belly, with a notch and a flared grip.", 40)
def kukri():
    return (t("M29 44 L28 24 Q28 12 34 4 Q42 -2 46 2 Q40 4 38 12 Q36 22 36 30 Q36 38 35 44 Z")
            + line("M31 40 V24 Q31 14 36 7") + p("M33 40 Q35 38 35 42 Z", INK)
            + p("M24 44 H40 V47 H24 Z", BRASS) + p("M29 47 H35 L36 60 Q38 63 36 65 H28 Q26 63 28 60 Z", GRIP))


@drawing("falchion", "A falchion: a single-edged blade that widens towards a clipped point.", 40)
def falchion():
    return (t("M28 44 V4 L34 -4 Q42 4 41 18 Q40 32 36 44 Z") + line("M30.5 42 V6", SHADE, 1.5)
            + line("M33 6 Q39 14 37 36") + guard(44, 20) + grip(49, 60, 6) + p("M28 60 H36 L34 65 H30 Z", BRASS))


# Axes, hammers, picks, maces and clubs ------------------------------------

@drawing("handaxe", "A handaxe: a plain wedge head on a short haft.", 30)
def handaxe():
    return (haft(6, 46, 6) + t("M35 8 L50 4 Q54 14 50 24 L35 20 Z") + line("M49 7 Q52 14 49 21", LIGHT, 1.5)
            + t("M29 8 H26 V20 H29 Z", DARK) + grip(36, 46, 6))


@drawing("throwing_axe", "A throwing axe: a light head with a long drooping beard on a slim curved haft.", 30)
def throwing_axe():
    return (p("M30 4 Q28 30 31 58 H35 Q32 30 34 4 Z", WOOD)
            + t("M34 6 Q44 6 48 2 Q50 20 44 34 Q40 22 34 16 Z") + line("M47 6 Q47 20 44 30", LIGHT, 1.5)
            + p("M30.5 50 H34.5 V58 H31 Z", GRIP))


@drawing("greataxe", "A greataxe: two great crescent blades back to back on a long two-handed haft.", 30)
def greataxe():
    return (haft(0, 76, 6) + t("M35 6 Q44 4 46 -6 Q64 12 48 40 Q44 30 35 30 Z")
            + t("M29 6 Q20 4 18 -6 Q0 12 16 40 Q20 30 29 30 Z") + line("M48 -2 Q58 14 49 34", LIGHT, 1.5)
            + line("M16 -2 Q6 14 15 34", LIGHT, 1.5) + t("M28 4 H36 V32 H28 Z", DARK) + grip(62, 76, 6)
            + p("M29 -4 H35 V4 H29 Z", DARK))


@drawing("dwarven_waraxe", "A dwarven waraxe: a broad bearded head with a back spike, strapped with iron langets.", 30)
def dwarven_waraxe():
    return (haft(2, 64, 6) + t("M35 4 H42 Q52 0 54 -4 Q60 16 54 38 Q48 34 44 24 L35 20 Z")
            + line("M53 0 Q57 16 53 34", LIGHT, 1.5) + t("M29 6 L18 12 L29 16 Z", DARK)
            + t("M28.5 20 H35.5 V32 H28.5 Z", DARK) + grip(52, 64, 6) + p("M28 64 H36 V68 H28 Z", BRASS))


@drawing("orc_double_axe", "An orc double axe: a crescent axe head at each end of one haft.", 30)
def orc_double_axe():
    return (haft(0, 80, 6) + t("M35 2 Q44 0 48 -6 Q58 8 48 26 Q44 20 35 18 Z")
            + t("M29 62 Q20 60 16 54 Q6 68 16 86 Q20 80 29 78 Z") + line("M47 -2 Q54 8 47 22", LIGHT, 1.5)
            + line("M17 58 Q10 68 17 82", LIGHT, 1.5) + grip(34, 46, 6))


@drawing("dwarven_urgrosh", "A dwarven urgrosh: an axe head at one end of the haft and a spear point at the other.", 30)
def dwarven_urgrosh():
    return (haft(4, 70, 6) + t("M35 6 Q46 4 50 -2 Q56 12 50 28 Q46 22 35 22 Z") + line("M49 2 Q53 12 49 24", LIGHT, 1.5)
            + t("M32 92 Q38 82 35 74 L34 70 H30 L29 74 Q26 82 32 92 Z") + line("M32 88 V74")
            + grip(36, 48, 6) + p("M28 70 H36 V73 H28 Z", BRASS))


@drawing("light_hammer", "A light hammer: a small double-faced head on a short haft.", 40)
def light_hammer():
    return (haft(10, 50, 6) + t("M18 6 H46 V18 H18 Z") + t("M15 4 H19 V20 H15 Z M45 4 H49 V20 H45 Z", DARK)
            + line("M21 9 H43") + grip(40, 50, 6))


@drawing("gnome_hooked_hammer", "A gnome hooked hammer: a hammer head at one end of the haft and a long hook at the other.", 40)
def gnome_hooked_hammer():
    return (haft(4, 74, 5) + t("M34 0 H46 V12 H34 Z") + line("M37 3 H43") + t("M30 2 Q22 2 20 8 L30 10 Z", DARK)
            + t("M29.5 70 Q20 72 14 84 Q12 90 18 92 Q16 84 22 78 Q26 76 29.5 76 Z") + line("M18 88 Q18 80 24 76")
            + grip(32, 44, 6))


@drawing("light_pick", "A light pick: a single curved spike with a small hammer face on a short haft.", 35)
def light_pick():
    return (haft(6, 50, 6) + t("M35 6 Q48 8 56 22 Q44 14 35 14 Z") + t("M29 6 H23 V14 H29 Z", DARK)
            + t("M28 3 H36 V17 H28 Z") + line("M37 9 Q46 11 52 17") + grip(40, 50, 6))


@drawing("light_mace", "A light mace: a small ribbed pear-shaped head on a short haft with a wrist strap.", 45)
def light_mace():
    return (haft(20, 52, 5, WOOD_DARK) + t("M32 2 Q42 6 41 16 Q40 24 32 24 Q24 24 23 16 Q22 6 32 2 Z")
            + line("M25 10 Q32 13 39 10 M23.5 16 Q32 19 40.5 16", SHADE, 1.3) + line("M27 7 Q29 4 32 4", LIGHT, 1.5)
            + p("M28 24 H36 V27 H28 Z", BRASS) + grip(42, 52, 5)
            + f'<path d="M32 52 Q22 58 30 62 Q36 62 32 52" fill="none" stroke="{INK}" stroke-width="3"/>'
            + f'<path d="M32 52 Q22 58 30 62 Q36 62 32 52" fill="none" stroke="{LEATHER}" stroke-width="1.5"/>')


@drawing("morningstar", "A morningstar: a spiked iron ball on a stout haft.", 45)
def morningstar():
    return (haft(18, 66, 6, WOOD_DARK) + spikes(32, 10, 11, 8, 6) + ball(32, 10, 10)
            + p("M28 20 H36 V24 H28 Z", BRASS) + grip(54, 66, 6))


@drawing("greatclub", "A greatclub: a long tapering log bound with iron bands and studded at the striking end.", 45)
def greatclub():
    studs = "".join(f'<circle cx="{x}" cy="{y}" r="1.8" fill="{LIGHT}"/>' for x, y in
                    ((29, 4), (36, 8), (30, 14), (37, 18), (28, 24)))
    return (t("M29 76 L28 40 Q22 20 24 2 Q28 -10 34 -10 Q42 -8 42 4 Q42 24 36 40 L35 76 Z")
            + line("M28 4 Q29 20 30 36", "#b8b8b8") + studs
            + p("M25 -2 Q33 1 41.5 -3 V1 Q33 5 25 2 Z M26 28 Q32 31 38 28 V32 Q32 35 26.5 32 Z", DARK)
            + grip(62, 76, 7))


@drawing("sap", "A sap: a leather tube packed with sand, with a wrist loop.", 45)
def sap():
    return (t("M32 2 Q41 2 41 16 V34 Q40 44 34 48 H30 Q24 44 23 34 V16 Q23 2 32 2 Z")
            + line("M27 10 Q26 24 27 38", "#b8b8b8", 1.5) + line("M24 22 Q32 25 40 22 M23.5 30 Q32 33 40.5 30", SHADE, 1.2)
            + p("M29 48 H35 V58 H29 Z", GRIP)
            + f'<path d="M32 58 Q22 66 30 70 Q38 70 32 58" fill="none" stroke="{INK}" stroke-width="3"/>'
            + f'<path d="M32 58 Q22 66 30 70 Q38 70 32 58" fill="none" stroke="{LEATHER}" stroke-width="1.5"/>')


@drawing("frying_pan", "An improvised weapon: a heavy iron frying pan swung by its handle.", 45)
def frying_pan():
    return (f'<circle class="t" cx="32" cy="18" r="16" fill="{DARK}"/>'
            + f'<circle class="t" cx="32" cy="18" r="12" fill="#4a4a4a" stroke="{SHADE}" stroke-width="1.2"/>'
            + line("M23 12 Q26 8 30 7", "#a8a8a8", 1.5)
            + t("M29 33 H35 V44 H29 Z", DARK) + p("M28.5 44 H35.5 L35 64 Q32 67 29 64 Z", WOOD_DARK))


# Spears, lances and pole arms -------------------------------------------

@drawing("halfspear", "A halfspear: a broad barbed head on a short shaft with a wrapped grip.", 45)
def halfspear():
    return (haft(20, 62, 5) + t("M32 -4 L42 16 L36 14 L34 22 H30 L28 14 L22 16 Z")
            + line("M32 0 V20") + p("M29 22 H35 V26 H29 Z", GRIP) + grip(40, 50, 5)
            + p("M29 62 H35 L34 66 H30 Z", BRASS))


@drawing("longspear", "A longspear: a small head above a crossbar on a very long shaft with a butt spike.", 45)
def longspear():
    return (haft(10, 90, 5) + t("M32 -10 Q38 -2 36 6 L34.5 10 H29.5 L28 6 Q26 -2 32 -10 Z") + line("M32 -6 V8")
            + p("M22 11 H42 V15 H22 Z", GRIP) + t("M29.5 90 H34.5 L32 98 Z", DARK))


@drawing("javelin", "A javelin: a long slim iron shank with a small pyramid point on a light shaft with a throwing thong.", 45)
def javelin():
    return (haft(24, 84, 4, "#a87a4a") + t("M32 -6 L35 2 L33 4 V26 H31 V4 L29 2 Z") + line("M32 0 V24")
            + p("M29 26 H35 V29 H29 Z", BRASS)
            + f'<path d="M30 48 Q20 54 30 58" fill="none" stroke="{INK}" stroke-width="3"/>'
            + f'<path d="M30 48 Q20 54 30 58" fill="none" stroke="{PARCHMENT}" stroke-width="1.5"/>'
            + p("M29.5 48 H34.5 V58 H29.5 Z", GRIP))


@drawing("lance", "A lance: a long tapering wooden lance with a steel tip and a cone-shaped hand guard.", 45)
def lance():
    return (t("M32 -14 L34 -8 H30 Z") + p("M30 -8 H34 L38 62 H26 Z", WOOD) + line("M33 -4 L35.5 60", "#a87a4a", 1.2, False)
            + p("M22 78 Q32 60 42 78 Q32 82 22 78 Z", METAL) + line("M26 76 Q30 68 32 66", LIGHT, 1.5, False)
            + p("M29 80 H35 V94 H29 Z", GRIP))


@drawing("light_lance", "A light lance: a slim lance with a leaf tip and a small pennon below it.", 45)
def light_lance():
    return (haft(6, 84, 4, WOOD) + t("M32 -6 Q36 0 34 6 H30 Q28 0 32 -6 Z")
            + p("M34 10 L50 14 L44 18 L50 22 L34 24 Z", EMBER) + p("M29.5 70 H34.5 V80 H29.5 Z", GRIP))


@drawing("glaive", "A glaive: a long knife-like blade with a back spur on a long pole.", 40)
def glaive():
    return (haft(20, 64, 4) + t("M30 24 V4 Q31 -8 36 -14 Q42 0 40 12 Q38 20 34 24 Z")
            + t("M30 14 L24 12 L30 20 Z", DARK) + line("M37 -6 Q39 4 37 16")
            + p("M29 24 H35 V28 H29 Z", GRIP))


@drawing("guisarme", "A guisarme: a long curved pole blade with a hook on its back for pulling riders down.", 40)
def guisarme():
    return (haft(18, 64, 4) + t("M30 22 V8 Q30 -6 38 -14 Q40 -2 38 8 Q36 16 34 22 Z")
            + t("M30 10 Q20 6 16 -4 Q22 -2 24 2 Q26 -2 24 -6 Q30 0 30 4 Z", DARK)
            + line("M36 -8 Q36 2 34 14") + p("M29 22 H35 V26 H29 Z", GRIP))


@drawing("ranseur", "A ranseur: a spear point flanked by two side prongs that catch blades, on a long pole.", 45)
def ranseur():
    return (haft(18, 66, 4) + t("M32 -14 Q36 -4 35 6 L34 18 H30 L29 6 Q28 -4 32 -14 Z")
            + t("M30 14 Q22 12 16 0 Q22 4 26 6 L22 -2 Q28 2 30 10 Z")
            + t("M34 14 Q42 12 48 0 Q42 4 38 6 L42 -2 Q36 2 34 10 Z") + line("M32 -10 V16")
            + p("M29 18 H35 V22 H29 Z", GRIP))


@drawing("scythe", "A scythe: a long curved blade set across the top of a bent pole with two hand grips.", 0)
def scythe():
    return (p("M42 8 Q36 26 40 50 L36 50 Q32 26 38 8 Z", WOOD) + p("M32 26 H42 V30 H32 Z M32 40 H41 V44 H32 Z", GRIP)
            + t("M42 4 Q20 -6 0 16 Q20 2 40 13 Z") + line("M36 5 Q20 0 8 10"))


@drawing("kama", "A kama: a short blade set at a right angle on a wooden handle.", 30)
def kama():
    return (p("M28 12 H35 L36 58 Q32 61 28 58 Z", WOOD) + p("M28 12 H35 V16 H28 Z", BRASS)
            + t("M34 2 Q50 2 60 12 Q48 16 34 14 Z") + t("M28 2 H35 V13 H28 Z", DARK) + line("M37 6 Q48 6 55 11")
            + f'<path d="M28.5 46 H35.5 M28.5 50 H35.5 M28.5 54 H35.5" stroke="{WRAP}" stroke-width="1.2"/>')


# Staves, flails and chains ----------------------------------------------

@drawing("heavy_flail", "A heavy flail: two spiked balls on chains from a long two-handed handle.", None)
def heavy_flail():
    return (pole("M8 62 L30 40")
            + f'<path d="M8 62 L18 52" stroke="{GRIP}" stroke-width="4" stroke-linecap="round"/>'
            + links([(30, 40), (34, 30), (38, 18)]) + links([(30, 40), (42, 36), (52, 34)])
            + spikes(40, 12, 6, 7, 4) + ball(40, 12, 6) + spikes(56, 34, 6, 7, 4) + ball(56, 34, 6))


@drawing("nunchaku", "A nunchaku: two short wooden sticks joined by a short chain.", None)
def nunchaku():
    return (f'<g transform="rotate(-30 20 40)">{t("M16 26 H24 V60 H16 Z")}{line("M18 30 V56", "#b8b8b8")}'
            f'{p("M16 26 H24 V29 H16 Z", BRASS)}</g>'
            + f'<g transform="rotate(20 44 30)">{t("M40 12 H48 V46 H40 Z")}{line("M42 16 V42", "#b8b8b8")}'
            f'{p("M40 43 H48 V46 H40 Z", BRASS)}</g>'
            + f'<path d="M27 27 Q34 30 40 42" fill="none" stroke="{INK}" stroke-width="3.5"/>'
            + f'<path d="M27 27 Q34 30 40 42" fill="none" stroke="{METAL}" stroke-width="2" stroke-dasharray="2.5 1.2"/>')


@drawing("dire_flail", "A dire flail: a long pole with a spiked ball on a chain at each end.", None)
def dire_flail():
    return (pole("M22 44 L42 24")
            + f'<path d="M28 38 L36 30" stroke="{GRIP}" stroke-width="4"/>'
            + links([(42, 24), (48, 18), (50, 12)]) + links([(22, 44), (16, 50), (14, 56)])
            + spikes(52, 4, 8, 7, 5) + ball(52, 4, 8) + spikes(12, 64, 8, 7, 5) + ball(12, 64, 8))


@drawing("spiked_chain", "A spiked chain: a long chain set with spikes, with a grip at each end.", None)
def spiked_chain():
    out = [f'<path d="M8 52 Q16 10 32 32 Q48 54 56 12" fill="none" stroke="{INK}" stroke-width="5"/>',
           f'<path class="t" d="M8 52 Q16 10 32 32 Q48 54 56 12" fill="none" stroke="{METAL}" stroke-width="3" '
           f'stroke-dasharray="3 1.5"/>']
    for s in range(1, 10):
        u = s / 10
        if u < 0.5:
            v = u * 2
            x = (1 - v) ** 2 * 8 + 2 * (1 - v) * v * 16 + v * v * 32
            y = (1 - v) ** 2 * 52 + 2 * (1 - v) * v * 10 + v * v * 32
        else:
            v = u * 2 - 1
            x = (1 - v) ** 2 * 32 + 2 * (1 - v) * v * 48 + v * v * 56
            y = (1 - v) ** 2 * 32 + 2 * (1 - v) * v * 54 + v * v * 12
        a = s * 1.9
        dx, dy = 4 * math.cos(a), 4 * math.sin(a)
        out.append(t(f"M{x - dx:.1f} {y - dy:.1f} L{x + dy / 3:.1f} {y - dx / 3:.1f} L{x + dx:.1f} {y + dy:.1f} Z", LIGHT,
                     ' stroke-width="1"'))
    out.append(p("M5 50 L11 50 L11 60 L5 60 Z", GRIP) + p("M53 4 L59 4 L59 14 L53 14 Z", GRIP))
    return "".join(out)


@drawing("net", "A net: a weighted throwing net of knotted cord.", None)
def net():
    mesh = " ".join(f"M{10 + i * 6} 10 Q{8 + i * 6} 34 {12 + i * 6} 56" for i in range(8))
    mesh += " " + " ".join(f"M8 {12 + j * 6} Q32 {10 + j * 6} 56 {14 + j * 6}" for j in range(8))
    weights = "".join(f'<circle cx="{x}" cy="{y}" r="2.5" fill="{DARK}"/>' for x, y in
                      ((8, 10), (56, 12), (12, 58), (54, 56), (32, 60)))
    return (f'<path d="M8 10 Q32 4 56 12 Q60 34 54 56 Q32 64 12 58 Q4 34 8 10 Z" fill="{INK}" opacity="0.35" stroke="none"/>'
            + f'<path d="{mesh}" fill="none" stroke="{INK}" stroke-width="2.6"/>'
            + f'<path class="t" d="{mesh}" fill="none" stroke="{METAL}" stroke-width="1.3"/>' + weights)


# Ranged weapons and thrown things ---------------------------------------

def bow_string(d, string):
    return (f'<path class="t" d="{d}" fill="none" stroke="{INK}" stroke-width="6.5" stroke-linecap="round"/>'
            f'<path class="t" d="{d}" fill="none" stroke="{METAL}" stroke-width="3.5" stroke-linecap="round"/>'
            f'<path d="{string}" stroke="{PARCHMENT}" stroke-width="1.2" fill="none"/>')


@drawing("shortbow", "A shortbow: a short deep-curved stave, strung, with an arrow across it.", -45)
def shortbow():
    return (bow_string("M26 8 Q52 32 26 56", "M26 8 V56")
            + f'<path d="M33 29 L39 35" stroke="{INK}" stroke-width="6"/><path d="M33 29 L39 35" stroke="{GRIP}" stroke-width="3.5" transform="rotate(45 36 32)"/>'
            + f'<path d="M18 32 H54" stroke="{INK}" stroke-width="4"/><path d="M18 32 H54" stroke="{BRASS}" stroke-width="2"/>'
            + f'<path d="M58 32 L52 28 V36 Z" fill="#b8b8b8" stroke="{INK}" stroke-width="1.2"/>'
            + f'<path d="M18 32 L13 28 L16 32 L13 36 Z M22 32 L17 28 L20 32 L17 36 Z" fill="{EMBER}" stroke="{INK}" stroke-width="1"/>')


@drawing("composite_longbow", "A composite longbow: a long recurved bow of horn and wood with bone tips and grip.", -45)
def composite_longbow():
    d = "M40 -10 Q30 -12 30 -2 Q44 12 42 30 Q44 48 30 62 Q30 72 40 70"
    return (bow_string(d, "M30.5 -2 V62")
            + p("M39 26 H45 V34 H39 Z", GRIP) + p("M38 -13 L44 -10 L39 -7 Z M38 73 L44 70 L39 67 Z", "#dcd0b0", f' stroke="{INK}" stroke-width="1"')
            + f'<path d="M36 8 L40 12 M36 52 L40 48" stroke="#dcd0b0" stroke-width="2"/>')


@drawing("composite_shortbow", "A composite shortbow: a short, strongly reflexed bow with horn tips and a bound grip.", -45)
def composite_shortbow():
    d = "M40 6 Q30 4 32 12 Q46 22 40 32 Q46 42 32 52 Q30 60 40 58"
    return (bow_string(d, "M33 10 V54") + p("M38 28 H44 V36 H38 Z", GRIP)
            + p("M38 3 L43 6 L39 9 Z M38 61 L43 58 L39 55 Z", "#dcd0b0", f' stroke="{INK}" stroke-width="1"')
            + f'<path d="M18 32 H52" stroke="{INK}" stroke-width="4"/><path d="M18 32 H52" stroke="{BRASS}" stroke-width="2"/>'
            + f'<path d="M56 32 L50 28 V36 Z" fill="#b8b8b8" stroke="{INK}" stroke-width="1.2"/>')


def crossbow_parts(stock_len=62, bow_w=52, bow_y=18):
    a, b = 32 - bow_w / 2, 32 + bow_w / 2
    return (t(f"M29 6 H35 L36 {stock_len - 8} Q36 {stock_len - 2} 32 {stock_len} Q28 {stock_len - 2} 28 {stock_len - 8} Z")
            + line(f"M31 10 V{stock_len - 8}", "#b8b8b8")
            + f'<path d="M{a} {bow_y} Q32 {bow_y - 12} {b} {bow_y}" fill="none" stroke="{INK}" stroke-width="5.5"/>'
            + f'<path d="M{a} {bow_y} Q32 {bow_y - 12} {b} {bow_y}" fill="none" stroke="#b8c0c8" stroke-width="3"/>'
            + f'<path d="M{a} {bow_y} L32 {bow_y + 12} L{b} {bow_y}" fill="none" stroke="{PARCHMENT}" stroke-width="1"/>')


@drawing("heavy_crossbow", "A heavy crossbow: a thick steel bow, a foot stirrup and a winding crank at the butt.", -45)
def heavy_crossbow():
    return (crossbow_parts(66, 58, 20)
            + f'<path d="M26 6 Q32 -4 38 6" fill="none" stroke="{INK}" stroke-width="4"/><path d="M26 6 Q32 -4 38 6" fill="none" stroke="{DARK}" stroke-width="2"/>'
            + f'<circle cx="32" cy="60" r="6" fill="{DARK}"/><circle cx="32" cy="60" r="2" fill="{LIGHT}"/>'
            + p("M37 58 L48 54 L49 58 L38 62 Z", DARK) + f'<circle cx="50" cy="56" r="2.5" fill="{WOOD}"/>'
            + f'<path d="M32 32 V4" stroke="{INK}" stroke-width="3.5"/><path d="M32 32 V4" stroke="{BRASS}" stroke-width="1.8"/>')


@drawing("hand_crossbow", "A hand crossbow: a small bow on a pistol grip.", -45)
def hand_crossbow():
    return (t("M29 8 H35 V40 H29 Z") + t("M29 36 H35 L44 58 Q40 62 36 60 L29 42 Z")
            + line("M31 12 V38", "#b8b8b8") + line("M31 44 L38 58", "#b8b8b8")
            + f'<path d="M12 16 Q32 6 52 16" fill="none" stroke="{INK}" stroke-width="5"/>'
            + f'<path d="M12 16 Q32 6 52 16" fill="none" stroke="#b8c0c8" stroke-width="2.6"/>'
            + f'<path d="M12 16 L32 26 L52 16" fill="none" stroke="{PARCHMENT}" stroke-width="1"/>'
            + f'<path d="M35 42 Q40 44 38 48" fill="none" stroke="#3a3a3a" stroke-width="2"/>')


@drawing("repeating_crossbow", "A repeating crossbow: a crossbow with a box magazine of bolts and a cocking lever on top.", -45)
def repeating_crossbow():
    return (crossbow_parts() + p("M26 22 H38 V44 H26 Z", WOOD_DARK) + f'<path d="M28 26 H36 M28 30 H36 M28 34 H36" stroke="{BRASS}" stroke-width="1.5"/>'
            + f'<path d="M38 40 Q52 36 54 20" fill="none" stroke="{INK}" stroke-width="4"/>'
            + f'<path d="M38 40 Q52 36 54 20" fill="none" stroke="{DARK}" stroke-width="2"/>')


@drawing("dart", "A dart: a weighted iron point on a short shaft with three feathers.", 45)
def dart():
    return (t("M32 0 L36 10 L34.5 22 H29.5 L28 10 Z") + line("M32 4 V20") + p("M30 22 H34 V48 H30 Z", WOOD)
            + p("M30 40 L22 56 L30 52 Z M34 40 L42 56 L34 52 Z", EMBER) + p("M30.5 42 H33.5 V56 H30.5 Z", "#e8d8b8"))


@drawing("shuriken", "A shuriken: a four-pointed throwing star with a hole at its heart.", None)
def shuriken():
    return (t("M32 6 L37 27 L58 32 L37 37 L32 58 L27 37 L6 32 L27 27 Z")
            + line("M32 10 L35 28 M54 32 L36 35", LIGHT, 1.2)
            + f'<circle cx="32" cy="32" r="4" fill="#2a2018"/>')


@drawing("thrown_stone", "A thrown stone: a fist-sized rounded rock.", None)
def thrown_stone():
    return (t("M20 22 Q28 12 40 14 Q52 18 52 32 Q52 46 38 50 Q22 52 16 40 Q12 30 20 22 Z")
            + line("M22 26 Q28 18 38 18", LIGHT, 2) + line("M34 32 L40 38 L38 44 M40 38 L46 36", SHADE, 1.2))


# Gauntlets and the bare hand --------------------------------------------

@drawing("spiked_gauntlet", "A spiked gauntlet: an iron glove with spikes over the knuckles and along the cuff.", None)
def spiked_gauntlet():
    hand = ("M18 60 L16 40 Q14 30 18 24 L22 22 V12 Q22 8 26 8 Q29 8 29 12 V20 V8 Q29 4 33 4 Q36 4 36 8 V20 V10 "
            "Q36 6 40 6 Q43 6 43 10 V22 V14 Q43 10 47 10 Q50 10 50 14 V34 Q50 44 44 48 L44 60 Z")
    knuckles = "".join(t(f"M{x - 2.5} {y} L{x + 4} {y - 7} L{x + 2.5} {y + 1} Z", LIGHT, ' stroke-width="1.1"')
                       for x, y in ((25, 21), (32, 19), (39, 19), (46, 21)))
    cuff = "".join(t(f"M{x} 50 L{x + 2.5} 43 L{x + 5} 50 Z", LIGHT, ' stroke-width="1"') for x in (19, 26, 33, 40))
    return (t(hand) + line("M22 16 H29 M29 13 H36 M36 14 H43 M43 17 H50 M20 30 Q34 26 48 32", SHADE, 1.2)
            + t("M16 40 Q10 34 12 28 Q18 26 20 34", "#7a7a7a") + knuckles
            + p("M17 50 H45 V60 H17 Z", DARK) + cuff + f'<path d="M17 55 H45" stroke="{BRASS}" stroke-width="1.5"/>')


@drawing("locked_gauntlet", "A locked gauntlet: a plated fist closed round a weapon's grip, a chain wound over it and locked.", None)
def locked_gauntlet():
    fist = "M16 18 Q16 13 21 13 H43 Q48 13 48 18 V45 Q48 50 43 50 H21 Q16 50 16 45 Z"
    links = "".join(f'<ellipse cx="{x}" cy="{y}" rx="3" ry="2" transform="rotate(40 {x} {y})" fill="none" '
                    f'stroke="{LIGHT}" stroke-width="1.4"/>' for x, y in ((14, 12), (19, 17), (24, 22), (29, 27), (34, 32),
                                                                         (39, 37), (44, 42)))
    return (p("M29 4 H35 V60 H29 Z", WOOD_DARK) + p("M28 2 H36 V6 H28 Z M28 58 H36 V62 H28 Z", BRASS)
            + p("M47 22 H62 V42 H47 Z", DARK) + f'<path d="M47 32 H62" stroke="{BRASS}" stroke-width="1.5"/>'
            + t(fist) + line("M18 22 H46 M18 30 H46 M18 38 H46", SHADE, 1.4) + line("M20 16 H40", LIGHT, 1.2)
            + t("M16 20 Q8 22 9 31 Q12 37 22 35 L22 25 Z", "#7a7a7a") + links
            + p("M45 44 H55 V54 H45 Z", GOLD) + f'<path d="M47 44 V40 Q50 36 53 40 V44" fill="none" stroke="{METAL}" stroke-width="2"/>'
            + f'<circle cx="50" cy="49" r="1.2" fill="{INK}"/>')


@drawing("fist", "An unarmed strike: a bare clenched fist.", None)
def fist():
    skin, shade = "#c8906a", "#9a6a4a"
    return (p("M18 22 Q18 14 26 14 H44 Q50 14 50 22 V40 Q50 50 40 52 H30 V60 H22 V48 Q16 44 16 36 Z", skin)
            + f'<path d="M26 14 V30 M35 14 V30 M43 14 V30" stroke="{shade}" stroke-width="1.4"/>'
            + f'<path d="M20 30 H50" stroke="{shade}" stroke-width="1.2"/>'
            + p("M16 34 Q14 26 22 26 Q34 28 38 36 Q30 40 22 40 Q16 40 16 34 Z", skin)
            + f'<path d="M22 30 Q30 30 34 35" fill="none" stroke="{shade}" stroke-width="1.2"/>'
            + p("M22 58 H30 V62 H22 Z", LEATHER))


@drawing("shield_spikes", "A spiked shield boss: a domed boss ringed with spikes, on a round shield plate.", None)
def shield_spikes():
    return (f'<circle cx="32" cy="32" r="18" fill="{SHADE}" opacity="0.6"/>'
            + spikes(32, 32, 14, 8, 10) + f'<circle class="t" cx="32" cy="32" r="14" fill="{METAL}"/>'
            + f'<circle class="t" cx="32" cy="32" r="8" fill="#a8a8a8"/>' + t("M32 18 L35 30 L32 34 L29 30 Z", LIGHT)
            + line("M26 24 Q29 21 33 22", "#e8e8e8", 1.5)
            + "".join(f'<circle cx="{x}" cy="{y}" r="1.6" fill="{BRASS}" stroke-width="1"/>' for x, y in
                      ((32, 21), (43, 32), (32, 43), (21, 32))))


@drawing("armour_spikes", "Armour spikes: a steel shoulder plate of three lames, set with long spikes.", None)
def armour_spikes():
    spike = "M-4 0 L0 -16 L4 0 Z"
    row = "".join(f'<g transform="translate({x} {y}) rotate({a})">' + t(spike, LIGHT, ' stroke-width="1.2"') + "</g>"
                  for x, y, a in ((14, 30, -60), (21, 21, -32), (32, 17, 0), (43, 21, 32), (50, 30, 60)))
    return (row + t("M8 42 Q8 18 32 16 Q56 18 56 42 Q44 36 32 36 Q20 36 8 42 Z")
            + t("M10 46 Q32 36 54 46 L52 54 Q32 45 12 54 Z") + t("M14 58 Q32 49 50 58 L48 64 Q32 57 16 64 Z")
            + line("M16 32 Q32 20 48 32", LIGHT, 1.5)
            + "".join(f'<circle cx="{x}" cy="{y}" r="1.4" fill="{BRASS}" stroke-width="0.8"/>'
                      for x, y in ((14, 39), (50, 39), (16, 49), (48, 49))))


# Armour ------------------------------------------------------------------

def torso(sleeve="short", length=58, fill=METAL, extra_path=None):
    """The outline of a shirt or coat: sleeve short, long or none."""
    bottom = length
    if sleeve == "short":
        d = f"M20 8 Q26 12 32 12 Q38 12 44 8 L56 16 L58 32 L48 32 L48 {bottom} Q32 {bottom + 4} 16 {bottom} V32 L6 32 L8 16 Z"
    elif sleeve == "long":
        d = (f"M20 8 Q26 12 32 12 Q38 12 44 8 L54 14 L60 44 L52 46 L48 26 L48 {bottom} Q32 {bottom + 4} 16 {bottom} "
             f"V26 L12 46 L4 44 L10 14 Z")
    else:
        d = f"M22 8 Q26 14 32 14 Q38 14 42 8 L48 10 Q46 20 50 26 L48 {bottom} Q32 {bottom + 4} 16 {bottom} L14 26 Q18 20 16 10 Z"
    return d


def neck(y=12):
    return p(f"M26 {y} Q32 {y + 6} 38 {y}", "#3b2c20")


def pattern(pid, body, width=4, height=4):
    return (f'<defs><pattern id="{pid}" width="{width}" height="{height}" patternUnits="userSpaceOnUse">'
            f"{body}</pattern></defs>")


@drawing("armour_padded", "Padded armour: a long-sleeved gambeson quilted in diamonds.", None)
def armour_padded():
    d = torso("long", 56)
    quilt = " ".join(f"M{x} 10 L{x + 40} 60" for x in range(-24, 56, 8)) + " " + \
            " ".join(f"M{x} 10 L{x - 40} 60" for x in range(8, 96, 8))
    return (f'<clipPath id="pc"><path d="{d}"/></clipPath>' + t(d)
            + f'<g clip-path="url(#pc)">{line(quilt, SHADE, 1)}</g>' + t(d, "none") + neck()
            + line("M16 52 Q32 56 48 52", LIGHT, 1.5))


@drawing("armour_studded", "Studded leather: a leather jerkin set close with rivets, over a skirt of strips.", None)
def armour_studded():
    d = torso("short", 44)
    studs = "".join(f'<circle cx="{x}" cy="{y}" r="1.3" fill="{GOLD}" stroke-width="0.8"/>'
                    for y in range(20, 44, 5) for x in range(20, 46, 5))
    strips = "".join(t(f"M{x} 44 H{x + 5} V58 H{x} Z", DARK) for x in range(17, 47, 6))
    return strips + t(d) + studs + neck() + p("M16 40 Q32 44 48 40 V44 Q32 48 16 44 Z", GRIP)


@drawing("armour_hide", "Hide armour: a shaggy vest of thick hides with a fur collar and ragged hem.", None)
def armour_hide():
    d = "M22 10 Q26 14 32 14 Q38 14 42 10 L50 12 Q48 22 52 28 L50 50 L52 56 L46 54 L42 60 L38 55 L32 61 L27 55 L22 60 L18 54 L12 56 L14 50 L12 28 Q16 22 14 12 Z"
    return (t(d) + line("M20 22 Q22 36 20 48 M44 22 Q42 36 44 48", SHADE, 1.5)
            + line("M26 30 L30 34 M36 38 L40 34 M25 44 L29 46", LIGHT, 1.2)
            + p("M14 12 Q20 4 32 10 Q44 4 50 12 Q46 18 42 14 Q38 20 32 16 Q26 20 22 14 Q18 18 14 12 Z", "#d8c8a8"))


@drawing("armour_chainmail", "Chainmail: a knee-length coat of rings with long sleeves and a mail hood.", None)
def armour_chainmail():
    d = "M20 14 L10 18 L4 48 L12 50 L16 30 L14 64 Q32 68 50 64 L48 30 L52 50 L60 48 L54 18 L44 14 Z"
    hood = "M20 16 Q16 -2 32 -4 Q48 -2 44 16 Q38 20 32 20 Q26 20 20 16 Z"
    # Larger rings than the shirt's: the long coat is drawn smaller.
    rings = pattern("cm", f'<circle cx="3" cy="3" r="2.1" fill="none" stroke="{SHADE}" stroke-width="1.1"/>', 6, 6)
    return (rings + t(d) + t(d, "url(#cm)", ' stroke="none"') + t(hood) + t(hood, "url(#cm)", ' stroke="none"')
            + p("M25 4 Q32 0 39 4 Q40 12 32 14 Q24 12 25 4 Z", "#3b2c20")
            + line("M14 64 Q32 68 50 64", LIGHT, 1.5) + p("M14 40 Q32 44 50 40 V44 Q32 48 14 44 Z", GRIP))


@drawing("armour_scale", "Scale mail: a coat of overlapping metal scales with short sleeves and a split skirt.", None)
def armour_scale():
    d = "M20 8 Q26 12 32 12 Q38 12 44 8 L56 16 L58 32 L48 32 L50 62 L34 62 L32 54 L30 62 L14 62 L16 32 L6 32 L8 16 Z"
    scales = pattern("sc", f'<path d="M0 0 Q0 4 2.5 4 Q5 4 5 0" fill="{METAL}" stroke="{SHADE}" stroke-width="0.8"/>', 5, 3.5)
    return (scales + t(d) + t(d, "url(#sc)", ' stroke="none"') + t(d, "none") + neck()
            + p("M16 36 Q32 40 48 36 V40 Q32 44 16 40 Z", GRIP))


@drawing("armour_breastplate", "A breastplate: a single shaped steel shell for the chest, with a raised ridge and buckled straps.", None)
def armour_breastplate():
    d = "M18 10 Q24 16 32 16 Q40 16 46 10 Q50 14 52 14 Q48 22 50 30 Q52 48 44 56 Q32 62 20 56 Q12 48 14 30 Q16 22 12 14 Q14 14 18 10 Z"
    return (t(d) + line("M32 18 V58", SHADE, 1.5) + line("M22 22 Q18 36 24 50", LIGHT, 2)
            + p("M18 10 L22 2 H26 L22 12 Z M46 10 L42 2 H38 L42 12 Z", LEATHER)
            + f'<circle cx="22" cy="14" r="1.6" fill="{GOLD}"/><circle cx="42" cy="14" r="1.6" fill="{GOLD}"/>'
            + p("M12 14 Q8 10 10 6 Q14 10 16 12 Z M52 14 Q56 10 54 6 Q50 10 48 12 Z", DARK))


@drawing("armour_splint", "Splint mail: upright metal strips riveted over mail, with mail showing at the shoulders.", None)
def armour_splint():
    d = torso("short", 58)
    rings = pattern("sp", f'<circle cx="2" cy="2" r="1.4" fill="none" stroke="{SHADE}" stroke-width="0.8"/>')
    strips = "".join(t(f"M{x} 18 H{x + 4} V56 H{x} Z", METAL, ' stroke-width="1"') + line(f"M{x + 1.2} 20 V54", LIGHT, 0.9)
                     for x in range(17, 46, 5))
    arms = "".join(t(f"M{x} 18 L{x + 3} 17 L{x + 5} 30 L{x + 2} 31 Z", METAL, ' stroke-width="1"') for x in (8, 13, 46, 51))
    return rings + t(d, "#7a7a7a") + t(d, "url(#sp)", ' stroke="none"') + strips + arms + neck()


@drawing("armour_banded", "Banded mail: overlapping horizontal bands of steel over the body and arms.", None)
def armour_banded():
    d = torso("short", 58)
    bands = "".join(t(f"M16 {y} Q32 {y + 3} 48 {y} V{y + 6} Q32 {y + 9} 16 {y + 6} Z", METAL, ' stroke-width="1.2"')
                    + line(f"M18 {y + 1.5} Q32 {y + 4.5} 46 {y + 1.5}", LIGHT, 1) for y in range(16, 56, 6))
    arms = "".join(t(f"M{a} {y} L{b} {y - 2} L{b + 1} {y + 4} L{a + 1} {y + 6} Z", METAL, ' stroke-width="1"')
                   for a, b in ((7, 16), (48, 57)) for y in (18, 24))
    return t(d, "#6a6a6a") + bands + arms + neck()


@drawing("armour_full_plate", "Full plate: a whole suit of jointed plates, helm and gauntlets to sabatons.", None)
def armour_full_plate():
    return (t("M24 2 Q24 -8 32 -8 Q40 -8 40 2 V12 H24 Z") + p("M26 2 H38 V5 H26 Z", INK)
            + t("M20 14 Q32 18 44 14 L46 36 Q32 42 18 36 Z") + line("M32 16 V38", SHADE, 1.2)
            + t("M20 14 Q12 12 10 20 L12 24 Q16 18 20 20 Z M44 14 Q52 12 54 20 L52 24 Q48 18 44 20 Z", DARK)
            + t("M11 24 L17 22 L19 38 L13 40 Z M53 24 L47 22 L45 38 L51 40 Z")
            + t("M13 40 H19 V46 H13 Z M45 40 H51 V46 H45 Z", DARK)
            + t("M19 36 Q32 42 45 36 L44 44 Q32 48 20 44 Z", DARK)
            + t("M20 44 H31 V70 H20 Z M33 44 H44 V70 H33 Z") + t("M20 55 H31 V58 H20 Z M33 55 H44 V58 H33 Z", LIGHT)
            + t("M18 70 H31 V74 H18 Z M33 70 H46 V74 H33 Z", DARK) + line("M23 18 Q22 28 24 34", LIGHT, 1.5))


# Shields -----------------------------------------------------------------

@drawing("shield_kite", "A kite shield: a tall steel shield with a round top and a long point, and a painted cross.", None)
def shield_kite():
    d = "M32 2 Q52 2 52 18 Q52 40 32 66 Q12 40 12 18 Q12 2 32 2 Z"
    return (t(d) + p(d, "none", f' stroke="{BRASS}" stroke-width="3"') + p(d, "none", f' stroke="{INK}" stroke-width="1"')
            + f'<path d="M32 5 V60 M15 20 H49" stroke="#2a4a8a" stroke-width="5"/>' + line("M18 10 Q16 28 24 44", LIGHT, 2))


@drawing("shield_round_wooden", "A small wooden shield: a round shield of boards with an iron rim and boss.", None)
def shield_round_wooden():
    return (f'<clipPath id="rw"><circle cx="32" cy="32" r="24"/></clipPath>' + f'<circle class="t" cx="32" cy="32" r="24" fill="{METAL}"/>'
            + f'<g clip-path="url(#rw)">{line("M20 6 V58 M28 6 V58 M36 6 V58 M44 6 V58", SHADE, 1.5)}</g>'
            + f'<circle cx="32" cy="32" r="24" fill="none" stroke="{DARK}" stroke-width="3"/>'
            + f'<circle cx="32" cy="32" r="25.5" fill="none" stroke="{INK}" stroke-width="1.2"/>'
            + f'<circle cx="32" cy="32" r="7" fill="{DARK}"/><path d="M29 29 Q31 27 34 28" fill="none" stroke="{LIGHT}" stroke-width="1.5"/>')


@drawing("shield_oval_wooden", "A large wooden shield: a tall oval of boards with a long spine, a boss and a painted rim.", None)
def shield_oval_wooden():
    return (f'<clipPath id="ow"><ellipse cx="32" cy="32" rx="22" ry="30"/></clipPath>'
            + f'<ellipse class="t" cx="32" cy="32" rx="22" ry="30" fill="{METAL}"/>'
            + f'<g clip-path="url(#ow)">{line("M17 0 V64 M24 0 V64 M40 0 V64 M47 0 V64", SHADE, 1.5)}</g>'
            + f'<ellipse cx="32" cy="32" rx="22" ry="30" fill="none" stroke="#8a2a20" stroke-width="3"/>'
            + f'<ellipse cx="32" cy="32" rx="23.5" ry="31.5" fill="none" stroke="{INK}" stroke-width="1.2"/>'
            + p("M29.5 4 H34.5 V60 H29.5 Z", WOOD_DARK)
            + f'<ellipse cx="32" cy="32" rx="6" ry="8" fill="{DARK}"/><path d="M29.5 28 Q31 26 33.5 27" fill="none" stroke="{LIGHT}" stroke-width="1.5"/>')


# Goods -------------------------------------------------------------------

def strap(d, width=3, colour=LEATHER):
    return (f'<path d="{d}" fill="none" stroke="{INK}" stroke-width="{width + 2}"/>'
            f'<path d="{d}" fill="none" stroke="{colour}" stroke-width="{width}"/>')


def buckle(x, y):
    return f'<rect x="{x - 3}" y="{y - 3}" width="6" height="6" fill="none" stroke="{GOLD}" stroke-width="1.5"/>'


@drawing("backpack", "A backpack: a tall pack with a flap, a side pocket and a bedroll strapped on top.", None)
def backpack():
    return (strap("M20 16 Q14 30 18 50", 3) + t("M16 18 Q16 10 32 10 Q48 10 48 18 V56 Q32 60 16 56 Z")
            + t("M16 18 Q32 12 48 18 V32 Q32 36 16 32 Z", DARK) + t("M22 40 H42 V52 H22 Z", "#7a7a7a")
            + buckle(32, 30) + line("M20 22 V50", LIGHT, 1.5)
            + p("M14 4 H50 Q54 4 54 8 Q54 12 50 12 H14 Q10 12 10 8 Q10 4 14 4 Z", "#8a7a64")
            + f'<path d="M22 4 V12 M42 4 V12" stroke="{GRIP}" stroke-width="2"/>')


@drawing("belt_pouch", "A belt pouch: a small rounded pouch with a flap and a belt loop.", None)
def belt_pouch():
    return (p("M22 6 H42 V16 H22 Z", GRIP) + t("M14 20 H50 V44 Q50 56 32 56 Q14 56 14 44 Z")
            + t("M14 20 H50 V30 Q32 40 14 30 Z", DARK) + f'<circle cx="32" cy="34" r="3" fill="{GOLD}"/>'
            + line("M18 36 Q18 48 26 52", LIGHT, 1.5))


@drawing("saddlebags", "Saddlebags: two buckled bags joined by a broad strap that lies over the horse.", None)
def saddlebags():
    return (t("M14 10 Q32 4 50 10 V18 Q32 12 14 18 Z", DARK)
            + t("M4 18 H26 V50 Q26 56 20 56 H10 Q4 56 4 50 Z") + t("M38 18 H60 V50 Q60 56 54 56 H44 Q38 56 38 50 Z")
            + t("M4 18 H26 V30 Q15 36 4 30 Z", DARK) + t("M38 18 H60 V30 Q49 36 38 30 Z", DARK)
            + buckle(15, 32) + buckle(49, 32))


@drawing("bedroll", "A bedroll: a blanket rolled tight and tied with two straps.", None)
def bedroll():
    return (t("M10 20 H50 V48 H10 Z") + f'<ellipse class="t" cx="50" cy="34" rx="8" ry="14" fill="#9a9a9a"/>'
            + f'<ellipse cx="10" cy="34" rx="8" ry="14" fill="#7a7a7a"/>'
            + line("M50 26 Q46 34 50 42 M50 30 Q48 34 50 38", SHADE, 1.2)
            + line("M14 24 H46", LIGHT, 1.5) + p("M20 19 H25 V49 H20 Z M36 19 H41 V49 H36 Z", LEATHER))


@drawing("blanket", "A blanket: a thick woollen blanket folded in a stack, with a striped border.", None)
def blanket():
    return (t("M8 18 Q32 14 56 18 V50 Q32 54 8 50 Z") + t("M8 30 Q32 26 56 30 V36 Q32 32 8 36 Z", DARK)
            + f'<path d="M12 22 Q32 19 52 22 M12 46 Q32 49 52 46" stroke="{EMBER}" stroke-width="2" fill="none"/>'
            + line("M8 42 Q32 38 56 42", SHADE, 1.2))


@drawing("bullseye_lantern", "A bullseye lantern: a metal drum with a handle and a single round lens that throws a beam.", None)
def bullseye_lantern():
    return (p("M40 18 L62 6 V50 L40 38 Z", GOLD, ' opacity="0.3" stroke="none"')
            + strap("M18 18 Q18 4 28 4 Q38 4 38 18", 2.5, DARK)
            + t("M12 18 H42 V50 H12 Z") + t("M10 14 H44 V20 H10 Z M10 48 H44 V54 H10 Z", DARK)
            + f'<ellipse cx="42" cy="34" rx="5" ry="10" fill="{GOLD}"/><ellipse cx="43" cy="34" rx="2.5" ry="5" fill="#f0dc8c" stroke="none"/>'
            + line("M16 24 V46", LIGHT, 1.5))


@drawing("bell", "A bell: a cast bell on a loop, its clapper hanging below the lip.", None)
def bell():
    return (strap("M26 10 Q32 0 38 10", 3, DARK) + t("M32 8 Q44 8 44 26 Q44 40 54 48 H10 Q20 40 20 26 Q20 8 32 8 Z")
            + t("M8 48 H56 V52 H8 Z", DARK) + line("M25 16 Q22 30 16 44", LIGHT, 2)
            + f'<circle cx="32" cy="56" r="4" fill="{DARK}"/>')


@drawing("crowbar", "A crowbar: an iron bar with a curved claw at one end and a flat chisel at the other.", 45)
def crowbar():
    return (t("M29.5 8 H34.5 V60 H29.5 Z") + t("M29.5 8 Q30 -2 22 -4 Q16 -4 14 2 L18 4 Q20 0 24 2 Q28 4 29.5 12 Z")
            + t("M29.5 60 L30 66 H34 L34.5 60 Z", DARK) + line("M31 10 V58"))


@drawing("spikes", "Iron spikes: a bundle of long forged spikes, each with a ring at its head.", None)
def spikes_bundle():
    out = []
    for i, x in enumerate((18, 26, 34, 42)):
        a = -12 + i * 8
        out.append(f'<g transform="rotate({a} {x} 32)">' + t(f"M{x - 2.5} 14 H{x + 2.5} V48 L{x} 58 L{x - 2.5} 48 Z")
                   + f'<circle class="t" cx="{x}" cy="10" r="4" fill="none" stroke="{METAL}" stroke-width="2"/>'
                   + line(f"M{x - 1} 16 V46") + "</g>")
    return "".join(out)


@drawing("shovel", "A shovel: a broad iron blade on a long wooden handle with a cross grip.", 45)
def shovel():
    return (haft(-6, 40, 5) + p("M24 -10 H40 V-6 H24 Z", WOOD_DARK) + t("M22 38 H42 V58 Q42 66 32 70 Q22 66 22 58 Z")
            + t("M29 36 H35 V42 H29 Z", DARK) + line("M26 44 V60", LIGHT, 1.5))


@drawing("fishhook", "A fishhook: a barbed hook of bright steel on a length of line.", None)
def fishhook():
    return (f'<path d="M36 0 V14" stroke="{PARCHMENT}" stroke-width="1.5"/>'
            + f'<path class="t" d="M36 14 V40 Q36 56 24 56 Q14 56 14 44 L18 42 L18 48" fill="none" stroke="{INK}" stroke-width="6" stroke-linecap="round"/>'
            + f'<path class="t" d="M36 14 V40 Q36 56 24 56 Q14 56 14 44 L18 42 L18 48" fill="none" stroke="{METAL}" stroke-width="3" stroke-linecap="round"/>'
            + f'<circle class="t" cx="36" cy="12" r="3" fill="none" stroke="{METAL}" stroke-width="1.8"/>')


@drawing("lockpicks", "Thieves' tools: picks and a tension wrench laid on an open leather roll.", None)
def lockpicks():
    picks = "".join(t(f"M{x} 14 H{x + 3} V50 H{x} Z", METAL, ' stroke-width="1.2"') +
                    t(f"M{x} 14 L{x - 2 + (i % 2) * 6} 8 L{x + 3} 12 Z", LIGHT, ' stroke-width="1"') for i, x in enumerate((18, 26, 34, 42)))
    return (p("M8 20 H56 V56 H8 Z", LEATHER) + f'<path d="M8 30 H56 M8 44 H56" stroke="{GRIP}" stroke-width="1.5"/>'
            + picks + p("M14 48 H50 V52 H14 Z", GRIP))


@drawing("balance", "A merchant's scale: a balance beam with two hanging pans on an upright post.", None)
def balance():
    cords = "M10 14 L4 40 M10 14 L16 40 M54 14 L48 40 M54 14 L60 40"
    return (t("M30 10 H34 V54 H30 Z") + t("M18 54 H46 V60 H18 Z", DARK) + t("M8 12 H56 V16 H8 Z")
            + f'<circle class="t" cx="32" cy="8" r="3.5" fill="{METAL}"/>'
            + f'<path d="{cords}" stroke="{INK}" stroke-width="1.5" fill="none"/>'
            + t("M2 40 H18 Q16 48 10 48 Q4 48 2 40 Z") + t("M46 40 H62 Q60 48 54 48 Q48 48 46 40 Z"))


@drawing("padlock", "A padlock: a heavy iron lock with a curved shackle and a keyhole.", None)
def padlock():
    return (f'<path class="t" d="M20 30 V20 Q20 6 32 6 Q44 6 44 20 V30" fill="none" stroke="{INK}" stroke-width="9"/>'
            + f'<path class="t" d="M20 30 V20 Q20 6 32 6 Q44 6 44 20 V30" fill="none" stroke="{METAL}" stroke-width="5.5"/>'
            + t("M12 28 H52 V54 Q52 60 46 60 H18 Q12 60 12 54 Z") + line("M16 32 V54", LIGHT, 1.5)
            + f'<circle cx="32" cy="40" r="3.5" fill="{INK}"/><path d="M30.5 42 H33.5 L34 50 H30 Z" fill="{INK}"/>')


@drawing("manacles", "Manacles: two iron cuffs joined by a short chain.", None)
def manacles():
    return (f'<circle class="t" cx="16" cy="40" r="11" fill="none" stroke="{INK}" stroke-width="8"/>'
            + f'<circle class="t" cx="16" cy="40" r="11" fill="none" stroke="{METAL}" stroke-width="5"/>'
            + f'<circle class="t" cx="48" cy="24" r="11" fill="none" stroke="{INK}" stroke-width="8"/>'
            + f'<circle class="t" cx="48" cy="24" r="11" fill="none" stroke="{METAL}" stroke-width="5"/>'
            + links([(25, 34), (32, 30), (39, 28)], 3)
            + t("M24 36 H30 V42 H24 Z M34 22 H40 V28 H34 Z", DARK))


@drawing("quill", "An inkpen: a long feather quill with a cut nib.", 45)
def quill():
    return (t("M32 -6 Q44 4 40 30 L34 50 H30 Q24 20 32 -6 Z") + line("M32 -2 L32 48", SHADE, 1.2)
            + line("M34 6 L38 14 M33 14 L38 22 M30 10 L28 18", "#e8e8e8", 1)
            + p("M30 50 H34 L33 62 L32 66 L31 62 Z", "#3a3a3a"))


@drawing("case", "A case: a capped leather tube for carrying scrolls and maps.", 45)
def case():
    return (t("M25 12 H39 V60 Q32 64 25 60 Z") + t("M23 4 H41 V16 H23 Z", DARK) + t("M24 54 H40 V58 H24 Z", DARK)
            + line("M28 18 V56", LIGHT, 1.5) + strap("M25 20 Q12 36 25 52", 2))


@drawing("chalk", "Chalk: three stubby sticks of chalk.", None)
def chalk():
    return "".join(f'<g transform="rotate({a} 32 32)">' + t(f"M{x} 14 H{x + 8} V50 Q{x + 4} 52 {x} 50 Z")
                   + f'<ellipse class="t" cx="{x + 4}" cy="14" rx="4" ry="2" fill="#b8b8b8"/>' + "</g>"
                   for a, x in ((-20, 18), (0, 28), (20, 38)))


@drawing("rations", "Trail rations: hard biscuit and dried meat wrapped in cloth and tied with string.", None)
def rations():
    return (t("M8 26 L32 14 L56 26 V44 L32 56 L8 44 Z") + t("M8 26 L32 38 L56 26", "none", f' stroke="{SHADE}" stroke-width="1.2"')
            + t("M32 38 V56", "none", f' stroke="{SHADE}" stroke-width="1.2"')
            + f'<path d="M20 20 L44 32 M44 20 L20 32 M20 32 V50 M44 32 V50" stroke="{PARCHMENT}" stroke-width="1.5" fill="none"/>'
            + p("M29 24 Q32 20 35 24 Q32 28 29 24 Z", PARCHMENT, ' stroke-width="1"'))


@drawing("inn_meal", "A meal at an inn: a plate with a joint of meat and bread, beside a tankard.", None)
def inn_meal():
    return (f'<ellipse class="t" cx="26" cy="42" rx="22" ry="12" fill="{METAL}"/>'
            + p("M14 38 Q14 30 24 30 Q32 30 34 36 Q30 44 20 44 Q14 44 14 38 Z", "#8a4a24")
            + p("M32 36 L38 32 L40 34 L34 38 Z", "#ecdfc4") + p("M28 44 Q30 38 38 40 Q40 46 34 48 Q28 48 28 44 Z", "#c8904a")
            + t("M42 10 H58 V36 H42 Z", "#b8b8b8") + strap("M58 16 Q64 22 58 30", 2, DARK)
            + p("M42 8 Q50 4 58 8 V12 H42 Z", "#f0ecd8"))


@drawing("sheaf", "Wheat: a sheaf of ripe grain bound at the middle.", None)
def sheaf():
    out = []
    for a in (-24, -12, 0, 12, 24):
        out.append(f'<g transform="rotate({a} 32 40)">' + f'<path d="M32 40 V8" stroke="{INK}" stroke-width="3"/>'
                   f'<path class="t" d="M32 40 V8" stroke="{METAL}" stroke-width="1.5"/>'
                   + t("M32 2 Q36 8 32 16 Q28 8 32 2 Z", "#a8a8a8", ' stroke-width="1.2"') + "</g>")
        out.append(f'<g transform="rotate({a} 32 40)"><path d="M32 40 V60" stroke="{INK}" stroke-width="3"/>'
                   f'<path class="t" d="M32 40 V60" stroke="{METAL}" stroke-width="1.5"/></g>')
    return "".join(out) + p("M24 36 H40 V42 H24 Z", LEATHER)


@drawing("sunrod", "A sunrod: a gold-tipped iron rod that glows at its end.", 45)
def sunrod():
    return (f'<circle cx="32" cy="6" r="12" fill="#f0dc8c" opacity="0.35" stroke="none"/>'
            + p("M29.5 14 H34.5 V62 H29.5 Z", DARK) + line("M31 18 V60", "#a8a8a8", 1, False)
            + t("M28 2 H36 V14 H28 Z") + f'<circle cx="32" cy="2" r="5" fill="#f8ecb0"/>')


@drawing("grappling_hook", "A grappling hook: four curved iron tines on a shank with a ring for the rope.", None)
def grappling_hook():
    tine = "M32 40 Q18 42 14 30 L10 32 L12 22 L20 28 L17 29 Q20 36 32 34 Z"
    return (t("M29.5 6 H34.5 V42 H29.5 Z") + t(tine) + t(tine, METAL, ' transform="matrix(-1 0 0 1 64 0)"')
            + t("M30 40 Q28 50 32 58 Q36 50 34 40 Z", DARK)
            + f'<circle class="t" cx="32" cy="6" r="4" fill="none" stroke="{METAL}" stroke-width="2.5"/>'
            + strap("M32 2 Q40 -4 48 2", 2, PARCHMENT))


@drawing("caltrops", "Caltrops: small four-pointed irons that always land with a spike up.", None)
def caltrops():
    def one(x, y, r):
        return (t(f"M{x - 3} {y} L{x - r} {y + r * 0.7} L{x + 1} {y + 3} Z", DARK)
                + t(f"M{x + 3} {y} L{x + r} {y + r * 0.7} L{x - 1} {y + 3} Z", DARK)
                + t(f"M{x - 3} {y + 1} L{x} {y + r * 0.9} L{x + 3} {y + 1} Z", "#7a7a7a")
                + t(f"M{x - 3.5} {y + 1} L{x} {y - r} L{x + 3.5} {y + 1} Z") + line(f"M{x - 0.8} {y - r + 4} V{y - 1}"))
    return one(20, 22, 14) + one(46, 28, 14) + one(30, 46, 12)


@drawing("firewood", "Firewood: split logs in a bundle tied with cord.", None)
def firewood():
    logs = "".join(t(f"M8 {y} H48 V{y + 10} H8 Z", METAL, ' stroke-width="1.5"') +
                   f'<ellipse class="t" cx="48" cy="{y + 5}" rx="5" ry="5" fill="#b8b8b8" stroke-width="1.5"/>'
                   f'<circle class="t" cx="48" cy="{y + 5}" r="2" fill="none" stroke="{SHADE}" stroke-width="0.8"/>'
                   for y in (36, 24, 12))
    return logs + t("M8 46 H28 V56 H8 Z", METAL, ' stroke-width="1.5"') + p("M18 10 H22 V58 H18 Z M36 10 H40 V48 H36 Z", PARCHMENT, ' stroke-width="1"')


@drawing("claw_hammer", "A hammer: a carpenter's hammer with a round face and a split claw.", 40)
def claw_hammer():
    return (haft(10, 62, 6) + t("M34 4 H46 V18 H34 Z") + t("M45 6 H48 V16 H45 Z", DARK)
            + t("M30 4 Q20 2 14 12 L18 14 Q22 10 30 12 Z M30 12 Q22 14 18 22 L22 22 Q26 18 30 18 Z")
            + t("M29 2 H35 V20 H29 Z") + grip(50, 62, 6))


@drawing("bullets", "Sling bullets: a handful of cast lead bullets spilling from a small bag.", None)
def bullets():
    pellets = "".join(f'<ellipse class="t" cx="{x}" cy="{y}" rx="6" ry="4.5" fill="{METAL}"/>'
                      f'<path class="t" d="M{x - 3} {y - 1.5} Q{x} {y - 3.5} {x + 3} {y - 1.5}" fill="none" stroke="{LIGHT}" stroke-width="1.2"/>'
                      for x, y in ((36, 50), (50, 52), (44, 42), (56, 40)))
    return (p("M8 40 Q6 22 18 14 L16 8 H30 L28 14 Q38 22 34 40 Q30 48 20 48 Q10 48 8 40 Z", LEATHER)
            + f'<path d="M16 14 H30" stroke="{PARCHMENT}" stroke-width="2"/>' + pellets)


@drawing("ladder", "A ladder: two wooden rails joined by rungs.", 20)
def ladder():
    return (p("M18 0 H24 V64 H18 Z M40 0 H46 V64 H40 Z", WOOD, ' class="t"')
            + "".join(p(f"M24 {y} H40 V{y + 4} H24 Z", WOOD_DARK, ' class="t"') for y in range(6, 60, 11)))


@drawing("pot", "An iron pot: a round-bellied cooking pot with a lid and a bail handle.", None)
def pot():
    return (strap("M12 24 Q32 -6 52 24", 2.5, DARK) + t("M10 26 H54 Q56 52 40 56 H24 Q8 52 10 26 Z")
            + t("M8 22 H56 V28 H8 Z", DARK) + t("M16 22 Q32 10 48 22 Z", "#7a7a7a") + p("M29 12 H35 V16 H29 Z", GRIP)
            + line("M16 32 Q16 46 24 52", LIGHT, 2) + t("M18 54 L16 60 H22 L24 56 Z M46 54 L48 60 H42 L40 56 Z", DARK))


@drawing("basket", "A basket: a woven basket with a hooped handle.", None)
def basket():
    weave = " ".join(f"M{x} 30 L{x + 2} 56" for x in range(12, 54, 6))
    return (strap("M14 28 Q32 -4 50 28", 3, "#a07a4a") + t("M8 26 H56 L50 56 H14 Z")
            + f'<path class="t" d="{weave} M9 36 H55 M10 44 H54 M12 50 H52" fill="none" stroke="{SHADE}" stroke-width="1.2"/>'
            + t("M6 24 H58 V30 H6 Z", "#9a9a9a"))


@drawing("flint", "Flint and steel: a C-shaped striker and a knapped flint throwing a spark.", None)
def flint():
    return (t("M8 40 Q8 28 20 28 H40 Q52 28 52 40 Q52 52 40 52 H36 V46 H40 Q46 46 46 40 Q46 34 40 34 H20 Q14 34 14 40 Q14 46 20 46 H24 V52 H20 Q8 52 8 40 Z")
            + p("M30 10 L44 6 L52 16 L42 24 L28 20 Z", "#4a4a52") + p("M34 12 L44 10 L46 16", "none", f' stroke="#8a8a94" stroke-width="1.2"')
            + p("M22 22 L24 16 L26 22 L30 20 L26 24 L28 28 L24 25 L20 28 L22 24 L18 20 Z", "#f0c040", ' stroke-width="1"'))


@drawing("candle", "A candle: a tallow candle in a brass holder with a ring handle, its flame lit.", None)
def candle():
    return (f'<circle cx="32" cy="10" r="9" fill="{GOLD}" opacity="0.3" stroke="none"/>'
            + p("M32 2 Q37 9 34 14 Q32 16 30 14 Q27 9 32 2 Z", "#f0a040") + p("M32 7 Q34 11 32 14 Q30 11 32 7 Z", "#f8ecb0", ' stroke="none"')
            + f'<path d="M32 14 V18" stroke="{INK}" stroke-width="1.5"/>'
            + t("M26 18 H38 V48 H26 Z") + line("M29 22 V44", LIGHT, 1.5) + t("M26 18 Q29 22 30 18", "#9a9a9a", ' stroke-width="1"')
            + p("M12 48 H52 Q52 56 32 56 Q12 56 12 48 Z", BRASS) + strap("M50 50 Q62 48 56 40", 2.5, BRASS))


@drawing("drum", "A drum: a hide drumhead laced over a wooden shell, with two sticks.", None)
def drum():
    lace = " ".join(f"M{x} 22 L{x + 6} 50" for x in range(12, 50, 8))
    return (p("M8 20 V46 Q32 60 56 46 V20 Z", WOOD) + f'<path d="{lace}" stroke="{PARCHMENT}" stroke-width="1.2"/>'
            + f'<ellipse class="t" cx="32" cy="20" rx="24" ry="8" fill="{METAL}"/>'
            + line("M16 18 Q24 14 36 14", LIGHT, 1.5)
            + f'<path d="M20 10 L40 2 M30 14 L54 4" stroke="{INK}" stroke-width="4" stroke-linecap="round"/>'
            + f'<path d="M20 10 L40 2 M30 14 L54 4" stroke="#c8a070" stroke-width="2" stroke-linecap="round"/>')


@drawing("flute", "A flute: a long wooden pipe with a row of finger holes and bound ends.", 45)
def flute():
    holes = "".join(f'<circle cx="32" cy="{y}" r="1.6" fill="{INK}" stroke="none"/>' for y in range(14, 40, 5))
    return (t("M28.5 -6 H35.5 V70 H28.5 Z") + line("M30 -4 V68", LIGHT, 1.2) + holes
            + p("M28 -8 H36 V-2 H28 Z M28 64 H36 V70 H28 Z", BRASS) + p("M30 2 H34 V5 H30 Z", INK))


@drawing("harp", "A harp: a curved frame with a carved pillar and its strings.", None)
def harp():
    strings = " ".join(f"M{x} {56 - (x - 14) * 0.2:.0f} L{x} {14 + (x - 14) * 0.55:.0f}" for x in range(18, 46, 5))
    return (f'<path d="{strings}" stroke="{PARCHMENT}" stroke-width="1"/>'
            + t("M10 58 L14 8 Q16 2 22 6 Q34 12 50 16 Q56 18 54 26 Q48 28 44 24 Q30 18 20 16 L18 58 Z")
            + t("M10 56 H48 V62 H10 Z", "#7a7a7a") + line("M13 52 L16 10", LIGHT, 1.5))


@drawing("bagpipes", "Bagpipes: a cloth-covered bag with a blowpipe, a chanter and three drones.", None)
def bagpipes():
    drones = "".join(p(f"M{x} {y} L{x + 18} {y - 28} L{x + 22} {y - 26} L{x + 4} {y + 2} Z", WOOD_DARK)
                     + p(f"M{x + 16} {y - 31} L{x + 24} {y - 27} L{x + 23} {y - 24} L{x + 15} {y - 28} Z", BRASS, ' stroke-width="1"')
                     for x, y in ((22, 26), (30, 28), (38, 32)))
    return (drones + t("M10 34 Q8 18 26 18 Q44 18 48 32 Q50 48 34 52 Q14 56 10 34 Z") + line("M14 32 Q16 24 24 22", LIGHT, 2)
            + p("M14 46 L8 62 L12 63 L18 48 Z", WOOD_DARK) + p("M20 20 L12 8 L15 6 L23 18 Z", WOOD_DARK))


@drawing("hourglass", "An hourglass: two glass bulbs in a wooden frame, the sand running down.", None)
def hourglass():
    return (p("M20 12 H44 Q44 26 34 32 Q44 38 44 52 H20 Q20 38 30 32 Q20 26 20 12 Z", "#b8d4e8", ' opacity="0.85"')
            + t("M24 44 Q32 38 40 44 V50 H24 Z") + t("M25 16 H39 Q38 22 32 26 Q26 22 25 16 Z")
            + f'<path d="M32 26 V44" stroke="{METAL}" stroke-width="1.2" class="t"/>'
            + p("M12 6 H52 V12 H12 Z M12 52 H52 V58 H12 Z", WOOD)
            + p("M14 12 H18 V52 H14 Z M46 12 H50 V52 H46 Z", WOOD_DARK))


@drawing("whistle", "A signal whistle: a small metal whistle on a cord loop.", None)
def whistle():
    return (strap("M14 30 Q4 12 22 8 Q32 8 30 20", 1.5, PARCHMENT)
            + t("M26 22 H50 Q58 22 58 32 Q58 44 46 44 Q36 44 36 36 H26 Z") + t("M20 22 H27 V36 H20 Z", DARK)
            + p("M36 24 L42 24 L40 30 Z", INK) + line("M28 25 H48", LIGHT, 1.5)
            + f'<circle cx="48" cy="34" r="4" fill="{INK}" stroke="none" opacity="0.5"/>')


@drawing("spyglass", "A spyglass: a brass telescope of three drawn tubes with a lens at its wide end.", 45)
def spyglass():
    return (t("M27 -4 H37 V22 H27 Z") + t("M28.5 22 H35.5 V44 H28.5 Z") + t("M30 44 H34 V64 H30 Z")
            + t("M26 -6 H38 V0 H26 Z M27.5 20 H36.5 V24 H27.5 Z M29 42 H35 V46 H29 Z", DARK)
            + f'<ellipse cx="32" cy="-6" rx="6" ry="2" fill="#b8d4e8"/>' + line("M29.5 2 V18 M30.5 26 V40", LIGHT, 1.5))


@drawing("tindertwig", "Tindertwigs: thin sticks with red-dipped heads, one struck and flaring.", None)
def tindertwig():
    twig = "".join(f'<g transform="rotate({a} 32 60)">' + t("M30.5 16 H33.5 V60 H30.5 Z") + p("M29 10 Q32 6 35 10 V17 H29 Z", EMBER) + "</g>"
                   for a in (-24, -8))
    return (twig + f'<g transform="rotate(14 32 60)">{t("M30.5 16 H33.5 V60 H30.5 Z")}'
            + p("M32 0 Q40 8 35 16 H29 Q24 8 32 0 Z", "#f0a040") + p("M32 6 Q35 11 33 15 H31 Q29 11 32 6 Z", "#f8ecb0", ' stroke="none"') + "</g>")


@drawing("water_clock", "A water clock: an upper bowl dripping into a marked glass cylinder on a stand.", None)
def water_clock():
    marks = " ".join(f"M26 {y} H32" for y in range(34, 58, 5))
    return (t("M12 4 H52 Q50 16 32 18 Q14 16 12 4 Z", "#7a7a7a") + f'<path d="M32 18 V26" stroke="#6fa0c8" stroke-width="2"/>'
            + p("M20 26 H44 V58 H20 Z", "#b8d4e8", ' opacity="0.8"') + t("M21 42 H43 V57 H21 Z")
            + f'<path d="{marks}" stroke="{INK}" stroke-width="1.2"/>' + p("M14 58 H50 V62 H14 Z", WOOD))


@drawing("smokestick", "A smokestick: a treated wooden stick pouring out thick grey smoke.", 45)
def smokestick():
    return (t("M29 20 H35 V62 H29 Z") + line("M31 24 V58", LIGHT, 1.2) + p("M28 14 H36 V22 H28 Z", "#3a3a3a")
            + "".join(f'<circle cx="{x}" cy="{y}" r="{r}" fill="#9a968e" stroke-width="1.2"/>' for x, y, r in
                      ((32, 8, 6), (26, 0, 5), (38, -2, 6), (30, -10, 7), (40, -14, 5))))


@drawing("pulley", "A block and tackle: two pulley blocks with hooks, rope running between them.", None)
def pulley():
    def block(y):
        return (t(f"M22 {y} H42 V{y + 18} Q32 {y + 22} 22 {y + 18} Z", METAL) + f'<circle cx="32" cy="{y + 9}" r="5" fill="{DARK}"/>'
                + f'<circle cx="32" cy="{y + 9}" r="1.8" fill="{LIGHT}"/>')
    return (f'<path d="M27 12 V46 M37 12 V46 M30 30 V52" stroke="{INK}" stroke-width="3.4"/>'
            + f'<path d="M27 12 V46 M37 12 V46 M30 30 V52" stroke="{PARCHMENT}" stroke-width="1.8"/>'
            + f'<path d="M32 4 Q40 -2 40 6" fill="none" stroke="{INK}" stroke-width="3.5"/>' + block(4) + block(34)
            + f'<path d="M32 56 V62 Q32 66 28 64" fill="none" stroke="{INK}" stroke-width="3.5"/>'
            + f'<path d="M32 56 V62 Q32 66 28 64" fill="none" stroke="{DARK}" stroke-width="1.8"/>')


@drawing("bucket", "A bucket: a tapered wooden pail bound with two hoops, with a rope handle.", None)
def bucket():
    staves = " ".join(f"M{x} 22 L{x + (x - 32) * 0.2:.1f} 56" for x in range(18, 48, 6))
    return (strap("M14 22 Q32 2 50 22", 2, PARCHMENT) + t("M12 20 H52 L46 58 H18 Z")
            + f'<path class="t" d="{staves}" stroke="{SHADE}" stroke-width="1.2"/>'
            + p("M13 26 H51 L50.5 30 H13.5 Z M16 48 H48 L47.5 52 H16.5 Z", DARK)
            + f'<ellipse cx="32" cy="20" rx="20" ry="4" fill="#3b2c20"/>')


@drawing("waterskin", "A waterskin: a bulging hide bottle with a wooden stopper and a carrying cord.", None)
def waterskin():
    return (strap("M24 14 Q6 20 12 44", 2, PARCHMENT)
            + t("M24 14 Q14 26 14 40 Q14 58 34 58 Q54 58 52 36 Q50 22 38 18 L36 12 H26 Z")
            + line("M20 34 Q20 48 28 54", LIGHT, 2) + line("M30 22 Q40 30 46 44", SHADE, 1.2)
            + p("M25 4 H37 V12 H25 Z", WOOD) + p("M23 11 H39 V15 H23 Z", GRIP))


@drawing("magnifier", "A magnifying glass: a thick lens in a brass ring on a turned wooden handle.", 45)
def magnifier():
    return (p("M29 40 H35 V66 Q32 68 29 66 Z", WOOD) + p("M28.5 36 H35.5 V42 H28.5 Z", BRASS)
            + f'<circle cx="32" cy="18" r="17" fill="{BRASS}"/>'
            + f'<circle class="t" cx="32" cy="18" r="13" fill="{METAL}"/>'
            + line("M24 12 Q27 7 33 6", "#f0f0f0", 2.5) + line("M36 28 Q40 26 42 22", "#e8e8e8", 1.2))


@drawing("alembic", "An alchemist's lab: an alembic over a burner, its long beak dripping into a flask.", None)
def alembic():
    return (p("M26 52 L30 60 H16 L20 52 Z", DARK) + p("M20 46 Q23 40 22 36 Q25 40 26 46 Z", "#f0a040")
            + t("M10 34 Q10 18 26 18 Q40 18 40 34 Q40 42 26 44 Q10 42 10 34 Z") + t("M20 8 H32 V18 H20 Z")
            + t("M32 10 L56 30 L54 33 L32 16 Z", "#9a9a9a") + line("M16 28 Q18 22 24 21", "#e8e8e8", 2)
            + t("M46 44 Q46 36 52 34 Q58 36 58 44 Q58 56 52 56 Q46 56 46 44 Z", "#a8a8a8")
            + f'<path d="M55 34 V38" stroke="#6fa0c8" stroke-width="1.5"/>')


@drawing("bridle", "A bit and bridle: leather head straps with a steel bit and rings, and the reins.", None)
def bridle():
    return (strap("M18 8 Q32 2 46 8 L44 40 M20 8 L22 40 M20 20 Q32 16 44 20", 3, LEATHER)
            + strap("M22 44 Q20 58 32 60 Q44 58 42 44", 2.5, LEATHER)
            + f'<path class="t" d="M20 42 H44" stroke="{INK}" stroke-width="4.5"/><path class="t" d="M20 42 H44" stroke="{METAL}" stroke-width="2.5"/>'
            + f'<circle class="t" cx="20" cy="42" r="4" fill="none" stroke="{METAL}" stroke-width="2.5"/>'
            + f'<circle class="t" cx="44" cy="42" r="4" fill="none" stroke="{METAL}" stroke-width="2.5"/>'
            + buckle(32, 19))


@drawing("stable", "Stabling: a timber stable with a pitched roof and a half door, hay in the loft.", None)
def stable():
    return (t("M4 28 L32 6 L60 28 Z", "#6a6a6a") + t("M10 26 H54 V58 H10 Z")
            + f'<path class="t" d="M10 34 H54 M10 42 H54 M10 50 H54" stroke="{SHADE}" stroke-width="1"/>'
            + p("M24 34 H40 V58 H24 Z", WOOD_DARK) + f'<path d="M24 34 L40 46 M40 34 L24 46 M24 46 H40" stroke="{INK}" stroke-width="1.5"/>'
            + p("M27 16 H37 V24 H27 Z", "#d8b850"))


@drawing("cloth_bolt", "Linen: a bolt of cloth on its board, a length unrolled.", None)
def cloth_bolt():
    return (t("M6 44 L40 58 Q48 58 50 50 L56 28 L22 14 Z", "#9a9a9a") + t("M12 20 Q8 20 6 26 L6 44 L22 20 Z", "#7a7a7a")
            + t("M22 14 Q14 14 12 20 L6 44 Q16 44 22 20 Z")
            + line("M20 24 L50 36 M16 32 L46 46 M12 40 L40 52", SHADE, 1) + line("M24 17 L54 29", LIGHT, 1.5))


@drawing("rowboat", "A rowboat: an open wooden boat with a pair of oars, on the water.", None)
def rowboat():
    return (f'<path d="M4 54 Q12 50 20 54 Q28 58 36 54 Q44 50 52 54 Q58 57 62 54" fill="none" stroke="#6fa0c8" stroke-width="2.5"/>'
            + f'<path d="M8 20 L46 50 M56 20 L18 50" stroke="{INK}" stroke-width="4"/>'
            + f'<path d="M8 20 L46 50 M56 20 L18 50" stroke="{WOOD_DARK}" stroke-width="2"/>'
            + t("M4 32 H60 Q56 48 46 50 H18 Q8 48 4 32 Z") + t("M4 32 H60 V36 H4 Z", "#9a9a9a")
            + f'<path class="t" d="M8 42 H56" stroke="{SHADE}" stroke-width="1.2"/>'
            + p("M4 16 L10 22 L6 26 L1 20 Z M60 16 L54 22 L58 26 L63 20 Z", WOOD_DARK))


def write(name):
    comment, function, rotate = DRAWINGS[name]
    body = function()
    inner = (f'<g transform="rotate({rotate} 32 32)" stroke="{INK}" stroke-width="1.8" stroke-linejoin="round">'
             if rotate else f'<g stroke="{INK}" stroke-width="1.8" stroke-linejoin="round">') + body + "</g>"
    x0, y0, x1, y1 = measure(inner)
    scale = 50.0 / max(x1 - x0, y1 - y0)
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    svg = ('<?xml version="1.0" encoding="UTF-8"?>\n'
           f"<!-- {comment} Written by kinds.py. -->\n"
           '<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">\n'
           f'<g transform="translate(32 32) scale({scale:.3f}) translate({-cx:.2f} {-cy:.2f})">\n'
           f"{inner}\n</g>\n</svg>\n")
    with open(os.path.join(HERE, name + ".svg"), "w") as out:
        out.write(svg)


def measure(inner):
    """The drawing's outline in its own units: rendered 4 px a unit on a
    canvas from -80 to 144, the covered pixels found."""
    span, origin, density = 224, -80, 4
    svg = (f'<svg xmlns="http://www.w3.org/2000/svg" width="{span * density}" height="{span * density}" '
           f'viewBox="{origin} {origin} {span} {span}">{inner}</svg>')
    with tempfile.TemporaryDirectory() as folder:
        source, png = os.path.join(folder, "d.svg"), os.path.join(folder, "d.png")
        with open(source, "w") as out:
            out.write(svg)
        subprocess.run(["rsvg-convert", "-o", png, source], check=True)
        width, height, pixels = read_png(png)
    xs, ys = [], []
    for y in range(height):
        row = pixels[y * width * 4:(y + 1) * width * 4]
        covered = [x for x in range(width) if row[x * 4 + 3] > 40]
        if covered:
            ys.append(y)
            xs += (covered[0], covered[-1])
    return (min(xs) / density + origin, min(ys) / density + origin,
            (max(xs) + 1) / density + origin, (max(ys) + 1) / density + origin)


def read_png(path):
    data = open(path, "rb").read()
    at, chunks, width, height = 8, b"", 0, 0
    while at < len(data):
        size, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + size]
        at += 12 + size
        if kind == b"IHDR":
            width, height = struct.unpack(">II", body[:8])
        elif kind == b"IDAT":
            chunks += body
    raw, stride, out, previous, at = zlib.decompress(chunks), width * 4, bytearray(), bytearray(width * 4), 0
    for _ in range(height):
        kind, row = raw[at], bytearray(raw[at + 1:at + 1 + stride])
        at += 1 + stride
        for x in range(stride):
            a = row[x - 4] if x >= 4 else 0
            b, c = previous[x], previous[x - 4] if x >= 4 else 0
            if kind == 1:
                row[x] = (row[x] + a) & 255
            elif kind == 2:
                row[x] = (row[x] + b) & 255
            elif kind == 3:
                row[x] = (row[x] + ((a + b) >> 1)) & 255
            elif kind == 4:
                pa, pb, pc = abs(b - c), abs(a - c), abs(a + b - 2 * c)
                row[x] = (row[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        out += row
        previous = row
    return width, height, out


if __name__ == "__main__":
    for name in sys.argv[1:] or sorted(DRAWINGS):
        write(name)
