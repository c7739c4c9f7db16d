"""Writing rules of Solvane's content, measured on the written JSON files.

Shared by audit.py (prints the counts) and tests/test_writing_rules.py (holds them to their
limits). Everything here reads what the game loads, Resources/res/..., not the Python sources,
so the counts can be taken on any revision of the data. The heroines' voice words come from
cast.VOICES and their `me`/`you` words from the heroine file.
"""
import difflib
import json
import os
import random
import re

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
RES = os.path.join(ROOT, "Resources", "res")
PLAYER, HEROINE = "<主人公>", "<ヒロイン>"

# First person singular, for a heroine whose `me` word is not "I" ("We", "this one").
FIRST_PERSON = re.compile(r"\bI\b|\bI'(m|d|ll|ve)\b|\b([Mm]e|[Mm]y|[Mm]ine|[Mm]yself)\b")
# "I-I", "Th-that", "Wh-what": a stammer.
STAMMER = re.compile(r"\b([A-Za-z]{1,2})-\1", re.IGNORECASE)
# A sentence start: the text's start, or after . ! ? (an ellipsis included) and spaces.
SENTENCE_START = re.compile(r"(^|[.!?]\s+|^\.\.\.)$")


def read(rel, res=RES):
    with open(os.path.join(res, rel), encoding="utf-8") as f:
        return json.load(f)


class Content:
    """The shipped heroines, scenarios, confessions and profiles."""

    def __init__(self, res=RES, data=None):
        if data is None:
            data = (read("gal/gal_data.json", res), read("scenario/scenario.json", res),
                    read("confession/confession.json", res), read("gal/gal_info.json", res))
        heroines, scenarios, confessions, infos = data
        self.heroines, self.scenarios = heroines, scenarios
        self.confessions = {c["target"]: c for c in confessions}
        self.infos = {i["id"]: i["info"] for i in infos}
        self.by_name = {h["name"]: h for h in self.heroines}


def attributes(h):
    return {a["name"] for a in (h.get("attribute") or [])}


def admits(filt, h):
    """The loader's filter: Any, Personal, Attribute; anything else admits everyone."""
    kind = filt.get("type")
    if kind == "Personal" and filt.get("personal") is not None:
        return filt["personal"] == h["name"]
    if kind == "Attribute" and filt.get("attributes") is not None:
        return any(a in attributes(h) for a in filt["attributes"])
    return True


def accepts(sel, h):
    """The loader's verdict: a range band per parameter, or a fixed right or wrong."""
    if "range" in sel:
        lo, hi = sel["range"]["min"], sel["range"]["max"]
        return all(lo[k] <= h["parameter"][k] <= hi[k] for k in lo)
    return sel.get("failure") is None


def admitted(sc, content):
    return [h for h in content.heroines if admits(sc["range"], h)]


def shown_lines(content):
    """Every line a heroine says, with the heroines who can be shown it.

    Yields (where, text, names): the question to every heroine the scenario admits, a
    selection's success reply to those of them it suits, its failure reply to the others. The
    answers themselves are the player's words and are left out.
    """
    for sc in content.scenarios:
        who = admitted(sc, content)
        at = "scenario %d" % sc["id"]
        yield at + " sentence", sc["sentence"], [h["name"] for h in who]
        for k, sel in enumerate(sc["selections"]):
            ok = [h["name"] for h in who if accepts(sel, h)]
            ng = [h["name"] for h in who if not accepts(sel, h)]
            if ok and sel.get("success"):
                yield "%s selection %d success" % (at, k), sel["success"]["sentence"], ok
            if ng and sel.get("failure"):
                yield "%s selection %d failure" % (at, k), sel["failure"]["sentence"], ng
    for name, c in content.confessions.items():
        for key in ("success", "failure"):
            yield "confession of %s %s" % (name, key), c[key], [name]


def voice_leaks(content, voices):
    """Lines that break the voice of a heroine who can be shown them.

    Returns a list of (kind, where, heroine, text), kind being "pronoun" (I/me/my said by a
    heroine whose `me` word is not I), "phrase" (another heroine's pet phrase or word for the
    player), or "stammer" (a stammer said by a heroine who does not stammer).
    """
    leaks = []
    owned = [(re.compile(p), owner) for owner, v in voices.items() for p in v["phrases"]]
    for where, text, names in shown_lines(content):
        for name in names:
            h = content.by_name[name]
            if h["me"] not in ("I", "me") and FIRST_PERSON.search(text):
                leaks.append(("pronoun", where, name, text))
            for pattern, owner in owned:
                if owner != name and pattern.search(text):
                    leaks.append(("phrase", where, name, text))
                    break
            if not voices[name]["stammer"] and STAMMER.search(text):
                leaks.append(("stammer", where, name, text))
    return leaks


def first_person_replies(content, name):
    """(replies she can be shown, of which say I/me/my), for the issue's count."""
    total = hits = 0
    for where, text, names in shown_lines(content):
        if "selection" in where and name in names:
            total += 1
            hits += bool(FIRST_PERSON.search(text))
    return total, hits


def obvious_scenarios(content):
    """Scenarios that offer a joke (suits nobody) or a universally right answer (suits all).

    Judged against the heroines the scenario admits; a scenario for one heroine is judged
    against the whole cast, since its answers only make the player think when a wrong one is
    what another heroine would have liked, and a right one what some other would not.
    """
    found = []
    for sc in content.scenarios:
        who = admitted(sc, content)
        ref = who if len(who) > 1 else content.heroines
        for sel in sc["selections"]:
            n = sum(accepts(sel, h) for h in ref)
            if n == 0 or n == len(ref):
                found.append((sc["id"], "joke" if n == 0 else "universal", sel["sentence"]))
                break
    return found


def borderline(content, stated):
    """(scenario id, answer, heroine, parameter, value, band) where one point more or less of
    her value would flip the verdict: the band's cut runs right next to her. `stated` maps a
    heroine to the parameters her profile states outright; those are left out."""
    found = []
    for sc in content.scenarios:
        for sel in sc["selections"]:
            if "range" not in sel:
                continue
            lo, hi = sel["range"]["min"], sel["range"]["max"]
            for h in admitted(sc, content):
                for k in lo:
                    if k in stated.get(h["name"], {}):
                        continue
                    v = h["parameter"][k]
                    near_lo = lo[k] > 0 and v in (lo[k] - 1, lo[k])
                    near_hi = hi[k] < 10 and v in (hi[k], hi[k] + 1)
                    if near_lo or near_hi:
                        found.append((sc["id"], sel["sentence"], h["name"], k, v, (lo[k], hi[k])))
    return found


def claim_problems(content, claims):
    """Where the data disagrees with what a heroine's profile says about her.

    `claims` maps a heroine to {trait: (side, quote)}: the quote must stand in her profile,
    her value must be on that side (high: 7 or more, low: 3 or less), and no answer she can be
    asked may cut that trait right next to her value, so that her profile, not a point more or
    less, decides how she takes it.
    """
    problems = []
    ids = {h["name"]: h["id"] for h in content.heroines}
    for name, traits in claims.items():
        h = content.by_name[name]
        for trait, (side, quote) in traits.items():
            if quote not in content.infos.get(ids[name], ""):
                problems.append("%s: the profile does not say %r" % (name, quote))
            v = h["parameter"][trait]
            if (side == "high" and v < 7) or (side == "low" and v > 3):
                problems.append("%s: %s is %d, yet the profile says %r" % (name, trait, v, quote))
    stated = {n: set(t) for n, t in claims.items()}
    everyone = {h["name"]: set(h["parameter"]) for h in content.heroines}
    unstated = {n: everyone[n] - stated.get(n, set()) for n in everyone}
    for sc_id, answer, name, trait, v, band in borderline(content, unstated):
        problems.append("scenario %d %r: %s's %s %d sits on the cut of %s, which her profile "
                        "decides" % (sc_id, answer, name, trait, v, band))
    return problems


_STOP = set("a an the to of and or in on at for is it be you your i me my we us our this that "
            "just so with what let's lets i'll i'm i'd it's its not no yes do".split())


def _words(text):
    return re.findall(r"[a-z']+", text.lower())


def echoes(answer, reply):
    """A failure reply that opens by repeating the answer back as a question:
    "Race to the buoy? I'd need rescuing..." after "Swim out to the buoy and back"."""
    m = re.match(r"\s*(.*?)(\?!?|!|\.\.\.|\.)(\s|$)", reply)
    if not m or not m.group(2).startswith("?"):
        return False
    head = [w for w in _words(m.group(1)) if w not in _STOP]
    said = set(_words(answer))
    return bool(head) and any(w in said or w.rstrip("s") in said for w in head)


def failure_replies(content):
    """(answer, failure reply) of every answer that can be judged wrong."""
    out = []
    for sc in content.scenarios:
        for sel in sc["selections"]:
            if sel.get("failure"):
                out.append((sel["sentence"], sel["failure"]["sentence"]))
    return out


def lowercase_sentence_starts(content):
    """(where, text, heroine) where her word for the player starts a sentence in lower case."""
    found = []
    for where, text, names in shown_lines(content):
        at = text.find(PLAYER)
        while at != -1:
            if SENTENCE_START.search(text[:at].rstrip(" ") + (" " if at else "")) or at == 0:
                for name in names:
                    you = content.by_name[name]["you"]
                    if you[:1].islower():
                        found.append((where, text, name))
            at = text.find(PLAYER, at + 1)
    return found


def confession_repeats(content, ratio=0.6):
    """Pairs of heroines whose confession lines read nearly the same."""
    lines = [(n, c["message"].replace(HEROINE, "")) for n, c in content.confessions.items()]
    pairs = []
    for i, (a, ta) in enumerate(lines):
        for b, tb in lines[i + 1:]:
            if difflib.SequenceMatcher(None, ta.lower(), tb.lower()).ratio() >= ratio:
                pairs.append((a, b))
    return pairs


def full_names_in_confessions(content):
    """Confession texts that call her by her full name (the heroine placeholder)."""
    return [(n, k) for n, c in content.confessions.items()
            for k in ("message", "success", "failure") if HEROINE in c[k]]


def place_of(sc):
    return os.path.splitext(os.path.basename(sc["background"]))[0]


def track_of(sc):
    return os.path.splitext(os.path.basename(sc["bgm"]))[0]


def simulate_switch_rate(content, plays=4000, seed=19, right_share=0.5):
    """Fraction of consecutive questions of a play whose music differs, over simulated plays.

    Follows the play: three heroines dealt at random, the rest waiting in id order; each
    question is a scenario drawn uniformly among those that admit the heroine asked; the next
    heroine asked is one of the other two in play; a confession at her border (right answers
    raise favour by one from 5, wrong ones lower it) hands her place to the next in line and
    asks a random one of the three. A play lasts 60 s of clock: 3 s per question, +1 s for a
    right answer, +6 s for an accepted confession.
    """
    rng = random.Random(seed)
    per = {h["name"]: [track_of(sc) for sc in content.scenarios if admits(sc["range"], h)]
           for h in content.heroines}
    switches = pairs = 0
    for _ in range(plays):
        pool = list(content.heroines)
        active = [pool.pop(rng.randrange(len(pool))) for _ in range(3)]
        waiting = sorted(pool, key=lambda h: h["id"])
        favour = {h["name"]: 5 for h in active}
        current = rng.randrange(3)
        clock, last = 60.0, None
        while clock > 0:
            h = active[current]
            track = rng.choice(per[h["name"]])
            if last is not None:
                pairs += 1
                switches += track != last
            last = track
            clock -= 3.0
            right = rng.random() < right_share
            favour[h["name"]] = max(0, min(10, favour[h["name"]] + (1 if right else -1)))
            clock += 1.0 if right else 0.0
            current = rng.choice([i for i in range(3) if i != current])
            nxt = active[current]
            if favour[nxt["name"]] >= nxt["border"] and waiting:
                clock += 3.0  # +6 s for the yes, 3 s for the sequence
                waiting.append(nxt)
                active[current] = waiting.pop(0)
                favour[active[current]["name"]] = 5
                current = rng.randrange(3)
    return switches / pairs if pairs else 0.0
