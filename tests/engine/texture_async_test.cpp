// Pictures read ahead on the texture cache's loader thread: they arrive in the cache on the main
// thread in a later frame, look exactly as pictures read on the spot, are never decoded twice,
// and keep their place in the packed budget until they are drawn.
#include <SDL.h>
#include <SDL_image.h>

#include <string>
#include <thread>
#include <vector>

#include "engine/EngineFixture.h"

USING_NS_CC;

namespace {

constexpr float kFrame = 1.0f / 60;

// A PNG with bands of colour (it packs) and a see-through column, saved from RGBA bytes.
std::string writeBands(const std::string& path, int width, int height, Uint8 seed) {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_RGBA32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            auto* pixel = static_cast<Uint8*>(surface->pixels) + y * surface->pitch + x * 4;
            pixel[0] = static_cast<Uint8>(seed + x / 10 * 20);
            pixel[1] = static_cast<Uint8>(y / 10 * 30);
            pixel[2] = static_cast<Uint8>(255 - seed);
            pixel[3] = x == 3 ? 100 : 255;
        }
    }
    IMG_SavePNG(surface, path.c_str());
    SDL_FreeSurface(surface);
    return path;
}

class TextureAsyncTest : public SceneFixture {
protected:
    TextureCache* cache() { return director()->getTextureCache(); }

    // Waits for the loader thread, then runs the frame that hands its pictures out.
    bool stepUntilDelivered() {
        cache()->waitForAsyncReads();
        step(kFrame); // callbacks of pictures taken over run on this delivery too
        return cache()->getAsyncCount() == 0;
    }

    Sprite* show(Texture2D* texture, float x) {
        auto* sprite = Sprite::createWithTexture(texture);
        sprite->setAnchorPoint(Vec2::ZERO);
        sprite->setPosition(x, 100);
        _scene->addChild(sprite);
        return sprite;
    }

    // Frame pixels of two same-sized pictures drawn at x = 0 and x = 400 that differ.
    int differences(int width, int height) {
        int wrong = 0;
        for (int y = 0; y < height; y += 2) {
            for (int x = 0; x < width; ++x) {
                wrong += pixelAtDesign(static_cast<float>(x), static_cast<float>(100 + y)) !=
                                 pixelAtDesign(static_cast<float>(400 + x), static_cast<float>(100 + y))
                             ? 1
                             : 0;
            }
        }
        return wrong;
    }
};

TEST_F(TextureAsyncTest, APictureReadAheadArrivesInALaterFrameOnTheMainThreadAsAddImageWouldGiveIt) {
    const std::string ahead = writeBands(tempDir() + "ahead.png", 120, 90, 40);
    const std::string onTheSpot = writeBands(tempDir() + "spot.png", 120, 90, 40);
    const std::thread::id mainThread = std::this_thread::get_id();
    Texture2D* delivered = nullptr;
    int calls = 0;
    std::thread::id callbackThread;
    cache()->addImageAsync(ahead, [&](Texture2D* texture) {
        delivered = texture;
        ++calls;
        callbackThread = std::this_thread::get_id();
    });
    EXPECT_EQ(calls, 0) << "never called back from inside the call";
    director()->getTextureCache()->waitForAsyncReads();
    EXPECT_EQ(calls, 0) << "read, but handed out only by a frame";
    ASSERT_TRUE(stepUntilDelivered());

    ASSERT_EQ(calls, 1);
    ASSERT_NE(delivered, nullptr);
    EXPECT_EQ(callbackThread, mainThread);
    EXPECT_EQ(cache()->getTextureForKey(ahead), delivered) << "in the cache under its full path";
    EXPECT_EQ(cache()->addImage(ahead), delivered) << "and addImage finds it there";
    EXPECT_TRUE(delivered->isPacked()) << "held packed until drawn";
    EXPECT_LT(delivered->getPixelBytes(), 120u * 90u * 4u / 2);

    Texture2D* read = cache()->addImage(onTheSpot);
    ASSERT_NE(read, nullptr);
    EXPECT_EQ(delivered->getPixelsWide(), read->getPixelsWide());
    EXPECT_EQ(delivered->getPixelsHigh(), read->getPixelsHigh());
    EXPECT_EQ(delivered->isOpaque(), read->isOpaque());
    show(delivered, 0);
    show(read, 400);
    step(kFrame);
    EXPECT_EQ(differences(120, 90), 0) << "the same colours and alpha on screen";
    EXPECT_TRUE(delivered->isPacked()) << "drawn at its own size straight from its runs";

    // Asked again once cached: called back at once with the same texture, nothing decoded.
    const long long decodes = ext::pictureDecodeCount();
    Texture2D* again = nullptr;
    cache()->addImageAsync(ahead, [&](Texture2D* texture) { again = texture; });
    EXPECT_EQ(again, delivered);
    EXPECT_EQ(cache()->getAsyncCount(), 0u);
    EXPECT_EQ(ext::pictureDecodeCount(), decodes);
}

// addImage for a picture the loader thread holds (waiting or under way) takes it over: one
// texture, one decode, and the callbacks still run once, in a later frame, with that texture.
TEST_F(TextureAsyncTest, AddImageDuringAReadAheadTakesItOverAndDecodesEachPictureOnce) {
    std::vector<std::string> paths;
    for (int i = 0; i < 12; ++i) {
        paths.push_back(
            writeBands(tempDir() + "p" + std::to_string(i) + ".png", 400, 300, static_cast<Uint8>(i * 9)));
    }
    const long long decodesBefore = ext::pictureDecodeCount();
    std::vector<Texture2D*> delivered(paths.size(), nullptr);
    std::vector<int> calls(paths.size(), 0);
    for (size_t i = 0; i < paths.size(); ++i) {
        for (int twice = 0; twice < 2; ++twice) { // two callers asking for the same picture
            cache()->addImageAsync(paths[i], [&, i](Texture2D* texture) {
                delivered[i] = texture;
                ++calls[i];
            });
        }
    }
    EXPECT_EQ(cache()->getAsyncCount(), paths.size()) << "one read per picture however often asked";
    // The first picture is most likely under way, the last still waiting.
    Texture2D* first = cache()->addImage(paths.front());
    Texture2D* last = cache()->addImage(paths.back());
    ASSERT_NE(first, nullptr);
    ASSERT_NE(last, nullptr);
    EXPECT_EQ(first->getPixelsWide(), 400);
    EXPECT_EQ(calls.front(), 0) << "callbacks wait for the next frame";
    ASSERT_TRUE(stepUntilDelivered());

    EXPECT_EQ(ext::pictureDecodeCount() - decodesBefore, static_cast<long long>(paths.size()));
    EXPECT_EQ(cache()->getTextureCount(), paths.size());
    for (size_t i = 0; i < paths.size(); ++i) {
        EXPECT_EQ(calls[i], 2) << paths[i];
        EXPECT_EQ(delivered[i], cache()->getTextureForKey(paths[i])) << paths[i];
    }
    EXPECT_EQ(delivered.front(), first);
    EXPECT_EQ(delivered.back(), last);
}

TEST_F(TextureAsyncTest, AMissingOrBrokenFileCallsBackWithNullAndUnboundCallbacksNeverRun) {
    const std::string broken = tempDir() + "broken.png";
    SDL_RWops* file = SDL_RWFromFile(broken.c_str(), "wb");
    ASSERT_NE(file, nullptr);
    SDL_RWwrite(file, "\x89PNG\r\n\x1a\n not really", 1, 19);
    SDL_RWclose(file);

    int missingCalls = 0;
    Texture2D* missingTexture = reinterpret_cast<Texture2D*>(1);
    cache()->addImageAsync(tempDir() + "nowhere.png", [&](Texture2D* texture) {
        missingTexture = texture;
        ++missingCalls;
    });
    EXPECT_EQ(missingCalls, 1) << "a file that isn't there calls back at once, as cocos2d-x does";
    EXPECT_EQ(missingTexture, nullptr);

    int brokenCalls = 0;
    Texture2D* brokenTexture = reinterpret_cast<Texture2D*>(1);
    cache()->addImageAsync(broken, [&](Texture2D* texture) {
        brokenTexture = texture;
        ++brokenCalls;
    });
    const std::string unbound = writeBands(tempDir() + "unbound.png", 50, 50, 7);
    int unboundCalls = 0;
    cache()->addImageAsync(unbound, [&](Texture2D*) { ++unboundCalls; });
    cache()->unbindImageAsync(unbound);
    ASSERT_TRUE(stepUntilDelivered());

    EXPECT_EQ(brokenCalls, 1);
    EXPECT_EQ(brokenTexture, nullptr);
    EXPECT_EQ(cache()->getTextureForKey(broken), nullptr) << "nothing cached for it";
    EXPECT_TRUE(logContains("can't decode image")) << "a log line names the file";
    EXPECT_EQ(unboundCalls, 0);
    EXPECT_NE(cache()->getTextureForKey(unbound), nullptr) << "an unbound picture still arrives";
}

// The Director and its cache go while pictures are still waiting and under way: the loader
// thread stops, nothing leaks (AddressSanitizer checks), no callback runs, and a fresh engine
// reads ahead again.
TEST_F(TextureAsyncTest, TheEngineEndsCleanlyWithReadsStillUnderWay) {
    int calls = 0;
    for (int i = 0; i < 8; ++i) {
        cache()->addImageAsync(writeBands(tempDir() + "late" + std::to_string(i) + ".png", 640, 480, 3),
                               [&](Texture2D*) { ++calls; });
    }
    ext::resetAll();
    EXPECT_EQ(calls, 0);

    ext::startHeadless(kFrameWidth, kFrameHeight);
    director()->runWithScene(Scene::create());
    _scene = director()->getRunningScene();
    Texture2D* texture = nullptr;
    cache()->addImageAsync(tempDir() + "late0.png", [&](Texture2D* delivered) { texture = delivered; });
    ASSERT_TRUE(stepUntilDelivered());
    EXPECT_NE(texture, nullptr);

    cache()->addImageAsync(tempDir() + "late1.png", [&](Texture2D*) { ++calls; });
    director()->end();
    step(kFrame); // the end is carried out on the next frame
    EXPECT_EQ(calls, 0);
}

// Pictures asked for ahead and not drawn yet outlast pictures already shown when the packed
// budget is short; once drawn they are ordinary again. One let go entirely is read again ahead.
TEST_F(TextureAsyncTest, PicturesReadAheadKeepTheirPackedPixelsUntilDrawnAndAreReadAgainIfLetGo) {
    const std::string shownPath = writeBands(tempDir() + "shown.png", 300, 200, 10);
    const std::string aheadPath = writeBands(tempDir() + "ahead.png", 300, 200, 90);
    Texture2D* shown = cache()->addImage(shownPath);
    Sprite* sprite = show(shown, 0);
    step(kFrame);
    Texture2D* ahead = nullptr;
    cache()->addImageAsync(aheadPath, [&](Texture2D* texture) { ahead = texture; });
    ASSERT_TRUE(stepUntilDelivered());
    ASSERT_NE(ahead, nullptr);
    sprite->removeFromParent();
    step(kFrame, 3);      // both idle now; the shown one was used more recently
    stepUntilDelivered(); // its pixels come back packed from the loader thread

    const size_t aheadBytes = ahead->getPixelBytes();
    cache()->releaseIdlePixels(director()->getTotalFrames(), aheadBytes);
    EXPECT_TRUE(ahead->isPacked()) << "the picture asked for ahead keeps its place";
    EXPECT_FALSE(shown->holdsPixels()) << "the one already shown goes";

    // Let go entirely after all: asking again reads it on the loader thread, not on its draw.
    cache()->releaseIdlePixels(director()->getTotalFrames(), 0);
    ASSERT_FALSE(ahead->holdsPixels());
    Texture2D* same = nullptr;
    cache()->addImageAsync(aheadPath, [&](Texture2D* texture) { same = texture; });
    EXPECT_EQ(same, ahead);
    ASSERT_TRUE(stepUntilDelivered());
    EXPECT_TRUE(ahead->isPacked());
    const long long decodes = ext::pictureDecodeCount();
    show(ahead, 400);
    step(kFrame);
    EXPECT_EQ(ext::pictureDecodeCount(), decodes) << "drawn from the packed pixels";

    // Drawn now: an ordinary picture again, the least recent goes first.
    _scene->removeAllChildren();
    step(kFrame);
    show(shown, 0);
    step(kFrame);
    _scene->removeAllChildren();
    step(kFrame, 3);
    stepUntilDelivered();
    ASSERT_TRUE(shown->isPacked() && ahead->isPacked());
    cache()->releaseIdlePixels(director()->getTotalFrames(), shown->getPixelBytes());
    EXPECT_TRUE(shown->isPacked()) << "drawn last, kept";
    EXPECT_FALSE(ahead->holdsPixels());
}

// A draw that needs a picture whose pixels are being read again ahead takes that read over.
TEST_F(TextureAsyncTest, DrawingAPictureWhileItIsReadAgainAheadDecodesItOnce) {
    const std::string path = writeBands(tempDir() + "again.png", 500, 400, 60);
    Texture2D* texture = cache()->addImage(path);
    step(kFrame);
    ASSERT_TRUE(texture->releasePixels(false));
    const long long decodes = ext::pictureDecodeCount();
    cache()->addImageAsync(path, nullptr);
    show(texture, 0);
    step(kFrame);
    EXPECT_TRUE(texture->holdsPixels());
    ASSERT_TRUE(stepUntilDelivered());
    EXPECT_EQ(ext::pictureDecodeCount() - decodes, 1);
    EXPECT_EQ(texture->getPixelsWide(), 500);
}

} // namespace

namespace {

// A texture removed from the cache while its pixels are being packed, then asked for again:
// a new texture, read from the file, arrives and draws as the picture does.
TEST_F(TextureAsyncTest, APictureRemovedWhileBeingPackedIsReadAgainWhenAskedFor) {
    const std::string path = writeBands(tempDir() + "packing.png", 200, 120, 70);
    const std::string twin = writeBands(tempDir() + "twin.png", 200, 120, 70);
    Texture2D* old = cache()->addImage(path);
    Sprite* sprite = show(old, 0);
    step(kFrame);
    sprite->setVisible(false);
    step(kFrame, 3); // idle: its pixels go to the loader thread to be packed
    sprite->removeFromParent();
    cache()->removeTexture(old);

    Texture2D* fresh = nullptr;
    int calls = 0;
    cache()->addImageAsync(path, [&](Texture2D* texture) {
        fresh = texture;
        ++calls;
    });
    ASSERT_TRUE(stepUntilDelivered());
    EXPECT_EQ(calls, 1);
    ASSERT_NE(fresh, nullptr);
    EXPECT_EQ(cache()->getTextureForKey(path), fresh);
    show(fresh, 0);
    show(cache()->addImage(twin), 400);
    step(kFrame);
    EXPECT_EQ(differences(200, 120), 0);
}

} // namespace

namespace {

// An opaque PNG (R, G, B bytes) read ahead is packed straight from what the decoder gives; it
// draws as the same picture read on the spot.
TEST_F(TextureAsyncTest, AnOpaquePictureReadAheadDrawsAsReadOnTheSpot) {
    std::vector<std::string> paths;
    for (const char* name : {"ahead_rgb.png", "spot_rgb.png"}) {
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 160, 90, 24, SDL_PIXELFORMAT_RGB24);
        for (int y = 0; y < 90; ++y) {
            auto* row = static_cast<Uint8*>(surface->pixels) + y * surface->pitch;
            for (int x = 0; x < 160; ++x) {
                row[3 * x] = static_cast<Uint8>(x / 16 * 25);
                row[3 * x + 1] = static_cast<Uint8>(y / 9 * 20);
                row[3 * x + 2] = static_cast<Uint8>(200 - x / 32 * 30);
            }
        }
        paths.push_back(tempDir() + name);
        IMG_SavePNG(surface, paths.back().c_str());
        SDL_FreeSurface(surface);
    }
    Texture2D* ahead = nullptr;
    cache()->addImageAsync(paths[0], [&](Texture2D* texture) { ahead = texture; });
    ASSERT_TRUE(stepUntilDelivered());
    ASSERT_NE(ahead, nullptr);
    EXPECT_TRUE(ahead->isPacked());
    EXPECT_TRUE(ahead->isOpaque());
    show(ahead, 0);
    show(cache()->addImage(paths[1]), 400);
    step(kFrame);
    EXPECT_EQ(differences(160, 90), 0);
    EXPECT_NE(pixelAtDesign(150, 150), pixelAtDesign(20, 120)) << "the bands are drawn";
}

} // namespace
