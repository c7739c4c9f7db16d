#include "2d/CCActionInterval.h"

#include <algorithm>
#include <cfloat>
#include <cmath>

#include "2d/CCActionInstant.h"
#include "2d/CCNode.h"
#include "base/CCConsole.h"

NS_CC_BEGIN

bool ActionInterval::initWithDuration(float d) {
    // Zero and negative durations become the minimum, so such an action completes (and reaches its
    // end values) on its first step instead of dividing by zero or never progressing.
    _duration = d <= kMinDuration ? kMinDuration : d;
    _elapsed = 0.0f;
    _firstTick = true;
    _done = false;
    return true;
}

void ActionInterval::startWithTarget(Node* target) {
    FiniteTimeAction::startWithTarget(target);
    _elapsed = 0.0f;
    _firstTick = true;
    _done = false;
}

void ActionInterval::step(float dt) {
    // The frame that starts an action does not count towards it.
    if (_firstTick) {
        _firstTick = false;
        _elapsed = kMinDuration;
    } else {
        _elapsed += dt;
    }
    float progress = std::max(0.0f, std::min(1.0f, _elapsed / _duration));
    update(progress);
    _done = _elapsed >= _duration;
}

// ---- Sequence

namespace {

// The actions before the first null, as the framework's nullptr-terminated lists read them; a
// null before the conventional terminator (a failed create) cuts the list short and is reported.
std::vector<FiniteTimeAction*> actionsBeforeNull(std::initializer_list<FiniteTimeAction*> list,
                                                 const char* owner) {
    auto end = std::find(list.begin(), list.end(), nullptr);
    const auto ignored = std::count_if(end, list.end(), [](FiniteTimeAction* a) { return a != nullptr; });
    if (ignored > 0) {
        log("%s::create: a null action at position %zu ends the list; %zu after it ignored", owner,
            static_cast<size_t>(end - list.begin()) + 1, static_cast<size_t>(ignored));
    }
    return std::vector<FiniteTimeAction*>(list.begin(), end);
}

// Sequence and Spawn are built the same way from their parts; only the pairing differs.
template <class Pair> Pair* makePair(FiniteTimeAction* one, FiniteTimeAction* two, const char* owner) {
    if (one == nullptr || two == nullptr) {
        log("%s::createWithTwoActions: null action", owner);
        return nullptr;
    }
    auto pair = new Pair();
    pair->initWithTwoActions(one, two);
    pair->autorelease();
    return pair;
}

template <class Pair> Pair* makeFromVector(const Vector<FiniteTimeAction*>& actions) {
    auto pair = new Pair();
    if (pair->init(actions)) {
        pair->autorelease();
        return pair;
    }
    delete pair;
    return nullptr;
}

template <class Pair> Pair* makeFromList(std::initializer_list<FiniteTimeAction*> list, const char* owner) {
    Vector<FiniteTimeAction*> actions;
    for (FiniteTimeAction* action : actionsBeforeNull(list, owner)) {
        actions.pushBack(action);
    }
    return Pair::create(actions);
}

// Left-nested pairs: ((a, b), c); a lone action is paired with an empty instant one.
template <class Pair>
bool initNested(Pair* self, const Vector<FiniteTimeAction*>& actions, const char* owner) {
    ssize_t count = actions.size();
    if (count == 0) {
        log("%s::create: no actions", owner);
        return false;
    }
    if (count == 1) {
        return self->initWithTwoActions(actions.at(0), ExtraAction::create());
    }
    FiniteTimeAction* prev = actions.at(0);
    for (ssize_t i = 1; i < count - 1; ++i) {
        prev = Pair::createWithTwoActions(prev, actions.at(i));
    }
    return self->initWithTwoActions(prev, actions.at(count - 1));
}

} // namespace

Sequence* Sequence::createWithTwoActions(FiniteTimeAction* actionOne, FiniteTimeAction* actionTwo) {
    return makePair<Sequence>(actionOne, actionTwo, "Sequence");
}

Sequence* Sequence::createFromList(std::initializer_list<FiniteTimeAction*> list) {
    return makeFromList<Sequence>(list, "Sequence");
}

Sequence* Sequence::create(const Vector<FiniteTimeAction*>& arrayOfActions) {
    return makeFromVector<Sequence>(arrayOfActions);
}

bool Sequence::init(const Vector<FiniteTimeAction*>& arrayOfActions) {
    return initNested(this, arrayOfActions, "Sequence");
}

bool Sequence::initWithTwoActions(FiniteTimeAction* actionOne, FiniteTimeAction* actionTwo) {
    ActionInterval::initWithDuration(actionOne->getDuration() + actionTwo->getDuration());
    _actions[0] = actionOne;
    actionOne->retain();
    _actions[1] = actionTwo;
    actionTwo->retain();
    return true;
}

Sequence::~Sequence() {
    CC_SAFE_RELEASE(_actions[0]);
    CC_SAFE_RELEASE(_actions[1]);
}

Sequence* Sequence::clone() const {
    return createWithTwoActions(_actions[0]->clone(), _actions[1]->clone());
}

Sequence* Sequence::reverse() const {
    FiniteTimeAction* second = _actions[1]->reverse();
    FiniteTimeAction* first = _actions[0]->reverse();
    if (second == nullptr || first == nullptr) {
        return nullptr;
    }
    return createWithTwoActions(second, first);
}

void Sequence::startWithTarget(Node* target) {
    if (_duration > FLT_EPSILON) {
        float first = _actions[0]->getDuration();
        _split = first > FLT_EPSILON ? first / _duration : 0.0f;
    }
    ActionInterval::startWithTarget(target);
    _last = -1;
}

void Sequence::stop() {
    if (_last != -1) {
        _actions[_last]->stop();
    }
    ActionInterval::stop();
}

bool Sequence::isDone() const {
    return _done;
}

void Sequence::update(float t) {
    int found = 0;
    float newT = 0.0f;
    if (t < _split) {
        found = 0;
        newT = _split != 0.0f ? t / _split : 1.0f;
    } else {
        found = 1;
        newT = _split == 1.0f ? 1.0f : (t - _split) / (1.0f - _split);
    }

    if (found == 1) {
        if (_last == -1) {
            // The first action was skipped over in one step: run it to its end first.
            _actions[0]->startWithTarget(_target);
            _actions[0]->update(1.0f);
            _actions[0]->stop();
        } else if (_last == 0) {
            _actions[0]->update(1.0f);
            _actions[0]->stop();
        }
    } else if (_last == 1) {
        // Going backwards (a reversed container).
        _actions[1]->update(0.0f);
        _actions[1]->stop();
    }

    // An instant second action that already fired stays fired.
    if (found == _last && _actions[found]->isDone()) {
        return;
    }
    if (found != _last) {
        _actions[found]->startWithTarget(_target);
    }
    _actions[found]->update(newT);
    _last = found;
}

// ---- Spawn

Spawn* Spawn::createWithTwoActions(FiniteTimeAction* action1, FiniteTimeAction* action2) {
    return makePair<Spawn>(action1, action2, "Spawn");
}

Spawn* Spawn::createFromList(std::initializer_list<FiniteTimeAction*> list) {
    return makeFromList<Spawn>(list, "Spawn");
}

Spawn* Spawn::create(const Vector<FiniteTimeAction*>& arrayOfActions) {
    return makeFromVector<Spawn>(arrayOfActions);
}

bool Spawn::init(const Vector<FiniteTimeAction*>& arrayOfActions) {
    return initNested(this, arrayOfActions, "Spawn");
}

bool Spawn::initWithTwoActions(FiniteTimeAction* action1, FiniteTimeAction* action2) {
    float d1 = action1->getDuration();
    float d2 = action2->getDuration();
    ActionInterval::initWithDuration(std::max(d1, d2));
    _one = action1;
    _two = action2;
    // The shorter one is padded with a delay so both see the same progress value.
    if (d1 > d2) {
        _two = Sequence::createWithTwoActions(action2, DelayTime::create(d1 - d2));
    } else if (d1 < d2) {
        _one = Sequence::createWithTwoActions(action1, DelayTime::create(d2 - d1));
    }
    _one->retain();
    _two->retain();
    return true;
}

Spawn::~Spawn() {
    CC_SAFE_RELEASE(_one);
    CC_SAFE_RELEASE(_two);
}

Spawn* Spawn::clone() const {
    return createWithTwoActions(_one->clone(), _two->clone());
}

Spawn* Spawn::reverse() const {
    FiniteTimeAction* one = _one->reverse();
    FiniteTimeAction* two = _two->reverse();
    if (one == nullptr || two == nullptr) {
        return nullptr;
    }
    return createWithTwoActions(one, two);
}

void Spawn::startWithTarget(Node* target) {
    ActionInterval::startWithTarget(target);
    _one->startWithTarget(target);
    _two->startWithTarget(target);
}

void Spawn::stop() {
    _one->stop();
    _two->stop();
    ActionInterval::stop();
}

void Spawn::update(float time) {
    _one->update(time);
    _two->update(time);
}

// ---- DelayTime

DelayTime* DelayTime::create(float d) {
    auto action = new DelayTime();
    action->initWithDuration(d);
    action->autorelease();
    return action;
}

DelayTime* DelayTime::clone() const {
    return create(_duration);
}

DelayTime* DelayTime::reverse() const {
    return create(_duration);
}

void DelayTime::update(float /*time*/) {}

NS_CC_END
