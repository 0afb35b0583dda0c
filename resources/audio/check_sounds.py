#!/usr/bin/python3
"""Checks the levelled sounds for what the loudness and the format (pack.py) do not show, and
stops the build when one is wrong:

- no offset (a signed/unsigned mix-up), and an effect starts at once and is heard;
- the battle clashes across the spectrum instead of ringing on a few partials;
- the theme comes round its loop without a gap or a click;
- a narration speaks its whole caption script, to the emperor, at a speaking pace, centred,
  resting at every sentence's end, each caption line coming up as its words are spoken; the
  caption box draws short lines of plain ASCII;
- NOTICE credits every recorded clip.

    check_sounds.py --audio DIR --lessons DIR --clips DIR --notice FILE
"""
import argparse
import os
import sys

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import loudness  # noqa: E402
import soundlist  # noqa: E402


def rms(x):
    return float(np.sqrt(np.mean(np.square(x)))) if x.size else 0.0


def between(sound, start, end):
    return sound.samples[max(0, int(start * sound.rate)):max(0, int(end * sound.rate))]


def check_effect(entry, sound, fail):
    loud = np.flatnonzero(np.abs(sound.samples).max(axis=1) > 0.05)
    if rms(sound.samples) <= 0.04:
        fail("too quiet to hear over the music of the game")
    # The sword plays as a legion steps: a late start would trail the animation.
    if not loud.size or loud[0] / sound.rate >= 0.1:
        fail("starts late")
    if entry.effect == "Battle":
        power = np.abs(np.fft.rfft(sound.samples[:, 0]))[1:] ** 2
        high = power[np.fft.rfftfreq(len(sound.samples), 1 / sound.rate)[1:] >= 2000].sum()
        # A handful of sine partials puts nearly all the energy in a few bins; steel on
        # steel, recorded, spreads it over thousands.
        if np.sort(power)[-13:].sum() >= 0.25 * power.sum():
            fail("rings on a few partials instead of clashing")
        if high <= 0.2 * power.sum():
            fail("lacks the high ring of blades")


def check_theme(sound, fail):
    # Twice over, as the player hears it: no dip at the seam below the music's own quiet
    # moments, and the last frame leads into the first as any frame into the next.
    twice = np.concatenate([sound.samples, sound.samples])
    seam = len(sound.samples) / sound.rate

    def level(t):
        return 20 * np.log10(rms(between(loudness.Sound(twice, sound.rate, 16), t, t + 0.05))
                             + 1e-9)

    quietest = np.sort([level(t) for t in np.arange(0, seam - 0.05, 0.05)])
    quietest = quietest[len(quietest) // 10]
    for t in np.arange(seam - 0.3, seam + 0.3, 0.0125):
        if level(t) <= quietest - 6:
            fail(f"a dip {t - seam:+.2f} s from the loop point")
            break
    steps = np.abs(np.diff(sound.samples, axis=0))
    if (np.abs(sound.samples[0] - sound.samples[-1]) > np.quantile(steps, 0.9)).any():
        fail("clicks at the loop point")


def read_cues(path):
    lines, pauses = [], []
    with open(path, encoding="utf-8") as f:
        for words in (line.split() for line in f):
            if words and words[0] == "line":
                lines.append(float(words[1]) / 1000)
            elif words and words[0] == "pause":
                pauses.append((float(words[1]) / 1000, float(words[2]) / 1000, words[3]))
    return lines, pauses


def check_narration(sound, text, cues, fail):
    seconds = len(sound.samples) / sound.rate
    words = len(text.split())
    if not text.startswith("Princeps, "):
        fail("does not speak to the emperor")
    # A speech engine that stops early or stalls shows up as a wrong length or pace.
    if not (25 <= seconds <= 60 and 75 <= words <= 145 and 0.25 < seconds / words < 0.6):
        fail(f"{words} words in {seconds:.1f} s")
    for line in text.splitlines():
        if len(line) > 60 or any(not 0x20 <= ord(c) < 0x7F for c in line):
            fail(f"the caption line '{line}' is too long or not plain ASCII")
    if rms(sound.samples) <= 0.05 or sound.channels != 2:
        fail("too quiet, or not in both channels")
    elif abs(rms(sound.samples[:, 0]) ** 2 / rms(sound.samples[:, 1]) ** 2 - 1) > 0.05:
        fail("not centred")
    lines, pauses = read_cues(cues)
    rests = [p for p in pauses if p[2] == "sentence"]
    if len(rests) != text.count(".") - 1:
        fail(f"{len(rests)} rests between {text.count('.')} sentences")
    for start, end, _ in pauses:
        if end > seconds:
            fail(f"a pause at {start:.2f} s runs past the end")
    for start, end, _ in rests:
        if end - start < 0.4 or rms(between(sound, start + 0.02, end - 0.02)) >= 0.005:
            fail(f"no real silence at {start:.2f} s")
        if rms(between(sound, start - 0.3, start)) <= 0.02:
            fail(f"the rest at {start:.2f} s follows no speech")
    if len(lines) != sum(1 for line in text.splitlines() if line.strip()):
        fail(f"{len(lines)} caption times for the script's lines")
    for i, t in enumerate(lines):
        if (i and t <= lines[i - 1]) or rms(between(sound, t, t + 0.3)) <= 0.01:
            fail(f"caption line {i} comes up out of order or in a silence")


def main():
    ap = argparse.ArgumentParser()
    for option in ("--audio", "--lessons", "--clips", "--notice"):
        ap.add_argument(option, required=True)
    args = ap.parse_args()
    faults = []
    _, entries = soundlist.read()
    for entry in entries:
        def fail(text, name=entry.name):
            faults.append(f"{name}: {text}")
        sound = loudness.read_wave(os.path.join(args.audio, entry.name + ".wav"))
        if np.abs(sound.samples.mean(axis=0)).max() >= 0.02:
            fail("has an offset")
        if entry.kind == "narration":
            with open(os.path.join(args.lessons, entry.name + ".txt"), encoding="utf-8") as f:
                text = f.read()
            check_narration(sound, text, os.path.join(args.audio, entry.name + ".cues"), fail)
        elif entry.kind == "theme":
            check_theme(sound, fail)
        else:
            check_effect(entry, sound, fail)
    with open(args.notice, encoding="utf-8") as f:
        notice = f.read()
    for clip in sorted(os.listdir(args.clips)):
        if clip not in notice:
            faults.append(f"{clip} is not credited in NOTICE")
    for fault in faults:
        print(f"check_sounds.py: {fault}", file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
