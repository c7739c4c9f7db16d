#pragma once
// Resource paths, interface texts, the label font and the timer colours that every scene and
// loader shares, plus two small helpers most scenes use.
//
// The constants are inline variables: one object for the whole program, and in every file
// that includes this header they are constructed before any static object defined after the
// include. So a loader or a scene may read them during start-up, whatever the link order.

#include <array>
#include <string>

#include "data/DataPaths.h" // the data files' paths, for those who read them beside media
#include "math/Vec2.h"
#include "math/Vec4.h"

// Interface texts and the project name.
inline const std::string kProjectName = "Marrowby";
inline const std::string kScoreLabel = "Score";
inline const std::string kHighScoreLabel = "High Score";
inline const std::string kBackToTitleLabel = "Back to title";
inline const std::string kSettingLabel = "Setting";
inline const std::string kTutorialLabel = "Tutorial";
inline const std::string kGalleryLabel = "Gallery";
inline const std::string kLogoLabel = "Logo";
inline const std::string kPlayGameLabel = "Play Game";
inline const std::string kExitLabel = "Exit";
inline const std::string kTimeLabel = "Time";

// Every label of the program uses this one font.
inline const std::string kFontPath = "fonts/NotoSans/NotoSansCJKjp-Regular.otf";

// Timer colours (red, green, blue, alpha in 0..1): calm while much time is left, alarm when
// it is nearly out. The play scene blends between them.
inline const cocos2d::Vec4 kCalmColor(0.07f, 0.04f, 0.6f, 1.0f);
inline const cocos2d::Vec4 kAlarmColor(0.7f, 0.05f, 0.05f, 1.0f);

// Images.
inline const std::string kSpeechBubblePath = "./ui/serihu.png";
inline const std::string kSelectionFramePath = "./ui/sentaku.png";
// One favour-level icon per level band, lowest band first.
inline const std::array<std::string, 5> kFavourIconPaths = {
    "res/icon/LV1.png", "res/icon/LV2.png", "res/icon/LV3.png", "res/icon/LV4.png", "res/icon/LV5.png",
};
inline const std::string kLogoImagePath = "res/Qwil_logo.png";
inline const std::string kFocusLinesPath = "res/shuchu.png";
// The mark an answer shows: right, wrong.
inline const std::string kCorrectMarkPath = "maru.png";
inline const std::string kWrongMarkPath = "batsu.png";
inline const std::string kGameOverImagePath = "res/effect/game_over.png";

// Sound effects.
inline const std::string kCorrectSoundPath = "res/se/seikai.mp3";
inline const std::string kMissSoundPath = "res/se/miss.mp3";
inline const std::string kProposeEnterSoundPath = "res/se/propose_enter.mp3";
inline const std::string kProposeSuccessSoundPath = "res/se/propose_success.mp3";
inline const std::string kProposeFailSoundPath = "res/se/propose_fail.mp3";

// Tells the developer on stderr that an image or label could not be created from `path`
// (the image path, or the font path for a label). The caller carries on without the node.
void reportLoadError(const std::string& path);

// The centre of the visible area: the director's visible origin plus half its visible size.
cocos2d::Vec2 getVisibleCenter();
