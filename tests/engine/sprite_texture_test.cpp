// Sprites from image files, the texture cache and sprite frames.
#include "engine/EngineFixture.h"

USING_NS_CC;

class SpriteTextureTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        scene = Scene::create();
        director()->runWithScene(scene);
    }
    Scene* scene = nullptr;
};

TEST_F(SpriteTextureTest, MissingOrUndecodableImagesGiveNullAndALogLine) {
    EXPECT_EQ(Sprite::create("no/such/image.png"), nullptr);
    EXPECT_TRUE(logContains("no/such/image.png"));
    std::string junk = tempDir() + "junk.png";
    FILE* file = fopen(junk.c_str(), "wb");
    fputs("not a png", file);
    fclose(file);
    EXPECT_EQ(Sprite::create(junk), nullptr);
    EXPECT_TRUE(logContains("can't decode"));
    EXPECT_EQ(SpriteFrame::create("no/such/image.png", Rect(0, 0, 4, 4)), nullptr);
    EXPECT_EQ(Sprite::createWithSpriteFrameName("nobody"), nullptr);

    // A sprite asked to switch to something missing keeps what it had.
    Sprite* sprite = Sprite::create(makePng("ok.png", 8, 4, {255, 0, 0, 255}));
    ASSERT_NE(sprite, nullptr);
    sprite->setTexture("no/such/image.png");
    sprite->setSpriteFrame("nobody");
    EXPECT_EQ(sprite->getContentSize().width, 8);
    EXPECT_NE(sprite->getTexture(), nullptr);
}

TEST_F(SpriteTextureTest, ImagesAreDecodedOnceAndSizedByTheirPixels) {
    std::string path = makePng("wide.png", 30, 10, {0, 0, 255, 255});
    Sprite* a = Sprite::create(path);
    Sprite* b = Sprite::create(path);
    ASSERT_NE(a, nullptr);
    EXPECT_EQ(a->getTexture(), b->getTexture());
    EXPECT_EQ(director()->getTextureCache()->getTextureForKey(path), a->getTexture());
    EXPECT_EQ(a->getContentSize().width, 30);
    EXPECT_EQ(a->getContentSize().height, 10);
    EXPECT_EQ(a->getTextureRect().size.width, 30);
    EXPECT_EQ(a->getAnchorPoint(), Vec2(0.5f, 0.5f));

    a->setPosition(100, 100);
    b->setPosition(300, 100);
    scene->addChild(a);
    scene->addChild(b);
    step(1.0f / 60, 3);
    EXPECT_EQ(rgbOf(pixelAtDesign(100, 100)), 0x0000FFu);
    EXPECT_EQ(rgbOf(pixelAtDesign(300 + 14, 100 + 4)), 0x0000FFu);
    EXPECT_EQ(a->getTexture()->getUploadCount(), 1); // shared and not re-uploaded per frame
}

TEST_F(SpriteTextureTest, SubRectangleShowsOnlyThatPartOfTheImage) {
    // Left half red, right half green, built by drawing two sprites' images side by side.
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 20, 10, 32, SDL_PIXELFORMAT_RGBA32);
    SDL_Rect left{0, 0, 10, 10};
    SDL_Rect right{10, 0, 10, 10};
    SDL_FillRect(surface, &left, SDL_MapRGBA(surface->format, 255, 0, 0, 255));
    SDL_FillRect(surface, &right, SDL_MapRGBA(surface->format, 0, 255, 0, 255));
    std::string path = tempDir() + "halves.png";
    IMG_SavePNG(surface, path.c_str());
    SDL_FreeSurface(surface);

    Sprite* sprite = Sprite::create(path, Rect(10, 0, 10, 10));
    ASSERT_NE(sprite, nullptr);
    sprite->setScale(4);
    sprite->setPosition(640, 360);
    scene->addChild(sprite);
    step(1.0f / 60);
    EXPECT_EQ(rgbOf(pixelAtDesign(640 - 15, 360)), 0x00FF00u);
    EXPECT_EQ(rgbOf(pixelAtDesign(640 + 15, 360)), 0x00FF00u);

    SpriteFrameCache::getInstance()->addSpriteFrame(SpriteFrame::create(path, Rect(0, 0, 10, 10)), "red-half");
    sprite->setSpriteFrame("red-half");
    step(1.0f / 60);
    EXPECT_EQ(rgbOf(pixelAtDesign(640 + 15, 360)), 0xFF0000u);
    EXPECT_EQ(sprite->getContentSize().width, 10);
}

TEST_F(SpriteTextureTest, EmptySpriteBecomesASolidBoxInItsColourAndOpacity) {
    Sprite* overlay = Sprite::create();
    EXPECT_EQ(overlay->getContentSize().width, 0);
    overlay->setTextureRect(Rect(0, 0, 200, 100));
    EXPECT_EQ(overlay->getContentSize().width, 200);
    overlay->setColor(Color3B(0, 0, 255));
    overlay->setOpacity(128);
    overlay->setPosition(640, 360);
    Sprite* under = Sprite::create();
    under->setTextureRect(Rect(0, 0, 400, 50));
    under->setColor(Color3B(255, 0, 0));
    under->setPosition(640, 360);
    scene->addChild(under);
    scene->addChild(overlay);
    step(1.0f / 60);
    unsigned int mixed = pixelAtDesign(640, 360);
    EXPECT_NEAR(redOf(mixed), 127, 2);
    EXPECT_NEAR(blueOf(mixed), 128, 2);
    EXPECT_EQ(rgbOf(pixelAtDesign(640, 360 + 40)) & 0xFFFF00u, 0u); // overlay alone over black
    EXPECT_EQ(rgbOf(pixelAtDesign(640 + 150, 360)), 0xFF0000u);
}

TEST_F(SpriteTextureTest, AliasedTexturesScaleWithHardPixelEdges) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 2, 1, 32, SDL_PIXELFORMAT_RGBA32);
    SDL_Rect leftPixel{0, 0, 1, 1};
    SDL_Rect rightPixel{1, 0, 1, 1};
    SDL_FillRect(surface, &leftPixel, SDL_MapRGBA(surface->format, 255, 255, 255, 255));
    SDL_FillRect(surface, &rightPixel, SDL_MapRGBA(surface->format, 0, 0, 0, 255));
    std::string path = tempDir() + "two.png";
    IMG_SavePNG(surface, path.c_str());
    SDL_FreeSurface(surface);

    Sprite* sprite = Sprite::create(path);
    sprite->getTexture()->setAliasTexParameters();
    EXPECT_TRUE(sprite->getTexture()->isAliased());
    sprite->setScale(100);
    sprite->setPosition(640, 360);
    scene->addChild(sprite);
    step(1.0f / 60);
    // Every pixel is either the white or the black texel: no blended ramp in between.
    for (int x = 600; x < 680; x += 3) {
        int r = redOf(pixelAtDesign(static_cast<float>(x), 360));
        EXPECT_TRUE(r == 255 || r == 0) << "x=" << x << " r=" << r;
    }
}
