#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "base/ccMacros.h"

NS_CC_BEGIN

// Binary data carried inside text files, as particle designers embed their textures: base64
// text, usually of gzip- or zlib-compressed bytes.

// Whitespace is skipped; padding is optional. False for any other character outside the
// alphabet or a length no encoder produces.
bool decodeBase64(const std::string& text, std::vector<unsigned char>& out);

// True when the bytes start like a gzip stream or a zlib stream.
bool looksCompressed(const std::vector<unsigned char>& data);

// Inflates a gzip or zlib stream. False when it is damaged, incomplete, or would grow past
// `limit` bytes (a small file must not be able to claim unbounded memory).
bool inflateData(const std::vector<unsigned char>& in, std::vector<unsigned char>& out, size_t limit);

NS_CC_END
