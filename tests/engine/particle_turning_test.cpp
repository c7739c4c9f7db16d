// Spinning particles face their angle (on the headless frame they are walked into it turned). A
// software target without the frame at hand draws them from copies of their texture turned in
// steps: these tests also check the copies match what turned quads draw and are made once per
// texture.
#include <cmath>
#include <string>

#include "EngineFixture.h"
#include "renderer/TurnedImages.h"

USING_NS_CC;

namespace {

constexpr float kCentreX = 640;
constexpr float kCentreY = 360;

class ParticleTurningTest : public SceneFixture {
protected:
    // A 32x32 transparent image with a red block at the top middle (columns 12-19, rows 2-9).
    std::string writeMarkedImage() {
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, SDL_PIXELFORMAT_RGBA32);
        SDL_FillRect(surface, nullptr, SDL_MapRGBA(surface->format, 0, 0, 0, 0));
        SDL_Rect mark{12, 2, 8, 8};
        SDL_FillRect(surface, &mark, SDL_MapRGBA(surface->format, 255, 0, 0, 255));
        const std::string path = tempDir() + "marked.png";
        IMG_SavePNG(surface, path.c_str());
        SDL_FreeSurface(surface);
        return path;
    }

    // One still particle, 64 points wide, turned `spin` degrees clockwise, living long enough.
    ParticleSystemQuad* makeSingleParticle(float spin) {
        ValueMap d;
        auto set = [&d](const char* key, float v) { d[key] = Value(v); };
        set("maxParticles", 1);
        set("particleLifespan", 1.0f);
        set("duration", -1.0f);
        set("startParticleSize", 64.0f);
        set("finishParticleSize", -1.0f);
        for (const char* key :
             {"startColorRed", "startColorGreen", "startColorBlue", "startColorAlpha", "finishColorRed",
              "finishColorGreen", "finishColorBlue", "finishColorAlpha"}) {
            set(key, 1.0f);
        }
        set("rotationStart", spin);
        set("rotationEnd", spin);
        set("blendFuncSource", 770.0f);
        set("blendFuncDestination", 771.0f);
        d["textureFileName"] = Value(writeMarkedImage());
        return ParticleSystemQuad::create(d);
    }

    // Steps until the particle is born and drawn.
    void drawWhenBorn(ParticleSystemQuad* system) {
        for (int i = 0; i < 60 && system->getParticleCount() == 0; ++i) {
            step(0.05f);
        }
        ASSERT_EQ(system->getParticleCount(), 1);
    }

    static bool isRed(unsigned int rgba) { return redOf(rgba) > 128 && greenOf(rgba) < 100; }

    // Where the mark's middle lands, in design points from the particle's centre, after a
    // clockwise turn of `degrees` (the mark sits 20 points above the centre unturned).
    static Vec2 markAfterTurning(float degrees) {
        const float radians = CC_DEGREES_TO_RADIANS(degrees);
        return Vec2(20.0f * std::sin(radians), 20.0f * std::cos(radians));
    }
};

TEST_F(ParticleTurningTest, SpinningParticlesFaceTheirAngle) {
    for (float spin : {0.0f, 90.0f, 180.0f, -90.0f, 45.0f, 450.0f}) {
        SCOPED_TRACE(spin);
        _scene->removeAllChildren();
        ParticleSystemQuad* system = makeSingleParticle(spin);
        ASSERT_NE(system, nullptr);
        system->setPosition(Vec2(kCentreX, kCentreY));
        _scene->addChild(system);
        drawWhenBorn(system);
        for (float other = 0; other < 360; other += 90) {
            const Vec2 at = markAfterTurning(other) + Vec2(kCentreX, kCentreY);
            const bool expected = std::fabs(std::remainder(other - spin, 360.0f)) < 1.0f;
            EXPECT_EQ(isRed(pixelAtDesign(at.x, at.y)), expected)
                << "mark checked at " << other << " degrees";
        }
        const Vec2 mark = markAfterTurning(spin) + Vec2(kCentreX, kCentreY);
        EXPECT_TRUE(isRed(pixelAtDesign(mark.x, mark.y)));
    }
}

// The turned copy drawn unturned covers the same pixels as the image drawn as a turned quad (what
// a turned emitter still gets).
TEST_F(ParticleTurningTest, TurnedCopiesMatchTurnedQuads) {
    auto capture = [this](bool spinTheParticle) {
        _scene->removeAllChildren();
        ParticleSystemQuad* system = makeSingleParticle(spinTheParticle ? 30.0f : 0.0f);
        Node* holder = Node::create();
        holder->setPosition(Vec2(kCentreX, kCentreY));
        holder->setRotation(spinTheParticle ? 0.0f : 30.0f);
        holder->addChild(system);
        _scene->addChild(holder);
        drawWhenBorn(system);
        std::vector<bool> red;
        for (int y = -48; y < 48; ++y) {
            for (int x = -48; x < 48; ++x) {
                red.push_back(isRed(pixelAtDesign(kCentreX + x, kCentreY + y)));
            }
        }
        return red;
    };
    const std::vector<bool> turnedQuad = capture(false);
    const std::vector<bool> turnedCopy = capture(true);
    int inQuad = 0;
    int differing = 0;
    for (size_t i = 0; i < turnedQuad.size(); ++i) {
        inQuad += turnedQuad[i] ? 1 : 0;
        differing += turnedQuad[i] != turnedCopy[i] ? 1 : 0;
    }
    ASSERT_GT(inQuad, 200); // the 16x16-point mark
    // Only the mark's outline may differ by a pixel (the copies are filtered, quads are not).
    EXPECT_LT(differing, inQuad / 6) << differing << " of " << inQuad;
}

TEST_F(ParticleTurningTest, CellsHoldTheImageAtEveryAngle) {
    auto* cache = director()->getTextureCache();
    // A disc inside the image needs no more room than the image.
    SDL_Surface* disc = SDL_CreateRGBSurfaceWithFormat(0, 40, 40, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_FillRect(disc, nullptr, 0);
    for (int y = 0; y < 40; ++y) {
        for (int x = 0; x < 40; ++x) {
            if (std::hypot(x + 0.5f - 20, y + 0.5f - 20) < 15) {
                static_cast<Uint32*>(disc->pixels)[y * disc->pitch / 4 + x] = 0xFFFFFFFF;
            }
        }
    }
    auto* discTexture = new Texture2D();
    ASSERT_TRUE(discTexture->initWithSurface(disc));
    const TurnedImages* discCopies = discTexture->getTurnedImages();
    ASSERT_NE(discCopies, nullptr);
    EXPECT_LE(discCopies->getCellScale(), 0.85f);
    EXPECT_EQ(discTexture->getTurnedImages(), discCopies) << "made once, then kept";

    // A filled square reaches its corners: the cell is about 1.41 times the side.
    Texture2D* square = cache->addImage(makePng("square.png", 32, 32, {255, 255, 255, 255}));
    ASSERT_NE(square, nullptr);
    ASSERT_NE(square->getTurnedImages(), nullptr);
    EXPECT_NEAR(square->getTurnedImages()->getCellScale(), 1.41f, 0.08f);

    // New pixels make new copies: the disc's texture now holds the square.
    SDL_Surface* filled = SDL_CreateRGBSurfaceWithFormat(0, 40, 40, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_FillRect(filled, nullptr, 0xFFFFFFFF);
    discTexture->updateWithSurface(filled);
    ASSERT_NE(discTexture->getTurnedImages(), nullptr);
    EXPECT_NEAR(discTexture->getTurnedImages()->getCellScale(), 1.41f, 0.08f);
    discTexture->release();

    // Nothing to draw, nothing to turn.
    Texture2D* clear = cache->addImage(makePng("clear.png", 16, 16, {255, 255, 255, 0}));
    ASSERT_NE(clear, nullptr);
    EXPECT_EQ(clear->getTurnedImages(), nullptr);

    // A large image is turned at a bounded resolution.
    Texture2D* large = cache->addImage(makePng("large.png", 600, 300, {10, 200, 30, 255}));
    ASSERT_NE(large, nullptr);
    const TurnedImages* largeCopies = large->getTurnedImages();
    ASSERT_NE(largeCopies, nullptr);
    EXPECT_LE(largeCopies->getCellPixels(), TurnedImages::kMaxCellPixels);
    EXPECT_LE(largeCopies->getSteps(), TurnedImages::kMaxSteps);
}

TEST_F(ParticleTurningTest, AnglesWrapToTheNearestStep) {
    Texture2D* texture = director()->getTextureCache()->addImage(writeMarkedImage());
    ASSERT_NE(texture, nullptr);
    const TurnedImages* copies = texture->getTurnedImages();
    ASSERT_NE(copies, nullptr);
    const int steps = copies->getSteps();
    ASSERT_GE(steps, 8);
    const float stepDegrees = 360.0f / static_cast<float>(steps);
    EXPECT_EQ(copies->stepFor(0), 0);
    EXPECT_EQ(copies->stepFor(360), 0);
    EXPECT_EQ(copies->stepFor(-720), 0);
    EXPECT_EQ(copies->stepFor(stepDegrees * 0.4f), 0);
    EXPECT_EQ(copies->stepFor(stepDegrees * 0.6f), 1);
    EXPECT_EQ(copies->stepFor(-stepDegrees), steps - 1);
    EXPECT_EQ(copies->stepFor(359.9f), 0);
    EXPECT_EQ(copies->stepFor(90 + 3600), copies->stepFor(90));
    EXPECT_EQ(copies->stepFor(NAN), 0);
    // Every step has a cell of its own inside the texture.
    const TurnedImages::TexRect first = copies->cellOf(0);
    const TurnedImages::TexRect last = copies->cellOf(steps - 1);
    EXPECT_GT(first.u1, first.u0);
    EXPECT_GT(first.v1, first.v0);
    EXPECT_LE(last.u1, 1.0f);
    EXPECT_LE(last.v1, 1.0f);
    EXPECT_TRUE(last.u0 != first.u0 || last.v0 != first.v0);
}

} // namespace
