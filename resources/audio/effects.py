#!/usr/bin/env python3
"""Mixes the game's recorded effects from the clips in clips/ (and, for the march, the
synthesised drum and horn) into the channels, rate and length sounds.txt gives them.

    effects.py --sox SOX --clips DIR [--synth DIR] NAME OUT.wav

Every layer is one clip placed at a time, with its own level, pitch and place in the stereo
field; the layers are summed; master.py levels the result. The random choices come from a fixed
seed, so the same sources always give the same bytes.
"""
import argparse
import os
import random
import subprocess
import sys
import tempfile

import soundlist


class Layer:
    def __init__(self, source, at, gain=0.0, pan=0.5, cents=0, trim=0.0):
        self.source = source  # a clip's file name, or an absolute path
        self.at = at          # seconds from the start of the effect
        self.gain = gain      # dB
        self.pan = pan        # 0 left .. 1 right (stereo effects only)
        self.cents = cents    # pitch shift: another voice, another blade
        self.trim = trim      # seconds cut from the clip's start


def sword():
    # Two blades meet, a second pair answers a moment later and the first rings off. The
    # clips' leading silence is cut so that the clash lands with the legion's step.
    return [
        Layer("swordhit_12.ogg", 0.0),
        Layer("swordhit_11.ogg", 0.11, gain=-3, cents=-150),
        Layer("swordhit_17a.ogg", 0.24, gain=-6, cents=100),
    ]


def march(synth_dir):
    rng = random.Random(0x3A7C)
    # The drum keeps the military pace of two steps a second; under it the column's boots
    # crunch on gravel, each man a little early or late and louder or softer than the next.
    layers = [Layer(os.path.join(synth_dir, "IDR_MARCH_SND.wav"), 0.0, gain=-5)]
    for pace in range(6):
        for man in range(5):
            layers.append(Layer(
                f"fs_gravel{rng.randint(1, 6)}.ogg",
                max(0.0, 0.04 + pace * 0.5 + rng.uniform(-0.03, 0.03)),
                gain=rng.uniform(-9, -1), cents=rng.randint(-300, 150)))
    return layers


def crowd():
    rng = random.Random(0xFEED)
    # A market's murmur, doubled at other pitches and places so that it is a square full of
    # people rather than a stall, and over it the shouts of men and women calling in Latin.
    layers = [
        Layer("amb_trade_10.ogg", 0.0, gain=0, pan=0.5),
        Layer("amb_trade_10.ogg", 0.0, gain=-3, pan=0.15, cents=-200, trim=1.3),
        Layer("amb_trade_10.ogg", 0.0, gain=-3, pan=0.85, cents=150, trim=0.6),
    ]
    shouts = ["civ_male_attack_1.ogg", "civ_male_fight_1.ogg", "civ_male_go_out_against_1.ogg",
              "civ_male_gather_together_1.ogg", "civ_female_attack_1.ogg",
              "civ_male_march_1.ogg", "civ_male_fight_1.ogg", "civ_male_attack_1.ogg",
              "civ_female_attack_1.ogg"]
    at = 0.0
    for i, shout in enumerate(shouts):
        layers.append(Layer(shout, at, gain=rng.uniform(-7, -1) if i else 0,
                            pan=rng.uniform(0.1, 0.9), cents=rng.randint(-250, 250)))
        at += rng.uniform(0.2, 0.45)
    return layers


RECIPES = {
    "IDR_SWORD_SND": lambda args: sword(),
    "IDR_MARCH_SND": lambda args: march(args.synth),
    "IDR_PFJ_SND": lambda args: crowd(),
}


def sox(tool, *args):
    subprocess.run([tool, "-R", *map(str, args)], check=True)


def place(tool, clips, layer, channels, rate, out):
    source = layer.source if os.path.isabs(layer.source) else os.path.join(clips, layer.source)
    effects = ["silence", "1", "0.002", "1%"] if not os.path.isabs(layer.source) else []
    if layer.trim:
        effects += ["trim", layer.trim]
    if layer.cents:
        effects += ["pitch", layer.cents]
    effects += ["rate", "-v", rate]
    if channels == 2:
        effects += ["remix", "1v%.3f" % (1 - layer.pan), "1v%.3f" % layer.pan]
    else:
        effects += ["remix", "-"]
    effects += ["gain", "%.2f" % layer.gain, "pad", layer.at]
    sox(tool, source, "-b", "32", "-e", "floating-point", out, *effects)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--sox", required=True)
    ap.add_argument("--clips", required=True)
    ap.add_argument("--synth", default="")
    ap.add_argument("name", choices=sorted(RECIPES))
    ap.add_argument("output")
    args = ap.parse_args()

    entry, _ = soundlist.find(args.name)
    channels, rate, seconds = entry.channels, entry.rate, entry.seconds
    layers = RECIPES[args.name](args)
    frames = round(seconds * rate)
    with tempfile.TemporaryDirectory() as tmp:
        # A silent bed of the full length, so that the mix is never shorter than its slot.
        parts = [os.path.join(tmp, "bed.wav")]
        sox(args.sox, "-n", "-r", rate, "-c", channels, "-b", "32", "-e", "floating-point",
            parts[0], "trim", "0", f"{frames}s")
        for i, layer in enumerate(layers):
            part = os.path.join(tmp, f"{i}.wav")
            place(args.sox, args.clips, layer, channels, rate, part)
            parts.append(part)
        mixed = os.path.join(tmp, "mix.wav")
        inputs = [x for p in parts for x in ("-v", "1", p)]
        sox(args.sox, "-m", *inputs, mixed, "trim", "0", f"{frames}s")
        # Keep 24 bits for the levelling and let the end die away rather than stop.
        sox(args.sox, mixed, "-b", "24", args.output, "highpass", "40", "gain", "-n", "-1.5",
            "fade", "t", "0", f"{frames}s", "0.12")


if __name__ == "__main__":
    sys.exit(main())
