"""Small vocabulary for writing Solvane content in Python.

A scenario is written as a sentence, a filter, a place and a list of selections; the
builder turns it into the JSON the game loads. Ranged selections name only the parameters
they care about; every other parameter is left open (0-10), so several heroines can share
an answer.
"""

PARAMS = ["twisted", "active", "diligence", "aggressive", "dependence", "intelligence", "age",
          "monster", "kind", "money", "love", "living", "S"]
LOW, HIGH = 0, 10

# Emotion names as the loader knows them.
N, ANG, HAP, SAD, SUR, EMB = "Normal", "Angry", "Happy", "Sad", "Surprised", "Embarrassed"

# Where a scenario happens: background picture and the music that goes with it. The music
# follows the time of day rather than the room, so that consecutive questions keep their track
# more often: daytime at school, in town, in the park or at her place is "everyday"; the cafe
# keeps its jazz, the beach and the rooftop by day are "outdoor", and dusk and night "evening".
PLACES = {
    "classroom": ("res/background/classroom.png", "res/bgm/everyday.mp3"),
    "street": ("res/background/street.png", "res/bgm/everyday.mp3"),
    "park": ("res/background/park_day.png", "res/bgm/everyday.mp3"),
    "room": ("res/background/room.png", "res/bgm/everyday.mp3"),
    "cafe": ("res/background/cafe.png", "res/bgm/cafe.mp3"),
    "beach": ("res/background/beach.png", "res/bgm/outdoor.mp3"),
    "rooftop": ("res/background/rooftop_day.png", "res/bgm/outdoor.mp3"),
    "dusk": ("res/background/rooftop.png", "res/bgm/evening.mp3"),
    "festival": ("res/background/night.png", "res/bgm/evening.mp3"),
    "night": ("res/background/night_street.png", "res/bgm/evening.mp3"),
}

ANY = {"type": "Any"}


def personal(name):
    return {"type": "Personal", "personal": name}


def attr(*names):
    return {"type": "Attribute", "attributes": list(names)}


class Sel:
    """One answer: 'range' (judged by parameter bands), 'right' or 'wrong' (fixed)."""

    def __init__(self, kind, text, when=None, ok=None, ng=None):
        for key in (when or {}):
            if key not in PARAMS:
                raise ValueError("unknown parameter %r in %r" % (key, text))
        self.kind, self.text, self.when, self.ok, self.ng = kind, text, when or {}, ok, ng

    def accepts(self, params):
        if self.kind == "right":
            return True
        if self.kind == "wrong":
            return False
        return all(lo <= params[k] <= hi for k, (lo, hi) in self.when.items())

    def bounds(self):
        lo = {k: self.when.get(k, (LOW, HIGH))[0] for k in PARAMS}
        hi = {k: self.when.get(k, (LOW, HIGH))[1] for k in PARAMS}
        return {"min": lo, "max": hi}


def ranged(text, when, ok, ng):
    """An answer that suits exactly the heroines inside every band of `when`."""
    return Sel("range", text, when, ok, ng)


def yes(text, when, ok):
    """An answer that suits her, in a scene for one heroine. The band says who else in the cast
    would take it well, so that the answer is guessable from her profile, not from its tone;
    nobody inside the scene can get it wrong, so it has no failure reply."""
    return Sel("range", text, when, ok, None)


def no(text, when, ng):
    """An answer that does not suit her, in a scene for one heroine: the band names who in the
    cast would have liked it instead. Nobody inside the scene gets it right."""
    return Sel("range", text, when, None, ng)


def right(text, ok):
    """An answer that suits every heroine."""
    return Sel("right", text, ok=ok)


def wrong(text, ng):
    """An answer that suits nobody."""
    return Sel("wrong", text, ng=ng)


class Scene:
    def __init__(self, key, sentence, filt, place, emotion, sels, then=None):
        if place not in PLACES:
            raise ValueError("unknown place %r in %s" % (place, key))
        self.key, self.sentence, self.filt, self.place = key, sentence, filt, place
        self.emotion, self.sels, self.then = emotion, sels, then
        self.id = None


def scene(key, sentence, filt, place, emotion, sels, then=None):
    return Scene(key, sentence, filt, place, emotion, sels, then)
