#pragma once

#include <functional>
#include <string>

#include "platform/CCPlatformMacros.h"

NS_CC_BEGIN
namespace experimental {

// Limits shared by the plays made with one profile.
class AudioProfile {
public:
    std::string name;
    // 0 = no limit.
    unsigned int maxInstances = 0;
    // Seconds that must pass between two plays of this profile.
    double minDelay = 0.0;
};

// Plays sounds by id. Every play gets a new id (counting from 0); the engine remembers each id's
// file, loop flag, volume and state until it is stopped or, when not looping, finishes. Without an
// audio device (or in headless runs) the same bookkeeping happens over a silent output.
// Short sounds are decoded whole once and kept. Long ones (music) are streamed: the file is opened
// on the engine's loader thread while the id is INITIALIZING, then decoded a little at a time as it
// plays. Callbacks (finish, preload) always come on the main thread, during a frame.
class AudioEngine {
public:
    enum class AudioState { ERROR = -1, INITIALIZING, PLAYING, PAUSED };

    static const int INVALID_AUDIO_ID;
    static const float TIME_UNKNOWN;

    static bool lazyInit();
    // Stops everything and closes the output; a later play2d opens it again.
    static void end();

    // The id, or INVALID_AUDIO_ID (with a log line) when the file cannot be played.
    static int play2d(const std::string& filePath, bool loop = false, float volume = 1.0f,
                      const AudioProfile* profile = nullptr);

    static void setLoop(int audioID, bool loop);
    static bool isLoop(int audioID);
    // Clamped to [0, 1]; unknown ids are ignored.
    static void setVolume(int audioID, float volume);
    // 0 with a log line for an unknown id.
    static float getVolume(int audioID);

    static void pause(int audioID);
    static void pauseAll();
    static void resume(int audioID);
    static void resumeAll();
    static void stop(int audioID);
    static void stopAll();

    static bool setCurrentTime(int audioID, float sec);
    static float getCurrentTime(int audioID);
    static float getDuration(int audioID);
    static AudioState getState(int audioID);

    static void setFinishCallback(int audioID, const std::function<void(int, const std::string&)>& callback);

    static int getMaxAudioInstance();
    static bool setMaxAudioInstance(int maxInstances);

    static void preload(const std::string& filePath) { preload(filePath, nullptr); }
    static void preload(const std::string& filePath, std::function<void(bool isSuccess)> callback);
    static void uncache(const std::string& filePath);
    static void uncacheAll();

    static AudioProfile* getDefaultProfile();
    static AudioProfile* getProfile(int audioID);
    static AudioProfile* getProfile(const std::string& profileName);

    static int getPlayingAudioCount();
    static void setEnabled(bool isEnabled);
    static bool isEnabled();
};

} // namespace experimental
NS_CC_END
