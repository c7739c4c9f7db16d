"""The game's sound effects, each built directly in code from the same voices
and drums as the music. Every effect is a short stereo one-shot that starts
and ends at silence; build.py masters them louder than the music so they
read clearly over it.
"""
import numpy as np

import dsp
from drums import DRUMS
from theory import note_number
from voices import VOICES

PEAK_DB = -3.0
RMS_DB = -15.0
MAX_SECONDS = 1.9


def _canvas(seconds):
    return np.zeros((2, dsp.samples(seconds)))


def _add(canvas, signal, at, gain=1.0, pan=0.0):
    stereo = dsp.as_stereo(signal, pan) * gain
    start = dsp.samples(at)
    end = min(canvas.shape[1], start + stereo.shape[1])
    canvas[:, start:end] += stereo[:, :end - start]


def _note(voice, name, seconds, velocity, rng):
    return VOICES[voice](dsp.midi_to_hz(note_number(name)), seconds, velocity, rng)


def _finish(canvas, seed, room=0.12, decay_time=0.9):
    """Add a little room, cut the silent tail, fade the edges, set the level."""
    ir = dsp.reverb_ir(decay_time * 1.2, decay_time, seed)
    wet = dsp.convolve(canvas, ir)[:, :canvas.shape[1]]
    out = dsp.trim_silence(canvas + room * wet, -60.0)
    # a tail cut short by the length limit gets a long fade so it dies away naturally
    fade_out = 0.35 if out.shape[1] > dsp.samples(MAX_SECONDS) else 0.03
    out = out[:, :dsp.samples(MAX_SECONDS)]
    out = dsp.master(out, PEAK_DB, RMS_DB)
    return dsp.fade_edges(out, 0.003, fade_out)


def seikai():
    """Correct: two bright chimes a fourth apart, the second one ringing on."""
    rng = np.random.default_rng(11)
    canvas = _canvas(1.4)
    for at, name, pan in ((0.0, "E6", -0.15), (0.11, "A6", 0.15)):
        _add(canvas, _note("bell", name, 0.9, 0.9, rng), at, 1.0, pan)
        _add(canvas, _note("vibes", name[:-1] + "5", 0.5, 0.7, rng), at, 0.5, pan)
    return _finish(canvas, 12)


def miss():
    """Miss: a soft, low wooden bonk with a drooping pitch."""
    rng = np.random.default_rng(21)
    n = dsp.samples(0.45)
    t = np.arange(n) / dsp.SR
    freq = 130.0 + 90.0 * np.exp(-t / 0.05)
    phase = 2 * np.pi * np.cumsum(freq) / dsp.SR
    body = (np.sin(phase) + 0.3 * np.sin(2.7 * phase)) * dsp.decay(n, 0.1)
    knock = dsp.fft_filter(rng.standard_normal(n), low=300.0, high=1500.0) * dsp.decay(n, 0.008)
    attack = np.minimum(1.0, t / 0.004)
    canvas = _canvas(0.6)
    _add(canvas, (body + 0.3 * knock) * attack, 0.0)
    return _finish(canvas, 22, room=0.06)


def propose_enter():
    """The confession begins: a snare roll and a timpani swell that build, then a cymbal."""
    rng = np.random.default_rng(31)
    canvas = _canvas(2.0)
    roll_end = 1.15
    t = 0.0
    while t < roll_end:
        level = 0.25 + 0.75 * (t / roll_end) ** 1.5
        _add(canvas, DRUMS["snare"](level * 0.7, rng), t, 1.0, rng.uniform(-0.2, 0.2))
        if int(t / 0.045) % 3 == 0:
            _add(canvas, DRUMS["lowtom"](level * 0.8, rng), t, 0.8)
        t += 0.045
    swell = VOICES["pad"](dsp.midi_to_hz(note_number("G3")), roll_end, 0.8, rng)
    ramp = np.linspace(0.0, 1.0, swell.shape[1]) ** 2
    _add(canvas, swell * ramp, 0.0, 0.6)
    _add(canvas, DRUMS["crash"](0.8, rng), roll_end, 0.55)
    _add(canvas, DRUMS["kick"](1.0, rng), roll_end, 1.0)
    return _finish(canvas, 32)


def propose_success():
    """Accepted: a brass fanfare rising to a held major chord, with sparkles."""
    rng = np.random.default_rng(41)
    canvas = _canvas(2.0)
    for at, name in ((0.0, "G4"), (0.12, "C5"), (0.24, "E5")):
        _add(canvas, _note("brass", name, 0.1, 0.8, rng), at, 0.8)
    for name, pan in (("C5", -0.3), ("E5", 0.0), ("G5", 0.3), ("C6", 0.0)):
        _add(canvas, _note("brass", name, 0.95, 0.95, rng), 0.36, 0.6, pan)
    sparkle = ["C7", "G6", "E7", "C7", "G7", "E7", "D7", "G7", "C8"]
    for index, name in enumerate(sparkle):
        _add(canvas, _note("bell", name, 0.4, 0.6, rng), 0.4 + 0.09 * index, 0.6, rng.uniform(-0.7, 0.7))
    _add(canvas, DRUMS["crash"](0.6, rng), 0.36, 0.3)
    return _finish(canvas, 42, room=0.18, decay_time=1.3)


def propose_fail():
    """Turned down: a muted trombone sliding down in four sad 'wah' steps."""
    canvas = _canvas(2.0)
    steps = (("G3", 0.0, 0.3), ("F#3", 0.36, 0.3), ("F3", 0.72, 0.3), ("E3", 1.08, 0.8))
    for name, at, seconds in steps:
        _add(canvas, _wah(dsp.midi_to_hz(note_number(name)), seconds, last=seconds > 0.5), at)
    return _finish(canvas, 52, room=0.08)


def _wah(freq, seconds, last):
    """One muted-brass note whose brightness opens and closes like a plunger mute."""
    env = dsp.gate(dsp.samples(seconds), 0.03, 0.08)
    n = len(env)
    t = np.arange(n) / dsp.SR
    pitch = np.full(n, freq)
    if last:  # sag and waver at the end, like a player running out of breath
        pitch *= (1.0 - 0.06 * np.clip(t - 0.3, 0.0, None)) * (1.0 + 0.01 * np.sin(2 * np.pi * 5.0 * t))
    phase = 2 * np.pi * np.cumsum(pitch) / dsp.SR
    if last:  # the long last note keeps opening and closing, three times a second
        opening = 0.55 - 0.45 * np.sin(2 * np.pi * 3.0 * t - np.pi / 2)
    else:  # one "wah" per note: closed, open, closed
        opening = np.sin(np.pi * np.clip(t / seconds, 0.0, 1.0))
    cutoff = freq * (1.2 + 5.0 * opening)
    body = np.zeros(n)
    for k in range(1, 20):
        body += np.sin(k * phase) / k / (1.0 + (k * freq / cutoff) ** 4)
    return 0.5 * body * env


EFFECTS = {
    "seikai": seikai,
    "miss": miss,
    "propose_enter": propose_enter,
    "propose_success": propose_success,
    "propose_fail": propose_fail,
}
