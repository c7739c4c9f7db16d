#pragma once
// Tuning numbers of the play scene in one place: draw order, the durations of its effects and
// the visible area that every position is computed from. The rules' numbers are in
// model/PlayRules.h.

#include "cocos2d.h"
#include "model/PlayRules.h"

// Draw order, back to front.
constexpr int kZBackground = 0;
constexpr int kZSelectionFrame = 0;
constexpr int kZCharacter = 1;
constexpr int kZSelectionMenu = 1;
constexpr int kZTextBox = 2;
constexpr int kZMenuText = 3;
constexpr int kZLabels = 4;
constexpr int kZMark = 5;
constexpr int kZPopUp = 9;
constexpr int kZOverlay = 10; // focus lines and the game-over picture

constexpr float kMarkSeconds = 1.2f;
constexpr float kShakeSeconds = 0.1f;
constexpr float kPopUpSeconds = 1.0f;
constexpr float kFocusLineSeconds = 1.5f;
constexpr float kGameOverFadeSeconds = 0.5f;
constexpr float kGameOverHoldSeconds = 1.5f;
// A confession started with more than this on the clock ends before the play leaves for the score
// screen (its two steps end before the clock's zero plus the game-over hold), with a second spare.
constexpr float kConfessionSafeSeconds = 2 * kConfessionStepSeconds - kGameOverHoldSeconds + 1.0f;

constexpr int kTimerOutlineSize = 10;
const cocos2d::Color4B kTimerStartOutline(18, 10, 150, 255);

// Director's visible size and origin, read once per use so that every position follows the
// current resolution policy.
struct VisibleArea {
    float w, h, ox, oy;

    static VisibleArea current() {
        auto* director = cocos2d::Director::getInstance();
        const auto size = director->getVisibleSize();
        const auto origin = director->getVisibleOrigin();
        return VisibleArea{size.width, size.height, origin.x, origin.y};
    }
    cocos2d::Vec2 centre() const { return cocos2d::Vec2(ox + w / 2, oy + h / 2); }
    cocos2d::Vec2 timerPosition() const { return centre() + cocos2d::Vec2(0, 0.375f * h); }
    cocos2d::Vec2 scorePosition() const { return centre() + cocos2d::Vec2(0.375f * w, 0.375f * h); }
};
