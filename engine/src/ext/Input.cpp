#include "ext/Input.h"

#include "base/CCDirector.h"
#include "base/CCEventMouse.h"
#include "base/CCEventTouch.h"
#include "platform/CCGLView.h"

namespace cocos2d {
namespace ext {

namespace {
void queueKey(EventKeyboard::KeyCode code, bool pressed) {
    if (GLView* view = Director::getInstance()->getOpenGLView()) {
        view->queueKey(static_cast<int>(code), pressed);
    }
}

void queueTouch(EventTouch::EventCode phase, const Vec2& point) {
    if (GLView* view = Director::getInstance()->getOpenGLView()) {
        view->queueTouch(static_cast<int>(phase), point);
    }
}
} // namespace

void keyDown(EventKeyboard::KeyCode code) {
    queueKey(code, true);
}

void keyUp(EventKeyboard::KeyCode code) {
    queueKey(code, false);
}

void keyPress(EventKeyboard::KeyCode code) {
    queueKey(code, true);
    queueKey(code, false);
}

void touchBegin(const Vec2& designPoint) {
    queueTouch(EventTouch::EventCode::BEGAN, designPoint);
}

void touchMove(const Vec2& designPoint) {
    queueTouch(EventTouch::EventCode::MOVED, designPoint);
}

void touchEnd(const Vec2& designPoint) {
    queueTouch(EventTouch::EventCode::ENDED, designPoint);
}

void touchCancel(const Vec2& designPoint) {
    queueTouch(EventTouch::EventCode::CANCELLED, designPoint);
}

void click(const Vec2& designPoint) {
    touchBegin(designPoint);
    touchEnd(designPoint);
}

void mouseMove(const Vec2& designPoint) {
    if (GLView* view = Director::getInstance()->getOpenGLView()) {
        view->queueMouse(static_cast<int>(EventMouse::MouseEventType::MOUSE_MOVE), designPoint);
    }
}

} // namespace ext
} // namespace cocos2d
