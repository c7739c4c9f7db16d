#include <cstdlib>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DataTestSupport.h"
#include "TestErrors.h"
#include "data/CharacterLoader.h"
#include "data/GameData.h"
#include "data/Random.h"
#include "data/Verdict.h"

using namespace datatest;
using testing::ElementsAre;
using testing::HasSubstr;

namespace {

// Seeds from a fixed clock and counts how often the clock is read.
class SeededRandom : public testing::Test {
protected:
    void SetUp() override {
        resetRandSeeding();
        setRandSeedClock([this] {
            ++clockReads;
            return kSeed;
        });
    }
    void TearDown() override { setRandSeedClock(nullptr); }

    // What rand() % count gives for the n-th draw after seeding.
    static std::vector<std::uint32_t> expectedDraws(std::vector<std::uint32_t> counts) {
        std::srand(kSeed);
        std::vector<std::uint32_t> draws;
        for (std::uint32_t count : counts) {
            draws.push_back(static_cast<std::uint32_t>(std::rand()) % count);
        }
        return draws;
    }

    static constexpr std::uint32_t kSeed = 20240601;
    int clockReads = 0;
};

Selection named(const std::string& text, CharacterPredicate judge) {
    Selection s;
    s.sentence = text;
    s.judge = std::move(judge);
    return s;
}

} // namespace

TEST_F(SeededRandom, SeedsOnceAndLogsEveryIndex) {
    const auto expected = expectedDraws({1000, 1000, 7, 1});
    LogCapture log;
    std::vector<std::uint32_t> drawn;
    for (std::uint32_t count : {1000u, 1000u, 7u, 1u}) {
        drawn.push_back(getRand(count));
    }
    EXPECT_EQ(drawn, expected);
    EXPECT_EQ(drawn.back(), 0u);
    EXPECT_EQ(clockReads, 1);
    ASSERT_EQ(log.lines.size(), 4u);
    EXPECT_EQ(log.lines[0], "getRand: " + std::to_string(expected[0]));
    EXPECT_EQ(log.lines[3], "getRand: 0");
}

TEST_F(SeededRandom, ZeroCountIsAClearError) {
    EXPECT_THAT(errorOf([] { getRand(0); }), HasSubstr("nothing to choose from"));
}

TEST_F(SeededRandom, SelectionPairDrawsAcceptedThenRejected) {
    std::vector<std::string> asked;
    auto judge = [&asked](std::string name, bool answer) {
        return [&asked, name, answer](const Character&) {
            asked.push_back(name);
            return answer;
        };
    };
    const std::vector<Selection> selections = {
        named("no1", judge("no1", false)),
        named("yes1", judge("yes1", true)),
        named("no2", judge("no2", false)),
        named("no3", judge("no3", false)),
    };
    const auto expected = expectedDraws({1, 3});
    LogCapture log;
    const auto [accepted, rejected] = pickSelectionPair(selections, Character{});
    EXPECT_THAT(asked, ElementsAre("no1", "yes1", "no2", "no3"));
    EXPECT_EQ(accepted.sentence, "yes1");
    EXPECT_EQ(rejected.sentence, "no" + std::to_string(expected[1] + 1));
    EXPECT_THAT(log.lines, ElementsAre("getRand: 0", "getRand: " + std::to_string(expected[1])));
}

TEST_F(SeededRandom, SelectionPairWithoutBothSidesFailsBeforeDrawing) {
    const std::vector<Selection> allRight = {named("a", alwaysRight()), named("b", alwaysRight())};
    Character h;
    h.name = "Aoi";
    LogCapture log;
    EXPECT_THAT(errorOf([&] { pickSelectionPair(allRight, h); }), HasSubstr("Aoi has no rejected selection"));
    EXPECT_THAT(errorOf([&] { pickSelectionPair({}, h); }), HasSubstr("Aoi has no accepted selection"));
    EXPECT_TRUE(log.lines.empty());
}

TEST_F(SeededRandom, ScenarioIsDrawnAmongThoseThatAdmitHer) {
    {
        ResourceRoot root(fixture("valid/"));
        LogCapture quiet;
        GameData::loadAll();
    }
    const CharacterMap heroines = GameData::getCharacters();
    LogCapture quiet;
    // Beni is admitted by scenarios 1 (Any) and 2 (Personal), not 3 (Attribute).
    const auto expected = expectedDraws({2, 2, 2, 2, 2, 2});
    for (std::uint32_t draw : expected) {
        EXPECT_EQ(pickScenario(heroines.at(2)).id, draw == 0 ? 1 : 2);
    }
    // Aoi: scenarios 1 and 3; she never gets Beni's scenario 2.
    for (int i = 0; i < 20; ++i) {
        EXPECT_NE(pickScenario(heroines.at(1)).id, 2);
    }
    Character stranger;
    stranger.name = "Nobody";
    EXPECT_EQ(pickScenario(stranger).id, 1); // only the Any scenario admits her
}

TEST_F(SeededRandom, AToolsOwnSourceReplacesRandUntilItIsCleared) {
    // The values a source gives are taken modulo count, logged like any draw, and the C
    // library's generator is neither seeded nor advanced meanwhile.
    std::uint32_t next = 41;
    setRandSource([&next] { return next++; });
    LogCapture log;
    EXPECT_EQ(getRand(10), 1u);
    EXPECT_EQ(getRand(10), 2u);
    EXPECT_EQ(getRand(1), 0u);
    EXPECT_EQ(clockReads, 0);
    setRandSource({});
    const auto expected = expectedDraws({1000});
    EXPECT_EQ(getRand(1000), expected[0]);
    EXPECT_EQ(clockReads, 1);
    EXPECT_THAT(log.lines, ElementsAre("getRand: 1", "getRand: 2", "getRand: 0",
                                       "getRand: " + std::to_string(expected[0])));
}
