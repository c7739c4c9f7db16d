"""A small drum kit made from sine sweeps and filtered noise.

Each hit is a function (velocity, rng) -> mono signal that starts at full
level and decays to silence within its own length.
"""
import numpy as np

from dsp import SR, decay, fft_filter, samples


def _t(n):
    return np.arange(n) / SR


def _tail(signal, seconds=0.01):
    """Fade the last few milliseconds so every hit ends at zero."""
    n = samples(seconds)
    signal[-n:] *= np.linspace(1.0, 0.0, n)
    return signal


def _sweep(n, start_hz, end_hz, time_constant):
    freq = end_hz + (start_hz - end_hz) * np.exp(-_t(n) / time_constant)
    return np.sin(2 * np.pi * np.cumsum(freq) / SR)


def kick(vel, rng):
    n = samples(0.45)
    body = _sweep(n, 160.0, 48.0, 0.035) * decay(n, 0.16)
    click = fft_filter(rng.standard_normal(n), high=3000.0) * decay(n, 0.003)
    return _tail(vel * (0.9 * body + 0.15 * click))


def snare(vel, rng):
    n = samples(0.3)
    tone = (np.sin(2 * np.pi * 185.0 * _t(n)) + 0.5 * np.sin(2 * np.pi * 330.0 * _t(n))) * decay(n, 0.05)
    noise = fft_filter(rng.standard_normal(n), low=1200.0, high=7000.0, order=3) * decay(n, 0.07)
    return _tail(vel * (0.4 * tone + 0.5 * noise))


def clap(vel, rng):
    n = samples(0.3)
    noise = fft_filter(rng.standard_normal(n), low=900.0, high=4000.0)
    env = np.zeros(n)
    for start in (0.0, 0.011, 0.022):
        s = samples(start)
        env[s:] += decay(n - s, 0.006)
    s = samples(0.03)
    env[s:] += 0.8 * decay(n - s, 0.08)
    return _tail(0.5 * vel * noise * env)


def hat(vel, rng):
    n = samples(0.09)
    noise = fft_filter(rng.standard_normal(n), low=7000.0, order=3)
    return _tail(0.35 * vel * noise * decay(n, 0.018))


def open_hat(vel, rng):
    n = samples(0.5)
    noise = fft_filter(rng.standard_normal(n), low=6500.0, order=3)
    return _tail(0.3 * vel * noise * decay(n, 0.13))


def shaker(vel, rng):
    n = samples(0.12)
    noise = fft_filter(rng.standard_normal(n), low=4500.0, high=12000.0)
    t = _t(n)
    env = (1.0 - np.exp(-t / 0.012)) * np.exp(-t / 0.035)
    return _tail(0.5 * vel * noise * env)


def brush(vel, rng):
    """A brush swept across the snare head: soft onset, airy tail."""
    n = samples(0.3)
    noise = fft_filter(rng.standard_normal(n), low=1500.0, high=7000.0)
    t = _t(n)
    env = (1.0 - np.exp(-t / 0.02)) * np.exp(-t / 0.09)
    return _tail(0.35 * vel * noise * env)


def ride(vel, rng):
    """Ride cymbal: a cluster of inharmonic partials over a bright noise wash."""
    n = samples(1.2)
    t = _t(n)
    ping = np.zeros(n)
    for f in (3150.0, 4210.0, 5330.0, 6870.0, 7460.0):
        ping += np.sin(2 * np.pi * f * t + rng.uniform(0, 6.28))
    wash = fft_filter(rng.standard_normal(n), low=5000.0, order=2)
    return _tail(vel * (0.05 * ping * decay(n, 0.25) + 0.12 * wash * decay(n, 0.35)))


def crash(vel, rng):
    n = samples(1.6)
    wash = fft_filter(rng.standard_normal(n), low=3500.0, order=2)
    t = _t(n)
    env = (1.0 - np.exp(-t / 0.004)) * decay(n, 0.5)
    return _tail(0.3 * vel * wash * env, 0.05)


def rim(vel, rng):
    n = samples(0.08)
    t = _t(n)
    tone = np.sin(2 * np.pi * 1750.0 * t) + 0.6 * np.sin(2 * np.pi * 820.0 * t)
    return _tail(0.3 * vel * tone * decay(n, 0.012))


def tom(vel, rng, pitch=110.0):
    n = samples(0.5)
    body = _sweep(n, pitch * 1.6, pitch, 0.04) * decay(n, 0.18)
    skin = fft_filter(rng.standard_normal(n), low=200.0, high=2500.0) * decay(n, 0.02)
    return _tail(vel * (0.7 * body + 0.15 * skin))


def low_tom(vel, rng):
    return tom(vel, rng, 82.0)


DRUMS = {
    "kick": kick,
    "snare": snare,
    "clap": clap,
    "hat": hat,
    "open": open_hat,
    "shaker": shaker,
    "brush": brush,
    "ride": ride,
    "crash": crash,
    "rim": rim,
    "tom": tom,
    "lowtom": low_tom,
}
