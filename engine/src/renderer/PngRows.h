#pragma once

#include <cstdint>
#include <string>

// A PNG file read one row at a time, straight into the engine's pixel layout (ARGB8888 words):
// a picture can be packed, or written into memory already in hand, without a decoded copy of
// the whole of it first. Any colour type and bit depth; interlaced files are not read this way
// (open() refuses them, as it refuses anything but a PNG). Thread-safe: each reader is its own.
namespace cocos2d {
namespace pictures {

class PngRows {
public:
    PngRows() = default;
    PngRows(const PngRows&) = delete;
    PngRows& operator=(const PngRows&) = delete;
    ~PngRows();

    // False when the file is missing, no PNG, interlaced or broken in its header.
    bool open(const std::string& fullPath);
    int width() const { return _width; }
    int height() const { return _height; }
    // The next row, `width()` pixels; false once the file turns out broken (error() says why).
    bool readRow(uint32_t* out);
    const std::string& error() const { return _error; }

private:
    void close();

    void* _png = nullptr;  // png_structp
    void* _info = nullptr; // png_infop
    void* _file = nullptr; // SDL_RWops*
    int _width = 0;
    int _height = 0;
    std::string _error;
};

} // namespace pictures
} // namespace cocos2d
