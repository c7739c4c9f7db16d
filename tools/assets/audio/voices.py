"""Pitched instruments.

Each voice is a function (freq, duration, velocity, rng) -> signal, where the
signal is mono (n,) or stereo (2, n) and already includes its release tail.
Velocity is 0..1. Most voices are additive: a sum of partials, each with its
own level and decay, which is cheap with numpy and sounds natural because the
upper partials die away first, as they do on struck and plucked instruments.
"""
import numpy as np

from dsp import SR, decay, fft_filter, gate, samples

NYQUIST_GUARD = 0.45 * SR


def _phase(freq, n, vibrato_rate=0.0, vibrato_cents=0.0, vibrato_delay=0.0):
    """Running phase (radians) of a tone with an optional delayed vibrato."""
    t = np.arange(n) / SR
    inst = np.full(n, float(freq))
    if vibrato_cents > 0.0:
        depth = np.clip((t - vibrato_delay) / 0.3, 0.0, 1.0) * vibrato_cents
        inst = inst * 2.0 ** (depth * np.sin(2 * np.pi * vibrato_rate * t) / 1200.0)
    return 2 * np.pi * np.cumsum(inst) / SR


def _partials(phase, freq, ratios, levels, decays, rng, n):
    """Sum of sine partials; partials above the guard band are skipped."""
    out = np.zeros(n)
    for ratio, level, tau in zip(ratios, levels, decays):
        if freq * ratio >= NYQUIST_GUARD or level <= 0.0:
            continue
        start = rng.uniform(0, 2 * np.pi)
        tone = np.sin(phase * ratio + start)
        out += level * (tone * decay(n, tau) if tau else tone)
    return out


def piano(freq, dur, vel, rng):
    """Struck string: slightly stretched partials, brighter when played harder."""
    n_note = samples(dur)
    env = gate(n_note, 0.002, 0.18)
    n = len(env)
    count = 14
    k = np.arange(1, count + 1)
    ratios = k * np.sqrt(1.0 + 0.00035 * k ** 2)
    tilt = 1.6 - 0.6 * vel
    levels = 1.0 / k ** tilt
    sustain = 2.2 * (220.0 / freq) ** 0.35
    decays = sustain / (1.0 + 0.5 * (k - 1))
    phase = _phase(freq, n)
    body = _partials(phase, freq, ratios, levels, decays, rng, n)
    # the second string a few cents off gives the slow beating of a real unison
    body += 0.6 * _partials(phase * 1.0012, freq, ratios, levels, decays, rng, n)
    return 0.35 * vel * body * env


def epiano(freq, dur, vel, rng):
    """Tine piano by two-operator FM: the modulation index falls after the strike."""
    n_note = samples(dur)
    env = gate(n_note, 0.003, 0.3)
    n = len(env)
    phase = _phase(freq, n)
    # the sidebands reach about (index + 1) harmonics: tame them on high notes so they cannot alias
    brightness = min(1.0, 1000.0 / freq)
    index = brightness * ((0.4 + 1.6 * vel) * decay(n, 0.22) + 0.25)
    # modulator in phase with the carrier: any other offset leaves a DC thump under each note
    start = rng.uniform(0, 2 * np.pi)
    tone = np.sin(phase + start + index * np.sin(phase + start))
    tine = 0.0
    if freq * 7.0 < NYQUIST_GUARD:
        tine = 0.12 * vel * np.sin(phase * 7.0) * decay(n, 0.025)
    amp = decay(n, 1.6 * (262.0 / freq) ** 0.3) * (1.0 + 0.04 * np.sin(2 * np.pi * 4.5 * np.arange(n) / SR))
    left = (tone + tine) * amp * env
    # a touch of auto-pan, as on the classic suitcase models
    wobble = 0.15 * np.sin(2 * np.pi * 2.8 * np.arange(n) / SR)
    return 0.5 * vel * np.vstack((left * (1.0 - wobble), left * (1.0 + wobble)))


def bell(freq, dur, vel, rng):
    """Glockenspiel-like: inharmonic partials, long ring, independent of note length."""
    n = samples(max(dur, 1.2) + 0.1)
    env = gate(n - samples(0.05), 0.001, 0.05)
    phase = _phase(freq, len(env))
    body = _partials(phase, freq, [1.0, 2.756, 5.404, 8.933], [1.0, 0.45, 0.22, 0.1],
                     [1.1, 0.45, 0.2, 0.09], rng, len(env))
    return 0.3 * vel * body * env


def vibes(freq, dur, vel, rng):
    """Vibraphone: soft mallet, motor tremolo, rings on past the note a little."""
    n_note = samples(dur + 0.4)
    env = gate(n_note, 0.002, 0.35)
    n = len(env)
    phase = _phase(freq, n)
    body = _partials(phase, freq, [1.0, 3.98, 10.0], [1.0, 0.25, 0.05], [1.8, 0.5, 0.1], rng, n)
    tremolo = 1.0 - 0.25 * (0.5 + 0.5 * np.sin(2 * np.pi * 5.2 * np.arange(n) / SR))
    return 0.4 * vel * body * tremolo * env


def marimba(freq, dur, vel, rng):
    """Wooden bar: short fundamental, quick overtones, a soft knock at the start."""
    n = samples(min(max(dur, 0.25), 0.9) + 0.1)
    env = gate(n - samples(0.06), 0.001, 0.06)
    phase = _phase(freq, len(env))
    tau = 0.45 * (440.0 / freq) ** 0.5
    body = _partials(phase, freq, [1.0, 3.93, 9.2], [1.0, 0.35, 0.12], [tau, 0.06, 0.02], rng, len(env))
    return 0.5 * vel * body * env


def pluck(freq, dur, vel, rng):
    """Nylon-ish plucked string: harmonic spectrum shaped by the pluck point."""
    n_note = samples(dur)
    env = gate(n_note, 0.001, 0.12)
    n = len(env)
    k = np.arange(1, 20)
    position = 0.18
    levels = np.abs(np.sin(np.pi * k * position)) / k ** 1.1
    tau = 1.4 * (196.0 / freq) ** 0.6
    decays = tau / (1.0 + 0.35 * (k - 1) ** 1.2)
    body = _partials(_phase(freq, n), freq, k, levels, decays, rng, n)
    return 0.55 * vel * body * env


def pad(freq, dur, vel, rng):
    """Warm string pad: three detuned saws, rolled off, slow swell, stereo spread."""
    n_note = samples(dur)
    env = gate(n_note, min(0.5, dur * 0.4), 0.9)
    n = len(env)
    k = np.arange(1, 25)
    levels = (1.0 / k) / (1.0 + (k * freq / 1800.0) ** 2)
    sides = []
    for detunes in ((-9.0, 2.0), (-2.0, 8.0)):
        side = np.zeros(n)
        for cents in detunes:
            f = freq * 2.0 ** (cents / 1200.0)
            side += _partials(_phase(f, n, 0.3, 4.0), f, k, levels, [0] * len(k), rng, n)
        sides.append(side)
    return 0.16 * vel * np.array(sides) * env


def bass(freq, dur, vel, rng):
    """Round electric bass: strong fundamental, a short bright edge at the pluck."""
    n_note = samples(dur)
    env = gate(n_note, 0.004, 0.07)
    n = len(env)
    k = np.arange(1, 8)
    levels = 1.0 / k ** 1.8
    decays = [2.5, 0.5, 0.3, 0.2, 0.12, 0.08, 0.06]
    body = _partials(_phase(freq, n), freq, k, levels, decays, rng, n)
    return 0.7 * vel * body * env


def upright(freq, dur, vel, rng):
    """Plucked upright bass for the walking lines: woody and shorter."""
    n_note = samples(dur * 0.92)
    env = gate(n_note, 0.006, 0.08)
    n = len(env)
    k = np.arange(1, 8)
    levels = 1.0 / k ** 1.5
    decays = 0.9 / (1.0 + 0.9 * (k - 1))
    body = _partials(_phase(freq, n), freq, k, levels, decays, rng, n)
    return 0.75 * vel * body * env


def lead(freq, dur, vel, rng):
    """Soft square lead with a delayed vibrato, for the catchy tunes."""
    n_note = samples(dur)
    env = gate(n_note, 0.012, 0.12)
    n = len(env)
    k = np.arange(1, 16)
    levels = np.where(k % 2 == 1, 1.0 / k, 0.12 / k) / (1.0 + (k * freq / 3000.0) ** 2)
    phase = _phase(freq, n, 5.5, 14.0, 0.25)
    body = _partials(phase, freq, k, levels, [0] * len(k), rng, n)
    swell = 0.85 + 0.15 * decay(n, 0.15)
    return 0.6 * vel * body * swell * env


def flute(freq, dur, vel, rng):
    """Breathy flute: nearly pure tone, slow vibrato, a little air noise."""
    n_note = samples(dur)
    env = gate(n_note, 0.06, 0.15)
    n = len(env)
    phase = _phase(freq, n, 4.8, 10.0, 0.2)
    body = _partials(phase, freq, [1, 2, 3, 4], [1.0, 0.22, 0.09, 0.03], [0, 0, 0, 0], rng, n)
    breath = fft_filter(rng.standard_normal(n), low=freq, high=freq * 4.0, order=2)
    breath *= (0.6 * decay(n, 0.12) + 0.25) / (np.std(breath) + 1e-9)
    return 0.38 * vel * (body + 0.054 * breath) * env


def brass(freq, dur, vel, rng):
    """Brassy saw whose brightness opens up during the attack."""
    n_note = samples(dur)
    env = gate(n_note, 0.02, 0.12)
    n = len(env)
    t = np.arange(n) / SR
    cutoff = freq * (1.5 + 5.0 * vel * (1.0 - np.exp(-t / 0.06)))
    phase = _phase(freq, n, 5.0, 8.0, 0.3)
    body = np.zeros(n)
    for k in range(1, 18):
        if k * freq >= NYQUIST_GUARD:
            break
        body += np.sin(k * phase) / k / (1.0 + (k * freq / cutoff) ** 4)
    return 0.35 * vel * body * env


VOICES = {
    "piano": piano,
    "epiano": epiano,
    "bell": bell,
    "vibes": vibes,
    "marimba": marimba,
    "pluck": pluck,
    "pad": pad,
    "bass": bass,
    "upright": upright,
    "lead": lead,
    "flute": flute,
    "brass": brass,
}
