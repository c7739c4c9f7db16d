#include "shell/BGM.h"

#include "audio/include/AudioEngine.h"
#include "cocos2d.h"

using cocos2d::experimental::AudioEngine;

const std::string kBGMScheduleKey = "currentBGM";

BGMState& bgmState() {
    static BGMState state;
    return state;
}

void resetBGM() {
    bgmState() = BGMState{};
}

namespace {

constexpr float kFadeSeconds = 0.5f;
constexpr float kGlideSeconds = 1.0f;
constexpr float kCrossFadeFloor = 0.1f; // the level at which one track hands over to the next

void armFade(float from, float to, float duration, bool fadingOut) {
    bgmFade = BGMFade{0.0f, from, to, duration, fadingOut};
}

int playLooping(const std::string& path, float volume) {
    return AudioEngine::play2d(path, true, volume, nullptr);
}

// A track that comes back within a play resumes where the cross-fade left it. A streamed
// track can be moved only once it is prepared, so the move waits for the updater until then.
void resumeWhereItStopped(int id, const std::string& path) {
    BGMState& state = bgmState();
    const auto found = state.resumeAt.find(path);
    if (found == state.resumeAt.end() || found->second <= 0.0f) {
        return;
    }
    state.seekId = id;
    state.seekSeconds = found->second;
}

void applyPendingSeek() {
    BGMState& state = bgmState();
    if (state.seekId == -1) {
        return;
    }
    if (state.seekId != state.currentBGMId) {
        state.seekId = -1; // that track is gone already
        return;
    }
    if (AudioEngine::getState(state.seekId) == AudioEngine::AudioState::INITIALIZING) {
        return;
    }
    AudioEngine::setCurrentTime(state.seekId, state.seekSeconds); // a failure leaves it at the top
    state.seekId = -1;
}

} // namespace

void nextBGM(const std::string& path) {
    armFade(bgmVolume, bgmVolume, kFadeSeconds, false);
    currentBGMId = playLooping(path, bgmVolume);
    currentBGMPath = path;
}

void initBGM(const std::string& path) {
    if (currentBGMId == -1) {
        cocos2d::log("nextBGM should be called before initBGM");
        return;
    }
    if (path == currentBGMPath) {
        return;
    }
    // The new track starts only once the old one has dropped to the floor and stopped.
    onStopActions[currentBGMId] = [path]() {
        armFade(kCrossFadeFloor, bgmVolume, kFadeSeconds, false);
        currentBGMId = playLooping(path, kCrossFadeFloor);
        currentBGMPath = path;
        resumeWhereItStopped(currentBGMId, path);
        applyPendingSeek();
    };
    armFade(AudioEngine::getVolume(currentBGMId), kCrossFadeFloor, kFadeSeconds, true);
}

void stopCurrentBGM() {
    const int stoppedId = currentBGMId;
    if (stoppedId != -1 && !currentBGMPath.empty()) {
        bgmState().resumeAt[currentBGMPath] = AudioEngine::getCurrentTime(stoppedId);
    }
    AudioEngine::stop(stoppedId);
    auto& action = onStopActions[stoppedId];
    if (action) {
        // Run a copy: the action may store a new entry in the map while it runs.
        auto run = action;
        run();
        onStopActions[stoppedId] = nullptr;
    }
}

void scheduleBGMUpdate(cocos2d::Node* target) {
    cocos2d::Director::getInstance()->getScheduler()->schedule(updateBGM, target, 0.0f, CC_REPEAT_FOREVER,
                                                               0.0f, false, kBGMScheduleKey);
}

void updateBGM(float dt) {
    applyPendingSeek();
    bgmFade.elapsed += dt;
    const float p = bgmFade.elapsed / bgmFade.duration;
    if (!bgmFade.fadingOut && p >= 1.0f) {
        AudioEngine::setVolume(currentBGMId, bgmFade.toVolume);
        return;
    }
    // Not clamped while fading out: once the level passes the target the track is stopped,
    // and later ticks only stop the already stopped track again.
    const float v = p * (bgmFade.toVolume - bgmFade.fromVolume) + bgmFade.fromVolume;
    if (bgmFade.fadingOut && bgmFade.toVolume >= v) {
        stopCurrentBGM();
        return;
    }
    AudioEngine::setVolume(currentBGMId, v);
}

void releaseBGM(cocos2d::Node* target) {
    const int releasedId = currentBGMId;
    stopCurrentBGM();
    // A cross-fade still pending has just started its next track; that track would loop on
    // with nothing left to stop it, under the next scene's own music, so it goes too.
    if (currentBGMId != releasedId) {
        AudioEngine::stop(currentBGMId);
    }
    cocos2d::Director::getInstance()->getScheduler()->unschedule(kBGMScheduleKey, target);
    currentBGMId = -1;
    currentBGMPath = "";
    bgmState().resumeAt.clear();
    bgmState().seekId = -1;
}

void fadeOutBGM() {
    // A fade-out ends in silence: a cross-fade still queued for the track (a question set up
    // during the play's game-over hold) would otherwise start its track at the bottom.
    onStopActions.erase(currentBGMId);
    armFade(AudioEngine::getVolume(currentBGMId), 0.0f, kFadeSeconds, true);
}

void setBGMVolume(float volume) {
    bgmVolume = volume;
    armFade(AudioEngine::getVolume(currentBGMId), volume, kGlideSeconds, false);
}
