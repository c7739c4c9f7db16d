#include "text/LineBreaker.h"

#include <algorithm>

#include "text/Utf8.h"

namespace cocos2d {
namespace text {

namespace {

class Breaker {
public:
    Breaker(float maxWidth, const AdvanceFn& advance, std::vector<BrokenLine>& out)
        : _maxWidth(maxWidth), _advance(advance), _out(out) {}

    void paragraph(const std::u32string& text, size_t begin, size_t end) {
        size_t i = begin;
        while (i < end) {
            size_t tokenEnd = tokenEndFrom(text, i, end);
            if (isWrapSpace(text[i])) {
                appendChar(text[i]);
            } else {
                word(text, i, tokenEnd);
            }
            i = tokenEnd;
        }
        flush(true);
    }

private:
    static size_t tokenEndFrom(const std::u32string& text, size_t i, size_t end) {
        if (isWrapSpace(text[i]) || isCJK(text[i])) {
            return i + 1;
        }
        size_t j = i + 1;
        while (j < end && !isWrapSpace(text[j]) && !isCJK(text[j])) {
            ++j;
        }
        return j;
    }

    float widthIfAppended(const std::u32string& text, size_t begin, size_t end) const {
        float width = _pen;
        char32_t previous = _previous;
        for (size_t k = begin; k < end; ++k) {
            width += _advance(previous, text[k]);
            previous = text[k];
        }
        return width;
    }

    void word(const std::u32string& text, size_t begin, size_t end) {
        if (_maxWidth > 0 && widthIfAppended(text, begin, end) > _maxWidth && _hasGlyph) {
            flush(false);
        }
        for (size_t k = begin; k < end; ++k) {
            // Only a word too long for a whole line gets here with an overflow: split it.
            if (_maxWidth > 0 && _hasGlyph && _pen + _advance(_previous, text[k]) > _maxWidth) {
                flush(false);
            }
            appendChar(text[k]);
        }
    }

    void appendChar(char32_t c) {
        _pen += _advance(_previous, c);
        _previous = c;
        _line.text.push_back(c);
        if (!isWrapSpace(c)) {
            _hasGlyph = true;
            _line.width = _pen;
            _keptLength = _line.text.size();
        }
    }

    // A line that ends the text or a paragraph keeps its trailing spaces in its width (they
    // move centred or right-aligned text); a line broken by wrapping drops them. Spaces never
    // push a line past the wrap width, where aligned text would be cut off.
    void flush(bool paragraphEnd) {
        if (paragraphEnd) {
            _line.width = _maxWidth > 0 ? std::max(_line.width, std::min(_pen, _maxWidth)) : _pen;
        }
        _line.text.resize(_keptLength);
        _out.push_back(std::move(_line));
        _line = BrokenLine();
        _pen = 0.0f;
        _previous = 0;
        _hasGlyph = false;
        _keptLength = 0;
    }

    float _maxWidth;
    const AdvanceFn& _advance;
    std::vector<BrokenLine>& _out;
    BrokenLine _line;
    float _pen = 0.0f;
    char32_t _previous = 0;
    bool _hasGlyph = false;
    size_t _keptLength = 0;
};

} // namespace

std::vector<BrokenLine> breakLines(const std::u32string& text, float maxWidth, const AdvanceFn& advance) {
    std::vector<BrokenLine> lines;
    Breaker breaker(maxWidth, advance, lines);
    size_t start = 0;
    while (start <= text.size()) {
        size_t newline = text.find(U'\n', start);
        size_t end = newline == std::u32string::npos ? text.size() : newline;
        breaker.paragraph(text, start, end);
        if (newline == std::u32string::npos) {
            break;
        }
        start = newline + 1;
    }
    return lines;
}

} // namespace text
} // namespace cocos2d
