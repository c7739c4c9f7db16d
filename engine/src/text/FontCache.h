#pragma once

#include <string>

typedef struct _TTF_Font TTF_Font;

namespace cocos2d {
namespace text {

// Open fonts shared by every label, keyed by (file, pixel size, outline). Fonts are opened once;
// a file that isn't a usable font is reported once and then remembered as unusable.
class FontCache {
public:
    // nullptr when the file can't be opened as a font.
    static TTF_Font* get(const std::string& fullPath, int pixelSize, int outline);
    // Closes every font (between tests, and at shutdown).
    static void clear();
};

} // namespace text
} // namespace cocos2d
