// Pictures are read ahead on the texture cache's loader thread: the faces of every heroine who
// comes to the table, and the background and face of the next question while she replies, are in
// the cache with their pixels before the frame that shows them.
#include <set>

#include "PlayFixture.h"
#include "data/Placeholders.h"
#include "shell/Constants.h"

using namespace cocos2d;
using namespace play_test;
using Key = EventKeyboard::KeyCode;

namespace {

std::vector<std::string> picturesOf(const Character& gal) {
    std::vector<std::string> files{gal.file};
    for (const auto& expression : gal.expressions) {
        files.push_back(expression.second);
    }
    return files;
}

} // namespace

class ReadAheadPlayTest : public PlayFixture {
protected:
    void SetUp() override { startEngine(1280, 720, {kShippedRoot}); }

    TextureCache* cache() { return Director::getInstance()->getTextureCache(); }

    // Waits for the loader thread, then a frame in which no time passes hands its pictures out.
    void settle() {
        cache()->waitForAsyncReads();
        ext::step(0.0f);
        ASSERT_EQ(cache()->getAsyncCount(), 0u);
    }

    bool ready(const std::string& file) {
        Texture2D* texture = cache()->getTextureForKey(file);
        return texture && texture->holdsPixels();
    }

    // Every background and face of the content whose pixels are in the cache now.
    std::set<Texture2D*> readyPictures() {
        std::set<Texture2D*> pictures;
        std::vector<std::string> files;
        for (const auto& entry : GameData::viewScenarios()) {
            files.push_back(entry.second.background);
        }
        for (const auto& entry : GameData::getCharacters()) {
            for (const auto& file : picturesOf(entry.second)) {
                files.push_back(file);
            }
        }
        for (const auto& file : files) {
            if (ready(file)) {
                pictures.insert(cache()->getTextureForKey(file));
            }
        }
        return pictures;
    }

    void expectReady(const Character& gal) {
        ASSERT_FALSE(gal.expressions.empty()) << gal.name << " has faces in the shipped content";
        for (const auto& file : picturesOf(gal)) {
            EXPECT_TRUE(ready(file)) << gal.name << ": " << file;
        }
    }
};

TEST_F(ReadAheadPlayTest, EveryFaceOfTheHeroinesDealtIsReadBeforeTheyAreAsked) {
    Game* game = startPlay();
    settle();
    const Play& play = game->getPlay();
    ASSERT_EQ(play.activeGalCount(), 3);
    for (int slot = 0; slot < play.activeGalCount(); ++slot) {
        expectReady(play.activeGal(slot).gal);
    }
    for (const auto& waiting : play.waitingGals()) {
        for (const auto& file : picturesOf(waiting)) {
            EXPECT_EQ(cache()->getTextureForKey(file), nullptr) << "not read before she is in line: " << file;
        }
    }
}

// An answer shows a mark (right or wrong) and her favour icon: all are read before the first
// question is answered.
TEST_F(ReadAheadPlayTest, TheMarksAndFavourIconsAnAnswerMayShowAreReadBeforeIt) {
    startPlay();
    settle();
    EXPECT_TRUE(ready(kCorrectMarkPath));
    EXPECT_TRUE(ready(kWrongMarkPath));
    for (const std::string& icon : kFavourIconPaths) {
        EXPECT_TRUE(ready(icon)) << icon;
    }
}

// The question after a confession is drawn as she is asked (the same draws, in the same order):
// the heroine coming in, that question's background and her face are ready before it shows.
TEST_F(ReadAheadPlayTest, AConfessionReadsTheHeroineComingInAndTheNextQuestionBeforeItEnds) {
    Game* game = startPlay();
    settle();
    const Play& play = game->getPlay();
    const Character incoming = play.waitingGals().front();
    ASSERT_EQ(cache()->getTextureForKey(incoming.file), nullptr);
    press(Key::KEY_SPACE);
    advance(kFrame, 60);
    settle();
    ASSERT_EQ(play.findActiveGal(incoming.id), nullptr) << "still waiting: the confession takes 3 s";
    expectReady(incoming);
    const std::set<Texture2D*> ready = readyPictures();

    advance(kFrame, 150);
    ASSERT_NE(play.findActiveGal(incoming.id), nullptr) << "at the table now";
    ASSERT_TRUE(game->canAnswer());
    EXPECT_EQ(ready.count(game->getBackground()->getTexture()), 1u)
        << game->getBackground()->getTexture()->getPath();
    EXPECT_EQ(ready.count(game->getCharacter()->getTexture()), 1u)
        << game->getCharacter()->getTexture()->getPath();
}

// The question after a reply is drawn at the answer; its background and her face for it are in
// the cache before the reply ends, and are what the next question shows.
TEST_F(ReadAheadPlayTest, TheNextQuestionsBackgroundAndFaceAreReadWhileSheReplies) {
    Game* game = startPlay();
    settle();
    for (int turn = 0; turn < 6; ++turn) {
        answer(turn % 2 == 0);
        settle();
        const std::set<Texture2D*> ready = readyPictures();
        ASSERT_TRUE(advanceUntilLogged("Finish delay")) << "turn " << turn;
        EXPECT_EQ(ready.count(game->getBackground()->getTexture()), 1u)
            << "turn " << turn << ": " << game->getBackground()->getTexture()->getPath();
        EXPECT_EQ(ready.count(game->getCharacter()->getTexture()), 1u)
            << "turn " << turn << ": " << game->getCharacter()->getTexture()->getPath();
    }
}

// Drawing the question after a confession at its start must not change what is drawn: the same
// heroine asked, the same two next, the same question, as drawing them all at its end gave.
TEST_F(ReadAheadPlayTest, AConfessionDrawsWhatItsEndWouldHaveDrawnInTheSameOrder) {
    // A generator whose short cycle makes the pick of the next two draw again now and then.
    std::uint32_t state = 7;
    setRandSource([&state]() { return state = state * 1103515245u + 12345u; });
    struct RestoreRand {
        ~RestoreRand() { setRandSource({}); }
    } restoreRand;
    Game* game = startPlay();
    settle();
    for (int confession = 0; confession < 5; ++confession) {
        const Play before = game->getPlay();
        const std::uint32_t stateBefore = state;
        press(Key::KEY_SPACE);
        advance(kFrame, 185);
        ASSERT_TRUE(game->canAnswer()) << "confession " << confession;
        const std::uint32_t stateAfter = state;

        // The old order, replayed from the same generator state: rotate, pick, question.
        state = stateBefore;
        Play replay = before;
        replay.rotateGal();
        replay.pickCurrent();
        replay.pickNextGals();
        const Scenario scenario = pickScenario(replay.current());
        EXPECT_EQ(game->getCurrentGal().id, replay.current().id) << "confession " << confession;
        EXPECT_EQ(game->getSuccessGal().id, replay.nextIfRight().id) << "confession " << confession;
        EXPECT_EQ(game->getFailureGal().id, replay.nextIfWrong().id) << "confession " << confession;
        EXPECT_EQ(game->getBackground()->getTexture(), cache()->getTextureForKey(scenario.background))
            << "confession " << confession;
        EXPECT_EQ(game->getMenuText()->getString(), replacePlaceholders(scenario.sentence, replay.current()))
            << "confession " << confession;
        state = stateAfter;
    }
}
