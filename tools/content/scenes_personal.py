"""One heroine's own scenes, in her own voice.

Only she is asked them, so each answer is right or wrong for her alone; its band says which
heroines of the cast would take it the same way. A wrong answer is what another heroine would
have liked, not a joke, so the player has to know who is asking."""
from dsl import N, ANG, HAP, SAD, SUR, EMB, personal, scene, yes, no

HANA, REI, LILITH = personal("Hana Sakuraba"), personal("Rei Kurosawa"), personal("Lilith Nightshade")
MIO, SAYAKA, KOHAKU = personal("Mio Aizawa"), personal("Sayaka Tenjoin"), personal("Kohaku")
NATSUKI, YUKI = personal("Natsuki Hino"), personal("Yuki Shirase")

RICH, THRIFTY = dict(money=(6, 10)), dict(money=(0, 5))
RESTLESS, STILL = dict(active=(8, 10)), dict(active=(0, 4))
CONTEST, MILD = dict(aggressive=(8, 10)), dict(aggressive=(0, 7))
NIGHT, HUMAN = dict(monster=(5, 10)), dict(monster=(0, 4))

SCENES = [
    # Hana
    scene("hana_ramen", "Hey, <主人公>! I found the best ramen stall in town. Coming?", HANA, "street", HAP, [
        yes("Obviously! Extra-large for me.", THRIFTY,
            (HAP, "That's the spirit, <主人公>! Last one there pays!")),
        no("Ramen? Isn't that kind of greasy?", RICH,
           (SAD, "Greasy is the best part, though...")),
        no("Only if it has a Michelin star.", RICH,
           (N, "The only star there is the owner's grandpa!")),
        yes("Let's run there. Warm-up!", RESTLESS,
            (HAP, "Yes! Run first, eat after. Perfect plan!")),
    ], then="hana_egg"),
    scene("hana_egg", "That was amazing! ...Hey, can I have your egg?", HANA, "street", EMB, [
        yes("Sure, take it. You ran the hardest.", dict(kind=(6, 10)),
            (HAP, "Yay! You're the best, <主人公>!")),
        no("Egg for your pork slice. Fair trade.", CONTEST,
           (SAD, "Between friends? Stingy... I'd have given you mine.")),
        yes("Only if you race me home afterwards.", RESTLESS,
            (HAP, "Deal! Loser carries the bags tomorrow!")),
    ]),
    scene("hana_second", "I came second at the meet... I wanted first so badly.", HANA, "park", SAD, [
        yes("Second in the whole region! I'm proud of you.", dict(kind=(6, 10)),
            (EMB, "...Yeah. Yeah! Next time, first!")),
        yes("Let's train together. Mornings, before school.", RESTLESS,
            (HAP, "You mean it? Six sharp! No excuses!")),
        no("Who cares about medals? Let's get cake.", dict(active=(0, 7)),
           (ANG, "I care! I wanted to win it!")),
        no("Next time, psych the others out before the start.", dict(S=(8, 10)),
           (SAD, "That's not how I want to win...")),
    ]),
    # Rei: what she says is not what she means.
    scene("rei_late", "You're late again, <主人公>. Explain yourself.", REI, "classroom", ANG, [
        yes("Sorry. I was up late studying.", dict(diligence=(7, 10)),
            (EMB, "S-studying? ...Well. That's acceptable. This once.")),
        no("Relax, it's only five minutes.", dict(diligence=(0, 6)),
           (ANG, "Five minutes every day is twenty hours a year!")),
        yes("I brought you a coffee to say sorry.", dict(twisted=(6, 10)),
            (EMB, "It's not like I wanted coffee. ...Black? Hmph. Fine.")),
        no("Were you waiting for me?", dict(twisted=(0, 5), love=(6, 10)),
           (ANG, "W-waiting?! Don't flatter yourself!")),
    ], then="rei_council"),
    scene("rei_council", "The student council needs a volunteer. Not that I need your help.", REI,
          "classroom", N, [
        yes("I'll do it. You look swamped.", dict(twisted=(6, 10)),
            (EMB, "I am NOT swamped. ...The files are on the left desk.")),
        no("Great, then I'll head home.", dict(diligence=(0, 6)),
           (SAD, "...Fine. Go. See if I care.")),
        no("Only if you ask nicely.", dict(S=(0, 5)),
           (ANG, "Forget it. I'll do it myself.")),
    ], then="rei_thanks"),
    scene("rei_thanks", "We finished early. ...Th-thank you. Don't let it go to your head.", REI,
          "dusk", EMB, [
        yes("Anytime. I like working with you.", dict(diligence=(7, 10)),
            (EMB, "Y-you like... Hmph! Same time tomorrow, then.")),
        no("Say that again? I didn't catch it.", dict(S=(8, 10)),
           (ANG, "I will not! Never again!")),
        yes("Want to walk home together?", dict(twisted=(6, 10)),
            (EMB, "...Only because it's on the way. Don't misunderstand.")),
    ]),
    # Lilith
    scene("lilith_thirst", "Come, <主人公>. We are thirsty. Fetch something worthy of Us.", LILITH,
          "night", N, [
        yes("Tomato juice, in a crystal glass.", NIGHT,
            (HAP, "Fufu, you've learned. Red, and served properly.")),
        no("Garlic soup? It's good for colds.", dict(living=(6, 10)),
           (ANG, "Are you trying to destroy Us?!")),
        no("A can from the vending machine.", THRIFTY,
           (ANG, "How dare you offer Us a can.")),
        yes("Sparkling grape juice. A vintage one.", RICH,
            (HAP, "Vintage... You have taste, for a servant.")),
    ], then="lilith_kneel"),
    scene("lilith_kneel", "Fufu, well done. Now kneel, and receive Our praise.", LILITH, "night", HAP, [
        yes("I'm honoured, my lady.", dict(S=(8, 10)),
            (HAP, "Good. That is the proper reply of a servant.")),
        no("Kneel? Are you serious?", CONTEST,
           (ANG, "Disobedient! We shall remember this.")),
        yes("Only if you let me escort you home.", NIGHT,
            (EMB, "Escort Us? ...Very well. We permit it.")),
    ]),
    scene("lilith_noon", "Why did you drag Us to a beach at noon?! The sun is everywhere!", LILITH,
          "beach", ANG, [
        yes("I brought a black parasol, just for you.", NIGHT,
            (HAP, "...Acceptable. Hold it higher. Higher!")),
        yes("Come back tonight. The sea glows by moonlight.", NIGHT,
            (HAP, "Now that is a proposal worthy of Us.")),
        no("Sunlight is good for you. Vitamin D!", HUMAN,
           (ANG, "It is literally lethal to Us!")),
        no("Race you to the water!", RESTLESS,
           (ANG, "In this? You seek Our ashes!")),
    ]),
    # Mio
    scene("mio_after_school", "Um, <主人公>... are you free after school?", MIO, "classroom", EMB, [
        yes("For you, always. What's up?", dict(dependence=(5, 10)),
            (EMB, "A-always...? Um... I wanted to show you a game.")),
        no("Free! Karaoke with the whole class, right?", RESTLESS,
           (SAD, "The whole class... um, never mind...")),
        no("I've got football practice. Big match!", RESTLESS,
           (SAD, "Oh... okay. Football. Have fun...")),
    ], then="mio_coop"),
    scene("mio_coop", "This game is really hard alone... Would you play it with me?", MIO, "room", HAP, [
        yes("Sure. I'll protect you from the bosses.", dict(dependence=(5, 10)),
            (HAP, "Y-yes! You tank, I'll heal!")),
        yes("Teach me? You're way better than me.", dict(intelligence=(7, 10)),
            (EMB, "M-me, teach you? Okay... I'll go easy on you.")),
        no("Just watch a walkthrough.", dict(diligence=(7, 10)),
           (SAD, "A walkthrough... I wanted to play it with you...")),
        no("Let's go outside instead. You need sun.", dict(active=(6, 10)),
           (SAD, "Outside... it's so bright out there...")),
    ], then="mio_again"),
    scene("mio_again", "We beat it! ...Um. Can we play again tomorrow?", MIO, "room", EMB, [
        yes("Tomorrow, and the day after.", dict(dependence=(5, 10)),
            (EMB, "Th-the day after too...? Okay. It's a promise.")),
        no("Sure, but versus this time. No mercy.", CONTEST,
           (SAD, "No mercy... but together was more fun...")),
        yes("I'll bring the snacks this time.", STILL,
            (HAP, "Yay! The spicy chips, please.")),
    ]),
    # Sayaka
    scene("sayaka_bags", "You there, <主人公>. You may carry my bags today. Be honoured.", SAYAKA,
          "street", N, [
        yes("It would be my honour, Miss Tenjoin.", RICH,
            (HAP, "Ohohoho! You know your place. Come along.")),
        no("Shall I call a porter? It's cheaper.", THRIFTY,
           (ANG, "A Tenjoin does not count coins!")),
        yes("Only if you beat me at arm-wrestling first.", CONTEST,
            (HAP, "A challenge?! Ohohoho, prepare to lose, <主人公>!")),
    ], then="sayaka_necklace"),
    scene("sayaka_necklace", "This necklace costs a mere million yen. What do you think?", SAYAKA,
          "street", SUR, [
        no("A million? That's a house deposit!", THRIFTY,
           (N, "Such a commoner's mind. How quaint.")),
        no("It's pretty, but it doesn't outshine you.", dict(love=(6, 10)),
           (N, "Flattery? How dull. Tell me something true.")),
        yes("Too cheap for you. Try the one behind it.", RICH,
            (HAP, "Ohoho! Finally, someone who understands me.")),
        yes("Bet I can find a finer one in this shop.", CONTEST,
            (HAP, "A contest? Ohohoho, you're on, <主人公>!")),
    ]),
    scene("sayaka_second", "I came second on the exam. Second! To Kurosawa!", SAYAKA, "classroom", ANG, [
        yes("Then beat her next time. I'll help you study.", CONTEST,
            (HAP, "Yes! A Tenjoin never loses twice!")),
        no("Second's pretty good, though.", MILD,
           (ANG, "Second is merely the first of the losers!")),
        no("She studies all night. Maybe rest instead?", MILD,
           (ANG, "Rest, while she's ahead? Never!")),
        yes("Challenge her to a rematch. Winner takes all.", CONTEST,
            (HAP, "A rematch! Ohohoho, now you're talking!")),
    ]),
    # Kohaku
    scene("kohaku_offerings", "Hmhm~ Will you help this one prepare the festival offerings?", KOHAKU,
          "festival", HAP, [
        yes("Of course. Show me how it's done.", dict(age=(8, 10)),
            (HAP, "Such a good young one. Fold the paper like so...")),
        no("Offerings? Just buy some snacks.", RICH,
           (ANG, "The gods can taste shortcuts, you know.")),
        yes("Only if I get to taste the fried tofu.", dict(living=(6, 10)),
            (HAP, "Hmhm, greedy. Just one piece... well, two.")),
        no("Let's make it quick. The stalls open soon.", RESTLESS,
           (N, "The gods waited all year. They can wait for care, too.")),
    ], then="kohaku_lanterns"),
    scene("kohaku_lanterns", "The offerings are ready. Stay and watch the lanterns with this one?", KOHAKU,
          "festival", EMB, [
        yes("I'd like nothing better.", dict(kind=(6, 10)),
            (EMB, "Hmhm... you make an old fox's heart race.")),
        no("Lanterns? Let's go to karaoke instead.", RESTLESS,
           (SAD, "Karaoke... The young are always in such a hurry.")),
        yes("Tell me about the festivals of long ago.", dict(age=(8, 10)),
            (HAP, "Long ago, the lanterns floated all the way down the river...")),
    ]),
    # Natsuki
    scene("natsuki_stream", "Yo, <主人公>! I'm streaming tonight. Come be my guest!", NATSUKI,
          "street", HAP, [
        yes("You're on! Prepare to lose live.", CONTEST,
            (HAP, "Ha! Big talk. Chat's gonna love this!")),
        no("Streaming? I'm kind of camera-shy.", STILL,
           (N, "Lame! ...I'll get you on camera someday.")),
        yes("Only if we add a punishment game.", CONTEST,
            (HAP, "Loser eats the ghost pepper chip? Deal!")),
        no("Can I just watch from the chat instead?", STILL,
           (N, "Watching? No way! You're playing!")),
    ], then="natsuki_lost"),
    scene("natsuki_lost", "I lost... on stream... to YOU. Chat is going wild!", NATSUKI, "room", SUR, [
        yes("Rematch. Right now.", CONTEST,
            (HAP, "YES! That's my rival! Don't you dare go easy!")),
        no("Sorry! I'll lose on purpose next time.", dict(kind=(8, 10)),
           (ANG, "Never do that! That's the worst!")),
        yes("Let's make it best of seven!", RESTLESS,
            (HAP, "Best of seven! Chat, nobody's sleeping tonight!")),
        no("Let's stop. It's getting late.", dict(diligence=(7, 10)),
           (SAD, "While I'm losing? No way!")),
    ]),
    # Yuki
    scene("yuki_cake", "I baked a cake for you, <主人公>. Would you like a slice?", YUKI, "room", HAP, [
        yes("I'd love one. It looks wonderful.", dict(living=(6, 10)),
            (HAP, "Here you go. I made it with a little extra love.")),
        no("I'm on a diet, sorry. Training season.", RESTLESS,
           (SAD, "Oh... I'll wrap it up for later, then.")),
        yes("Let's share it, with two cups of tea.", dict(love=(7, 10)),
            (EMB, "Two cups... just like in my novels.")),
        no("Shop cake is easier, you know.", RICH,
           (SAD, "Easier, maybe. But it doesn't have any heart.")),
    ], then="yuki_date"),
    scene("yuki_date", "Say, <主人公>... what do you think makes a perfect date?", YUKI, "dusk", EMB, [
        yes("A walk at sunset, holding hands.", dict(love=(7, 10)),
            (EMB, "Oh... that's exactly what I imagined.")),
        no("A fancy restaurant and a limousine.", RICH,
           (N, "It sounds lovely, but a little cold, doesn't it?")),
        yes("Cooking dinner together at home.", dict(living=(6, 10)),
            (HAP, "Together in the kitchen... I'd love that.")),
        no("A theme park! Roller coasters all day!", RESTLESS,
           (SAD, "Something a little quieter, maybe...")),
    ]),
]
