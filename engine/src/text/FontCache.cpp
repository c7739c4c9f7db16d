#include "text/FontCache.h"

#include <SDL_ttf.h>

#include <unordered_map>

#include "base/CCConsole.h"

namespace cocos2d {
namespace text {

namespace {
// One open face per font file and outline, set to the size asked for each time: every size of a
// CJK face held open cost most of a megabyte, and labels are rendered only when they change, so
// the glyphs a size change drops are few to make again.
struct OpenFont {
    TTF_Font* font = nullptr;
    int pixelSize = 0;
};
std::unordered_map<std::string, OpenFont> g_fonts;
} // namespace

TTF_Font* FontCache::get(const std::string& fullPath, int pixelSize, int outline) {
    pixelSize = pixelSize > 0 ? pixelSize : 1;
    std::string key = fullPath + '|' + std::to_string(outline);
    auto found = g_fonts.find(key);
    if (found != g_fonts.end()) {
        OpenFont& open = found->second;
        if (open.font && open.pixelSize != pixelSize) {
            if (TTF_SetFontSize(open.font, pixelSize) != 0) {
                log("Label: '%s' can't be set to %d pixels: %s", fullPath.c_str(), pixelSize, TTF_GetError());
                return nullptr;
            }
            open.pixelSize = pixelSize;
        }
        return open.font;
    }
    if (!TTF_WasInit() && TTF_Init() != 0) {
        log("Label: font rendering unavailable: %s", TTF_GetError());
        return nullptr;
    }
    // Collections (.ttc) open on their first face.
    TTF_Font* font = TTF_OpenFontIndex(fullPath.c_str(), pixelSize, 0);
    if (!font) {
        log("Label: '%s' is not a usable font: %s", fullPath.c_str(), TTF_GetError());
    } else {
        TTF_SetFontKerning(font, 1);
        TTF_SetFontHinting(font, TTF_HINTING_LIGHT);
        if (outline > 0) {
            TTF_SetFontOutline(font, outline);
        }
    }
    g_fonts.emplace(key, OpenFont{font, pixelSize});
    return font;
}

void FontCache::clear() {
    for (auto& entry : g_fonts) {
        if (entry.second.font) {
            TTF_CloseFont(entry.second.font);
        }
    }
    g_fonts.clear();
}

} // namespace text
} // namespace cocos2d
