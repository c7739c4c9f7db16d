// The music manager on the silent audio output: fades are checked through the volumes the
// audio engine holds for each id, frame by frame.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/include/AudioEngine.h"
#include "cocos2d.h"
#include "engine/SlowStreamOpener.h"
#include "ext/Audio.h"
#include "ext/AudioStream.h"
#include "ext/Headless.h"
#include "ext/Paths.h"
#include "shell/BGM.h"

USING_NS_CC;
using experimental::AudioEngine;

namespace {

const std::string kFirst = "music/first.mp3";
const std::string kSecond = "music/second.mp3";
constexpr float kFrame = 0.125f; // exact in binary, so elapsed times add up exactly

class BGMTest : public ::testing::Test {
protected:
    void SetUp() override {
        ext::resetAll();
        ext::setResourceRoot(std::string(SOLVANE_FIXTURES_DIR) + "/shell");
        ext::startHeadless(1280, 720);
        ext::setLogSink([this](const std::string& line) { logLines.push_back(line); });
        resetBGM();
    }
    void TearDown() override {
        ext::setLogSink(nullptr);
        ext::resetAll();
        ext::setResourceRoot("");
    }

    // Drives the updater by hand, as the scheduler does once per frame.
    void tick(int frames, float dt = kFrame) {
        for (int i = 0; i < frames; ++i) {
            updateBGM(dt);
        }
    }

    static bool playing(int id) { return AudioEngine::getState(id) == AudioEngine::AudioState::PLAYING; }

    std::vector<std::string> logLines;
};

TEST_F(BGMTest, CrossFadeDropsToFloorThenRaisesTheNewTrack) {
    bgmVolume = 0.8f;
    nextBGM(kFirst);
    const int first = currentBGMId;
    ASSERT_NE(first, AudioEngine::INVALID_AUDIO_ID);
    EXPECT_FLOAT_EQ(AudioEngine::getVolume(first), 0.8f);

    initBGM(kSecond);
    EXPECT_EQ(currentBGMPath, kFirst) << "the new track waits for the old one to fade";
    tick(2); // 0.25 s of 0.5 s: 0.8 → 0.1
    EXPECT_NEAR(AudioEngine::getVolume(first), 0.8f - 0.5f * 0.7f, 1e-4);
    EXPECT_EQ(currentBGMId, first);

    // 0.5 s: the level reaches the floor, give or take rounding, so the stop comes on that
    // tick or the next; the new track starts at 0.1.
    tick(2);
    if (currentBGMId == first) {
        EXPECT_NEAR(AudioEngine::getVolume(first), 0.1f, 1e-6);
        tick(1);
    }
    EXPECT_FALSE(playing(first));
    const int second = currentBGMId;
    EXPECT_NE(second, first);
    EXPECT_EQ(currentBGMPath, kSecond);
    EXPECT_TRUE(playing(second));
    EXPECT_FLOAT_EQ(AudioEngine::getVolume(second), 0.1f);

    tick(2);
    EXPECT_NEAR(AudioEngine::getVolume(second), 0.1f + 0.5f * 0.7f, 1e-4);
    tick(2);
    EXPECT_FLOAT_EQ(AudioEngine::getVolume(second), 0.8f);
    tick(5); // stays at the stored volume
    EXPECT_FLOAT_EQ(AudioEngine::getVolume(second), 0.8f);
}

TEST_F(BGMTest, SamePathAndMissingTrackLeaveEverythingAlone) {
    initBGM(kFirst);
    ASSERT_FALSE(logLines.empty());
    EXPECT_EQ(logLines.back(), "nextBGM should be called before initBGM");
    EXPECT_EQ(currentBGMId, -1);

    nextBGM(kFirst);
    AudioEngine::setVolume(currentBGMId, 0.3f);
    const BGMFade before = bgmFade;
    bgmFade.elapsed = 0.25f;
    initBGM(kFirst);
    EXPECT_FLOAT_EQ(bgmFade.elapsed, 0.25f);
    EXPECT_EQ(bgmFade.fadingOut, before.fadingOut);
    EXPECT_FLOAT_EQ(AudioEngine::getVolume(currentBGMId), 0.3f);
    EXPECT_FALSE(onStopActions[currentBGMId]);
}

TEST_F(BGMTest, LowVolumeSwitchesOnTheFirstTick) {
    bgmVolume = 0.1f;
    nextBGM(kFirst);
    const int first = currentBGMId;
    initBGM(kSecond);
    tick(1, 0.016f);
    EXPECT_FALSE(playing(first));
    EXPECT_EQ(currentBGMPath, kSecond);
}

TEST_F(BGMTest, ScoreFadeReachesSilenceInHalfASecond) {
    for (float volume : {1.0f, 0.37f}) {
        bgmVolume = volume;
        nextBGM(kFirst);
        const int id = currentBGMId;
        fadeOutBGM();
        tick(3);
        EXPECT_TRUE(playing(id));
        EXPECT_NEAR(AudioEngine::getVolume(id), volume * 0.25f, 1e-4);
        tick(1);
        EXPECT_FALSE(playing(id)) << "volume " << volume;
        tick(3); // later ticks stop the stopped track again, harmlessly
        releaseBGM(nullptr);
    }
}

// The play can queue a switch to the next question's track during its game-over hold; the
// score screen's fade-out still ends in silence and stays there.
TEST_F(BGMTest, ScoreFadeDropsASwitchQueuedAtHandOff) {
    nextBGM(kFirst);
    const int first = currentBGMId;
    initBGM(kSecond);
    tick(1);
    fadeOutBGM();
    tick(4);
    EXPECT_FALSE(playing(first));
    tick(16);
    EXPECT_EQ(currentBGMId, first);
    EXPECT_EQ(currentBGMPath, kFirst);
    for (int id = 0; id < 8; ++id) {
        EXPECT_FALSE(playing(id)) << "id " << id;
    }
}

TEST_F(BGMTest, VolumeSetWithoutUpdaterGlidesOnceRegistered) {
    auto scene = Scene::create();
    Director::getInstance()->runWithScene(scene);
    ext::step(0.0f);
    nextBGM(kFirst);
    const int id = currentBGMId;
    setBGMVolume(0.4f); // in the settings: no updater runs there
    ext::step(kFrame, 20);
    EXPECT_FLOAT_EQ(AudioEngine::getVolume(id), 1.0f);

    scheduleBGMUpdate(scene);
    ext::step(kFrame);    // the first tick only arms the timer
    ext::step(kFrame, 4); // 0.5 s of the 1 s glide
    EXPECT_NEAR(AudioEngine::getVolume(id), 0.7f, 1e-3);
    ext::step(kFrame, 4);
    EXPECT_FLOAT_EQ(AudioEngine::getVolume(id), 0.4f);
}

TEST_F(BGMTest, ReleaseRunsThePendingCrossFadeAndLeavesNothingPlaying) {
    nextBGM(kFirst);
    const int first = currentBGMId;
    initBGM(kSecond);
    tick(1);
    releaseBGM(nullptr);
    EXPECT_EQ(currentBGMId, -1);
    EXPECT_EQ(currentBGMPath, "");
    EXPECT_FALSE(onStopActions[first]) << "the pending action ran and was cleared";
    EXPECT_FALSE(playing(first));
    // Neither the old track nor the one the action started may keep looping.
    for (int id = 0; id < 8; ++id) {
        EXPECT_FALSE(playing(id)) << "id " << id;
    }
}

TEST_F(BGMTest, ReplacedScenesUpdaterStops) {
    auto first = Scene::create();
    Director::getInstance()->runWithScene(first);
    ext::step(0.0f);
    nextBGM(kFirst);
    const int id = currentBGMId;
    scheduleBGMUpdate(first);
    ext::step(kFrame);
    fadeOutBGM();
    Director::getInstance()->replaceScene(Scene::create());
    ext::step(kFrame); // the swap happens after this frame's tick
    ext::step(kFrame, 10);
    EXPECT_TRUE(playing(id)) << "no updater runs after the scene was replaced";
    EXPECT_LT(bgmFade.elapsed, 0.5f);
}

TEST_F(BGMTest, MissingMusicGivesInvalidIdAndLaterCallsSurvive) {
    nextBGM("music/missing.mp3");
    EXPECT_EQ(currentBGMId, AudioEngine::INVALID_AUDIO_ID);
    EXPECT_FALSE(logLines.empty());
    initBGM(kSecond);
    tick(10);
    setBGMVolume(0.5f);
    tick(20);
    fadeOutBGM();
    tick(10);
    releaseBGM(nullptr);
    EXPECT_EQ(currentBGMId, -1);
}

// Long tracks are prepared on the audio engine's loader thread. With a decoder that takes its
// time, frames go on meanwhile (the fades with them), and the track then starts and the
// cross-fade ends as it would have.
TEST_F(BGMTest, ASlowlyPreparedTrackKeepsFramesComingAndThenCrossFadesAsBefore) {
    SlowStreamOpener slow;
    ext::setAudioStreamOpener(slow.opener(30.0f));
    const std::string folder = ::testing::TempDir();
    const std::string first = writeLongFile(folder + "slow_first.mp3");
    const std::string second = writeLongFile(folder + "slow_second.mp3");
    auto* scene = Scene::create();
    Director::getInstance()->runWithScene(scene);
    int frames = 0;
    Director::getInstance()->getScheduler()->schedule([&frames](float) { ++frames; }, scene, 0.0f,
                                                      CC_REPEAT_FOREVER, 0.0f, false, "frames");
    scheduleBGMUpdate(scene);
    ext::step(0.0f, 2); // the scene's first frame; the updaters arm

    bgmVolume = 0.8f;
    nextBGM(first);
    const int firstId = currentBGMId;
    ext::step(kFrame, 8);
    EXPECT_EQ(frames, 8 + 1);
    EXPECT_EQ(AudioEngine::getState(firstId), AudioEngine::AudioState::INITIALIZING);
    slow.release();
    ext::waitForAudioLoads();
    ext::step(kFrame);
    EXPECT_TRUE(playing(firstId));

    slow.hold();
    initBGM(second);
    ext::step(kFrame, 5); // 0.5 s down to the floor, then the hand-over
    EXPECT_FALSE(playing(firstId));
    const int secondId = currentBGMId;
    ASSERT_NE(secondId, firstId);
    EXPECT_EQ(currentBGMPath, second);
    slow.awaitOpen();
    const int framesBefore = frames;
    ext::step(kFrame, 2); // the decoder is still busy: frames and the fade-in go on
    EXPECT_EQ(frames - framesBefore, 2);
    EXPECT_EQ(AudioEngine::getState(secondId), AudioEngine::AudioState::INITIALIZING);
    const float rising = AudioEngine::getVolume(secondId);
    EXPECT_GT(rising, 0.1f);
    EXPECT_LT(rising, 0.8f);

    slow.release();
    ext::waitForAudioLoads();
    ext::step(kFrame);
    EXPECT_TRUE(playing(secondId));
    EXPECT_GT(AudioEngine::getVolume(secondId), rising);
    ext::step(kFrame, 3);
    EXPECT_FLOAT_EQ(AudioEngine::getVolume(secondId), 0.8f);
    EXPECT_FLOAT_EQ(AudioEngine::getDuration(secondId), 30.0f);
    EXPECT_EQ(ext::activeAudioIds(), std::vector<int>{secondId});
    ext::setAudioStreamOpener(nullptr);
}

// Within a play a track that comes back picks up where the cross-fade left it; released music
// (the play is over) starts from the top again.
TEST_F(BGMTest, ATrackThatComesBackResumesWhereItWasLeftUntilTheMusicIsReleased) {
    SlowStreamOpener slow;
    ext::setAudioStreamOpener(slow.opener(30.0f));
    slow.release();
    const std::string folder = ::testing::TempDir();
    const std::string first = writeLongFile(folder + "resume_first.mp3");
    const std::string second = writeLongFile(folder + "resume_second.mp3");

    auto* scene = Scene::create();
    Director::getInstance()->runWithScene(scene);
    ext::step(0.0f, 2);
    // A prepared track is handed over by the engine's own per-frame tick.
    const auto prepared = [] {
        ext::waitForAudioLoads();
        for (int frame = 0;
             frame < 3 && AudioEngine::getState(currentBGMId) == AudioEngine::AudioState::INITIALIZING;
             ++frame) {
            ext::step(kFrame);
        }
    };
    nextBGM(first);
    prepared();
    const int firstId = currentBGMId;
    ASSERT_TRUE(AudioEngine::setCurrentTime(firstId, 12.0f));

    initBGM(second);
    tick(5);
    ASSERT_EQ(currentBGMPath, second);
    prepared();
    EXPECT_LE(AudioEngine::getCurrentTime(currentBGMId), 3 * kFrame) << "a first hearing starts at the top";

    initBGM(first);
    tick(5);
    ASSERT_EQ(currentBGMPath, first);
    const int againId = currentBGMId;
    ASSERT_NE(againId, firstId);
    prepared(); // ready only now: the move waited for the updater
    tick(1);
    EXPECT_NEAR(AudioEngine::getCurrentTime(againId), 12.0f, 1e-3);
    EXPECT_TRUE(playing(againId));

    releaseBGM(scene);
    nextBGM(first);
    prepared();
    tick(1);
    EXPECT_LE(AudioEngine::getCurrentTime(currentBGMId), 3 * kFrame) << "a new play starts from the top";
    ext::setAudioStreamOpener(nullptr);
}

} // namespace
