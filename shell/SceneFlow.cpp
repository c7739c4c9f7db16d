#include "shell/SceneFlow.h"

#include <map>

#include "cocos2d.h"
#include "shell/BGM.h"

namespace {

std::map<SceneChange, SceneRoute>& routes() {
    static std::map<SceneChange, SceneRoute> table;
    return table;
}

} // namespace

void setSceneRoute(SceneChange change, SceneRoute route) {
    routes()[change] = std::move(route);
}

void clearSceneRoutes() {
    routes().clear();
}

bool changeScene(SceneChange change, cocos2d::Node* leaving, const ScoreHandOff& handOff) {
    const auto found = routes().find(change);
    if (found == routes().end() || !found->second.make) {
        cocos2d::log("No route for scene change %d", static_cast<int>(change));
        return false;
    }
    // Released before the next scene is made: making it may start that scene's own track.
    if (found->second.music == MusicOnChange::Release) {
        releaseBGM(leaving);
    }
    cocos2d::Scene* next = found->second.make(handOff);
    if (!next) {
        cocos2d::log("Scene change %d: the next scene could not be made", static_cast<int>(change));
        return false;
    }
    cocos2d::Director::getInstance()->replaceScene(next);
    return true;
}
