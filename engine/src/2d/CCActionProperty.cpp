// Interval actions that drive one property of their target: position, rotation, scale, visibility,
// opacity and colour.
#include <cmath>

#include "2d/CCActionInterval.h"
#include "2d/CCNode.h"
#include "base/ccConfig.h"

NS_CC_BEGIN

namespace {
template <class T> T* autoreleased(T* action) {
    action->autorelease();
    return action;
}
} // namespace

// ---- MoveBy / MoveTo

MoveBy* MoveBy::create(float duration, const Vec2& deltaPosition) {
    auto ret = new MoveBy();
    ret->initWithDuration(duration, deltaPosition);
    return autoreleased(ret);
}

bool MoveBy::initWithDuration(float duration, const Vec2& deltaPosition) {
    ActionInterval::initWithDuration(duration);
    _positionDelta = deltaPosition;
    return true;
}

MoveBy* MoveBy::clone() const {
    return create(_duration, _positionDelta);
}

MoveBy* MoveBy::reverse() const {
    return create(_duration, -_positionDelta);
}

void MoveBy::startWithTarget(Node* target) {
    ActionInterval::startWithTarget(target);
    _previousPosition = _startPosition = target->getPosition();
}

void MoveBy::update(float t) {
    if (_target == nullptr) {
        return;
    }
#if CC_ENABLE_STACKABLE_ACTIONS
    // Whatever moved the node since our last update (another action, game code) is kept on top.
    Vec2 currentPos = _target->getPosition();
    _startPosition += currentPos - _previousPosition;
    Vec2 newPos = _startPosition + _positionDelta * t;
    _target->setPosition(newPos);
    _previousPosition = newPos;
#else
    _target->setPosition(_startPosition + _positionDelta * t);
#endif
}

MoveTo* MoveTo::create(float duration, const Vec2& position) {
    auto ret = new MoveTo();
    ret->initWithDuration(duration, position);
    return autoreleased(ret);
}

bool MoveTo::initWithDuration(float duration, const Vec2& position) {
    ActionInterval::initWithDuration(duration);
    _endPosition = position;
    return true;
}

MoveTo* MoveTo::clone() const {
    return create(_duration, _endPosition);
}

MoveTo* MoveTo::reverse() const {
    return nullptr;
}

void MoveTo::startWithTarget(Node* target) {
    MoveBy::startWithTarget(target);
    _positionDelta = _endPosition - target->getPosition();
}

// ---- RotateTo / RotateBy

RotateTo* RotateTo::create(float duration, float dstAngle) {
    auto ret = new RotateTo();
    ret->initWithDuration(duration, dstAngle);
    return autoreleased(ret);
}

bool RotateTo::initWithDuration(float duration, float dstAngle) {
    ActionInterval::initWithDuration(duration);
    _dstAngle = dstAngle;
    return true;
}

RotateTo* RotateTo::clone() const {
    return create(_duration, _dstAngle);
}

RotateTo* RotateTo::reverse() const {
    return nullptr;
}

void RotateTo::startWithTarget(Node* target) {
    ActionInterval::startWithTarget(target);
    _startAngle = target->getRotation();
    _startAngle = _startAngle > 0 ? std::fmod(_startAngle, 360.0f) : std::fmod(_startAngle, -360.0f);
    _diffAngle = _dstAngle - _startAngle;
    if (_diffAngle > 180) {
        _diffAngle -= 360;
    }
    if (_diffAngle < -180) {
        _diffAngle += 360;
    }
}

void RotateTo::update(float time) {
    if (_target) {
        _target->setRotation(_startAngle + _diffAngle * time);
    }
}

RotateBy* RotateBy::create(float duration, float deltaAngle) {
    auto ret = new RotateBy();
    ret->initWithDuration(duration, deltaAngle);
    return autoreleased(ret);
}

bool RotateBy::initWithDuration(float duration, float deltaAngle) {
    ActionInterval::initWithDuration(duration);
    _deltaAngle = deltaAngle;
    return true;
}

RotateBy* RotateBy::clone() const {
    return create(_duration, _deltaAngle);
}

RotateBy* RotateBy::reverse() const {
    return create(_duration, -_deltaAngle);
}

void RotateBy::startWithTarget(Node* target) {
    ActionInterval::startWithTarget(target);
    _startAngle = target->getRotation();
}

void RotateBy::update(float time) {
    if (_target) {
        _target->setRotation(_startAngle + _deltaAngle * time);
    }
}

// ---- ScaleTo / ScaleBy

ScaleTo* ScaleTo::create(float duration, float s) {
    return create(duration, s, s);
}

ScaleTo* ScaleTo::create(float duration, float sx, float sy) {
    auto ret = new ScaleTo();
    ret->initWithDuration(duration, sx, sy);
    return autoreleased(ret);
}

bool ScaleTo::initWithDuration(float duration, float sx, float sy) {
    ActionInterval::initWithDuration(duration);
    _endScaleX = sx;
    _endScaleY = sy;
    return true;
}

ScaleTo* ScaleTo::clone() const {
    return create(_duration, _endScaleX, _endScaleY);
}

ScaleTo* ScaleTo::reverse() const {
    return nullptr;
}

void ScaleTo::startWithTarget(Node* target) {
    ActionInterval::startWithTarget(target);
    _startScaleX = target->getScaleX();
    _startScaleY = target->getScaleY();
    _deltaX = _endScaleX - _startScaleX;
    _deltaY = _endScaleY - _startScaleY;
}

void ScaleTo::update(float time) {
    if (_target) {
        _target->setScaleX(_startScaleX + _deltaX * time);
        _target->setScaleY(_startScaleY + _deltaY * time);
    }
}

ScaleBy* ScaleBy::create(float duration, float s) {
    return create(duration, s, s);
}

ScaleBy* ScaleBy::create(float duration, float sx, float sy) {
    auto ret = new ScaleBy();
    ret->initWithDuration(duration, sx, sy);
    return autoreleased(ret);
}

ScaleBy* ScaleBy::clone() const {
    return create(_duration, _endScaleX, _endScaleY);
}

ScaleBy* ScaleBy::reverse() const {
    return create(_duration, 1 / _endScaleX, 1 / _endScaleY);
}

void ScaleBy::startWithTarget(Node* target) {
    ScaleTo::startWithTarget(target);
    _deltaX = _startScaleX * _endScaleX - _startScaleX;
    _deltaY = _startScaleY * _endScaleY - _startScaleY;
}

// ---- Blink

Blink* Blink::create(float duration, int blinks) {
    auto ret = new Blink();
    ret->initWithDuration(duration, blinks);
    return autoreleased(ret);
}

bool Blink::initWithDuration(float duration, int blinks) {
    ActionInterval::initWithDuration(duration);
    _times = blinks;
    return true;
}

Blink* Blink::clone() const {
    return create(_duration, _times);
}

Blink* Blink::reverse() const {
    return clone();
}

void Blink::startWithTarget(Node* target) {
    ActionInterval::startWithTarget(target);
    _originalState = target->isVisible();
}

void Blink::stop() {
    if (_target) {
        _target->setVisible(_originalState);
    }
    ActionInterval::stop();
}

void Blink::update(float time) {
    if (_target && !isDone()) {
        float slice = 1.0f / _times;
        float m = std::fmod(time, slice);
        _target->setVisible(m > slice / 2);
    }
}

// ---- FadeTo / FadeIn / FadeOut

FadeTo* FadeTo::create(float duration, GLubyte opacity) {
    auto ret = new FadeTo();
    ret->initWithDuration(duration, opacity);
    return autoreleased(ret);
}

bool FadeTo::initWithDuration(float duration, GLubyte opacity) {
    ActionInterval::initWithDuration(duration);
    _toOpacity = opacity;
    return true;
}

FadeTo* FadeTo::clone() const {
    return create(_duration, _toOpacity);
}

FadeTo* FadeTo::reverse() const {
    return nullptr;
}

void FadeTo::startWithTarget(Node* target) {
    ActionInterval::startWithTarget(target);
    _fromOpacity = target->getOpacity();
}

void FadeTo::update(float time) {
    if (_target) {
        // Truncated, as the framework does: a fade only lands on its target value at t = 1.
        _target->setOpacity(static_cast<GLubyte>(_fromOpacity + (_toOpacity - _fromOpacity) * time));
    }
}

FadeIn* FadeIn::create(float d) {
    auto ret = new FadeIn();
    ret->initWithDuration(d, 255);
    return autoreleased(ret);
}

FadeIn* FadeIn::clone() const {
    return create(_duration);
}

FadeTo* FadeIn::reverse() const {
    return FadeOut::create(_duration);
}

FadeOut* FadeOut::create(float d) {
    auto ret = new FadeOut();
    ret->initWithDuration(d, 0);
    return autoreleased(ret);
}

FadeOut* FadeOut::clone() const {
    return create(_duration);
}

FadeTo* FadeOut::reverse() const {
    return FadeIn::create(_duration);
}

// ---- TintTo / TintBy

TintTo* TintTo::create(float duration, GLubyte red, GLubyte green, GLubyte blue) {
    auto ret = new TintTo();
    ret->initWithDuration(duration, red, green, blue);
    return autoreleased(ret);
}

TintTo* TintTo::create(float duration, const Color3B& color) {
    return create(duration, color.r, color.g, color.b);
}

bool TintTo::initWithDuration(float duration, GLubyte red, GLubyte green, GLubyte blue) {
    ActionInterval::initWithDuration(duration);
    _to = Color3B(red, green, blue);
    return true;
}

TintTo* TintTo::clone() const {
    return create(_duration, _to);
}

TintTo* TintTo::reverse() const {
    return nullptr;
}

void TintTo::startWithTarget(Node* target) {
    ActionInterval::startWithTarget(target);
    _from = target->getColor();
}

void TintTo::update(float time) {
    if (_target) {
        _target->setColor(Color3B(static_cast<GLubyte>(_from.r + (_to.r - _from.r) * time),
                                  static_cast<GLubyte>(_from.g + (_to.g - _from.g) * time),
                                  static_cast<GLubyte>(_from.b + (_to.b - _from.b) * time)));
    }
}

TintBy* TintBy::create(float duration, GLshort deltaRed, GLshort deltaGreen, GLshort deltaBlue) {
    auto ret = new TintBy();
    ret->initWithDuration(duration, deltaRed, deltaGreen, deltaBlue);
    return autoreleased(ret);
}

bool TintBy::initWithDuration(float duration, GLshort deltaRed, GLshort deltaGreen, GLshort deltaBlue) {
    ActionInterval::initWithDuration(duration);
    _deltaR = deltaRed;
    _deltaG = deltaGreen;
    _deltaB = deltaBlue;
    return true;
}

TintBy* TintBy::clone() const {
    return create(_duration, _deltaR, _deltaG, _deltaB);
}

TintBy* TintBy::reverse() const {
    return create(_duration, static_cast<GLshort>(-_deltaR), static_cast<GLshort>(-_deltaG),
                  static_cast<GLshort>(-_deltaB));
}

void TintBy::startWithTarget(Node* target) {
    ActionInterval::startWithTarget(target);
    const Color3B& color = target->getColor();
    _fromR = color.r;
    _fromG = color.g;
    _fromB = color.b;
}

void TintBy::update(float time) {
    if (_target) {
        _target->setColor(Color3B(static_cast<GLubyte>(_fromR + _deltaR * time),
                                  static_cast<GLubyte>(_fromG + _deltaG * time),
                                  static_cast<GLubyte>(_fromB + _deltaB * time)));
    }
}

NS_CC_END
