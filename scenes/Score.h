#pragma once

#include "cocos2d.h"

// After every play: the play's score, the best score, and a retry or back-to-title button.
class Score : public cocos2d::Scene {
public:
    CREATE_FUNC(Score);
    bool init() override;

    // Shows both values; called once, after create() and before the scene is shown.
    void setScores(int score, int highScore);

    void onRetry(cocos2d::Ref* sender);
    void onBackToTitle(cocos2d::Ref* sender);

private:
    void addButtons();
    void addGameOverOverlay();

    cocos2d::Label* _scoreValueLabel = nullptr;     // owned by the scene graph
    cocos2d::Label* _highScoreValueLabel = nullptr; // owned by the scene graph
};
