#include "2d/CCActionEase.h"

#include <cmath>

#include "2d/CCNode.h"
#include "base/CCConsole.h"

NS_CC_BEGIN

namespace tweenfunc {

namespace {
constexpr float kPi = 3.14159265358979323846f;
constexpr float kBackOvershoot = 1.70158f;

// The bounce curve: four parabolas, each a smaller hop, reaching 1 at t = 1.
float bounceTime(float t) {
    if (t < 1 / 2.75f) {
        return 7.5625f * t * t;
    }
    if (t < 2 / 2.75f) {
        t -= 1.5f / 2.75f;
        return 7.5625f * t * t + 0.75f;
    }
    if (t < 2.5f / 2.75f) {
        t -= 2.25f / 2.75f;
        return 7.5625f * t * t + 0.9375f;
    }
    t -= 2.625f / 2.75f;
    return 7.5625f * t * t + 0.984375f;
}
} // namespace

float linear(float time) {
    return time;
}
float sineEaseIn(float time) {
    return -1 * std::cos(time * kPi / 2) + 1;
}
float sineEaseOut(float time) {
    return std::sin(time * kPi / 2);
}
float sineEaseInOut(float time) {
    return -0.5f * (std::cos(kPi * time) - 1);
}
float quadEaseIn(float time) {
    return time * time;
}
float quadEaseOut(float time) {
    return -1 * time * (time - 2);
}
float quadEaseInOut(float time) {
    time = time * 2;
    if (time < 1) {
        return 0.5f * time * time;
    }
    --time;
    return -0.5f * (time * (time - 2) - 1);
}
float cubicEaseIn(float time) {
    return time * time * time;
}
float cubicEaseOut(float time) {
    time -= 1;
    return time * time * time + 1;
}
float cubicEaseInOut(float time) {
    time = time * 2;
    if (time < 1) {
        return 0.5f * time * time * time;
    }
    time -= 2;
    return 0.5f * (time * time * time + 2);
}
float expoEaseIn(float time) {
    return time == 0 ? 0 : std::pow(2.0f, 10 * (time / 1 - 1)) - 1 * 0.001f;
}
float expoEaseOut(float time) {
    return time == 1 ? 1 : -std::pow(2.0f, -10 * time / 1) + 1;
}
float expoEaseInOut(float time) {
    if (time == 0 || time == 1) {
        return time;
    }
    if (time < 0.5f) {
        return 0.5f * std::pow(2.0f, 10 * (time * 2 - 1));
    }
    return 0.5f * (-std::pow(2.0f, -10 * (time * 2 - 1)) + 2);
}
// The curve's last parabola ends at 1 only up to rounding; pin the end so eased moves land exactly.
float bounceEaseOut(float time) {
    return time >= 1 ? 1 : bounceTime(time);
}
float bounceEaseIn(float time) {
    return time >= 1 ? 1 : 1 - bounceTime(1 - time);
}
float bounceEaseInOut(float time) {
    if (time < 0.5f) {
        return (1 - bounceTime(1 - time * 2)) * 0.5f;
    }
    return time >= 1 ? 1 : bounceTime(time * 2 - 1) * 0.5f + 0.5f;
}
float backEaseIn(float time) {
    return time * time * ((kBackOvershoot + 1) * time - kBackOvershoot);
}
float backEaseOut(float time) {
    time = time - 1;
    return time * time * ((kBackOvershoot + 1) * time + kBackOvershoot) + 1;
}
float backEaseInOut(float time) {
    const float overshoot = kBackOvershoot * 1.525f;
    time = time * 2;
    if (time < 1) {
        return (time * time * ((overshoot + 1) * time - overshoot)) / 2;
    }
    time = time - 2;
    return (time * time * ((overshoot + 1) * time + overshoot)) / 2 + 1;
}
float easeIn(float time, float rate) {
    return std::pow(time, rate);
}
float easeOut(float time, float rate) {
    return std::pow(time, 1 / rate);
}
float easeInOut(float time, float rate) {
    time *= 2;
    if (time < 1) {
        return 0.5f * std::pow(time, rate);
    }
    return 1.0f - 0.5f * std::pow(2 - time, rate);
}

} // namespace tweenfunc

bool ActionEase::initWithAction(ActionInterval* action) {
    ActionInterval::initWithDuration(action->getDuration());
    _inner = action;
    action->retain();
    return true;
}

ActionEase::~ActionEase() {
    CC_SAFE_RELEASE(_inner);
}

void ActionEase::startWithTarget(Node* target) {
    ActionInterval::startWithTarget(target);
    _inner->startWithTarget(_target);
}

void ActionEase::stop() {
    _inner->stop();
    ActionInterval::stop();
}

void ActionEase::update(float time) {
    _inner->update(time);
}

bool EaseRateAction::initWithAction(ActionInterval* action, float rate) {
    ActionEase::initWithAction(action);
    _rate = rate;
    return true;
}

#define CC_EASE_DEFINE_CLASS(CLASSNAME, CURVE, REVERSE_CLASS)                                                \
    CLASSNAME* CLASSNAME::create(ActionInterval* action) {                                                   \
        if (action == nullptr) {                                                                             \
            log(#CLASSNAME "::create: null action");                                                         \
            return nullptr;                                                                                  \
        }                                                                                                    \
        auto ease = new CLASSNAME();                                                                         \
        ease->initWithAction(action);                                                                        \
        ease->autorelease();                                                                                 \
        return ease;                                                                                         \
    }                                                                                                        \
    CLASSNAME* CLASSNAME::clone() const {                                                                    \
        return create(_inner->clone());                                                                      \
    }                                                                                                        \
    ActionEase* CLASSNAME::reverse() const {                                                                 \
        ActionInterval* inner = _inner->reverse();                                                           \
        return inner != nullptr ? REVERSE_CLASS::create(inner) : nullptr;                                    \
    }                                                                                                        \
    void CLASSNAME::update(float time) {                                                                     \
        _inner->update(tweenfunc::CURVE(time));                                                              \
    }

#define CC_EASE_RATE_DEFINE_CLASS(CLASSNAME, CURVE, REVERSE_CLASS)                                           \
    CLASSNAME* CLASSNAME::create(ActionInterval* action, float rate) {                                       \
        if (action == nullptr) {                                                                             \
            log(#CLASSNAME "::create: null action");                                                         \
            return nullptr;                                                                                  \
        }                                                                                                    \
        auto ease = new CLASSNAME();                                                                         \
        ease->initWithAction(action, rate);                                                                  \
        ease->autorelease();                                                                                 \
        return ease;                                                                                         \
    }                                                                                                        \
    CLASSNAME* CLASSNAME::clone() const {                                                                    \
        return create(_inner->clone(), _rate);                                                               \
    }                                                                                                        \
    EaseRateAction* CLASSNAME::reverse() const {                                                             \
        ActionInterval* inner = _inner->reverse();                                                           \
        return inner != nullptr ? REVERSE_CLASS::create(inner, 1 / _rate) : nullptr;                         \
    }                                                                                                        \
    void CLASSNAME::update(float time) {                                                                     \
        _inner->update(tweenfunc::CURVE(time, _rate));                                                       \
    }

CC_EASE_DEFINE_CLASS(EaseSineIn, sineEaseIn, EaseSineOut)
CC_EASE_DEFINE_CLASS(EaseSineOut, sineEaseOut, EaseSineIn)
CC_EASE_DEFINE_CLASS(EaseSineInOut, sineEaseInOut, EaseSineInOut)
CC_EASE_DEFINE_CLASS(EaseQuadraticActionIn, quadEaseIn, EaseQuadraticActionIn)
CC_EASE_DEFINE_CLASS(EaseQuadraticActionOut, quadEaseOut, EaseQuadraticActionOut)
CC_EASE_DEFINE_CLASS(EaseQuadraticActionInOut, quadEaseInOut, EaseQuadraticActionInOut)
CC_EASE_DEFINE_CLASS(EaseCubicActionIn, cubicEaseIn, EaseCubicActionIn)
CC_EASE_DEFINE_CLASS(EaseCubicActionOut, cubicEaseOut, EaseCubicActionOut)
CC_EASE_DEFINE_CLASS(EaseCubicActionInOut, cubicEaseInOut, EaseCubicActionInOut)
CC_EASE_DEFINE_CLASS(EaseExponentialIn, expoEaseIn, EaseExponentialOut)
CC_EASE_DEFINE_CLASS(EaseExponentialOut, expoEaseOut, EaseExponentialIn)
CC_EASE_DEFINE_CLASS(EaseExponentialInOut, expoEaseInOut, EaseExponentialInOut)
CC_EASE_DEFINE_CLASS(EaseBounceIn, bounceEaseIn, EaseBounceOut)
CC_EASE_DEFINE_CLASS(EaseBounceOut, bounceEaseOut, EaseBounceIn)
CC_EASE_DEFINE_CLASS(EaseBounceInOut, bounceEaseInOut, EaseBounceInOut)
CC_EASE_DEFINE_CLASS(EaseBackIn, backEaseIn, EaseBackOut)
CC_EASE_DEFINE_CLASS(EaseBackOut, backEaseOut, EaseBackIn)
CC_EASE_DEFINE_CLASS(EaseBackInOut, backEaseInOut, EaseBackInOut)
CC_EASE_RATE_DEFINE_CLASS(EaseIn, easeIn, EaseOut)
CC_EASE_RATE_DEFINE_CLASS(EaseOut, easeOut, EaseIn)
CC_EASE_RATE_DEFINE_CLASS(EaseInOut, easeInOut, EaseInOut)

NS_CC_END
