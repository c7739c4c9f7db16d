"""Signal helpers shared by the voices, the drum kit and the mixer.

Everything works on float64 numpy arrays at SR samples per second. Stereo
signals have shape (2, n). Nothing here keeps state between calls, so a
render depends only on its arguments (and on the seeded generators the
callers pass in).
"""
import numpy as np

SR = 44100


def db(value):
    """Decibels to a linear gain."""
    return 10.0 ** (value / 20.0)


def to_db(gain):
    return 20.0 * np.log10(max(gain, 1e-12))


def samples(seconds):
    return int(round(seconds * SR))


def midi_to_hz(note):
    return 440.0 * 2.0 ** ((note - 69) / 12.0)


def gate(n_note, attack, release):
    """Amplitude gate: raised-cosine attack, flat while held, raised-cosine release.

    The result is n_note + release samples long and ends at exactly zero, so a
    voice multiplied by it can never click when it stops.
    """
    n_note = max(1, n_note)
    n_rel = max(1, samples(release))
    env = np.ones(n_note + n_rel)
    n_att = min(max(1, samples(attack)), n_note)
    env[:n_att] = 0.5 - 0.5 * np.cos(np.pi * np.arange(n_att) / n_att)
    env[n_note:] *= 0.5 + 0.5 * np.cos(np.pi * np.arange(1, n_rel + 1) / n_rel)
    return env


def decay(n, seconds):
    """Exponential decay reaching 1/e after `seconds`."""
    return np.exp(-np.arange(n) / (seconds * SR))


def fft_filter(x, low=None, high=None, order=2):
    """Zero-phase Butterworth-shaped band filter done in the frequency domain.

    The input is zero-padded so the circular wrap of the FFT cannot smear the
    end of the signal onto its start.
    """
    n = len(x)
    pad = n + samples(0.05)
    spectrum = np.fft.rfft(x, pad)
    freqs = np.fft.rfftfreq(pad, 1.0 / SR)
    gain = np.ones_like(freqs)
    if high is not None:
        gain /= np.sqrt(1.0 + (freqs / high) ** (2 * order))
    if low is not None:
        with np.errstate(divide="ignore"):
            ratio = np.where(freqs > 0, low / np.maximum(freqs, 1e-9), np.inf)
        gain /= np.sqrt(1.0 + ratio ** (2 * order))
    return np.fft.irfft(spectrum * gain, pad)[:n]


def pan_stereo(mono, pan):
    """Constant-power pan, pan in [-1 (left), 1 (right)]."""
    angle = (pan + 1.0) * np.pi / 4.0
    return np.vstack((mono * np.cos(angle), mono * np.sin(angle)))


def as_stereo(signal, pan=0.0):
    if signal.ndim == 1:
        return pan_stereo(signal, pan)
    if pan == 0.0:
        return signal
    balance = pan_stereo(np.ones(1), pan)[:, 0] * 2 ** 0.5
    return signal * balance[:, None]


def reverb_ir(length, decay_time, seed, brightness=0.5, predelay=0.018):
    """A stereo room impulse response made from seeded noise.

    Lows ring for `decay_time` (RT60), highs for under half of that, which is
    what keeps the tail soft. Left and right use different noise so the tail
    spreads across the stereo field.
    """
    rng = np.random.default_rng(seed)
    n = samples(length)
    t = np.arange(n) / SR
    channels = []
    for _ in range(2):
        noise = rng.standard_normal(n)
        low = fft_filter(noise, high=2200.0, order=1)
        high = noise - low
        ir = low * 10.0 ** (-3.0 * t / decay_time) + brightness * high * 10.0 ** (-3.0 * t / (0.4 * decay_time))
        onset = samples(0.008)
        ir[:onset] *= np.linspace(0.0, 1.0, onset)
        channels.append(np.concatenate((np.zeros(samples(predelay)), ir)))
    ir = np.array(channels)
    return ir / np.sqrt(np.sum(ir ** 2) / 2.0)


def convolve(x, ir, circular_length=None):
    """Convolve each channel of x with the matching channel of ir.

    With circular_length the convolution wraps around that many samples: the
    tail that runs past the end comes back in at the start, which is exactly
    what a seamless loop needs.
    """
    if circular_length is None:
        n = x.shape[1] + ir.shape[1] - 1
        size = 1 << (n - 1).bit_length()
        out = np.fft.irfft(np.fft.rfft(x, size) * np.fft.rfft(ir, size), size)
        return out[:, :n]
    n = circular_length
    if ir.shape[1] > n:
        raise ValueError("impulse response longer than the loop")
    return np.fft.irfft(np.fft.rfft(x, n) * np.fft.rfft(ir, n), n)


def echo(x, delay_seconds, feedback, repeats=8, circular=False):
    """Feedback echo with each repeat a little darker than the one before."""
    d = samples(delay_seconds)
    out = np.zeros((2, x.shape[1] + (0 if circular else d * repeats)))
    tap = x.copy()
    for k in range(1, repeats + 1):
        tap = np.vstack([fft_filter(ch, high=5000.0, order=1) for ch in tap]) * feedback
        if circular:
            out += np.roll(tap, k * d, axis=1)
        else:
            out[:, k * d:k * d + x.shape[1]] += tap
    return out


def fold(buffer, length):
    """Wrap everything past `length` back onto the start (loop tails)."""
    out = buffer[:, :length].copy()
    pos = length
    while pos < buffer.shape[1]:
        chunk = buffer[:, pos:pos + length]
        out[:, :chunk.shape[1]] += chunk
        pos += length
    return out


def soft_limit(x, ceiling, knee=0.6):
    """Sample-wise soft clipper: linear below knee*ceiling, tanh above.

    The output magnitude never exceeds `ceiling`.
    """
    k = knee * ceiling
    mag = np.abs(x)
    over = mag > k
    out = x.copy()
    out[over] = np.sign(x[over]) * (k + (ceiling - k) * np.tanh((mag[over] - k) / (ceiling - k)))
    return out


def master(x, peak_db, rms_db):
    """Bring the mix to an RMS target, then soft-limit the peaks under peak_db."""
    rms = np.sqrt(np.mean(x ** 2))
    if rms > 0:
        x = x * (db(rms_db) / rms)
    return soft_limit(x, db(peak_db))


def fade_edges(x, fade_in=0.003, fade_out=0.02):
    """Short raised-cosine fades so a one-shot starts and ends at silence."""
    x = x.copy()
    n_in, n_out = samples(fade_in), samples(fade_out)
    x[:, :n_in] *= 0.5 - 0.5 * np.cos(np.pi * np.arange(n_in) / n_in)
    x[:, -n_out:] *= 0.5 + 0.5 * np.cos(np.pi * np.arange(1, n_out + 1) / n_out)
    return x


def trim_silence(x, threshold_db=-70.0):
    """Cut a trailing stretch that is quieter than threshold_db."""
    level = np.max(np.abs(x), axis=0)
    loud = np.nonzero(level > db(threshold_db))[0]
    end = loud[-1] + 1 if len(loud) else 1
    return x[:, :end]
