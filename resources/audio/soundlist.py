#!/usr/bin/env python3
"""Reads sounds.txt, the list of every sound, for the build and for the game.

    soundlist.py --cmake               one line per sound for CMake:
                                       NAME,KIND,MADE-BY,CHANNELS,RATE,BITS,SECONDS,LUFS,QUALITY
    soundlist.py --header FILE         writes SoundList.h, the list for the game
    soundlist.py --effects-header FILE writes SoundEffects.h, the rules' names of the effects

A faulty line (an unknown kind, a name or effect used twice, a format the game cannot play, a
kind without its level) stops the build with the line's number.
"""
import argparse
import os
import re
import sys
from dataclasses import dataclass

HERE = os.path.dirname(os.path.abspath(__file__))
PATH = os.path.join(HERE, "sounds.txt")
KINDS = ("effect", "theme", "narration")
PLAYS = {"async": "Alongside", "sync": "HoldsUp", "loop": "Loops"}
MADE_BY = ("mix", "synth", "mix+synth", "score", "voice")


@dataclass
class Level:
    kind: str
    lufs: float
    quality: float


@dataclass
class Entry:
    kind: str
    name: str
    effect: str  # empty for a narration
    plays: str
    made_by: str
    channels: int
    rate: int
    bits: int
    seconds: float  # 0: as long as it is spoken
    line: int


class ListError(Exception):
    pass


def _parse(path):
    levels, entries = {}, []
    with open(path, encoding="utf-8") as f:
        for number, text in enumerate(f, 1):
            words = text.split("#")[0].split()
            if not words:
                continue
            where = f"{path}:{number}"
            try:
                if words[0] == "level" and len(words) == 4 and words[1] in KINDS:
                    if words[1] in levels:
                        raise ListError(f"{where}: a second level for {words[1]}")
                    levels[words[1]] = Level(words[1], float(words[2]), float(words[3]))
                elif words[0] in KINDS and len(words) == 9:
                    kind, name, effect, plays, made_by = words[:5]
                    entries.append(Entry(kind, name, "" if effect == "-" else effect, plays,
                                         made_by, int(words[5]), int(words[6]), int(words[7]),
                                         0.0 if words[8] == "-" else float(words[8]), number))
                else:
                    raise ValueError
            except ValueError:
                raise ListError(f"{where}: cannot read '{' '.join(words)}'") from None
    return levels, entries


def _check(path, levels, entries):
    names, effects = {}, {}
    for e in entries:
        where = f"{path}:{e.line}"
        if not re.fullmatch(r"IDR_[A-Z0-9_]+", e.name):
            raise ListError(f"{where}: {e.name} is no resource name (IDR_...)")
        if e.name in names:
            raise ListError(f"{where}: {e.name} is listed twice")
        names[e.name] = e
        if e.plays not in PLAYS or e.made_by not in MADE_BY:
            raise ListError(f"{where}: {e.name} plays or is made in no known way")
        if (e.kind == "narration") == bool(e.effect):
            raise ListError(f"{where}: effects and the theme have an effect name, narrations none")
        if e.effect:
            if not re.fullmatch(r"[A-Z][A-Za-z0-9]*", e.effect) or e.effect in effects:
                raise ListError(f"{where}: the effect name {e.effect} is taken or no name")
            effects[e.effect] = e
        # What the sound codec and the platform's player accept.
        if e.channels not in (1, 2) or e.bits not in (8, 16) or not 8000 <= e.rate <= 48000:
            raise ListError(f"{where}: {e.name} is in a format the game cannot play")
        if (e.kind == "narration") != (e.seconds == 0):
            raise ListError(f"{where}: every sound but a narration has a fixed length")
        if e.kind == "narration" and e.made_by != "voice":
            raise ListError(f"{where}: a narration is spoken (voice)")
        if e.kind not in levels:
            raise ListError(f"{where}: no level line for {e.kind}")
    if sum(e.kind == "theme" for e in entries) != 1:
        raise ListError(f"{path}: one theme, no more, no fewer")


def read(path=PATH):
    """(levels by kind, entries), checked."""
    levels, entries = _parse(path)
    _check(path, levels, entries)
    return levels, entries


def find(name, path=PATH):
    """(entry, level) of one sound."""
    levels, entries = read(path)
    for e in entries:
        if e.name == name:
            return e, levels[e.kind]
    raise ListError(f"{path}: no sound called {name}")


def cmake_lines(levels, entries):
    out = []
    for e in entries:
        level = levels[e.kind]
        out.append(",".join(str(v) for v in (e.name, e.kind, e.made_by, e.channels, e.rate,
                                             e.bits, e.seconds, level.lufs, level.quality)))
    return "\n".join(out)


def effects_header(entries):
    """The rules' names of the effects, alone, so that the rules are built again only when
    those change."""
    out = ["// Made by resources/audio/soundlist.py from resources/audio/sounds.txt: edit that.",
           "#pragma once", "", "namespace tessarion {", "",
           "// The effects the rules ask for; the front end maps each to its recording.",
           "enum class Sound {"]
    out += [f"    {e.effect}," for e in entries if e.effect]
    out += ["};", "", "}  // namespace tessarion", ""]
    return "\n".join(out)


def header(entries):
    first_effect = next(e.effect for e in entries if e.effect)
    out = ["// Made by resources/audio/soundlist.py from resources/audio/sounds.txt: edit that.",
           "#pragma once", "", '#include "model/Sound.h"', "", "namespace tessarion {", "",
           "enum class SoundKind { Effect, Theme, Narration };",
           "// Alongside the game, holding it up until the end, or over and over.",
           "enum class SoundPlay { Alongside, HoldsUp, Loops };", "",
           "struct ListedSound {", "    const char* name;", "    SoundKind kind;",
           "    Sound effect;  // meaningless for a narration", "    SoundPlay play;",
           "    int channels;", "    int rate;", "    int bits;",
           "    double seconds;  // 0 for a narration: as long as it is spoken", "};", "",
           "inline constexpr ListedSound kSoundList[] = {"]
    for e in entries:
        kind = e.kind.capitalize()
        out.append(f'    {{"{e.name}", SoundKind::{kind}, Sound::{e.effect or first_effect}, '
                   f"SoundPlay::{PLAYS[e.plays]}, {e.channels}, {e.rate}, {e.bits}, "
                   f"{e.seconds:g}}},")
    out += ["};", "", "}  // namespace tessarion", ""]
    return "\n".join(out)


def write_if_changed(path, text):
    # Rewritten only when it changes, so that a new sound rebuilds no more C++ than it must.
    try:
        with open(path, encoding="utf-8") as f:
            if f.read() == text:
                return
    except OSError:
        pass
    os.makedirs(os.path.dirname(os.path.abspath(path)), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cmake", action="store_true")
    parser.add_argument("--header")
    parser.add_argument("--effects-header")
    args = parser.parse_args()
    try:
        levels, entries = read()
    except ListError as e:
        print(f"soundlist.py: {e}", file=sys.stderr)
        return 1
    if args.cmake:
        print(cmake_lines(levels, entries))
    if args.header:
        write_if_changed(args.header, header(entries))
    if args.effects_header:
        write_if_changed(args.effects_header, effects_header(entries))
    return 0


if __name__ == "__main__":
    sys.exit(main())
