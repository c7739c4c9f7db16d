import os
import tempfile
import unittest

import numpy as np

from tests import helpers  # noqa: F401  (puts the synthesiser on the path)

import analyse
import build
import dsp
from drums import DRUMS
from voices import VOICES


def spectrum_peak(signal):
    mono = signal if signal.ndim == 1 else signal.sum(axis=0)
    magnitudes = np.abs(np.fft.rfft(mono))
    return np.fft.rfftfreq(len(mono), 1.0 / dsp.SR)[np.argmax(magnitudes)]


class VoicesTest(unittest.TestCase):
    def test_every_voice_sounds_its_pitch_and_stops_without_a_click(self):
        for name, voice in VOICES.items():
            for note in (40, 69, 96):
                signal = voice(dsp.midi_to_hz(note), 0.5, 0.8, np.random.default_rng(1))
                self.assertTrue(np.all(np.isfinite(signal)), name)
                level = np.abs(signal).max()
                self.assertGreater(level, 0.01, (name, note))
                self.assertLess(level, 2.0, (name, note))
                edges = signal[..., [0, -1]]
                self.assertLess(np.abs(edges).max(), 1e-3 * max(level, 1.0), (name, note))
                # a DC offset would thump at every note and eat headroom
                self.assertLess(abs(signal.mean()), 0.02 * level, (name, note))
            # the strongest frequency of A4 is its fundamental or an octave of it
            peak = spectrum_peak(voice(440.0, 0.5, 0.8, np.random.default_rng(2)))
            octaves = np.log2(peak / 440.0)
            self.assertAlmostEqual(octaves, round(octaves), delta=0.03, msg=name)

    def test_high_notes_do_not_alias(self):
        for name, voice in VOICES.items():
            signal = voice(dsp.midi_to_hz(108), 0.3, 1.0, np.random.default_rng(3))
            mono = signal if signal.ndim == 1 else signal.sum(axis=0)
            power = np.abs(np.fft.rfft(mono)) ** 2
            freqs = np.fft.rfftfreq(len(mono), 1.0 / dsp.SR)
            below = power[freqs < dsp.midi_to_hz(108) * 0.9].sum()
            self.assertLess(below, 0.05 * power.sum(), name)

    def test_drums_end_silent_and_repeat_with_the_same_seed(self):
        for name, hit in DRUMS.items():
            first = hit(0.9, np.random.default_rng(4))
            again = hit(0.9, np.random.default_rng(4))
            np.testing.assert_array_equal(first, again)
            self.assertLess(abs(first[-1]), 1e-6, name)
            self.assertGreater(np.abs(first).max(), 0.02, name)


class WavTest(unittest.TestCase):
    def test_wav_round_trip_keeps_channels_and_clips(self):
        stereo = np.vstack((np.linspace(-0.5, 0.5, 100), np.full(100, 1.5)))
        with tempfile.TemporaryDirectory() as folder:
            path = os.path.join(folder, "x.wav")
            build.write_wav(path, stereo)
            back = analyse.read_wav(path)
        np.testing.assert_allclose(back[0], stereo[0], atol=1 / 16000)
        np.testing.assert_allclose(back[1], 32767 / 32768)


if __name__ == "__main__":
    unittest.main()
