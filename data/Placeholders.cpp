#include "data/Placeholders.h"

namespace {

void replaceAll(std::string& text, const std::string& placeholder, const std::string& word) {
    std::size_t at = text.find(placeholder);
    while (at != std::string::npos) {
        text.replace(at, placeholder.size(), word);
        at = text.find(placeholder, at + word.size());
    }
}

} // namespace

std::string replacePlaceholders(const std::string& text, Character character) {
    std::string result = text;
    // The player's word first: a `you` that itself holds the heroine placeholder still gets
    // her name in the second pass.
    replaceAll(result, kPlayerPlaceholder, character.you);
    replaceAll(result, kHeroinePlaceholder, character.name);
    return result;
}
