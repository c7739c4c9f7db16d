"""The picture build's own logic, without librsvg: which sources it finds, where each one's
pictures go, the six expressions made from one heroine source, --only, and what the staging
folder holds when a picture is rendered (rsvg-convert is replaced by a recorder)."""
import os
import re
import subprocess
import sys
import tempfile
import unittest
from unittest import mock

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))
import build  # noqa: E402

with open(os.path.join(build.SHARED, "parts.svg"), encoding="utf-8") as _parts:
    PART_IDS = set(re.findall(r'\bid="([^"]+)"', _parts.read()))
SOURCES = build.sources(build.PICTURES, ".svg")
HEROINE_SOURCES = [rel for rel in SOURCES if rel.startswith(build.HEROINES)]


def touch(root, rel, text=""):
    path = os.path.join(root, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)


class Discovery(unittest.TestCase):
    def test_sources_are_relative_sorted_and_filtered_by_extension(self):
        with tempfile.TemporaryDirectory() as root:
            for rel in ("b.svg", "a.svg", "z/y.svg", "c/d.svg", "c/notes.txt", "c/e.svg.bak", "c/b/a.svg"):
                touch(root, rel)
            # folders walk in name order, files before the folders below them
            self.assertEqual(["a.svg", "b.svg", "c/d.svg", "c/b/a.svg", "z/y.svg"],
                             build.sources(root, ".svg"))
            self.assertEqual([], build.sources(os.path.join(root, "missing"), ".svg"))

    def test_every_source_has_its_picture_and_every_picture_its_source(self):
        made = {out for rel in SOURCES for out, _ in build.expressions(rel, build.read(rel))}
        shipped = set()
        for base, _, files in os.walk(build.RESOURCES):
            shipped |= {os.path.relpath(os.path.join(base, n), build.RESOURCES) for n in files if n.endswith(".png")}
        self.assertEqual(set(), made - shipped, "sources whose picture is not in Resources/: run build.py")
        self.assertEqual(set(), shipped - made, "pictures in Resources/ that no source makes")
        self.assertIn("ui/serihu.png", made)  # pictures/<path>.svg -> Resources/<path>.png, any depth
        self.assertIn("maru.png", made)

    def test_only_picks_by_prefix_and_keeps_composites_last(self):
        plain, composites = build.select(SOURCES)
        self.assertEqual(len(SOURCES), len(plain) + len(composites))
        self.assertTrue(composites and all(r.startswith(build.COMPOSITES) for r in composites))
        self.assertEqual((["res/gal/hana.svg"], []), build.select(SOURCES, "res/gal/hana"))
        self.assertEqual(([], composites), build.select(SOURCES, "res/tutorial/"))
        self.assertEqual(([], []), build.select(SOURCES, "res/gal/hanna"))
        plain, _ = build.select(SOURCES, "res/gal/")
        self.assertEqual(HEROINE_SOURCES, plain)


class Expressions(unittest.TestCase):
    def test_each_emotion_shows_its_own_parts_only(self):
        source = ('<?xml version="1.0"?>\n<!-- a note -->\n<svg width="6" height="9" viewBox="0 0 6 9">'
                  '<g class="shoulders"><use href="parts.svg#eye-{emotion}"/></g></svg>')
        pictures = dict(build.expressions("res/gal/x.svg", source))
        self.assertEqual(len(build.EMOTIONS), len(pictures))
        for emotion, offset in build.EMOTIONS.items():
            out = "res/gal/x.png" if emotion == "normal" else f"res/gal/x_{emotion}.png"
            svg = pictures[out]
            with self.subTest(emotion):
                # the style sits first inside the root element, nothing else changes but the name
                root = svg.index("<svg")
                opened = svg.index(">", root) + 1
                self.assertTrue(svg.startswith("<style>", opened))
                self.assertEqual(source.replace("{emotion}", emotion), re.sub(r"<style>.*?</style>", "", svg))
                style = re.search(r"<style>(.*?)</style>", svg).group(1)
                hidden = re.match(r"([^{]*)\{display:none\}", style).group(1).split(",")
                self.assertEqual(sorted(f".when-{e}" for e in build.EMOTIONS), sorted(hidden))
                self.assertIn(f".when-{emotion}{{display:inline}}", style)
                self.assertIn(f".unless-{emotion}{{display:none}}", style)
                self.assertEqual(1, style.count("display:inline"))
                self.assertIn(f"translate(0px,{offset}px)", style)

    def test_heroine_sources_name_only_parts_and_emotions_that_exist(self):
        # A misspelt part or class draws nothing and librsvg does not complain.
        self.assertEqual(8, len(HEROINE_SOURCES))
        for rel in HEROINE_SOURCES:
            text = build.read(rel)
            with self.subTest(rel):
                self.assertIn("{emotion}", text)
                for cls in re.findall(r'class="([^"]*)"', text):
                    for name in cls.split():
                        if name.startswith(("when-", "unless-")):
                            self.assertIn(name.split("-", 1)[1], build.EMOTIONS, name)
                for out, svg in build.expressions(rel, text):
                    for part in re.findall(r"parts\.svg#([^\"']+)", svg):
                        self.assertIn(part, PART_IDS, out)

    def test_only_heroine_sources_with_the_marker_are_multiplied(self):
        marked = "<svg>{emotion}</svg>"
        self.assertEqual([("res/background/x.png", marked)], build.expressions("res/background/x.svg", marked))
        self.assertEqual([("ui/gal/x.png", marked)], build.expressions("ui/gal/x.svg", marked))
        self.assertEqual([("res/gal/x.png", "<svg/>")], build.expressions("res/gal/x.svg", "<svg/>"))
        self.assertEqual(6, len(build.expressions("res/gal/sub/x.svg", marked)))


class Staging(unittest.TestCase):
    def test_references_are_the_files_behind_every_href(self):
        svg = ('<?xml-stylesheet type="text/css" href="palette.css"?><svg>'
               '<use href="parts.svg#eye-sad"/><use xlink:href=\'parts.svg#hand-v\'/><use href="#local"/>'
               '<image href="res/gal/hana.png"/><image href="data:image/png;base64,AAAA"/></svg>')
        self.assertEqual(["palette.css", "parts.svg", "res/gal/hana.png"], build.references(svg))
        with tempfile.TemporaryDirectory() as stage:
            touch(stage, "palette.css")
            touch(stage, "parts.svg")
            self.assertEqual(["res/gal/hana.png"], build.missing(svg, stage))

    def render_with_recorder(self, resources, only):
        """render_pictures with rsvg-convert replaced: records, per output, what the staged
        picture referenced that the stage lacked, and writes a stand-in PNG."""
        lacking = {}

        def rsvg(args, check):
            out, staged = args[args.index("-o") + 1], args[-1]
            with open(staged, encoding="utf-8") as f:
                lacking[os.path.relpath(out, resources)] = build.missing(f.read(), os.path.dirname(staged))
            with open(out, "w") as f:
                f.write("png")
            return subprocess.CompletedProcess(args, 0)

        with mock.patch.object(build, "RESOURCES", resources), mock.patch.object(build.subprocess, "run", rsvg), \
                mock.patch("builtins.print"):
            outputs = build.render_pictures(only)
        return [os.path.relpath(o, resources) for o in outputs], lacking

    def test_a_mock_up_rendered_alone_finds_the_finished_pictures(self):
        with tempfile.TemporaryDirectory() as resources:
            plain, _ = build.select(SOURCES)
            for rel in plain:
                for out, _ in build.expressions(rel, build.read(rel)):
                    touch(resources, out, "png")
            outputs, lacking = self.render_with_recorder(resources, "res/tutorial/")
            self.assertEqual(3, len(outputs))
            self.assertEqual({out: [] for out in outputs}, lacking)

    def test_a_mock_up_whose_pictures_are_missing_is_refused(self):
        with tempfile.TemporaryDirectory() as resources:
            with self.assertRaisesRegex(SystemExit, r"res/tutorial/tutorial_\w+\.svg: .*not found"):
                self.render_with_recorder(resources, "res/tutorial/")
            self.assertFalse(os.path.exists(os.path.join(resources, "res", "tutorial")))

    def test_a_heroine_renders_six_times_with_every_part_staged(self):
        with tempfile.TemporaryDirectory() as resources:
            outputs, lacking = self.render_with_recorder(resources, "res/gal/hana")
            self.assertEqual(["res/gal/hana.png"] + [f"res/gal/hana_{e}.png" for e in build.EMOTIONS if e != "normal"],
                             outputs)
            self.assertEqual({out: [] for out in outputs}, lacking)


if __name__ == "__main__":
    unittest.main()
