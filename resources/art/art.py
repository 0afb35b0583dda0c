"""Makes every picture of the game from the sources in this folder.

    art.py --list                       prints the picture ids, one a line
    art.py --list-large                 prints the ids of the pictures drawn at three times their size
    art.py --out DIR --artgen TOOL --rsvg RSVG --fonts DIR

pictures.txt lists them all: ids, sizes and what draws each. The map and its overlays come
from the artgen tool (world.txt, the overlay lines of pictures.txt and the province table);
every other picture is written here as SVG and rendered with rsvg-convert; masked pictures are
then split by artgen into the picture (black where transparent) and its mask, and a pale copy
is washed out of its drawn sprite. Every picture but the window icons is drawn twice: at its
own size and, in the folder large, at three times it, for screens drawn larger than the layout
(up to three times): a larger screen reduces its pictures, it never enlarges them.
"""

import argparse
import concurrent.futures
import os
import shutil
import struct
import subprocess
import sys
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import manifest  # noqa: E402
import scenes  # noqa: E402
import sprites  # noqa: E402
from svg import document  # noqa: E402


# The pictures are drawn again at this many times their pixels, for larger screens, into the
# folder LARGE.
LARGE_SCALE = 3
LARGE = "large"


def map_ids(pictures, overlays):
    """The ids of the map's pictures: the map, its label, the overlays and their masks."""
    ids = [p.picture for p in pictures if p.kind == "map"]
    for o in overlays:
        ids += o.pictures() + [o.mask]
    return sorted(set(ids))


def large_ids(pictures, overlays):
    """The ids drawn again at LARGE_SCALE times their size: all but the window icons, which the
    system takes at their own sizes."""
    ids = map_ids(pictures, overlays)
    for p in pictures:
        if p.kind not in ("map", "alpha"):
            ids += [p.picture] + ([p.mask] if p.mask >= 0 else [])
    return sorted(set(ids))


def maker(name):
    """The function a manifest line names, as module.function of this folder."""
    module, function = name.split(".")
    return getattr({"sprites": sprites, "scenes": scenes}[module], function)


def jobs(pictures):
    """(kind, ids, size, maker) of every picture but the map's: kind is 'pale', 'masked',
    'opaque', 'scene' or 'alpha'. The pale copies are made last, from their sprites."""
    out = []
    names = {p.name: p for p in pictures}
    for p in pictures:
        size = (p.width, p.height)
        if p.kind == "pale":
            out.append(("pale", [names[p.drawn_by].picture, p.picture], size, None))
        elif p.kind in ("masked", "opaque", "alpha"):
            out.append((p.kind, [p.picture] + ([p.mask] if p.mask >= 0 else []), size,
                        lambda f=maker(p.drawn_by), w=p.width, h=p.height: f(w, h)))
        elif p.kind in ("boxed", "scene"):
            out.append(("scene", [p.picture], size, maker(p.drawn_by)))
    for frames in manifest.animations(pictures).values():
        n = len(frames)
        for i, p in enumerate(frames):
            out.append(("masked", [p.picture, p.mask], (p.width, p.height),
                        lambda i=i, n=n, w=p.width, h=p.height, b=maker(p.drawn_by):
                        document(w, h, b(i, n, w, h))))
    return out


def repack(path):
    """Compresses a PNG's pixels again at zlib's best, the pixels and everything else as they
    were: the pictures are embedded, and the browser downloads them."""
    with open(path, "rb") as f:
        data = f.read()
    chunks, compressed, at = [], b"", 8
    while at < len(data):
        (length,) = struct.unpack(">I", data[at:at + 4])
        kind = data[at + 4:at + 8]
        if kind == b"IDAT":
            compressed += data[at + 8:at + 8 + length]
            if not chunks or chunks[-1] is not None:
                chunks.append(None)  # where the pixels go
        else:
            chunks.append(data[at:at + 12 + length])
        at += 12 + length
    packed = zlib.compress(zlib.decompress(compressed), 9)
    if len(packed) >= len(compressed):
        return
    idat = struct.pack(">I", len(packed)) + b"IDAT" + packed
    idat += struct.pack(">I", zlib.crc32(b"IDAT" + packed))
    with open(path, "wb") as f:
        f.write(data[:8] + b"".join(idat if c is None else c for c in chunks))


def run(cmd):
    result = subprocess.run(cmd, capture_output=True, text=True)
    if result.returncode != 0:
        raise RuntimeError(f"{' '.join(cmd)} failed:\n{result.stderr}")


def lesson_maps(out, work):
    """{zoom: {key: file}}: the maps the full pictures show, copied beside their SVG (the
    renderer reads images only from there). Drawn larger, the pictures take the larger maps."""
    maps = {1: {}, LARGE_SCALE: {}}
    for key, name in (("map", "111.png"), ("three", "map-three-empires.png"),
                      ("divided", "map-divided.png"), ("whole", "map-whole.png")):
        for zoom, folder, prefix in ((1, out, "lesson-"), (LARGE_SCALE, os.path.join(out, LARGE),
                                                          "lesson-large-")):
            shutil.copyfile(os.path.join(folder, name), os.path.join(work, prefix + name))
            maps[zoom][key] = prefix + name
    return maps


def draw_all(args, pictures):
    """Draws every picture of the list into args.out and, at LARGE_SCALE times the size, into
    its folder LARGE."""
    out = args.out
    large = os.path.join(out, LARGE)
    work = os.path.join(out, "work")
    os.makedirs(work, exist_ok=True)
    os.makedirs(large, exist_ok=True)
    # The map first: the intro, splash and two lessons show it.
    run([args.artgen, "map", os.path.join(HERE, "world.txt"), args.fonts, out,
         str(LARGE_SCALE), large])
    maps = lesson_maps(out, work)

    def render(svg_text, name, zoom):
        svg_path = os.path.join(work, name + ".svg")
        png_path = os.path.join(work, name + ".png")
        with open(svg_path, "w", encoding="utf-8") as f:
            f.write(svg_text)
        run([args.rsvg, "--zoom", str(zoom), svg_path, "-o", png_path])
        return png_path

    def make(task):
        (kind, ids, size, draw), zoom = task
        folder = out if zoom == 1 else large
        name = f"{ids[0]}" if zoom == 1 else f"{ids[0]}-{LARGE}"
        if kind == "masked":
            rgba = render(draw(), name, zoom)
            run([args.artgen, "split", rgba, os.path.join(folder, f"{ids[0]}.png"),
                 os.path.join(folder, f"{ids[1]}.png")])
        elif kind in ("opaque", "scene"):
            if kind == "scene":
                svg_text = document(size[0], size[1], draw(maps[zoom]))
            else:
                svg_text = draw()
            rgba = render(svg_text, name, zoom)
            run([args.artgen, "flatten", rgba, os.path.join(folder, f"{ids[0]}.png")])
        elif kind == "alpha":
            rgba = render(draw(), name, zoom)
            os.replace(rgba, os.path.join(folder, f"{ids[0]}.png"))

    every = jobs(pictures)
    tasks = [(j, zoom) for zoom in (LARGE_SCALE, 1) for j in every
             if j[0] != "pale" and (zoom == 1 or j[0] != "alpha")]
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        list(pool.map(make, tasks))
    for _, (source, pale), _, _ in [j for j in every if j[0] == "pale"]:
        for folder in (out, large):
            run([args.artgen, "pale", os.path.join(folder, f"{source}.png"),
                 os.path.join(folder, f"{pale}.png")])
    pictures = [os.path.join(folder, name) for folder in (out, large)
                for name in os.listdir(folder) if name.endswith(".png") and name[:-4].isdigit()]
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        list(pool.map(repack, pictures))


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--list-large", action="store_true")
    parser.add_argument("--out")
    parser.add_argument("--artgen")
    parser.add_argument("--rsvg")
    parser.add_argument("--fonts")
    args = parser.parse_args()
    try:
        pictures, overlays = manifest.read()
    except manifest.ManifestError as e:
        print(f"art.py: {e}", file=sys.stderr)
        return 1
    if args.list:
        print("\n".join(str(i) for i in manifest.all_ids(pictures, overlays)))
        return 0
    if args.list_large:
        print("\n".join(str(i) for i in large_ids(pictures, overlays)))
        return 0

    draw_all(args, pictures)
    missing = [i for i in manifest.all_ids(pictures, overlays)
               if not os.path.exists(os.path.join(args.out, f"{i}.png"))]
    missing += [f"{LARGE}/{i}" for i in large_ids(pictures, overlays)
                if not os.path.exists(os.path.join(args.out, LARGE, f"{i}.png"))]
    if missing:
        print(f"art.py: pictures not made: {missing}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
