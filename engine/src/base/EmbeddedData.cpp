#include "base/EmbeddedData.h"

#include <zlib.h>

#include <array>

NS_CC_BEGIN

namespace {

// -1 outside the alphabet.
std::array<int, 256> base64Values() {
    std::array<int, 256> values;
    values.fill(-1);
    const char* alphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    for (int i = 0; i < 64; ++i) {
        values[static_cast<unsigned char>(alphabet[i])] = i;
    }
    return values;
}

bool isSpace(char c) {
    return c == ' ' || c == '\n' || c == '\r' || c == '\t';
}

} // namespace

bool decodeBase64(const std::string& text, std::vector<unsigned char>& out) {
    static const std::array<int, 256> kValues = base64Values();
    out.clear();
    out.reserve(text.size() / 4 * 3);
    unsigned int bits = 0;
    int bitCount = 0;
    int symbols = 0;
    bool padding = false;
    for (char c : text) {
        if (isSpace(c)) {
            continue;
        }
        if (c == '=') {
            padding = true;
            continue;
        }
        const int value = kValues[static_cast<unsigned char>(c)];
        if (value < 0 || padding) {
            return false; // a stray character, or data after the padding
        }
        bits = (bits << 6) | static_cast<unsigned int>(value);
        bitCount += 6;
        ++symbols;
        if (bitCount >= 8) {
            bitCount -= 8;
            out.push_back(static_cast<unsigned char>((bits >> bitCount) & 0xFF));
        }
    }
    // One symbol left over carries only 6 bits: no encoder ends that way.
    return symbols % 4 != 1;
}

bool looksCompressed(const std::vector<unsigned char>& data) {
    if (data.size() < 2) {
        return false;
    }
    const bool gzip = data[0] == 0x1F && data[1] == 0x8B;
    const bool zlib = (data[0] & 0x0F) == 8 && ((data[0] << 8) | data[1]) % 31 == 0;
    return gzip || zlib;
}

bool inflateData(const std::vector<unsigned char>& in, std::vector<unsigned char>& out, size_t limit) {
    out.clear();
    z_stream stream{};
    // 15 window bits, +32: recognise the gzip or zlib header by itself.
    if (inflateInit2(&stream, 15 + 32) != Z_OK) {
        return false;
    }
    stream.next_in = const_cast<Bytef*>(in.data());
    stream.avail_in = static_cast<uInt>(in.size());
    std::array<unsigned char, 16384> buffer;
    int result = Z_OK;
    while (result == Z_OK) {
        stream.next_out = buffer.data();
        stream.avail_out = static_cast<uInt>(buffer.size());
        result = inflate(&stream, Z_NO_FLUSH);
        if (result != Z_OK && result != Z_STREAM_END) {
            break;
        }
        const size_t produced = buffer.size() - stream.avail_out;
        if (out.size() + produced > limit) {
            result = Z_MEM_ERROR;
            break;
        }
        out.insert(out.end(), buffer.begin(), buffer.begin() + static_cast<std::ptrdiff_t>(produced));
    }
    // A stream cut short ends in Z_BUF_ERROR: no progress is possible without more input.
    inflateEnd(&stream);
    if (result != Z_STREAM_END) {
        out.clear();
        return false;
    }
    return true;
}

NS_CC_END
