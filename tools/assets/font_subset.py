"""Cuts the game's font out of Debian's Noto Sans CJK collection.

The game renders every label with one font file. The full JP face is ~16 MB, so we keep
only what the texts can use: Latin-1, general punctuation, kana, CJK symbols, fullwidth
forms, the JIS level-1 kanji and every character that appears in the shipped JSON data.
"""
import codecs
import glob
import json
import os

from fontTools import subset
from fontTools.ttLib import TTCollection

COLLECTION = "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc"
LICENCE_SOURCE = "/usr/share/doc/fonts-noto-cjk/copyright"
FACE_NAME = "NotoSansCJKjp-Regular"

# Whole blocks, as inclusive code point ranges.
KEPT_RANGES = [
    (0x0020, 0x007E),  # ASCII
    (0x00A0, 0x00FF),  # Latin-1 supplement
    (0x2000, 0x206F),  # general punctuation
    (0x2190, 0x21FF),  # arrows
    (0x2460, 0x24FF),  # enclosed alphanumerics
    (0x25A0, 0x25FF),  # geometric shapes
    (0x2600, 0x26FF),  # misc symbols (hearts, stars)
    (0x3000, 0x303F),  # CJK symbols and punctuation
    (0x3040, 0x309F),  # hiragana
    (0x30A0, 0x30FF),  # katakana, including the middle dot used for list bullets
    (0x31F0, 0x31FF),  # katakana phonetic extensions
    (0xFF00, 0xFFEF),  # half- and fullwidth forms
]


def jis_level1_kanji():
    """Every character of EUC-JP rows 0x30-0x4F (JIS X 0208 level 1)."""
    chars = set()
    for row in range(0xB0, 0xD0):
        for cell in range(0xA1, 0xFF):
            try:
                chars.add(codecs.decode(bytes([row, cell]), "euc_jp"))
            except UnicodeDecodeError:
                pass
    return chars


def _strings_in(value):
    if isinstance(value, str):
        yield value
    elif isinstance(value, dict):
        for key, item in value.items():
            yield key
            yield from _strings_in(item)
    elif isinstance(value, list):
        for item in value:
            yield from _strings_in(item)


def content_characters(resources_dir):
    """Every character of every string in Resources/**/*.json."""
    chars = set()
    for path in sorted(glob.glob(os.path.join(resources_dir, "**", "*.json"), recursive=True)):
        with open(path, encoding="utf-8") as f:
            try:
                data = json.load(f)
            except ValueError as error:
                raise SystemExit(f"font: {path} is not valid JSON ({error})")
        for text in _strings_in(data):
            chars.update(text)
    return chars


def wanted_code_points(resources_dir):
    points = set()
    for first, last in KEPT_RANGES:
        points.update(range(first, last + 1))
    points.update(ord(c) for c in jis_level1_kanji())
    points.update(ord(c) for c in content_characters(resources_dir))
    points.discard(ord("\n"))
    return points


def jp_face(collection):
    for font in collection.fonts:
        if font["name"].getDebugName(6) == FACE_NAME:
            return font
    raise SystemExit(f"font: {FACE_NAME} not found in {COLLECTION}")


def build_font(resources_dir):
    out_dir = os.path.join(resources_dir, "fonts", "NotoSans")
    os.makedirs(out_dir, exist_ok=True)
    collection = TTCollection(COLLECTION)
    font = jp_face(collection)
    # Keep the source's timestamps so that reruns write identical bytes.
    font.recalcTimestamp = False

    options = subset.Options()
    options.layout_features = ["*"]
    options.name_IDs = ["*"]
    options.name_languages = ["*"]
    options.notdef_outline = True
    options.hinting = True
    options.recalc_timestamp = False
    subsetter = subset.Subsetter(options=options)
    cmap = font.getBestCmap()
    points = sorted(p for p in wanted_code_points(resources_dir) if p in cmap)
    subsetter.populate(unicodes=points)
    subsetter.subset(font)

    out_path = os.path.join(out_dir, FACE_NAME + ".otf")
    font.save(out_path)
    write_licence(font, os.path.join(out_dir, "OFL.txt"))
    return out_path, len(points)


def write_licence(font, path):
    """The font's own copyright line followed by the OFL 1.1 text from Debian's copyright file."""
    copyright_line = font["name"].getDebugName(0) or ""
    with open(LICENCE_SOURCE, encoding="utf-8") as f:
        lines = f.read().split("\n")
    # The licence text is the stand-alone "License:" paragraph, the last one naming SIL-1.1.
    start = max(i for i, line in enumerate(lines) if line == "License: SIL-1.1")
    body = []
    for line in lines[start + 1:]:
        if line.startswith("License:"):
            break
        body.append("" if line.strip() == "." else line[1:] if line.startswith(" ") else line)
    text = "Noto Sans CJK JP (subset), from Debian's fonts-noto-cjk package.\n\n"
    text += copyright_line + "\n\n"
    text += "This Font Software is licensed under the SIL Open Font License, Version 1.1.\n\n"
    text += "\n".join(body).strip() + "\n"
    with open(path, "w", encoding="utf-8") as f:
        f.write(text)
