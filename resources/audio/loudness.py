#!/usr/bin/python3
"""Loudness as a listener hears it (ITU-R BS.1770): K-weighted, gated integrated loudness in
LUFS and the true peak in dBTP, measured on 4x oversampled audio.

    loudness.py FILE...                 prints "LUFS dBTP RATE CHANNELS BITS NAME" per file

A mono sound is measured as the game plays it, the same signal in both speakers (dual mono),
so that it stands beside the stereo sounds as the player hears them. WAV files are read
directly; anything else (the packed Ogg Vorbis) is decoded by sox first.
"""
import math
import os
import subprocess
import sys
import tempfile

import numpy as np
from scipy.io import wavfile
from scipy.signal import lfilter, resample_poly

ABSOLUTE_GATE = -70.0  # LUFS
RELATIVE_GATE = -10.0  # LU below the loudness of the blocks above the absolute gate
BLOCK, STEP = 0.4, 0.1  # seconds: 400 ms blocks overlapping by 75 %
OVERSAMPLE = 4
PACKED, PACKED_HEADER = b"TSV1", 16


class Sound:
    def __init__(self, samples, rate, bits):
        self.samples = samples  # float64, frames x channels, full scale at 1.0
        self.rate = rate
        self.bits = bits

    @property
    def channels(self):
        return self.samples.shape[1]

    @property
    def frames(self):
        return self.samples.shape[0]


def read_wave(path):
    rate, data = wavfile.read(path)
    data = data.reshape(len(data), -1)
    bits = 8 * data.dtype.itemsize
    if data.dtype == np.uint8:
        samples = (data.astype(np.float64) - 128.0) / 128.0
    elif data.dtype.kind == "i":
        # 24-bit files come as 32-bit integers with the low byte empty.
        samples = data.astype(np.float64) / 2.0 ** (bits - 1)
    else:
        samples = data.astype(np.float64)
    return Sound(samples, rate, bits)


def read(path, sox="sox"):
    with open(path, "rb") as f:
        head = f.read(4)
    if head == b"RIFF":
        return read_wave(path)
    with tempfile.TemporaryDirectory() as tmp:
        source = path
        if head == PACKED:
            # A packed sound (pack.py): its Ogg Vorbis stream follows the header.
            source = os.path.join(tmp, "stream.ogg")
            with open(path, "rb") as f, open(source, "wb") as out:
                out.write(f.read()[PACKED_HEADER:])
        decoded = os.path.join(tmp, "decoded.wav")
        subprocess.run([sox, source, "-b", "16", decoded], check=True)
        return read_wave(decoded)


def write_wave(path, sound, bits):
    if bits == 8:
        data = np.clip(np.round(sound.samples * 128.0 + 128.0), 0, 255).astype(np.uint8)
    elif bits == 16:
        data = np.clip(np.round(sound.samples * 32768.0), -32768, 32767).astype(np.int16)
    else:
        raise ValueError(f"{bits}-bit samples are not written here")
    wavfile.write(path, sound.rate, data)


def k_weighting(rate):
    """The two K-filter stages (the head's high shelf, then the RLB high-pass) for any rate,
    from the analogue prototypes BS.1770 gives at 48 kHz."""
    # Stage 1: high shelf, +4 dB above about 1.7 kHz.
    f0, gain, q = 1681.974450955533, 3.999843853973347, 0.7071752369554196
    k = math.tan(math.pi * f0 / rate)
    vh = 10 ** (gain / 20)
    vb = vh ** 0.4996667741545416
    a0 = 1 + k / q + k * k
    shelf = ([(vh + vb * k / q + k * k) / a0, 2 * (k * k - vh) / a0, (vh - vb * k / q + k * k) / a0],
             [1.0, 2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0])
    # Stage 2: high-pass at about 38 Hz.
    f0, q = 38.13547087602444, 0.5003270373238773
    k = math.tan(math.pi * f0 / rate)
    a0 = 1 + k / q + k * k
    highpass = ([1.0, -2.0, 1.0], [1.0, 2 * (k * k - 1) / a0, (1 - k / q + k * k) / a0])
    return shelf, highpass


def as_heard(sound):
    """frames x 2: a mono sound goes to both speakers."""
    s = sound.samples
    return np.repeat(s, 2, axis=1) if s.shape[1] == 1 else s


def integrated(sound):
    """Integrated loudness in LUFS (-inf for silence)."""
    x = as_heard(sound)
    shelf, highpass = k_weighting(sound.rate)
    y = lfilter(*highpass, lfilter(*shelf, x, axis=0), axis=0)
    power = (y * y).sum(axis=1)  # channel weights: 1.0 for left and right
    block, step = round(BLOCK * sound.rate), round(STEP * sound.rate)
    if len(power) < block:
        # Shorter than one block: one block of what there is, padded with silence.
        power = np.concatenate([power, np.zeros(block - len(power))])
    sums = np.concatenate([[0.0], np.cumsum(power)])
    starts = np.arange(0, len(power) - block + 1, step)
    z = (sums[starts + block] - sums[starts]) / block
    with np.errstate(divide="ignore"):
        lk = -0.691 + 10 * np.log10(z)
    above = z[lk > ABSOLUTE_GATE]
    if len(above) == 0:
        return -math.inf
    relative = -0.691 + 10 * math.log10(above.mean()) + RELATIVE_GATE
    gated = z[(lk > ABSOLUTE_GATE) & (lk > relative)]
    return -0.691 + 10 * math.log10(gated.mean())


def true_peak(sound):
    """The highest level between the samples too, in dBTP (-inf for silence)."""
    # Polyphase interpolation with a long windowed-sinc filter, as the recommendation asks.
    peak = np.abs(resample_poly(sound.samples, OVERSAMPLE, 1, axis=0)).max(initial=0.0)
    peak = max(peak, np.abs(sound.samples).max(initial=0.0))
    return 20 * math.log10(peak) if peak > 0 else -math.inf


def measure(path, sox="sox"):
    sound = read(path, sox)
    return integrated(sound), true_peak(sound), sound


def main():
    for path in sys.argv[1:]:
        lufs, peak, sound = measure(path)
        name = os.path.splitext(os.path.basename(path))[0]
        print(f"{lufs:7.2f} {peak:6.2f} {sound.rate:6d} {sound.channels} {sound.bits:2d} {name}")


if __name__ == "__main__":
    sys.exit(main())
