import unittest

import numpy as np

from tests import helpers  # noqa: F401  (puts the synthesiser on the path)

import dsp
import effects
import score
import sequencer

SHORT = """tempo 120
meter 4
seed 3
reverb 0.8 0.3
inst keys pad vol=0.5 low=55
inst kit drums vol=0.5
section a 1
chords C:2 G:2
keys hold
kit kick x...x...x...x...
form a
"""


class DspTest(unittest.TestCase):
    def test_gate_starts_and_ends_silent(self):
        env = dsp.gate(1000, 0.002, 0.01)
        self.assertEqual(len(env), 1000 + dsp.samples(0.01))
        self.assertEqual(env[0], 0.0)
        self.assertAlmostEqual(env[-1], 0.0)
        self.assertEqual(env[500], 1.0)

    def test_fold_wraps_tails_onto_the_start(self):
        buffer = np.arange(2 * 10, dtype=float).reshape(2, 10)
        folded = dsp.fold(buffer, 4)
        self.assertEqual(folded[0].tolist(), [0 + 4 + 8, 1 + 5 + 9, 2 + 6, 3 + 7])

    def test_circular_convolution_equals_folded_linear_convolution(self):
        rng = np.random.default_rng(0)
        x = rng.standard_normal((2, 500))
        ir = rng.standard_normal((2, 120))
        linear = dsp.convolve(x, ir)
        circular = dsp.convolve(x, ir, circular_length=500)
        np.testing.assert_allclose(circular, dsp.fold(linear, 500), atol=1e-9)
        with self.assertRaises(ValueError):
            dsp.convolve(x, ir, circular_length=100)

    def test_limiter_and_master(self):
        x = np.linspace(-3.0, 3.0, 1001)
        limited = dsp.soft_limit(x, 0.5)
        self.assertLessEqual(np.abs(limited).max(), 0.5)
        quiet = np.abs(x) < 0.29
        np.testing.assert_array_equal(limited[quiet], x[quiet])
        self.assertTrue(np.all(np.diff(limited) >= 0))
        mastered = dsp.master(np.sin(np.arange(44100) * 0.05)[None, :] * 0.01, -3.0, -20.0)
        self.assertAlmostEqual(dsp.to_db(np.sqrt(np.mean(mastered ** 2))), -20.0, delta=0.3)


class LoopTest(unittest.TestCase):
    def test_loop_is_seamless_and_deterministic(self):
        piece = score.parse(SHORT)
        first = sequencer.render(piece)
        again = sequencer.render(score.parse(SHORT))
        np.testing.assert_array_equal(first, again)
        self.assertEqual(first.shape, (2, dsp.samples(2.0)))
        # the pad's release and the reverb ring past the end: they must reappear at the start
        self.assertGreater(np.abs(first[:, :200]).max(), 1e-3)
        steps = np.abs(np.diff(first, axis=1)).max()
        self.assertLess(np.abs(first[:, 0] - first[:, -1]).max(), steps)


class EffectsTest(unittest.TestCase):
    def test_effects_are_short_clean_one_shots(self):
        for name, make in effects.EFFECTS.items():
            sound = make()
            self.assertEqual(sound.shape[0], 2, name)
            self.assertLessEqual(sound.shape[1], dsp.samples(2.0), name)
            self.assertGreater(sound.shape[1], dsp.samples(0.2), name)
            self.assertLess(np.abs(sound[:, [0, -1]]).max(), 1e-3, name)
            self.assertLessEqual(np.abs(sound).max(), dsp.db(-3.0) + 1e-9, name)


if __name__ == "__main__":
    unittest.main()
