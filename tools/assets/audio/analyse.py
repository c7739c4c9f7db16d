#!/usr/bin/python3
"""Measure the rendered audio: levels, lengths, loop joins, clicks, stems.

    /usr/bin/python3 tools/assets/audio/analyse.py            # every WAV the build kept
    /usr/bin/python3 tools/assets/audio/analyse.py --stems op # level of each part of a score
    ... --spectrograms                                        # PNGs beside the WAVs (needs sox)

We cannot listen to the output here, so these numbers are how a change is judged.
"""
import argparse
import glob
import os
import subprocess
import sys
import wave

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import numpy as np  # noqa: E402

import dsp  # noqa: E402

ROOT = os.path.abspath(os.path.join(HERE, "..", "..", ".."))
WAV_DIR = os.path.join(ROOT, "build", "assets", "audio")


def read_wav(path):
    with wave.open(path) as wav:
        data = np.frombuffer(wav.readframes(wav.getnframes()), "<i2").astype(float) / 32768.0
        return data.reshape(-1, wav.getnchannels()).T


def join_report(x):
    """How the end of a loop meets its start.

    jump: the step from the last sample to the first, compared with the
    largest step anywhere else (a click would stand far above it).
    rms ratio: level of 50 ms just before the end over 50 ms just after the start.
    """
    steps = np.abs(np.diff(x, axis=1)).max()
    jump = np.abs(x[:, 0] - x[:, -1]).max()
    w = dsp.samples(0.05)
    before = np.sqrt(np.mean(x[:, -w:] ** 2))
    after = np.sqrt(np.mean(x[:, :w] ** 2))
    return jump, steps, before / max(after, 1e-9)


def edge_report(x):
    """First and last sample of a one-shot: both must be (near) silence."""
    return np.abs(x[:, 0]).max(), np.abs(x[:, -1]).max()


def report(path):
    x = read_wav(path)
    name = os.path.splitext(os.path.basename(path))[0]
    peak = dsp.to_db(np.abs(x).max())
    rms = dsp.to_db(np.sqrt(np.mean(x ** 2)))
    line = "%-16s %6.2f s  peak %6.2f  rms %6.2f" % (name, x.shape[1] / dsp.SR, peak, rms)
    if "/se/" in path or name in EFFECT_NAMES:
        head, tail = edge_report(x)
        line += "  first/last sample %.4f / %.4f" % (head, tail)
    else:
        jump, steps, ratio = join_report(x)
        line += "  join step %.4f (max step %.4f)  rms end/start %.2f" % (jump, steps, ratio)
    print(line)


def stems(name):
    import score
    import sequencer
    piece = score.load(os.path.join(HERE, "scores", name + ".score"))
    original = sequencer.mix

    def spy(sc, buses, length):
        for part, bus in buses.items():
            level = np.sqrt(np.mean((bus * sc.instruments[part].volume) ** 2))
            print("  %-8s %6.1f dB" % (part, dsp.to_db(level)))
        return original(sc, buses, length)

    sequencer.mix = spy
    try:
        sequencer.render(piece)
    finally:
        sequencer.mix = original


def spectrogram(path):
    png = os.path.splitext(path)[0] + ".png"
    subprocess.run(["sox", path, "-n", "remix", "1,2", "rate", "8k", "spectrogram", "-x", "1800",
                    "-y", "400", "-z", "70", "-t", os.path.basename(path), "-o", png], check=True)
    print("wrote", png)


EFFECT_NAMES = ()


def main():
    global EFFECT_NAMES
    import effects
    EFFECT_NAMES = tuple(effects.EFFECTS)
    parser = argparse.ArgumentParser()
    parser.add_argument("--stems", help="score name to break down by part")
    parser.add_argument("--spectrograms", action="store_true")
    args = parser.parse_args()
    if args.stems:
        stems(args.stems)
        return 0
    for path in sorted(glob.glob(os.path.join(WAV_DIR, "*.wav"))):
        report(path)
        if args.spectrograms:
            spectrogram(path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
