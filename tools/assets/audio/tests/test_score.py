import os
import unittest

from tests import helpers  # noqa: F401  (puts the synthesiser on the path)

import score
import sequencer
from theory import Chord, note_number

HEADER = "tempo 120\nmeter 4\ninst lead lead\ninst bass bass low=34\ninst kit drums\n"


def parse(body, form="form a"):
    return score.parse(HEADER + body + "\n" + form + "\n")


class TheoryTest(unittest.TestCase):
    def test_note_names(self):
        self.assertEqual(note_number("C4"), 60)
        self.assertEqual(note_number("F#5"), 78)
        self.assertEqual(note_number("Bb3"), 58)
        self.assertEqual(note_number("C-1"), 0)
        for bad in ("H4", "C", "C#", "4C"):
            with self.assertRaises(ValueError):
                note_number(bad)

    def test_chords_voicings_and_slash_bass(self):
        self.assertEqual(Chord("Am7").pitch_classes(), [0, 4, 7, 9])
        self.assertEqual(Chord("Am7").pitch_classes(rootless=True), [0, 4, 7])
        slash = Chord("G/B")
        self.assertEqual(slash.bass_note(34), 35)
        self.assertEqual(slash.voicing(55), [55, 59, 62])
        for symbol in ("Cmaj7", "F#m7b5", "Bbsus4", "Ebmaj9"):
            voicing = Chord(symbol).voicing(55)
            self.assertTrue(all(55 <= n < 67 for n in voicing), symbol)
        self.assertEqual(Chord("Gsus4").tone("3"), 5)
        self.assertEqual(Chord("C").tone("7"), 12)
        with self.assertRaises(ValueError):
            Chord("Cxyz")


class ParseTest(unittest.TestCase):
    def test_sharps_survive_comments_and_fractions_parse(self):
        piece = parse("section a 1\nchords D  # a comment\nlead F#5:1/2 C#5:1.5 # another\n")
        events = [e for e in sequencer.events(piece) if e.part == "lead"]
        self.assertEqual([e.pitch for e in events], [78, 73])
        self.assertAlmostEqual(events[1].beat, 0.5)

    def test_grid_lines_join_and_repeat(self):
        piece = parse("section a 2\nchords C C\nkit kick x...*3\nkit kick x..x\nkit snare ....x...\n")
        kicks = [e.beat for e in sequencer.events(piece) if e.pitch == "kick"]
        self.assertEqual(kicks, [0.0, 1.0, 2.0, 3.0, 3.75, 4.0, 5.0, 6.0, 7.0, 7.75])
        snares = [e.beat for e in sequencer.events(piece) if e.pitch == "snare"]
        self.assertEqual(snares, [1.0, 3.0, 5.0, 7.0])

    def test_mistakes_are_reported(self):
        cases = {
            "section a 2\nchords C\n": "chords last",
            "section a 1\nchords C\nlead C5:3 D5:2\n": "runs 1 beats over",
            "section a 1\nchords C\nvoice C5:1\n": "unknown part",
            "section a 1\nlead C5:1\nbass line R:1\n": "patterns need chords",
            "section a 1\nchords C\nkit kick x?..\n": "bad grid character",
        }
        for body, message in cases.items():
            with self.assertRaisesRegex(score.ScoreError, message):
                sequencer.events(parse(body))
        with self.assertRaisesRegex(score.ScoreError, "unknown section"):
            parse("section a 1\n", form="form a b")
        with self.assertRaisesRegex(score.ScoreError, "unknown option"):
            score.parse("inst x lead volume=2\nsection a 1\nform a\n")


class EventsTest(unittest.TestCase):
    def test_sections_follow_the_form_and_patterns_follow_chords(self):
        piece = parse("section a 1\nchords C:2 F:2\nbass line R:1 A:1\n"
                      "section b 1\nchords G\nlead G4:4\n", form="form a b a")
        bass = [(e.beat, e.pitch) for e in sequencer.events(piece) if e.part == "bass"]
        # roots C2=36 and F2=41; each approach is a semitone under the next chord's root
        self.assertEqual(bass[:4], [(0.0, 36), (1.0, 40), (2.0, 41), (3.0, 35)])
        self.assertEqual([b for b, _ in bass[4:]], [8.0, 9.0, 10.0, 11.0])
        lead = [e.beat for e in sequencer.events(piece) if e.part == "lead"]
        self.assertEqual(lead, [4.0])

    def test_bass_takes_the_root_when_the_chord_changes(self):
        piece = parse("section a 1\nchords C:3 G:1\nbass line R:1 5:1 3:1 5:1\n")
        bass = [e.pitch for e in sequencer.events(piece) if e.part == "bass"]
        self.assertEqual(bass, [36, 43, 40, 43])
        piece = parse("section a 1\nchords C:2 G:2\nbass line R:1 5:1 3:1 5:1\n")
        bass = [e.pitch for e in sequencer.events(piece) if e.part == "bass"]
        # beat 2 turns from E2 into the new root G2 = 43; the fifth above it is D3 = 50
        self.assertEqual(bass, [36, 43, 43, 50])

    def test_swing_moves_only_offbeat_eighths(self):
        self.assertAlmostEqual(sequencer.swung(2.5, 1.0), 2.5 + 1 / 6)
        self.assertEqual(sequencer.swung(2.0, 1.0), 2.0)
        self.assertEqual(sequencer.swung(2.25, 1.0), 2.25)


class ShippedScoresTest(unittest.TestCase):
    def test_every_score_is_a_whole_number_of_bars_between_30_and_90_seconds(self):
        folder = os.path.join(helpers.AUDIO_DIR, "scores")
        names = sorted(n[:-6] for n in os.listdir(folder) if n.endswith(".score"))
        self.assertEqual(names, sorted(["op", "honobono_m", "everyday", "cafe", "outdoor", "evening"]))
        for name in names:
            piece = score.load(os.path.join(folder, name + ".score"))
            seconds = piece.total_beats * piece.beat_seconds
            self.assertTrue(30.0 <= seconds <= 90.0, name)
            self.assertEqual(piece.total_beats % piece.meter, 0, name)
            self.assertTrue(sequencer.events(piece), name)

    def test_tunes_do_not_rub_against_their_chords(self):
        """A held or on-beat melody note a semitone above a chord tone (a minor
        ninth) is almost always a typo in a score; short passing notes may."""
        folder = os.path.join(helpers.AUDIO_DIR, "scores")
        for file_name in sorted(os.listdir(folder)):
            piece = score.load(os.path.join(folder, file_name))
            timeline, offset = [], 0.0
            for name in piece.form:
                section = piece.sections[name]
                for start, end, chord in sequencer._chord_timeline(section):
                    timeline.append((offset + start, offset + end, chord))
                offset += piece.section_beats(section)
            for event in sequencer.events(piece):
                if not isinstance(event.pitch, int) or event.part not in MELODY_PARTS:
                    continue
                chord = next(c for s, e, c in timeline if s - 1e-9 <= event.beat < e - 1e-9)
                tones = {(chord.root + i) % 12 for i in chord.intervals}
                pc = event.pitch % 12
                rubs = pc not in tones and (pc - 1) % 12 in tones
                exposed = event.beats >= 0.9 or event.beat % 1.0 < 1e-9
                self.assertFalse(rubs and exposed, "%s: %r over %s" % (file_name, event, chord.symbol))


MELODY_PARTS = ("lead", "flute", "mallet", "vibes", "melody")


if __name__ == "__main__":
    unittest.main()
