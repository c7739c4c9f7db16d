// The software renderer's own paths for what SDL draws slowly: pictures drawn scaled, tinted or
// faded come from a copy made at that look once it holds for two frames (what the frame shows
// must not change when that happens), and large turned pictures are mapped pixel by pixel.
#include <SDL.h>

#include <cstdlib>
#include <vector>

#include "engine/EngineFixture.h"

USING_NS_CC;

namespace {

// A 64x32 gradient, half of it see-through, so scaling, tinting and blending all show.
Texture2D* gradientTexture() {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 64, 32, 32, SDL_PIXELFORMAT_ARGB8888);
    for (int y = 0; y < 32; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < 64; ++x) {
            const Uint32 alpha = x < 32 ? 255 : 128;
            row[x] = alpha << 24 | static_cast<Uint32>(x * 4) << 16 | static_cast<Uint32>(y * 8) << 8 | 200u;
        }
    }
    auto* texture = new Texture2D();
    texture->initWithSurface(surface);
    texture->autorelease();
    return texture;
}

bool close(unsigned int a, unsigned int b) {
    for (int shift = 8; shift < 32; shift += 8) {
        if (std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF)) > 3) {
            return false;
        }
    }
    return true;
}

class RenderScaledCopyTest : public EngineFixture {
protected:
    std::vector<unsigned int> grid() {
        std::vector<unsigned int> pixels;
        for (int y = 250; y < 470; y += 7) {
            for (int x = 500; x < 780; x += 5) {
                pixels.push_back(pixel(x, y));
            }
        }
        return pixels;
    }
};

TEST_F(RenderScaledCopyTest, AScaledTintedFadedPictureLooksTheSameFromItsCopy) {
    Scene* scene = Scene::create();
    director()->runWithScene(scene);
    // A backdrop the faded half blends over.
    Sprite* backdrop = Sprite::create();
    backdrop->setTextureRect(Rect(0, 0, 1280, 720));
    backdrop->setColor(Color3B(20, 90, 40));
    backdrop->setAnchorPoint(Vec2::ZERO);
    scene->addChild(backdrop);
    Sprite* picture = Sprite::createWithTexture(gradientTexture());
    picture->setPosition(640, 360);
    picture->setScale(3.5f, 5.25f);
    picture->setColor(Color3B(255, 180, 90));
    picture->setOpacity(170);
    scene->addChild(picture);

    step(1.0f / 60); // first sight: drawn directly
    const std::vector<unsigned int> direct = grid();
    step(1.0f / 60, 2); // the same look again: drawn from the copy
    const std::vector<unsigned int> copied = grid();
    ASSERT_EQ(direct.size(), copied.size());
    int differing = 0;
    for (size_t i = 0; i < direct.size(); ++i) {
        differing += close(direct[i], copied[i]) ? 0 : 1;
    }
    EXPECT_EQ(differing, 0);

    // A zoom in progress changes size every frame; each frame still shows the current size.
    for (float scale : {3.6f, 3.7f, 3.8f}) {
        picture->setScaleX(scale);
        step(1.0f / 60);
        const int right = 640 + static_cast<int>(32 * scale) - 2;
        EXPECT_NE(pixel(right, 360), pixel(right + 4, 360)) << "the picture's edge at scale " << scale;
    }
    // A change of tint is seen on the very next frame.
    picture->setColor(Color3B::WHITE);
    picture->setOpacity(255);
    step(1.0f / 60);
    const unsigned int leftQuarter = pixel(640 - 60, 360);
    EXPECT_GT((leftQuarter >> 8) & 0xFF, 150u) << "blue at full strength again";
}

// Four quadrants, red, green, blue and white (straight alpha 255), 256 pixels square.
Texture2D* quadrantTexture() {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 256, 256, 32, SDL_PIXELFORMAT_ARGB8888);
    for (int y = 0; y < 256; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < 256; ++x) {
            const bool right = x >= 128, bottom = y >= 128;
            row[x] = !right && !bottom  ? 0xFFFF0000u
                     : right && !bottom ? 0xFF00FF00u
                     : !right           ? 0xFF0000FFu
                                        : 0xFFFFFFFFu;
        }
    }
    auto* texture = new Texture2D();
    texture->initWithSurface(surface);
    texture->autorelease();
    return texture;
}

// Turned a quarter clockwise and doubled at the frame's centre, the image's top-left quadrant
// (red) lands top-right, its top-right (green) bottom-right, and so on; outside is untouched.
// Turned by 45 degrees, its corners stick out along the axes.
TEST_F(RenderScaledCopyTest, ALargeTurnedPictureLandsWhereTheTurnPutsIt) {
    Scene* scene = Scene::create();
    director()->runWithScene(scene);
    Sprite* picture = Sprite::createWithTexture(quadrantTexture());
    picture->setPosition(640, 360);
    picture->setScale(2.0f);
    picture->setRotation(90.0f);
    picture->setOpacity(255);
    scene->addChild(picture);
    step(1.0f / 60);
    // pixel() is 0xRRGGBBAA with y down; the picture spans 384..896 x 104..616.
    EXPECT_EQ(pixel(640 + 100, 360 - 100), 0xFF0000FFu) << "red top-right";
    EXPECT_EQ(pixel(640 + 100, 360 + 100), 0x00FF00FFu) << "green bottom-right";
    EXPECT_EQ(pixel(640 - 100, 360 + 100), 0xFFFFFFFFu) << "white bottom-left";
    EXPECT_EQ(pixel(640 - 100, 360 - 100), 0x0000FFFFu) << "blue top-left";
    EXPECT_EQ(pixel(640 + 260, 360), 0x000000FFu) << "nothing beyond its edge";
    EXPECT_EQ(pixel(640 + 250, 360 - 250), 0xFF0000FFu);

    picture->setRotation(45.0f);
    picture->setOpacity(128);
    step(1.0f / 60);
    // The half-diagonal is 256 * 1.414 = 362: the right corner reaches x = 1002 on the centre row.
    // The top-right corner (green) is now the right tip.
    const unsigned int halfGreen = pixel(640 + 350, 360);
    EXPECT_NEAR(static_cast<int>((halfGreen >> 16) & 0xFF), 128, 2) << "half of green over black";
    EXPECT_EQ(halfGreen & 0xFF00FF00u, 0u);
    EXPECT_EQ(pixel(640 + 370, 360), 0x000000FFu);
    EXPECT_EQ(pixel(640 + 250, 360 - 250), 0x000000FFu) << "the old corner is empty now";
}

// A see-through background drawn first over the whole frame looks the same once it is drawn
// from its copy made over black; a picture drawn over it still blends with it.
TEST_F(RenderScaledCopyTest, ASeeThroughBackgroundLooksTheSameFromItsCopyOverBlack) {
    Scene* scene = Scene::create();
    director()->runWithScene(scene);
    Sprite* background = Sprite::createWithTexture(gradientTexture());
    background->setAnchorPoint(Vec2::ZERO);
    background->setScale(1280.0f / 64, 720.0f / 32);
    scene->addChild(background);
    Sprite* picture = Sprite::createWithTexture(gradientTexture());
    picture->setPosition(640, 360);
    picture->setScale(4.0f);
    scene->addChild(picture);
    step(1.0f / 60);
    const std::vector<unsigned int> direct = grid();
    const unsigned int corner = pixel(1270, 10);
    step(1.0f / 60, 2);
    const std::vector<unsigned int> copied = grid();
    int differing = 0;
    for (size_t i = 0; i < direct.size(); ++i) {
        differing += close(direct[i], copied[i]) ? 0 : 1;
    }
    EXPECT_EQ(differing, 0);
    EXPECT_TRUE(close(pixel(1270, 10), corner)) << "the half-transparent side over black";
    EXPECT_LT((corner >> 24) & 0xFF, 200u) << "blended, not copied at full strength";
}

} // namespace
