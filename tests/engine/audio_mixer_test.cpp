// The audible path: no headless view, so the engine opens a real output device. SDL's dummy audio
// driver stands in for a sound card; it consumes samples in real time, so sounds really end.
#include <gtest/gtest.h>

#include <SDL.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/include/AudioEngine.h"
#include "cocos2d.h"
#include "engine/ToneFile.h"
#include "ext/Audio.h"
#include "ext/AudioStream.h"
#include "ext/Headless.h"

USING_NS_CC;
using experimental::AudioEngine;

namespace {

std::string writeTone(const std::string& name, float seconds) {
    return writeToneWav("solvane-mixer-" + name, seconds, 3000);
}

class AudioMixerTest : public ::testing::Test {
protected:
    void SetUp() override {
        ext::resetAll();
        // Never a real sound card in tests.
        setenv("SDL_AUDIODRIVER", "dummy", 1);
    }
    void TearDown() override { ext::resetAll(); }

    // Frames of the Director's scheduler in real time, until `done` or two seconds.
    template <class F> void runUntil(const F& done) {
        Scheduler* scheduler = Director::getInstance()->getScheduler();
        for (int i = 0; i < 125 && !done(); ++i) {
            SDL_Delay(16);
            scheduler->update(0.016f);
        }
    }
};

TEST_F(AudioMixerTest, EffectsPlayOnTheirOwnChannelsAndEndWhileALoopGoesOn) {
    if (ext::isHeadless()) {
        // Headless mode lasts for the process; CTest runs each test in a process of its own.
        GTEST_SKIP() << "an earlier test in this process went headless, which keeps audio silent";
    }
    const std::string effect = writeTone("effect.wav", 0.15f);
    const int decodes = ext::audioDecodeCount();
    const int music = AudioEngine::play2d(writeTone("music.wav", 0.1f), true, 0.5f);
    if (ext::isAudioSilent()) {
        GTEST_SKIP() << "SDL's dummy audio driver could not be opened";
    }
    const int first = AudioEngine::play2d(effect);
    const int second = AudioEngine::play2d(effect, false, 0.3f);
    EXPECT_EQ(std::vector<int>({music, first, second}), ext::activeAudioIds());
    EXPECT_EQ(ext::audioDecodeCount() - decodes, 2) << "the effect is decoded once for both plays";
    EXPECT_NEAR(AudioEngine::getDuration(first), 0.15f, 0.01f);

    std::vector<int> finished;
    AudioEngine::setFinishCallback(first,
                                   [&finished](int id, const std::string&) { finished.push_back(id); });
    runUntil([] { return ext::activeAudioCount() == 1; });
    EXPECT_EQ(ext::activeAudioIds(), std::vector<int>({music}));
    EXPECT_EQ(finished, std::vector<int>({first}));

    // The loop outlives many of its own lengths, and obeys pause, volume and stop.
    AudioEngine::pause(music);
    AudioEngine::setVolume(music, 0.2f);
    AudioEngine::resume(music);
    EXPECT_FLOAT_EQ(AudioEngine::getVolume(music), 0.2f);
    AudioEngine::stop(music);
    EXPECT_EQ(ext::activeAudioCount(), 0);

    // Channels are handed back: the full set can play again.
    for (int i = 0; i < 32; ++i) {
        ASSERT_NE(AudioEngine::play2d(effect), AudioEngine::INVALID_AUDIO_ID) << i;
    }
    AudioEngine::end();
}

// What the output carried, left channel, from the audio thread.
std::vector<int16_t> gCaptured;

void capture(const int16_t* samples, int frames) {
    for (int i = 0; i < frames; ++i) {
        gCaptured.push_back(samples[2 * i]);
    }
}

// A long track is streamed, not decoded whole; it loops with no gap or click at the join: the
// square wave's half-periods keep their exact length across it.
TEST_F(AudioMixerTest, AStreamedLoopJoinsWithoutAGap) {
    if (ext::isHeadless()) {
        GTEST_SKIP() << "an earlier test in this process went headless, which keeps audio silent";
    }
    const std::string track =
        writeToneWav("solvane-mixer-stream.wav", 2.0f, 3000); // 88 200 frames, whole periods
    AudioEngine::lazyInit();
    if (ext::isAudioSilent()) {
        GTEST_SKIP() << "SDL's dummy audio driver could not be opened";
    }
    gCaptured.clear();
    gCaptured.reserve(44100 * 6);
    ext::setAudioOutputTap(capture);
    const int id = AudioEngine::play2d(track, true);
    ext::waitForAudioLoads();
    runUntil([] { return false; }); // four seconds: the join comes after two
    runUntil([] { return false; });
    ext::setAudioOutputTap(nullptr);
    EXPECT_EQ(AudioEngine::getState(id), AudioEngine::AudioState::PLAYING);
    EXPECT_NEAR(AudioEngine::getDuration(id), 2.0f, 1e-4);
    AudioEngine::end();

    const auto start = std::find_if(gCaptured.begin(), gCaptured.end(), [](int16_t v) { return v != 0; });
    ASSERT_GT(gCaptured.end() - start, 44100 * 5 / 2) << "less than 2.5 s was heard";
    int run = 0;
    for (auto it = start + 1; it != start + 44100 * 5 / 2; ++it) {
        ASSERT_TRUE(*it == 3000 || *it == -3000) << "a gap at frame " << (it - start);
        if (*it == *(it - 1)) {
            ++run;
            continue;
        }
        // The first run may have started before the output did.
        if (it - start > 50) {
            ASSERT_EQ(run + 1, 50) << "a half-period of another length ending at frame " << (it - start);
        }
        run = 0;
    }
}

// An effect is added to the music under way at its own volume, and leaves it as it was once it
// ends: a tone at half volume over a tone at full volume takes the output to 1.5 times the
// music's level and back, and never past it.
TEST_F(AudioMixerTest, AnEffectIsMixedOverTheMusicAtItsOwnVolume) {
    if (ext::isHeadless()) {
        GTEST_SKIP() << "an earlier test in this process went headless, which keeps audio silent";
    }
    const std::string track = writeToneWav("solvane-mixer-bed.wav", 2.0f, 3000); // streamed
    const std::string effect = writeTone("half.wav", 0.2f);
    AudioEngine::lazyInit();
    if (ext::isAudioSilent()) {
        GTEST_SKIP() << "SDL's dummy audio driver could not be opened";
    }
    gCaptured.clear();
    gCaptured.reserve(44100 * 4);
    ext::setAudioOutputTap(capture);
    const int music = AudioEngine::play2d(track, true);
    ext::waitForAudioLoads();
    runUntil([music] { return AudioEngine::getState(music) == AudioEngine::AudioState::PLAYING; });
    SDL_Delay(100);
    const int sound = AudioEngine::play2d(effect, false, 0.5f);
    ASSERT_NE(sound, AudioEngine::INVALID_AUDIO_ID);
    runUntil([] { return ext::activeAudioCount() == 1; });
    SDL_Delay(100);
    ext::setAudioOutputTap(nullptr);
    AudioEngine::end();

    std::vector<int> levels;
    for (int16_t sample : gCaptured) {
        const int level = std::abs(sample);
        if (level != 0 && (levels.empty() || levels.back() != level)) {
            levels.push_back(level);
        }
    }
    // The music alone, then music and effect (their square waves out of phase or in), then the
    // music alone again.
    ASSERT_FALSE(levels.empty());
    EXPECT_EQ(levels.front(), 3000);
    EXPECT_EQ(levels.back(), 3000);
    EXPECT_NE(std::find(levels.begin(), levels.end(), 4500), levels.end()) << "the effect was never heard";
    for (int level : levels) {
        ASSERT_TRUE(level == 3000 || level == 4500 || level == 1500) << "a sample at " << level;
    }
}

} // namespace
