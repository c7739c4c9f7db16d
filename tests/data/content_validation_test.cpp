#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "DataTestSupport.h"
#include "data/ContentValidation.h"
#include "data/Filter.h"
#include "data/GameData.h"
#include "data/Verdict.h"

using namespace datatest;
using nlohmann::json;
using testing::HasSubstr;
using testing::IsEmpty;

namespace {

Character heroine(int id, std::string name, int twisted, std::set<std::string> attributes = {}) {
    Character c;
    c.id = id;
    c.name = std::move(name);
    c.attribute = std::move(attributes);
    for (const char* key : kParameterKeys) {
        c.parameter[key] = 5;
    }
    c.parameter["twisted"] = twisted;
    return c;
}

json twistedRange(int lo, int hi) {
    json r = {{"min", json::object()}, {"max", json::object()}};
    for (const char* key : kParameterKeys) {
        r["min"][key] = 0;
        r["max"][key] = 10;
    }
    r["min"]["twisted"] = lo;
    r["max"]["twisted"] = hi;
    return r;
}

Selection answer(CharacterPredicate judge) {
    Selection s;
    s.judge = std::move(judge);
    return s;
}

Scenario scenario(int id, CharacterPredicate filter, std::vector<Selection> selections) {
    Scenario s;
    s.id = id;
    s.filter = std::move(filter);
    s.selections = std::move(selections);
    return s;
}

// Low-twisted heroines like answer 0, the others answer 1.
Scenario splitByTwisted(int id, CharacterPredicate filter = AnyFilter{}) {
    return scenario(
        id, std::move(filter),
        {answer(makeRangeVerdict(twistedRange(0, 4))), answer(makeRangeVerdict(twistedRange(5, 10)))});
}

CharacterMap threeHeroines() {
    return {{1, heroine(1, "Aoi", 2, {"quiet"})}, {2, heroine(2, "Beni", 8)}, {3, heroine(3, "Chika", 5)}};
}

std::string allMessages(const std::vector<ContentProblem>& problems) {
    return describeProblems(problems);
}

} // namespace

TEST(ValidateContent, PlayableContentHasNoProblems) {
    ScenarioMap scenarios = {
        {1, splitByTwisted(1)},
        {2, scenario(2, PersonalFilter{"Beni"}, {answer(alwaysRight()), answer(alwaysWrong())})}};
    EXPECT_THAT(validateContent(threeHeroines(), scenarios), IsEmpty());
}

TEST(ValidateContent, RangesThatCannotBeEvaluatedNameScenarioAndSelection) {
    json missingKey = twistedRange(0, 4);
    missingKey["max"].erase("S");
    json notNumber = twistedRange(0, 4);
    notNumber["min"]["age"] = "young";
    Scenario broken =
        scenario(7, AnyFilter{},
                 {answer(makeRangeVerdict(missingKey)), answer(makeRangeVerdict(nullptr)),
                  answer(makeRangeVerdict(json{{"min", 1}, {"max", 2}})), answer(makeRangeVerdict(notNumber)),
                  answer(makeRangeVerdict(json::object()))});
    const auto problems = validateContent(threeHeroines(), {{1, splitByTwisted(1)}, {7, broken}});
    ASSERT_EQ(problems.size(), 5u) << allMessages(problems);
    EXPECT_EQ(problems[0].file, "res/scenario/scenario.json");
    EXPECT_EQ(problems[0].message, "scenario 7, selection 0: \"max\" key \"S\" is missing");
    EXPECT_THAT(problems[1].message, HasSubstr("selection 1: range is null, not an object"));
    EXPECT_THAT(problems[2].message, HasSubstr("selection 2: \"min\" is number, not an object"));
    EXPECT_THAT(problems[3].message, HasSubstr("selection 3: \"min\" key \"age\" is string, not a number"));
    EXPECT_THAT(problems[4].message, HasSubstr("selection 4: range has no \"min\""));
}

TEST(ValidateContent, TooFewHeroinesAndHeroinesNobodyAsks) {
    CharacterMap two = {{1, heroine(1, "Aoi", 2)}, {2, heroine(2, "Beni", 8)}};
    auto problems = validateContent(two, {{1, splitByTwisted(1, PersonalFilter{"Aoi"})}});
    ASSERT_EQ(problems.size(), 2u) << allMessages(problems);
    EXPECT_EQ(problems[0].file, "res/gal/gal_data.json");
    EXPECT_EQ(problems[0].message, "2 heroines; a play needs at least 3");
    EXPECT_EQ(problems[1].message, "no scenario admits heroine 2 (Beni)");
}

TEST(ValidateContent, AdmittedHeroineNeedsBothAnAcceptedAndARejectedAnswer) {
    Scenario onlyRight =
        scenario(4, AttributeFilter{{"quiet"}}, {answer(alwaysRight()), answer(alwaysRight())});
    Scenario onlyLow =
        scenario(5, AnyFilter{}, {answer(makeRangeVerdict(twistedRange(0, 4))), answer(alwaysWrong())});
    const auto problems = validateContent(threeHeroines(), {{4, onlyRight}, {5, onlyLow}});
    ASSERT_EQ(problems.size(), 3u) << allMessages(problems);
    EXPECT_EQ(problems[0].message, "scenario 4 admits heroine 1 (Aoi) but offers her no rejected selection");
    EXPECT_EQ(problems[1].message, "scenario 5 admits heroine 2 (Beni) but offers her no accepted selection");
    EXPECT_THAT(problems[2].message, HasSubstr("heroine 3 (Chika) but offers her no accepted"));
}

TEST(ValidateContent, HeroineWithoutParametersMustNotMeetRangedSelections) {
    CharacterMap heroines = threeHeroines();
    heroines[4] = heroine(4, "Dee", 0, {"quiet"});
    heroines[4].parameter.clear();
    ScenarioMap scenarios = {{1, splitByTwisted(1, AttributeFilter{{"none"}})},
                             {2, splitByTwisted(2, PersonalFilter{"Dee"})},
                             {3, scenario(3, AnyFilter{}, {answer(alwaysRight()), answer(alwaysWrong())})}};
    const auto problems = validateContent(heroines, scenarios);
    ASSERT_EQ(problems.size(), 1u) << allMessages(problems);
    EXPECT_EQ(problems[0].message,
              "scenario 2 admits heroine 4 (Dee), who has no parameters, but has ranged selections");
}

TEST(ValidateContent, StartUpCheckThrowsNamingTheFile) {
    {
        ResourceRoot root(fixture("valid/"));
        LogCapture quiet;
        GameData::loadAll();
        EXPECT_NO_THROW(requireValidContent());
    }
    ResourceRoot root(fixture("repeats/")); // two heroines, scenarios without answers
    LogCapture log;
    GameData::loadAll();
    try {
        requireValidContent();
        FAIL() << "expected a ContentError";
    } catch (const ContentError& e) {
        EXPECT_EQ(e.file(), "res/gal/gal_data.json");
        EXPECT_THAT(e.what(), HasSubstr("res/gal/gal_data.json: 2 heroines; a play needs at least 3 (and "));
    }
    EXPECT_FALSE(log.lines.empty());
}
