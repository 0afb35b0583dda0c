#!/usr/bin/env python3
"""Checks the drawn pictures as the game will use them, and stops the build when one is wrong:

- every picture and mask of pictures.txt is there at its listed size, and nothing else is;
- a mask is pure black and white, and its picture black wherever the mask lets the map show
  (drawing ANDs the mask and ORs the picture);
- each ownership overlay covers exactly its province's land (map-land.bin), reads white,
  yellow and magenta in its three colours, and the Roman colour shows nowhere an overlay
  cannot cover, or it would stay Roman when its province is lost;
- the map shows each province in its first owner's colour: the overlays' provinces Roman,
  the others (the tribes' and the Persians') yellow or magenta, and both of those somewhere;
- the seas are one water from the Atlantic to the Black Sea and the great islands islands;
- every picture but the window icons is drawn again at three times its pixels (large/): the
  map on the same land, each picture block by block in the same colours, its masks black and white and
  its figures as the checks below want them;
- a march's frames differ, a fall ends lying down, a pale legion is its legion washed out,
  and the CONSTANTINOPLE label fits over the map where it is drawn.

    check_pictures.py DIR [ARTGEN]    (the folder art.py drew into; the artgen tool decodes
                                       the pictures quicker than this script can)
"""
import os
import struct
import subprocess
import sys
import tempfile
import zlib

import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
import manifest  # noqa: E402
from art import LARGE, LARGE_SCALE  # noqa: E402

# The map's top-left corner in the window, where the overlays' positions are counted from,
# as the map tool places them.
MAP_LEFT, MAP_TOP = 180, 30
SEA, NO_PROVINCE = 255, 254


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    return struct.unpack(">II", head[16:24])


def read_rgb(path):
    """A picture the artgen tool decoded: its size on a line, then RGB bytes."""
    with open(path, "rb") as f:
        head, pixels = f.read().split(b"\n", 1)
    width, height = (int(n) for n in head.split())
    return np.frombuffer(pixels, np.uint8).reshape(height, width, 3).astype(np.int32)


def read_png(path):
    """The picture as an array of rows x columns x RGB (8-bit, RGB or RGBA, not interlaced)."""
    with open(path, "rb") as f:
        data = f.read()
    at, idat = 8, b""
    while at < len(data):
        size, kind = struct.unpack(">I4s", data[at:at + 8])
        body = data[at + 8:at + 8 + size]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour not in (2, 6) or interlace:
                raise ValueError(f"{path}: not 8-bit RGB or RGBA")
        elif kind == b"IDAT":
            idat += body
        at += 12 + size
    bpp = 3 if colour == 2 else 4
    raw = np.frombuffer(zlib.decompress(idat), np.uint8).reshape(height, width * bpp + 1)
    out = np.zeros((height, width * bpp), np.int32)
    prev = np.zeros(width * bpp, np.int32)
    for y in range(height):
        kind, line = raw[y, 0], raw[y, 1:].astype(np.int32)
        if kind == 0:
            row = line
        elif kind == 2:
            row = (line + prev) & 255
        elif kind == 1:
            row = np.cumsum(line.reshape(-1, bpp), axis=0).reshape(-1) & 255
        else:
            # Plain lists: element by element, numpy's scalars are slow.
            row, up = line.tolist(), prev.tolist()
            for x in range(len(row)):
                a = row[x - bpp] if x >= bpp else 0
                b = up[x]
                if kind == 3:
                    row[x] = (row[x] + (a + b) // 2) & 255
                else:
                    c = up[x - bpp] if x >= bpp else 0
                    p = a + b - c
                    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                    row[x] = (row[x] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
            row = np.array(row, np.int32)
        out[y] = prev = row
    return out.reshape(height, width, bpp)[:, :, :3]


def read_land(path, width, height):
    """Whose land lies under every map pixel: runs of (owner, 16-bit count)."""
    with open(path, "rb") as f:
        data = f.read()
    runs = np.frombuffer(data, np.uint8).reshape(-1, 3).astype(np.int64)
    land = np.repeat(runs[:, 0], runs[:, 1] + 256 * runs[:, 2])
    if land.size != width * height:
        raise ValueError(f"{path}: {land.size} pixels for a {width}x{height} map")
    return land.reshape(height, width)


class Checker:
    def __init__(self, folder, decoded=None):
        """decoded: where the artgen tool left the folder's pictures decoded, if it did."""
        self.folder = folder
        self.decoded = decoded
        self.faults = []
        self.cache = {}

    def read(self, name):
        if self.decoded:
            return read_rgb(os.path.join(self.decoded, name[:-4] + ".rgb"))
        return read_png(os.path.join(self.folder, name))

    def fail(self, text):
        self.faults.append(text)

    def picture(self, pid):
        if pid not in self.cache:
            self.cache[pid] = self.read(f"{pid}.png")
        return self.cache[pid]

    def opaque(self, mask_id):
        mask = self.picture(mask_id)
        return mask.sum(axis=2) == 0

    def sizes(self, pictures, overlays, scale=1):
        """Every picture and mask drawn at scale times its size (the window icons only at their
        own), and nothing else."""
        listed = {}
        for p in pictures:
            if scale == 1 or p.kind != "alpha":
                listed[p.picture] = (scale * p.width, scale * p.height)
            if p.mask >= 0:
                listed[p.mask] = (scale * p.width, scale * p.height)
        for o in overlays:
            for pid in o.pictures() + [o.mask]:
                listed[pid] = (scale * o.width, scale * o.height)
        for pid, size in sorted(listed.items()):
            path = os.path.join(self.folder, f"{pid}.png")
            if not os.path.exists(path):
                self.fail(f"picture {pid} was not drawn at {scale}x")
            elif png_size(path) != size:
                self.fail(f"picture {pid} is {png_size(path)} at {scale}x, listed as {size}")
        for name in os.listdir(self.folder):
            stem, ext = os.path.splitext(name)
            if ext == ".png" and stem.isdigit() and int(stem) not in listed:
                self.fail(f"{name} at {scale}x is in no list")

    def masks(self, pictures, overlays):
        pairs = [(p.picture, p.mask) for p in pictures if p.mask >= 0]
        pairs += [(pid, o.mask) for o in overlays for pid in o.pictures()]
        for pid, mask_id in pairs:
            mask, picture = self.picture(mask_id), self.picture(pid)
            total = mask.sum(axis=2)
            if ((total != 0) & (total != 3 * 255)).any():
                self.fail(f"mask {mask_id} is not pure black and white")
            if (picture[total == 3 * 255] != 0).any():
                self.fail(f"picture {pid} shows through its mask {mask_id}")
            if (total == 0).sum() * 20 <= total.size:
                self.fail(f"mask {mask_id} lets almost everything through")

    def overlays(self, overlays, land, base):
        covered = np.zeros(land.shape, bool)
        index = {}  # the land's number of each province with an overlay
        for o in overlays:
            left, top = o.x - MAP_LEFT, o.y - MAP_TOP
            box = (slice(top, top + o.height), slice(left, left + o.width))
            opaque = self.opaque(o.mask)
            under = land[box][opaque]
            owners = under[under < NO_PROVINCE]
            if owners.size < 500:
                self.fail(f"the overlay of {o.province} covers hardly any land")
                continue
            own = index[o.province] = np.bincount(owners).argmax()
            mine = land == own
            if mine.sum() != mine[box].sum():
                self.fail(f"{o.province} has land outside its overlay")
            if (mine[box] != opaque).any():
                self.fail(f"the overlay mask of {o.province} differs from its land")
            covered[box] |= opaque
            # Plain reads white, yellow yellow and blue magenta.
            r, g, b = zip(*([self.picture(pid)[opaque][:, k].sum() for k in range(3)]
                            for pid in o.pictures()))
            if min(r[0], g[0], b[0]) * 10 <= max(r[0], g[0], b[0]) * 8:
                self.fail(f"the plain overlay of {o.province} is not white")
            if not (g[1] * 2 > b[1] * 3 and r[1] * 2 > b[1] * 3):
                self.fail(f"the yellow overlay of {o.province} is not yellow")
            if not (b[2] * 2 > g[2] * 3 and r[2] * 2 > g[2] * 3):
                self.fail(f"the blue overlay of {o.province} is not magenta")
        # The map tool's Roman land, (232, 150, 128) under its grain of a few per cent.
        roman = np.zeros(land.shape, bool)
        for percent in range(85, 105):
            near = np.abs(base - np.array([232, 150, 128]) * percent // 100) <= 4
            roman |= near.all(axis=2)
        stray = np.argwhere(roman & ~covered)
        if stray.size:
            self.fail(f"the Roman colour lies outside every overlay at (x, y) "
                      f"{[(int(x), int(y)) for y, x in stray[:8]]}")
        self.powers(land, base, index, roman)
        return index

    def powers(self, land, base, index, roman):
        r, g, b = (base[:, :, k] for k in range(3))
        colours = {"Roman": roman, "yellow": (r > 170) & (g > 140) & (b + 60 < g),
                   "magenta": (r > 140) & (b > 120) & (g + 50 < b)}
        seen = set()
        for own in np.unique(land[land < NO_PROVINCE]):
            mine = land == own
            allowed = ["Roman"] if own in index.values() else ["yellow", "magenta"]
            shown = [c for c in allowed if colours[c][mine].sum() * 10 > mine.sum() * 7]
            if not shown:
                self.fail(f"province {own} of the map land is not painted {' or '.join(allowed)}")
            seen.update(shown)
        if seen != set(colours):
            self.fail(f"the map shows its powers only in {sorted(seen)}")

    def seas_and_islands(self, land, base, index):
        height, width = land.shape
        sea = land == SEA

        def flood(x0, y0, water):
            seen = np.zeros(land.shape, bool)
            seen[y0, x0] = True
            stack = [(x0, y0)]
            while stack:
                x, y = stack.pop()
                for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
                    if 0 <= nx < width and 0 <= ny < height and not seen[ny, nx] \
                            and sea[ny, nx] == water:
                        seen[ny, nx] = True
                        stack.append((nx, ny))
            return seen

        ocean = flood(10, 200, True)
        for name, x, y in (("western Mediterranean", 200, 320), ("Tyrrhenian", 290, 300),
                           ("Adriatic", 350, 240), ("Ionian", 400, 380), ("Aegean", 495, 330),
                           ("Black Sea", 620, 240), ("Levant", 600, 430)):
            if not ocean[y, x]:
                self.fail(f"the {name} is land or cut off from the ocean")
        for name, x, y, province in (
                ("Sicily", 321, 345, "Italia"), ("Sardinia", 265, 319, "Italia"),
                ("Corsica", 261, 274, "Italia"), ("Crete", 507, 400, "Macedonia"),
                ("Cyprus", 600, 407, "Lydia"), ("Mallorca", 179, 313, "Terraconensis")):
            size = flood(x, y, False).sum() if not sea[y, x] else 0
            if not 60 < size < 3000:
                self.fail(f"{name} is missing or joined to the mainland ({size} pixels)")
            elif land[y, x] != index.get(province):
                self.fail(f"{name} is not {province}'s land")
        # The painted seas are blue: the Atlantic, the Mediterranean, the Ionian, the Black
        # and the Red Sea.
        for x, y in ((60, 120), (20, 230), (225, 330), (380, 335), (630, 200), (625, 540)):
            r, _, b = base[y, x]
            if b <= r + 30:
                self.fail(f"the sea at {x},{y} is not blue")

    def larger(self, land):
        folder = os.path.join(self.folder, LARGE)
        k = LARGE_SCALE
        height, width = land.shape
        large = read_land(os.path.join(folder, "map-land-large.bin"), k * width, k * height)
        provinces = land < NO_PROVINCE
        agreeing = sum((large[dy::k, dx::k] == land)[provinces].sum()
                       for dy in range(k) for dx in range(k))
        if agreeing * 100 <= provinces.sum() * k * k * 97:
            self.fail("the larger map's land differs from the map's")
        names = [n for n in os.listdir(folder) if n.endswith(".png") and n[:-4].isdigit()]
        for name in sorted(names):
            small = self.picture(int(name[:-4])).astype(np.int64)
            big = read_png(os.path.join(folder, name)) if not self.decoded else \
                read_rgb(os.path.join(self.decoded, LARGE, name[:-4] + ".rgb"))
            big = big.astype(np.int64)
            h, w = small.shape[0] // 8 * 8, small.shape[1] // 8 * 8
            # Averaged over blocks of 8 x 8 pixels of the smaller picture, the colours hardly differ.
            a = small[:h, :w].reshape(h // 8, 8, w // 8, 8, 3).mean(axis=(1, 3))
            b = big[:k * h, :k * w].reshape(h // 8, 8 * k, w // 8, 8 * k, 3).mean(axis=(1, 3))
            if np.abs(a - b).sum() * 100 >= a.size * 255 * 4:
                self.fail(f"{LARGE}/{name} differs in colour from its picture")

    def figures(self, pictures):
        by_name = {p.name: p for p in pictures}
        for name, frames in manifest.animations(pictures).items():
            masks = [self.opaque(f.mask) for f in frames]
            if name.endswith("March"):
                for a, b, f in zip(masks, masks[1:], frames[1:]):
                    if (a != b).sum() <= 40:
                        self.fail(f"{name}: frame {f.picture} hardly differs from the one before")
            elif name.endswith("Fall"):
                rows = [np.flatnonzero(m.any(axis=1)) for m in (masks[0], masks[-1])]
                standing, lying = (r[-1] - r[0] for r in rows)
                if lying * 10 >= standing * 7 or rows[1][-1] <= 50:
                    self.fail(f"{name}: the last frame does not lie on the ground")
        for p in pictures:
            if p.kind != "pale":
                continue
            full, pale = self.picture(by_name[p.drawn_by].picture), self.picture(p.picture)
            if ((full.sum(axis=2) == 0) != (pale.sum(axis=2) == 0)).any():
                self.fail(f"{p.name} is not shaped as {p.drawn_by}")
            spread = [(x.max(axis=2) - x.min(axis=2)).sum() for x in (full, pale)]
            if spread[1] * 4 >= spread[0]:
                self.fail(f"{p.name} is not washed out")

    def label(self, pictures, base):
        # CONSTANTINOPLE replaces the city's old name in place: the label matches the map
        # around its lettering and differs where the letters are.
        label = self.picture(next(p.picture for p in pictures if p.name == "constantinople"))
        h, w, _ = label.shape
        same = (label == base[264:264 + h, 544:544 + w]).all(axis=2)
        if same.sum() <= 400 or (~same).sum() <= 100 or not (same[0, 0] and same[0, -1]):
            self.fail("the CONSTANTINOPLE label does not fit over the map")


def main():
    if len(sys.argv) not in (2, 3):
        sys.exit(__doc__)
    folder = sys.argv[1]
    artgen = sys.argv[2] if len(sys.argv) == 3 else None
    pictures, overlays = manifest.read()
    with tempfile.TemporaryDirectory() as decoded:
        if artgen:
            # The tool decodes each folder's pictures in one run, far quicker than Python.
            for sub in ("", LARGE):
                os.makedirs(os.path.join(decoded, sub), exist_ok=True)
                names = sorted(n for n in os.listdir(os.path.join(folder, sub))
                               if n.endswith(".png") and n[:-4].isdigit())
                subprocess.run([artgen, "rgb", os.path.join(decoded, sub)] +
                               [os.path.join(folder, sub, n) for n in names], check=True)
        else:
            decoded = None
        return check_all(folder, decoded, pictures, overlays)


def check_all(folder, decoded, pictures, overlays):
    check = Checker(folder, decoded)
    large = Checker(os.path.join(folder, LARGE), decoded and os.path.join(decoded, LARGE))
    check.sizes(pictures, overlays)
    large.sizes(pictures, overlays, LARGE_SCALE)
    check.faults += large.faults
    if not check.faults:
        base_id = next(p.picture for p in pictures if p.name == "baseMap")
        base = check.picture(base_id)
        land = read_land(os.path.join(folder, "map-land.bin"), base.shape[1], base.shape[0])
        check.masks(pictures, overlays)
        index = check.overlays(overlays, land, base)
        check.seas_and_islands(land, base, index)
        check.larger(land)
        check.figures(pictures)
        check.label(pictures, base)
        large.masks(pictures, overlays)
        large.figures(pictures)
        check.faults += [f"{LARGE}: {fault}" for fault in large.faults]
    for fault in check.faults:
        print(f"check_pictures.py: {fault}", file=sys.stderr)
    return 1 if check.faults else 0


if __name__ == "__main__":
    sys.exit(main())
