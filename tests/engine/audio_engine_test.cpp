#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "EngineFixture.h"
#include "audio/include/AudioEngine.h"
#include "ext/Audio.h"

USING_NS_CC;
using experimental::AudioEngine;

namespace {

class AudioEngineTest : public EngineFixture {
protected:
    // A silent 16-bit stereo WAV of the given length.
    std::string makeWav(const std::string& name, float seconds) {
        const uint32_t rate = 44100;
        const uint16_t channels = 2, bits = 16;
        const uint32_t dataBytes = static_cast<uint32_t>(seconds * rate) * channels * bits / 8;
        std::string path = tempDir() + name;
        std::ofstream out(path, std::ios::binary);
        auto u32 = [&out](uint32_t v) { out.write(reinterpret_cast<const char*>(&v), 4); };
        auto u16 = [&out](uint16_t v) { out.write(reinterpret_cast<const char*>(&v), 2); };
        out << "RIFF";
        u32(36 + dataBytes);
        out << "WAVEfmt ";
        u32(16);
        u16(1);
        u16(channels);
        u32(rate);
        u32(rate * channels * bits / 8);
        u16(channels * bits / 8);
        u16(bits);
        out << "data";
        u32(dataBytes);
        out << std::string(dataBytes, '\0');
        return path;
    }
};

TEST_F(AudioEngineTest, EveryPlayGetsANewIdAndKeepsItsState) {
    const std::string se = makeWav("se.wav", 0.5f);
    const std::string bgm = makeWav("bgm.wav", 1.0f);
    const int first = AudioEngine::play2d(se);
    const int second = AudioEngine::play2d(se, false, 1.5f);
    const int music = AudioEngine::play2d(bgm, true, 0.4f);
    EXPECT_EQ(first, 0);
    EXPECT_EQ(second, 1);
    EXPECT_EQ(music, 2);
    EXPECT_TRUE(ext::isAudioSilent());
    EXPECT_EQ(ext::audioPath(music), bgm);
    EXPECT_TRUE(ext::isLooping(music));
    EXPECT_FALSE(ext::isLooping(first));
    EXPECT_FLOAT_EQ(AudioEngine::getVolume(second), 1.0f);
    EXPECT_FLOAT_EQ(AudioEngine::getVolume(music), 0.4f);

    AudioEngine::setVolume(music, -2.0f);
    EXPECT_FLOAT_EQ(AudioEngine::getVolume(music), 0.0f);
    AudioEngine::setVolume(music, 0.25f);
    EXPECT_FLOAT_EQ(AudioEngine::getVolume(music), 0.25f);
    EXPECT_EQ(AudioEngine::getState(music), AudioEngine::AudioState::PLAYING);

    AudioEngine::stop(first);
    EXPECT_EQ(ext::activeAudioIds(), (std::vector<int>{second, music}));
    EXPECT_FLOAT_EQ(AudioEngine::getVolume(first), 0.0f);
    EXPECT_TRUE(logContains("audio id 0 is non-existent"));
    AudioEngine::setVolume(first, 0.5f); // unknown ids are ignored
    EXPECT_EQ(ext::activeAudioCount(), 2);

    AudioEngine::stopAll();
    EXPECT_EQ(ext::activeAudioCount(), 0);
    EXPECT_EQ(AudioEngine::play2d(se), 3);
}

TEST_F(AudioEngineTest, FilesThatCannotBePlayedGiveInvalidIdAndALogLine) {
    EXPECT_EQ(AudioEngine::play2d("res/se/does_not_exist.mp3"), AudioEngine::INVALID_AUDIO_ID);
    EXPECT_TRUE(logContains("does_not_exist.mp3"));

    const std::string garbage = tempDir() + "broken.mp3";
    std::ofstream(garbage) << "this is not audio at all";
    EXPECT_EQ(AudioEngine::play2d(garbage), AudioEngine::INVALID_AUDIO_ID);
    EXPECT_TRUE(logContains("broken.mp3"));
    EXPECT_EQ(ext::activeAudioCount(), 0);
    // A failure uses up no id.
    EXPECT_EQ(AudioEngine::play2d(makeWav("ok.wav", 0.1f)), 0);
}

TEST_F(AudioEngineTest, ALoopingTrackKeepsItsIdWhileAnEffectEndsAfterItsLength) {
    director()->runWithScene(Scene::create());
    const int music = AudioEngine::play2d(makeWav("loop.wav", 0.2f), true, 0.8f);
    const int effect = AudioEngine::play2d(makeWav("hit.wav", 0.5f));
    std::vector<int> finished;
    AudioEngine::setFinishCallback(effect,
                                   [&finished](int id, const std::string&) { finished.push_back(id); });

    step(0.1f, 4); // the first frame has dt 0, the sound's tick arms on its first: 0.2 s counted
    EXPECT_EQ(ext::activeAudioCount(), 2);
    step(0.1f, 4);
    EXPECT_EQ(finished, (std::vector<int>{effect}));
    EXPECT_EQ(ext::activeAudioIds(), (std::vector<int>{music}));
    step(0.5f, 20);
    EXPECT_EQ(ext::activeAudioIds(), (std::vector<int>{music}));
    EXPECT_FLOAT_EQ(AudioEngine::getVolume(music), 0.8f);

    // Tests can end every one-shot sound at once; loops stay.
    const int another = AudioEngine::play2d(makeWav("long.wav", 30.0f));
    ext::finishSilentSounds();
    EXPECT_EQ(ext::activeAudioIds(), (std::vector<int>{music}));
    EXPECT_GT(another, effect);
}

TEST_F(AudioEngineTest, ARepeatedEffectIsDecodedOnce) {
    const std::string se = makeWav("click.wav", 0.05f);
    const int before = ext::audioDecodeCount();
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(AudioEngine::play2d(se), i);
    }
    EXPECT_EQ(ext::audioDecodeCount() - before, 1);
    AudioEngine::uncache(se);
    EXPECT_EQ(ext::activeAudioCount(), 0);
    AudioEngine::play2d(se);
    EXPECT_EQ(ext::audioDecodeCount() - before, 2);
}

TEST_F(AudioEngineTest, PauseResumeAndEndForgetEverything) {
    const int id = AudioEngine::play2d(makeWav("a.wav", 0.3f), true);
    AudioEngine::pause(id);
    EXPECT_EQ(AudioEngine::getState(id), AudioEngine::AudioState::PAUSED);
    AudioEngine::resume(id);
    EXPECT_EQ(AudioEngine::getState(id), AudioEngine::AudioState::PLAYING);
    AudioEngine::end();
    EXPECT_EQ(ext::activeAudioCount(), 0);
    EXPECT_EQ(AudioEngine::getState(id), AudioEngine::AudioState::ERROR);
    // A play after end() starts the engine again.
    EXPECT_EQ(AudioEngine::play2d(makeWav("b.wav", 0.3f)), 0);
}

TEST_F(AudioEngineTest, TheInstanceLimitRefusesTheThirtyThirdSound) {
    const std::string loop = makeWav("l.wav", 0.1f);
    for (int i = 0; i < 32; ++i) {
        ASSERT_NE(AudioEngine::play2d(loop, true), AudioEngine::INVALID_AUDIO_ID);
    }
    EXPECT_EQ(AudioEngine::play2d(loop, true), AudioEngine::INVALID_AUDIO_ID);
    EXPECT_TRUE(logContains("already playing"));
    AudioEngine::stop(5);
    EXPECT_EQ(AudioEngine::play2d(loop, true), 32);
}

TEST_F(AudioEngineTest, PreloadReportsSuccessOrFailure) {
    std::vector<bool> results;
    AudioEngine::preload(makeWav("p.wav", 0.1f), [&results](bool ok) { results.push_back(ok); });
    AudioEngine::preload("missing.wav", [&results](bool ok) { results.push_back(ok); });
    AudioEngine::setEnabled(false);
    AudioEngine::preload(makeWav("q.wav", 0.1f), [&results](bool ok) { results.push_back(ok); });
    EXPECT_EQ(AudioEngine::play2d(makeWav("r.wav", 0.1f)), AudioEngine::INVALID_AUDIO_ID);
    AudioEngine::setEnabled(true);
    EXPECT_EQ(results, (std::vector<bool>{true, false, false}));
}

} // namespace
