"""Turns a parsed score into note events and renders them into a seamless loop."""
import numpy as np

import dsp
from drums import DRUMS
from score import ScoreError, split_token
from theory import note_number
from voices import VOICES

VELOCITIES = {"X": 1.0, "x": 0.8, "o": 0.5, "-": 0.3}
STEPS_PER_BEAT = 4


class Event:
    """One note or drum hit: start and length in beats, pitch as MIDI number or drum name."""

    __slots__ = ("part", "beat", "beats", "pitch", "velocity")

    def __init__(self, part, beat, beats, pitch, velocity):
        self.part, self.beat, self.beats, self.pitch, self.velocity = part, beat, beats, pitch, velocity

    def __repr__(self):
        return "Event(%s, %g, %g, %s, %.2f)" % (self.part, self.beat, self.beats, self.pitch, self.velocity)


def _chord_timeline(section):
    timeline, beat = [], 0.0
    for chord, beats in section.chords:
        timeline.append((beat, beat + beats, chord))
        beat += beats
    return timeline


def _chord_at(timeline, beat):
    for start, end, chord in timeline:
        if start - 1e-9 <= beat < end - 1e-9:
            return chord
    return timeline[-1][2] if beat >= timeline[-1][1] - 1e-9 else timeline[0][2]


def _starts_chord(timeline, beat):
    return any(abs(start - beat) < 1e-9 for start, _, _ in timeline)


def _melody(part, tokens, instrument, offset):
    events, beat = [], 0.0
    for token in tokens:
        name, beats, velocity = split_token(token, 1.0)
        if name != "r":
            pitch = note_number(name) + 12 * instrument.octave
            events.append(Event(part, offset + beat, beats * instrument.legato, pitch, velocity or 0.8))
        beat += beats
    return events


def _pattern_notes(kind, name, chord, next_chord, instrument):
    """Pitches one pattern token plays over `chord`."""
    if kind == "comp":
        return chord.voicing(instrument.low, instrument.rootless) if name != "r" else []
    if kind == "arp":
        tones = chord.voicing(instrument.low, instrument.rootless)
        index = int(name)
        return [tones[index % len(tones)] + 12 * (index // len(tones))]
    root = chord.bass_note(instrument.low)
    if name == "R":
        return [root]
    if name == "8":
        return [root + 12]
    if name == "A":
        return [next_chord.bass_note(instrument.low) - 1]
    chord_root = instrument.low + (chord.root - instrument.low) % 12
    return [chord_root + chord.tone(name)]


def _pattern(part, kind, tokens, instrument, section, timeline, length, offset):
    if kind == "hold":
        return [Event(part, offset + start, end - start, pitch, 0.7)
                for start, end, chord in timeline
                for pitch in chord.voicing(instrument.low, instrument.rootless)]
    steps = [split_token(token, 1.0) for token in tokens]
    if sum(beats for _, beats, _ in steps) <= 0:
        raise ScoreError("empty pattern for %s" % part)
    events, beat = [], 0.0
    while beat < length - 1e-9:
        for name, beats, velocity in steps:
            if beat >= length - 1e-9:
                break
            if name != "r":
                chord = _chord_at(timeline, beat)
                if kind == "line" and name != "A" and _starts_chord(timeline, beat):
                    name = "R"  # the bass lands on the root whenever the harmony changes
                next_chord = _chord_at(timeline, (beat + beats) % length)
                held = min(beats, length - beat) * instrument.legato
                for pitch in _pattern_notes(kind, name, chord, next_chord, instrument):
                    pitch += 12 * instrument.octave
                    events.append(Event(part, offset + beat, held, pitch, velocity or 0.7))
            beat += beats
    return events


def _grid(part, drum, grid, length, offset):
    if drum not in DRUMS:
        raise ScoreError("unknown drum %r" % drum)
    events, step = [], 0
    cells = [c for c in grid if c != "|"]
    while step / STEPS_PER_BEAT < length - 1e-9:
        cell = cells[step % len(cells)]
        if cell in VELOCITIES:
            events.append(Event(part, offset + step / STEPS_PER_BEAT, 0.25, drum, VELOCITIES[cell]))
        elif cell != ".":
            raise ScoreError("bad grid character %r" % cell)
        step += 1
    return events


def events(score):
    """Every event of the piece, in beats from the start of the loop."""
    out, offset = [], 0.0
    for name in score.form:
        section = score.sections[name]
        length = score.section_beats(section)
        timeline = _chord_timeline(section) if section.chords else []
        for part, tokens in section.melodies.items():
            out += _melody(part, tokens, score.instruments[part], offset)
        for part, (kind, tokens) in section.patterns.items():
            instrument = score.instruments[part]
            if kind == "same":
                source = section.melodies.get(tokens[0], [])
                out += _melody(part, source, instrument, offset)
            else:
                out += _pattern(part, kind, tokens, instrument, section, timeline, length, offset)
        for part, lines in section.grids.items():
            for drum, grid in lines:
                out += _grid(part, drum, grid, length, offset)
        offset += length
    return out


def swung(beat, swing):
    """Delay off-beat eighths; swing 1.0 gives a full triplet feel."""
    if abs(beat % 1.0 - 0.5) < 1e-6:
        return beat + swing / 6.0
    return beat


class Renderer:
    """Renders events with a per-note cache (repeated notes are common in loops)."""

    def __init__(self, seed):
        self.rng = np.random.default_rng(seed)
        self.cache = {}

    def note(self, voice, pitch, seconds, velocity):
        if voice == "drums":
            variant = int(self.rng.integers(4))
            key = (voice, pitch, round(velocity, 1), variant)
        else:
            key = (voice, pitch, round(seconds, 3), round(velocity, 2))
        if key not in self.cache:
            if voice == "drums":
                signal = DRUMS[pitch](velocity, self.rng)
            else:
                signal = VOICES[voice](dsp.midi_to_hz(pitch), seconds, velocity, self.rng)
            self.cache[key] = signal
        return self.cache[key]


def _place(bus, signal, start):
    stereo = dsp.as_stereo(signal)
    end = start + stereo.shape[1]
    if end > bus.shape[1]:
        raise ScoreError("note tail longer than the render margin")
    bus[:, start:end] += stereo


def render(score, jitter_ms=3.0):
    """Render the whole score as one seamless stereo loop (before mastering)."""
    for instrument in score.instruments.values():
        if not instrument.is_drums and instrument.voice not in VOICES:
            raise ScoreError("unknown voice %r" % instrument.voice)
    beat_s = score.beat_seconds
    length = dsp.samples(score.total_beats * beat_s)
    margin = dsp.samples(12.0)
    renderer = Renderer(score.seed)
    human = np.random.default_rng(score.seed + 1000)
    buses = {name: np.zeros((2, length + margin)) for name in score.instruments}
    for event in sorted(events(score), key=lambda e: (e.beat, e.part, str(e.pitch))):
        instrument = score.instruments[event.part]
        seconds = swung(event.beat, score.swing) * beat_s + human.normal(0.0, jitter_ms / 1000.0)
        velocity = float(np.clip(event.velocity * (1.0 + human.normal(0.0, 0.05)), 0.05, 1.0))
        signal = renderer.note(instrument.voice, event.pitch, event.beats * beat_s, velocity)
        _place(buses[event.part], signal, dsp.samples(seconds) % length)
    return mix(score, buses, length)


def circular_highpass(x, cutoff):
    freqs = np.fft.rfftfreq(x.shape[1], 1.0 / dsp.SR)
    gain = 1.0 / np.sqrt(1.0 + (cutoff / np.maximum(freqs, 1e-9)) ** 4)
    return np.fft.irfft(np.fft.rfft(x) * gain, x.shape[1])


def mix(score, buses, length):
    dry = np.zeros((2, length))
    reverb_send = np.zeros((2, length))
    delay_send = np.zeros((2, length))
    for name, bus in buses.items():
        instrument = score.instruments[name]
        track = dsp.as_stereo(dsp.fold(bus, length), instrument.pan) * instrument.volume
        dry += track
        reverb_send += track * instrument.reverb
        delay_send += track * instrument.delay
    echoes = dsp.echo(delay_send, score.delay[0] * score.beat_seconds, score.delay[1], circular=True)
    decay_time, wet = score.reverb
    ir = dsp.reverb_ir(min(decay_time * 1.5, length / dsp.SR * 0.9), decay_time, score.seed + 7)
    wet_signal = dsp.convolve(reverb_send + 0.5 * echoes, ir, circular_length=length)
    return circular_highpass(dry + echoes + wet * wet_signal, 30.0)
