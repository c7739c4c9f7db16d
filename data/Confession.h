#pragma once
// A heroine's confession texts and the confession data file.

#include <map>
#include <string>

#include <nlohmann/json.hpp>

struct Confession {
    std::string target;  // the name of the heroine these texts belong to
    std::string message; // the player's confession line
    std::string success; // her reply when favour has reached her border
    std::string failure; // her reply otherwise
};

using ConfessionMap = std::map<std::string, Confession>;

// One object with the four string keys "target", "message", "success", "failure".
Confession parseConfession(nlohmann::json obj);

// kConfessionDataPath: target -> texts; a later element with the same target wins.
ConfessionMap loadConfessions();
