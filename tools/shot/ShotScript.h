#pragma once
// The command line of the screenshot tool: options and a list of scripted steps.

#include <cstdint>
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
    std::string name; // Shot: file name without .png
};

struct ShotOptions {
    std::string resources; // empty: the Resources folder beside the program
    std::string store;     // empty: a fresh temporary folder
    std::string out;
    // Keep the store in the per-user folder the game itself uses rather than a fresh one.
    bool userStore = false;
    // Draw every random pick from a fixed-seed generator that gives the same picks on every
    // platform (the C library's rand() differs between them).
    std::optional<std::uint32_t> seed;
    // Print the frame-time summary line after the run.
    bool frameStats = false;
    std::vector<ShotStep> steps;
};

// Parses argv (without the program name). On a usage error returns nothing and fills error.
std::optional<ShotOptions> parseShotArgs(const std::vector<std::string>& args, std::string& error);

extern const char* const kShotUsage;
