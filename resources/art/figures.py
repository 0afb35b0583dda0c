"""The soldiers of the map: legionaries, Germanic warriors and Persians, standing, marching
and falling. Every figure is drawn facing right with its feet at the origin; callers place,
scale and mirror it."""

import math

from svg import (BRONZE, DEEP_RED, GOLD, GOLD_DARK, INK, MAGENTA, PURPLE, ROMAN_RED, SKIN,
                 SKIN_DARK, STEEL, STEEL_DARK, WOOD, circle, ellipse, group, line, path, poly,
                 rect)

OUTLINE = INK


def _point(x, y, angle, length):
    """Angle in degrees from straight down, positive towards the front (+x)."""
    a = math.radians(angle)
    return x + length * math.sin(a), y + length * math.cos(a)


def _limb(x, y, a1, l1, a2, l2, width, colour):
    kx, ky = _point(x, y, a1, l1)
    ex, ey = _point(kx, ky, a2, l2)
    d = f"M{x:.2f},{y:.2f} L{kx:.2f},{ky:.2f} L{ex:.2f},{ey:.2f}"
    body = (path(d, "none", stroke=OUTLINE, stroke_width=width + 2, stroke_linecap="round",
                 stroke_linejoin="round") +
            path(d, "none", stroke=colour, stroke_width=width, stroke_linecap="round",
                 stroke_linejoin="round"))
    return body, (kx, ky), (ex, ey)


# The colour-blind map's colour of each power, the colour its land takes there (the game's
# src/ui/MapColours.cpp recolours the map to the same): the legions wear it on tunic and shield.
COLOUR_BLIND = {"roman": "#dc5032", "barbarian": "#f0c828", "persian": "#836c7d",
                "rebel": "#f6f2e8"}


class Style:
    def __init__(self, kind, colour_blind=False):
        self.kind = kind
        self._dress(kind)
        if colour_blind:
            # Dressed in it from shoulder to foot, so that it is what the eye sees of the
            # figure; outlines and trims in ink keep the shapes apart.
            own = COLOUR_BLIND[kind]
            self.tunic = own
            self.shield = own
            self.crest = own
            if self.armour is not None:
                self.armour = own
                self.armour_dark = "#8e8a80" if kind == "rebel" else "#2e1c14"
            self.leg = own
            if self.trousers is not None:
                self.trousers = own
            self.shield_trim = "#2e1c14"

    def _dress(self, kind):
        if kind in ("roman", "rebel"):
            red = ROMAN_RED if kind == "roman" else "#d0201c"
            self.tunic = red
            self.armour = STEEL if kind == "roman" else "#e0605a"
            self.armour_dark = STEEL_DARK if kind == "roman" else "#8e1410"
            self.helmet = STEEL if kind == "roman" else "#e66a60"
            self.crest = red if kind == "roman" else "#7a0c0a"
            self.shield = red if kind == "roman" else "#a0120e"
            self.shield_trim = GOLD if kind == "roman" else "#f08070"
            self.leg = SKIN if kind == "roman" else "#e89080"
            self.skin = SKIN if kind == "roman" else "#e89080"
            self.trousers = None
        elif kind == "barbarian":
            self.tunic = "#4f7a3a"
            self.armour = None
            self.helmet = None
            self.hair = "#d8b048"
            self.shield = "#c89a48"
            self.shield_trim = "#6b4424"
            self.leg = "#7a5a3a"
            self.skin = SKIN
            self.trousers = "#8a6a44"
        else:  # persian
            self.tunic = MAGENTA
            self.armour = "#c9b07a"
            self.armour_dark = "#8a7440"
            self.helmet = "#a8acb0"
            self.shield = "#c8a04a"
            self.shield_trim = PURPLE
            self.leg = "#5a2a5a"
            self.skin = "#d7a479"
            self.trousers = "#5a2a5a"


def soldier(kind, legs=(8, 0, -8, 0), arms=(25, 60, 10, 40), bob=0.0, tilt=0.0,
            shield_drop=0.0, weapon=True, shield=True, colour_blind=False):
    """legs: (near hip, near knee, far hip, far knee) angles; arms: (near shoulder, near
    elbow, far shoulder, far elbow). Angles are degrees from straight down, forwards positive.
    tilt turns the whole body about the feet (negative falls backwards)."""
    st = Style(kind, colour_blind)
    hip_y = -25 + bob
    shoulder_y = -41 + bob
    out = []
    # Far leg and far arm first, so that the near ones overlap them.
    leg_colour = st.trousers or st.leg
    far_leg, _, far_foot = _limb(0, hip_y, legs[2], 12.5, legs[2] + legs[3], 12.5, 5.2, leg_colour)
    out.append(far_leg)
    out.append(ellipse(far_foot[0] + 1.6, far_foot[1] + 0.6, 3.2, 1.6, WOOD, stroke=OUTLINE,
                       stroke_width=0.8))
    far_arm, _, far_hand = _limb(0, shoulder_y + 2, arms[2], 9.5, arms[2] + arms[3], 9, 4.2,
                                 st.skin)
    if weapon:
        hx, hy = far_hand
        if kind in ("roman", "rebel"):
            # The pilum: a long shaft with an iron shank.
            out.append(line(hx - 3, hy + 16, hx + 6, hy - 30, WOOD, 2.2))
            out.append(line(hx + 6, hy - 30, hx + 8.5, hy - 42, STEEL_DARK, 1.4))
        elif kind == "persian":
            out.append(line(hx - 4, hy + 18, hx + 7, hy - 34, WOOD, 2.0))
            out.append(poly([(hx + 7, hy - 34), (hx + 5.2, hy - 40), (hx + 10.5, hy - 41.5),
                             (hx + 8.9, hy - 34)], STEEL, stroke=OUTLINE, stroke_width=0.6))
        else:
            # A bearded axe.
            out.append(line(hx - 2, hy + 8, hx + 4, hy - 16, WOOD, 2.4))
            out.append(path(f"M{hx + 3:.1f},{hy - 18:.1f} q9,-2 9,6 q-4,-1 -8,3 z", STEEL,
                            stroke=OUTLINE, stroke_width=0.8))
    out.append(far_arm)

    # Body: tunic skirt, torso, armour.
    skirt = [(-6.5, hip_y - 2), (6.5, hip_y - 2), (8.5, hip_y + 9), (-8.5, hip_y + 9)]
    out.append(poly(skirt, st.tunic, stroke=OUTLINE, stroke_width=1))
    torso = [(-6, shoulder_y), (6, shoulder_y), (6.8, hip_y), (-6.8, hip_y)]
    out.append(poly(torso, st.armour or st.tunic, stroke=OUTLINE, stroke_width=1))
    if st.armour and kind in ("roman", "rebel"):
        for i in range(1, 4):
            y = shoulder_y + i * (hip_y - shoulder_y) / 4
            out.append(line(-6.3, y, 6.3, y, st.armour_dark, 0.9))
    elif st.armour:
        for row in range(4):
            for col in range(3):
                out.append(circle(-4 + col * 4, shoulder_y + 3 + row * 4, 1.3, st.armour_dark))
    if kind == "barbarian":
        out.append(line(-6.5, hip_y - 1, 6.5, hip_y - 1, "#6b4424", 2))
        for i in range(3):
            out.append(line(-5 + i * 5, shoulder_y + 2, -3 + i * 5, hip_y - 3, "#3b5a2a", 1.2))
    # Head.
    head_y = shoulder_y - 7
    out.append(rect(-1.8, shoulder_y - 3, 3.6, 3.5, st.skin))
    out.append(circle(0.6, head_y, 5.4, st.skin, stroke=OUTLINE, stroke_width=1))
    out.append(circle(3.2, head_y - 0.6, 0.8, INK))
    if kind in ("roman", "rebel"):
        out.append(path(f"M-5.6,{head_y + 1:.1f} A6,6 0 0 1 6.4,{head_y - 1:.1f} "
                        f"L6.6,{head_y - 0.2:.1f} L-5.8,{head_y + 2.6:.1f} z",
                        st.helmet, stroke=OUTLINE, stroke_width=0.9))
        out.append(path(f"M-6.5,{head_y + 1.5:.1f} l-1.5,3.5 l4,-0.6 z", st.helmet,
                        stroke=OUTLINE, stroke_width=0.7))
        out.append(path(f"M-4.5,{head_y - 4:.1f} q4.5,-6 9,-1.2 q-4.5,-2.2 -9,1.2 z",
                        st.crest, stroke=OUTLINE, stroke_width=0.7))
        out.append(line(2.5, head_y + 0.5, 2.2, head_y + 4.6, st.helmet, 1.3))
    elif kind == "barbarian":
        out.append(path(f"M-6,{head_y + 6:.1f} Q-7,{head_y - 6:.1f} 1,{head_y - 5.8:.1f} "
                        f"Q5,{head_y - 5.5:.1f} 5.4,{head_y - 2.5:.1f} L-1,{head_y - 1:.1f} "
                        f"L-2.5,{head_y + 7:.1f} z", st.hair, stroke=OUTLINE, stroke_width=0.8))
        out.append(path(f"M1,{head_y + 2.5:.1f} Q5,{head_y + 2:.1f} 5.6,{head_y + 1:.1f} "
                        f"Q6,{head_y + 7:.1f} 1.5,{head_y + 7.5:.1f} z", st.hair,
                        stroke=OUTLINE, stroke_width=0.7))
    else:
        out.append(path(f"M-5.4,{head_y:.1f} L1.2,{head_y - 11:.1f} L6,{head_y - 0.5:.1f} z",
                        st.helmet, stroke=OUTLINE, stroke_width=0.9))
        out.append(path(f"M-5.6,{head_y - 0.5:.1f} L-6,{head_y + 6:.1f} L-1,{head_y + 6:.1f} "
                        f"L-1,{head_y + 1:.1f} z", STEEL_DARK, stroke=OUTLINE,
                        stroke_width=0.7))
        out.append(path(f"M1.8,{head_y + 2.8:.1f} Q5,{head_y + 3:.1f} 5,{head_y + 1.5:.1f} "
                        f"Q5,{head_y + 6:.1f} 1.8,{head_y + 6:.1f} z", "#2a1a14"))

    # Near leg.
    near_leg, _, near_foot = _limb(0, hip_y, legs[0], 12.5, legs[0] + legs[1], 12.5, 5.4,
                                   leg_colour)
    out.append(near_leg)
    out.append(ellipse(near_foot[0] + 1.6, near_foot[1] + 0.6, 3.3, 1.7, WOOD, stroke=OUTLINE,
                       stroke_width=0.8))
    # Near arm with the shield.
    near_arm, _, near_hand = _limb(0, shoulder_y + 2, arms[0], 9.5, arms[0] + arms[1], 8.5,
                                   4.4, st.skin)
    out.append(near_arm)
    if shield:
        sx, sy = near_hand
        sx += shield_drop * 4
        sy += shield_drop * 20
        rot = shield_drop * 70
        if kind in ("roman", "rebel"):
            s = (rect(-6.5, -13, 13, 26, st.shield, rx=2.5, stroke=OUTLINE, stroke_width=1.1) +
                 rect(-5.2, -11.7, 10.4, 23.4, "none", rx=1.8, stroke=st.shield_trim,
                      stroke_width=1.1) +
                 circle(0, 0, 2.6, st.shield_trim, stroke=OUTLINE, stroke_width=0.6) +
                 path("M-4.5,-7 q4.5,3 9,0 M-4.5,7 q4.5,-3 9,0", "none", stroke=st.shield_trim,
                      stroke_width=1.1))
        elif kind == "persian":
            s = (ellipse(0, 0, 7.5, 10, st.shield, stroke=OUTLINE, stroke_width=1.1) +
                 ellipse(0, 0, 5.5, 8, "none", stroke=st.shield_trim, stroke_width=1.2) +
                 circle(0, 0, 2, st.shield_trim))
        else:
            s = (ellipse(0, 0, 8.5, 10.5, st.shield, stroke=OUTLINE, stroke_width=1.1) +
                 path("M0,-10.5 L0,10.5 M-8.5,0 L8.5,0", "none", stroke=st.shield_trim,
                      stroke_width=1.4) +
                 circle(0, 0, 2.6, STEEL, stroke=OUTLINE, stroke_width=0.6))
        out.append(group(s, transform=f"translate({sx + 3:.2f},{sy - 6:.2f}) rotate({rot:.1f})"))
    body = "".join(out)
    if tilt:
        body = group(body, transform=f"rotate({tilt:.1f})")
    return body


def standing(kind, colour_blind=False):
    return soldier(kind, legs=(9, -2, -7, 2), arms=(35, 55, 18, 50), colour_blind=colour_blind)


def marching(kind, phase):
    """phase in turns (0..1): one full stride."""
    s = math.sin(2 * math.pi * phase)
    c = math.cos(2 * math.pi * phase)
    near_hip = 24 * s
    far_hip = -24 * s
    near_knee = -max(0.0, -c) * 30 - 4
    far_knee = -max(0.0, c) * 30 - 4
    bob = -1.6 * abs(c)
    arms = (30 - 8 * s, 55, 12 + 18 * s, 45)
    return soldier(kind, legs=(near_hip, near_knee, far_hip, far_knee), arms=arms, bob=bob)


def falling(kind, t):
    """t from 0 (hit) to 1 (lying on the ground)."""
    tilt = -88 * (t ** 1.2)
    knees = 35 * math.sin(math.pi * min(1.0, t * 1.3))
    legs = (18 + 10 * t, -knees, 4 + 20 * t, -knees * 0.8)
    arms = (80 + 60 * t, 30, 120 * t - 10, 20)
    body = soldier(kind, legs=legs, arms=arms, tilt=tilt, shield_drop=t, weapon=t < 0.6)
    return group(body, transform=f"translate({-6 * t:.1f},{-3 * math.sin(math.pi * t):.1f})")
