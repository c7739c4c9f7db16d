#include "data/Confession.h"

#include "data/DataPaths.h"
#include "data/JsonFile.h"

Confession parseConfession(nlohmann::json obj) {
    Confession c;
    c.target = obj.at("target").get<std::string>();
    c.message = obj.at("message").get<std::string>();
    c.success = obj.at("success").get<std::string>();
    c.failure = obj.at("failure").get<std::string>();
    return c;
}

ConfessionMap loadConfessions() {
    ConfessionMap confessions;
    for (const auto& element : readJsonFile(kConfessionDataPath)) {
        const std::string target = element.at("target").get<std::string>();
        confessions[target] = parseConfession(element);
    }
    return confessions;
}
