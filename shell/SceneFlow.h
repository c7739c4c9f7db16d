#pragma once
// Where the scenes go. Every change of scene in the game is one route of the scene table the
// app installs (app/SceneTable.cpp): the scene it leads to and what happens to the music on the
// way. A scene asks for a change by name; it never makes another scene itself.

#include <functional>

namespace cocos2d {
class Node;
class Scene;
} // namespace cocos2d

enum class SceneChange {
    LogoToTitle,
    LogoToTutorial, // the first run
    TutorialToTitle,
    TitleToPlay,
    TitleToSettings,
    SettingsToTitle,
    SettingsToGallery,
    SettingsToTutorial,
    GalleryToSettings,
    PlayToScore,
    PlayToTitle, // only when the score screen cannot be made
    ScoreToPlay, // retry
    ScoreToTitle,
};

// What a change does to the track that is playing.
enum class MusicOnChange {
    CarryOn, // the next scene picks the same track up (or fades it out itself)
    Release, // stopped, with its updater, before the next scene starts its own
};

// What the play hands to the score screen.
struct ScoreHandOff {
    int score = 0;
    int best = 0;
};

using SceneMaker = std::function<cocos2d::Scene*(const ScoreHandOff&)>;

struct SceneRoute {
    SceneMaker make;
    MusicOnChange music = MusicOnChange::CarryOn;
};

void setSceneRoute(SceneChange change, SceneRoute route);
// Forgets every route (tests).
void clearSceneRoutes();

// Makes the route's scene and replaces the running one with it, doing to the music what the
// route says; `leaving` is the scene that asks. Returns false, with a log line, when the change
// has no route (nothing changes) or its scene could not be made (the running scene stays; music
// the route releases is already released).
bool changeScene(SceneChange change, cocos2d::Node* leaving, const ScoreHandOff& handOff = {});
