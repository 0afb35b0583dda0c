#!/usr/bin/python3
"""Levels one made sound to the loudness its kind has in sounds.txt and writes it in the
sample depth listed there.

    master.py NAME MADE.wav OUT.wav

The gain brings the integrated loudness (ITU BS.1770) to the target; where that would push the
true peak over the ceiling, a look-ahead limiter takes the peaks down smoothly instead, and
the gain is found again, until both hold. The ceiling stays a little under the -1 dBTP the
packed sound is held to, since Ogg Vorbis adds some overshoot of its own.
"""
import argparse
import math
import sys

import numpy as np
from scipy.ndimage import minimum_filter1d, uniform_filter1d
from scipy.signal import resample_poly

import loudness
import soundlist

CEILING = -2.0  # dBTP before compression
LOOK_AHEAD = 0.004  # seconds: how early the limiter starts to turn a peak down
TOLERANCE = 0.05  # LU


def peak_envelope(samples):
    """Per frame, the highest true peak of any channel around it."""
    over = np.abs(resample_poly(samples, loudness.OVERSAMPLE, 1, axis=0))
    frames = samples.shape[0]
    over = over[:frames * loudness.OVERSAMPLE].reshape(frames, loudness.OVERSAMPLE, -1)
    return np.maximum(over.max(axis=(1, 2)), np.abs(samples).max(axis=1))


def limit(samples, rate, ceiling):
    """The samples with every true peak at or under the ceiling (linear)."""
    needed = np.minimum(1.0, ceiling / np.maximum(peak_envelope(samples), 1e-12))
    radius = max(1, round(LOOK_AHEAD * rate))
    # The gain is the lowest needed anywhere within the radius, then smoothed over the same
    # width: every frame then gets no more than it needs, and the gain never jumps.
    held = minimum_filter1d(needed, 2 * radius + 1, mode="nearest")
    gain = uniform_filter1d(held, 2 * radius + 1, mode="nearest")
    return samples * np.minimum(gain, needed)[:, None]


def peak_of(samples, rate):
    return loudness.true_peak(loudness.Sound(samples, rate, 16))


def level(sound, target, ceiling_db=CEILING):
    """A copy of the sound at the target loudness with its true peak under the ceiling."""
    source = sound.samples
    current = loudness.integrated(sound)
    if not math.isfinite(current):
        raise ValueError("the sound is silent")
    gain = target - current
    for _ in range(12):
        samples = source * 10 ** (gain / 20)
        # The limiter's smoothing lets a little through between the samples: once more,
        # a shade lower, until nothing does.
        ceiling = 10 ** ((ceiling_db - 0.1) / 20)
        for _ in range(6):
            if peak_of(samples, sound.rate) <= ceiling_db:
                break
            samples = limit(samples, sound.rate, ceiling)
            ceiling *= 0.98
        result = loudness.Sound(samples, sound.rate, sound.bits)
        miss = target - loudness.integrated(result)
        if abs(miss) <= TOLERANCE and peak_of(samples, sound.rate) <= ceiling_db:
            return result
        gain += miss
    raise ValueError(f"cannot bring the sound to {target} LUFS under {ceiling_db} dBTP")


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("name")
    ap.add_argument("made")
    ap.add_argument("output")
    args = ap.parse_args()

    entry, target = soundlist.find(args.name)
    sound = loudness.read(args.made)
    if (sound.channels, sound.rate) != (entry.channels, entry.rate):
        sys.exit(f"{args.made}: made as {sound.channels} channels at {sound.rate} Hz, "
                 f"listed as {entry.channels} at {entry.rate}")
    try:
        levelled = level(sound, target.lufs)
    except ValueError as e:
        sys.exit(f"{args.name}: {e}")
    loudness.write_wave(args.output, levelled, entry.bits)
    return 0


if __name__ == "__main__":
    sys.exit(main())
