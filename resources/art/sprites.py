"""Masked pictures: legion icons, animation frames, markers, and the small opaque pieces of
the screen (coins, legend title, banner, buttons, portrait, application icons)."""

import math

import figures
from svg import (BRONZE, DEEP_RED, GOLD, GOLD_DARK, INK, PARCHMENT, PARCHMENT_DARK, ROMAN_RED,
                 SERIF, STEEL, STEEL_DARK, WOOD, circle, defs, document, ellipse, group, line,
                 linear, path, poly, radial, rect, text, laurel)


def _place(figure, x, y, size=1.0, mirror=False):
    sx = -size if mirror else size
    return group(figure, transform=f"translate({x:.2f},{y:.2f}) scale({sx:.3f},{size:.3f})")


def icon(kind, width, height, mirror, size, colour_blind=False):
    fig = figures.standing(kind, colour_blind)
    shift = -3 if not mirror else 3  # the shield side needs the room
    return document(width, height, _place(fig, width / 2 + shift, height - 2, size, mirror))


# The legion icons of the map and the legend, each facing the way it marches.
def roman_legion(w, h):
    return icon("roman", w, h, False, 0.9)


def barbarian_legion(w, h):
    return icon("barbarian", w, h, True, 0.98)


def sassanid_legion(w, h):
    return icon("persian", w, h, True, 0.9)


def rebel_legion(w, h):
    return icon("rebel", w, h, False, 0.9)


def roman_legion_colour_blind(w, h):
    return icon("roman", w, h, False, 0.9, True)


def barbarian_legion_colour_blind(w, h):
    return icon("barbarian", w, h, True, 0.98, True)


def sassanid_legion_colour_blind(w, h):
    return icon("persian", w, h, True, 0.9, True)


def rebel_legion_colour_blind(w, h):
    return icon("rebel", w, h, False, 0.9, True)


# Animation frames: each draws frame i of n.
def roman_march(i, n, w, h):
    body = ""
    for k, x in enumerate((14, 39, 64)):
        body += _place(figures.marching("roman", i / n + k / 3), x, h - 3, 0.9)
    return body


def barbarian_march(i, n, w, h):
    body = ""
    for k, x in enumerate((19, 43)):
        body += _place(figures.marching("barbarian", i / n + k * 0.5), w - x, h - 3, 0.95, True)
    return body


def persian_march(i, n, w, h):
    return _place(figures.marching("persian", i / n), w / 2, h - 3, 0.9, True)


def _fall(kind, mirror, size):
    # The soldier falls backwards: his feet move towards the side he faces so that, lying
    # down, he still fits the frame.
    def build(i, n, w, h):
        t = (i + 1) / n
        reach = min(w / 2 - 4, 26 * size) * t
        x = w / 2 + (reach if not mirror else -reach)
        return _place(figures.falling(kind, t), x, h - 3, size, mirror)
    return build


roman_fall = _fall("roman", False, 1.0)
rebel_fall = _fall("rebel", False, 0.8)
persian_fall = _fall("persian", True, 0.8)
barbarian_fall = _fall("barbarian", True, 0.85)


def swords(w, h):
    def gladius(angle):
        blade = (poly([(-1.6, -9), (0, -11.5), (1.6, -9), (1.4, 4), (-1.4, 4)], STEEL,
                      stroke=INK, stroke_width=0.7) +
                 line(0, -9, 0, 3.5, STEEL_DARK, 0.6) +
                 rect(-4, 4, 8, 1.8, GOLD, stroke=INK, stroke_width=0.5) +
                 rect(-1, 5.8, 2, 3.6, WOOD, stroke=INK, stroke_width=0.4) +
                 circle(0, 10.2, 1.6, GOLD, stroke=INK, stroke_width=0.4))
        return group(blade, transform=f"translate({w / 2},{h / 2}) rotate({angle})")
    return document(w, h, gladius(-42) + gladius(42))


def coin(w, h, full):
    if full:
        body = (circle(10, 10, 9.2, GOLD, stroke=GOLD_DARK, stroke_width=1.2) +
                circle(10, 10, 7, "none", stroke="#f2cf6a", stroke_width=0.8) +
                # A laureate head in profile.
                path("M8,5.2 q3.5,-1 4.2,2.4 q0.3,1.2 1.4,2 l-1.2,0.6 q0.4,1.6 -0.8,2.2 "
                     "l0.2,1.6 q-2,1.2 -4.4,0.2 q1,-2 -0.6,-3.4 q-1.2,-3.6 1.2,-5.6 z",
                     GOLD_DARK) +
                path("M7.6,6.4 q2,-1.6 4,-0.6", "none", stroke="#6d8a3a", stroke_width=1.1))
    else:
        body = (circle(10, 10, 9.2, "#3a3430", stroke="#8d8478", stroke_width=1.2) +
                circle(10, 10, 6.6, "none", stroke="#5a524a", stroke_width=0.8,
                       stroke_dasharray="1.5,1.5"))
    return document(w, h, body, background="#000000")


def full_coin(w, h):
    return coin(w, h, True)


def empty_coin(w, h):
    return coin(w, h, False)


def legend(w, h):
    body = (defs(linear("lg", [(0, "#4a1410"), (1, "#2a0a08")])) +
            rect(1, 1, 160, 55, "url(#lg)", stroke=GOLD, stroke_width=2, rx=3) +
            rect(5, 5, 152, 47, "none", stroke=GOLD_DARK, stroke_width=1, rx=2) +
            # Two gold points, clear of the word the game letters between them.
            path("M8,28 l8,-4 l0,8 z M154,28 l-8,-4 l0,8 z", GOLD))
    return document(w, h, body, background="#000000")


def banner(w, h):
    body = (defs(linear("bn", [(0, "#8e2320"), (0.5, "#b5302a"), (1, "#6e1814")])) +
            rect(0, 0, 254, 38, "url(#bn)") +
            rect(2, 2, 250, 34, "none", stroke=GOLD, stroke_width=2) +
            rect(6, 6, 242, 26, "none", stroke=GOLD_DARK, stroke_width=1))
    return document(w, h, body, background="#000000")


def button(w, h, stop):
    body = (defs(radial("bt", [(0, "#f6d27a"), (0.7, BRONZE), (1, "#6b4a1c")])) +
            circle(12.5, 12.5, 11.8, "url(#bt)", stroke=INK, stroke_width=1.2))
    if stop:
        body += rect(8, 8, 9, 9, DEEP_RED, stroke=INK, stroke_width=0.8)
    else:
        body += poly([(9.5, 7), (18.5, 12.5), (9.5, 18)], "#2f5a2a", stroke=INK,
                     stroke_width=0.8)
    return document(w, h, body, background=PARCHMENT)


def play_button(w, h):
    return button(w, h, False)


def stop_button(w, h):
    return button(w, h, True)


def portrait(w, h):
    """The Praetorian Prefect: a grizzled officer in a red cloak before a painted wall."""
    body = (defs(linear("pw", [(0, "#c9a46a"), (1, "#8e6a3a")])) +
            rect(0, 0, 68, 78, "url(#pw)") +
            rect(0, 56, 68, 22, "#6d4a2a") +
            # Cloak and cuirass.
            path("M4,78 Q8,56 22,52 L46,52 Q60,56 64,78 z", ROMAN_RED, stroke=INK,
                 stroke_width=1) +
            path("M18,78 L20,56 Q34,62 48,56 L50,78 z", "#c9c2b2", stroke=INK,
                 stroke_width=1) +
            path("M22,62 q12,5 24,0 M23,68 q11,5 22,0", "none", stroke="#8a8272",
                 stroke_width=1) +
            circle(21, 56, 2.6, GOLD, stroke=INK, stroke_width=0.6) +
            # Neck and head.
            rect(29, 42, 10, 12, "#d9a57c") +
            ellipse(34, 30, 13, 16, "#e0b08a", stroke=INK, stroke_width=1) +
            # Grey hair and beard.
            path("M21,27 Q22,12 35,13 Q47,13 47,27 Q44,19 35,19 Q25,19 21,27 z", "#8c8a86",
                 stroke=INK, stroke_width=0.8) +
            path("M22,33 Q23,47 34,47 Q45,47 46,33 Q43,40 40,39 Q34,42 28,39 Q25,40 22,33 z",
                 "#8c8a86", stroke=INK, stroke_width=0.8) +
            # Eyes, brows, nose, mouth.
            ellipse(29, 29, 1.6, 1.1, INK) + ellipse(39, 29, 1.6, 1.1, INK) +
            path("M26,26 l5,-1 M37,25 l5,1", "none", stroke="#4a4440", stroke_width=1.3) +
            path("M34,30 l-1.8,6 l3,0.5", "none", stroke="#9c6a48", stroke_width=1) +
            path("M30,40 q4,1.5 8,0", "none", stroke="#5a2a20", stroke_width=1.1))
    return document(w, h, body)


def app_icon(w, h):
    s = w / 32
    body = (defs(linear("ai", [(0, "#d03a32"), (1, "#7d1c18")])) +
            group(rect(5, 1.5, 22, 29, "url(#ai)", rx=4, stroke=INK, stroke_width=1.4) +
                  rect(7.5, 4, 17, 24, "none", rx=2.5, stroke=GOLD, stroke_width=1.6) +
                  circle(16, 16, 3.4, GOLD, stroke=INK, stroke_width=0.8) +
                  path("M9,12 q7,4 14,0 M9,20 q7,-4 14,0", "none", stroke=GOLD,
                       stroke_width=1.6),
                  transform=f"scale({s})"))
    return document(w, h, body)


def parchment(w, h):
    """The report scroll beside the map: wooden rollers and a parchment sheet with a ragged
    edge; outside it the panel is transparent."""
    sheet = ("M14,38 "
             + " ".join(f"L{14 + 3 * math.sin(y * 0.11) + 2 * math.sin(y * 0.37):.1f},{y}"
                        for y in range(44, 628, 8))
             + " L16,628 L341,628 "
             + " ".join(f"L{341 + 3 * math.sin(y * 0.13 + 1) + 2 * math.sin(y * 0.29):.1f},{y}"
                        for y in range(620, 40, -8))
             + " L341,38 z")
    body = (defs(radial("pg", [(0, "#f6ead0"), (0.75, "#ecd9ae"), (1, "#d4b47a")]),
                 linear("rl", [(0, "#5a3418"), (0.45, "#a8743e"), (1, "#4a2a12")])) +
            path(sheet, "url(#pg)", stroke="#9c7a44", stroke_width=2))
    for y in (8, 626):
        body += (rect(8, y, 339, 30, "url(#rl)", rx=12, stroke=INK, stroke_width=1.4) +
                 ellipse(6, y + 15, 6, 13, GOLD, stroke=INK, stroke_width=1.2) +
                 ellipse(349, y + 15, 6, 13, GOLD, stroke=INK, stroke_width=1.2))
    # A small eagle-and-laurel head piece above the year line.
    body += (line(110, 72, 160, 72, "#b08a4e", 1.2) + line(194, 72, 244, 72, "#b08a4e", 1.2) +
             text(177, 77, "SPQR", 13, fill=DEEP_RED, anchor="middle", weight="bold",
                  spacing=2))
    return document(w, h, body)
