"""The full pictures: the lessons, the introduction, splash, About and Results."""

import math

import figures
from svg import (BRICK, BRONZE, DEEP_RED, EARTH, GOLD, GOLD_DARK, GRASS, INK, MAGENTA,
                 PARCHMENT, PARCHMENT_DARK, PURPLE, ROMAN_RED, SANS, SEA, SERIF, SKIN, SKY,
                 SKY_LOW, STONE, STONE_DARK, WOOD, circle, defs, document, ellipse, group,
                 image, laurel, line, linear, path, poly, radial, rect, star_points, text)

W, H = 600, 400


def _place(fig, x, y, size, mirror=False):
    sx = -size if mirror else size
    return group(fig, transform=f"translate({x:.1f},{y:.1f}) scale({sx:.3f},{size:.3f})")


def sky(top=SKY, bottom=SKY_LOW, ident="sky", height=H):
    return defs(linear(ident, [(0, top), (1, bottom)])) + rect(0, 0, W, height, f"url(#{ident})")


def hills(y, colour, amplitude=18, seed=0.0):
    pts = [(0, H)]
    for i in range(0, 61):
        x = i * 10
        pts.append((x, y - amplitude * (0.6 * math.sin(x * 0.011 + seed) +
                                        0.4 * math.sin(x * 0.027 + 2 * seed))))
    pts.append((W, H))
    return poly(pts, colour)


def caption():
    """The band at the foot of a lesson's picture; the game letters its title and line in the
    player's language."""
    return (rect(0, 346, W, 54, DEEP_RED) +
            rect(0, 346, W, 3, GOLD) +
            rect(0, 352, W, 1, GOLD_DARK))


def column(x, y, height, width=14, colour=STONE):
    return (rect(x - width / 2, y - height, width, height, colour, stroke=INK, stroke_width=1) +
            "".join(line(x - width / 2 + k * width / 4, y - height + 6, x - width / 2 +
                         k * width / 4, y - 4, STONE_DARK, 0.8) for k in (1, 2, 3)) +
            rect(x - width / 2 - 3, y - height - 5, width + 6, 5, colour, stroke=INK,
                 stroke_width=1) +
            rect(x - width / 2 - 3, y - 4, width + 6, 4, colour, stroke=INK, stroke_width=1))


def temple(x, y, width, height, columns=6, colour=STONE):
    out = rect(x - 6, y, width + 12, 10, colour, stroke=INK, stroke_width=1)
    out += rect(x - 12, y + 10, width + 24, 8, colour, stroke=INK, stroke_width=1)
    step = width / (columns - 1)
    for i in range(columns):
        out += column(x + i * step, y, height, width=max(6, step * 0.45), colour=colour)
    out += rect(x - 10, y - height - 16, width + 20, 11, colour, stroke=INK, stroke_width=1)
    out += poly([(x - 14, y - height - 16), (x + width / 2, y - height - 16 - width * 0.22),
                 (x + width + 14, y - height - 16)], colour, stroke=INK, stroke_width=1)
    return out


def wall(x, y, width, height, colour=BRICK, towers=3, gate=None):
    out = rect(x, y - height, width, height, colour, stroke=INK, stroke_width=1.2)
    for r in range(1, int(height // 8)):
        out += line(x, y - r * 8, x + width, y - r * 8, "#8e4a34", 0.6)
    for i in range(int(width // 12)):
        out += rect(x + i * 12 + 2, y - height - 6, 7, 6, colour, stroke=INK, stroke_width=0.8)
    for t in range(towers):
        tx = x + (t + 0.5) * width / towers - 14
        out += rect(tx, y - height - 22, 28, height + 22, colour, stroke=INK, stroke_width=1.2)
        for k in range(3):
            out += rect(tx + 1 + k * 10, y - height - 28, 6, 6, colour, stroke=INK,
                        stroke_width=0.8)
        out += rect(tx + 10, y - height - 12, 8, 12, "#3a2218", rx=4)
    if gate is not None:
        gx, open_ = gate
        out += path(f"M{gx - 18},{y} L{gx - 18},{y - 30} A18,18 0 0 1 {gx + 18},{y - 30} "
                    f"L{gx + 18},{y} z", "#2a1610" if open_ else WOOD, stroke=INK,
                    stroke_width=1.2)
    return out


def robed(x, y, size, robe, cloak=None, crown=False, head_colour=SKIN, mirror=False,
          arm=0.0, beard=False, hair="#4a3020"):
    """A standing figure in a long robe (emperors, kings, boys)."""
    body = (path("M-9,0 L-7,-34 Q0,-38 7,-34 L9,0 z", robe, stroke=INK, stroke_width=1) +
            (path("M-8,-34 Q-12,-14 -10,-2 L-4,-2 Q-6,-20 0,-34 z", cloak, stroke=INK,
                  stroke_width=1) if cloak else "") +
            rect(-1.8, -40, 3.6, 4, head_colour) +
            circle(0.5, -45, 5.5, head_colour, stroke=INK, stroke_width=1) +
            path("M-5,-46 Q-4,-52 1,-51.5 Q5.5,-51 6,-47 Q2,-49 -5,-46 z", hair) +
            circle(3, -45.5, 0.8, INK))
    if beard:
        body += path("M0,-43 Q6,-44 6,-42 Q5,-37 1,-38 z", hair)
    if crown:
        body += (poly(star_points(0.5, -51.5, 4.5, 2.5, 5), GOLD, stroke=GOLD_DARK,
                      stroke_width=0.5) if crown == "radiate" else
                 laurel(0.5, -46, 6.5, size=0.3, leaves=4, gap=70, ribbon=None))
    arm_end = (8 + 8 * math.cos(math.radians(arm)), -30 - 10 * math.sin(math.radians(arm)))
    body += line(2, -32, arm_end[0], arm_end[1], robe, 4) + circle(arm_end[0], arm_end[1], 2,
                                                                   head_colour)
    return _place(body, x, y, size, mirror)


def horse(x, y, size, colour="#7a5232", mirror=False, rider=None, rearing=0.0):
    body = (path("M-22,-20 Q-24,-30 -10,-31 L12,-31 Q22,-32 25,-42 L30,-52 Q34,-54 36,-50 "
                 "L38,-44 Q36,-40 31,-40 Q28,-32 24,-24 Q20,-18 12,-18 L-12,-18 Q-20,-17 "
                 "-22,-20 z", colour, stroke=INK, stroke_width=1.1) +
            path("M-22,-26 Q-32,-22 -30,-10", "none", stroke=INK, stroke_width=3) +
            "".join(line(lx, -19, lx + dx, 0, colour, 4) + line(lx, -19, lx + dx, 0, INK, 0.6)
                    for lx, dx in ((-16, -6), (-11, 2), (10, 6), (15, 12))) +
            circle(33, -48, 0.9, INK))
    if rider:
        body += _place(rider, 0, -24, 0.85)
    return _place(body, x, y, size, mirror)


def ship(x, y, size, sail="#e8d8b0", hull=WOOD, mirror=False):
    body = (path("M-40,0 Q-38,12 -20,14 L26,14 Q40,12 46,-4 L36,0 z", hull, stroke=INK,
                 stroke_width=1.2) +
            "".join(line(-30 + k * 10, 6, -36 + k * 10, 22, WOOD, 1.6) for k in range(7)) +
            line(0, 0, 0, -52, WOOD, 2.5) +
            path("M-22,-48 Q0,-40 22,-48 L20,-10 Q0,-4 -20,-10 z", sail, stroke=INK,
                 stroke_width=1) +
            path("M46,-4 Q54,-10 50,-18", "none", stroke=hull, stroke_width=3))
    return _place(body, x, y, size, mirror)


def fire(x, y, size):
    return _place(path("M-10,0 Q-14,-14 -4,-22 Q-6,-12 0,-14 Q-2,-26 8,-34 Q6,-20 12,-16 "
                       "Q16,-8 10,0 z", "#e8782a") +
                  path("M-5,0 Q-7,-8 -1,-12 Q0,-6 3,-8 Q2,-16 7,-20 Q7,-10 8,0 z", "#f6c44a"),
                  x, y, size)


def smoke(x, y, size):
    return _place("".join(circle(dx, dy, r, "#6a6460", opacity="0.55")
                          for dx, dy, r in ((0, 0, 9), (6, -12, 11), (-2, -26, 13),
                                            (8, -42, 15))), x, y, size)


def chi_rho(x, y, size, colour=GOLD):
    body = (line(0, -14, 0, 14, colour, 3) +
            line(-9, -8, 9, 8, colour, 3) + line(9, -8, -9, 8, colour, 3) +
            path("M0,-14 Q10,-14 10,-8 Q10,-2 0,-2", "none", stroke=colour, stroke_width=3))
    return _place(body, x, y, size)


def eagle(x, y, size, colour=GOLD):
    body = (path("M0,-10 Q-4,-12 -3,-16 Q0,-19 3,-16 Q3,-13 1,-11 L4,-9 Q18,-20 30,-14 "
                 "Q22,-12 20,-6 Q14,-2 6,-2 L5,6 L9,12 L0,9 L-9,12 L-5,6 L-6,-2 Q-14,-2 "
                 "-20,-6 Q-22,-12 -30,-14 Q-18,-20 -4,-9 z", colour, stroke=GOLD_DARK,
                 stroke_width=1) +
            rect(-12, 12, 24, 5, colour, stroke=GOLD_DARK, stroke_width=1) +
            line(0, 17, 0, 60, WOOD, 3))
    return _place(body, x, y, size)


def sun(x, y, r, colour="#f6d36a"):
    rays = "".join(line(x + r * 1.15 * math.cos(a), y + r * 1.15 * math.sin(a),
                        x + r * 1.6 * math.cos(a), y + r * 1.6 * math.sin(a), colour, 3)
                   for a in (i * math.pi / 8 for i in range(16)))
    return rays + circle(x, y, r, colour)


def soldiers_row(kind, xs, y, size, mirror=False, phase=0.0):
    return "".join(_place(figures.marching(kind, phase + i * 0.37), x, y, size, mirror)
                   for i, x in enumerate(xs))


def map_panel(href, x, y, w, h):
    return (rect(x - 4, y - 4, w + 8, h + 8, GOLD_DARK) + rect(x - 2, y - 2, w + 4, h + 4, GOLD) +
            image(href, x, y, w, h))


# --- the lessons -----------------------------------------------------------------------------

def maximinus(maps):
    """236: the soldiers raise a giant Thracian herdsman to the purple on the Rhine."""
    body = sky("#8fb6d2", "#f0d49a") + hills(250, "#9aa36a", 14) + hills(300, "#7d8a4e", 10, 2)
    body += rect(0, 300, W, 46, "#8a7a4a")
    # Camp tents.
    for tx in (60, 130, 470, 530):
        body += poly([(tx - 28, 300), (tx, 258), (tx + 28, 300)], "#e8dcc0", stroke=INK,
                     stroke_width=1) + poly([(tx - 5, 300), (tx, 282), (tx + 5, 300)], "#6a5a40")
    # The raised shield and the giant standing on it.
    body += _place(figures.standing("roman"), 300, 232, 2.9)
    body += ellipse(300, 240, 58, 9, ROMAN_RED, stroke=INK, stroke_width=1.5)
    body += ellipse(300, 238, 50, 6, "none", stroke=GOLD, stroke_width=2)
    for i, x in enumerate((225, 262, 338, 375)):
        body += _place(figures.soldier("roman", legs=(8, 0, -8, 0), arms=(170, 10, 160, 10),
                                       shield=False, weapon=False), x, 330, 1.75,
                       mirror=i >= 2)
    body += soldiers_row("roman", (100, 160), 338, 1.5) + soldiers_row("roman", (440, 500), 338,
                                                                        1.5, mirror=True)
    body += eagle(540, 230, 1.3)
    body += caption()
    return body


def three_empires(maps):
    """260: Valerian kneels before Shapur at Edessa, and the empire breaks in three."""
    left = 272
    body = rect(0, 0, W, H, PARCHMENT)
    # The scene, as the kings of Persia had it carved: the emperor on his knees before the
    # mounted king of kings.
    body += defs(linear("edessa", [(0, "#e8b878"), (1, "#f4dcaa")]))
    body += rect(0, 0, left, 346, "url(#edessa)")
    body += poly([(0, 250), (40, 238), (90, 246), (150, 232), (210, 242), (left, 236),
                  (left, 346), (0, 346)], "#c8a468")
    body += rect(0, 282, left, 64, "#b08a54")
    body += temple(170, 190, 80, 44, columns=5, colour="#e4d2b0")
    body += _place(figures.standing("persian"), 240, 300, 1.5, mirror=True)
    body += _place(figures.standing("persian"), 258, 306, 1.5, mirror=True)
    shapur = robed(0, 0, 1.0, MAGENTA, cloak=PURPLE, crown="radiate", beard=True, arm=60,
                   hair="#2a1a14")
    body += horse(170, 318, 1.9, colour="#e8dcc4", mirror=True, rider=shapur)
    valerian = robed(0, 0, 1.0, "#e8e0d0", cloak=PURPLE, crown="laurel", arm=70,
                     hair="#9a9088", beard=True)
    body += group(valerian, transform="translate(80,322) rotate(12) scale(2.0,1.45)")
    body += rect(left, 0, 3, 346, GOLD_DARK)
    # The map of the three parts.
    body += map_panel(maps["three"], left + 18, 16, 292, 200)
    # The key's swatches; the game letters each part's name and, under it, its ruler.
    for i, colour in enumerate(("#78aa6e", "#e8967f", "#e2b246")):
        body += rect(left + 24, 238 + i * 34, 24, 18, colour, stroke=INK, stroke_width=1)
    body += caption()
    return body


def aurelian(maps):
    """275: the walls of Rome, and the Restorer of the World under the Unconquered Sun."""
    body = sky("#7fb0d6", "#f6dca0") + sun(470, 80, 30)
    body += hills(260, "#a0a66e", 10) + rect(0, 300, W, 46, "#b49a64")
    body += wall(0, 300, W, 70, towers=5, gate=(300, False))
    body += robed(300, 330, 2.4, "#e8e0d0", cloak=PURPLE, crown="radiate", arm=40)
    body += soldiers_row("roman", (150, 200), 336, 1.35) + soldiers_row("roman", (400, 450),
                                                                         336, 1.35, True)
    body += map_panel(maps["whole"], 24, 20, 150, 103)
    body += caption()
    return body


def diocletian(maps):
    """285: the Tetrarchy, four rulers embracing in pairs, carved in porphyry."""
    body = sky("#c8b48c", "#efe0bd") + rect(0, 290, W, 56, "#b8a47c")
    body += temple(90, 250, 420, 150, columns=8)
    body += rect(140, 270, 320, 26, "#5a2a4a", stroke=INK, stroke_width=1)
    porphyry = "#7a3060"
    for i, x in enumerate((200, 250, 350, 400)):
        body += robed(x, 290, 2.2, porphyry, cloak="#5a1e48", crown="laurel",
                      head_colour="#9a4a78", mirror=i % 2 == 1, arm=10, beard=True,
                      hair="#5a1e48")
    body += caption()
    return body


def constantine(maps):
    """313: the sign in the sky, the battle at the Milvian Bridge, a new capital."""
    body = sky("#f0c870", "#f4e0b0") + sun(300, 70, 22, "#fff2c0")
    body += chi_rho(300, 70, 1.6, colour=DEEP_RED)
    body += rect(0, 270, W, 76, SEA)
    body += "".join(line(x, 285 + (x % 7) * 6, x + 30, 285 + (x % 7) * 6, "#8ab4d4", 1.4)
                    for x in range(0, W, 45))
    # The bridge.
    bridge = rect(120, 230, 360, 20, STONE, stroke=INK, stroke_width=1.2)
    for ax in (150, 240, 330, 420):
        bridge += path(f"M{ax - 30},250 L{ax - 30},290 A30,30 0 0 1 {ax + 30},290 L{ax + 30},250 z",
                       STONE, stroke=INK, stroke_width=1.2)
    body += bridge
    body += soldiers_row("roman", (170, 215, 260, 305, 350), 230, 1.5)
    for x in (170, 260, 350):
        body += chi_rho(x + 8, 206, 0.35, colour=GOLD)
    body += _place(figures.falling("roman", 0.7), 470, 300, 1.4)
    body += caption()
    return body


def adrianople(maps):
    """378: Gothic horsemen crash into the legions beside the wagon laager."""
    body = sky("#d8a070", "#f0d8a0") + hills(230, "#b09060", 12) + rect(0, 250, W, 96,
                                                                            "#a88a56")
    body += smoke(480, 190, 2.0) + smoke(120, 200, 1.6)
    for i in range(7):
        wx = 380 + i * 32
        body += rect(wx, 222 - (i % 2) * 4, 30, 16, WOOD, stroke=INK, stroke_width=1)
        body += circle(wx + 7, 240 - (i % 2) * 4, 6, "#5a3a20", stroke=INK, stroke_width=1)
        body += circle(wx + 23, 240 - (i % 2) * 4, 6, "#5a3a20", stroke=INK, stroke_width=1)
    goth = figures.soldier("barbarian", legs=(60, -70, 50, -80), arms=(40, 40, 60, -30))
    for x, y in ((330, 300), (410, 320), (480, 298)):
        body += horse(x, y, 1.5, colour="#5a3a22", mirror=True, rider=goth)
    body += _place(figures.falling("roman", 0.9), 150, 330, 1.6)
    body += _place(figures.falling("roman", 0.5), 230, 320, 1.6)
    body += _place(figures.standing("roman"), 90, 320, 1.6)
    body += caption()
    return body


def theodosius(maps):
    """379-395: the last ruler of the whole empire, and its division between his sons."""
    body = rect(0, 0, W, H, PARCHMENT)
    body += map_panel(maps["divided"], 20, 14, 400, 274)
    body += robed(500, 250, 2.6, "#e8e0d0", cloak=PURPLE, crown="laurel", arm=50)
    # The key of the two halves, under the map; the game letters the heirs' names.
    body += rect(24, 302, 20, 13, "#e8967f", stroke=INK, stroke_width=1)
    body += rect(24, 324, 20, 13, "#9682c8", stroke=INK, stroke_width=1)
    body += caption()
    return body


def visigoths(maps):
    """410: Alaric's Goths pour through the Salarian Gate."""
    body = sky("#6a5870", "#e89a5a") + rect(0, 300, W, 46, "#8a7248")
    body += temple(380, 190, 120, 50)
    body += fire(430, 140, 2.2) + smoke(440, 100, 2.0)
    body += wall(0, 300, W, 90, towers=4, gate=(300, True))
    body += soldiers_row("barbarian", (250, 290, 330), 330, 1.6, mirror=True)
    body += _place(figures.standing("barbarian"), 360, 336, 1.8, mirror=True)
    body += caption()
    return body


def vandals(maps):
    """455: Gaiseric's fleet comes up from Carthage to plunder Rome."""
    body = sky("#86aed0", "#e8d8b0") + rect(0, 230, W, 116, SEA)
    body += "".join(path(f"M{x},{y} q8,-5 16,0 q8,5 16,0", "none", stroke="#8ab4d4",
                         stroke_width=1.5) for x in range(10, 600, 70) for y in (250, 290, 325))
    body += rect(380, 170, 220, 62, "#c8b890")
    body += temple(420, 200, 130, 44) + fire(560, 168, 1.5)
    for x, y, s in ((90, 270, 1.4), (220, 300, 1.6), (320, 255, 1.1)):
        body += ship(x, y, s, sail="#e8d0a0")
    body += caption()
    return body


def odoacer(maps):
    """476: the boy emperor lays down the purple before Odoacer."""
    body = rect(0, 0, W, H, "#c8b08a") + rect(0, 270, W, 76, "#9a7a52")
    body += column(120, 270, 200, 26) + column(480, 270, 200, 26)
    body += rect(260, 210, 80, 60, "#6d2a6a", stroke=INK, stroke_width=1.5)
    body += rect(250, 150, 100, 64, PURPLE, stroke=INK, stroke_width=1.5)
    body += robed(230, 300, 1.8, "#e8e0d0", cloak=PURPLE, crown="laurel", arm=20,
                  hair="#c89a4a")
    body += _place(figures.standing("barbarian"), 380, 300, 2.6, mirror=True)
    body += caption()
    return body


# --- the other boxes -------------------------------------------------------------------------

def intro(maps):
    body = rect(0, 0, W, H, "#2a1410")
    body += image(maps["map"], 0, 0, W, H) + rect(0, 0, W, H, "#1a0c08", opacity="0.55")
    body += eagle(300, 120, 2.4)
    body += text(W / 2, 270, "TESSARION", 64, fill=GOLD, anchor="middle", spacing=8,
                 weight="bold", stroke=INK, stroke_width=1.2)
    return body


def splash(maps):
    w, h = 640, 480
    body = defs(linear("sp", [(0, "#3a1410"), (1, "#140806")])) + rect(0, 0, w, h, "url(#sp)")
    body += image(maps["map"], 40, 30, 560, 383) + rect(40, 30, 560, 383, "#1a0c08",
                                                        opacity="0.45")
    body += rect(36, 26, 568, 391, "none", stroke=GOLD, stroke_width=3)
    body += eagle(320, 120, 2.0)
    body += text(w / 2, 260, "TESSARION", 72, fill=GOLD, anchor="middle", spacing=10,
                 weight="bold", stroke=INK, stroke_width=1.5)
    body += soldiers_row("roman", (70, 110, 150), 468, 1.0)
    body += soldiers_row("roman", (490, 530, 570), 468, 1.0, mirror=True)
    return body


def about(maps):
    body = rect(0, 0, W, H, PARCHMENT) + rect(10, 10, 580, 380, "none", stroke=GOLD_DARK,
                                              stroke_width=3)
    body += rect(18, 18, 564, 364, "none", stroke=GOLD, stroke_width=1.5)
    body += laurel(300, 104, 58, leaves=8, size=1.35, gap=56)
    body += eagle(300, 95, 1.4)
    body += text(W / 2, 200, "TESSARION", 50, fill=DEEP_RED, anchor="middle", spacing=6,
                 weight="bold")
    return body


def results(maps):
    """The dark slots where the box writes the numbers, right of the labels the game letters."""
    body = defs(linear("rs", [(0, "#3a1410"), (1, "#1a0806")])) + rect(0, 0, W, H, "url(#rs)")
    body += rect(12, 12, 576, 376, "none", stroke=GOLD, stroke_width=2)
    for y in (127, 168, 210):
        body += rect(424, y - 4, 90, 28, "#000000", opacity="0.35", rx=4)
    body += soldiers_row("roman", (120, 165, 210), 350, 1.5)
    body += soldiers_row("roman", (390, 435, 480), 350, 1.5, mirror=True)
    body += laurel(300, 296, 40, leaves=7, size=1.0, gap=64)
    body += eagle(300, 290, 1.0)
    return body

