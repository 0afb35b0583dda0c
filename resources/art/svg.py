"""Small helpers for writing the game's pictures as SVG text."""

import math

SERIF = "EB Garamond"
SANS = "DejaVu Sans"

# The palette shared by every picture: warm, flat, fresco-like.
INK = "#2e1c14"
PARCHMENT = "#efe0bd"
PARCHMENT_DARK = "#d8c08e"
GOLD = "#d9a93a"
GOLD_DARK = "#9c7322"
ROMAN_RED = "#b5302a"
DEEP_RED = "#7d1c18"
BRONZE = "#b9863e"
STEEL = "#b8bcc0"
STEEL_DARK = "#6e747a"
SKIN = "#e2b48a"
SKIN_DARK = "#b9845a"
PURPLE = "#6d2a6a"
MAGENTA = "#b84aa2"
SKY = "#9cc4dc"
SKY_LOW = "#f3d9a4"
SEA = "#5c8ab2"
EARTH = "#b99a63"
GRASS = "#8a9a56"
STONE = "#d9cfb8"
STONE_DARK = "#a89c82"
BRICK = "#b4664a"
WOOD = "#7a5232"


def document(width, height, body, background=None):
    bg = f'<rect width="{width}" height="{height}" fill="{background}"/>' if background else ""
    return (f'<svg xmlns="http://www.w3.org/2000/svg" '
            f'xmlns:xlink="http://www.w3.org/1999/xlink" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}">{bg}{body}</svg>')


def group(body, transform=None, **attrs):
    t = f' transform="{transform}"' if transform else ""
    extra = "".join(f' {k.replace("_", "-")}="{v}"' for k, v in attrs.items())
    return f"<g{t}{extra}>{body}</g>"


def attrs(**kw):
    return "".join(f' {k.replace("_", "-")}="{v}"' for k, v in kw.items() if v is not None)


def rect(x, y, w, h, fill, **kw):
    return f'<rect x="{x:.2f}" y="{y:.2f}" width="{w:.2f}" height="{h:.2f}" fill="{fill}"{attrs(**kw)}/>'


def circle(cx, cy, r, fill, **kw):
    return f'<circle cx="{cx:.2f}" cy="{cy:.2f}" r="{r:.2f}" fill="{fill}"{attrs(**kw)}/>'


def ellipse(cx, cy, rx, ry, fill, **kw):
    return (f'<ellipse cx="{cx:.2f}" cy="{cy:.2f}" rx="{rx:.2f}" ry="{ry:.2f}" '
            f'fill="{fill}"{attrs(**kw)}/>')


def line(x1, y1, x2, y2, stroke, width, **kw):
    return (f'<line x1="{x1:.2f}" y1="{y1:.2f}" x2="{x2:.2f}" y2="{y2:.2f}" stroke="{stroke}" '
            f'stroke-width="{width}" stroke-linecap="round"{attrs(**kw)}/>')


def poly(points, fill, **kw):
    pts = " ".join(f"{x:.2f},{y:.2f}" for x, y in points)
    return f'<polygon points="{pts}" fill="{fill}"{attrs(**kw)}/>'


def path(d, fill, **kw):
    return f'<path d="{d}" fill="{fill}"{attrs(**kw)}/>'


def text(x, y, s, size, fill=INK, family=SERIF, weight="normal", anchor="start",
         spacing=0, style="normal", **kw):
    s = s.replace("&", "&amp;").replace("<", "&lt;")
    return (f'<text x="{x:.2f}" y="{y:.2f}" font-family="{family}" font-size="{size}" '
            f'font-weight="{weight}" font-style="{style}" text-anchor="{anchor}" '
            f'letter-spacing="{spacing}" fill="{fill}"{attrs(**kw)}>{s}</text>')


def linear(ident, stops, vertical=True):
    x2, y2 = ("0", "1") if vertical else ("1", "0")
    st = "".join(f'<stop offset="{o}" stop-color="{c}"/>' for o, c in stops)
    return (f'<linearGradient id="{ident}" x1="0" y1="0" x2="{x2}" y2="{y2}">{st}'
            f"</linearGradient>")


def radial(ident, stops):
    st = "".join(f'<stop offset="{o}" stop-color="{c}"/>' for o, c in stops)
    return f'<radialGradient id="{ident}">{st}</radialGradient>'


def defs(*items):
    return "<defs>" + "".join(items) + "</defs>"


def image(href, x, y, w, h):
    return (f'<image xlink:href="{href}" x="{x}" y="{y}" width="{w}" height="{h}" '
            f'preserveAspectRatio="none"/>')


def star_points(cx, cy, r_out, r_in, n, rotation=-90):
    pts = []
    for i in range(2 * n):
        r = r_out if i % 2 == 0 else r_in
        a = math.radians(rotation + i * 180 / n)
        pts.append((cx + r * math.cos(a), cy + r * math.sin(a)))
    return pts


def laurel(cx, cy, radius, colour="#5d7a34", leaves=9, start=200, end=340, size=1.0):
    """A wreath of laurel: two branches rising from the bottom of a circle, leaves along the
    arc between the angles start and end (degrees, counted as on a clock face from the
    bottom, so 200..340 leaves the top open)."""
    del start, end
    out = []
    for side in (-1, 1):
        for i in range(leaves):
            t = i / max(1, leaves - 1)
            a = math.radians(200 + 130 * t)  # from lower left up to upper left
            x = cx + side * radius * math.cos(a)
            y = cy - radius * math.sin(a)
            deg = math.degrees(math.atan2(-radius * math.cos(a), radius * math.sin(a)))
            deg = deg if side > 0 else 180 - deg
            out.append(ellipse(0, 0, 6 * size, 2.4 * size, colour,
                               transform=f"translate({x:.1f},{y:.1f}) rotate({deg:.1f}) "
                                         f"translate({4 * size:.1f},0)"))
    return "".join(out)
