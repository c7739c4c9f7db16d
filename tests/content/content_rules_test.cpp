// Design rules of the shipped content that an edit of the data could quietly break: the cast,
// the scenario mix, the random picks' needs, chains, placeholders and the per-heroine texts.

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "ContentSupport.h"
#include "data/ContentValidation.h"
#include "data/Placeholders.h"
#include "data/Random.h"

namespace {

using content::ShippedContent;

// Every "<...>" token of a text.
std::vector<std::string> angleTokens(const std::string& text) {
    std::vector<std::string> tokens;
    for (std::size_t open = text.find('<'); open != std::string::npos; open = text.find('<', open + 1)) {
        const std::size_t close = text.find('>', open);
        tokens.push_back(close == std::string::npos ? text.substr(open)
                                                    : text.substr(open, close - open + 1));
    }
    return tokens;
}

bool isKnownPlaceholder(const std::string& token) {
    return token == kPlayerPlaceholder || token == kHeroinePlaceholder;
}

std::vector<const Character*> admitted(const Scenario& scenario, const CharacterMap& heroines) {
    std::vector<const Character*> out;
    for (const auto& entry : heroines) {
        if (scenario.filter(entry.second)) {
            out.push_back(&entry.second);
        }
    }
    return out;
}

class CastTest : public ShippedContent {};

TEST_F(CastTest, HeroineRecordsAreCompleteAndDistinct) {
    ASSERT_GE(heroines().size(), 8u);
    std::set<std::string> names, yous;
    std::int32_t expectedId = 0;
    for (const auto& [id, h] : heroines()) {
        EXPECT_EQ(id, expectedId++) << "ids must run 0..N-1; the gallery opens on id 0";
        EXPECT_GE(h.border, 5) << h.name;
        EXPECT_LE(h.border, 9) << h.name;
        ASSERT_EQ(h.parameter.size(), 13u) << h.name;
        for (const auto& [key, value] : h.parameter) {
            EXPECT_TRUE(value >= 0 && value <= 10) << h.name << " " << key << " = " << value;
        }
        EXPECT_EQ(h.file.rfind("res/gal/", 0), 0u) << h.file;
        EXPECT_FALSE(h.me.empty()) << h.name;
        EXPECT_TRUE(names.insert(h.name).second) << "two heroines named " << h.name;
        EXPECT_TRUE(yous.insert(h.you).second) << "two heroines call the player " << h.you;
    }
}

TEST_F(CastTest, AttributesFormASharedVocabulary) {
    std::map<std::string, int> holders;
    for (const auto& [id, h] : heroines()) {
        EXPECT_GE(h.attribute.size(), 1u) << h.name;
        EXPECT_LE(h.attribute.size(), 3u) << h.name;
        for (const auto& a : h.attribute) {
            ++holders[a];
        }
    }
    EXPECT_GE(holders.size(), 4u);
    EXPECT_LE(holders.size(), 8u);
    for (const auto& [name, count] : holders) {
        EXPECT_GE(count, 2) << "attribute " << name << " is held by one heroine only";
    }
}

TEST_F(CastTest, EveryHeroineHasAProfileAndConfessionTexts) {
    std::set<std::string> targets;
    for (const auto& element : readJsonFile(kConfessionDataPath)) {
        targets.insert(element.at("target").get<std::string>());
    }
    std::set<std::string> names;
    for (const auto& [id, h] : heroines()) {
        names.insert(h.name);
        const std::string info = GameData::getCharacterInfo(id);
        EXPECT_FALSE(info.empty()) << h.name << " has no profile";
        EXPECT_LE(info.size(), 400u) << h.name;
        const Confession c = GameData::getConfession(h.name);
        EXPECT_FALSE(c.message.empty() || c.success.empty() || c.failure.empty()) << h.name;
    }
    // A confession under a name nobody has (a typo) would leave that heroine with empty texts.
    EXPECT_EQ(targets, names);
}

class ScenarioRulesTest : public ShippedContent {};

TEST_F(ScenarioRulesTest, MixOfFilterKindsAndSelectionCounts) {
    std::set<std::string> names, attributes;
    for (const auto& [id, h] : heroines()) {
        names.insert(h.name);
        attributes.insert(h.attribute.begin(), h.attribute.end());
    }
    std::map<std::string, int> kinds;
    const nlohmann::json file = readJsonFile(kScenarioDataPath);
    for (const auto& element : file) {
        const auto& filter = element.at("range");
        const std::string type = filter.at("type").get<std::string>();
        ++kinds[type];
        const std::string at = "scenario " + std::to_string(element.at("id").get<int>());
        if (type == "Personal") {
            EXPECT_TRUE(names.count(filter.at("personal").get<std::string>())) << at;
        } else if (type == "Attribute") {
            for (const auto& a : filter.at("attributes")) {
                EXPECT_TRUE(attributes.count(a.get<std::string>())) << at << " names " << a;
            }
        } else {
            EXPECT_EQ(type, "Any") << at;
        }
        const std::size_t n = element.at("selections").size();
        EXPECT_TRUE(n >= 3 && n <= 6) << at << " has " << n << " selections";
    }
    const double total = static_cast<double>(file.size());
    ASSERT_GE(scenarios().size(), 80u);
    EXPECT_EQ(scenarios().size(), file.size()) << "two scenarios share an id";
    EXPECT_NEAR(kinds["Any"] / total, 0.5, 0.1);
    EXPECT_NEAR(kinds["Personal"] / total, 0.25, 0.1);
    EXPECT_NEAR(kinds["Attribute"] / total, 0.25, 0.1);
}

TEST_F(ScenarioRulesTest, EveryHeroineIsAdmittedByAtLeastTenScenarios) {
    std::map<std::string, int> count;
    for (const auto& [id, s] : scenarios()) {
        for (const Character* h : admitted(s, heroines())) {
            ++count[h->name];
        }
    }
    for (const auto& [id, h] : heroines()) {
        EXPECT_GE(count[h.name], 10) << h.name;
    }
}

// The play asks pickSelectionPair for one answer she accepts and one she rejects, every time a
// scenario admits her; and whichever answer she gets, its reply must be written.
TEST_F(ScenarioRulesTest, EveryAdmittedHeroineGetsARightAndAWrongAnswerWithReplies) {
    cocos2d::ext::setLogSink([](const std::string&) {});
    for (const auto& [id, s] : scenarios()) {
        for (const Character* h : admitted(s, heroines())) {
            int right = 0, wrong = 0;
            for (std::size_t k = 0; k < s.selections.size(); ++k) {
                const Selection& sel = s.selections[k];
                const bool ok = sel.judge(*h);
                (ok ? right : wrong) += 1;
                const std::string& reply = ok ? sel.success.sentence : sel.failure.sentence;
                EXPECT_FALSE(reply.empty()) << "scenario " << id << " selection " << k << " has no "
                                            << (ok ? "success" : "failure") << " reply for " << h->name;
            }
            EXPECT_GT(right, 0) << "scenario " << id << " has no right answer for " << h->name;
            EXPECT_GT(wrong, 0) << "scenario " << id << " has no wrong answer for " << h->name;
            if (right > 0 && wrong > 0) {
                const auto pair = pickSelectionPair(s.selections, *h);
                EXPECT_TRUE(pair.first.judge(*h));
                EXPECT_FALSE(pair.second.judge(*h));
            }
        }
    }
    cocos2d::ext::setLogSink({});
    EXPECT_TRUE(validateContent().empty()) << describeProblems(validateContent());
}

// Chains: a right answer's reply names the next scenario, or -1 at the end of the chain (the
// bonus). Every id named must exist, a chain must end within three scenarios, keep asking the
// same heroines, and all right answers of one scenario must agree on where it leads.
TEST_F(ScenarioRulesTest, ChainsResolveToExistingScenariosAndEnd) {
    std::map<std::int32_t, std::int32_t> next; // scenario -> its right answers' next
    for (const auto& [id, s] : scenarios()) {
        std::set<std::int32_t> targets;
        for (const Selection& sel : s.selections) {
            bool everRight = false;
            for (const auto& entry : heroines()) {
                everRight = everRight || (s.filter(entry.second) && sel.judge(entry.second));
            }
            if (everRight) {
                targets.insert(sel.success.next);
            }
        }
        ASSERT_EQ(targets.size(), 1u) << "scenario " << id << "'s right answers lead to different places";
        next[id] = *targets.begin();
        EXPECT_TRUE(next[id] == -1 || scenarios().count(next[id]))
            << "scenario " << id << " leads to missing scenario " << next[id];
    }
    std::set<std::int32_t> pointedAt;
    for (const auto& [id, n] : next) {
        if (n != -1) {
            pointedAt.insert(n);
        }
    }
    int chains = 0;
    for (const auto& [head, n] : next) {
        if (n == -1 || pointedAt.count(head)) {
            continue;
        }
        ++chains;
        std::vector<std::int32_t> chain{head};
        for (std::int32_t cur = n; cur != -1 && chain.size() <= 3; cur = next[cur]) {
            if (!scenarios().count(cur)) {
                break; // reported above
            }
            chain.push_back(cur);
            const auto& first = scenarios().at(head);
            const auto& later = scenarios().at(cur);
            for (const auto& entry : heroines()) {
                EXPECT_EQ(first.filter(entry.second), later.filter(entry.second))
                    << "chain from " << head << " changes who is asked at " << cur;
            }
        }
        EXPECT_LE(chain.size(), 3u) << "chain from scenario " << head << " is too long or loops";
    }
    EXPECT_GE(chains, 15);
}

TEST_F(ScenarioRulesTest, BackgroundsAndMusicComeFromTheSceneSet) {
    const std::set<std::string> backgrounds = {"classroom", "cafe",    "street",      "beach",
                                               "rooftop",   "night",   "rooftop_day", "night_street",
                                               "room",      "park_day"};
    const std::set<std::string> music = {"everyday", "cafe", "outdoor", "evening"};
    for (const auto& [id, s] : scenarios()) {
        const std::string bg = s.background;
        const std::string bgm = s.bgm;
        EXPECT_TRUE(bg.rfind("res/background/", 0) == 0 && bg.size() > 19 &&
                    backgrounds.count(bg.substr(15, bg.size() - 19)) && bg.substr(bg.size() - 4) == ".png")
            << "scenario " << id << ": " << bg;
        EXPECT_TRUE(bgm.rfind("res/bgm/", 0) == 0 && bgm.size() > 12 &&
                    music.count(bgm.substr(8, bgm.size() - 12)) && bgm.substr(bgm.size() - 4) == ".mp3")
            << "scenario " << id << ": " << bgm;
    }
}

class PlaceholderRulesTest : public ShippedContent {};

TEST_F(PlaceholderRulesTest, PlayTextsUseOnlyTheTwoPlaceholders) {
    for (const auto& t : content::scenarioTexts(scenarios())) {
        for (const auto& token : angleTokens(t.text)) {
            EXPECT_TRUE(isKnownPlaceholder(token)) << t.where << ": " << token;
        }
    }
    for (const auto& [id, h] : heroines()) {
        const Confession c = GameData::getConfession(h.name);
        for (const std::string* text : {&c.message, &c.success, &c.failure}) {
            for (const auto& token : angleTokens(*text)) {
                EXPECT_TRUE(isKnownPlaceholder(token)) << h.name << "'s confession: " << token;
            }
            EXPECT_TRUE(angleTokens(replacePlaceholders(*text, h)).empty()) << *text;
        }
    }
}

// The gallery and the tutorial show their texts as written: a placeholder there would be shown
// literally.
TEST_F(PlaceholderRulesTest, ProfilesAndTutorialHoldNoPlaceholders) {
    for (const auto& [id, h] : heroines()) {
        EXPECT_TRUE(angleTokens(GameData::getCharacterInfo(id)).empty()) << h.name;
    }
    const nlohmann::json strings = readJsonFile(kTutorialStringsPath);
    for (const auto& key : content::tutorialKeys()) {
        ASSERT_TRUE(strings.contains(key)) << key;
        ASSERT_TRUE(strings.at(key).is_string()) << key;
        EXPECT_FALSE(strings.at(key).get<std::string>().empty()) << key;
        EXPECT_TRUE(angleTokens(strings.at(key).get<std::string>()).empty()) << key;
    }
}

} // namespace
