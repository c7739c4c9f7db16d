#!/usr/bin/env python3
"""Writes Solvane's content files from the Python sources beside this script.

    /usr/bin/python3 tools/content/build_content.py            # check, then write Resources/res/...
    /usr/bin/python3 tools/content/build_content.py --check    # check only

The checks here are the authoring rules (every admitted heroine can be asked every scenario,
chains close and end, texts fit their boxes at the game's font sizes) and what the loader needs
(bands within 0-10 with min <= max, filters, emotions and placeholders it knows, pictures and
music that exist under Resources/). When any fails, nothing is written. The game's own checker
(solvane-check) and the content tests verify the written files again through the real loaders.
"""
import json
import os
import re
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

from dsl import HIGH, LOW, PARAMS, PLACES  # noqa: E402
import cast  # noqa: E402
import scenes_any  # noqa: E402
import scenes_attribute  # noqa: E402
import scenes_personal  # noqa: E402

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
RESOURCES = os.path.join(ROOT, "Resources")
RES = os.path.join(RESOURCES, "res")
FONT = "/usr/share/fonts/opentype/noto/NotoSansCJK-Regular.ttc"
PLACEHOLDERS = ("<主人公>", "<ヒロイン>")
MIN_ADMITTED = 10
MIN_CHAINS = 15
# The emotions the loader knows, for the scene's face and every reply's.
EMOTIONS = ["Normal", "Angry", "Happy", "Sad", "Surprised", "Embarrassed"]
FILTERS = ("Any", "Attribute", "Personal")
KINDS = ("range", "right", "wrong")


class Metrics:
    """Advance widths of the game's font face, to wrap text the way a label does."""

    def __init__(self):
        self.ok = False
        try:
            from fontTools.ttLib import TTCollection
            face = next(f for f in TTCollection(FONT).fonts
                        if "JP" in f["name"].getDebugName(4))
            self.cmap, self.hmtx = face.getBestCmap(), face["hmtx"]
            self.upem = face["head"].unitsPerEm
            hhea = face["hhea"]
            self.line = (hhea.ascent - hhea.descent + hhea.lineGap) / self.upem
            self.ok = True
        except Exception as exc:  # the checks below still run without widths
            print("warning: no font metrics (%s); widths not checked" % exc)

    def width(self, text, size):
        total = 0
        for ch in text:
            glyph = self.cmap.get(ord(ch))
            total += self.hmtx[glyph][0] if glyph else self.upem
        return total * size / self.upem

    def lines(self, text, size, wrap):
        """Greedy word wrap, as the engine's label does; explicit newlines break too."""
        count = 0
        for para in text.split("\n"):
            line = ""
            count += 1
            for word in para.split(" "):
                trial = word if not line else line + " " + word
                if line and self.width(trial, size) > wrap:
                    count += 1
                    line = word
                else:
                    line = trial
        return count


def all_scenes(scenes=None):
    """Numbers the scenes 1..N in source order; returns them and a key -> scene map."""
    if scenes is None:
        scenes = scenes_any.SCENES + scenes_attribute.SCENES + scenes_personal.SCENES
    keys = {}
    for i, sc in enumerate(scenes, start=1):  # id 0 is left out: an absent reply's next is 0
        if sc.key in keys:
            raise SystemExit("duplicate scenario key %s" % sc.key)
        sc.id = i
        keys[sc.key] = sc
    return scenes, keys


def admits(filt, heroine):
    if filt["type"] == "Any":
        return True
    if filt["type"] == "Personal":
        return filt["personal"] == heroine["name"]
    return any(a in heroine["attributes"] for a in filt["attributes"])


class Report:
    def __init__(self):
        self.problems = []

    def add(self, msg):
        self.problems.append(msg)


def check_placeholders(text, where, rep):
    for token in re.findall(r"<[^<>]*>", text):
        if token not in PLACEHOLDERS:
            rep.add("%s: unknown placeholder %s" % (where, token))


def every_text(scenes):
    for sc in scenes:
        yield "scenario %d sentence" % sc.id, sc.sentence, "line"
        for k, sel in enumerate(sc.sels):
            yield "scenario %d selection %d" % (sc.id, k), sel.text, "selection"
            for tag, reply in (("success", sel.ok), ("failure", sel.ng)):
                if reply:
                    yield "scenario %d selection %d %s" % (sc.id, k, tag), reply[1], "line"


def longest_words(h):
    return h["you"], h["name"]


def check_filter(sc, rep):
    """True when the filter is one the loader reads the way admits() does. The loader shows a
    scenario with an unknown filter type to everyone, and one naming nobody to no one."""
    filt, where = sc.filt, "scenario %d (%s)" % (sc.id, sc.key)
    if not isinstance(filt, dict) or filt.get("type") not in FILTERS:
        rep.add("%s: filter %r is not one of %s" % (where, filt, ", ".join(FILTERS)))
        return False
    names = {h["name"] for h in cast.HEROINES}
    held = {a for h in cast.HEROINES for a in h["attributes"]}
    if filt["type"] == "Personal" and filt.get("personal") not in names:
        rep.add("%s: filter names no heroine of the cast: %r" % (where, filt.get("personal")))
        return False
    if filt["type"] == "Attribute":
        attrs = filt.get("attributes")
        if not attrs or not isinstance(attrs, list):
            rep.add("%s: attribute filter without attributes" % where)
            return False
        for a in attrs:
            if a not in held:
                rep.add("%s: filter attribute %r is held by no heroine" % (where, a))
    return True


def check_selection(sc, k, sel, rep):
    """The selection's kind, its band (whole numbers, LOW <= min <= max <= HIGH) and the
    emotions of its replies. False when the band cannot even be read."""
    where = "scenario %d (%s) selection %d" % (sc.id, sc.key, k)
    readable = True
    if sel.kind not in KINDS:
        rep.add("%s: kind %r is not one of %s" % (where, sel.kind, ", ".join(KINDS)))
    for param, band in sel.when.items():
        ok = (isinstance(band, tuple) and len(band) == 2 and
              all(isinstance(v, int) and not isinstance(v, bool) for v in band) and
              LOW <= band[0] <= band[1] <= HIGH)
        if not ok:
            rep.add("%s: band %s %r is not LOW <= min <= max <= HIGH (%d..%d)" %
                    (where, param, band, LOW, HIGH))
            readable = readable and isinstance(band, tuple) and len(band) == 2
    for tag, reply in (("success", sel.ok), ("failure", sel.ng)):
        if reply is not None and (len(reply) != 2 or reply[0] not in EMOTIONS):
            rep.add("%s: %s reply %r has no known emotion" % (where, tag, reply))
    return readable


def check_scenes(scenes, keys, rep, metrics):
    heroines = cast.HEROINES
    admitted = {h["name"]: 0 for h in heroines}
    for sc in scenes:
        if not 3 <= len(sc.sels) <= 6:
            rep.add("scenario %d (%s): %d selections" % (sc.id, sc.key, len(sc.sels)))
        if sc.emotion not in EMOTIONS:
            rep.add("scenario %d (%s): emotion %r is not one of %s" %
                    (sc.id, sc.key, sc.emotion, ", ".join(EMOTIONS)))
        readable = all([check_selection(sc, k, sel, rep) for k, sel in enumerate(sc.sels)])
        if sc.then is not None and sc.then not in keys:
            rep.add("scenario %s: chain names unknown %s" % (sc.key, sc.then))
        if not check_filter(sc, rep) or not readable:
            continue
        asked = 0
        for h in heroines:
            if not admits(sc.filt, h):
                continue
            asked += 1
            admitted[h["name"]] += 1
            verdicts = [s.accepts(h["parameter"]) for s in sc.sels]
            for s, ok in zip(sc.sels, verdicts):
                if not (s.ok if ok else s.ng):
                    rep.add("scenario %d (%s): %s has no %s reply for %s" %
                            (sc.id, sc.key, s.text, "success" if ok else "failure", h["name"]))
            if all(verdicts) or not any(verdicts):
                rep.add("scenario %d (%s): %s gets no %s answer" %
                        (sc.id, sc.key, h["name"], "wrong" if all(verdicts) else "right"))
        if not asked:
            rep.add("scenario %d (%s): its filter admits no heroine" % (sc.id, sc.key))
    for name, count in admitted.items():
        if count < MIN_ADMITTED:
            rep.add("%s is admitted by only %d scenarios" % (name, count))
    return admitted


def chains(scenes, keys, rep):
    """Chains as lists of keys, each from a head nobody points at to a scenario ending in -1.

    A scenario that links on but lies on no chain from a head is in a loop with no way in: the
    game would ask its questions over and over, so it is reported too."""
    targets = {sc.then for sc in scenes if sc.then is not None}
    found, walked = [], set()
    for sc in scenes:
        if sc.then is None or sc.key in targets:
            continue
        chain, cur = [sc.key], sc
        while cur.then is not None:
            if cur.then in chain:
                rep.add("chain through %s loops" % cur.then)
                break
            if cur.then not in keys:  # check_scenes names the unknown link
                break
            cur = keys[cur.then]
            chain.append(cur.key)
            if cur.filt != sc.filt:
                rep.add("chain %s changes its filter at %s" % (sc.key, cur.key))
        if not 2 <= len(chain) <= 3:
            rep.add("chain %s has %d scenarios" % (sc.key, len(chain)))
        found.append(chain)
        walked.update(chain)
    stranded = [sc.key for sc in scenes if sc.then is not None and sc.key not in walked]
    if stranded:
        rep.add("scenarios %s link round in a loop that never ends" % ", ".join(stranded))
    if len(found) < MIN_CHAINS:
        rep.add("only %d chains" % len(found))
    return found


def check_texts(scenes, rep, metrics):
    widest_you = max((h["you"] for h in cast.HEROINES), key=len)
    widest_name = max((h["name"] for h in cast.HEROINES), key=len)

    def worst(text):
        return text.replace("<主人公>", widest_you).replace("<ヒロイン>", widest_name)

    for where, text, kind in every_text(scenes):
        check_placeholders(text, where, rep)
        if not text.strip():
            rep.add("%s is empty" % where)
        if not metrics.ok:
            continue
        full = worst(text)
        # The text box's label is centred 28 points right of the centre: a line wider than the
        # screen minus twice that is clipped, and any wrapped text has such a line.
        if kind == "line" and metrics.width(full, 28) > 1280 - 2 * 28:
            rep.add("%s does not fit one line: %s" % (where, text))
        if kind == "selection" and metrics.lines(full, 28, 640 - 8) > 2:
            rep.add("%s does not fit its box: %s" % (where, text))


def check_cast(rep, metrics):
    attrs = {}
    for h in cast.HEROINES:
        if set(h["parameter"]) != set(PARAMS):
            rep.add("%s: parameters %s" % (h["name"], sorted(h["parameter"])))
        if not all(0 <= v <= 10 for v in h["parameter"].values()):
            rep.add("%s: a parameter outside 0-10" % h["name"])
        if not 5 <= h["border"] <= 9:
            rep.add("%s: border %d" % (h["name"], h["border"]))
        if not 1 <= len(h["attributes"]) <= 3:
            rep.add("%s: %d attributes" % (h["name"], len(h["attributes"])))
        for a in h["attributes"]:
            attrs[a] = attrs.get(a, 0) + 1
        if len(h["info"]) > 400:
            rep.add("%s: profile has %d characters" % (h["name"], len(h["info"])))
        sentences = len(re.findall(r"[.!?](\s|$)", h["info"]))
        if not 3 <= sentences <= 5:
            rep.add("%s: profile has %d sentences" % (h["name"], sentences))
        if not h["file"].endswith(".png"):
            rep.add("%s: picture %s is not a .png" % (h["name"], h["file"]))
        if h["name"] not in cast.CONFESSIONS:
            rep.add("%s has no confession" % h["name"])
        for text in cast.CONFESSIONS.get(h["name"], ()):
            check_placeholders(text, "confession of " + h["name"], rep)
            full = text.replace("<主人公>", h["you"]).replace("<ヒロイン>", h["name"])
            if metrics.ok and metrics.width(full, 28) > 1280 - 2 * 28:
                rep.add("confession of %s does not fit one line: %s" % (h["name"], text))
        # Below seven lines the gallery's profile runs into the attribute list above it.
        if metrics.ok and metrics.lines(h["info"], 22, 1280 / 3 - 4) > 7:
            rep.add("%s: profile runs past 7 lines" % h["name"])
    for a, n in attrs.items():
        if n < 2:
            rep.add("attribute %s is held by only one heroine" % a)
    if not 4 <= len(attrs) <= 8:
        rep.add("%d attribute names" % len(attrs))
    ids = sorted(h["id"] for h in cast.HEROINES)
    if ids != list(range(len(ids))):
        rep.add("heroine ids are not 0..N-1")
    if metrics.ok:
        for key in ("description2", "descFav", "descConfession"):
            if metrics.lines(cast.TUTORIAL[key], 32, 1280 * 0.4) > 8:
                rep.add("tutorial %s runs past 8 lines at 40%% width" % key)
        for key in ("description1", "descHowToPlay"):
            for line in cast.TUTORIAL[key].split("\n"):
                if metrics.width(line, 32) > 1280 - 60:
                    rep.add("tutorial %s line too wide: %s" % (key, line))


def check_files(scenes, rep, resources=RESOURCES):
    """Every picture and track the written files name is there under Resources/."""
    named = {}
    for sc in scenes:
        for path in PLACES[sc.place]:
            named.setdefault(path, "place %s" % sc.place)
    for h in cast.HEROINES:
        for path in expressions(h).values():
            named.setdefault(path, h["name"])
    for path, user in sorted(named.items()):
        if not os.path.isfile(os.path.join(resources, path)):
            rep.add("%s names %s, which is not under Resources/" % (user, path))


def check(scenes, keys, metrics):
    """Every authoring rule, held on the sources: the report's problems are empty when the
    files may be written. It also keeps the counts the build prints."""
    rep = Report()
    check_cast(rep, metrics)
    rep.admitted = check_scenes(scenes, keys, rep, metrics)
    rep.chains = chains(scenes, keys, rep)
    check_texts(scenes, rep, metrics)
    check_files(scenes, rep)
    return rep


def reaction(reply, next_id):
    emo, text = reply
    out = {"sentence": text, "emotion": emo}
    if next_id is not None:
        out["nextScenarioID"] = next_id
    return out


def selection_json(sel, next_id):
    out = {"sentence": sel.text}
    if sel.kind == "range":
        out["range"] = sel.bounds()
        out["success"] = reaction(sel.ok, next_id) if sel.ok else None
        out["failure"] = reaction(sel.ng, None) if sel.ng else None
    elif sel.kind == "right":
        out["success"] = reaction(sel.ok, next_id)
        out["failure"] = None
    else:
        out["success"] = None
        out["failure"] = reaction(sel.ng, None)
    return out


def scenario_json(sc, keys):
    next_id = keys[sc.then].id if sc.then else -1
    bg, bgm = PLACES[sc.place]
    return {"id": sc.id, "sentence": sc.sentence, "range": sc.filt, "background": bg, "bgm": bgm,
            "emotion": sc.emotion, "selections": [selection_json(s, next_id) for s in sc.sels]}


def expressions(h):
    """One picture per emotion beside her base picture, which is the Normal one:
    res/gal/hana.png, res/gal/hana_angry.png, ..."""
    stem = h["file"][:-len(".png")]
    return {e: h["file"] if e == "Normal" else "%s_%s.png" % (stem, e.lower()) for e in EMOTIONS}


def heroine_json(h):
    return {"id": h["id"], "border": h["border"], "file": h["file"],
            "attribute": [{"name": a} for a in h["attributes"]], "name": h["name"], "me": h["me"],
            "you": h["you"], "parameter": {k: h["parameter"][k] for k in PARAMS},
            "expressions": expressions(h)}


def dumps(value, indent=0):
    """JSON with short objects kept on one line, so the files stay readable in review."""
    flat = json.dumps(value, ensure_ascii=False)
    if len(flat) + indent <= 110 or not isinstance(value, (list, dict)):
        return flat
    if isinstance(value, dict) and all(isinstance(v, int) for v in value.values()):
        return flat  # a parameter band reads best on one line
    pad, inner = " " * indent, " " * (indent + 2)
    if isinstance(value, list):
        items = [inner + dumps(v, indent + 2) for v in value]
        return "[\n" + ",\n".join(items) + "\n" + pad + "]"
    items = [inner + json.dumps(k, ensure_ascii=False) + ": " + dumps(v, indent + 2)
             for k, v in value.items()]
    return "{\n" + ",\n".join(items) + "\n" + pad + "}"


def outputs(scenes, keys):
    """The text of every file the build writes, by its path under Resources/res."""
    files = {
        "gal/gal_data.json": [heroine_json(h) for h in cast.HEROINES],
        "gal/gal_info.json": [{"id": h["id"], "info": h["info"]} for h in cast.HEROINES],
        "scenario/scenario.json": [scenario_json(sc, keys) for sc in scenes],
        "confession/confession.json": [{"target": name, "message": m, "success": s, "failure": f}
                                       for name, (m, s, f) in cast.CONFESSIONS.items()],
        "tutorial/strings.json": cast.TUTORIAL,
    }
    return {rel: dumps(value) + "\n" for rel, value in files.items()}


def write(rel, text):
    path = os.path.join(RES, rel)
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8", newline="\n") as f:
        f.write(text)


def main(argv=None):
    argv = sys.argv[1:] if argv is None else argv
    metrics = Metrics()
    scenes, keys = all_scenes()
    rep = check(scenes, keys, metrics)
    kinds = {}
    for sc in scenes:
        kind = sc.filt.get("type") if isinstance(sc.filt, dict) else None
        kinds[kind] = kinds.get(kind, 0) + 1
    print("%d scenarios %s, %d chains" % (len(scenes), kinds, len(rep.chains)))
    print("admitted per heroine: %s" % rep.admitted)
    if rep.problems:
        print("\n".join(rep.problems))
        print("%d problems; nothing written" % len(rep.problems))
        return 1
    if "--check" in argv:
        return 0
    for rel, text in outputs(scenes, keys).items():
        write(rel, text)
    print("written under %s" % RES)
    return 0


if __name__ == "__main__":
    sys.exit(main())
