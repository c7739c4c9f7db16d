#pragma once
// The background-music manager: one looping track at a time, cross-fades, fade-outs and
// volume glides, all carried out by one per-frame updater that the running scene
// registers under kBGMScheduleKey. Free functions over one state object, main thread only.

#include <functional>
#include <map>
#include <string>

namespace cocos2d {
class Node;
}

// The one fade the updater is carrying out. Arming a fade sets every field.
struct BGMFade {
    float elapsed = 0.0f;
    float fromVolume = 0.0f;
    float toVolume = 0.0f;
    float duration = 0.0f;
    bool fadingOut = false; // true: stop the track once the level reaches toVolume
};

extern const std::string kBGMScheduleKey; // "currentBGM"

// Everything the music manager remembers, in one object owned by the manager.
struct BGMState {
    int currentBGMId = -1;                              // audio id of the current track, -1 = none
    std::string currentBGMPath;                         // path of the current track, "" = none
    float bgmVolume = 1.0f;                             // the player's music volume 0..1, in memory only
    std::map<int, std::function<void()>> onStopActions; // run once when that id stops
    BGMFade bgmFade;
    // Where each track the cross-fades left was stopped, so that it picks up from there when it
    // comes back; forgotten when the music is released (a new play starts from the top).
    std::map<std::string, float> resumeAt;
    int seekId = -1; // a track still being prepared, to be moved to seekSeconds
    float seekSeconds = 0.0f;
};

// The manager's one state object.
BGMState& bgmState();
// Back to the state of a fresh start (tests, and a game that starts over). Stops nothing.
void resetBGM();

// The state under its usual names, so scenes (the settings slider reads bgmVolume) and tests
// can see it: each name is the member of the one object.
inline int& currentBGMId = bgmState().currentBGMId;
inline std::string& currentBGMPath = bgmState().currentBGMPath;
inline float& bgmVolume = bgmState().bgmVolume;
inline std::map<int, std::function<void()>>& onStopActions = bgmState().onStopActions;
inline BGMFade& bgmFade = bgmState().bgmFade;

void nextBGM(const std::string& path);
void initBGM(const std::string& path);
void stopCurrentBGM();
void scheduleBGMUpdate(cocos2d::Node* target);
void updateBGM(float dt);
void releaseBGM(cocos2d::Node* target);
void fadeOutBGM();
void setBGMVolume(float volume);
