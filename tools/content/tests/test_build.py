"""How the Python sources become the JSON the game loads: what the written files promise the
loader, that the build is repeatable, and that a broken source is refused before anything is
written. Broken sources are made in memory from a copy of the shipped scenes."""
import contextlib
import copy
import hashlib
import io
import json
import os
import re
import subprocess
import sys
import tempfile
import unittest
from unittest import mock

HERE = os.path.dirname(os.path.abspath(__file__))
CONTENT = os.path.dirname(HERE)
sys.path.insert(0, CONTENT)

import build_content  # noqa: E402
import dsl  # noqa: E402
import scenes_any  # noqa: E402

NO_METRICS = type("NoMetrics", (), {"ok": False})()


def load(rel):
    with open(os.path.join(build_content.RES, rel), encoding="utf-8") as f:
        return json.load(f)


def sources():
    """A private copy of the shipped scenes, to break."""
    scenes, _ = build_content.all_scenes()
    return copy.deepcopy(scenes)


def problems(scenes):
    scenes, keys = build_content.all_scenes(scenes)
    return build_content.check(scenes, keys, NO_METRICS).problems


def chain_pair(scenes):
    """The first two-scene chain: (head, tail)."""
    by_key = {sc.key: sc for sc in scenes}
    for sc in scenes:
        if sc.then is not None and by_key[sc.then].then is None:
            return sc, by_key[sc.then]
    raise AssertionError("no two-scene chain in the sources")


def first_ranged(scenes):
    return next(sel for sc in scenes for sel in sc.sels if sel.kind == "range")


class WrittenScenarios(unittest.TestCase):
    """Resources/res/scenario/scenario.json as the loader reads it."""

    @classmethod
    def setUpClass(cls):
        cls.scenarios = load("scenario/scenario.json")
        cls.heroines = load("gal/gal_data.json")
        cls.by_id = {sc["id"]: sc for sc in cls.scenarios}

    def test_ids_run_one_to_n_in_source_order(self):
        # 0 is what an absent reply's next reads as, so no scenario may have it.
        self.assertEqual(list(range(1, len(self.scenarios) + 1)), [sc["id"] for sc in self.scenarios])
        scenes, _ = build_content.all_scenes()
        self.assertEqual([sc.sentence for sc in scenes], [sc["sentence"] for sc in self.scenarios])

    def test_every_chain_ends_and_names_only_existing_scenarios(self):
        for sc in self.scenarios:
            nexts = {sel["success"].get("nextScenarioID") for sel in sc["selections"] if sel["success"]}
            # every right answer leads on to the same place
            self.assertEqual(1, len(nexts), sc["id"])
            for sel in sc["selections"]:
                if sel["failure"]:
                    self.assertNotIn("nextScenarioID", sel["failure"], sc["id"])
            seen, cur = [sc["id"]], nexts.pop()
            while cur != -1:
                self.assertIn(cur, self.by_id, "scenario %d leads to a missing id" % seen[-1])
                self.assertNotIn(cur, seen, "chain %s loops" % seen)
                seen.append(cur)
                cur = next(s["success"]["nextScenarioID"] for s in self.by_id[cur]["selections"] if s["success"])
            self.assertLessEqual(len(seen), 3, seen)

    def test_bands_cover_every_parameter_within_zero_to_ten(self):
        ranged = 0
        for sc in self.scenarios:
            for k, sel in enumerate(sc["selections"]):
                if "range" not in sel:
                    # a fixed answer is right for all or for none
                    self.assertTrue((sel["success"] is None) != (sel["failure"] is None), (sc["id"], k))
                    continue
                ranged += 1
                band = sel["range"]
                self.assertEqual(["max", "min"], sorted(band), (sc["id"], k))
                self.assertEqual((dsl.PARAMS, dsl.PARAMS), (list(band["min"]), list(band["max"])))
                for p in dsl.PARAMS:
                    lo, hi = band["min"][p], band["max"][p]
                    self.assertTrue(type(lo) is int and type(hi) is int, (sc["id"], k, p))
                    self.assertTrue(0 <= lo <= hi <= 10, (sc["id"], k, p, lo, hi))
        self.assertGreater(ranged, len(self.scenarios))

    def test_filters_name_the_cast_and_admit_someone(self):
        names = {h["name"] for h in self.heroines}
        held = {a["name"] for h in self.heroines for a in h["attribute"]}
        for sc in self.scenarios:
            filt = sc["range"]
            with self.subTest(sc["id"]):
                self.assertIn(filt["type"], ("Any", "Attribute", "Personal"))
                if filt["type"] == "Personal":
                    self.assertEqual({"type", "personal"}, set(filt))
                    self.assertIn(filt["personal"], names)
                if filt["type"] == "Attribute":
                    self.assertEqual({"type", "attributes"}, set(filt))
                    self.assertTrue(filt["attributes"])
                    self.assertLessEqual(set(filt["attributes"]), held)
                if filt["type"] == "Any":
                    self.assertEqual({"type": "Any"}, filt)

    def test_emotions_are_the_loaders(self):
        for sc in self.scenarios:
            self.assertIn(sc["emotion"], build_content.EMOTIONS, sc["id"])
            for sel in sc["selections"]:
                for reply in (sel["success"], sel["failure"]):
                    if reply:
                        self.assertIn(reply["emotion"], build_content.EMOTIONS, sc["id"])

    def test_placeholders_reach_the_file_unescaped_and_whole(self):
        with open(os.path.join(build_content.RES, "scenario", "scenario.json"), encoding="utf-8") as f:
            raw = f.read()
        self.assertNotIn("\\u", raw)
        tokens = re.findall(r"<[^<>\"]*>", raw)
        self.assertTrue(tokens)
        self.assertLessEqual(set(tokens), set(build_content.PLACEHOLDERS))
        # as many as the sources hold, and no half of one left behind
        scenes, _ = build_content.all_scenes()
        texts = [t for _, t, _ in build_content.every_text(scenes)]
        self.assertEqual(sum(len(re.findall("<[^<>]*>", t)) for t in texts), len(tokens))
        self.assertEqual(raw.count("<"), len(tokens))
        self.assertEqual(raw.count(">"), len(tokens))

    def test_backgrounds_and_music_are_files_under_resources(self):
        for sc in self.scenarios:
            for key in ("background", "bgm"):
                self.assertTrue(os.path.isfile(os.path.join(build_content.RESOURCES, sc[key])), (sc["id"], sc[key]))

    def test_six_expressions_per_heroine_are_files_under_resources(self):
        for h in self.heroines:
            faces = h["expressions"]
            self.assertEqual(build_content.EMOTIONS, list(faces), h["name"])
            self.assertEqual(6, len(set(faces.values())), h["name"])
            for path in faces.values():
                self.assertTrue(os.path.isfile(os.path.join(build_content.RESOURCES, path)), path)


class Repeatable(unittest.TestCase):
    def test_two_builds_write_the_same_bytes_as_the_shipped_files(self):
        scenes, keys = build_content.all_scenes()
        first = build_content.outputs(scenes, keys)
        scenes, keys = build_content.all_scenes()
        self.assertEqual(first, build_content.outputs(scenes, keys))
        for rel, text in first.items():
            with open(os.path.join(build_content.RES, rel), encoding="utf-8", newline="") as f:
                self.assertEqual(text, f.read(), "%s differs: run tools/content/build_content.py" % rel)

    def test_the_build_does_not_depend_on_the_hash_seed(self):
        script = ("import hashlib, sys; sys.path.insert(0, %r); import build_content as b; "
                  "s, k = b.all_scenes(); o = b.outputs(s, k); "
                  "print(hashlib.sha256(repr(sorted(o.items())).encode()).hexdigest())" % CONTENT)
        digests = set()
        for seed in ("1", "2"):
            env = dict(os.environ, PYTHONHASHSEED=seed)
            run = subprocess.run([sys.executable, "-c", script], env=env, capture_output=True, text=True,
                                 check=True)
            digests.add(run.stdout.strip())
        scenes, keys = build_content.all_scenes()
        here = hashlib.sha256(repr(sorted(build_content.outputs(scenes, keys).items())).encode()).hexdigest()
        self.assertEqual({here}, digests)


class BrokenSources(unittest.TestCase):
    """Each fault, made in a copy of the shipped scenes, is named; the copy itself is clean."""

    def assertRefused(self, scenes, pattern):
        found = problems(scenes)
        self.assertTrue(any(re.search(pattern, p) for p in found), "%r not in %s" % (pattern, found))

    def test_the_unbroken_copy_passes(self):
        self.assertEqual([], problems(sources()))

    def test_chains_that_dangle_or_never_end(self):
        scenes = sources()
        chain_pair(scenes)[1].then = "no_such_scene"
        self.assertRefused(scenes, r"chain names unknown no_such_scene")
        # a pair pointing at each other has no head to start from
        scenes = sources()
        head, tail = chain_pair(scenes)
        tail.then = head.key
        self.assertRefused(scenes, r"%s, %s link round in a loop" % (head.key, tail.key))
        scenes = sources()
        scenes[0].then = scenes[0].key
        self.assertRefused(scenes, r"%s link round in a loop" % scenes[0].key)
        # a loop entered from a head
        scenes = sources()
        head, tail = chain_pair(scenes)
        extra = copy.deepcopy(tail)
        extra.key, extra.then, tail.then = "extra", tail.key, "extra"
        self.assertRefused(scenes + [extra], r"chain through %s loops" % tail.key)

    def test_a_scene_key_used_twice(self):
        scenes = sources()
        scenes[3].key = scenes[1].key
        with self.assertRaisesRegex(SystemExit, "duplicate scenario key %s" % scenes[1].key):
            problems(scenes)

    def test_bands_outside_zero_to_ten_or_upside_down(self):
        for band in ((8, 3), (6, 11), (-1, 4), (2.5, 6), (3,), (True, 4)):
            with self.subTest(band):
                scenes = sources()
                sel = first_ranged(scenes)
                sel.when = dict(sel.when, money=band)
                self.assertRefused(scenes, r"band money %s is not LOW <= min <= max <= HIGH" % re.escape(repr(band)))
        scenes = sources()
        first_ranged(scenes).kind = "maybe"
        self.assertRefused(scenes, r"kind 'maybe' is not one of range, right, wrong")

    def test_filters_the_loader_would_read_otherwise(self):
        cases = (({"type": "Atribute", "attributes": ["Tsundere"]}, r"filter .* is not one of"),
                 ({"type": "Personal", "personal": "Hana"}, r"filter names no heroine of the cast: 'Hana'"),
                 ({"type": "Attribute", "attributes": []}, r"attribute filter without attributes"),
                 ({"type": "Attribute", "attributes": ["Nobody"]}, r"filter attribute 'Nobody' is held by no heroine"),
                 ({"type": "Attribute", "attributes": ["Nobody"]}, r"its filter admits no heroine"),
                 (None, r"filter None is not one of"))
        for filt, pattern in cases:
            with self.subTest(filt):
                scenes = sources()
                scenes[0].filt = filt
                self.assertRefused(scenes, pattern)

    def test_emotions_and_placeholders_the_game_does_not_know(self):
        scenes = sources()
        scenes[0].emotion = "Hapy"
        self.assertRefused(scenes, r"emotion 'Hapy' is not one of")
        scenes = sources()
        sel = next(s for s in scenes[0].sels if s.ok)
        sel.ok = ("Glad", sel.ok[1])
        self.assertRefused(scenes, r"success reply \('Glad'")
        scenes = sources()
        scenes[0].sentence = "Hey, <主人>, look!"
        self.assertRefused(scenes, r"unknown placeholder <主人>")

    def test_pictures_and_music_missing_from_resources(self):
        scenes, _ = build_content.all_scenes()
        rep = build_content.Report()
        build_content.check_files(scenes, rep)
        self.assertEqual([], rep.problems)
        with tempfile.TemporaryDirectory() as empty:
            build_content.check_files(scenes, rep, resources=empty)
        text = "\n".join(rep.problems)
        for path in ("res/background/classroom.png", "res/bgm/everyday.mp3", "res/gal/hana_sad.png"):
            self.assertIn(path, text)

    def test_the_vocabulary_refuses_unknown_names(self):
        with self.assertRaisesRegex(ValueError, "unknown parameter 'cash'"):
            dsl.ranged("Pay up.", dict(cash=(0, 5)), (dsl.N, "ok"), (dsl.N, "no"))
        with self.assertRaisesRegex(ValueError, "unknown place 'moon'"):
            dsl.scene("k", "Hi.", dsl.ANY, "moon", dsl.N, [])


class Main(unittest.TestCase):
    """The command: a refused build writes nothing, a clean one writes the shipped files."""

    def run_main(self, argv, scenes=None):
        out = io.StringIO()
        with tempfile.TemporaryDirectory() as res, contextlib.redirect_stdout(out), \
                mock.patch.object(build_content, "RES", res), \
                mock.patch.object(build_content, "Metrics", lambda: NO_METRICS), \
                mock.patch.object(scenes_any, "SCENES", scenes if scenes is not None else scenes_any.SCENES):
            code = build_content.main(argv)
            written = {}
            for base, _, files in os.walk(res):
                for name in files:
                    with open(os.path.join(base, name), encoding="utf-8") as f:
                        written[os.path.relpath(os.path.join(base, name), res)] = f.read()
        return code, written, out.getvalue()

    def test_a_broken_source_is_refused_with_its_reason(self):
        broken = copy.deepcopy(scenes_any.SCENES)
        broken[0].emotion = "Hapy"
        code, written, out = self.run_main([], broken)
        self.assertEqual(1, code)
        self.assertEqual({}, written)
        self.assertIn("emotion 'Hapy'", out)
        self.assertIn("nothing written", out)

    def test_check_only_writes_nothing_and_a_build_writes_the_shipped_files(self):
        code, written, _ = self.run_main(["--check"])
        self.assertEqual((0, {}), (code, written))
        code, written, _ = self.run_main([])
        self.assertEqual(0, code)
        scenes, keys = build_content.all_scenes()
        self.assertEqual(build_content.outputs(scenes, keys), written)
        self.assertIn("scenario/scenario.json", written)


if __name__ == "__main__":
    unittest.main()
