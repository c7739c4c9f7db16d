// The play's rules on their own: no engine, no window, no content files.
#include <gtest/gtest.h>

#include <deque>
#include <random>
#include <set>
#include <stdexcept>

#include "model/Play.h"

namespace {

Character heroine(int id, int border = 6) {
    Character c;
    c.id = id;
    c.border = border;
    c.name = "H" + std::to_string(id);
    return c;
}

std::vector<Character> cast(int count) {
    std::vector<Character> all;
    for (int id = 0; id < count; ++id) {
        all.push_back(heroine(id, 6 + id % 3));
    }
    return all;
}

// Draws the scripted values in order (each taken modulo the count asked), then 0, 1, 2, …
struct Script {
    std::deque<std::uint32_t> values;
    std::uint32_t after = 0;
    std::uint32_t operator()(std::uint32_t count) {
        std::uint32_t v = after++;
        if (!values.empty()) {
            v = values.front();
            values.pop_front();
        }
        return v % count;
    }
};

RandomSource scripted(std::initializer_list<std::uint32_t> values) {
    auto script = std::make_shared<Script>();
    script->values.assign(values.begin(), values.end());
    return [script](std::uint32_t count) { return (*script)(count); };
}

RandomSource seeded(unsigned seed) {
    auto engine = std::make_shared<std::mt19937>(seed);
    return [engine](std::uint32_t count) { return static_cast<std::uint32_t>((*engine)() % count); };
}

// A play of five heroines: slots hold 1, 3, 0 (draws 1, 2, 0 from the shrinking list), 2 and 4
// wait; heroine 3 (slot 1) is asked first and 0 / 1 follow her.
Play startedPlay() {
    Play play(scripted({1, 2, 0, /*current*/ 1, /*next*/ 2, 0}));
    play.dealGals(cast(5));
    play.pickCurrent();
    play.pickNextGals();
    return play;
}

} // namespace

TEST(PlayModel, DealsThreeAtRandomAndQueuesTheRestInOrder) {
    Play play = startedPlay();
    ASSERT_EQ(play.activeGalCount(), 3);
    EXPECT_EQ(play.activeGal(0).gal.id, 1);
    EXPECT_EQ(play.activeGal(1).gal.id, 3);
    EXPECT_EQ(play.activeGal(2).gal.id, 0);
    for (int slot = 0; slot < 3; ++slot) {
        EXPECT_EQ(play.activeGal(slot).favour, kStartFavour);
    }
    ASSERT_EQ(play.waitingGals().size(), 2u);
    EXPECT_EQ(play.waitingGals()[0].id, 2);
    EXPECT_EQ(play.waitingGals()[1].id, 4);

    EXPECT_EQ(play.current().id, 3);
    EXPECT_EQ(play.nextIfRight().id, 0);
    EXPECT_EQ(play.nextIfWrong().id, 1);
    EXPECT_EQ(play.state(), PlayState::Asking);
    EXPECT_FLOAT_EQ(play.timeLeft(), kPlaySeconds);
    EXPECT_EQ(play.score(), 0);
}

TEST(PlayModel, TheNextTwoAreAlwaysTheOtherTwoWhateverTheDraws) {
    // Draws naming the current heroine's slot, or one slot twice, are drawn again.
    Play play(scripted({0, 0, 0, /*current: slot 0*/ 0, /*i,j*/ 0, 1, 2, 2, 2, 1}));
    play.dealGals(cast(3));
    play.pickCurrent();
    play.pickNextGals();
    EXPECT_EQ(play.nextIfRight().id, 2);
    EXPECT_EQ(play.nextIfWrong().id, 1);

    Play random(seeded(7));
    random.dealGals(cast(8));
    random.pickCurrent();
    for (int turn = 0; turn < 200; ++turn) {
        random.pickNextGals();
        const std::set<int> ids = {random.current().id, random.nextIfRight().id, random.nextIfWrong().id};
        ASSERT_EQ(ids.size(), 3u) << "turn " << turn;
        random.answer(turn % 3 != 0, false);
        random.reopen();
    }
}

TEST(PlayModel, ARightAnswerRaisesFavourAddsASecondAndPaysOnlyAtTheEndOfAChain) {
    Play play = startedPlay();
    AnswerOutcome outcome = play.answer(true, false);
    EXPECT_EQ(outcome.favour, kStartFavour + 1);
    EXPECT_EQ(outcome.seconds, 1);
    EXPECT_EQ(outcome.points, 0);
    EXPECT_EQ(play.favourOf(3), 6);
    EXPECT_EQ(play.current().id, 0) << "the right answer's heroine is asked next";
    EXPECT_EQ(play.state(), PlayState::Reacting);
    EXPECT_FALSE(play.acceptsInput());
    EXPECT_FLOAT_EQ(play.timeLeft(), kPlaySeconds + 1);
    play.reopen();
    EXPECT_TRUE(play.acceptsInput());

    outcome = play.answer(true, true);
    EXPECT_EQ(outcome.points, kChainEndPoints);
    EXPECT_EQ(play.score(), 200);
}

TEST(PlayModel, AWrongAnswerLowersFavourAndNeverPays) {
    Play play = startedPlay();
    const AnswerOutcome outcome = play.answer(false, true);
    EXPECT_EQ(outcome.favour, 4);
    EXPECT_EQ(outcome.seconds, 0);
    EXPECT_EQ(outcome.points, 0);
    EXPECT_EQ(play.current().id, 1) << "the wrong answer's heroine is asked next";
    EXPECT_FLOAT_EQ(play.timeLeft(), kPlaySeconds);
    EXPECT_EQ(play.score(), 0);
}

TEST(PlayModel, FavourStaysWithinItsBounds) {
    Play play(seeded(1));
    play.dealGals(cast(3));
    play.pickCurrent();
    const int id = play.current().id;
    play.findActiveGal(id)->favour = kMaxFavour;
    play.pickNextGals();
    EXPECT_EQ(play.answer(true, false).favour, kMaxFavour);

    play.findActiveGal(play.current().id)->favour = kMinFavour;
    EXPECT_EQ(play.answer(false, false).favour, kMinFavour);
    EXPECT_EQ(play.favourOf(99), kStartFavour) << "a heroine not in play reads as a newcomer";
}

TEST(PlayModel, AConfessionSucceedsFromHerBorderAndPaysWithHerReply) {
    Play play = startedPlay();
    ActiveGal& asked = *play.findActiveGal(play.current().id);
    asked.favour = asked.gal.border - 1;
    EXPECT_FALSE(play.confess());
    EXPECT_EQ(play.state(), PlayState::Confessing);
    EXPECT_EQ(play.score(), 0) << "a refusal pays nothing";

    play.reopen();
    asked.favour = asked.gal.border;
    EXPECT_TRUE(play.confess());
    play.rewardConfession();
    EXPECT_EQ(play.score(), kConfessionPoints);
    EXPECT_FLOAT_EQ(play.timeLeft(), kPlaySeconds + kConfessionBonusSeconds);
}

TEST(PlayModel, TheConfessedHeroineGivesHerPlaceToTheFirstInLine) {
    Play play = startedPlay();
    play.findActiveGal(3)->favour = 9;
    play.confess();
    play.rotateGal();
    EXPECT_EQ(play.findActiveGal(3), nullptr);
    EXPECT_EQ(play.activeGal(1).gal.id, 2) << "she takes the confessed heroine's slot";
    EXPECT_EQ(play.activeGal(1).favour, kStartFavour);
    ASSERT_EQ(play.waitingGals().size(), 2u);
    EXPECT_EQ(play.waitingGals()[0].id, 4);
    EXPECT_EQ(play.waitingGals()[1].id, 3);

    // With nobody waiting (exactly three heroines) she stays and starts over.
    Play three(seeded(3));
    three.dealGals(cast(3));
    three.pickCurrent();
    const int id = three.current().id;
    three.findActiveGal(id)->favour = 9;
    three.confess();
    three.rotateGal();
    ASSERT_NE(three.findActiveGal(id), nullptr);
    EXPECT_EQ(three.findActiveGal(id)->favour, kStartFavour);
}

TEST(PlayModel, TheClockEndsThePlayForGood) {
    Play play = startedPlay();
    play.tick(59.5f);
    EXPECT_NEAR(play.timeLeft(), 0.5f, 1e-4);
    EXPECT_EQ(play.state(), PlayState::Asking);
    play.answer(true, false); // +1 s while her reply shows
    play.tick(2.0f);
    EXPECT_FLOAT_EQ(play.timeLeft(), 0.0f) << "never below zero";
    EXPECT_EQ(play.state(), PlayState::Ending);

    // Nothing that would reopen a play brings it back: the end of the reply, time added by a
    // late pop-up, another answer or a confession.
    play.reopen();
    play.addTime(6);
    play.answer(true, false);
    play.confess();
    EXPECT_EQ(play.state(), PlayState::Ending);
    EXPECT_FALSE(play.acceptsInput());
}

TEST(PlayModel, TheSameSeedPlaysTheSameGameAndAShortCastStillDeals) {
    auto run = [](unsigned seed) {
        Play play(seeded(seed));
        play.dealGals(cast(8));
        play.pickCurrent();
        std::vector<int> asked;
        for (int turn = 0; turn < 30; ++turn) {
            play.pickNextGals();
            asked.push_back(play.current().id);
            play.answer(turn % 2 == 0, turn % 5 == 0);
            play.reopen();
        }
        return asked;
    };
    EXPECT_EQ(run(11), run(11));
    EXPECT_NE(run(11), run(12));

    Play two(seeded(1));
    two.dealGals(cast(2));
    EXPECT_EQ(two.activeGalCount(), 2);
    two.pickCurrent();
    two.pickNextGals(); // must not spin for ever looking for two others
    EXPECT_EQ(two.nextIfRight().id, two.current().id);

    EXPECT_THROW(Play(RandomSource{}), std::invalid_argument);
    Play empty(seeded(1));
    EXPECT_THROW(empty.pickCurrent(), std::logic_error);
}
