"""Note names, chord symbols and voicings."""
import re

PITCH_CLASSES = {"C": 0, "D": 2, "E": 4, "F": 5, "G": 7, "A": 9, "B": 11}

# intervals above the root, in semitones
CHORD_QUALITIES = {
    "": (0, 4, 7),
    "m": (0, 3, 7),
    "7": (0, 4, 7, 10),
    "maj7": (0, 4, 7, 11),
    "m7": (0, 3, 7, 10),
    "6": (0, 4, 7, 9),
    "m6": (0, 3, 7, 9),
    "9": (0, 4, 7, 10, 14),
    "maj9": (0, 4, 7, 11, 14),
    "m9": (0, 3, 7, 10, 14),
    "add9": (0, 4, 7, 14),
    "sus2": (0, 2, 7),
    "sus4": (0, 5, 7),
    "7sus4": (0, 5, 7, 10),
    "dim": (0, 3, 6),
    "dim7": (0, 3, 6, 9),
    "m7b5": (0, 3, 6, 10),
    "aug": (0, 4, 8),
}

_NOTE = re.compile(r"^([A-G])([#b]?)(-?\d)$")
_CHORD = re.compile(r"^([A-G][#b]?)([^/]*)(?:/([A-G][#b]?))?$")


def pitch_class(name):
    pc = PITCH_CLASSES[name[0]]
    if len(name) > 1:
        pc += 1 if name[1] == "#" else -1
    return pc % 12


def note_number(name):
    """'C4' -> 60, 'F#5' -> 78, 'Bb3' -> 58."""
    match = _NOTE.match(name)
    if not match:
        raise ValueError("not a note name: %r" % name)
    letter, accidental, octave = match.groups()
    offset = {"": 0, "#": 1, "b": -1}[accidental]
    return 12 * (int(octave) + 1) + PITCH_CLASSES[letter] + offset


class Chord:
    """A parsed chord symbol such as 'Am7', 'G/B' or 'Bbmaj7'."""

    def __init__(self, symbol):
        match = _CHORD.match(symbol)
        if not match or match.group(2) not in CHORD_QUALITIES:
            raise ValueError("unknown chord: %r" % symbol)
        self.symbol = symbol
        self.root = pitch_class(match.group(1))
        self.intervals = CHORD_QUALITIES[match.group(2)]
        self.bass = pitch_class(match.group(3)) if match.group(3) else self.root

    def pitch_classes(self, rootless=False):
        intervals = self.intervals
        if rootless and len(intervals) >= 4:
            intervals = intervals[1:]
        return sorted({(self.root + i) % 12 for i in intervals})

    def tone(self, degree):
        """Semitones above the root for a bass-line degree: '3', '5' or '7'."""
        wanted = {"3": (4, 3, 5, 2), "5": (7, 6, 8), "7": (10, 11, 9)}[degree]
        for interval in wanted:
            if interval in self.intervals:
                return interval
        return 12 if degree == "7" else wanted[0]

    def voicing(self, low, rootless=False):
        """Close voicing of the chord inside the octave [low, low + 12)."""
        notes = []
        for pc in self.pitch_classes(rootless):
            notes.append(low + (pc - low) % 12)
        return sorted(notes)

    def bass_note(self, low):
        """The bass note (slash bass if any) inside [low, low + 12)."""
        return low + (self.bass - low) % 12
