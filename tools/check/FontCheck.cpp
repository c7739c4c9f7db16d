#include <cstdint>
#include <cstdio>
#include <map>

#include <SDL_ttf.h>

#include "ContentCheck.h"
#include "TextCollector.h"
#include "data/Placeholders.h"
#include "shell/Constants.h"

namespace {

constexpr std::size_t kListedPerFile = 8; // characters named per error line before "and N more"

// Code points of a UTF-8 string (the JSON parser has already rejected malformed UTF-8).
std::vector<std::uint32_t> codePoints(const std::string& text) {
    std::vector<std::uint32_t> points;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        std::uint32_t cp = length == 1 ? lead : lead & (0x3F >> (length - 1));
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
            cp = (cp << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        points.push_back(cp);
        i += length;
    }
    return points;
}

// Placeholders never reach the screen: the heroine's words replace them first.
std::string withoutPlaceholders(std::string text) {
    for (const std::string* placeholder : {&kPlayerPlaceholder, &kHeroinePlaceholder}) {
        for (auto at = text.find(*placeholder); at != std::string::npos; at = text.find(*placeholder, at)) {
            text.erase(at, placeholder->size());
        }
    }
    return text;
}

std::string describe(std::uint32_t cp, const std::string& owner) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(cp));
    return std::string(code) + " (" + owner + ")";
}

} // namespace

void checkFontCoverage(const LoadedContent& content, Problems& problems) {
    if (!fileProblem(kFontPath).empty()) {
        return; // the media check already reports the missing font
    }
    if (TTF_WasInit() == 0 && TTF_Init() != 0) {
        problems.push_back({kFontPath, std::string("cannot start the font library: ") + TTF_GetError()});
        return;
    }
    TTF_Font* font = TTF_OpenFont((checkRoot() + kFontPath).c_str(), 24);
    if (font == nullptr) {
        problems.push_back({kFontPath, std::string("cannot open the font: ") + TTF_GetError()});
        return;
    }
    // file -> missing code point -> the first text that uses it
    std::map<std::string, std::map<std::uint32_t, std::string>> missing;
    for (const auto& shown : collectTexts(content)) {
        for (std::uint32_t cp : codePoints(withoutPlaceholders(shown.text))) {
            if (cp >= 0x20 && !TTF_GlyphIsProvided32(font, cp)) {
                missing[shown.file.empty() ? kFontPath : shown.file].emplace(cp, shown.owner);
            }
        }
    }
    TTF_CloseFont(font);
    for (const auto& [file, points] : missing) {
        std::string message = "characters missing from " + kFontPath + ":";
        std::size_t listed = 0;
        for (const auto& [cp, owner] : points) {
            if (listed++ == kListedPerFile) {
                message += " and " + std::to_string(points.size() - kListedPerFile) + " more";
                break;
            }
            message += (listed > 1 ? ", " : " ") + describe(cp, owner);
        }
        problems.push_back({file, message});
    }
}
