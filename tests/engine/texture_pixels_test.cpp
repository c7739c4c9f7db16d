// Where a picture's pixels live: once in the renderer after upload, packed or let go when no
// longer drawn, and read back unchanged when drawn again. What the frame shows never changes.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdlib>
#include <string>

#include "engine/EngineFixture.h"
#include "ext/Headless.h"

USING_NS_CC;

namespace {

constexpr float kFrame = 1.0f / 60;

// 0xRRGGBBAA straight alpha.
struct Rgba {
    Uint8 r, g, b, a;
};

// A PNG saved from RGBA bytes (as a paint program writes them): the top half a colour ramp in
// bands 8 pixels wide, the bottom half see-through at `alpha`, a see-through rim on the left.
std::string writePicture(const std::string& path, int width, int height, Uint8 alpha) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Uint8 a = x == 0 ? 90 : y < height / 2 ? 255 : alpha;
            const auto r = static_cast<Uint8>(200), g = static_cast<Uint8>((x / 8 * 8 * 255) / width),
                       b = static_cast<Uint8>(y < height / 2 ? 30 : 160);
            auto* pixel = static_cast<Uint8*>(surface->pixels) + y * surface->pitch + x * 4;
            pixel[0] = r;
            pixel[1] = g;
            pixel[2] = b;
            pixel[3] = a;
        }
    }
    IMG_SavePNG(surface, path.c_str());
    SDL_FreeSurface(surface);
    return path;
}

// What writePicture's pixel (x, y) looks like drawn over black.
unsigned int overBlack(int x, int y, int width, int height, Uint8 alpha) {
    const unsigned a = x == 0 ? 90 : y < height / 2 ? 255 : alpha;
    const unsigned r = 200, g = static_cast<unsigned>((x / 8 * 8 * 255) / width),
                   b = y < height / 2 ? 30 : 160;
    return (r * a / 255) << 24 | (g * a / 255) << 16 | (b * a / 255) << 8 | 0xFF;
}

bool near(unsigned int a, unsigned int b, int tolerance = 2) {
    for (int shift = 8; shift < 32; shift += 8) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) >
            tolerance) {
            return false;
        }
    }
    return true;
}

class TexturePixelsTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        scene = Scene::create();
        director()->runWithScene(scene);
    }
    Sprite* show(const std::string& path, float x, float y) {
        Sprite* sprite = Sprite::create(path);
        sprite->setAnchorPoint(Vec2::ZERO);
        sprite->setPosition(x, y);
        scene->addChild(sprite);
        return sprite;
    }
    // Pictures gone idle are packed on the loader thread: waits for it, then runs the frame
    // that hands the packed pixels back.
    void stepPacked() {
        director()->getTextureCache()->waitForAsyncReads();
        step(kFrame);
    }
    // Frame pixels over the sprite's area at the design's 1:1 scale (y down from the top).
    int mismatches(float left, float bottom, int width, int height, Uint8 alpha) {
        int wrong = 0;
        for (int y = 0; y < height; y += 3) {
            for (int x = 0; x < width; x += 5) {
                const int frameX = static_cast<int>(left) + x;
                const int frameY = 720 - static_cast<int>(bottom) - height + y;
                wrong += near(pixel(frameX, frameY), overBlack(x, y, width, height, alpha)) ? 0 : 1;
            }
        }
        return wrong;
    }
    Scene* scene = nullptr;
};

TEST_F(TexturePixelsTest, APictureIsHeldOnceAndLooksTheSameWhetherKeptPackedOrReadAgain) {
    const std::string path = writePicture(tempDir() + "ramp.png", 120, 80, 128);
    show(path, 100, 100);
    step(kFrame);
    Texture2D* texture = director()->getTextureCache()->addImage(path);
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(mismatches(100, 100, 120, 80, 128), 0) << "colours and alpha as saved";
    EXPECT_TRUE(texture->isPacked()) << "read packed, drawn at its own size from its runs";
    ASSERT_NE(texture->getSurface(), nullptr) << "unpacked when its pixels are asked for";
    EXPECT_EQ(texture->getPixelBytes(), 120u * 80u * 4u) << "one copy";
    step(kFrame);
    EXPECT_EQ(mismatches(100, 100, 120, 80, 128), 0) << "drawn from the unpacked pixels";

    ASSERT_TRUE(texture->releasePixels(true));
    EXPECT_TRUE(texture->isPacked());
    EXPECT_LT(texture->getPixelBytes(), 120u * 80u * 4u / 2);
    step(kFrame);
    EXPECT_EQ(mismatches(100, 100, 120, 80, 128), 0) << "drawn from the runs again";
    EXPECT_TRUE(texture->isPacked());

    ASSERT_TRUE(texture->releasePixels(false));
    EXPECT_FALSE(texture->holdsPixels());
    EXPECT_EQ(texture->getPixelsWide(), 120) << "the size stays known";
    const long long decodes = ext::pictureDecodeCount();
    step(kFrame);
    EXPECT_EQ(mismatches(100, 100, 120, 80, 128), 0) << "read from the file again";
    EXPECT_EQ(ext::pictureDecodeCount(), decodes + 1);
    EXPECT_EQ(director()->getTextureCache()->addImage(path), texture) << "still the cached texture";
}

// Noise has no runs to pack: such a picture is let go rather than kept at twice its size.
TEST_F(TexturePixelsTest, APictureThatDoesNotPackIsLetGoInstead) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 50, 50, 32, SDL_PIXELFORMAT_RGBA32);
    auto* bytes = static_cast<Uint8*>(surface->pixels);
    for (int i = 0; i < surface->pitch * 50; ++i) {
        bytes[i] = static_cast<Uint8>(i * 7919 % 251);
    }
    const std::string path = tempDir() + "noise.png";
    IMG_SavePNG(surface, path.c_str());
    SDL_FreeSurface(surface);
    Sprite* sprite = show(path, 0, 0);
    step(kFrame);
    const unsigned int before = pixel(10, 700);
    Texture2D* texture = sprite->getTexture();
    ASSERT_TRUE(texture->releasePixels(true));
    EXPECT_FALSE(texture->holdsPixels());
    step(kFrame);
    EXPECT_EQ(pixel(10, 700), before);
}

TEST_F(TexturePixelsTest, PicturesMadeInMemoryKeepTheirPixels) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 8, 8, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_FillRect(surface, nullptr, 0xFF336699u);
    auto* texture = new Texture2D();
    ASSERT_TRUE(texture->initWithSurface(surface));
    texture->autorelease();
    Sprite* sprite = Sprite::createWithTexture(texture);
    sprite->setPosition(640, 360);
    scene->addChild(sprite);
    step(kFrame);
    EXPECT_FALSE(texture->releasePixels(true)) << "no file to read them from again";
    EXPECT_TRUE(texture->holdsPixels());
    EXPECT_EQ(pixel(640, 360), 0x336699FFu);
}

TEST_F(TexturePixelsTest, PicturesOffScreenArePackedThenTheLeastRecentLetGoAndANewSceneKeepsItsOwn) {
    const std::string a = writePicture(tempDir() + "a.png", 64, 64, 200);
    const std::string b = writePicture(tempDir() + "b.png", 64, 64, 100);
    const std::string c = writePicture(tempDir() + "c.png", 64, 64, 50);
    Sprite* first = show(a, 0, 0);
    step(kFrame);
    Sprite* second = show(b, 100, 0);
    step(kFrame);
    show(c, 200, 0);
    step(kFrame);
    TextureCache* cache = director()->getTextureCache();
    Texture2D* ta = cache->addImage(a);
    Texture2D* tb = cache->addImage(b);
    Texture2D* tc = cache->addImage(c);
    first->removeFromParent();
    second->setVisible(false);
    step(kFrame, 3);
    stepPacked();
    EXPECT_TRUE(ta->isPacked());
    EXPECT_TRUE(tb->isPacked());
    EXPECT_TRUE(tc->holdsPixels()) << "on screen";

    // Room for one packed picture: the more recently drawn (b) stays.
    const unsigned now = director()->getTotalFrames();
    cache->releaseIdlePixels(now, tb->getPixelBytes());
    EXPECT_FALSE(ta->holdsPixels());
    EXPECT_TRUE(tb->isPacked());
    second->setVisible(true);
    step(kFrame);
    EXPECT_EQ(mismatches(100, 0, 64, 64, 100), 0);

    // The next scene's picture, loaded before the change, is kept; the old scene's go.
    const std::string d = writePicture(tempDir() + "d.png", 64, 64, 255);
    Scene* next = Scene::create();
    Sprite* shown = Sprite::create(d);
    shown->setAnchorPoint(Vec2::ZERO);
    next->addChild(shown);
    director()->replaceScene(next);
    step(kFrame);
    EXPECT_TRUE(cache->addImage(d)->holdsPixels());
    EXPECT_EQ(mismatches(0, 0, 64, 64, 255), 0);
    step(kFrame, 2);
    EXPECT_FALSE(tb->holdsPixels());
    EXPECT_FALSE(tc->holdsPixels());
    EXPECT_EQ(cache->getTextureCount(), 4u) << "textures stay cached; only their pixels went";
}

// A 1280x720 background whose PNG has see-through pixels, drawn first at its own size, lands
// exactly as blending it over the cleared frame would, without a copy of it being made (from
// its runs while it is held packed, from its pixels once they are unpacked); what is drawn over
// it still blends with it.
TEST_F(TexturePixelsTest, ASeeThroughFullFrameBackgroundLandsAsIfBlendedOverBlack) {
    const std::string path = writePicture(tempDir() + "background.png", 1280, 720, 77);
    Sprite* background = show(path, 0, 0);
    for (int frame = 0; frame < 3; ++frame) {
        step(kFrame);
        EXPECT_EQ(mismatches(0, 0, 1280, 720, 77), 0) << "frame " << frame;
    }
    EXPECT_TRUE(background->getTexture()->isPacked());
    ASSERT_NE(background->getTexture()->getSurface(), nullptr);
    for (int frame = 0; frame < 2; ++frame) {
        step(kFrame);
        EXPECT_EQ(mismatches(0, 0, 1280, 720, 77), 0) << "unpacked, frame " << frame;
    }
    EXPECT_EQ(background->getTexture()->getPixelBytes(), 1280u * 720u * 4u);
    Sprite* panel = Sprite::create();
    panel->setTextureRect(Rect(0, 0, 40, 40));
    panel->setColor(Color3B(0, 0, 255));
    panel->setOpacity(128);
    panel->setPosition(640, 100);
    scene->addChild(panel);
    step(kFrame);
    const unsigned int under = overBlack(640, 620, 1280, 720, 77);
    const unsigned int blended = pixel(640, 620);
    EXPECT_NEAR(static_cast<int>(blended >> 8 & 0xFF), static_cast<int>(((under >> 8 & 0xFF) + 255) / 2), 2);
    EXPECT_NEAR(static_cast<int>(blended >> 24), static_cast<int>((under >> 24) / 2), 2);
}

// A scaled picture fading in is drawn each frame at that frame's opacity, also once an untinted
// copy at its size stands in for SDL's scaling.
TEST_F(TexturePixelsTest, AScaledPictureFadingInFollowsItsOpacityEveryFrame) {
    const std::string path = writePicture(tempDir() + "fade.png", 60, 40, 255);
    Sprite* sprite = show(path, 200, 200);
    sprite->setScale(3.0f);
    for (int opacity = 20; opacity <= 255; opacity += 47) {
        sprite->setOpacity(static_cast<GLubyte>(opacity));
        step(kFrame);
        // Well inside the opaque top half, away from scaling's blur at the edges.
        const unsigned int seen = pixel(200 + 90, 720 - 200 - 120 + 20);
        const unsigned int full = overBlack(30, 6, 60, 40, 255);
        EXPECT_NEAR(static_cast<int>(seen >> 24), static_cast<int>((full >> 24) * opacity / 255), 3)
            << "opacity " << opacity;
        EXPECT_NEAR(static_cast<int>(seen >> 8 & 0xFF), static_cast<int>((full >> 8 & 0xFF) * opacity / 255),
                    3)
            << "opacity " << opacity;
    }
}

} // namespace

namespace {

// A portrait shown small (a heroine beside an answer) is drawn from its copy at that size: its
// full-size pixels are packed meanwhile, and the frame doesn't change. Shown at full size again,
// the picture is unpacked and drawn as before.
TEST_F(TexturePixelsTest, APictureDrawnOnlySmallKeepsItsFullSizePixelsPacked) {
    const std::string path = writePicture(tempDir() + "portrait.png", 240, 160, 255);
    Sprite* sprite = show(path, 100, 100);
    sprite->setScale(0.5f);
    step(kFrame);
    Texture2D* texture = director()->getTextureCache()->addImage(path);
    ASSERT_NE(texture, nullptr);
    const size_t full = 240u * 160u * 4u;
    step(kFrame, 2); // the copy at the drawn size is made once the size holds
    const unsigned int shownSmall = pixel(130, 720 - 100 - 20);
    step(kFrame, 3);
    stepPacked();
    EXPECT_TRUE(texture->isPacked()) << "the full-size pixels";
    EXPECT_TRUE(texture->holdsPixels()) << "and the small copy";
    EXPECT_LT(texture->getPixelBytes(), full / 4 + full / 3) << "the copy (a quarter) and the packed pixels";
    EXPECT_EQ(pixel(130, 720 - 100 - 20), shownSmall) << "the frame is unchanged";

    sprite->setScale(1.0f);
    step(kFrame);
    EXPECT_EQ(mismatches(100, 100, 240, 160, 255), 0) << "unpacked at full size";
}

} // namespace

namespace {

// A picture gone off screen is packed on the loader thread, not in a frame. Shown again before
// its packed pixels come back, it takes its pixels back whole; once they came back packed, it is
// unpacked into the memory another picture of its size left. Neither reads the file again.
TEST_F(TexturePixelsTest, PicturesOffScreenArePackedAwayFromTheFrameWithoutReadingTheirFileAgain) {
    const std::string a = writePicture(tempDir() + "first.png", 320, 180, 128);
    const std::string b = writePicture(tempDir() + "second.png", 320, 180, 60);
    Sprite* first = show(a, 100, 100);
    step(kFrame);
    Texture2D* texture = first->getTexture();
    const long long decodes = ext::pictureDecodeCount();

    first->setVisible(false);
    step(kFrame, 3); // idle: handed to the loader thread (maybe packed already)
    first->setVisible(true);
    step(kFrame);
    EXPECT_EQ(mismatches(100, 100, 320, 180, 128), 0) << "back on screen, whichever way it came back";

    first->setVisible(false);
    step(kFrame, 3);
    stepPacked();
    ASSERT_TRUE(texture->isPacked());
    // The second picture, unpacked and put away in turn, leaves its memory to the first.
    Sprite* second = show(b, 100, 100);
    for (int round = 0; round < 2; ++round) {
        second->setVisible(false);
        step(kFrame, 3);
        stepPacked();
        ASSERT_TRUE(second->getTexture()->isPacked());
        second->setVisible(true);
        step(kFrame);
    }
    const void* secondPixels = second->getTexture()->getSurface()->pixels;
    second->setVisible(false);
    step(kFrame, 3);
    stepPacked();
    first->setVisible(true);
    step(kFrame);
    EXPECT_EQ(mismatches(100, 100, 320, 180, 128), 0) << "unpacked";
    EXPECT_EQ(texture->getSurface()->pixels, secondPixels) << "into the memory the second one left";
    EXPECT_EQ(ext::pictureDecodeCount(), decodes + 1) << "only the second picture was read";
}

} // namespace

namespace {

std::string writeInk(const std::string& path, Uint8 cornerBlue) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 160, 160, 32, SDL_PIXELFORMAT_RGBA32);
    for (int y = 0; y < 160; ++y) {
        for (int x = 0; x < 160; ++x) {
            auto* p = static_cast<Uint8*>(surface->pixels) + y * surface->pitch + x * 4;
            const bool corner = x == 0 && y == 0;
            p[0] = corner && cornerBlue ? 0 : 250;
            p[1] = corner && cornerBlue ? 0 : 220;
            p[2] = corner && cornerBlue ? cornerBlue : 40;
            p[3] = corner ? 0 : static_cast<Uint8>((x / 16 * 20 + y / 40 * 60) % 256);
        }
    }
    IMG_SavePNG(surface, path.c_str());
    SDL_FreeSurface(surface);
    return path;
}

// A picture in one ink (the focus lines) drawn turned is walked through its alpha alone: it
// looks exactly as a picture of more than one colour with the same visible pixels does, and its
// full pixels are packed meanwhile.
TEST_F(TexturePixelsTest, APictureInOneInkDrawnTurnedLooksTheSameAndKeepsItsFullPixelsPacked) {
    const std::string inkPath = writeInk(tempDir() + "ink.png", 0);
    const std::string mixedPath = writeInk(tempDir() + "mixed.png", 255); // one clear pixel in blue
    const auto frameNear = [this]() {
        std::vector<unsigned int> pixels;
        for (int y = 250; y < 470; y += 2) {
            for (int x = 530; x < 750; ++x) {
                pixels.push_back(pixel(x, y));
            }
        }
        return pixels;
    };
    Sprite* mixed = show(mixedPath, 560, 280);
    mixed->setRotation(25.0f);
    step(kFrame);
    const std::vector<unsigned int> expected = frameNear();
    mixed->setVisible(false);
    Sprite* ink = show(inkPath, 560, 280);
    ink->setRotation(25.0f);
    step(kFrame);
    EXPECT_EQ(frameNear(), expected);

    step(kFrame, 3);
    stepPacked();
    Texture2D* texture = ink->getTexture();
    EXPECT_TRUE(texture->isPacked()) << "the full pixels";
    EXPECT_LT(texture->getPixelBytes(), 160u * 160u * 2u) << "the alpha (a quarter) and the packed pixels";
    EXPECT_EQ(frameNear(), expected);

    // Held packed when it comes on screen again (read ahead, or packed since): its alpha is read
    // from the packed pixels, which stay packed.
    ink->removeFromParent();
    step(kFrame, 3);
    director()->getTextureCache()->releaseIdlePixels(director()->getTotalFrames(), 1u << 20);
    ASSERT_TRUE(texture->isPacked());
    EXPECT_LT(texture->getPixelBytes(), 160u * 160u) << "off screen, the alpha copy goes too";
    Sprite* again = Sprite::createWithTexture(texture);
    again->setAnchorPoint(Vec2::ZERO);
    again->setPosition(560, 280);
    again->setRotation(25.0f);
    scene->addChild(again);
    step(kFrame);
    EXPECT_TRUE(texture->isPacked()) << "never unpacked";
    EXPECT_EQ(frameNear(), expected);
}

} // namespace

namespace {

// The frame is cleared before anything is drawn into it, unless the first picture drawn covers
// all of it opaquely: whatever a frame draws, nothing of an earlier frame shows through.
TEST_F(TexturePixelsTest, NothingOfAnEarlierFrameShowsThrough) {
    const std::string path = tempDir() + "opaque.png";
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 1280, 720, 24, SDL_PIXELFORMAT_RGB24);
    for (int y = 0; y < 720; ++y) {
        auto* row = static_cast<Uint8*>(surface->pixels) + y * surface->pitch;
        for (int x = 0; x < 1280; ++x) {
            row[3 * x] = static_cast<Uint8>(x / 40 * 8);
            row[3 * x + 1] = static_cast<Uint8>(y / 40 * 14);
            row[3 * x + 2] = 200;
        }
    }
    IMG_SavePNG(surface, path.c_str());
    SDL_FreeSurface(surface);
    const auto band = [](int x, int y) {
        return static_cast<unsigned>(x / 40 * 8) << 24 | static_cast<unsigned>(y / 40 * 14) << 16 |
               200u << 8 | 0xFFu;
    };
    Sprite* background = show(path, 0, 0);
    for (int frame = 0; frame < 2; ++frame) {
        step(kFrame);
        EXPECT_EQ(pixel(0, 0), band(0, 0));
        EXPECT_EQ(pixel(1279, 719), band(1279, 719));
        EXPECT_EQ(pixel(600, 300), band(600, 300));
    }
    // Moved right, it leaves a strip on the left: black, not the last frame's bands.
    background->setPosition(100, 0);
    step(kFrame);
    EXPECT_EQ(pixel(50, 300), 0x000000FFu);
    EXPECT_EQ(pixel(600, 300), band(500, 300));
    // Nothing drawn at all: a black frame.
    background->setVisible(false);
    step(kFrame);
    EXPECT_EQ(pixel(600, 300), 0x000000FFu);
    EXPECT_EQ(pixel(1279, 0), 0x000000FFu);
}

} // namespace
