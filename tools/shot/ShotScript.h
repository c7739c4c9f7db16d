#pragma once
// The command line of the screenshot tool: options and a list of scripted steps.

#include <optional>
#include <string>
#include <vector>

struct ShotStep {
    enum class Kind { Wait, Key, Click, Shot };
    Kind kind = Kind::Wait;
    double seconds = 0.0; // Wait
    std::string key;      // Key: up, down, space, enter, escape
    float x = 0.0f;       // Click, design points, y up
    float y = 0.0f;
    std::string name;     // Shot: file name without .png
};

struct ShotOptions {
    std::string resources; // empty: the Resources folder beside the program
    std::string store;     // empty: a fresh temporary folder
    std::string out;
    // Print the frame-time summary line after the run.
    bool frameStats = false;
    std::vector<ShotStep> steps;
};

// Parses argv (without the program name). On a usage error returns nothing and fills error.
std::optional<ShotOptions> parseShotArgs(const std::vector<std::string>& args, std::string& error);

extern const char* const kShotUsage;
