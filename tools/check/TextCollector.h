#pragma once
// Every text the game may show, with where it comes from, for the font coverage check.

#include <string>
#include <vector>

#include "ContentCheck.h"

struct ShownText {
    std::string file;  // data file it comes from ("" for texts built into the program)
    std::string owner; // e.g. "scenario 4, selection 1"
    std::string text;
};

std::vector<ShownText> collectTexts(const LoadedContent& content);
