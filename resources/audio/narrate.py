#!/usr/bin/env python3
"""Speaks one lesson script at the rate sounds.txt gives it, in stereo, with the pauses
a reader makes, and writes when each caption line begins.

    narrate.py --voice VOICE --sox SOX [--flite FLITE] --rate RATE --pronunciation FILE
               SCRIPT OUT.wav OUT.cues

VOICE is "flite:NAME" (e.g. flite:rms) or "festival:VOICE_NAME" (a festival voice, e.g.
cmu_us_slt_arctic_hts). The script is read phrase by phrase, split where its punctuation is; each phrase
is spoken on its own, its engine's edge silence cut, and the phrases are joined by a pause as
long as the punctuation asks: a breath at a comma, a full stop's rest at the end of a
sentence. Caption lines that begin inside a phrase are placed by their share of its letters.

OUT.cues holds one "line START_MS" per caption line, then one "pause START_MS END_MS KIND" per
pause (KIND is comma or sentence), times from the start of OUT.wav.
"""
import argparse
import os
import re
import subprocess
import sys
import tempfile

PAUSE = {"comma": 0.24, "sentence": 0.6}
LEAD_IN, TAIL = 0.3, 0.5  # silence before the first word and after the last
PHRASE_END = re.compile(r"[,;:.!?]")


def phrases(lines):
    """[(text, kind, [(line index, offset in text)])] from the caption lines."""
    out, text, starts = [], "", []
    for index, line in enumerate(lines):
        for position, word in enumerate(line.split()):
            text = word if not text else text + " " + word
            if position == 0:
                starts.append((index, len(text) - len(word)))
            if PHRASE_END.search(word[-1]):
                kind = "sentence" if word[-1] in ".!?" else "comma"
                out.append((text, kind, starts))
                text, starts = "", []
    if text:
        out.append((text, "sentence", starts))
    return out


def respellings(path):
    table = []
    with open(path) as f:
        for line in f:
            if line.startswith("#") or "\t" not in line:
                continue
            name, said = line.rstrip("\n").split("\t", 1)
            table.append((re.compile(r"\b%s\b" % re.escape(name)), said))
    return table


def speak(voice, texts, tmp, flite="flite"):
    """One wave file per text."""
    engine, name = voice.split(":", 1)
    outs = [os.path.join(tmp, f"phrase{i}.wav") for i in range(len(texts))]
    if engine == "festival":
        # One festival for the whole lesson: loading a voice takes longer than a phrase.
        script = os.path.join(tmp, "speak.scm")
        with open(script, "w") as f:
            f.write(f"(voice_{name})\n")
            for text, out in zip(texts, outs):
                quoted = text.replace("\\", "\\\\").replace('"', '\\"')
                f.write(f'(utt.save.wave (utt.synth (Utterance Text "{quoted}")) "{out}" \'riff)\n')
        subprocess.run(["festival", "-b", script], check=True, stdout=subprocess.DEVNULL)
    elif engine == "flite":
        for text, out in zip(texts, outs):
            subprocess.run([flite, "-voice", name, "-t", text, "-o", out], check=True)
    else:
        sys.exit(f"unknown speech engine {engine}")
    return outs


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--voice", required=True)
    ap.add_argument("--sox", required=True)
    ap.add_argument("--flite", default="flite")
    ap.add_argument("--rate", type=int, required=True)
    ap.add_argument("--pronunciation", required=True)
    ap.add_argument("script")
    ap.add_argument("wav")
    ap.add_argument("cues")
    args = ap.parse_args()

    with open(args.script) as f:
        lines = [l for l in f.read().splitlines() if l.strip()]
    parts = phrases(lines)
    table = respellings(args.pronunciation)
    spoken = []
    for text, _, _ in parts:
        for pattern, said in table:
            text = pattern.sub(said, text)
        spoken.append(text)

    def sox(*a):
        subprocess.run([args.sox, "-R", *map(str, a)], check=True)

    def seconds(path):
        out = subprocess.run([args.sox, "--i", "-D", path], check=True, capture_output=True,
                             text=True).stdout
        return float(out)

    with tempfile.TemporaryDirectory() as tmp:
        raw = speak(args.voice, spoken, tmp, args.flite)
        pieces, cues, pauses = [], [], []
        at = LEAD_IN
        for i, ((text, kind, starts), wav) in enumerate(zip(parts, raw)):
            # Cut the engine's own silence at both ends, so that the pauses are ours, and
            # bring every phrase to the final format before timing it.
            piece = os.path.join(tmp, f"piece{i}.wav")
            sox(wav, "-b", "16", "-c", "1", piece, "rate", "-v", args.rate,
                "silence", "1", "0.01", "0.3%", "reverse", "silence", "1", "0.01", "0.3%",
                "reverse")
            length = seconds(piece)
            for line, offset in starts:
                cues.append((line, at + length * offset / max(len(text), 1)))
            pieces.append(piece)
            at += length
            if i + 1 < len(parts):
                gap = os.path.join(tmp, f"gap{i}.wav")
                sox("-n", "-r", args.rate, "-c", "1", "-b", "16", gap, "trim", "0", PAUSE[kind])
                pieces.append(gap)
                pauses.append((at, at + seconds(gap), kind))
                at += seconds(gap)
        joined = os.path.join(tmp, "joined.wav")
        sox(*pieces, joined)
        # The gain leaves the high-pass headroom (master.py levels the voice afterwards); the
        # pads leave a breath of silence at each end; the high-pass removes the engine's
        # rumble.
        sox(joined, "-b", "24", "-c", "2", "-r", args.rate, args.wav, "gain", "-6",
            "highpass", "60", "gain", "-n", "-2", "pad", LEAD_IN, TAIL)

    cues.sort()
    if [line for line, _ in cues] != list(range(len(lines))):
        sys.exit(f"{args.script}: could not place every caption line")
    with open(args.cues, "w") as f:
        for _, t in cues:
            f.write(f"line {round(t * 1000)}\n")
        for start, end, kind in pauses:
            f.write(f"pause {round(start * 1000)} {round(end * 1000)} {kind}\n")


if __name__ == "__main__":
    main()
