#!/usr/bin/python3
"""Writes docs/images/expressions.png: every heroine's six expressions, one heroine a row.

    /usr/bin/python3 tools/assets/contact_expressions.py

Uses ImageMagick's montage on the rendered pictures in Resources/res/gal/ (run build.py first).
"""
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
from build import EMOTIONS, RESOURCES, ROOT  # noqa: E402

CAST = ("hana", "rei", "lilith", "mio", "sayaka", "kohaku", "natsuki", "yuki")


def main():
    out = os.path.join(ROOT, "docs", "images", "expressions.png")
    arguments = ["montage", "-background", "#8a8a96", "-fill", "#ffffff", "-font", "Noto-Sans-CJK-JP-Bold",
                 "-pointsize", "15", "-geometry", "180x270+6+4", "-tile", f"{len(EMOTIONS)}x"]
    for name in CAST:
        for emotion in EMOTIONS:
            picture = f"{name}.png" if emotion == "normal" else f"{name}_{emotion}.png"
            arguments += ["-label", f"{name} · {emotion}", os.path.join(RESOURCES, "res", "gal", picture)]
    subprocess.run(arguments + ["-depth", "8", out], check=True)
    print(os.path.relpath(out, ROOT))


if __name__ == "__main__":
    main()
