#!/usr/bin/env python3
"""Packs one built sound for embedding: Ogg Vorbis behind a 16-byte header that keeps what
Vorbis forgets, the sample depth and the exact frame count (read back by src/res/SoundCodec).

    pack.py --sox SOX --quality Q IN.wav OUT.snd
"""
import argparse
import os
import struct
import subprocess
import sys


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--sox", required=True)
    ap.add_argument("--quality", type=float, default=3)
    ap.add_argument("source")
    ap.add_argument("output")
    args = ap.parse_args()

    def info(flag):
        out = subprocess.run([args.sox, "--i", flag, args.source], check=True,
                             capture_output=True, text=True).stdout
        return int(out.strip())

    channels, bits, rate, frames = info("-c"), info("-b"), info("-r"), info("-s")
    if bits not in (8, 16) or channels not in (1, 2) or frames == 0:
        sys.exit(f"{args.source}: expected 8- or 16-bit PCM, mono or stereo")

    ogg = args.output + ".ogg"
    subprocess.run([args.sox, "-R", args.source, "-C", str(args.quality), ogg],
                   check=True)
    with open(ogg, "rb") as f:
        stream = f.read()
    os.remove(ogg)
    with open(args.output, "wb") as f:
        f.write(b"TSV1" + struct.pack("<HIHI", channels, rate, bits, frames) + stream)


if __name__ == "__main__":
    main()
