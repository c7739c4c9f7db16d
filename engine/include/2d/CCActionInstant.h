#pragma once

#include <functional>

#include "2d/CCAction.h"

NS_CC_BEGIN

class Node;

// An action with no duration: its first step applies it and it is done.
class ActionInstant : public FiniteTimeAction {
public:
    virtual ActionInstant* clone() const override = 0;
    virtual ActionInstant* reverse() const override = 0;
    virtual bool isDone() const override { return _done; }
    virtual void startWithTarget(Node* target) override;
    virtual void step(float dt) override;
    virtual void update(float time) override;

protected:
    bool _done = false;
};

// Does nothing; pads a one-action Sequence or Spawn.
class ExtraAction : public ActionInstant {
public:
    static ExtraAction* create();
    virtual ExtraAction* clone() const override;
    virtual ExtraAction* reverse() const override;
};

class Show : public ActionInstant {
public:
    static Show* create();
    virtual Show* clone() const override;
    virtual ActionInstant* reverse() const override;
    virtual void update(float time) override;
};

class Hide : public ActionInstant {
public:
    static Hide* create();
    virtual Hide* clone() const override;
    virtual ActionInstant* reverse() const override;
    virtual void update(float time) override;
};

class ToggleVisibility : public ActionInstant {
public:
    static ToggleVisibility* create();
    virtual ToggleVisibility* clone() const override;
    virtual ToggleVisibility* reverse() const override;
    virtual void update(float time) override;
};

// Removes the target from its parent (and cleans it up when asked, stopping its actions).
class RemoveSelf : public ActionInstant {
public:
    static RemoveSelf* create(bool isNeedCleanUp = true);
    virtual RemoveSelf* clone() const override;
    virtual RemoveSelf* reverse() const override;
    virtual void update(float time) override;

    CC_CONSTRUCTOR_ACCESS : bool init(bool isNeedCleanUp);

protected:
    bool _isNeedCleanUp = true;
};

class Place : public ActionInstant {
public:
    static Place* create(const Vec2& pos);
    virtual Place* clone() const override;
    virtual Place* reverse() const override;
    virtual void update(float time) override;

    CC_CONSTRUCTOR_ACCESS : bool initWithPosition(const Vec2& pos);

protected:
    Vec2 _position;
};

// Calls a function once.
class CallFunc : public ActionInstant {
public:
    static CallFunc* create(const std::function<void()>& func);

    virtual void execute();
    virtual CallFunc* clone() const override;
    virtual CallFunc* reverse() const override;
    virtual void update(float time) override;

    CC_CONSTRUCTOR_ACCESS : bool initWithFunction(const std::function<void()>& func);

protected:
    std::function<void()> _function;
};

// Calls a function once with the target node.
class CallFuncN : public CallFunc {
public:
    static CallFuncN* create(const std::function<void(Node*)>& func);

    virtual void execute() override;
    virtual CallFuncN* clone() const override;

    CC_CONSTRUCTOR_ACCESS : bool initWithFunction(const std::function<void(Node*)>& func);

protected:
    std::function<void(Node*)> _functionN;
};

NS_CC_END
