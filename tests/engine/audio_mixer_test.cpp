// The audible path: no headless view, so the engine opens a real SDL_mixer output. SDL's dummy audio
// driver stands in for a sound card; it consumes samples in real time, so sounds really end.
#include <gtest/gtest.h>

#include <SDL.h>
#include <SDL_mixer.h>

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

void capture(void*, Uint8* stream, int length) {
    const auto* samples = reinterpret_cast<const int16_t*>(stream);
    for (int i = 0; i < length / 2; i += 2) {
        gCaptured.push_back(samples[i]);
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
    Mix_SetPostMix(capture, nullptr);
    const int id = AudioEngine::play2d(track, true);
    ext::waitForAudioLoads();
    runUntil([] { return false; }); // four seconds: the join comes after two
    runUntil([] { return false; });
    Mix_SetPostMix(nullptr, nullptr);
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

} // namespace
