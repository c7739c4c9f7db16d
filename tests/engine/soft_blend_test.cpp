// Drawing into the software frame: the four-at-a-time paths give exactly what the pixel-at-a-time
// definition gives, that definition agrees with SDL's own blits, and boxes and walks stay inside
// the frame and the picture.
#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

#include "renderer/SoftBlend.h"

using namespace cocos2d::soft;

namespace {

// Pictures as games have them: runs of clear and opaque pixels with soft edges between.
std::vector<uint32_t> pictureRow(std::mt19937& random, int n) {
    std::vector<uint32_t> row(static_cast<size_t>(n));
    for (auto& p : row) {
        const uint32_t kind = random() % 4;
        const uint32_t alpha = kind == 0 ? 0 : kind == 1 ? 255 : random() % 256;
        p = alpha << 24 | (random() & 0xFFFFFFu);
    }
    return row;
}

std::vector<uint32_t> opaqueRow(std::mt19937& random, int n) {
    std::vector<uint32_t> row(static_cast<size_t>(n));
    for (auto& p : row) {
        p = 0xFF000000u | (random() & 0xFFFFFFu);
    }
    return row;
}

int channelDistance(uint32_t a, uint32_t b) {
    int worst = 0;
    for (int shift = 0; shift < 32; shift += 8) {
        worst = std::max(
            worst, std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)));
    }
    return worst;
}

TEST(SoftBlendTest, FourAtATimeMatchesThePixelDefinitionInEveryModeAndTint) {
    std::mt19937 random(7);
    const Tint tints[] = {Tint{}, Tint{255, 255, 255, 128}, Tint{255, 180, 90, 170}, Tint{0, 0, 0, 0}};
    for (Mode mode : {Mode::Copy, Mode::Blend, Mode::Add}) {
        for (const Tint& tint : tints) {
            for (bool mixed : {false, true}) {
                for (int n : {0, 1, 3, 4, 5, 64, 131}) {
                    const std::vector<uint32_t> source = pictureRow(random, n);
                    std::vector<uint32_t> fast = opaqueRow(random, n);
                    std::vector<uint32_t> slow = fast;
                    drawRow(fast.data(), source.data(), n, tint, mode, mixed);
                    drawRowReference(slow.data(), source.data(), n, tint, mode);
                    EXPECT_EQ(fast, slow)
                        << "mode " << static_cast<int>(mode) << " n " << n << " tint a " << int(tint.a);
                }
            }
        }
    }
}

// The definition is SDL's: a surface blitted with blending, colour and alpha modulation onto an
// opaque one, or added onto it, gives the same pixels to within a step of rounding.
TEST(SoftBlendTest, ThePixelDefinitionAgreesWithSDLsOwnBlits) {
    std::mt19937 random(11);
    const int n = 256;
    const std::vector<uint32_t> source = pictureRow(random, n);
    const std::vector<uint32_t> frame = opaqueRow(random, n);
    struct Case {
        SDL_BlendMode sdl;
        Mode ours;
        Tint tint;
    };
    for (const Case& c :
         {Case{SDL_BLENDMODE_BLEND, Mode::Blend, Tint{}},
          Case{SDL_BLENDMODE_BLEND, Mode::Blend, Tint{200, 120, 255, 150}},
          Case{SDL_BLENDMODE_ADD, Mode::Add, Tint{}}, Case{SDL_BLENDMODE_NONE, Mode::Copy, Tint{}}}) {
        std::vector<uint32_t> src = source, sdl = frame, ours = frame;
        SDL_Surface* from =
            SDL_CreateRGBSurfaceWithFormatFrom(src.data(), n, 1, 32, n * 4, SDL_PIXELFORMAT_ARGB8888);
        SDL_Surface* to =
            SDL_CreateRGBSurfaceWithFormatFrom(sdl.data(), n, 1, 32, n * 4, SDL_PIXELFORMAT_ARGB8888);
        SDL_SetSurfaceBlendMode(from, c.sdl);
        SDL_SetSurfaceColorMod(from, c.tint.r, c.tint.g, c.tint.b);
        SDL_SetSurfaceAlphaMod(from, c.tint.a);
        ASSERT_EQ(SDL_BlitSurface(from, nullptr, to, nullptr), 0);
        SDL_FreeSurface(from);
        SDL_FreeSurface(to);
        drawRow(ours.data(), source.data(), n, c.tint, c.ours);
        int worst = 0;
        for (int i = 0; i < n; ++i) {
            // The frame's own alpha is SDL's business (it rounds it down); colours must agree.
            worst = std::max(worst, channelDistance(ours[i] & 0xFFFFFFu, sdl[i] & 0xFFFFFFu));
        }
        EXPECT_LE(worst, 2) << "SDL blend mode " << c.sdl;
    }
}

struct Canvas {
    std::vector<uint32_t> pixels;
    Pixels view;
    Canvas(int w, int h, uint32_t fill)
        : pixels(static_cast<size_t>(w * h), fill), view{pixels.data(), w * 4, w, h} {}
    uint32_t at(int x, int y) const { return pixels[static_cast<size_t>(y * view.width + x)]; }
};

// A 4x2 picture with every pixel its own colour: column c, row r is 0xFF0000rc.
Canvas numbered() {
    Canvas picture(4, 2, 0);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x) {
            picture.pixels[static_cast<size_t>(y * 4 + x)] = 0xFF000000u | static_cast<uint32_t>(y << 4 | x);
        }
    }
    return picture;
}

TEST(SoftBlendTest, ABoxIsSampledAtTheNearestPixelAndClippedToTheFrame) {
    const Canvas picture = numbered();
    std::vector<uint32_t> scratch;
    // Doubled: each picture pixel covers two by two frame pixels.
    Canvas frame(10, 6, 0xFF123456u);
    drawBox(frame.view, picture.view, {0, 0, 4, 2}, {1, 1, 8, 4}, Tint{}, Mode::Copy, scratch);
    EXPECT_EQ(frame.at(1, 1), 0xFF000000u);
    EXPECT_EQ(frame.at(2, 2), 0xFF000000u);
    EXPECT_EQ(frame.at(3, 1), 0xFF000001u);
    EXPECT_EQ(frame.at(8, 4), 0xFF000013u);
    EXPECT_EQ(frame.at(0, 0), 0xFF123456u) << "outside the box";
    EXPECT_EQ(frame.at(9, 5), 0xFF123456u) << "outside the box";
    // Hanging off every edge of the frame: what lands inside is the right part, nothing else moves.
    Canvas small(3, 2, 0xFF123456u);
    drawBox(small.view, picture.view, {0, 0, 4, 2}, {-2, -1, 8, 4}, Tint{}, Mode::Copy, scratch);
    EXPECT_EQ(small.at(0, 0), 0xFF000001u);
    EXPECT_EQ(small.at(2, 0), 0xFF000002u);
    EXPECT_EQ(small.at(0, 1), 0xFF000011u);
    // Entirely outside or empty: nothing drawn.
    Canvas untouched(3, 2, 0xFF123456u);
    drawBox(untouched.view, picture.view, {0, 0, 4, 2}, {5, 5, 4, 2}, Tint{}, Mode::Copy, scratch);
    drawBox(untouched.view, picture.view, {0, 0, 0, 2}, {0, 0, 3, 2}, Tint{}, Mode::Copy, scratch);
    EXPECT_EQ(untouched.pixels, std::vector<uint32_t>(6, 0xFF123456u));
    // A sub-box of the picture (a particle's cell): only its pixels are shown.
    Canvas cell(2, 1, 0);
    drawBox(cell.view, picture.view, {2, 1, 2, 1}, {0, 0, 2, 1}, Tint{}, Mode::Copy, scratch);
    EXPECT_EQ(cell.at(0, 0), 0xFF000012u);
    EXPECT_EQ(cell.at(1, 0), 0xFF000013u);
}

TEST(SoftBlendTest, AWalkSamplesAlongItsStepAndNeverLeavesThePicture) {
    const Canvas picture = numbered();
    // Down-right one pixel per step from (0.5, 0.5) (16.16 fixed point).
    Canvas row(4, 1, 0);
    drawWalk(row.view.row(0), 4, picture.view, Walk{1 << 15, 1 << 15, 1 << 16, 1 << 16}, Tint{}, Mode::Copy);
    EXPECT_EQ(row.at(0, 0), 0xFF000000u);
    EXPECT_EQ(row.at(1, 0), 0xFF000011u);
    EXPECT_EQ(row.at(2, 0), 0xFF000012u) << "clamped to the last row";
    EXPECT_EQ(row.at(3, 0), 0xFF000013u);
    // Far outside on both sides, for long enough to use the four-at-a-time path: clamped to the
    // nearest edge pixel, never read beyond the picture (AddressSanitizer would see it).
    Canvas wide(12, 1, 0);
    drawWalk(wide.view.row(0), 12, picture.view, Walk{-(40 << 16), 9 << 16, 9 << 16, -(2 << 16)}, Tint{},
             Mode::Copy);
    EXPECT_EQ(wide.at(0, 0), 0xFF000010u);
    EXPECT_EQ(wide.at(11, 0), 0xFF000003u);
    // Blending along a walk is the row definition applied to the sampled pixels.
    std::mt19937 random(3);
    Canvas soft(64, 64, 0);
    for (size_t i = 0; i < soft.pixels.size(); ++i) {
        soft.pixels[i] = pictureRow(random, 1)[0];
    }
    std::vector<uint32_t> walked = opaqueRow(random, 37), expected = walked, sampled(37);
    const Walk walk{3 << 16, 60 << 16, 45000, -70000};
    drawWalk(walked.data(), 37, soft.view, walk, Tint{255, 200, 100, 180}, Mode::Blend);
    for (int i = 0; i < 37; ++i) {
        const int u = std::clamp((walk.u + i * walk.du) >> 16, 0, 63),
                  t = std::clamp((walk.t + i * walk.dt) >> 16, 0, 63);
        sampled[static_cast<size_t>(i)] = soft.at(u, t);
    }
    drawRowReference(expected.data(), sampled.data(), 37, Tint{255, 200, 100, 180}, Mode::Blend);
    EXPECT_EQ(walked, expected);
}

// A picture of one colour walked through its alpha alone draws what the same picture written
// out in full draws: every mode and tint, odd lengths, walks leaving the picture on any side.
TEST(SoftBlendTest, AOneColourPictureWalkedByItsAlphaDrawsAsTheFullPicture) {
    std::mt19937 random(11);
    constexpr int kWidth = 37, kHeight = 23;
    const uint32_t rgb = 0x3A7FD2u;
    std::vector<uint8_t> alpha(kWidth * kHeight);
    Canvas full(kWidth, kHeight, 0);
    for (size_t i = 0; i < alpha.size(); ++i) {
        const uint32_t kind = random() % 3;
        alpha[i] = static_cast<uint8_t>(kind == 0 ? 0 : kind == 1 ? 255 : random() % 256);
        full.pixels[i] = static_cast<uint32_t>(alpha[i]) << 24 | rgb;
    }
    const AlphaPixels byAlpha{alpha.data(), kWidth, kHeight, rgb};
    for (Mode mode : {Mode::Copy, Mode::Blend, Mode::Add}) {
        for (const Tint tint : {Tint{}, Tint{200, 100, 255, 140}}) {
            for (int trial = 0; trial < 20; ++trial) {
                const int n = 1 + static_cast<int>(random() % 61);
                const Walk walk{static_cast<int32_t>(random() % (60 << 16)) - (10 << 16),
                                static_cast<int32_t>(random() % (40 << 16)) - (8 << 16),
                                static_cast<int32_t>(random() % 150000) - 75000,
                                static_cast<int32_t>(random() % 150000) - 75000};
                std::vector<uint32_t> viaAlpha = opaqueRow(random, n), viaFull = viaAlpha;
                drawWalk(viaAlpha.data(), n, byAlpha, walk, tint, mode);
                drawWalk(viaFull.data(), n, full.view, walk, tint, mode);
                ASSERT_EQ(viaAlpha, viaFull) << "mode " << static_cast<int>(mode) << " trial " << trial;
            }
        }
    }
}

} // namespace

namespace {

// A picture of runs (flat stretches of clear, opaque and soft pixels), and its runs.
std::vector<uint32_t> runsOf(const std::vector<uint32_t>& pixels) {
    std::vector<uint32_t> runs;
    for (uint32_t p : pixels) {
        if (!runs.empty() && runs.back() == p) {
            ++runs[runs.size() - 2];
        } else {
            runs.push_back(1);
            runs.push_back(p);
        }
    }
    return runs;
}

} // namespace

// A packed picture drawn at its own size lands exactly as the same picture written out would:
// every mode and tint, boxes inside the picture, boxes hanging off every side of the frame.
TEST(SoftBlendTest, APackedPictureDrawsAsThePictureWrittenOut) {
    std::mt19937 random(7);
    const int width = 37, height = 23;
    Canvas picture(width, height, 0);
    const std::vector<uint32_t> noise = pictureRow(random, width * height);
    std::copy(noise.begin(), noise.end(), picture.pixels.begin());
    // Flat stretches, as painted pictures have them.
    for (size_t i = 1; i < picture.pixels.size(); ++i) {
        if (random() % 3 != 0) {
            picture.pixels[i] = picture.pixels[i - 1];
        }
    }
    const std::vector<uint32_t> runs = runsOf(picture.pixels);
    const PackedPixels packed{runs.data(), runs.size(), width, height};
    const Box boxes[][2] = {
        {{0, 0, width, height}, {5, 4, width, height}},   // whole, inside
        {{0, 0, width, height}, {-9, -6, width, height}}, // off the top left
        {{0, 0, width, height}, {30, 20, width, height}}, // off the bottom right
        {{3, 5, 11, 7}, {2, 2, 11, 7}},                   // a part of it
        {{20, 10, 17, 13}, {-4, 25, 17, 13}},             // a part, partly off the bottom
    };
    const Tint tints[] = {Tint{}, Tint{255, 128, 64, 255}, Tint{255, 255, 255, 100}};
    std::vector<uint32_t> scratch;
    for (Mode mode : {Mode::Copy, Mode::Blend, Mode::Add}) {
        for (const Tint& tint : tints) {
            for (const auto& box : boxes) {
                Canvas expected(40, 32, 0x80402010u);
                Canvas drawn(40, 32, 0x80402010u);
                drawBox(expected.view, picture.view, box[0], box[1], tint, mode, scratch);
                drawPackedBox(drawn.view, packed, box[0], box[1], tint, mode, scratch);
                ASSERT_EQ(drawn.pixels, expected.pixels)
                    << "mode " << static_cast<int>(mode) << " box " << box[0].x << "," << box[0].y << " to "
                    << box[1].x << "," << box[1].y << " tint alpha " << int(tint.a);
            }
        }
    }
    // Another size is not a packed draw: nothing is drawn.
    Canvas untouched(40, 32, 0x80402010u);
    drawPackedBox(untouched.view, packed, {0, 0, width, height}, {0, 0, 2 * width, height}, Tint{},
                  Mode::Copy, scratch);
    EXPECT_EQ(untouched.pixels, std::vector<uint32_t>(40 * 32, 0x80402010u));
}
