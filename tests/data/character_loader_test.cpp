#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DataTestSupport.h"
#include "TestErrors.h"
#include "data/CharacterLoader.h"

using namespace datatest;
using nlohmann::json;
using testing::ElementsAre;
using testing::HasSubstr;

namespace {

json heroine() {
    return json::parse(R"({"id": 4, "border": 25, "file": "res/gal/d.png",
        "attribute": [{"name": "b", "other": 1}, {"name": "a"}], "name": "Dee", "me": "I", "you": "senpai",
        "parameter": {"twisted": 1, "active": 2, "diligence": 3, "aggressive": 4, "dependence": 5,
                      "intelligence": 6, "age": 7, "monster": 8, "kind": 9, "money": 10, "love": 11,
                      "living": 12, "S": 13, "unused": 99}})");
}

} // namespace

TEST(ParseCharacter, FillsEveryMemberAndOnlyTheThirteenParameters) {
    const Character c = parseCharacter(heroine());
    EXPECT_EQ(c.id, 4);
    EXPECT_EQ(c.border, 25);
    EXPECT_EQ(c.file, "res/gal/d.png");
    EXPECT_THAT(c.attribute, ElementsAre("a", "b"));
    EXPECT_EQ(c.name, "Dee");
    EXPECT_EQ(c.me, "I");
    EXPECT_EQ(c.you, "senpai");
    ASSERT_EQ(c.parameter.size(), 13u);
    EXPECT_EQ(c.parameter.begin()->first, "S"); // capital letters sort first
    EXPECT_EQ(c.parameter.at("S"), 13);
    EXPECT_EQ(c.parameter.at("living"), 12);
}

TEST(ParseCharacter, ReadsNumbersAs32BitIntegers) {
    json j = heroine();
    j["id"] = 3.9;
    j["border"] = true;
    j["parameter"]["age"] = -2.7;
    const Character c = parseCharacter(j);
    EXPECT_EQ(c.id, 3);
    EXPECT_EQ(c.border, 1);
    EXPECT_EQ(c.parameter.at("age"), -2);

    j["border"] = "25";
    EXPECT_THAT(errorOf([&] { parseCharacter(j); }), HasSubstr("type must be number, but is string"));
    j["border"] = 1e12; // too large to truncate into 32 bits: an error, not a wrapped number
    EXPECT_THROW(parseCharacter(j), std::out_of_range);
}

// Integers beyond 32 bits are refused like decimals, naming the field: 4294967297 must not
// load as heroine 1 and replace her.
TEST(ParseCharacter, RefusesIntegersOutsideThe32BitRangeNamingTheField) {
    json j = heroine();
    j["id"] = 2147483647;
    j["border"] = -2147483648LL;
    const Character c = parseCharacter(j);
    EXPECT_EQ(c.id, 2147483647);
    EXPECT_EQ(c.border, INT32_MIN);

    j["id"] = 4294967297ULL;
    EXPECT_EQ(errorOf([&] { parseCharacter(j); }), "\"id\": number 4294967297 does not fit a 32-bit integer");
    j["id"] = 2147483648LL;
    EXPECT_THROW(parseCharacter(j), std::out_of_range);
    j["id"] = 4;
    j["parameter"]["kind"] = -2147483649LL;
    EXPECT_EQ(errorOf([&] { parseCharacter(j); }),
              "\"kind\": number -2147483649 does not fit a 32-bit integer");
    j["parameter"]["kind"] = 1e12;
    EXPECT_THAT(errorOf([&] { parseCharacter(j); }), HasSubstr("\"kind\": number 1"));
}

TEST(ParseCharacter, NullParameterIsLoggedAndLeftEmpty) {
    json j = heroine();
    j["parameter"] = nullptr;
    LogCapture log;
    const Character c = parseCharacter(j);
    EXPECT_TRUE(c.parameter.empty());
    EXPECT_THAT(log.lines, ElementsAre("Dee's parameter is null"));
}

TEST(ParseCharacter, AttributeSetFormsAndErrors) {
    json j = heroine();
    j["attribute"] = json::parse(R"([{"name": "x"}, {"name": "x"}])");
    EXPECT_EQ(parseCharacter(j).attribute.size(), 1u);
    j["attribute"] = json::array();
    EXPECT_TRUE(parseCharacter(j).attribute.empty());
    j["attribute"] = nullptr;
    EXPECT_TRUE(parseCharacter(j).attribute.empty());
    j["attribute"] = json::parse(R"(["x"])");
    EXPECT_THAT(errorOf([&] { parseCharacter(j); }), HasSubstr("cannot use at() with string"));
}

TEST(ParseCharacter, ReportsTheFirstMissingKeyInReadingOrder) {
    json j = heroine();
    j.erase("me"); // nothing shows it, but it is still required
    j.erase("parameter");
    EXPECT_THAT(errorOf([&] { parseCharacter(j); }), HasSubstr("key 'me' not found"));

    j = heroine();
    j["parameter"].erase("S");
    EXPECT_THAT(errorOf([&] { parseCharacter(j); }), HasSubstr("key 'S' not found"));

    j = heroine();
    j["parameter"] = json::array();
    EXPECT_THAT(errorOf([&] { parseCharacter(j); }), HasSubstr("cannot use at() with array"));
    EXPECT_THAT(errorOf([] { parseCharacter(json("x")); }), HasSubstr("cannot use at() with string"));
}

TEST(LoadCharacters, LaterRepeatedIdWinsAndNullParameterStillLoads) {
    ResourceRoot root(fixture("repeats/"));
    LogCapture log;
    const CharacterMap characters = loadCharacters();
    ASSERT_EQ(characters.size(), 2u);
    EXPECT_EQ(characters.at(7).name, "Second");
    EXPECT_EQ(characters.at(7).border, 20);
    EXPECT_TRUE(characters.at(7).parameter.empty());
    EXPECT_EQ(characters.at(3).name, "Float"); // "id": 3.9
    EXPECT_THAT(log.lines, ElementsAre("Second's parameter is null"));
}

TEST(LoadCharacters, TopLevelForms) {
    {
        ResourceRoot root(fixture("top_null/"));
        EXPECT_TRUE(loadCharacters().empty());
    }
    {
        // An object is walked as its member values in key order: "alpha" before "zeta".
        ResourceRoot root(fixture("top_object/"));
        const CharacterMap characters = loadCharacters();
        ASSERT_EQ(characters.size(), 1u);
        EXPECT_EQ(characters.at(1).name, "Zeta");
    }
    {
        ResourceRoot root(fixture("top_number/"));
        EXPECT_THAT(errorOf([] { loadCharacters(); }), HasSubstr("cannot use at() with number"));
    }
}

TEST(LoadCharacterInfos, LaterRepeatedIdWins) {
    ResourceRoot root(fixture("repeats/"));
    const CharacterInfoMap infos = loadCharacterInfos();
    ASSERT_EQ(infos.size(), 2u);
    EXPECT_EQ(infos.at(1), "new");
    EXPECT_EQ(infos.at(2), "two");
}

TEST(ReadJsonFile, BadFilesRaiseParseErrorsWithoutCrashing) {
    ScratchRoot scratch(fixture("valid/"));
    ResourceRoot root(scratch.path());
    const std::string path = "res/gal/gal_data.json";
    for (const char* source : {"broken/truncated.json", "broken/random.bin", "broken/empty.json"}) {
        scratch.replace(path, fixture(source));
        EXPECT_THROW(loadCharacters(), json::parse_error) << source;
    }
    scratch.makeDirectory(path);
    EXPECT_THROW(loadCharacters(), json::parse_error);
    std::filesystem::remove(scratch.file(path));
    EXPECT_THROW(loadCharacters(), json::parse_error);
}

TEST(ToEmotion, MatchesTheSixNamesExactly) {
    EXPECT_EQ(toEmotion("Normal"), Emotion::Normal);
    EXPECT_EQ(static_cast<int>(toEmotion("Sad")), 3);
    EXPECT_EQ(static_cast<int>(toEmotion("Embarrassed")), 5);
    EXPECT_THAT(errorOf([] { toEmotion("normal"); }), HasSubstr("\"normal\""));
    EXPECT_THROW(toEmotion("Happy "), std::runtime_error);
}

TEST(ParseCharacter, ExpressionsAreOptionalAndFallBackToTheBasePicture) {
    const Character plain = parseCharacter(heroine());
    EXPECT_TRUE(plain.expressions.empty());
    EXPECT_EQ(pictureFor(plain, Emotion::Angry), "res/gal/d.png");

    json j = heroine();
    j["expressions"] = {{"Happy", "res/gal/d_happy.png"}, {"Sad", "res/gal/d_sad.png"}};
    j["parameter"] = nullptr; // read before the profile, which may end the record early
    const Character c = parseCharacter(j);
    ASSERT_EQ(c.expressions.size(), 2u);
    EXPECT_EQ(pictureFor(c, Emotion::Happy), "res/gal/d_happy.png");
    EXPECT_EQ(pictureFor(c, Emotion::Sad), "res/gal/d_sad.png");
    EXPECT_EQ(pictureFor(c, Emotion::Surprised), "res/gal/d.png")
        << "a subset falls back to her base picture";

    j["expressions"] = nullptr;
    EXPECT_TRUE(parseCharacter(j).expressions.empty());
}

TEST(ParseCharacter, BrokenExpressionsAreDataErrors) {
    json j = heroine();
    j["expressions"] = {{"happy", "res/gal/d_happy.png"}};
    EXPECT_THAT(errorOf([&] { parseCharacter(j); }), HasSubstr("unknown emotion \"happy\""));
    j["expressions"] = {{"Happy", 3}};
    EXPECT_THAT(errorOf([&] { parseCharacter(j); }), HasSubstr("type must be string, but is number"));
    j["expressions"] = json::array({"res/gal/d_happy.png"});
    EXPECT_EQ(errorOf([&] { parseCharacter(j); }), "Dee: \"expressions\" must map emotion names to pictures");
}
