#!/usr/bin/python3
"""Packs one levelled sound for embedding: Ogg Vorbis, at the quality its kind has in
sounds.txt, behind a 16-byte header that keeps what Vorbis forgets, the sample depth and the
exact frame count (read back by src/res/SoundCodec). Then checks the sound as the player will
hear it, decoded again, and stops the build when it strays:

- its integrated loudness (ITU BS.1770) within 1.5 LU of its kind's level, and
- its true peak at or under -1 dBTP;
- the format and the length it is listed with.

    pack.py --sox SOX NAME LEVELLED.wav OUT.snd
"""
import argparse
import os
import struct
import subprocess
import sys

import loudness
import soundlist

LOUDNESS_TOLERANCE = 1.5  # LU
TRUE_PEAK_CEILING = -1.0  # dBTP


def check(entry, level, wav_frames, heard_path, sox):
    """What is wrong with the packed sound as heard; empty when nothing is."""
    lufs, peak, heard = loudness.measure(heard_path, sox)
    faults = []
    if abs(lufs - level.lufs) > LOUDNESS_TOLERANCE:
        faults.append(f"{lufs:.1f} LUFS, {level.lufs:g} +-{LOUDNESS_TOLERANCE} wanted")
    if peak > TRUE_PEAK_CEILING:
        faults.append(f"true peak {peak:.2f} dBTP, over {TRUE_PEAK_CEILING:g}")
    if (heard.channels, heard.rate) != (entry.channels, entry.rate):
        faults.append(f"{heard.channels} channels at {heard.rate} Hz")
    if entry.seconds and wav_frames != round(entry.seconds * entry.rate):
        faults.append(f"{wav_frames / entry.rate:.3f} s long, {entry.seconds:g} s listed")
    return faults, lufs, peak


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--sox", required=True)
    ap.add_argument("name")
    ap.add_argument("source")
    ap.add_argument("output")
    args = ap.parse_args()

    entry, level = soundlist.find(args.name)

    def info(flag):
        out = subprocess.run([args.sox, "--i", flag, args.source], check=True,
                             capture_output=True, text=True).stdout
        return int(out.strip())

    channels, bits, rate, frames = info("-c"), info("-b"), info("-r"), info("-s")
    if (channels, bits, rate) != (entry.channels, entry.bits, entry.rate) or frames == 0:
        sys.exit(f"{args.source}: {channels} channels, {bits} bits at {rate} Hz; "
                 f"listed as {entry.channels}, {entry.bits} at {entry.rate}")

    ogg = args.output + ".ogg"
    subprocess.run([args.sox, "-R", args.source, "-C", f"{level.quality:g}", ogg], check=True)
    try:
        faults, lufs, peak = check(entry, level, frames, ogg, args.sox)
        with open(ogg, "rb") as f:
            stream = f.read()
    finally:
        os.remove(ogg)
    if faults:
        sys.exit(f"{args.name} as heard: " + "; ".join(faults))
    print(f"{args.name}: {lufs:.1f} LUFS, {peak:.1f} dBTP, {len(stream)} bytes")
    with open(args.output, "wb") as f:
        f.write(b"TSV1" + struct.pack("<HIHI", channels, rate, bits, frames) + stream)


if __name__ == "__main__":
    main()
