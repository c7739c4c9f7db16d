#include "text/FontCache.h"

#include <SDL_ttf.h>

#include <unordered_map>

#include "base/CCConsole.h"

namespace cocos2d {
namespace text {

namespace {
std::unordered_map<std::string, TTF_Font*> g_fonts;
} // namespace

TTF_Font* FontCache::get(const std::string& fullPath, int pixelSize, int outline) {
    std::string key = fullPath + '|' + std::to_string(pixelSize) + '|' + std::to_string(outline);
    auto found = g_fonts.find(key);
    if (found != g_fonts.end()) {
        return found->second;
    }
    if (!TTF_WasInit() && TTF_Init() != 0) {
        log("Label: font rendering unavailable: %s", TTF_GetError());
        return nullptr;
    }
    // Collections (.ttc) open on their first face.
    TTF_Font* font = TTF_OpenFontIndex(fullPath.c_str(), pixelSize > 0 ? pixelSize : 1, 0);
    if (!font) {
        log("Label: '%s' is not a usable font: %s", fullPath.c_str(), TTF_GetError());
    } else {
        TTF_SetFontKerning(font, 1);
        TTF_SetFontHinting(font, TTF_HINTING_LIGHT);
        if (outline > 0) {
            TTF_SetFontOutline(font, outline);
        }
    }
    g_fonts.emplace(key, font);
    return font;
}

void FontCache::clear() {
    for (auto& entry : g_fonts) {
        if (entry.second) {
            TTF_CloseFont(entry.second);
        }
    }
    g_fonts.clear();
}

} // namespace text
} // namespace cocos2d
