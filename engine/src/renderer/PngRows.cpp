#include "renderer/PngRows.h"

#include <SDL.h>
#include <png.h>

#include <csetjmp>

namespace cocos2d {
namespace pictures {

namespace {

// libpng reports errors by jumping back to the setjmp of the call under way; the message is
// kept on the reader first.
void onError(png_structp png, png_const_charp message) {
    auto* error = static_cast<std::string*>(png_get_error_ptr(png));
    if (error) {
        *error = message ? message : "broken PNG";
    }
    png_longjmp(png, 1);
}

void onWarning(png_structp, png_const_charp) {}

void readBytes(png_structp png, png_bytep out, png_size_t bytes) {
    auto* file = static_cast<SDL_RWops*>(png_get_io_ptr(png));
    if (SDL_RWread(file, out, 1, bytes) != bytes) {
        png_error(png, "the file ends early");
    }
}

// Reads the header and sets up the conversions to ARGB8888 words: palettes and grey levels
// expanded, transparency made alpha, 16 bits cut to 8 (as SDL_image does), an opaque alpha
// added where the file has none. No locals with destructors live here: libpng may jump out.
bool readHeader(png_structp png, png_infop info, int* width, int* height) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_set_sig_bytes(png, 8);
    png_read_info(png, info);
    png_uint_32 w = 0, h = 0;
    int depth = 0, colourType = 0, interlace = 0;
    png_get_IHDR(png, info, &w, &h, &depth, &colourType, &interlace, nullptr, nullptr);
    if (interlace != PNG_INTERLACE_NONE || w == 0 || h == 0 || w > 1u << 15 || h > 1u << 15) {
        return false;
    }
    if (colourType == PNG_COLOR_TYPE_PALETTE) {
        png_set_palette_to_rgb(png);
    }
    if (colourType == PNG_COLOR_TYPE_GRAY && depth < 8) {
        png_set_expand_gray_1_2_4_to_8(png);
    }
    const bool transparentColour = png_get_valid(png, info, PNG_INFO_tRNS) != 0;
    if (transparentColour) {
        png_set_tRNS_to_alpha(png);
    }
    if (depth == 16) {
        png_set_strip_16(png);
    }
    if (colourType == PNG_COLOR_TYPE_GRAY || colourType == PNG_COLOR_TYPE_GRAY_ALPHA) {
        png_set_gray_to_rgb(png);
    }
    const bool alpha = (colourType & PNG_COLOR_MASK_ALPHA) != 0 || transparentColour;
#if SDL_BYTEORDER == SDL_LIL_ENDIAN
    // An ARGB word is the bytes B, G, R, A in memory.
    png_set_bgr(png);
    if (!alpha) {
        png_set_filler(png, 0xFF, PNG_FILLER_AFTER);
    }
#else
    // ... and A, R, G, B here.
    if (alpha) {
        png_set_swap_alpha(png);
    } else {
        png_set_filler(png, 0xFF, PNG_FILLER_BEFORE);
    }
#endif
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<png_size_t>(w) * 4) {
        return false;
    }
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    return true;
}

bool readOneRow(png_structp png, uint32_t* out) {
    if (setjmp(png_jmpbuf(png))) {
        return false;
    }
    png_read_row(png, reinterpret_cast<png_bytep>(out), nullptr);
    return true;
}

} // namespace

PngRows::~PngRows() {
    close();
}

void PngRows::close() {
    if (_png) {
        auto* png = static_cast<png_structp>(_png);
        auto* info = static_cast<png_infop>(_info);
        png_destroy_read_struct(&png, info ? &info : nullptr, nullptr);
    }
    if (_file) {
        SDL_RWclose(static_cast<SDL_RWops*>(_file));
    }
    _png = _info = _file = nullptr;
    _width = _height = 0;
}

bool PngRows::open(const std::string& fullPath) {
    close();
    _error.clear();
    // Through SDL's files, which take UTF-8 paths on every system.
    SDL_RWops* file = SDL_RWFromFile(fullPath.c_str(), "rb");
    if (!file) {
        _error = SDL_GetError();
        return false;
    }
    _file = file;
    png_byte signature[8] = {};
    if (SDL_RWread(file, signature, 1, sizeof signature) != sizeof signature ||
        png_sig_cmp(signature, 0, sizeof signature) != 0) {
        _error = "not a PNG file";
        close();
        return false;
    }
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &_error, &onError, &onWarning);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    _png = png;
    _info = info;
    if (!info) {
        _error = "out of memory";
        close();
        return false;
    }
    png_set_read_fn(png, file, &readBytes);
    if (!readHeader(png, info, &_width, &_height)) {
        if (_error.empty()) {
            _error = "an interlaced or unusual PNG";
        }
        close();
        return false;
    }
    return true;
}

bool PngRows::readRow(uint32_t* out) {
    if (!_png) {
        return false;
    }
    if (!readOneRow(static_cast<png_structp>(_png), out)) {
        close();
        return false;
    }
    return true;
}

} // namespace pictures
} // namespace cocos2d
