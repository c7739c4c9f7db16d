#pragma once

#include <cstddef>
#include <initializer_list>
#include <vector>

#include "2d/CCAction.h"
#include "base/CCVector.h"
#include "base/ccTypes.h"

NS_CC_BEGIN

class Node;

// An action that runs over a duration. Its first step after startWithTarget ignores that frame's dt
// (elapsed becomes a token 1e-6); later steps add dt. Each step calls update(elapsed / duration,
// clamped to [0, 1]); the action is done once elapsed reaches the duration, and that last update is
// exactly 1, so end values are exact. Durations of magnitude <= 1e-6 are stored as 1e-6.
class ActionInterval : public FiniteTimeAction {
public:
    static constexpr float kMinDuration = 1e-6f;

    float getElapsed() const { return _elapsed; }
    void setAmplitudeRate(float amp) { _amplitudeRate = amp; }
    float getAmplitudeRate() const { return _amplitudeRate; }

    virtual bool isDone() const override { return _done; }
    virtual void step(float dt) override;
    virtual void startWithTarget(Node* target) override;
    virtual ActionInterval* reverse() const override = 0;
    virtual ActionInterval* clone() const override = 0;

    CC_CONSTRUCTOR_ACCESS : bool initWithDuration(float d);

protected:
    float _elapsed = 0.0f;
    bool _firstTick = true;
    bool _done = false;
    float _amplitudeRate = 1.0f;
};

// Runs actions one after the other, built as left-nested pairs ((a, b), c). Within a pair the first
// action owns the fraction d0 / (d0 + d1) of the time (0 when d0 is zero), so an instant action fires
// on the step where everything before it has completed.
class Sequence : public ActionInterval {
public:
    // Sequence::create(a, b, c, nullptr): the list ends at the first null, as in the framework, so a
    // failed create in the middle drops it and everything after it (with a log line); a null
    // first action gives a null sequence.
    template <typename... Args> static Sequence* create(FiniteTimeAction* action1, Args... args) {
        return createFromList({action1, static_cast<FiniteTimeAction*>(args)...});
    }
    static Sequence* create(const Vector<FiniteTimeAction*>& arrayOfActions);
    static Sequence* createWithTwoActions(FiniteTimeAction* actionOne, FiniteTimeAction* actionTwo);

    virtual Sequence* clone() const override;
    virtual Sequence* reverse() const override;
    virtual void startWithTarget(Node* target) override;
    virtual void stop() override;
    virtual bool isDone() const override;
    virtual void update(float t) override;

    CC_CONSTRUCTOR_ACCESS : Sequence() = default;
    virtual ~Sequence();
    bool initWithTwoActions(FiniteTimeAction* actionOne, FiniteTimeAction* actionTwo);
    bool init(const Vector<FiniteTimeAction*>& arrayOfActions);

private:
    static Sequence* createFromList(std::initializer_list<FiniteTimeAction*> actions);

    FiniteTimeAction* _actions[2] = {nullptr, nullptr};
    float _split = 0.0f;
    int _last = -1;
};

// Runs the inner action `times` times; duration is times × the inner duration.
class Repeat : public ActionInterval {
public:
    static Repeat* create(FiniteTimeAction* action, unsigned int times);

    FiniteTimeAction* getInnerAction() const { return _innerAction; }

    virtual Repeat* clone() const override;
    virtual Repeat* reverse() const override;
    virtual void startWithTarget(Node* target) override;
    virtual void stop() override;
    virtual void update(float dt) override;
    virtual bool isDone() const override;

    CC_CONSTRUCTOR_ACCESS : Repeat() = default;
    virtual ~Repeat();
    bool initWithAction(FiniteTimeAction* action, unsigned int times);

protected:
    unsigned int _times = 0;
    unsigned int _total = 0;
    float _nextDt = 0.0f;
    bool _actionInstant = false;
    FiniteTimeAction* _innerAction = nullptr;
};

// Restarts the inner action whenever it completes, carrying the overshoot into the next round.
// Never done.
class RepeatForever : public ActionInterval {
public:
    static RepeatForever* create(ActionInterval* action);

    ActionInterval* getInnerAction() const { return _innerAction; }

    virtual RepeatForever* clone() const override;
    virtual RepeatForever* reverse() const override;
    virtual void startWithTarget(Node* target) override;
    virtual void stop() override;
    virtual void step(float dt) override;
    virtual bool isDone() const override { return false; }

    CC_CONSTRUCTOR_ACCESS : RepeatForever() = default;
    virtual ~RepeatForever();
    bool initWithAction(ActionInterval* action);

protected:
    ActionInterval* _innerAction = nullptr;
};

// Runs actions together; the duration is the longest one's and shorter ones are padded with a delay.
class Spawn : public ActionInterval {
public:
    template <typename... Args> static Spawn* create(FiniteTimeAction* action1, Args... args) {
        return createFromList({action1, static_cast<FiniteTimeAction*>(args)...});
    }
    static Spawn* create(const Vector<FiniteTimeAction*>& arrayOfActions);
    static Spawn* createWithTwoActions(FiniteTimeAction* action1, FiniteTimeAction* action2);

    virtual Spawn* clone() const override;
    virtual Spawn* reverse() const override;
    virtual void startWithTarget(Node* target) override;
    virtual void stop() override;
    virtual void update(float time) override;

    CC_CONSTRUCTOR_ACCESS : Spawn() = default;
    virtual ~Spawn();
    bool initWithTwoActions(FiniteTimeAction* action1, FiniteTimeAction* action2);
    bool init(const Vector<FiniteTimeAction*>& arrayOfActions);

private:
    static Spawn* createFromList(std::initializer_list<FiniteTimeAction*> actions);

    FiniteTimeAction* _one = nullptr;
    FiniteTimeAction* _two = nullptr;
};

// Rotates to an angle by the shorter way round (the start angle is first reduced modulo 360).
class RotateTo : public ActionInterval {
public:
    static RotateTo* create(float duration, float dstAngle);

    virtual RotateTo* clone() const override;
    virtual RotateTo* reverse() const override;
    virtual void startWithTarget(Node* target) override;
    virtual void update(float time) override;

    CC_CONSTRUCTOR_ACCESS : RotateTo() = default;
    bool initWithDuration(float duration, float dstAngle);

protected:
    float _dstAngle = 0.0f;
    float _startAngle = 0.0f;
    float _diffAngle = 0.0f;
};

// Rotation goes from its start value by deltaAngle degrees (positive is clockwise); not wrapped.
class RotateBy : public ActionInterval {
public:
    static RotateBy* create(float duration, float deltaAngle);

    virtual RotateBy* clone() const override;
    virtual RotateBy* reverse() const override;
    virtual void startWithTarget(Node* target) override;
    virtual void update(float time) override;

    CC_CONSTRUCTOR_ACCESS : RotateBy() = default;
    bool initWithDuration(float duration, float deltaAngle);

protected:
    float _deltaAngle = 0.0f;
    float _startAngle = 0.0f;
};

// Moves by a delta. Stackable: moves made by others while it runs are kept on top of it.
class MoveBy : public ActionInterval {
public:
    static MoveBy* create(float duration, const Vec2& deltaPosition);

    virtual MoveBy* clone() const override;
    virtual MoveBy* reverse() const override;
    virtual void startWithTarget(Node* target) override;
    virtual void update(float time) override;

    CC_CONSTRUCTOR_ACCESS : MoveBy() = default;
    bool initWithDuration(float duration, const Vec2& deltaPosition);

protected:
    Vec2 _positionDelta;
    Vec2 _startPosition;
    Vec2 _previousPosition;
};

// Moves to a position: the delta is fixed from the position at start, then it behaves like MoveBy.
class MoveTo : public MoveBy {
public:
    static MoveTo* create(float duration, const Vec2& position);

    virtual MoveTo* clone() const override;
    virtual MoveTo* reverse() const override;
    virtual void startWithTarget(Node* target) override;

    CC_CONSTRUCTOR_ACCESS : MoveTo() = default;
    bool initWithDuration(float duration, const Vec2& position);

protected:
    Vec2 _endPosition;
};

// Scale X and Y go linearly from their start values to the given ones.
class ScaleTo : public ActionInterval {
public:
    static ScaleTo* create(float duration, float s);
    static ScaleTo* create(float duration, float sx, float sy);

    virtual ScaleTo* clone() const override;
    virtual ScaleTo* reverse() const override;
    virtual void startWithTarget(Node* target) override;
    virtual void update(float time) override;

    CC_CONSTRUCTOR_ACCESS : ScaleTo() = default;
    bool initWithDuration(float duration, float sx, float sy);

protected:
    float _startScaleX = 1.0f;
    float _startScaleY = 1.0f;
    float _endScaleX = 1.0f;
    float _endScaleY = 1.0f;
    float _deltaX = 0.0f;
    float _deltaY = 0.0f;
};

// Multiplies the start scale by the given factors over the duration.
class ScaleBy : public ScaleTo {
public:
    static ScaleBy* create(float duration, float s);
    static ScaleBy* create(float duration, float sx, float sy);

    virtual ScaleBy* clone() const override;
    virtual ScaleBy* reverse() const override;
    virtual void startWithTarget(Node* target) override;

    CC_CONSTRUCTOR_ACCESS : ScaleBy() = default;
};

// Toggles visibility `blinks` times; restores the original visibility when stopped.
class Blink : public ActionInterval {
public:
    static Blink* create(float duration, int blinks);

    virtual Blink* clone() const override;
    virtual Blink* reverse() const override;
    virtual void startWithTarget(Node* target) override;
    virtual void stop() override;
    virtual void update(float time) override;

    CC_CONSTRUCTOR_ACCESS : Blink() = default;
    bool initWithDuration(float duration, int blinks);

protected:
    int _times = 0;
    bool _originalState = true;
};

// Opacity goes from the node's opacity at start to the target; each step truncates to an integer.
class FadeTo : public ActionInterval {
public:
    static FadeTo* create(float duration, GLubyte opacity);

    virtual FadeTo* clone() const override;
    virtual FadeTo* reverse() const override;
    virtual void startWithTarget(Node* target) override;
    virtual void update(float time) override;

    CC_CONSTRUCTOR_ACCESS : FadeTo() = default;
    bool initWithDuration(float duration, GLubyte opacity);

protected:
    GLubyte _toOpacity = 0;
    GLubyte _fromOpacity = 0;
};

// FadeTo 255 from the current opacity.
class FadeIn : public FadeTo {
public:
    static FadeIn* create(float d);

    virtual FadeIn* clone() const override;
    virtual FadeTo* reverse() const override;

    CC_CONSTRUCTOR_ACCESS : FadeIn() = default;
};

// FadeTo 0 from the current opacity.
class FadeOut : public FadeTo {
public:
    static FadeOut* create(float d);

    virtual FadeOut* clone() const override;
    virtual FadeTo* reverse() const override;

    CC_CONSTRUCTOR_ACCESS : FadeOut() = default;
};

// Colour goes linearly from the node's colour at start to the target colour.
class TintTo : public ActionInterval {
public:
    static TintTo* create(float duration, GLubyte red, GLubyte green, GLubyte blue);
    static TintTo* create(float duration, const Color3B& color);

    virtual TintTo* clone() const override;
    virtual TintTo* reverse() const override;
    virtual void startWithTarget(Node* target) override;
    virtual void update(float time) override;

    CC_CONSTRUCTOR_ACCESS : TintTo() = default;
    bool initWithDuration(float duration, GLubyte red, GLubyte green, GLubyte blue);

protected:
    Color3B _to;
    Color3B _from;
};

// Adds a (possibly negative) delta to each colour channel over the duration.
class TintBy : public ActionInterval {
public:
    static TintBy* create(float duration, GLshort deltaRed, GLshort deltaGreen, GLshort deltaBlue);

    virtual TintBy* clone() const override;
    virtual TintBy* reverse() const override;
    virtual void startWithTarget(Node* target) override;
    virtual void update(float time) override;

    CC_CONSTRUCTOR_ACCESS : TintBy() = default;
    bool initWithDuration(float duration, GLshort deltaRed, GLshort deltaGreen, GLshort deltaBlue);

protected:
    GLshort _deltaR = 0;
    GLshort _deltaG = 0;
    GLshort _deltaB = 0;
    GLshort _fromR = 0;
    GLshort _fromG = 0;
    GLshort _fromB = 0;
};

// Waits.
class DelayTime : public ActionInterval {
public:
    static DelayTime* create(float d);

    virtual DelayTime* clone() const override;
    virtual DelayTime* reverse() const override;
    virtual void update(float time) override;

    CC_CONSTRUCTOR_ACCESS : DelayTime() = default;
};

NS_CC_END
