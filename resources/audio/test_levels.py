#!/usr/bin/python3
"""The loudness measurement the build trusts, the levelling it does with it, the check that
stops it, and the sound list, on signals whose answers are known."""
import math
import os
import sys
import tempfile
import unittest

import numpy as np

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import loudness  # noqa: E402
import master  # noqa: E402
import pack  # noqa: E402
import soundlist  # noqa: E402


def tone(freq, db, seconds, rate, channels=2, phase=0.0):
    t = np.arange(round(seconds * rate)) / rate
    x = 10 ** (db / 20) * np.sin(2 * np.pi * freq * t + phase)
    return loudness.Sound(np.repeat(x[:, None], channels, axis=1), rate, 16)


class Measurement(unittest.TestCase):
    def test_a_tone_reads_its_level_at_every_rate_and_mono_counts_in_both_speakers(self):
        # A 997 Hz tone at -20 dBFS in both channels is -20 LUFS by the recommendation's own
        # calibration, whatever the sample rate; a mono one is heard from both speakers.
        for rate in (11025, 16000, 22050, 44100, 48000):
            for channels in (1, 2):
                with self.subTest(rate=rate, channels=channels):
                    lufs = loudness.integrated(tone(997, -20, 3, rate, channels))
                    self.assertAlmostEqual(lufs, -20.0, delta=0.1)

    def test_the_k_weighting_lifts_the_highs_and_cuts_the_rumble(self):
        low = loudness.integrated(tone(30, -20, 3, 48000))
        high = loudness.integrated(tone(8000, -20, 3, 48000))
        self.assertLess(low, -21.0)
        self.assertGreater(high, -19.0)

    def test_silence_around_a_sound_leaves_its_loudness_alone(self):
        # Only the few blocks that straddle its edges count partly.
        sound = tone(997, -20, 10, 16000)
        pad = np.zeros((16000 * 5, 2))
        padded = loudness.Sound(np.concatenate([pad, sound.samples, pad]), 16000, 16)
        self.assertAlmostEqual(loudness.integrated(padded), -20.0, delta=0.2)
        self.assertEqual(loudness.integrated(loudness.Sound(pad, 16000, 16)), -math.inf)

    def test_a_quiet_passage_under_the_gate_does_not_pull_the_loudness_down(self):
        loud = tone(997, -20, 3, 16000).samples
        quiet = tone(997, -45, 3, 16000).samples  # 25 LU down: under the relative gate
        mixed = loudness.Sound(np.concatenate([loud, quiet]), 16000, 16)
        self.assertAlmostEqual(loudness.integrated(mixed), -20.0, delta=0.2)

    def test_the_true_peak_sees_between_the_samples(self):
        # A quarter of the rate, sampled 45 degrees off its crests: every sample is at
        # 0.707 of the crest, the wave itself reaches it.
        sound = tone(4000, -1, 1, 16000, phase=math.pi / 4)
        sample_peak = 20 * math.log10(np.abs(sound.samples).max())
        self.assertAlmostEqual(sample_peak, -4.0, delta=0.1)
        self.assertAlmostEqual(loudness.true_peak(sound), -1.0, delta=0.2)

    def test_files_read_back_as_written(self):
        sound = tone(440, -6, 0.5, 11025, channels=1)
        with tempfile.TemporaryDirectory() as tmp:
            for bits in (8, 16):
                path = os.path.join(tmp, f"{bits}.wav")
                loudness.write_wave(path, sound, bits)
                back = loudness.read(path)
                self.assertEqual((back.rate, back.channels, back.bits), (11025, 1, bits))
                self.assertLess(np.abs(back.samples - sound.samples).max(), 2.0 ** (1 - bits))


class Levelling(unittest.TestCase):
    def test_a_quiet_peaky_sound_reaches_the_target_under_the_ceiling(self):
        # Clicks on a soft hum: the gain the loudness needs would put the clicks far over
        # full scale, so the limiter has to take them down.
        rate = 16000
        x = tone(200, -40, 2, rate).samples
        x[::4000] = 0.9
        levelled = master.level(loudness.Sound(x, rate, 16), -19.0)
        self.assertAlmostEqual(loudness.integrated(levelled), -19.0, delta=master.TOLERANCE)
        self.assertLessEqual(loudness.true_peak(levelled), master.CEILING)

    def test_a_loud_sound_is_turned_down_untouched_in_shape(self):
        sound = tone(997, -6, 2, 22050)
        levelled = master.level(sound, -18.0)
        ratio = levelled.samples[1000:1100, 0] / sound.samples[1000:1100, 0]
        self.assertTrue(np.allclose(ratio, ratio[0]))
        self.assertAlmostEqual(20 * math.log10(ratio[0]), -12.0, delta=0.1)

    def test_silence_cannot_be_levelled(self):
        with self.assertRaises(ValueError):
            master.level(loudness.Sound(np.zeros((16000, 1)), 16000, 16), -18.0)


class Check(unittest.TestCase):
    def setUp(self):
        self.entry = soundlist.Entry("effect", "IDR_TEST", "Test", "async", "mix", 2, 16000, 16,
                                     2.0, 1)
        self.level = soundlist.Level("effect", -19.0, 4)

    def faults(self, sound, frames=None):
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "heard.wav")
            loudness.write_wave(path, sound, 16)
            return pack.check(self.entry, self.level, frames or sound.frames, path, "sox")[0]

    def test_a_sound_at_its_level_passes_and_strays_are_named(self):
        self.assertEqual(self.faults(tone(997, -19, 2, 16000)), [])
        self.assertIn("LUFS", self.faults(tone(997, -23, 2, 16000))[0])
        self.assertIn("LUFS", self.faults(tone(997, -15, 2, 16000))[0])
        self.assertIn("true peak", " ".join(self.faults(tone(4000, -0.5, 2, 16000, phase=0.8))))
        self.assertIn("channels", self.faults(tone(997, -19, 2, 16000, channels=1))[0])
        self.assertIn("long", self.faults(tone(997, -19, 2, 16000), frames=31999)[0])


class List(unittest.TestCase):
    def write(self, text):
        handle, path = tempfile.mkstemp(suffix=".txt")
        with os.fdopen(handle, "w") as f:
            f.write("level effect -19 4\nlevel theme -18 4\nlevel narration -18 2\n"
                    "theme IDR_THEME Intro loop score 2 22050 16 13.2\n" + text)
        self.addCleanup(os.remove, path)
        return path

    def test_the_game_s_list_reads(self):
        levels, entries = soundlist.read()
        self.assertEqual(len([e for e in entries if e.kind == "theme"]), 1)
        self.assertTrue(all(e.kind in levels for e in entries))

    def test_faulty_lines_stop_the_build_with_their_line(self):
        faulty = {
            "twice": "effect IDR_A A async mix 1 16000 16 1\neffect IDR_A B async mix 1 16000 16 1",
            "effect twice": "effect IDR_A A async mix 1 16000 16 1\n"
                            "effect IDR_B A async mix 1 16000 16 1",
            "unplayable": "effect IDR_A A async mix 3 16000 16 1",
            "too slow": "effect IDR_A A async mix 1 4000 16 1",
            "no length": "effect IDR_A A async mix 1 16000 16 -",
            "narration named": "narration IDR_N N async voice 2 16000 16 -",
            "not spoken": "narration IDR_N - async mix 2 16000 16 -",
            "no resource name": "effect SWORD A async mix 1 16000 16 1",
            "unknown way": "effect IDR_A A later mix 1 16000 16 1",
            "short line": "effect IDR_A A async mix 1 16000",
        }
        for what, text in faulty.items():
            with self.subTest(what):
                with self.assertRaisesRegex(soundlist.ListError, r":\d+: "):
                    soundlist.read(self.write(text))

    def test_the_header_names_each_effect_once(self):
        _, entries = soundlist.read(self.write("effect IDR_A Clash async mix 1 16000 16 1\n"
                                               "narration IDR_N - async voice 2 16000 16 -\n"))
        effects = soundlist.effects_header(entries)
        self.assertIn("    Intro,\n    Clash,\n};", effects)
        table = soundlist.header(entries)
        self.assertIn('{"IDR_N", SoundKind::Narration, Sound::Intro, SoundPlay::Alongside, '
                      "2, 16000, 16, 0}", table)


if __name__ == "__main__":
    unittest.main()
