#include "platform/CCGLView.h"

#include <chrono>
#include <cmath>
#include <thread>

#include "base/CCConsole.h"
#include "base/CCDirector.h"
#include "base/CCEventDispatcher.h"
#include "base/CCEventKeyboard.h"
#include "base/CCEventMouse.h"
#include "base/CCEventTouch.h"
#include "base/CCTouch.h"
#include "platform/sdl/Gamepads.h"

GLContextAttrs cocos2d::GLView::_glContextAttrs = {8, 8, 8, 8, 24, 8, 0};

NS_CC_BEGIN

GLView::GLView() {
    _inputQueue.reserve(16);
}

GLView::~GLView() {
    CC_SAFE_RELEASE_NULL(_touch);
}

void GLView::setGLContextAttrs(GLContextAttrs& glContextAttrs) {
    _glContextAttrs = glContextAttrs;
}

GLContextAttrs GLView::getGLContextAttrs() {
    return _glContextAttrs;
}

void GLView::setFrameSize(float width, float height) {
    _screenSize = Size(width, height);
    if (_resolutionPolicy == ResolutionPolicy::UNKNOWN) {
        _designResolutionSize = _screenSize;
        _viewPortRect = Rect(0, 0, width, height);
        _scaleX = _scaleY = 1.0f;
    } else {
        updateDesignResolutionSize();
    }
}

void GLView::setDesignResolutionSize(float width, float height, ResolutionPolicy resolutionPolicy) {
    if (resolutionPolicy == ResolutionPolicy::UNKNOWN) {
        log("GLView::setDesignResolutionSize: a resolution policy is required; ignored");
        return;
    }
    if (width <= 0.0f || height <= 0.0f) {
        log("GLView::setDesignResolutionSize: ignored empty design size %gx%g", width, height);
        return;
    }
    _designResolutionSize = Size(width, height);
    _resolutionPolicy = resolutionPolicy;
    updateDesignResolutionSize();
}

void GLView::updateDesignResolutionSize() {
    if (_screenSize.width <= 0 || _screenSize.height <= 0 || _designResolutionSize.width <= 0 ||
        _designResolutionSize.height <= 0) {
        return;
    }
    _scaleX = _screenSize.width / _designResolutionSize.width;
    _scaleY = _screenSize.height / _designResolutionSize.height;
    switch (_resolutionPolicy) {
    case ResolutionPolicy::NO_BORDER:
        _scaleX = _scaleY = std::fmax(_scaleX, _scaleY);
        break;
    case ResolutionPolicy::SHOW_ALL:
        _scaleX = _scaleY = std::fmin(_scaleX, _scaleY);
        break;
    case ResolutionPolicy::FIXED_HEIGHT:
        _scaleX = _scaleY;
        _designResolutionSize.width = std::ceil(_screenSize.width / _scaleX);
        break;
    case ResolutionPolicy::FIXED_WIDTH:
        _scaleY = _scaleX;
        _designResolutionSize.height = std::ceil(_screenSize.height / _scaleY);
        break;
    default:
        break;
    }
    float viewW = _designResolutionSize.width * _scaleX;
    float viewH = _designResolutionSize.height * _scaleY;
    _viewPortRect = Rect((_screenSize.width - viewW) / 2, (_screenSize.height - viewH) / 2, viewW, viewH);
    Director::getInstance()->updateWinSizeFromView();
}

Size GLView::getVisibleSize() const {
    if (_resolutionPolicy == ResolutionPolicy::NO_BORDER) {
        return Size(_screenSize.width / _scaleX, _screenSize.height / _scaleY);
    }
    return _designResolutionSize;
}

Vec2 GLView::getVisibleOrigin() const {
    if (_resolutionPolicy == ResolutionPolicy::NO_BORDER) {
        return Vec2((_designResolutionSize.width - _screenSize.width / _scaleX) / 2,
                    (_designResolutionSize.height - _screenSize.height / _scaleY) / 2);
    }
    return Vec2::ZERO;
}

Rect GLView::getVisibleRect() const {
    return Rect(getVisibleOrigin(), getVisibleSize());
}

Vec2 GLView::frameToDesign(float frameX, float frameY) const {
    return Vec2((frameX - _viewPortRect.origin.x) / _scaleX,
                (_screenSize.height - frameY - _viewPortRect.origin.y) / _scaleY);
}

bool GLView::isInsideViewport(float frameX, float frameY) const {
    return _viewPortRect.containsPoint(Vec2(frameX, _screenSize.height - frameY));
}

// Input ----------------------------------------------------------------------------------------

void GLView::queueKey(int keyCode, bool pressed) {
    _inputQueue.push_back({InputKind::Key, keyCode, pressed, Vec2::ZERO});
}

void GLView::queueTouch(int phase, const Vec2& designPoint) {
    _inputQueue.push_back({InputKind::Touch, phase, false, designPoint});
}

void GLView::queueMouse(int mouseEventType, const Vec2& designPoint) {
    _inputQueue.push_back({InputKind::Mouse, mouseEventType, false, designPoint});
}

void GLView::pollEvents() {
    dispatchQueuedInput();
}

bool GLView::waitForEvents(float seconds) {
    if (seconds > 0) {
        std::this_thread::sleep_for(std::chrono::duration<float>(seconds));
    }
    return false;
}

void GLView::dispatchQueuedInput() {
    if (_inputQueue.empty()) {
        return;
    }
    // Handlers may queue more input; that waits for the next frame.
    _dispatching.swap(_inputQueue);
    retain();
    for (const QueuedInput& input : _dispatching) {
        switch (input.kind) {
        case InputKind::Key:
            dispatchKey(input.code, input.pressed);
            break;
        case InputKind::Touch:
            dispatchTouch(input.code, input.point);
            break;
        case InputKind::Mouse:
            dispatchMouse(input.code, input.point);
            break;
        }
    }
    _dispatching.clear();
    release();
}

void GLView::dispatchKey(int keyCode, bool pressed) {
    EventKeyboard event(static_cast<EventKeyboard::KeyCode>(keyCode), pressed);
    Director::getInstance()->getEventDispatcher()->dispatchEvent(&event);
}

void GLView::dispatchMouse(int mouseEventType, const Vec2& designPoint, int button) {
    EventMouse event(static_cast<EventMouse::MouseEventType>(mouseEventType));
    event.setCursorPosition(designPoint.x, designPoint.y);
    event.setMouseButton(static_cast<EventMouse::MouseButton>(button));
    Director::getInstance()->getEventDispatcher()->dispatchEvent(&event);
}

// The mouse is one finger (id 0). A gesture starts with BEGAN; moves and the end without one are
// dropped, and a second BEGAN while pressed first cancels the old gesture.
void GLView::dispatchTouch(int phase, const Vec2& designPoint) {
    auto code = static_cast<EventTouch::EventCode>(phase);
    if (code == EventTouch::EventCode::BEGAN) {
        if (_touchActive) {
            dispatchTouch(static_cast<int>(EventTouch::EventCode::CANCELLED), _touch->getLocation());
        }
        CC_SAFE_RELEASE_NULL(_touch);
        _touch = new (std::nothrow) Touch();
        _touchActive = true;
    } else if (!_touchActive) {
        return;
    }
    Touch* touch = _touch;
    touch->retain(); // a handler may start a new gesture while this one is dispatched
    touch->setTouchInfo(0, designPoint.x, designPoint.y);
    if (code == EventTouch::EventCode::ENDED || code == EventTouch::EventCode::CANCELLED) {
        _touchActive = false;
    }
    EventTouch event;
    event.setEventCode(code);
    event.setTouches(std::vector<Touch*>{touch});
    Director::getInstance()->getEventDispatcher()->dispatchEvent(&event);
    touch->release();
}

NS_CC_END
