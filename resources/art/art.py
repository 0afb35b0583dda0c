"""Makes every picture of the game from the sources in this folder.

    art.py --list                       prints the picture ids, one a line
    art.py --out DIR --artgen TOOL --rsvg RSVG --fonts DIR

The map and its overlays come from the artgen tool (world.txt and the province table); every
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

import scenes  # noqa: E402
import sprites  # noqa: E402
from svg import document  # noqa: E402


def overlay_ids():
    ids = []
    with open(os.path.join(HERE, "world.txt"), encoding="utf-8") as f:
        for line in f:
            words = line.split("#")[0].split()
            if words and words[0] == "overlay":
                ids += [int(w) for w in words[6:10]]
    return ids


def jobs():
    """(kind, ids, maker): kind is 'opaque', 'masked', 'alpha' or 'map'."""
    out = [("map", [111, 251] + overlay_ids(), None)]
    for pic, mask, w, h, kind, mirror, size in sprites.ICONS:
        out.append(("masked", [pic, mask], lambda k=kind, w=w, h=h, m=mirror, s=size:
                    sprites.icon(k, w, h, m, s)))
    out.append(("pale", [170], None))
    for _, pics, masks, w, h, build in sprites.ANIMATIONS:
        n = len(pics)
        for i, (pic, mask) in enumerate(zip(pics, masks)):
            out.append(("masked", [pic, mask], lambda i=i, n=n, w=w, h=h, b=build:
                        document(w, h, b(i, n, w, h))))
    out.append(("masked", [229, 230], sprites.swords))
    out.append(("masked", [264, 265], sprites.parchment))
    out.append(("opaque", [268], lambda: sprites.coin(True)))
    out.append(("opaque", [269], lambda: sprites.coin(False)))
    out.append(("opaque", [185], sprites.legend))
    out.append(("opaque", [234], sprites.banner))
    out.append(("opaque", [231], lambda: sprites.button(False)))
    out.append(("opaque", [232], lambda: sprites.button(True)))
    out.append(("opaque", [182], sprites.portrait))
    out.append(("alpha", [107], lambda: sprites.app_icon(32)))
    out.append(("alpha", [108], lambda: sprites.app_icon(16)))
    for pid, scene in list(scenes.LESSONS.items()) + list(scenes.OTHERS.items()):
        out.append(("scene", [pid], scene))
    out.append(("scene", [165], scenes.splash))
    return out


def all_ids():
    ids = []
    for _, group, _ in jobs():
        ids += group
    return sorted(ids)


def run(cmd):
    result = subprocess.run(cmd, capture_output=True, text=True)
    if result.returncode != 0:
        raise RuntimeError(f"{' '.join(cmd)} failed:\n{result.stderr}")


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--list", action="store_true")
    parser.add_argument("--out")
    parser.add_argument("--artgen")
    parser.add_argument("--rsvg")
    parser.add_argument("--fonts")
    args = parser.parse_args()
    if args.list:
        print("\n".join(str(i) for i in all_ids()))
        return 0

    out = args.out
    work = os.path.join(out, "work")
    os.makedirs(work, exist_ok=True)
    # The map first: the intro, splash and two lessons show it.
    run([args.artgen, "map", os.path.join(HERE, "world.txt"), args.fonts, out])
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
        kind, ids, maker = job
        if kind == "masked":
            rgba = render(maker(), f"{ids[0]}")
            run([args.artgen, "split", rgba, os.path.join(out, f"{ids[0]}.png"),
                 os.path.join(out, f"{ids[1]}.png")])
        elif kind in ("opaque", "scene"):
            if kind == "scene":
                size = (640, 480) if ids[0] == 165 else (600, 400)
                svg_text = document(size[0], size[1], maker(maps))
            else:
                svg_text = maker()
            rgba = render(svg_text, f"{ids[0]}")
            run([args.artgen, "flatten", rgba, os.path.join(out, f"{ids[0]}.png")])
        elif kind == "alpha":
            rgba = render(maker(), f"{ids[0]}")
            os.replace(rgba, os.path.join(out, f"{ids[0]}.png"))

    with concurrent.futures.ThreadPoolExecutor(max_workers=2) as pool:
        list(pool.map(make, [j for j in jobs() if j[0] not in ("map", "pale")]))
    run([args.artgen, "pale", os.path.join(out, "168.png"), os.path.join(out, "170.png")])

    missing = [i for i in all_ids() if not os.path.exists(os.path.join(out, f"{i}.png"))]
    if missing:
        print(f"art.py: pictures not made: {missing}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
