#!/usr/bin/python3
"""Regenerates every generated file under Resources/ from the sources in tools/assets/.

    /usr/bin/python3 tools/assets/build.py            # everything
    /usr/bin/python3 tools/assets/build.py --contact  # also build/contact.png (not shipped)

Pictures: each pictures/<path>.svg becomes Resources/<path>.png at the SVG's own pixel
size. The SVGs may use the shared style sheet and parts in shared/; librsvg only follows
references into the file's own folder or below, so every SVG is rendered from a staging
folder that holds a copy of shared/ beside it. The tutorial pictures are mock-ups of the
play screen built from the other pictures: they are rendered last, after the finished
PNGs have been copied into the staging folder under their resource paths (from Resources/,
so that --only can re-render a mock-up alone). A picture that references a file the staging
folder does not hold is refused: librsvg would leave a hole and report success.
Heroines: a picture under res/gal/ whose source names parts "{emotion}" is rendered once
per expression (see expression_svg); res/gal/<name>.png is the normal one and
res/gal/<name>_<emotion>.png the others.
Particles: particles/<path>.plist is copied to Resources/<path>.plist.
Font: font_subset.py. Music and sound effects: audio/build.py, when present.
"""
import argparse
import filecmp
import os
import re
import shutil
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
RESOURCES = os.path.join(ROOT, "Resources")
PICTURES = os.path.join(HERE, "pictures")
SHARED = os.path.join(HERE, "shared")
PARTICLES = os.path.join(HERE, "particles")


def sources(folder, extension):
    found = []
    for base, dirs, files in os.walk(folder):
        dirs.sort()
        for name in sorted(files):
            if name.endswith(extension):
                path = os.path.join(base, name)
                found.append(os.path.relpath(path, folder))
    return found


COMPOSITES = "res/tutorial/"
HEROINES = "res/gal/"

# The emotions a line of dialogue can carry, and how far each one moves her shoulders
# (pixels, negative is up): drawn up when startled or flustered, slumped when sad.
EMOTIONS = {"normal": 0, "angry": -4, "happy": -3, "sad": 9, "surprised": -12, "embarrassed": -7}


def expression_svg(text, emotion):
    """One expression of a heroine drawn from her single source.

    In the source, "{emotion}" (in part names such as parts.svg#eye-{emotion}) becomes the
    emotion; an element of class "when-<emotion>" is drawn only in that expression (a class
    may name several), one of class "unless-<emotion>" in all the others; groups of class
    "shoulders" are moved by the emotion's shoulder offset."""
    hidden = ",".join(f".when-{name}" for name in EMOTIONS)
    style = (f"<style>{hidden}{{display:none}} .when-{emotion}{{display:inline}} "
             f".unless-{emotion}{{display:none}} "
             f".shoulders{{transform:translate(0px,{EMOTIONS[emotion]}px)}}</style>")
    text = text.replace("{emotion}", emotion)
    opened = text.index(">", text.index("<svg")) + 1
    return text[:opened] + style + text[opened:]


def expressions(rel, text):
    """(output path, SVG text) for every picture a source makes: one, or one per emotion."""
    base = rel[: -len(".svg")]
    if not (rel.startswith(HEROINES) and "{emotion}" in text):
        return [(base + ".png", text)]
    return [(base + ("" if emotion == "normal" else "_" + emotion) + ".png", expression_svg(text, emotion))
            for emotion in EMOTIONS]


def references(text):
    """The files an SVG reads (parts, style sheet, pictures): every href, without its #part."""
    found = {m.group(2).split("#")[0] for m in re.finditer(r"""href=(["'])(.*?)\1""", text)}
    return sorted(ref for ref in found if ref and not ref.startswith("data:"))


def missing(text, stage):
    return [ref for ref in references(text) if not os.path.isfile(os.path.join(stage, ref))]


def read(rel):
    with open(os.path.join(PICTURES, rel), encoding="utf-8") as source:
        return source.read()


def select(rels, only=""):
    """The sources an --only prefix picks, as (plain pictures, composites rendered last)."""
    chosen = [rel for rel in rels if rel.startswith(only)]
    return ([r for r in chosen if not r.startswith(COMPOSITES)],
            [r for r in chosen if r.startswith(COMPOSITES)])


def render(rel, stage):
    text = read(rel)
    outputs = []
    for out_rel, svg in expressions(rel, text):
        absent = missing(svg, stage)
        if absent:
            raise SystemExit(f"{rel}: {', '.join(absent)} not found (build the pictures it uses first)")
        staged = os.path.join(stage, "picture.svg")
        with open(staged, "w", encoding="utf-8") as picture:
            picture.write(svg)
        out = os.path.join(RESOURCES, out_rel)
        os.makedirs(os.path.dirname(out), exist_ok=True)
        subprocess.run(["rsvg-convert", "--format=png", "-o", out, staged], check=True)
        outputs.append(out)
    return outputs


def stage_finished(stage):
    """Copies every picture the plain sources make, as it now is in Resources/, into the stage
    under its resource path: the ones just rendered and, with --only, the others."""
    everything, _ = select(sources(PICTURES, ".svg"))
    for rel in everything:
        for out_rel, _ in expressions(rel, read(rel)):
            out = os.path.join(RESOURCES, out_rel)
            if os.path.isfile(out):
                copy = os.path.join(stage, out_rel)
                os.makedirs(os.path.dirname(copy), exist_ok=True)
                shutil.copy(out, copy)


def render_pictures(only=""):
    plain, composites = select(sources(PICTURES, ".svg"), only)
    with tempfile.TemporaryDirectory(prefix="solvane-svg-") as stage:
        for name in os.listdir(SHARED):
            shutil.copy(os.path.join(SHARED, name), os.path.join(stage, name))
        outputs = [out for rel in plain for out in render(rel, stage)]
        if composites:
            stage_finished(stage)
        outputs += [out for rel in composites for out in render(rel, stage)]
    print(f"pictures: {len(outputs)} rendered")
    return outputs


def copy_particles():
    rels = sources(PARTICLES, ".plist")
    for rel in rels:
        out = os.path.join(RESOURCES, rel)
        os.makedirs(os.path.dirname(out), exist_ok=True)
        if not os.path.exists(out) or not filecmp.cmp(os.path.join(PARTICLES, rel), out, shallow=False):
            shutil.copyfile(os.path.join(PARTICLES, rel), out)
    print(f"particles: {len(rels)} plists")


def build_audio():
    script = os.path.join(HERE, "audio", "build.py")
    if os.path.exists(script):
        subprocess.run([sys.executable, script], check=True)
    else:
        print("audio: tools/assets/audio/build.py not present, skipped")


def contact_sheet(pictures):
    out_dir = os.path.join(ROOT, "build")
    os.makedirs(out_dir, exist_ok=True)
    out = os.path.join(out_dir, "contact.png")
    subprocess.run(
        ["montage", "-background", "#777777", "-label", "%t\\n%wx%h", "-geometry", "256x256+6+6",
         "-tile", "8x"] + pictures + [out],
        check=True,
    )
    print(f"contact sheet: {out}")


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--contact", action="store_true", help="also write build/contact.png")
    parser.add_argument("--pictures-only", action="store_true", help="skip font and audio")
    parser.add_argument("--only", default="", metavar="PREFIX",
                        help="render only the pictures whose path starts with PREFIX (e.g. res/gal/hana)")
    args = parser.parse_args()
    if not any(select(sources(PICTURES, ".svg"), args.only)):
        parser.error(f"no picture source under tools/assets/pictures starts with {args.only!r}")

    pictures = render_pictures(args.only)
    copy_particles()
    if not args.pictures_only:
        sys.path.insert(0, HERE)
        import font_subset  # needs fontTools, which only building the font does

        path, count = font_subset.build_font(RESOURCES)
        print(f"font: {os.path.relpath(path, ROOT)} with {count} characters")
        build_audio()
    if args.contact:
        contact_sheet(pictures)


if __name__ == "__main__":
    main()
