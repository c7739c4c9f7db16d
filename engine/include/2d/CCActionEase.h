#pragma once

#include "2d/CCActionInterval.h"

NS_CC_BEGIN

// The easing curves as plain functions of progress t in [0, 1].
namespace tweenfunc {
float linear(float time);
float sineEaseIn(float time);
float sineEaseOut(float time);
float sineEaseInOut(float time);
float quadEaseIn(float time);
float quadEaseOut(float time);
float quadEaseInOut(float time);
float cubicEaseIn(float time);
float cubicEaseOut(float time);
float cubicEaseInOut(float time);
float expoEaseIn(float time);
float expoEaseOut(float time);
float expoEaseInOut(float time);
float bounceEaseIn(float time);
float bounceEaseOut(float time);
float bounceEaseInOut(float time);
float backEaseIn(float time);
float backEaseOut(float time);
float backEaseInOut(float time);
float easeIn(float time, float rate);
float easeOut(float time, float rate);
float easeInOut(float time, float rate);
} // namespace tweenfunc

// Wraps one interval action and feeds it an eased progress: update(t) -> inner.update(f(t)).
// The duration is the inner action's.
class ActionEase : public ActionInterval {
public:
    virtual ActionInterval* getInnerAction() { return _inner; }

    virtual ActionEase* clone() const override = 0;
    virtual ActionEase* reverse() const override = 0;
    virtual void startWithTarget(Node* target) override;
    virtual void stop() override;
    virtual void update(float time) override;

    CC_CONSTRUCTOR_ACCESS : ActionEase() = default;
    virtual ~ActionEase();
    bool initWithAction(ActionInterval* action);

protected:
    ActionInterval* _inner = nullptr;
};

// An ease with a rate parameter (EaseIn/EaseOut/EaseInOut: t^rate curves).
class EaseRateAction : public ActionEase {
public:
    void setRate(float rate) { _rate = rate; }
    float getRate() const { return _rate; }

    CC_CONSTRUCTOR_ACCESS : EaseRateAction() = default;
    bool initWithAction(ActionInterval* action, float rate);

protected:
    float _rate = 2.0f;
};

#define CC_EASE_DECLARE_CLASS(CLASSNAME)                                                                     \
    class CLASSNAME : public ActionEase {                                                                    \
    public:                                                                                                  \
        static CLASSNAME* create(ActionInterval* action);                                                    \
        virtual CLASSNAME* clone() const override;                                                           \
        virtual ActionEase* reverse() const override;                                                        \
        virtual void update(float time) override;                                                            \
    };

#define CC_EASE_RATE_DECLARE_CLASS(CLASSNAME)                                                                \
    class CLASSNAME : public EaseRateAction {                                                                \
    public:                                                                                                  \
        static CLASSNAME* create(ActionInterval* action, float rate);                                        \
        virtual CLASSNAME* clone() const override;                                                           \
        virtual EaseRateAction* reverse() const override;                                                    \
        virtual void update(float time) override;                                                            \
    };

CC_EASE_DECLARE_CLASS(EaseSineIn)
CC_EASE_DECLARE_CLASS(EaseSineOut)
CC_EASE_DECLARE_CLASS(EaseSineInOut)
CC_EASE_DECLARE_CLASS(EaseQuadraticActionIn)
CC_EASE_DECLARE_CLASS(EaseQuadraticActionOut)
CC_EASE_DECLARE_CLASS(EaseQuadraticActionInOut)
CC_EASE_DECLARE_CLASS(EaseCubicActionIn)
CC_EASE_DECLARE_CLASS(EaseCubicActionOut)
CC_EASE_DECLARE_CLASS(EaseCubicActionInOut)
CC_EASE_DECLARE_CLASS(EaseExponentialIn)
CC_EASE_DECLARE_CLASS(EaseExponentialOut)
CC_EASE_DECLARE_CLASS(EaseExponentialInOut)
CC_EASE_DECLARE_CLASS(EaseBounceIn)
CC_EASE_DECLARE_CLASS(EaseBounceOut)
CC_EASE_DECLARE_CLASS(EaseBounceInOut)
CC_EASE_DECLARE_CLASS(EaseBackIn)
CC_EASE_DECLARE_CLASS(EaseBackOut)
CC_EASE_DECLARE_CLASS(EaseBackInOut)
CC_EASE_RATE_DECLARE_CLASS(EaseIn)
CC_EASE_RATE_DECLARE_CLASS(EaseOut)
CC_EASE_RATE_DECLARE_CLASS(EaseInOut)

NS_CC_END
