#include <cfloat>
#include <cmath>

#include "2d/CCActionInstant.h"
#include "2d/CCActionInterval.h"
#include "2d/CCNode.h"
#include "base/CCConsole.h"

NS_CC_BEGIN

Repeat* Repeat::create(FiniteTimeAction* action, unsigned int times) {
    if (action == nullptr) {
        log("Repeat::create: null action");
        return nullptr;
    }
    auto repeat = new Repeat();
    repeat->initWithAction(action, times);
    repeat->autorelease();
    return repeat;
}

bool Repeat::initWithAction(FiniteTimeAction* action, unsigned int times) {
    ActionInterval::initWithDuration(action->getDuration() * times);
    _times = times;
    _innerAction = action;
    action->retain();
    _actionInstant = dynamic_cast<ActionInstant*>(action) != nullptr;
    _total = 0;
    return true;
}

Repeat::~Repeat() {
    CC_SAFE_RELEASE(_innerAction);
}

Repeat* Repeat::clone() const {
    return create(_innerAction->clone(), _times);
}

Repeat* Repeat::reverse() const {
    FiniteTimeAction* inner = _innerAction->reverse();
    return inner != nullptr ? create(inner, _times) : nullptr;
}

void Repeat::startWithTarget(Node* target) {
    _total = 0;
    _nextDt = _innerAction->getDuration() / _duration;
    ActionInterval::startWithTarget(target);
    _innerAction->startWithTarget(target);
}

void Repeat::stop() {
    _innerAction->stop();
    ActionInterval::stop();
}

bool Repeat::isDone() const {
    return _total == _times;
}

void Repeat::update(float dt) {
    float share = _innerAction->getDuration() / _duration;
    if (dt < _nextDt) {
        _innerAction->update(std::fmod(dt * _times, 1.0f));
        return;
    }
    // Every boundary crossed in this step completes the inner action and restarts it.
    while (dt >= _nextDt && _total < _times) {
        _innerAction->update(1.0f);
        _total++;
        _innerAction->stop();
        _innerAction->startWithTarget(_target);
        _nextDt = share * (_total + 1);
    }
    // Rounding must not cost the last repetition its end state.
    if (std::fabs(dt - 1.0f) < FLT_EPSILON && _total < _times) {
        _innerAction->update(1.0f);
        _total++;
    }
    if (_actionInstant) {
        return;
    }
    if (_total == _times) {
        _innerAction->stop();
    } else {
        _innerAction->update(dt - (_nextDt - share));
    }
}

RepeatForever* RepeatForever::create(ActionInterval* action) {
    if (action == nullptr) {
        log("RepeatForever::create: null action");
        return nullptr;
    }
    auto repeat = new RepeatForever();
    repeat->initWithAction(action);
    repeat->autorelease();
    return repeat;
}

bool RepeatForever::initWithAction(ActionInterval* action) {
    action->retain();
    _innerAction = action;
    return true;
}

RepeatForever::~RepeatForever() {
    CC_SAFE_RELEASE(_innerAction);
}

RepeatForever* RepeatForever::clone() const {
    return create(_innerAction->clone());
}

RepeatForever* RepeatForever::reverse() const {
    ActionInterval* inner = _innerAction->reverse();
    return inner != nullptr ? create(inner) : nullptr;
}

void RepeatForever::startWithTarget(Node* target) {
    ActionInterval::startWithTarget(target);
    _innerAction->startWithTarget(target);
}

void RepeatForever::stop() {
    _innerAction->stop();
    ActionInterval::stop();
}

void RepeatForever::step(float dt) {
    _innerAction->step(dt);
    if (_innerAction->isDone() && _innerAction->getDuration() > 0) {
        // Carry the time past the end into the next round so the rhythm does not drift.
        float diff = _innerAction->getElapsed() - _innerAction->getDuration();
        if (diff > _innerAction->getDuration()) {
            diff = std::fmod(diff, _innerAction->getDuration());
        }
        _innerAction->startWithTarget(_target);
        _innerAction->step(0.0f);
        _innerAction->step(diff);
    }
}

NS_CC_END
