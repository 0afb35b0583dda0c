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


def _leaf(x, y, angle, length, width, fill, vein):
    """A pointed laurel leaf with its base at x, y, pointing along angle (degrees)."""
    d = (f"M0,0 C{length * 0.25:.2f},{-width:.2f} {length * 0.7:.2f},{-width:.2f} "
         f"{length:.2f},0 C{length * 0.7:.2f},{width:.2f} {length * 0.25:.2f},{width:.2f} 0,0 z")
    return group(path(d, fill, stroke=vein, stroke_width=f"{max(0.3, width * 0.18):.2f}") +
                 line(length * 0.08, 0, length * 0.8, 0, vein, f"{max(0.25, width * 0.16):.2f}"),
                 transform=f"translate({x:.2f},{y:.2f}) rotate({angle:.1f})")


def laurel(cx, cy, radius, colour="#5d7a34", leaves=9, size=1.0, gap=38, ribbon=ROMAN_RED):
    """A wreath of laurel: two branches rising from a bow at the bottom of a circle and
    meeting near the top, open by gap degrees; pairs of pointed leaves along each branch,
    smaller towards the tips."""
    light = "#7d9a48"
    dark = "#3e5624"
    start, end = 14.0, 180.0 - gap / 2
    out = []
    for side in (-1, 1):
        def at(theta):
            t = math.radians(theta)
            return cx + side * radius * math.sin(t), cy + radius * math.cos(t)

        stem = [at(start + (end - start) * k / 24) for k in range(25)]
        out.append(path("M" + " L".join(f"{x:.2f},{y:.2f}" for x, y in stem), "none",
                        stroke=dark, stroke_width=f"{1.6 * size:.2f}", stroke_linecap="round"))
        for i in range(leaves):
            t = (i + 0.5) / leaves
            theta = start + (end - start) * t
            x, y = at(theta)
            # The direction along the branch, towards its tip.
            heading = math.degrees(math.atan2(-math.sin(math.radians(theta)),
                                              side * math.cos(math.radians(theta))))
            length = size * (13 - 5 * t)
            width = length * 0.34
            for k, turn in enumerate((-38, 38)):
                fill = colour if (i + k) % 2 == 0 else light
                out.append(_leaf(x, y, heading + side * turn, length, width, fill, dark))
        x, y = at(end)
        heading = math.degrees(math.atan2(-math.sin(math.radians(end)),
                                          side * math.cos(math.radians(end))))
        out.append(_leaf(x, y, heading, size * 8, size * 2.6, colour, dark))
        # Berries among the leaves.
        for theta in (start + (end - start) * f for f in (0.3, 0.62)):
            bx, by = at(theta)
            out.append(circle(bx - side * 2.5 * size * math.sin(math.radians(theta)),
                              by - 2.5 * size * math.cos(math.radians(theta)), 1.4 * size,
                              "#6a2a4a"))
    if ribbon:
        bx, by = cx, cy + radius
        out.append(path(f"M{bx:.2f},{by:.2f} l{-7 * size:.2f},{9 * size:.2f} "
                        f"l{3 * size:.2f},{1 * size:.2f} z", ribbon, stroke=INK,
                        stroke_width=f"{0.5 * size:.2f}"))
        out.append(path(f"M{bx:.2f},{by:.2f} l{7 * size:.2f},{9 * size:.2f} "
                        f"l{-3 * size:.2f},{1 * size:.2f} z", ribbon, stroke=INK,
                        stroke_width=f"{0.5 * size:.2f}"))
        out.append(ellipse(bx - 3.2 * size, by, 3.4 * size, 2 * size, ribbon, stroke=INK,
                           stroke_width=f"{0.5 * size:.2f}"))
        out.append(ellipse(bx + 3.2 * size, by, 3.4 * size, 2 * size, ribbon, stroke=INK,
                           stroke_width=f"{0.5 * size:.2f}"))
        out.append(circle(bx, by, 1.6 * size, ribbon, stroke=INK,
                          stroke_width=f"{0.5 * size:.2f}"))
    return "".join(out)
