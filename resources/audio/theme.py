#!/usr/bin/python3
"""The introduction theme: a short score in the Dorian mode on D, written here as notes,
saved as a Standard MIDI File and rendered with fluidsynth through a General MIDI soundfont.

    theme.py --midi OUT.mid                       the score only
    theme.py --fluidsynth F --soundfont SF --sox SOX OUT.wav

Horns sound the call on their natural notes, a reed pipe (the aulos) sings the tune over a
lyre's broken chords, a pan pipe answers it, and war drums and kettle drums keep the pace.
Four bars of four beats fill the 13.2 seconds the intro plays before it loops.

The intro loops without a seam: the score is played three times over and the middle time is
kept, so that its first bar begins under the ringing of the last one, as it will when the
loop comes round; a few milliseconds of crossfade hide what the synthesiser does differently
the second time (its chorus and vibrato do not restart with the score).
"""
import argparse
import os
import struct
import subprocess
import sys
import tempfile

import numpy as np

import loudness

import soundlist

NAME = "IDR_INTRO_SND"
BEATS = 16
TICKS = 480  # per beat
PASSES = 3
CROSSFADE = 0.03  # seconds

# Scientific pitch names to MIDI numbers; the tune stays within the white keys of D Dorian.
STEPS = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}


def note(name):
    return 12 * (int(name[1:]) + 1) + STEPS[name[0]]


def line(score, start=0.0):
    """'A4:1 G4:.5 -:1' -> [(beat, length, pitch)]; '-' is a rest."""
    notes, at = [], start
    for token in score.split():
        pitch, length = token.split(":")
        length = float(length)
        if pitch != "-":
            notes.append((at, length, note(pitch)))
        at += length
    return notes


# (channel, General MIDI program, volume, pan, notes as (beat, length, pitch, velocity))
def score():
    parts = []

    aulos = line("A4:1 G4:.5 F4:.5 E4:1 D4:1  F4:.5 G4:.5 A4:1 B4:1 A4:1 "
                 "C5:1 B4:.5 A4:.5 G4:1 E4:1  F4:1 E4:1 D4:2")
    parts.append((0, 68, 100, 56, [(b, l * 0.95, p, 92) for b, l, p in aulos]))

    # The pan pipe echoes the tune an octave up in the second half.
    pipe = [(b, l * 0.9, p + 12, 64) for b, l, p in aulos if b >= 8]
    parts.append((1, 75, 80, 84, pipe))

    # The lyre plucks the mode's chords in eighths: D, D, C, D.
    lyre = []
    for bar, root in enumerate(["D3", "D3", "C3", "D3"]):
        r = note(root)
        for i, step in enumerate([0, 7, 12, 7, 0, 7, 12, 14]):
            lyre.append((bar * 4 + i * 0.5, 0.9, r + step, 70 if i % 4 == 0 else 56))
    parts.append((2, 46, 96, 40, lyre))

    # Two horns call at the start of the first and third bars, on the horn's natural notes.
    horn = line("D3:1.5 A3:.5 D4:2", 0) + line("A2:1 D3:1 A3:2", 8)
    parts.append((3, 60, 100, 64, [(b, l, p, 96) for b, l, p in horn] +
                  [(b, l, p + 7, 80) for b, l, p in horn]))

    # Kettle drums on the first and third beats, war drums on every beat, a roll to close.
    timpani = []
    for bar in range(4):
        timpani += [(bar * 4, 1, note("D2"), 100), (bar * 4 + 2, 1, note("A1"), 80)]
    timpani += [(15 + i * 0.25, 0.25, note("D2"), 60 + 10 * i) for i in range(4)]
    parts.append((4, 47, 100, 64, timpani))
    war = [(b, 0.5, note("C3"), 110 if b % 4 == 0 else 70) for b in range(BEATS)]
    war += [(b + 0.5, 0.5, note("C3"), 50) for b in range(BEATS) if b % 2 == 1]
    parts.append((5, 116, 90, 64, war))
    return parts


def varlen(n):
    out = [n & 0x7F]
    n >>= 7
    while n:
        out.append(0x80 | (n & 0x7F))
        n >>= 7
    return bytes(reversed(out))


def repeated(parts, passes):
    """The score played `passes` times in a row."""
    return [(channel, program, volume, pan,
             [(b + p * BEATS, l, pitch, v) for p in range(passes) for b, l, pitch, v in notes])
            for channel, program, volume, pan, notes in parts]


def midi(parts, seconds):
    tempo = round(seconds / BEATS * 1_000_000)  # microseconds per beat
    events = [(0, 0, b"\xff\x51\x03" + tempo.to_bytes(3, "big"))]
    for channel, program, volume, pan, notes in parts:
        events += [(0, 1, bytes([0xC0 | channel, program])),
                   (0, 1, bytes([0xB0 | channel, 7, volume])),
                   (0, 1, bytes([0xB0 | channel, 10, pan]))]
        for beat, length, pitch, velocity in notes:
            on = round(beat * TICKS)
            off = round((beat + length) * TICKS)
            events.append((on, 3, bytes([0x90 | channel, pitch, velocity])))
            events.append((off, 2, bytes([0x80 | channel, pitch, 0])))
    # Offs before ons at the same tick, so that a repeated note sounds again.
    events.sort(key=lambda e: (e[0], e[1]))
    track, last = b"", 0
    for tick, _, data in events:
        track += varlen(tick - last) + data
        last = tick
    track += b"\x00\xff\x2f\x00"
    return (b"MThd" + struct.pack(">IHHH", 6, 0, 1, TICKS) +
            b"MTrk" + struct.pack(">I", len(track)) + track)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--midi")
    ap.add_argument("--fluidsynth")
    ap.add_argument("--soundfont")
    ap.add_argument("--sox")
    ap.add_argument("output", nargs="?")
    args = ap.parse_args()

    entry, _ = soundlist.find(NAME)
    seconds, rate = entry.seconds, entry.rate
    if args.midi:
        with open(args.midi, "wb") as f:
            f.write(midi(score(), seconds))
    if not args.output:
        return 0
    frames = round(seconds * rate)
    fade = round(CROSSFADE * rate)
    with tempfile.TemporaryDirectory() as tmp:
        mid = os.path.join(tmp, "theme.mid")
        raw = os.path.join(tmp, "theme.wav")
        with open(mid, "wb") as f:
            f.write(midi(repeated(score(), PASSES), seconds))
        subprocess.run([args.fluidsynth, "-ni", "-q", "-g", "0.5", "-r", "44100", "-T", "wav",
                        "-F", raw, args.soundfont, mid], check=True,
                       stdout=subprocess.DEVNULL)
        # The middle pass, and after it the start of the last, which leads back in.
        middle = os.path.join(tmp, "middle.wav")
        subprocess.run([args.sox, "-R", raw, "-b", "24", middle, "rate", "-v", str(rate),
                        "remix", "1", "2", "trim", f"{frames}s", f"{frames + fade}s"],
                       check=True)
        made = loudness.read(middle)
        if made.frames != frames + fade:
            sys.exit(f"the theme rendered too short for {PASSES} passes")
        # The loop's first moments fade from what follows its last ones (continuing the
        # waveform at the seam) into its own beginning.
        x = made.samples
        into = ((np.arange(fade) + 0.5) / fade)[:, None]
        x[:fade] = x[:fade] * into + x[frames:] * (1 - into)
        loudness.write_wave(args.output, loudness.Sound(x[:frames], rate, 16), 16)
    return 0


if __name__ == "__main__":
    sys.exit(main())
