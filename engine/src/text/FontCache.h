#pragma once

#include <string>

typedef struct _TTF_Font TTF_Font;

namespace cocos2d {
namespace text {

// Open fonts shared by every label, one per (file, outline), opened once and set to the pixel
// size asked for; a file that isn't a usable font is reported once and then remembered as
// unusable.
class FontCache {
public:
    // nullptr when the file can't be opened as a font. The font is at `pixelSize` until the next
    // call: use it before asking for another size.
    static TTF_Font* get(const std::string& fullPath, int pixelSize, int outline);
    // Closes every font (between tests, and at shutdown).
    static void clear();
};

} // namespace text
} // namespace cocos2d
