#!/usr/bin/env python3
"""Counts of the writing rules on the shipped content, to compare two revisions of the data.

    /usr/bin/python3 tools/content/audit.py             # the counts
    /usr/bin/python3 tools/content/audit.py --list      # and every finding behind them
    /usr/bin/python3 tools/content/audit.py --res DIR   # another copy of Resources/res

The rules themselves are in rules.py; tests/test_writing_rules.py holds them to their limits.
"""
import collections
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import cast  # noqa: E402
import rules  # noqa: E402


def main(argv):
    res = argv[argv.index("--res") + 1] if "--res" in argv else rules.RES
    show = "--list" in argv
    content = rules.Content(res)
    voices = cast.VOICES
    stated = getattr(cast, "STATED", {})

    def report(label, items, total=None):
        count = "%d" % len(items) if total is None else "%d of %d" % (len(items), total)
        print("%-58s %s" % (label, count))
        if show:
            for item in items:
                print("    ", item)

    we = next(h["name"] for h in content.heroines if h["me"] == "We")
    total, hits = rules.first_person_replies(content, we)
    print("%-58s %d of %d" % ("replies %s can be shown that say I/me/my" % we.split()[0], hits, total))
    leaks = rules.voice_leaks(content, voices)
    for kind in ("pronoun", "phrase", "stammer"):
        report("voice leaks (line, heroine): %s" % kind, [lk[1:] for lk in leaks if lk[0] == kind])
    obvious = rules.obvious_scenarios(content)
    personal = [sc["id"] for sc in content.scenarios if sc["range"]["type"] == "Personal"]
    report("questions with a joke or universally right answer", obvious, len(content.scenarios))
    report("  of them Personal", [o for o in obvious if o[0] in personal], len(personal))
    report("borderline (answer, heroine, trait) next to a band's cut",
           rules.borderline(content, stated))
    fails = rules.failure_replies(content)
    report("failure replies echoing the answer as a question",
           [f for f in fails if rules.echoes(*f)], len(fails))
    report("lower-case player word starting a sentence",
           rules.lowercase_sentence_starts(content))
    report("confession texts with her full name", rules.full_names_in_confessions(content),
           3 * len(content.confessions))
    report("confession lines nearly alike (pairs)", rules.confession_repeats(content))
    slips = ["Every one for themselves!", "Cumulus. Rain by this evening."]
    texts = [t for _, t, _ in rules.shown_lines(content)]
    texts += [s["sentence"] for sc in content.scenarios for s in sc["selections"]]
    report("known slips still present", [s for s in slips if s in texts])
    places = collections.Counter(rules.place_of(sc) for sc in content.scenarios)
    print("%-58s %s" % ("backgrounds", dict(sorted(places.items()))))
    tracks = collections.Counter(rules.track_of(sc) for sc in content.scenarios)
    print("%-58s %s" % ("music", dict(sorted(tracks.items()))))
    print("%-58s %.3f" % ("music switch rate (4000 simulated plays)",
                          rules.simulate_switch_rate(content)))
    if show:
        for sc in content.scenarios:
            print("    %-12s %-9s %s" % (rules.place_of(sc), rules.track_of(sc), sc["sentence"]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
