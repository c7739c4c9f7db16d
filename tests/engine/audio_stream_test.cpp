// Long sounds are opened on the engine's loader thread while frames go on, and their results
// (ids starting, preload callbacks, finish callbacks) reach the game on the main thread.
#ifdef SOLVANE_HAVE_MPG123
#include <mpg123.h>
#endif

#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "EngineFixture.h"
#include "SlowStreamOpener.h"
#include "audio/include/AudioEngine.h"
#include "ext/Audio.h"
#include "ext/AudioStream.h"

USING_NS_CC;
using experimental::AudioEngine;
using State = experimental::AudioEngine::AudioState;

namespace {

constexpr float kFrame = 1.0f / 64; // exact in binary

class AudioStreamTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        director()->runWithScene(Scene::create());
        director()->getScheduler()->schedule([this](float) { ++frames; }, this, 0.0f, CC_REPEAT_FOREVER, 0.0f,
                                             false, "frames");
        ext::setAudioStreamOpener(slow.opener(2.0f));
        // The engine's tick (which hands over the loader's results) is armed by its first
        // frame; the scene's first frame has no time.
        AudioEngine::lazyInit();
        step(kFrame, 2);
    }
    void TearDown() override {
        slow.release(); // never leave the loader thread waiting
        ext::waitForAudioLoads();
        ext::setAudioStreamOpener(nullptr);
        director()->getScheduler()->unscheduleAll();
        EngineFixture::TearDown();
    }
    // Lets the loader finish and runs the frame that hands its results over.
    void finishLoads() {
        slow.release();
        ext::waitForAudioLoads();
        step(kFrame);
    }

    SlowStreamOpener slow;
    int frames = 0;
};

TEST_F(AudioStreamTest, FramesGoOnWhileATrackIsPreparedAndItStartsWithWhatWasSetMeanwhile) {
    const std::string track = writeLongFile(tempDir() + "track.mp3");
    const int id = AudioEngine::play2d(track, true, 0.5f);
    ASSERT_EQ(id, 0);
    slow.awaitOpen();
    EXPECT_EQ(AudioEngine::getState(id), State::INITIALIZING);
    EXPECT_FLOAT_EQ(AudioEngine::getDuration(id), AudioEngine::TIME_UNKNOWN);
    EXPECT_FALSE(AudioEngine::setCurrentTime(id, 1.0f));

    const int before = frames;
    step(kFrame, 120); // two seconds of frames while the decoder is stuck
    EXPECT_EQ(frames - before, 120);
    EXPECT_EQ(AudioEngine::getState(id), State::INITIALIZING);
    EXPECT_FLOAT_EQ(AudioEngine::getCurrentTime(id), 0.0f) << "no time passes before the track starts";
    AudioEngine::setVolume(id, 0.25f);
    AudioEngine::pause(id);

    finishLoads();
    EXPECT_NE(slow.openedOn, std::this_thread::get_id());
    EXPECT_EQ(AudioEngine::getState(id), State::PAUSED);
    EXPECT_FLOAT_EQ(AudioEngine::getDuration(id), 2.0f);
    EXPECT_FLOAT_EQ(AudioEngine::getVolume(id), 0.25f);
    AudioEngine::resume(id);
    step(kFrame, 160); // 2.5 s: a loop goes round
    EXPECT_EQ(AudioEngine::getState(id), State::PLAYING);
    EXPECT_NEAR(AudioEngine::getCurrentTime(id), 0.5f, 1e-4);
    EXPECT_TRUE(AudioEngine::setCurrentTime(id, 1.5f));
    EXPECT_NEAR(AudioEngine::getCurrentTime(id), 1.5f, 1e-4);
    EXPECT_FALSE(AudioEngine::setCurrentTime(id, 2.5f)) << "past the end";
}

TEST_F(AudioStreamTest, ATrackThatEndsReportsOnTheMainThreadAndBrokenOrStoppedOnesLeaveNoId) {
    const int once = AudioEngine::play2d(writeLongFile(tempDir() + "once.mp3"));
    const int broken = AudioEngine::play2d(writeLongFile(tempDir() + "broken.mp3"), true);
    const int dropped = AudioEngine::play2d(writeLongFile(tempDir() + "dropped.mp3"), true);
    std::vector<std::thread::id> finishedOn;
    AudioEngine::setFinishCallback(
        once, [&finishedOn](int, const std::string&) { finishedOn.push_back(std::this_thread::get_id()); });
    AudioEngine::stop(dropped);
    EXPECT_EQ(ext::activeAudioIds(), (std::vector<int>{once, broken}));

    finishLoads();
    EXPECT_TRUE(logContains("can't play " + tempDir() + "broken.mp3: not audio"));
    EXPECT_EQ(ext::activeAudioIds(), (std::vector<int>{once}));
    step(0.5f, 3);
    EXPECT_TRUE(finishedOn.empty());
    step(0.5f, 1);
    EXPECT_EQ(finishedOn, (std::vector<std::thread::id>{std::this_thread::get_id()}));
    EXPECT_EQ(ext::activeAudioCount(), 0);
}

TEST_F(AudioStreamTest, APreloadedTrackStartsAtOnceAndTheCallbackComesOnAFrame) {
    const std::string track = writeLongFile(tempDir() + "preloaded.mp3");
    std::vector<bool> results;
    std::thread::id calledOn;
    AudioEngine::preload(track, [&](bool ok) {
        results.push_back(ok);
        calledOn = std::this_thread::get_id();
    });
    AudioEngine::preload(tempDir() + "missing.mp3", [&results](bool ok) { results.push_back(ok); });
    EXPECT_EQ(results, (std::vector<bool>{false})) << "a missing file is refused at once";

    finishLoads();
    EXPECT_EQ(results, (std::vector<bool>{false, true}));
    EXPECT_EQ(calledOn, std::this_thread::get_id());
    const int id = AudioEngine::play2d(track, true);
    EXPECT_EQ(AudioEngine::getState(id), State::PLAYING);
    EXPECT_FLOAT_EQ(AudioEngine::getDuration(id), 2.0f);
    // The prepared stream was used up: the next play opens the file again.
    const int again = AudioEngine::play2d(track, true);
    EXPECT_EQ(AudioEngine::getState(again), State::INITIALIZING);
}

#ifdef SOLVANE_HAVE_MPG123
// The whole file through libmpg123, which honours the encoder's delay and padding; empty when it
// can't be read in that format.
std::vector<int16_t> decodeWithMpg123(const std::string& path, const ext::AudioFormat& format) {
    std::vector<int16_t> samples;
    int error = MPG123_OK;
    mpg123_handle* decoder = mpg123_new(nullptr, &error);
    if (!decoder) {
        return samples;
    }
    mpg123_format_none(decoder);
    const int channels = format.channels == 1 ? MPG123_MONO : MPG123_STEREO;
    if (mpg123_format(decoder, format.rate, channels, MPG123_ENC_SIGNED_16) == MPG123_OK &&
        mpg123_open(decoder, path.c_str()) == MPG123_OK) {
        std::vector<unsigned char> buffer(64 * 1024);
        size_t got = 0;
        int status = MPG123_OK;
        while (status == MPG123_OK || status == MPG123_NEW_FORMAT) {
            status = mpg123_read(decoder, buffer.data(), buffer.size(), &got);
            const auto* block = reinterpret_cast<const int16_t*>(buffer.data());
            samples.insert(samples.end(), block, block + got / sizeof(int16_t));
        }
        mpg123_close(decoder);
    }
    mpg123_delete(decoder);
    return samples;
}
#endif

// The engine's own MP3 stream against libmpg123 decoding the whole file: the same length, the
// same samples from the first one on, and a seek lands on exactly the sample a straight read
// reaches. Any gap at a loop's join would show up as a length or offset difference here.
TEST_F(AudioStreamTest, TheMp3StreamMatchesAWholeDecodeSampleForSample) {
#ifndef SOLVANE_HAVE_MPG123
    GTEST_SKIP() << "built without libmpg123, the second decoder this compares with";
#else
    const std::string path = FileUtils::getInstance()->fullPathForFilename("res/bgm/op.mp3");
    ASSERT_FALSE(path.empty());
    const ext::AudioFormat output{44100, 2};
    const int channels = output.channels;
    std::string error;
    auto stream = ext::openAudioStream(path, output, error);
    ASSERT_TRUE(stream) << error;
    const std::vector<int16_t> reference = decodeWithMpg123(path, output);
    ASSERT_FALSE(reference.empty());
    const auto wholeFrames = static_cast<int64_t>(reference.size()) / channels;
    ASSERT_EQ(stream->frameCount(), wholeFrames);

    std::vector<int16_t> decoded(static_cast<size_t>(wholeFrames * channels));
    ASSERT_EQ(stream->read(decoded.data(), static_cast<size_t>(wholeFrames)),
              static_cast<size_t>(wholeFrames));
    EXPECT_EQ(stream->read(decoded.data(), 16), 0u);
    int worst = 0;
    for (size_t i = 0; i < decoded.size(); ++i) {
        worst = std::max(worst, std::abs(decoded[i] - reference[i]));
    }
    EXPECT_LE(worst, 4) << "two decoders differ only in rounding";

    const int64_t middle = wholeFrames / 3 + 7;
    ASSERT_TRUE(stream->seek(middle));
    std::vector<int16_t> after(4096 * static_cast<size_t>(channels));
    ASSERT_EQ(stream->read(after.data(), 4096), 4096u);
    EXPECT_TRUE(std::equal(after.begin(), after.end(), decoded.begin() + middle * channels));

    // For an output of another format the file is decoded whole and converted: mixed down to
    // one channel here, still the same length and samples.
    const ext::AudioFormat mono{44100, 1};
    auto converted = ext::openAudioStream(path, mono, error);
    ASSERT_TRUE(converted) << error;
    const std::vector<int16_t> monoReference = decodeWithMpg123(path, mono);
    ASSERT_EQ(converted->frameCount(), static_cast<int64_t>(monoReference.size()));
    std::vector<int16_t> monoDecoded(monoReference.size());
    ASSERT_EQ(converted->read(monoDecoded.data(), monoDecoded.size()), monoDecoded.size());
    worst = 0;
    for (size_t i = 0; i < monoDecoded.size(); ++i) {
        worst = std::max(worst, std::abs(monoDecoded[i] - monoReference[i]));
    }
    EXPECT_LE(worst, 4);
#endif
}

} // namespace
