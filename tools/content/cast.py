"""The heroines: records, gallery profiles and confession lines.

Ids, names, pictures, words, borders and attributes follow tools/assets/cast.md.
Parameters (0-10) are what the scenario ranges read, so they must agree with the profile:
a player who reads the profile should be able to guess her answers.
"""

#            twisted active dilig aggr depend intel age monster kind money love living S
_TABLE = {
    "Hana Sakuraba":     (1, 9, 6, 6, 3, 3, 4, 0, 7, 2, 6, 7, 3),
    "Rei Kurosawa":      (9, 4, 10, 6, 2, 9, 6, 0, 6, 4, 5, 5, 6),
    "Lilith Nightshade": (6, 5, 2, 7, 4, 7, 7, 9, 3, 9, 5, 1, 10),
    "Mio Aizawa":        (3, 1, 3, 1, 9, 7, 2, 0, 6, 3, 7, 2, 1),
    "Sayaka Tenjoin":    (7, 6, 7, 9, 3, 6, 5, 0, 3, 10, 4, 1, 8),
    "Kohaku":            (4, 6, 5, 3, 2, 8, 10, 10, 8, 1, 5, 9, 7),
    "Natsuki Hino":      (2, 10, 4, 10, 3, 4, 3, 0, 5, 7, 4, 2, 6),
    "Yuki Shirase":      (0, 3, 8, 1, 2, 6, 8, 0, 10, 3, 9, 10, 2),
}

HEROINES = [
    dict(id=0, name="Hana Sakuraba", file="res/gal/hana.png", you="partner", me="I", border=6,
         attributes=["Sporty", "Homey"],
         info="Track-team ace and first in every lunch line. Hana says what she thinks and hates "
              "sitting still. She'd pick a run in the sun or a big bowl of ramen over anything "
              "fancy. Kind to everyone, she cooks giant bentos for her team."),
    dict(id=1, name="Rei Kurosawa", file="res/gal/rei.png", you="slacker", me="I", border=8,
         attributes=["Bookish"],
         info="Class president, top of the year, never late. Rei is strict with everyone, herself "
              "most of all, and hides her heart behind a frown: when she says she doesn't need "
              "something, she does. She loves books and order and can't stand laziness."),
    dict(id=2, name="Lilith Nightshade", file="res/gal/lilith.png", you="my servant", me="We",
         border=7, attributes=["Otherworldly", "Rich"],
         info="A vampire of an old, rich line, at night school 'for amusement'. Lilith calls "
              "herself 'We', adores moonlight and costly things, and treats everyone as her "
              "servant. She teases without mercy. Sunlight, garlic and cheap manners offend her."),
    dict(id=3, name="Mio Aizawa", file="res/gal/mio.png", you="Senpai", me="me", border=6,
         attributes=["Gamer", "Bookish"],
         info="A first-year happiest indoors with her console, manga and snacks. Mio is shy, clever "
              "and easily flustered, and loves being looked after by a dependable Senpai. Crowds "
              "and sports drain her; co-op games and quiet corners recharge her."),
    dict(id=4, name="Sayaka Tenjoin", file="res/gal/sayaka.png", you="commoner", me="I", border=9,
         attributes=["Rich"],
         info="Heiress of the Tenjoin Group and self-declared number one at everything. Sayaka "
              "judges by price and pedigree, hates losing and wants the last word. She has never "
              "cooked or ridden a bus. Flattery bores her; a worthy challenge thrills her."),
    dict(id=5, name="Kohaku", file="res/gal/kohaku.png", you="young one", me="this one", border=7,
         attributes=["Otherworldly", "Homey"],
         info="A fox spirit who has guarded the town shrine for five hundred years. Kohaku teases "
              "the 'young ones' but is warm and wise underneath. She cooks the old way (fried tofu "
              "above all) and cares nothing for money. Never call her old."),
    dict(id=6, name="Natsuki Hino", file="res/gal/natsuki.png", you="rival", me="I", border=6,
         attributes=["Gamer", "Sporty"],
         info="A loud streamer who turns everything into a contest. Natsuki plays games and sports "
              "with the same fire and never backs down from a challenge. She spends her sponsor "
              "money on flashy gear and can't cook at all. Challenge her and you're friends."),
    dict(id=7, name="Yuki Shirase", file="res/gal/yuki.png", you="dear", me="I", border=6,
         attributes=["Homey"],
         info="The gentle big sister of the class, with a spare plaster and a homemade snack always "
              "at hand. Yuki loves cooking and caring for people, and dreams of a romance like in "
              "her novels. Sincerity wins her heart; rudeness, waste and showing off do not."),
]

for h in HEROINES:
    h["parameter"] = dict(zip(
        ["twisted", "active", "diligence", "aggressive", "dependence", "intelligence", "age",
         "monster", "kind", "money", "love", "living", "S"], _TABLE[h["name"]]))

# What each profile says outright, with the words that say it: the value must agree (high 7+,
# low 3-), and no answer may hinge on a point more or less of it (tools/content/rules.py).
CLAIMS = {
    "Hana Sakuraba": dict(active=("high", "hates sitting still"), twisted=("low", "says what she thinks"),
                          money=("low", "over anything fancy"), kind=("high", "Kind to everyone"),
                          living=("high", "cooks giant bentos")),
    "Rei Kurosawa": dict(diligence=("high", "never late"), intelligence=("high", "top of the year"),
                         twisted=("high", "when she says she doesn't need something, she does")),
    "Lilith Nightshade": dict(monster=("high", "A vampire"), money=("high", "costly things"),
                              S=("high", "teases without mercy")),
    "Mio Aizawa": dict(active=("low", "happiest indoors"), dependence=("high", "loves being looked after"),
                       aggressive=("low", "shy")),
    "Sayaka Tenjoin": dict(money=("high", "judges by price"), aggressive=("high", "hates losing"),
                           living=("low", "never cooked")),
    "Kohaku": dict(monster=("high", "fox spirit"), age=("high", "five hundred years"),
                   money=("low", "cares nothing for money"), living=("high", "cooks the old way"),
                   kind=("high", "warm and wise")),
    "Natsuki Hino": dict(aggressive=("high", "turns everything into a contest"),
                         active=("high", "sports with the same fire"),
                         money=("high", "spends her sponsor money"), living=("low", "can't cook")),
    "Yuki Shirase": dict(kind=("high", "caring for people"), living=("high", "loves cooking"),
                         love=("high", "dreams of a romance")),
}

# How each heroine talks, for the writing rules (tools/content/rules.py). `phrases` are
# patterns only she may say: her pet phrases and her word for the player. `stammer` says
# whether a flustered "I-I..." or "Th-that..." is in character for her. Her `me` word sets her
# pronouns: who says "We" or "this one" never says I, me or my.
VOICES = {
    "Hana Sakuraba": dict(phrases=[r"\bgooo+", r"\bpartner\b", r"\bYosh\b"], stammer=False),
    "Rei Kurosawa": dict(phrases=[r"\bHmph\b", r"\b[Ii]t's not like\b", r"\bmisunderstand\b",
                                  r"\bslacker\b"], stammer=True),
    "Lilith Nightshade": dict(phrases=[r"\bFufu", r"\b(Us|Our|Ours|Ourselves)\b", r"\bservants?\b",
                                       r"\bmortals?\b"], stammer=False),
    "Mio Aizawa": dict(phrases=[r"\bSenpai\b", r"\bUmm*\b"], stammer=True),
    "Sayaka Tenjoin": dict(phrases=[r"\bOho", r"\bcommoners?\b", r"\bTenjoin\b"], stammer=False),
    "Kohaku": dict(phrases=[r"\bHmhm", r"\b[Tt]his one\b", r"\byoung ones?\b", r"\bfox\b"],
                   stammer=False),
    "Natsuki Hino": dict(phrases=[r"\b[Cc]hat\b", r"\brivals?\b", r"\bstream", r"\bclip that\b"],
                         stammer=False),
    "Yuki Shirase": dict(phrases=[r"\bdear\b", r"\bnovels?\b"], stammer=True),
}

# The player's line, then her answer when favour has reached her border, and when not.
CONFESSIONS = {
    "Hana Sakuraba": (
        "Hana! Wait up! I... I like you. A lot. Will you go out with me?",
        "Really?! Yes, yes, yes! Hey, <主人公>, this beats any personal best!",
        "Whoa, out of nowhere! Sorry, <主人公>... let's stay running buddies for now, okay?"),
    "Rei Kurosawa": (
        "President, one more thing before you lock up. I've fallen for you.",
        "I-it's not like I was waiting for that! ...Fine. I accept, <主人公>. Don't make me regret it.",
        "Absolutely not. Come back when you're a little less of a <主人公>."),
    "Lilith Nightshade": (
        "My lady, I'd serve you every night from now on. Let me stay by your side.",
        "Fufu... forever is long for a mortal. Very well, <主人公>. We accept your heart.",
        "Bold words from <主人公>. We are not won so cheaply. Grovel a little longer."),
    "Mio Aizawa": (
        "Mio, I want to be your player two. In every game, and outside them too.",
        "P-player two...? Um... yes. I'd like that, Senpai. A lot.",
        "Eh?! I-I'm not ready for this cutscene... sorry, Senpai!"),
    "Sayaka Tenjoin": (
        "Miss Tenjoin, I've set my sights on the top prize. You.",
        "Ohohoho! A <主人公> winning the heart of a Tenjoin... Very well. You may stand beside me.",
        "Ohohoho! A <主人公>, confessing to me? Polish yourself for a hundred years first."),
    "Kohaku": (
        "Kohaku, when the lanterns are lit, I want to be the one beside you. Always.",
        "Hmhm~ In five hundred years, none said it so sweetly. Yes, <主人公>. This one is yours.",
        "Oh, how bold. But you are still a <主人公>, and this fox is not so easily caught."),
    "Natsuki Hino": (
        "Natsuki, new challenge: go out with me. Winner gets the other one for good!",
        "Wait, seriously?! ...Heh. Fine, you win this round, <主人公>. Chat, clip that!",
        "Ha! Nice try, <主人公>! Beat me at something first, then we'll talk!"),
    "Yuki Shirase": (
        "Yuki, you always look after everyone. May I be the one who looks after you?",
        "Oh... I've dreamed of hearing that. Yes, dear. I'll take good care of you, too.",
        "Oh, dear... I'm flattered, truly. But let's get to know each other a little more first."),
}

TUTORIAL = {
    "description1": "Welcome to Solvane!\n"
                    "Eight heroines, sixty seconds, and one rare talent: you can read minds.\n"
                    "Well, almost. You can read hearts, if you pay attention.\n"
                    "Answer each girl the way she likes, win her over, then confess!",
    "description2": "Each question shows a heroine, her line and two answers. One suits her, "
                    "one doesn't. Her profile and her reactions tell you which.",
    "howToPlay": "How to play",
    "descHowToPlay": "Click an answer, or press the Up / Down arrow key for the top / bottom one.\n"
                     "A right answer adds 1 second to the clock. A wrong one doesn't.\n"
                     "The small portrait beside an answer shows who speaks to you next.\n"
                     "Finish a conversation well for 200 points. Press SPACE to confess.",
    "fav": "Favour",
    "descFav": "Right answers raise her favour, wrong ones lower it. The heart shows it: "
               "the fuller the heart, the closer she is to a yes.",
    "confession": "Confession",
    "descConfession": "Press SPACE to confess to the girl on screen. If her favour is high "
                      "enough: +1000 points and +6 seconds! Then someone new joins in.",
    "next": "Next",
    "toGame": "Got it!",
}
