#pragma once

#include <string>

namespace cocos2d {
namespace text {

// Malformed bytes decode to U+FFFD; at most maxCodePoints are decoded.
std::u32string decodeUtf8(const std::string& utf8, size_t maxCodePoints);
void appendUtf8(std::string& out, char32_t codePoint);
std::string encodeUtf8(const std::u32string& text);
// Characters that end a word for wrapping: CJK ideographs, kana, hangul and their punctuation,
// so Japanese text may break between any two characters.
bool isCJK(char32_t c);
bool isWrapSpace(char32_t c);

} // namespace text
} // namespace cocos2d
