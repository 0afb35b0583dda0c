#!/usr/bin/env python3
"""Regenerates resources/art/coasts.txt, the coastlines the map is drawn from.

    make-coasts.py LAND-50M.JSON [OUT]

LAND-50M.JSON is Natural Earth's 1:50m land in TopoJSON, as packaged by the npm package
world-atlas (public domain data, ISC packaging). Fetch it into a scratch folder, never into
the repository:

    npm install --prefix /tmp/atlas world-atlas@2
    resources/tools/make-coasts.py /tmp/atlas/node_modules/world-atlas/land-50m.json

The land is cut to the window of the Roman world, simplified to about a twentieth of a degree
(under a pixel of the map) and written as lon/lat rings with two decimals, so the file stays
small and the build needs neither npm nor the data package. Plain Python: no other modules.
"""

import json
import sys

# Longitude and latitude bounds: the map and a margin for the warp.
WEST, EAST, SOUTH, NORTH = -16.0, 54.0, 22.0, 62.0
TOLERANCE = 0.05  # degrees kept by the simplification
MIN_SPAN = 0.12  # degrees: smaller islets are dropped


def decode_arcs(topo):
    scale = topo["transform"]["scale"]
    shift = topo["transform"]["translate"]
    arcs = []
    for arc in topo["arcs"]:
        x = y = 0
        points = []
        for dx, dy in arc:
            x += dx
            y += dy
            points.append((x * scale[0] + shift[0], y * scale[1] + shift[1]))
        arcs.append(points)
    return arcs


def ring_points(ring, arcs):
    out = []
    for index in ring:
        arc = arcs[index] if index >= 0 else list(reversed(arcs[~index]))
        out.extend(arc if not out else arc[1:])
    return out


def polygons(topo):
    arcs = decode_arcs(topo)
    for geometry in topo["objects"]["land"]["geometries"]:
        kind = geometry["type"]
        shapes = geometry["arcs"] if kind == "MultiPolygon" else [geometry["arcs"]]
        for shape in shapes:
            for ring in shape:  # outer rings and lakes alike: the map fills them even-odd
                yield ring_points(ring, arcs)


def clip(ring, inside, cross):
    """One Sutherland-Hodgman pass against a half-plane."""
    out = []
    for i, current in enumerate(ring):
        previous = ring[i - 1]
        if inside(current):
            if not inside(previous):
                out.append(cross(previous, current))
            out.append(current)
        elif inside(previous):
            out.append(cross(previous, current))
    return out


def clip_to_window(ring):
    def at_x(x0):
        return lambda a, b: (x0, a[1] + (b[1] - a[1]) * (x0 - a[0]) / (b[0] - a[0]))

    def at_y(y0):
        return lambda a, b: (a[0] + (b[0] - a[0]) * (y0 - a[1]) / (b[1] - a[1]), y0)

    ring = clip(ring, lambda p: p[0] >= WEST, at_x(WEST))
    ring = clip(ring, lambda p: p[0] <= EAST, at_x(EAST))
    ring = clip(ring, lambda p: p[1] >= SOUTH, at_y(SOUTH))
    return clip(ring, lambda p: p[1] <= NORTH, at_y(NORTH))


def simplify(points, tolerance):
    """Douglas-Peucker, iterative so that long coasts cannot overflow the stack."""
    keep = [False] * len(points)
    keep[0] = keep[-1] = True
    stack = [(0, len(points) - 1)]
    while stack:
        first, last = stack.pop()
        ax, ay = points[first]
        bx, by = points[last]
        dx, dy = bx - ax, by - ay
        length2 = dx * dx + dy * dy
        worst, worst_at = -1.0, -1
        for i in range(first + 1, last):
            px, py = points[i]
            if length2 == 0:
                d2 = (px - ax) ** 2 + (py - ay) ** 2
            else:
                t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / length2))
                d2 = (px - ax - t * dx) ** 2 + (py - ay - t * dy) ** 2
            if d2 > worst:
                worst, worst_at = d2, i
        if worst_at >= 0 and worst > tolerance * tolerance:
            keep[worst_at] = True
            stack += [(first, worst_at), (worst_at, last)]
    return [p for p, k in zip(points, keep) if k]


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    with open(sys.argv[1], encoding="utf-8") as f:
        topo = json.load(f)
    rings = []
    for ring in polygons(topo):
        xs = [p[0] for p in ring]
        ys = [p[1] for p in ring]
        if max(xs) < WEST or min(xs) > EAST or max(ys) < SOUTH or min(ys) > NORTH:
            continue
        if max(max(xs) - min(xs), max(ys) - min(ys)) < MIN_SPAN:
            continue
        ring = clip_to_window(ring)
        if len(ring) < 4:
            continue
        # Split the closed ring at its two farthest points so both halves simplify well.
        far = max(range(len(ring)), key=lambda i: (ring[i][0] - ring[0][0]) ** 2 +
                  (ring[i][1] - ring[0][1]) ** 2)
        half = simplify(ring[:far + 1], TOLERANCE) + simplify(ring[far:] + [ring[0]],
                                                               TOLERANCE)[1:-1]
        points = []
        for x, y in half:
            p = (round(x, 2), round(y, 2))
            if not points or p != points[-1]:
                points.append(p)
        if len(points) >= 3:
            rings.append(points)
    out = sys.argv[2] if len(sys.argv) == 3 else "resources/art/coasts.txt"
    with open(out, "w", encoding="utf-8") as f:
        f.write("# Land of the Roman world: Natural Earth 1:50m land (public domain), cut to\n"
                f"# lon {WEST}..{EAST}, lat {SOUTH}..{NORTH} and simplified to {TOLERANCE} degrees\n"
                "# by resources/tools/make-coasts.py. One ring a line: lon,lat pairs; the map\n"
                "# fills the rings even-odd, so lakes are rings inside land.\n")
        for points in rings:
            f.write(" ".join(f"{x:g},{y:g}" for x, y in points) + "\n")
    print(f"{out}: {len(rings)} rings, {sum(len(r) for r in rings)} points")


if __name__ == "__main__":
    main()
