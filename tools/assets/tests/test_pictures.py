"""Checks on the rendered pictures in Resources/ and on the expression generator.

Run from tools/assets with Debian's python3 and numpy:  /usr/bin/python3 -m unittest discover -s tests -t .
Pictures are decoded by ImageMagick's convert, which the test machines have anyway.
"""
import os
import subprocess
import sys
import unittest

import numpy as np

HERE = os.path.dirname(os.path.abspath(__file__))
ASSETS = os.path.dirname(HERE)
sys.path.insert(0, ASSETS)
import build  # noqa: E402

BACKGROUNDS = os.path.join(build.RESOURCES, "res", "background")
HEROINES = os.path.join(build.RESOURCES, "res", "gal")
CAST = ("hana", "rei", "lilith", "mio", "sayaka", "kohaku", "natsuki", "yuki")
SCENERY = ("night_street", "room", "rooftop_day", "park_day")


def rgba(path):
    """The picture as a height x width x 4 array of bytes (one convert call: PAM carries the size)."""
    pam = subprocess.run(["convert", path, "-alpha", "on", "-depth", "8", "pam:-"],
                         check=True, capture_output=True).stdout
    header, raw = pam.split(b"ENDHDR\n", 1)
    fields = dict(line.split(b" ", 1) for line in header.splitlines()[1:])
    width, height, depth = (int(fields[k]) for k in (b"WIDTH", b"HEIGHT", b"DEPTH"))
    return np.frombuffer(raw, dtype=np.uint8).reshape(height, width, depth)


class BackgroundTest(unittest.TestCase):
    def test_every_background_is_opaque_to_the_edge(self):
        # A soft blur over the scenery used to fade the border to transparent: the play
        # then showed a dark frame round every scene.
        names = sorted(n for n in os.listdir(BACKGROUNDS) if n.endswith(".png"))
        self.assertGreaterEqual(len(names), 15)
        for name in names:
            with self.subTest(name):
                pixels = rgba(os.path.join(BACKGROUNDS, name))
                self.assertEqual(pixels.shape[:2], (720, 1280))
                alpha = pixels[:, :, 3]
                self.assertEqual(int(alpha.min()), 255, f"{np.count_nonzero(alpha < 255)} pixels not opaque")

    def test_edges_keep_the_colour_of_the_scene(self):
        # Opaque is not enough: a rim blended towards black would pass. The outermost
        # row and column stay close to the ones a few pixels in.
        for name in ("street", "park", "night", "room"):
            with self.subTest(name):
                pixels = rgba(os.path.join(BACKGROUNDS, name + ".png"))[:, :, :3].astype(int)
                for edge, inner in ((pixels[0], pixels[4]), (pixels[-1], pixels[-5]),
                                    (pixels[:, 0], pixels[:, 4]), (pixels[:, -1], pixels[:, -5])):
                    self.assertLess(np.abs(edge - inner).mean(), 12)

    def test_new_scenery_exists(self):
        for name in SCENERY:
            self.assertTrue(os.path.exists(os.path.join(BACKGROUNDS, name + ".png")), name)


class ExpressionTest(unittest.TestCase):
    def test_every_heroine_has_six_expressions_of_one_size(self):
        for name in CAST:
            base = rgba(os.path.join(HEROINES, name + ".png"))
            self.assertEqual(base.shape, (900, 600, 4), name)
            for emotion in build.EMOTIONS:
                if emotion == "normal":
                    continue
                with self.subTest(f"{name}_{emotion}"):
                    face = rgba(os.path.join(HEROINES, f"{name}_{emotion}.png"))
                    self.assertEqual(face.shape, base.shape)
                    # transparent round the figure, and a different face from the base
                    self.assertEqual(int(face[0, 0, 3]), 0)
                    self.assertFalse(np.array_equal(face, base))

    def test_generator_switches_parts_by_emotion(self):
        source = ('<svg width="6" height="9"><use href="parts.svg#eye-{emotion}"/>'
                  '<g class="when-normal"/><g class="unless-normal"/></svg>')
        pictures = dict(build.expressions("res/gal/x.svg", source))
        self.assertEqual(sorted(pictures), sorted(
            ["res/gal/x.png"] + [f"res/gal/x_{e}.png" for e in build.EMOTIONS if e != "normal"]))
        sad = pictures["res/gal/x_sad.png"]
        self.assertIn("parts.svg#eye-sad", sad)
        self.assertNotIn("{emotion}", sad)
        self.assertIn(".when-sad{display:inline}", sad)
        self.assertIn(".unless-sad{display:none}", sad)
        self.assertTrue(sad.index("<style>") > sad.index("<svg"))

    def test_other_pictures_are_rendered_once(self):
        self.assertEqual(build.expressions("res/background/x.svg", "<svg>{emotion}</svg>"),
                         [("res/background/x.png", "<svg>{emotion}</svg>")])
        self.assertEqual(len(build.expressions("res/gal/x.svg", "<svg/>")), 1)


if __name__ == "__main__":
    unittest.main()
