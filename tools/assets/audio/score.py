"""Reader for the .score text files that hold each piece of music.

A score is a header (tempo, meter, mix settings, instruments), named
sections and a form line that strings the sections together. Inside a
section, each line starts with a part name:

    chords  C:4 G/B:2 Am:2       chord symbols, duration in beats (default: a bar)
    lead    E5:1 G5:.5 r:.5 ...  a melody: notes or rests, ':beats', optional '@velocity'
    keys    comp x:1.5 x:1 r:1.5 a rhythm pattern playing the whole chord
    harp    arp 0:.5 1:.5 2:.5   a pattern of chord-tone indices (0 = lowest)
    bass    line R:1 5:1 8:1 A:1 a pattern of bass degrees (R 3 5 7 8, A = approach)
    strings hold                 each chord held for its full length
    bells   same lead            copy another part's melody in this section
    kit     kick x...x...        a drum grid, one character per sixteenth
                                 (X loud, x normal, o soft, - ghost, . rest;
                                 'x...*3' repeats a chunk; later lines for
                                 the same drum continue its grid)

Patterns repeat from the start of the section until it ends. A word
starting with '#' begins a comment. Several lines for one melody part are
joined in order, so a tune can be written a bar or two per line.
"""
import re
from fractions import Fraction

from theory import Chord

PATTERN_KINDS = ("comp", "arp", "line", "hold", "same")
# '#' opens a comment only at the start of a word, so sharps like F#5 survive
_COMMENT = re.compile(r"(^|\s)#.*$")


class ScoreError(ValueError):
    pass


def parse_beats(text):
    try:
        return float(Fraction(text))
    except (ValueError, ZeroDivisionError):
        raise ScoreError("bad duration %r" % text) from None


def split_token(token, default_beats):
    """'E5:1.5@0.8' -> ('E5', 1.5, 0.8)."""
    velocity = None
    if "@" in token:
        token, vel_text = token.split("@", 1)
        velocity = float(vel_text)
    if ":" in token:
        name, beats_text = token.split(":", 1)
        return name, parse_beats(beats_text), velocity
    return token, default_beats, velocity


class Instrument:
    def __init__(self, name, voice, options):
        self.name = name
        self.voice = voice
        self.volume = float(options.pop("vol", 0.5))
        self.pan = float(options.pop("pan", 0.0))
        self.reverb = float(options.pop("rev", 0.2))
        self.delay = float(options.pop("delay", 0.0))
        self.octave = int(options.pop("oct", 0))
        self.low = int(options.pop("low", 55))
        self.rootless = options.pop("rootless", "0") == "1"
        self.legato = float(options.pop("legato", 0.95))
        if options:
            raise ScoreError("unknown option(s) for %s: %s" % (name, ", ".join(sorted(options))))

    @property
    def is_drums(self):
        return self.voice == "drums"


class Section:
    def __init__(self, name, bars):
        self.name = name
        self.bars = bars
        self.chords = []  # (Chord, beats)
        self.melodies = {}  # part -> [tokens]
        self.patterns = {}  # part -> (kind, tokens)
        self.grids = {}  # part -> [(drum, grid)]


class Score:
    def __init__(self):
        self.tempo = 120.0
        self.meter = 4
        self.swing = 0.0
        self.seed = 1
        self.level = -20.0
        self.peak = -4.0
        self.reverb = (1.6, 0.22)
        self.delay = (0.75, 0.3)
        self.instruments = {}
        self.sections = {}
        self.form = []

    @property
    def beat_seconds(self):
        return 60.0 / self.tempo

    def section_beats(self, section):
        return section.bars * self.meter

    @property
    def total_beats(self):
        return sum(self.section_beats(self.sections[name]) for name in self.form)


def _header(score, words):
    key, args = words[0], words[1:]
    if key == "tempo":
        score.tempo = float(args[0])
    elif key == "meter":
        score.meter = int(args[0])
    elif key == "swing":
        score.swing = float(args[0])
    elif key == "seed":
        score.seed = int(args[0])
    elif key == "level":
        score.level = float(args[0])
    elif key == "peak":
        score.peak = float(args[0])
    elif key == "reverb":
        score.reverb = (float(args[0]), float(args[1]))
    elif key == "delay":
        score.delay = (parse_beats(args[0]), float(args[1]))
    elif key == "inst":
        options = dict(word.split("=", 1) for word in args[2:])
        score.instruments[args[0]] = Instrument(args[0], args[1], options)
    elif key == "form":
        score.form = list(args)
    else:
        return False
    return True


def _section_line(score, section, words):
    part, args = words[0], words[1:]
    if part == "chords":
        for token in args:
            symbol, beats, _ = split_token(token, score.meter)
            section.chords.append((Chord(symbol), beats))
        return
    if part not in score.instruments:
        raise ScoreError("unknown part %r" % part)
    if score.instruments[part].is_drums:
        if len(args) < 2:
            raise ScoreError("drum line needs a drum and a grid")
        grid = "".join(_expand_grid(word) for word in args[1:])
        lines = section.grids.setdefault(part, [])
        for index, (drum, earlier) in enumerate(lines):
            if drum == args[0]:  # a drum's later lines continue its grid
                lines[index] = (drum, earlier + grid)
                break
        else:
            lines.append((args[0], grid))
    elif args and args[0] in PATTERN_KINDS:
        section.patterns[part] = (args[0], args[1:])
    else:
        section.melodies.setdefault(part, []).extend(args)


def _expand_grid(word):
    """'x...*3' -> 'x...x...x...'."""
    if "*" in word:
        chunk, count = word.rsplit("*", 1)
        return chunk * int(count)
    return word


def parse(text):
    score = Score()
    section = None
    for number, raw in enumerate(text.splitlines(), 1):
        line = _COMMENT.sub("", raw).strip()
        if not line:
            continue
        words = line.split()
        try:
            if words[0] == "section":
                section = Section(words[1], int(words[2]))
                score.sections[section.name] = section
            elif section is None or words[0] in ("form", "inst"):
                if not _header(score, words):
                    raise ScoreError("unknown setting %r" % words[0])
            else:
                _section_line(score, section, words)
        except (IndexError, KeyError, ValueError) as error:
            raise ScoreError("line %d: %s" % (number, error)) from None
    _validate(score)
    return score


def _validate(score):
    if not score.form:
        raise ScoreError("no form line")
    for name in score.form:
        if name not in score.sections:
            raise ScoreError("form names unknown section %r" % name)
    for section in score.sections.values():
        length = score.section_beats(section)
        chord_beats = sum(beats for _, beats in section.chords)
        if section.chords and abs(chord_beats - length) > 1e-6:
            raise ScoreError("section %s: chords last %g beats, the section %g" % (section.name, chord_beats, length))
        for part, tokens in section.melodies.items():
            total = sum(split_token(t, 1.0)[1] for t in tokens)
            if total > length + 1e-6:
                raise ScoreError("section %s: part %s runs %g beats over" % (section.name, part, total - length))
        needs_chords = any(kind != "same" for kind, _ in section.patterns.values())
        if needs_chords and not section.chords:
            raise ScoreError("section %s: patterns need chords" % section.name)


def load(path):
    with open(path, encoding="utf-8") as handle:
        return parse(handle.read())
