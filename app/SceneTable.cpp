#include "app/SceneTable.h"

#include "gameplay/Game.h"
#include "scenes/Gals.h"
#include "scenes/Score.h"
#include "scenes/Setting.h"
#include "scenes/Title.h"
#include "scenes/Tutorial.h"
#include "shell/SceneFlow.h"

USING_NS_CC;

namespace {

template <class T> SceneMaker maker() {
    return [](const ScoreHandOff&) -> Scene* { return T::create(); };
}

Scene* makeScore(const ScoreHandOff& handOff) {
    auto* score = Score::create();
    if (score) {
        score->setScores(handOff.score, handOff.best);
    }
    return score;
}

} // namespace

void installSceneTable() {
    using M = MusicOnChange;
    // The title, the settings and the gallery share the title's track; every other scene
    // starts its own, so leaving for it releases the track. The score screen fades out the
    // play's track itself.
    setSceneRoute(SceneChange::LogoToTitle, {maker<Title>(), M::CarryOn});
    setSceneRoute(SceneChange::LogoToTutorial, {maker<Tutorial>(), M::CarryOn});
    setSceneRoute(SceneChange::TutorialToTitle, {maker<Title>(), M::Release});
    setSceneRoute(SceneChange::TitleToPlay, {maker<Game>(), M::Release});
    setSceneRoute(SceneChange::TitleToSettings, {maker<Setting>(), M::CarryOn});
    setSceneRoute(SceneChange::SettingsToTitle, {maker<Title>(), M::CarryOn});
    setSceneRoute(SceneChange::SettingsToGallery, {maker<Gals>(), M::CarryOn});
    setSceneRoute(SceneChange::SettingsToTutorial, {maker<Tutorial>(), M::Release});
    setSceneRoute(SceneChange::GalleryToSettings, {maker<Setting>(), M::CarryOn});
    setSceneRoute(SceneChange::PlayToScore, {makeScore, M::CarryOn});
    setSceneRoute(SceneChange::PlayToTitle, {maker<Title>(), M::Release});
    setSceneRoute(SceneChange::ScoreToPlay, {maker<Game>(), M::Release});
    setSceneRoute(SceneChange::ScoreToTitle, {maker<Title>(), M::Release});
}
