#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DataTestSupport.h"
#include "TestErrors.h"
#include "data/Scenario.h"

using namespace datatest;
using nlohmann::json;
using testing::ElementsAre;
using testing::HasSubstr;

namespace {

const char* const kReply = R"({"sentence": "yes", "emotion": "Happy", "nextScenarioID": 4})";

json selection(const char* success, const char* failure) {
    json s = {{"sentence", "pick me"}};
    if (success != nullptr) {
        s["success"] = json::parse(success);
    }
    if (failure != nullptr) {
        s["failure"] = json::parse(failure);
    }
    return s;
}

Selection only(const json& element) {
    auto list = parseSelections(json::array({element}));
    EXPECT_EQ(list.size(), 1u);
    return list.at(0);
}

json scenario() {
    return json::parse(R"({"id": 2.7, "sentence": "Q", "range": {"type": "Any"}, "background": "bg.png",
        "bgm": "m.mp3", "emotion": "Surprised", "selections": null, "extra": 0})");
}

} // namespace

TEST(ParseSelections, FixedFormsGetFixedVerdicts) {
    const Character anyone;
    EXPECT_TRUE(only(selection(kReply, "null")).judge(anyone));
    EXPECT_FALSE(only(selection("null", kReply)).judge(anyone));
    EXPECT_TRUE(only(selection("null", "null")).judge(anyone));
    EXPECT_THAT(errorOf([] { only(selection(kReply, kReply)); }), testing::StrEq("Unreachable Error"));
    EXPECT_THAT(errorOf([] { only(selection(kReply, nullptr)); }), HasSubstr("key 'failure' not found"));
    EXPECT_THAT(errorOf([] { only(selection(nullptr, kReply)); }), HasSubstr("key 'success' not found"));
    EXPECT_THAT(errorOf([] { only(selection(nullptr, nullptr)); }), testing::StrEq("Unreachable Error"));
}

TEST(ParseSelections, ReplyFormsDecideNext) {
    json ranged = selection(nullptr, nullptr);
    ranged["range"] = nullptr; // loads; the verdict only fails when asked
    Selection s = only(ranged);
    EXPECT_EQ(s.success.next, 0); // absent reply does not end a chain
    EXPECT_EQ(s.failure.next, 0);
    EXPECT_EQ(s.success.sentence, "");
    EXPECT_THAT(errorOf([&] { s.judge(Character{}); }), HasSubstr("cannot use at() with null"));

    ranged["success"] = nullptr;
    ranged["failure"] = json::parse(R"({"sentence": "no", "emotion": "Sad", "nextScenarioID": 5})");
    s = only(ranged);
    EXPECT_EQ(s.success.next, -1);
    EXPECT_EQ(s.success.emotion, Emotion::Normal);
    EXPECT_EQ(s.failure.next, -1); // a failure reply never continues a chain
    EXPECT_EQ(s.failure.sentence, "no");
    EXPECT_EQ(s.failure.emotion, Emotion::Sad);

    ranged["success"] = json::parse(R"({"sentence": "yes", "emotion": "Happy", "nextScenarioID": true})");
    EXPECT_EQ(only(ranged).success.next, 1);
    ranged["success"].erase("nextScenarioID");
    EXPECT_THAT(errorOf([&] { only(ranged); }), HasSubstr("key 'nextScenarioID' not found"));
}

TEST(ParseSelections, NonArrayValuesAndBadElements) {
    EXPECT_TRUE(parseSelections(nullptr).empty());
    EXPECT_TRUE(parseSelections(json::array()).empty());
    EXPECT_THAT(errorOf([] { parseSelections(json::array({1})); }), HasSubstr("cannot use at() with number"));
    json bad = selection(kReply, "null");
    bad["success"]["emotion"] = "happy";
    EXPECT_THAT(errorOf([&] { only(bad); }), HasSubstr("\"happy\""));
}

TEST(ParseScenario, ReadsEveryKeyInOrder) {
    LogCapture log;
    const Scenario s = parseScenario(scenario());
    EXPECT_EQ(s.id, 2);
    EXPECT_EQ(s.sentence, "Q");
    EXPECT_EQ(s.background, "bg.png");
    EXPECT_EQ(s.bgm, "m.mp3");
    EXPECT_EQ(s.emotion, Emotion::Surprised);
    EXPECT_TRUE(s.selections.empty());
    EXPECT_TRUE(s.filter(Character{}));
    EXPECT_THAT(log.lines, ElementsAre("loadFilter: Any"));

    json j = scenario();
    j.erase("bgm");
    j["emotion"] = 3;
    EXPECT_THAT(errorOf([&] { parseScenario(j); }), HasSubstr("key 'bgm' not found"));
    j = scenario();
    j["emotion"] = "Calm";
    EXPECT_THAT(errorOf([&] { parseScenario(j); }), HasSubstr("\"Calm\""));
    j = scenario();
    j["range"] = "Any";
    EXPECT_THAT(errorOf([&] { parseScenario(j); }), HasSubstr("cannot use at() with string"));
}

TEST(LoadScenarios, LaterRepeatedIdWinsAndEachScenarioLogsItsFilter) {
    ResourceRoot root(fixture("repeats/"));
    LogCapture log;
    const ScenarioMap scenarios = loadScenarios();
    ASSERT_EQ(scenarios.size(), 2u);
    EXPECT_EQ(scenarios.at(5).sentence, "second");
    EXPECT_EQ(scenarios.at(5).emotion, Emotion::Embarrassed);
    EXPECT_EQ(scenarios.at(2).sentence, "float id");
    EXPECT_THAT(log.lines,
                ElementsAre("loadFilter: Any", "loadFilter: Personal(First)", "loadFilter: Attributes"));
}
