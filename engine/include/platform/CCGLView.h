#pragma once

#include <memory>
#include <string>
#include <vector>

#include "base/CCRef.h"
#include "base/ccMacros.h"
#include "math/CCGeometry.h"
#include "math/Vec2.h"

struct SDL_Renderer;
struct SDL_Surface;
union SDL_Event;

// Both live at global scope, as in the framework.
struct GLContextAttrs {
    int redBits;
    int greenBits;
    int blueBits;
    int alphaBits;
    int depthBits;
    int stencilBits;
    int multisamplingCount;
};

enum class ResolutionPolicy { EXACT_FIT, NO_BORDER, SHOW_ALL, FIXED_HEIGHT, FIXED_WIDTH, UNKNOWN };

NS_CC_BEGIN

class Touch;
class Gamepads;

// The surface the game draws on, and the source of its input. It maps the design resolution to
// frame pixels by the resolution policy and turns input (from the OS or injected by tests) into
// events, dispatched inside pollEvents().
class GLView : public Ref {
public:
    GLView();
    virtual ~GLView();

    static void setGLContextAttrs(GLContextAttrs& glContextAttrs);
    static GLContextAttrs getGLContextAttrs();

    virtual void end() = 0;
    virtual bool isOpenGLReady() = 0;
    virtual void swapBuffers() {}
    virtual bool windowShouldClose() { return false; }
    virtual void pollEvents();
    virtual void setIMEKeyboardState(bool) {}
    virtual void setIcon(const std::string&) const {}
    virtual void setCursorVisible(bool) {}
    virtual bool isRetinaDisplay() const { return false; }
    virtual int getRetinaFactor() const { return 1; }
    virtual float getFrameZoomFactor() const { return 1.0f; }

    virtual Size getFrameSize() const { return _screenSize; }
    virtual void setFrameSize(float width, float height);
    virtual void setDesignResolutionSize(float width, float height, ResolutionPolicy resolutionPolicy);
    virtual const Size& getDesignResolutionSize() const { return _designResolutionSize; }
    virtual Size getVisibleSize() const;
    virtual Vec2 getVisibleOrigin() const;
    virtual Rect getVisibleRect() const;
    ResolutionPolicy getResolutionPolicy() const { return _resolutionPolicy; }
    float getScaleX() const { return _scaleX; }
    float getScaleY() const { return _scaleY; }
    // Where the design area lands in the frame, in frame pixels (y up).
    const Rect& getViewPortRect() const { return _viewPortRect; }
    void setViewName(const std::string& viewname) { _viewName = viewname; }
    const std::string& getViewName() const { return _viewName; }

    // Engine side -----------------------------------------------------------------------
    // The SDL renderer frames are drawn with (nullptr when the view can't draw).
    virtual SDL_Renderer* getSDLRenderer() const = 0;
    // The pixels a software renderer draws into, when the view owns them (headless): the
    // renderer may write some pictures straight into them. nullptr otherwise.
    virtual SDL_Surface* getFrameSurface() const { return nullptr; }
    // Blocks until the OS has an event for this view or the time is up; false on a timeout.
    // A view without OS events just sleeps.
    virtual bool waitForEvents(float seconds);
    // True once after the OS asked for the window's contents again (uncovered, shown).
    virtual bool takeRedrawRequest() { return false; }
    // Frame pixel (y down, as the OS reports it) to design point (y up).
    Vec2 frameToDesign(float frameX, float frameY) const;
    // Input queued here is dispatched, in order, inside the next pollEvents().
    void queueKey(int keyCode, bool pressed);
    void queueTouch(int phase, const Vec2& designPoint);
    // A mouse event (EventMouse::MouseEventType) at a design point, without a touch.
    void queueMouse(int mouseEventType, const Vec2& designPoint);

    bool isInsideViewport(float frameX, float frameY) const;

protected:
    void updateDesignResolutionSize();
    void dispatchQueuedInput();
    void dispatchKey(int keyCode, bool pressed);
    void dispatchTouch(int phase, const Vec2& designPoint);
    void dispatchMouse(int mouseEventType, const Vec2& designPoint, int button = -1);
    // A game controller's event becomes key presses; true when the event was a controller's.
    bool handleGamepadEvent(const SDL_Event& event);

    enum class InputKind { Key, Touch, Mouse };
    struct QueuedInput {
        InputKind kind;
        int code; // key code, touch phase or mouse event type
        bool pressed;
        Vec2 point;
    };

    std::string _viewName;
    Size _screenSize;
    Size _designResolutionSize;
    Rect _viewPortRect;
    float _scaleX = 1.0f;
    float _scaleY = 1.0f;
    ResolutionPolicy _resolutionPolicy = ResolutionPolicy::UNKNOWN;
    std::vector<QueuedInput> _inputQueue;
    std::vector<QueuedInput> _dispatching;
    Touch* _touch = nullptr;
    bool _touchActive = false;
    std::unique_ptr<Gamepads> _gamepads; // made when the first controller event arrives

    static GLContextAttrs _glContextAttrs;
};

NS_CC_END
