#!/usr/bin/python3
"""Render every music loop and sound effect of the game and encode them as MP3.

Run from anywhere (no arguments needed):  /usr/bin/python3 tools/assets/audio/build.py
Options: --only NAME[,NAME...] to render a subset, --keep-wav DIR to keep the
rendered WAVs (default build/assets/audio under the repository root).
Needs python3 + numpy and the lame encoder; nothing is downloaded.
"""
import argparse
import os
import subprocess
import sys
import wave

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import numpy as np  # noqa: E402

import dsp  # noqa: E402
import effects  # noqa: E402
import score  # noqa: E402
import sequencer  # noqa: E402

ROOT = os.path.abspath(os.path.join(HERE, "..", "..", ".."))
RESOURCES = os.path.join(ROOT, "Resources")
MUSIC = ("op", "honobono_m", "everyday", "cafe", "outdoor", "evening")
LAME = ["lame", "--quiet", "--cbr", "-b", "128", "-q", "2", "--noreplaygain"]


def render_music(name):
    piece = score.load(os.path.join(HERE, "scores", name + ".score"))
    mix = sequencer.render(piece)
    return dsp.master(mix, piece.peak, piece.level)


def write_wav(path, stereo):
    pcm = np.round(np.clip(stereo, -1.0, 1.0) * 32767.0).astype("<i2")
    with wave.open(path, "wb") as out:
        out.setnchannels(2)
        out.setsampwidth(2)
        out.setframerate(dsp.SR)
        out.writeframes(pcm.T.tobytes())


def encode(wav_path, mp3_path):
    os.makedirs(os.path.dirname(mp3_path), exist_ok=True)
    subprocess.run(LAME + [wav_path, mp3_path], check=True)


def jobs():
    for name in MUSIC:
        yield name, "res/bgm/%s.mp3" % name, lambda name=name: render_music(name)
    for name, make in effects.EFFECTS.items():
        yield name, "res/se/%s.mp3" % name, make


def main(argv=None):
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--only", help="comma-separated names to build")
    parser.add_argument("--keep-wav", default=os.path.join(ROOT, "build", "assets", "audio"))
    args = parser.parse_args(argv)
    wanted = set(args.only.split(",")) if args.only else None
    os.makedirs(args.keep_wav, exist_ok=True)
    for name, target, make in jobs():
        if wanted and name not in wanted:
            continue
        stereo = make()
        wav_path = os.path.join(args.keep_wav, name + ".wav")
        write_wav(wav_path, stereo)
        encode(wav_path, os.path.join(RESOURCES, target))
        peak = dsp.to_db(np.max(np.abs(stereo)))
        rms = dsp.to_db(np.sqrt(np.mean(stereo ** 2)))
        print("%-16s %6.2f s  peak %6.2f dBFS  rms %6.2f dBFS  -> %s"
              % (name, stereo.shape[1] / dsp.SR, peak, rms, target))
    return 0


if __name__ == "__main__":
    sys.exit(main())
