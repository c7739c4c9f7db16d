#include "TextCollector.h"

#include "data/JsonFile.h"
#include "shell/Constants.h"

namespace {

void addScenario(const Scenario& s, std::vector<ShownText>& texts) {
    const std::string owner = "scenario " + std::to_string(s.id);
    texts.push_back({kScenarioDataPath, owner, s.sentence});
    for (std::size_t i = 0; i < s.selections.size(); ++i) {
        const Selection& sel = s.selections[i];
        const std::string where = owner + ", selection " + std::to_string(i);
        texts.push_back({kScenarioDataPath, where, sel.sentence});
        texts.push_back({kScenarioDataPath, where + " success", sel.success.sentence});
        texts.push_back({kScenarioDataPath, where + " failure", sel.failure.sentence});
    }
}

void addTutorial(std::vector<ShownText>& texts) {
    try {
        const nlohmann::json strings = readJsonFile(kTutorialStringsPath);
        for (const auto& [key, value] : strings.items()) {
            if (value.is_string()) {
                texts.push_back({kTutorialStringsPath, "key '" + key + "'", value.get<std::string>()});
            }
        }
    } catch (const std::exception&) {
        // Already reported by the tutorial strings check.
    }
}

} // namespace

std::vector<ShownText> collectTexts(const LoadedContent& content) {
    std::vector<ShownText> texts;
    for (const std::string* label :
         {&kScoreLabel, &kHighScoreLabel, &kSettingLabel, &kPlayGameLabel, &kExitLabel, &kTimeLabel}) {
        texts.push_back({"", "interface label", *label});
    }
    if (content.characters) {
        for (const auto& [id, h] : *content.characters) {
            const std::string owner = "heroine " + std::to_string(id);
            for (const std::string* word : {&h.name, &h.you, &h.me}) {
                texts.push_back({kCharacterDataPath, owner, *word});
            }
            for (const auto& attribute : h.attribute) {
                texts.push_back({kCharacterDataPath, owner + " attribute", attribute});
            }
        }
    }
    if (content.scenarios) {
        for (const auto& [id, s] : *content.scenarios) {
            addScenario(s, texts);
        }
    }
    if (content.confessions) {
        for (const auto& [target, c] : *content.confessions) {
            const std::string owner = "confession of " + target;
            for (const std::string* text : {&c.message, &c.success, &c.failure}) {
                texts.push_back({kConfessionDataPath, owner, *text});
            }
        }
    }
    if (content.infos) {
        for (const auto& [id, info] : *content.infos) {
            texts.push_back({kCharacterInfoPath, "profile " + std::to_string(id), info});
        }
    }
    addTutorial(texts);
    return texts;
}
