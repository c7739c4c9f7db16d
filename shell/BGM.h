#pragma once
// The background-music manager: one looping track at a time, cross-fades, fade-outs and
// volume glides, all carried out by one per-frame updater that the running scene
// registers under kBGMScheduleKey. Free functions over module state, main thread only.

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

// Module state, visible so scenes (the settings slider reads bgmVolume) and tests can see it.
extern int currentBGMId;             // audio id of the current track, -1 = none
extern std::string currentBGMPath;   // path of the current track, "" = none
extern float bgmVolume;              // the player's music volume 0..1, in memory only
extern std::map<int, std::function<void()>> onStopActions; // run once when that id stops
extern BGMFade bgmFade;

void nextBGM(const std::string& path);
void initBGM(const std::string& path);
void stopCurrentBGM();
void scheduleBGMUpdate(cocos2d::Node* target);
void updateBGM(float dt);
void releaseBGM(cocos2d::Node* target);
void fadeOutBGM();
void setBGMVolume(float volume);
