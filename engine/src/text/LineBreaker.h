#pragma once

#include <functional>
#include <string>
#include <vector>

namespace cocos2d {
namespace text {

struct BrokenLine {
    std::u32string text; // trailing whitespace removed
    // Sum of advances (with kerning); trailing whitespace counts only on a line that ends the
    // text or a paragraph, not on one broken by wrapping.
    float width = 0.0f;
};

// Advance of `c` when it follows `previous` (0 at a line start): glyph advance plus kerning.
using AdvanceFn = std::function<float(char32_t previous, char32_t c)>;

// Breaks text into lines. '\n' always breaks. With maxWidth > 0, words wrap: a word ends at
// whitespace or at any CJK character, a line breaks before a non-space glyph whose right edge
// would pass maxWidth, a word longer than a line is split by character, and whitespace never
// causes a break.
std::vector<BrokenLine> breakLines(const std::u32string& text, float maxWidth, const AdvanceFn& advance);

} // namespace text
} // namespace cocos2d
