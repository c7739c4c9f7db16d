"""The writing rules, held on the shipped content, and the rules' own detectors checked on
small made-up cases so that a rule that stops seeing anything cannot pass unnoticed."""
import os
import sys
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.dirname(HERE))

import build_content  # noqa: E402
import cast  # noqa: E402
import rules  # noqa: E402

SHIPPED = rules.Content()
OPEN = {k: 0 for k in build_content.PARAMS}
FULL = {k: 10 for k in build_content.PARAMS}


def band(**bounds):
    lo, hi = dict(OPEN), dict(FULL)
    for k, (a, b) in bounds.items():
        lo[k], hi[k] = a, b
    return {"min": lo, "max": hi}


def reply(text):
    return {"sentence": text, "emotion": "Normal", "nextScenarioID": -1}


def made_up(selections, filt=None, sentence="Lovely weather today."):
    """The shipped cast, asked one scenario."""
    sc = {"id": 1, "sentence": sentence, "range": filt or {"type": "Any"},
          "background": "res/background/park_day.png", "bgm": "res/bgm/everyday.mp3",
          "emotion": "Normal", "selections": selections}
    return rules.Content(data=(SHIPPED.heroines, [sc], [], []))


# Everyone below a money of 5 against everyone above it: the cast splits in two.
def thrifty(text, ok="Good thinking.", ng="Not for me."):
    return {"sentence": text, "range": band(money=(0, 5)), "success": reply(ok), "failure": reply(ng)}


def lavish(text, ok="Naturally.", ng="Too much."):
    return {"sentence": text, "range": band(money=(6, 10)), "success": reply(ok), "failure": reply(ng)}


class VoiceRules(unittest.TestCase):
    def test_shipped_lines_keep_every_voice(self):
        leaks = rules.voice_leaks(SHIPPED, cast.VOICES)
        self.assertEqual([], leaks, "\n".join(map(str, leaks[:20])))

    def test_every_heroine_has_voice_words(self):
        self.assertEqual({h["name"] for h in SHIPPED.heroines}, set(cast.VOICES))

    def test_first_person_reaching_the_royal_we_is_a_leak(self):
        content = made_up([thrifty("Save it."), lavish("Spend it.", ok="I love it. My treat.")])
        leaks = rules.voice_leaks(content, cast.VOICES)
        self.assertIn(("pronoun", "Lilith Nightshade"), {(k, n) for k, _, n, _ in leaks})
        self.assertNotIn(("pronoun", "Sayaka Tenjoin"), {(k, n) for k, _, n, _ in leaks})
        # "Mine", "me" and "I'd" count too; "mind" and "Imagine" do not.
        for text, leak in (("Mine, all mine.", True), ("Give it to me.", True), ("I'd say so.", True),
                           ("Never mind.", False), ("Imagine that.", False)):
            self.assertEqual(leak, bool(rules.FIRST_PERSON.search(text)), text)

    def test_pet_phrases_and_stammers_stay_with_their_owners(self):
        content = made_up([thrifty("Save it.", ok="Hmph. Fine."), lavish("Spend it.", ok="Y-yes!")])
        leaks = {(k, n) for k, _, n, _ in rules.voice_leaks(content, cast.VOICES)}
        # Rei may say "Hmph"; the other thrifty heroines may not.
        self.assertNotIn(("phrase", "Rei Kurosawa"), leaks)
        self.assertIn(("phrase", "Hana Sakuraba"), leaks)
        # Nobody among the lavish three stammers.
        self.assertIn(("stammer", "Natsuki Hino"), leaks)

    def test_the_player_word_never_opens_a_sentence_in_lower_case(self):
        self.assertEqual([], rules.lowercase_sentence_starts(SHIPPED))
        content = made_up([thrifty("Save it.", ok="Yes! <主人公>, well done."),
                           lavish("Spend it.", ok="Well done, <主人公>.")])
        found = {n for _, _, n in rules.lowercase_sentence_starts(content)}
        self.assertIn("Hana Sakuraba", found)  # "partner, well done."
        self.assertNotIn("Mio Aizawa", found)  # "Senpai" is written with a capital


class QuestionRules(unittest.TestCase):
    def test_at_most_one_question_in_five_gives_the_answer_away(self):
        obvious = rules.obvious_scenarios(SHIPPED)
        self.assertLessEqual(len(obvious), len(SHIPPED.scenarios) / 5, obvious)

    def test_jokes_and_answers_everyone_takes_are_found(self):
        joke = {"sentence": "Whatever.", "success": None, "failure": reply("Rude.")}
        everyone = {"sentence": "Sure!", "range": band(), "success": reply("Yay."),
                    "failure": reply("-")}
        self.assertEqual([], rules.obvious_scenarios(made_up([thrifty("a"), lavish("b")])))
        self.assertEqual("joke", rules.obvious_scenarios(made_up([thrifty("a"), joke]))[0][1])
        self.assertEqual("universal",
                         rules.obvious_scenarios(made_up([lavish("a"), everyone]))[0][1])
        # Asked of one heroine, an answer is judged against the whole cast: Hana's thrifty
        # answer is right for her and wrong for the rich, so it gives nothing away.
        hana = {"type": "Personal", "personal": "Hana Sakuraba"}
        self.assertEqual([], rules.obvious_scenarios(made_up([thrifty("a"), lavish("b")], hana)))

    def test_failure_replies_rarely_echo_the_answer(self):
        fails = rules.failure_replies(SHIPPED)
        echoing = [f for f in fails if rules.echoes(*f)]
        self.assertLessEqual(len(echoing), len(fails) / 10, echoing[:10])
        self.assertTrue(rules.echoes("Race to the buoy!", "The buoy? I'd sink."))
        self.assertFalse(rules.echoes("Race to the buoy!", "That far out? Never."))
        self.assertFalse(rules.echoes("Race to the buoy!", "Buoys. Fine."))


class ProfileRules(unittest.TestCase):
    def test_answers_agree_with_what_the_profiles_say(self):
        problems = rules.claim_problems(SHIPPED, cast.CLAIMS)
        self.assertEqual([], problems, "\n".join(problems[:20]))

    def test_a_cut_next_to_a_stated_trait_is_found(self):
        # Natsuki's profile says she spends; a band that ends one point below her money hinges
        # on that point.
        content = made_up([{"sentence": "Cheap shop.", "range": band(money=(0, 6)),
                            "success": reply("ok"), "failure": reply("no")}, lavish("x")])
        problems = rules.claim_problems(content, {"Natsuki Hino": cast.CLAIMS["Natsuki Hino"]})
        self.assertTrue(any("Natsuki Hino's money" in p for p in problems), problems)

    def test_a_claim_the_profile_does_not_make_is_found(self):
        claims = {"Yuki Shirase": {"S": ("high", "teases everyone")}}
        problems = rules.claim_problems(SHIPPED, claims)
        self.assertEqual(2, len(problems), problems)  # no such words, and her S is low


class Confessions(unittest.TestCase):
    def test_each_is_her_own_and_never_uses_her_full_name(self):
        self.assertEqual([], rules.full_names_in_confessions(SHIPPED))
        self.assertEqual([], rules.confession_repeats(SHIPPED))


class BuiltFiles(unittest.TestCase):
    """The JSON under Resources/res is what the Python sources write."""

    @classmethod
    def setUpClass(cls):
        cls.scenes, cls.keys = build_content.all_scenes()

    def test_the_sources_pass_their_checks(self):
        rep = build_content.Report()
        # Text widths need the game's font and are measured by the C++ content tests instead.
        build_content.check_cast(rep, type("NoMetrics", (), {"ok": False})())
        build_content.check_scenes(self.scenes, self.keys, rep, None)
        build_content.chains(self.scenes, self.keys, rep)
        self.assertEqual([], rep.problems)

    def test_the_written_files_are_up_to_date(self):
        self.assertEqual([build_content.scenario_json(sc, self.keys) for sc in self.scenes],
                         SHIPPED.scenarios, "run tools/content/build_content.py")
        self.assertEqual([build_content.heroine_json(h) for h in cast.HEROINES], SHIPPED.heroines)

    def test_every_heroine_names_six_expressions_on_her_picture(self):
        for h in SHIPPED.heroines:
            faces = h["expressions"]
            self.assertEqual(set(build_content.EMOTIONS), set(faces), h["name"])
            self.assertEqual(h["file"], faces["Normal"])
            stem = h["file"][:-4]
            for emotion, path in faces.items():
                self.assertTrue(path.startswith(stem) and path.endswith(".png"), path)
            self.assertEqual(6, len(set(faces.values())), h["name"])


if __name__ == "__main__":
    unittest.main()
