#pragma once

#include "base/CCEventKeyboard.h"
#include "math/Vec2.h"

// Input injection for tests and tools. Everything is queued and dispatched, in order, inside the
// next frame's pollEvents(), exactly where OS input would arrive. Points are design points (y up).
namespace cocos2d {
namespace ext {

void keyDown(EventKeyboard::KeyCode code);
void keyUp(EventKeyboard::KeyCode code);
// Down and up within the same frame.
void keyPress(EventKeyboard::KeyCode code);
void touchBegin(const Vec2& designPoint);
void touchMove(const Vec2& designPoint);
void touchEnd(const Vec2& designPoint);
void touchCancel(const Vec2& designPoint);
// Begin and end at the same point within the same frame.
void click(const Vec2& designPoint);
// The pointer moves there with no button held (a hover); no touch is involved.
void mouseMove(const Vec2& designPoint);

} // namespace ext
} // namespace cocos2d
