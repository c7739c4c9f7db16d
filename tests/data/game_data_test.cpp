#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "DataTestSupport.h"
#include "TestErrors.h"
#include "data/GameData.h"
#include "shell/Constants.h"

using namespace datatest;
using nlohmann::json;
using testing::HasSubstr;

TEST(Confessions, ParseAndLoad) {
    const Confession c = parseConfession(
        json::parse(R"({"target": "A", "message": "m", "success": "s", "failure": "f", "x": 1})"));
    EXPECT_EQ(c.target + c.message + c.success + c.failure, "Amsf");
    EXPECT_THAT(
        errorOf([] { parseConfession(json::parse(R"({"target": "A", "message": "m", "failure": 1})")); }),
        HasSubstr("key 'success' not found"));
    EXPECT_THAT(errorOf([] { parseConfession(json::array()); }), HasSubstr("cannot use at() with array"));

    ResourceRoot root(fixture("repeats/"));
    const ConfessionMap confessions = loadConfessions();
    ASSERT_EQ(confessions.size(), 2u); // "First" twice, and "first", which is another heroine
    EXPECT_EQ(confessions.at("First").message, "m2");
    EXPECT_EQ(confessions.at("first").message, "lower");
}

class GameDataTest : public testing::Test {
protected:
    void SetUp() override {
        ResourceRoot root(fixture("valid/"));
        LogCapture quiet;
        GameData::loadAll();
    }
};

TEST_F(GameDataTest, LoadsEveryFileAndHandsOutIndependentCopies) {
    EXPECT_EQ(GameData::fileBeingLoaded(), "");
    CharacterMap characters = GameData::getCharacters();
    ASSERT_EQ(characters.size(), 3u);
    EXPECT_EQ(GameData::getScenarios().size(), 3u);
    EXPECT_EQ(GameData::confessionCount(), 3u);

    characters.at(1).name = "changed";
    characters.erase(2);
    EXPECT_EQ(GameData::getCharacters().at(1).name, "葵");
    EXPECT_EQ(GameData::getCharacters().size(), 3u);

    ScenarioMap scenarios = GameData::getScenarios();
    scenarios.at(1).selections.clear();
    EXPECT_EQ(GameData::getScenarios().at(1).selections.size(), 2u);
}

TEST_F(GameDataTest, MissingKeysReturnEmptyValuesAndAreRemembered) {
    EXPECT_EQ(GameData::getCharacterInfo(2), "旧家のお嬢様。");
    const std::size_t infos = GameData::characterInfoCount();
    EXPECT_EQ(GameData::getCharacterInfo(99), "");
    EXPECT_EQ(GameData::getCharacterInfo(99), "");
    EXPECT_EQ(GameData::characterInfoCount(), infos + 1);

    EXPECT_EQ(GameData::getConfession("紅").success, "よろしくてよ。");
    const Confession none = GameData::getConfession("紅 "); // exact match only
    EXPECT_EQ(none.target + none.message + none.success + none.failure, "");
}

TEST_F(GameDataTest, AnIdBeyond32BitsStopsStartUpNamingFileAndField) {
    ScratchRoot root(fixture("valid/"));
    std::ofstream(root.file("res/scenario/scenario.json"), std::ios::trunc)
        << R"([{"id": 1, "sentence": "s", "range": {"type": "Any"}, "background": "b", "bgm": "m",
               "emotion": "Normal", "selections": [
                 {"sentence": "a", "success": {"sentence": "y", "emotion": "Happy", "nextScenarioID": 4294967297},
                  "failure": null}]}])";
    ResourceRoot use(root.path());
    LogCapture quiet;
    EXPECT_EQ(errorOf([] { GameData::loadAll(); }),
              "\"nextScenarioID\": number 4294967297 does not fit a 32-bit integer");
    EXPECT_EQ(GameData::fileBeingLoaded(), kScenarioDataPath);
}

TEST_F(GameDataTest, AConfessionErrorStopsStartUpBeforeTheProfiles) {
    ResourceRoot root(fixture("bad_confession/"));
    LogCapture quiet;
    // The profile file there is malformed too: reading it would raise a parse error instead.
    EXPECT_THROW(GameData::loadAll(), json::type_error);
    EXPECT_EQ(GameData::fileBeingLoaded(), kConfessionDataPath);
    EXPECT_EQ(GameData::getCharacters().begin()->second.name, "Dee");
    EXPECT_EQ(GameData::getScenarios().begin()->first, 9);
}
