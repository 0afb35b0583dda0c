"""Reads pictures.txt, the list of every picture, and writes the C++ header made from it.

    manifest.py --header FILE      writes PictureManifest.h

A faulty line (an id used twice, a mask that is also a picture, frames of one animation of
different sizes, an unknown kind) stops the build with the line's number.
"""

import argparse
import os
import sys
from dataclasses import dataclass

HERE = os.path.dirname(os.path.abspath(__file__))
PATH = os.path.join(HERE, "pictures.txt")
KINDS = ("map", "masked", "pale", "frame", "opaque", "alpha", "boxed", "scene")


@dataclass
class Picture:
    kind: str
    name: str
    picture: int
    mask: int  # -1: none
    width: int
    height: int
    drawn_by: str  # empty for the map's pictures
    line: int


@dataclass
class Overlay:
    province: str
    x: int
    y: int
    width: int
    height: int
    plain: int
    yellow: int
    blue: int
    mask: int
    line: int

    def pictures(self):
        return [self.plain, self.yellow, self.blue]


class ManifestError(Exception):
    pass


def _parse(path):
    pictures, overlays = [], []
    with open(path, encoding="utf-8") as f:
        for number, text in enumerate(f, 1):
            words = text.split("#")[0].split()
            if not words:
                continue
            where = f"{path}:{number}"
            try:
                if words[0] == "overlay" and len(words) == 10:
                    overlays.append(Overlay(words[1].replace("_", " "),
                                            *(int(w) for w in words[2:]), number))
                elif words[0] in KINDS and len(words) in (6, 7):
                    mask = -1 if words[3] == "-" else int(words[3])
                    pictures.append(Picture(words[0], words[1], int(words[2]), mask,
                                            int(words[4]), int(words[5]),
                                            words[6] if len(words) == 7 else "", number))
                else:
                    raise ValueError
            except ValueError:
                raise ManifestError(f"{where}: cannot read '{' '.join(words)}'") from None
    return pictures, overlays


def _check(path, pictures, overlays):
    owner = {}

    def claim(pid, what, line):
        if pid in owner:
            raise ManifestError(f"{path}:{line}: id {pid} is already {owner[pid]}")
        owner[pid] = what

    masks = {}
    for p in pictures:
        claim(p.picture, f"picture {p.name}", p.line)
        if p.width <= 0 or p.height <= 0:
            raise ManifestError(f"{path}:{p.line}: {p.name} has no size")
        if (p.kind in ("masked", "pale", "frame")) != (p.mask >= 0):
            raise ManifestError(f"{path}:{p.line}: " + (f"{p.name} needs a mask" if p.mask < 0
                                                         else "only sprites have masks"))
        if p.kind != "map" and not p.drawn_by:
            raise ManifestError(f"{path}:{p.line}: nothing draws {p.name}")
        if p.mask >= 0:
            masks.setdefault(p.mask, []).append(p)
    for o in overlays:
        for pid in o.pictures():
            claim(pid, f"an overlay of {o.province}", o.line)
        claim(o.mask, f"the overlay mask of {o.province}", o.line)
    for mask, users in masks.items():
        # A mask may serve more than one picture (the pale legion), never a different size.
        if mask in owner:
            raise ManifestError(f"{path}:{users[0].line}: mask {mask} is {owner[mask]}")
        if len({(u.width, u.height) for u in users}) != 1:
            raise ManifestError(f"{path}:{users[-1].line}: mask {mask} serves two sizes")
    names = {}
    for p in pictures:
        first = names.setdefault(p.name, p)
        if first is not p and (p.kind != "frame" or first.kind != "frame"):
            raise ManifestError(f"{path}:{p.line}: the name {p.name} is used twice")
        if first is not p and (p.width, p.height) != (first.width, first.height):
            raise ManifestError(f"{path}:{p.line}: the frames of {p.name} differ in size")
    for p in pictures:
        if p.kind == "pale" and names.get(p.drawn_by, p).kind != "masked":
            raise ManifestError(f"{path}:{p.line}: {p.name} is pale of no masked picture")


def read(path=PATH):
    """(pictures, overlays), checked."""
    pictures, overlays = _parse(path)
    _check(path, pictures, overlays)
    return pictures, overlays


def animations(pictures):
    """{name: [frame, ...]} in the order of the list."""
    out = {}
    for p in pictures:
        if p.kind == "frame":
            out.setdefault(p.name, []).append(p)
    return out


def all_ids(pictures, overlays):
    ids = []
    for p in pictures:
        ids += [p.picture] + ([p.mask] if p.mask >= 0 and p.mask not in ids else [])
    for o in overlays:
        ids += o.pictures() + [o.mask]
    return sorted(set(ids))


def _entry(p):
    return f"{{{p.picture}, {p.mask}, {p.width}, {p.height}}}"


def header(pictures, overlays):
    singles = [p for p in pictures if p.kind != "frame"]
    frames = animations(pictures)
    boxed = [p for p in pictures if p.kind == "boxed"]
    out = ["// Made by resources/art/manifest.py from resources/art/pictures.txt: edit that.",
           "#pragma once", "", "#include <array>", "", '#include "ui/PictureEntry.h"', "",
           "namespace tessarion::pic {", ""]
    out += [f"inline constexpr PictureEntry {p.name}{_entry(p)};" for p in singles]
    out.append("")
    for name, list_ in frames.items():
        body = ", ".join(_entry(p) for p in list_)
        out.append(f"inline constexpr std::array<PictureEntry, {len(list_)}> {name}{{{{{body}}}}};")
    out += ["", "// The pictures the picture box shows.",
            f"inline constexpr std::array<PictureEntry, {len(boxed)}> kBoxed{{{{"]
    out += [f"    {p.name}," for p in boxed]
    out += ["}};", "", "// Every picture but the overlays, by name.",
            f"inline constexpr std::array<NamedPicture, {len(pictures)}> kEvery{{{{"]
    out += [f'    {{"{p.name}", {_entry(p)}}},' for p in pictures]
    out += ["}};", "", f"inline constexpr std::array<OverlayEntry, {len(overlays)}> kOverlays{{{{"]
    out += [f'    {{"{o.province}", {o.x}, {o.y}, {o.width}, {o.height}, {o.plain}, {o.yellow}, '
            f"{o.blue}, {o.mask}}}," for o in overlays]
    out += ["}};", "", "}  // namespace tessarion::pic", ""]
    return "\n".join(out)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--header", required=True)
    args = parser.parse_args()
    try:
        pictures, overlays = read()
    except ManifestError as e:
        print(f"manifest.py: {e}", file=sys.stderr)
        return 1
    text = header(pictures, overlays)
    # Rewritten only when it changes, so that an art edit rebuilds no C++.
    try:
        with open(args.header, encoding="utf-8") as f:
            if f.read() == text:
                return 0
    except OSError:
        pass
    with open(args.header, "w", encoding="utf-8") as f:
        f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
