#pragma once
// The front scenes on the shipped resources: a fresh headless engine, the game data loaded
// once per suite, and the music manager's state (which outlives the engine) cleared per test.

#include "app/SceneTable.h"
#include "data/GameData.h"
#include "engine/EngineFixture.h"
#include "shell/BGM.h"

class ShippedScenesFixture : public EngineFixture {
protected:
    static void SetUpTestSuite() { GameData::loadAll(); }

    void SetUp() override {
        EngineFixture::SetUp();
        resetBGM();
        installSceneTable();
    }

    template <class T> T* run(T* scene) {
        director()->runWithScene(scene);
        step(0.0f);
        return scene;
    }
};
