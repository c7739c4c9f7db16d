#pragma once

#include <string>

#include "data/Character.h"

inline const std::string kPlayerPlaceholder = "<主人公>";    // replaced by her `you`
inline const std::string kHeroinePlaceholder = "<ヒロイン>"; // replaced by her `name`

// Puts the heroine's words into a text: every "<主人公>" becomes her `you`, then every
// "<ヒロイン>" her `name`. Each search resumes after the text just inserted, so a word that
// contains its own placeholder is inserted once instead of looping for ever.
std::string replacePlaceholders(const std::string& text, Character character);
