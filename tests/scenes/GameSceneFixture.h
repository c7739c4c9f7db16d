#pragma once
// The scene tests' one headless fixture: a fresh engine per test (a temporary store, silent
// audio, captured log lines), the content loaded, the music manager's state (which outlives the
// engine) cleared and the game's scene table installed. The content is the shipped Resources/
// unless a suite names fixture content.

#include <string>

#include "app/SceneTable.h"
#include "data/GameData.h"
#include "engine/EngineFixture.h"
#include "shell/BGM.h"

class GameSceneFixture : public EngineFixture {
protected:
    // The folder the scenes read content from; empty for the shipped Resources/.
    virtual std::string contentRoot() const { return ""; }

    void SetUp() override {
        EngineFixture::SetUp();
        if (!contentRoot().empty()) {
            cocos2d::ext::setResourceRoot(contentRoot());
        }
        GameData::loadAll();
        resetBGM();
        installSceneTable();
    }
    void TearDown() override {
        EngineFixture::TearDown();
        cocos2d::ext::setResourceRoot("");
    }

    template <class T> T* run(T* scene) {
        director()->runWithScene(scene);
        step(0.0f);
        return scene;
    }
};
