// The play's clock. It runs on the wall clock read in update, not on the frame delta, so a
// stalled frame (a dragged window, a slow machine) still costs the player its real time.
#include "gameplay/Game.h"

#include <algorithm>
#include <cstdio>

#include "gameplay/GameLayout.h"
#include "shell/Constants.h"
#include "shell/TickClock.h"

USING_NS_CC;

void Game::update(float /*dt*/) {
    if (!_proposeKeyRegistered) {
        _proposeKeyRegistered = true;
        registerProposeKey();
    }

    const std::int64_t now = currentTicks();
    const std::int64_t nanoseconds = (now - _lastTicks) * 100;
    const float elapsed = static_cast<float>(static_cast<double>(nanoseconds) / 1e9);
    updateTimer(elapsed);
    _lastTicks = now;

    if (_play.state() == PlayState::Ending) {
        startGameOver();
    }
    if (auto* label = getTimeLabel()) {
        label->enableOutline(timerColor(), kTimerOutlineSize);
    } else {
        log("timeLabel is null");
    }
}

void Game::updateTimer(float seconds) {
    _play.tick(seconds);
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", _play.timeLeft());
    if (auto* label = getTimeLabel()) {
        label->setString(text);
    } else {
        log("timeLabel is null");
    }
}

Color4B Game::timerColor() const {
    const float x = std::min(1.0f - (_play.timeLeft() - 10.0f) / 60.0f, 1.0f);
    const float f = x * x * x;
    const Vec4 colour = kAlarmColor * f + kCalmColor * (1.0f - f);
    // Above 70 s the blend weight turns negative and a channel can leave 0..1; clamp it
    // instead of letting the byte conversion wrap.
    const auto toByte = [](float channel) {
        return static_cast<GLubyte>(std::clamp(static_cast<int>(channel * 255), 0, 255));
    };
    return Color4B(toByte(colour.x), toByte(colour.y), toByte(colour.z), 255);
}
