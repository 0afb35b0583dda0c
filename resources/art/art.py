"""Makes every picture of the game from the sources in this folder.

    art.py --list                       prints the picture ids, one a line
    art.py --list-map                   prints the ids of the map's pictures, one a line
    art.py --out DIR --artgen TOOL --rsvg RSVG --fonts DIR

pictures.txt lists them all: ids, sizes and what draws each. The map and its overlays come
from the artgen tool (world.txt, the overlay lines of pictures.txt and the province table), at
their own size and, in the folder 2x, at twice it; every
other picture is written here as SVG and rendered with rsvg-convert; masked pictures are then
split by artgen into the picture (black where transparent) and its mask.
"""

import argparse
import concurrent.futures
import os
import shutil
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import manifest  # noqa: E402
import scenes  # noqa: E402
import sprites  # noqa: E402
from svg import document  # noqa: E402


# The map is drawn again at this many times its pixels, for larger screens.
MAP_SCALE = 2


def map_ids(pictures, overlays):
    """The ids of the map's pictures: the map, its label, the overlays and their masks."""
    ids = [p.picture for p in pictures if p.kind == "map"]
    for o in overlays:
        ids += o.pictures() + [o.mask]
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


def run(cmd):
    result = subprocess.run(cmd, capture_output=True, text=True)
    if result.returncode != 0:
        raise RuntimeError(f"{' '.join(cmd)} failed:\n{result.stderr}")


def draw_all(args, pictures):
    """Draws every picture of the list into args.out."""
    out = args.out
    work = os.path.join(out, "work")
    os.makedirs(work, exist_ok=True)
    # The map first: the intro, splash and two lessons show it.
    run([args.artgen, "map", os.path.join(HERE, "world.txt"), args.fonts, out,
         str(MAP_SCALE), os.path.join(out, f"{MAP_SCALE}x")])
    # The renderer only reads images beside the SVG that uses them.
    maps = {}
    for key, name in (("map", "111.png"), ("three", "map-three-empires.png"),
                      ("divided", "map-divided.png"), ("whole", "map-whole.png")):
        shutil.copyfile(os.path.join(out, name), os.path.join(work, "lesson-" + name))
        maps[key] = "lesson-" + name

    def render(svg_text, name):
        svg_path = os.path.join(work, name + ".svg")
        png_path = os.path.join(work, name + ".png")
        with open(svg_path, "w", encoding="utf-8") as f:
            f.write(svg_text)
        run([args.rsvg, svg_path, "-o", png_path])
        return png_path

    def make(job):
        kind, ids, size, draw = job
        if kind == "masked":
            rgba = render(draw(), f"{ids[0]}")
            run([args.artgen, "split", rgba, os.path.join(out, f"{ids[0]}.png"),
                 os.path.join(out, f"{ids[1]}.png")])
        elif kind in ("opaque", "scene"):
            if kind == "scene":
                svg_text = document(size[0], size[1], draw(maps))
            else:
                svg_text = draw()
            rgba = render(svg_text, f"{ids[0]}")
            run([args.artgen, "flatten", rgba, os.path.join(out, f"{ids[0]}.png")])
        elif kind == "alpha":
            rgba = render(draw(), f"{ids[0]}")
            os.replace(rgba, os.path.join(out, f"{ids[0]}.png"))

    every = jobs(pictures)
    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        list(pool.map(make, [j for j in every if j[0] != "pale"]))
    for _, (source, pale), _, _ in [j for j in every if j[0] == "pale"]:
        run([args.artgen, "pale", os.path.join(out, f"{source}.png"),
             os.path.join(out, f"{pale}.png")])


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--list-map", action="store_true")
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
    if args.list_map:
        print("\n".join(str(i) for i in map_ids(pictures, overlays)))
        return 0

    draw_all(args, pictures)
    missing = [i for i in manifest.all_ids(pictures, overlays)
               if not os.path.exists(os.path.join(args.out, f"{i}.png"))]
    if missing:
        print(f"art.py: pictures not made: {missing}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
