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
    // A PNG whose left and right halves are solid colours (0xRRGGBB).
    std::string makeHalves(const std::string& name, int width, int height, Uint32 left, Uint32 right) {
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
        const int half = width / 2;
        SDL_Rect leftRect{0, 0, half, height};
        SDL_Rect rightRect{half, 0, width - half, height};
        auto colour = [surface](Uint32 rgb) {
            return SDL_MapRGBA(surface->format, (rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF, 255);
        };
        SDL_FillRect(surface, &leftRect, colour(left));
        SDL_FillRect(surface, &rightRect, colour(right));
        std::string path = tempDir() + name;
        IMG_SavePNG(surface, path.c_str());
        SDL_FreeSurface(surface);
        return path;
    }
    // 20x10: left half red, right half green.
    std::string makeHalves() { return makeHalves("halves.png", 20, 10, 0xFF0000, 0x00FF00); }
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
    step(1.0f / 60);
    const int uploads = a->getTexture()->getUploadCount();
    EXPECT_LE(uploads, 1); // shared (the headless frame is drawn from the pixels themselves)
    step(1.0f / 60, 2);
    EXPECT_EQ(rgbOf(pixelAtDesign(100, 100)), 0x0000FFu);
    EXPECT_EQ(rgbOf(pixelAtDesign(300 + 14, 100 + 4)), 0x0000FFu);
    EXPECT_EQ(a->getTexture()->getUploadCount(), uploads); // not uploaded again per frame
}

TEST_F(SpriteTextureTest, SubRectangleShowsOnlyThatPartOfTheImage) {
    std::string path = makeHalves();
    Sprite* sprite = Sprite::create(path, Rect(10, 0, 10, 10));
    ASSERT_NE(sprite, nullptr);
    sprite->setScale(4);
    sprite->setPosition(640, 360);
    scene->addChild(sprite);
    step(1.0f / 60);
    EXPECT_EQ(rgbOf(pixelAtDesign(640 - 15, 360)), 0x00FF00u);
    EXPECT_EQ(rgbOf(pixelAtDesign(640 + 15, 360)), 0x00FF00u);

    SpriteFrameCache::getInstance()->addSpriteFrame(SpriteFrame::create(path, Rect(0, 0, 10, 10)),
                                                    "red-half");
    sprite->setSpriteFrame("red-half");
    step(1.0f / 60);
    EXPECT_EQ(rgbOf(pixelAtDesign(640 + 15, 360)), 0xFF0000u);
    EXPECT_EQ(sprite->getContentSize().width, 10);
}

// A content size set after the picture stretches the picture to fill it, whether the sprite
// shows a whole image, a texture rect, a trimmed frame or is flipped.
TEST_F(SpriteTextureTest, ContentSizeStretchesThePictureToFillIt) {
    const std::string path = makeHalves();
    Sprite* whole = Sprite::create(path);
    whole->setContentSize(Size(80, 20));
    whole->setPosition(640, 600);
    Sprite* flipped = Sprite::create(path);
    flipped->setContentSize(Size(80, 20));
    flipped->setFlippedX(true);
    flipped->setPosition(640, 500);
    Sprite* green = Sprite::create(path, Rect(10, 0, 10, 10));
    green->setContentSize(Size(40, 40));
    green->setPosition(640, 400);
    // The red half trimmed out of a 20x10 box: it fills the box's left half, then the box is stretched.
    Sprite* trimmed = Sprite::createWithSpriteFrame(
        SpriteFrame::create(path, Rect(0, 0, 10, 10), false, Vec2(-5, 0), Size(20, 10)));
    trimmed->setContentSize(Size(40, 20));
    trimmed->setPosition(640, 300);
    Sprite* trimmedFlipped = Sprite::createWithSpriteFrame(trimmed->getSpriteFrame());
    trimmedFlipped->setContentSize(Size(40, 20));
    trimmedFlipped->setFlippedX(true);
    trimmedFlipped->setPosition(640, 200);
    for (Sprite* sprite : {whole, flipped, green, trimmed, trimmedFlipped}) {
        scene->addChild(sprite);
    }
    step(1.0f / 60);

    EXPECT_EQ(rgbOf(pixelAtDesign(603, 600)), 0xFF0000u);
    EXPECT_EQ(rgbOf(pixelAtDesign(676, 600)), 0x00FF00u);
    EXPECT_EQ(rgbOf(pixelAtDesign(640 - 8, 609)), 0xFF0000u);
    EXPECT_EQ(rgbOf(pixelAtDesign(640 + 42, 600)), 0u); // nothing past the content size
    EXPECT_EQ(rgbOf(pixelAtDesign(640, 612)), 0u);

    EXPECT_EQ(rgbOf(pixelAtDesign(603, 500)), 0x00FF00u);
    EXPECT_EQ(rgbOf(pixelAtDesign(676, 500)), 0xFF0000u);

    EXPECT_EQ(rgbOf(pixelAtDesign(622, 418)), 0x00FF00u);
    EXPECT_EQ(rgbOf(pixelAtDesign(657, 382)), 0x00FF00u);

    EXPECT_EQ(rgbOf(pixelAtDesign(622, 300)), 0xFF0000u);
    EXPECT_EQ(rgbOf(pixelAtDesign(637, 308)), 0xFF0000u);
    EXPECT_EQ(rgbOf(pixelAtDesign(643, 300)), 0u);
    EXPECT_EQ(rgbOf(pixelAtDesign(643, 200)), 0xFF0000u);
    EXPECT_EQ(rgbOf(pixelAtDesign(657, 200)), 0xFF0000u);
    EXPECT_EQ(rgbOf(pixelAtDesign(637, 200)), 0u);

    // A new picture brings its own size back.
    whole->setTexture(makePng("square.png", 16, 16, {0, 0, 255, 255}));
    EXPECT_EQ(whole->getContentSize(), Size(16, 16));
    step(1.0f / 60);
    EXPECT_EQ(rgbOf(pixelAtDesign(640 + 7, 600)), 0x0000FFu);
    EXPECT_EQ(rgbOf(pixelAtDesign(640 + 10, 600)), 0u);
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
    Sprite* sprite = Sprite::create(makeHalves("two.png", 2, 1, 0xFFFFFF, 0x000000));
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
