#pragma once

// The whole core of the framework layer: base, math, 2d, renderer and platform.
// UI widgets (ui/CocosGUI.h) and audio (audio/include/AudioEngine.h) are included separately.

#if __has_include("base/ccMacros.h")
#include "base/ccMacros.h"
#endif
#if __has_include("base/ccConfig.h")
#include "base/ccConfig.h"
#endif
#if __has_include("base/ccTypes.h")
#include "base/ccTypes.h"
#endif
#if __has_include("base/CCRef.h")
#include "base/CCRef.h"
#endif
#if __has_include("base/CCAutoreleasePool.h")
#include "base/CCAutoreleasePool.h"
#endif
#if __has_include("base/CCVector.h")
#include "base/CCVector.h"
#endif
#if __has_include("base/CCMap.h")
#include "base/CCMap.h"
#endif
#if __has_include("base/CCValue.h")
#include "base/CCValue.h"
#endif
#if __has_include("base/CCConsole.h")
#include "base/CCConsole.h"
#endif
#if __has_include("base/CCScheduler.h")
#include "base/CCScheduler.h"
#endif
#if __has_include("base/CCUserDefault.h")
#include "base/CCUserDefault.h"
#endif
#if __has_include("base/CCDirector.h")
#include "base/CCDirector.h"
#endif
#if __has_include("base/CCEvent.h")
#include "base/CCEvent.h"
#endif
#if __has_include("base/CCEventKeyboard.h")
#include "base/CCEventKeyboard.h"
#endif
#if __has_include("base/CCEventTouch.h")
#include "base/CCEventTouch.h"
#endif
#if __has_include("base/CCTouch.h")
#include "base/CCTouch.h"
#endif
#if __has_include("base/CCEventListener.h")
#include "base/CCEventListener.h"
#endif
#if __has_include("base/CCEventListenerKeyboard.h")
#include "base/CCEventListenerKeyboard.h"
#endif
#if __has_include("base/CCEventListenerTouch.h")
#include "base/CCEventListenerTouch.h"
#endif
#if __has_include("base/CCEventCustom.h")
#include "base/CCEventCustom.h"
#endif
#if __has_include("base/CCEventListenerCustom.h")
#include "base/CCEventListenerCustom.h"
#endif
#if __has_include("base/CCEventDispatcher.h")
#include "base/CCEventDispatcher.h"
#endif
#if __has_include("math/CCMath.h")
#include "math/CCMath.h"
#endif
#if __has_include("math/Vec2.h")
#include "math/Vec2.h"
#endif
#if __has_include("math/Vec3.h")
#include "math/Vec3.h"
#endif
#if __has_include("math/Vec4.h")
#include "math/Vec4.h"
#endif
#if __has_include("math/Mat4.h")
#include "math/Mat4.h"
#endif
#if __has_include("math/CCGeometry.h")
#include "math/CCGeometry.h"
#endif
#if __has_include("2d/CCNode.h")
#include "2d/CCNode.h"
#endif
#if __has_include("2d/CCScene.h")
#include "2d/CCScene.h"
#endif
#if __has_include("2d/CCLayer.h")
#include "2d/CCLayer.h"
#endif
#if __has_include("2d/CCSprite.h")
#include "2d/CCSprite.h"
#endif
#if __has_include("2d/CCSpriteFrame.h")
#include "2d/CCSpriteFrame.h"
#endif
#if __has_include("2d/CCSpriteFrameCache.h")
#include "2d/CCSpriteFrameCache.h"
#endif
#if __has_include("2d/CCLabel.h")
#include "2d/CCLabel.h"
#endif
#if __has_include("2d/CCAction.h")
#include "2d/CCAction.h"
#endif
#if __has_include("2d/CCActionInterval.h")
#include "2d/CCActionInterval.h"
#endif
#if __has_include("2d/CCActionInstant.h")
#include "2d/CCActionInstant.h"
#endif
#if __has_include("2d/CCActionEase.h")
#include "2d/CCActionEase.h"
#endif
#if __has_include("2d/CCActionManager.h")
#include "2d/CCActionManager.h"
#endif
#if __has_include("2d/CCMenu.h")
#include "2d/CCMenu.h"
#endif
#if __has_include("2d/CCMenuItem.h")
#include "2d/CCMenuItem.h"
#endif
#if __has_include("2d/CCParticleSystem.h")
#include "2d/CCParticleSystem.h"
#endif
#if __has_include("2d/CCParticleSystemQuad.h")
#include "2d/CCParticleSystemQuad.h"
#endif
#if __has_include("renderer/CCTexture2D.h")
#include "renderer/CCTexture2D.h"
#endif
#if __has_include("renderer/CCTextureCache.h")
#include "renderer/CCTextureCache.h"
#endif
#if __has_include("renderer/CCRenderer.h")
#include "renderer/CCRenderer.h"
#endif
#if __has_include("platform/CCPlatformMacros.h")
#include "platform/CCPlatformMacros.h"
#endif
#if __has_include("platform/CCFileUtils.h")
#include "platform/CCFileUtils.h"
#endif
#if __has_include("platform/CCGLView.h")
#include "platform/CCGLView.h"
#endif
#if __has_include("platform/CCGLViewImpl.h")
#include "platform/CCGLViewImpl.h"
#endif
#if __has_include("platform/CCApplicationProtocol.h")
#include "platform/CCApplicationProtocol.h"
#endif
#if __has_include("platform/CCApplication.h")
#include "platform/CCApplication.h"
#endif
