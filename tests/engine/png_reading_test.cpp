// The engine reads PNGs itself, a row at a time. Whatever their colour type, bit depth,
// transparency or interlacing, and whether read on the spot or ahead (packed as the rows come),
// they must come out exactly as SDL_image reads them; a file broken halfway is refused.
#include <SDL.h>
#include <SDL_image.h>
#include <png.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/EngineFixture.h"
#include "ext/Headless.h"

USING_NS_CC;

namespace {

struct PngKind {
    const char* name;
    int colourType;
    int depth;
    bool interlaced;
    bool transparency; // a tRNS chunk: palette alphas, or one transparent grey or colour
};

// A picture of bands (so it packs) in the given kind, written by libpng itself.
std::string writePng(const std::string& path, const PngKind& kind, int width, int height) {
    FILE* file = std::fopen(path.c_str(), "wb");
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), kind.depth,
                 kind.colourType, kind.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    const int levels = 1 << std::min(kind.depth, 8);
    std::vector<png_color> palette;
    std::vector<png_byte> alphas;
    if (kind.colourType == PNG_COLOR_TYPE_PALETTE) {
        for (int i = 0; i < levels; ++i) {
            palette.push_back(png_color{static_cast<png_byte>(i * 37), static_cast<png_byte>(255 - i * 11),
                                        static_cast<png_byte>(i * 90)});
            alphas.push_back(static_cast<png_byte>(i * 255 / (levels - 1)));
        }
        png_set_PLTE(png, info, palette.data(), levels);
        if (kind.transparency) {
            png_set_tRNS(png, info, alphas.data(), levels, nullptr);
        }
    } else if (kind.transparency) {
        png_color_16 key{};
        key.gray = 1;
        key.red = 1;
        key.green = 1;
        key.blue = 1;
        png_set_tRNS(png, info, nullptr, 0, &key);
    }
    png_write_info(png, info);
    const int channels = png_get_channels(png, info);
    const int bytesPerSample = kind.depth == 16 ? 2 : 1;
    std::vector<std::vector<png_byte>> rows(static_cast<size_t>(height));
    std::vector<png_bytep> rowPointers;
    for (int y = 0; y < height; ++y) {
        std::vector<int> samples;
        for (int x = 0; x < width; ++x) {
            for (int c = 0; c < channels; ++c) {
                // Bands, with the key value (1) among them; the low byte of 16-bit samples varies.
                const int band = (x / 6 + y / 5 + c * 3) % levels;
                samples.push_back(kind.depth == 16 ? band * 4099 % 65536 : band);
            }
        }
        std::vector<png_byte>& row = rows[static_cast<size_t>(y)];
        if (kind.depth < 8) {
            row.assign(static_cast<size_t>((width * kind.depth + 7) / 8), 0);
            for (int x = 0; x < width; ++x) {
                const int bit = x * kind.depth;
                row[static_cast<size_t>(bit / 8)] |=
                    static_cast<png_byte>(samples[static_cast<size_t>(x)] << (8 - kind.depth - bit % 8));
            }
        } else {
            for (int sample : samples) {
                if (bytesPerSample == 2) {
                    row.push_back(static_cast<png_byte>(sample >> 8));
                }
                row.push_back(static_cast<png_byte>(sample & 0xFF));
            }
        }
        rowPointers.push_back(row.data());
    }
    png_write_image(png, rowPointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
    return path;
}

// ARGB words of a surface, however it is laid out.
std::vector<Uint32> argbOf(const SDL_Surface* surface) {
    SDL_Surface* argb =
        SDL_ConvertSurfaceFormat(const_cast<SDL_Surface*>(surface), SDL_PIXELFORMAT_ARGB8888, 0);
    std::vector<Uint32> words;
    for (int y = 0; y < argb->h; ++y) {
        const auto* row =
            reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(argb->pixels) + y * argb->pitch);
        words.insert(words.end(), row, row + argb->w);
    }
    SDL_FreeSurface(argb);
    return words;
}

std::vector<Uint32> asSdlImageReadsIt(const std::string& path) {
    SDL_Surface* surface = IMG_Load(path.c_str());
    if (!surface) {
        return {};
    }
    std::vector<Uint32> words = argbOf(surface);
    SDL_FreeSurface(surface);
    return words;
}

// What a grey picture of writePng's bands with a transparent grey (the key, 1) is by the PNG
// rules: its grey levels spread over 0..255, see-through where the key is.
std::vector<Uint32> greyWithKey(int depth, int width, int height) {
    const int levels = 1 << depth;
    std::vector<Uint32> words;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int band = (x / 6 + y / 5) % levels;
            const auto grey = static_cast<Uint32>(band * 255 / (levels - 1));
            words.push_back((band == 1 ? 0u : 0xFF000000u) | grey << 16 | grey << 8 | grey);
        }
    }
    return words;
}

class PngReadingTest : public SceneFixture {
protected:
    TextureCache* cache() { return director()->getTextureCache(); }

    // The pixels of the picture read on the spot, and read ahead (packed on the loader thread
    // where it packs); both must be the reference's.
    void expectBothReads(const std::string& path, const std::vector<Uint32>& reference) {
        const std::string twin = path + ".ahead.png";
        std::filesystem::copy_file(path, twin, std::filesystem::copy_options::overwrite_existing);
        Texture2D* spot = cache()->addImage(path);
        ASSERT_NE(spot, nullptr) << path;
        EXPECT_EQ(argbOf(spot->getSurface()), reference) << path << " read on the spot";
        Texture2D* ahead = nullptr;
        cache()->addImageAsync(twin, [&ahead](Texture2D* texture) { ahead = texture; });
        cache()->waitForAsyncReads();
        step(1.0f / 60);
        ASSERT_NE(ahead, nullptr) << twin;
        EXPECT_EQ(argbOf(ahead->getSurface()), reference) << path << " read ahead";
    }
};

TEST_F(PngReadingTest, EveryKindOfPngReadsAsSdlImageReadsIt) {
    const PngKind kinds[] = {
        {"palette4_alpha", PNG_COLOR_TYPE_PALETTE, 4, false, true},
        {"palette8", PNG_COLOR_TYPE_PALETTE, 8, false, false},
        {"grey1", PNG_COLOR_TYPE_GRAY, 1, false, false},
        {"grey16", PNG_COLOR_TYPE_GRAY, 16, false, false},
        {"grey_alpha", PNG_COLOR_TYPE_GRAY_ALPHA, 8, false, false},
        {"rgb_key", PNG_COLOR_TYPE_RGB, 8, false, true},
        {"rgb16", PNG_COLOR_TYPE_RGB, 16, false, false},
        {"rgba", PNG_COLOR_TYPE_RGB_ALPHA, 8, false, false},
        {"rgba16", PNG_COLOR_TYPE_RGB_ALPHA, 16, false, false},
        {"rgba_interlaced", PNG_COLOR_TYPE_RGB_ALPHA, 8, true, false},
    };
    for (const PngKind& kind : kinds) {
        const std::string path = writePng(tempDir() + kind.name + ".png", kind, 61, 37);
        const std::vector<Uint32> reference = asSdlImageReadsIt(path);
        ASSERT_EQ(reference.size(), 61u * 37u) << kind.name;
        expectBothReads(path, reference);
    }
}

// SDL_image gives such pictures other colours altogether; the engine reads them by the rules.
TEST_F(PngReadingTest, AGreyPngWithATransparentGreyIsReadByTheRules) {
    for (int depth : {2, 8}) {
        const PngKind kind{"grey_key", PNG_COLOR_TYPE_GRAY, depth, false, true};
        const std::string path =
            writePng(tempDir() + "grey_key" + std::to_string(depth) + ".png", kind, 61, 37);
        expectBothReads(path, greyWithKey(depth, 61, 37));
    }
}

TEST_F(PngReadingTest, TheGamesOwnPicturesReadAsSdlImageReadsThem) {
    int count = 0;
    const std::filesystem::path resources = std::filesystem::path(SOLVANE_SOURCE_DIR) / "Resources";
    for (const auto& entry : std::filesystem::recursive_directory_iterator(resources)) {
        // One of each folder's kinds is enough: faces, backgrounds, icons, effects, tutorial.
        const std::string name = entry.path().filename().string();
        if (entry.path().extension() != ".png" || name.find('_') != std::string::npos) {
            continue;
        }
        const std::string path = tempDir() + "game_" + name;
        std::filesystem::copy_file(entry.path(), path, std::filesystem::copy_options::overwrite_existing);
        expectBothReads(path, asSdlImageReadsIt(path));
        ++count;
    }
    EXPECT_GE(count, 10);
}

// A file cut off halfway has a sound header: the rows run out. Neither read hands out a picture.
TEST_F(PngReadingTest, APngCutOffHalfwayIsRefusedEitherWay) {
    const PngKind kind{"cut", PNG_COLOR_TYPE_RGB_ALPHA, 8, false, false};
    const std::string whole = writePng(tempDir() + "whole.png", kind, 200, 200);
    std::ifstream in(whole, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    for (const char* name : {"cut_spot.png", "cut_ahead.png"}) {
        std::ofstream(tempDir() + name, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size() / 2));
    }
    EXPECT_EQ(cache()->addImage(tempDir() + "cut_spot.png"), nullptr);
    int calls = 0;
    Texture2D* ahead = nullptr;
    cache()->addImageAsync(tempDir() + "cut_ahead.png", [&](Texture2D* texture) {
        ahead = texture;
        ++calls;
    });
    cache()->waitForAsyncReads();
    step(1.0f / 60);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(ahead, nullptr);
}

} // namespace
