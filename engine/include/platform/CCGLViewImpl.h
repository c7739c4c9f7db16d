#pragma once

#include "platform/CCGLView.h"

struct SDL_Window;
union SDL_Event;

NS_CC_BEGIN

// The desktop window: an SDL window with an accelerated renderer (vsync when available, software
// otherwise). The frame keeps its size; F11 or Alt+Enter switch to desktop fullscreen, where the
// frame is scaled to fit and letterboxed, and mouse positions are mapped back through it.
class GLViewImpl : public GLView {
public:
    static GLViewImpl* create(const std::string& viewName);
    static GLViewImpl* create(const std::string& viewName, bool resizable);
    static GLViewImpl* createWithRect(const std::string& viewName, Rect size, float frameZoomFactor = 1.0f,
                                      bool resizable = false);
    static GLViewImpl* createWithFullScreen(const std::string& viewName);

    static const std::string EVENT_WINDOW_RESIZED;
    static const std::string EVENT_WINDOW_FOCUSED;
    static const std::string EVENT_WINDOW_UNFOCUSED;

    virtual void end() override;
    virtual bool isOpenGLReady() override { return _renderer != nullptr; }
    virtual void swapBuffers() override;
    virtual bool windowShouldClose() override { return _shouldClose; }
    virtual void pollEvents() override;
    virtual bool waitForEvents(float seconds) override;
    virtual bool takeRedrawRequest() override;
    virtual void setIcon(const std::string& filename) const override;
    virtual void setCursorVisible(bool isVisible) override;
    virtual float getFrameZoomFactor() const override { return _frameZoomFactor; }
    virtual SDL_Renderer* getSDLRenderer() const override { return _renderer; }
    // Engine side: the OS window (tests drive it with synthetic SDL events).
    SDL_Window* getSDLWindow() const { return _window; }

    bool isFullscreen() const { return _fullscreen; }
    void setFullscreen();
    void setFullscreen(int monitorIndex);
    void setWindowed(int width, int height);
    void toggleFullscreen();
    Size getMonitorSize() const;

    CC_CONSTRUCTOR_ACCESS : GLViewImpl(bool initGLFW = true);
    virtual ~GLViewImpl();
    bool initWithRect(const std::string& viewName, Rect rect, float frameZoomFactor, bool resizable);
    bool initWithFullScreen(const std::string& viewName);

private:
    void handleEvent(const SDL_Event& event);
    void handleWindowEvent(const SDL_Event& event);
    void handleKey(const SDL_Event& event);
    void handleMouse(const SDL_Event& event);
    void setFocused(bool focused);

    SDL_Window* _window = nullptr;
    SDL_Renderer* _renderer = nullptr;
    unsigned int _generation = 0;
    int _swallowedKey = 0; // SDL key whose release belongs to a window shortcut
    Vec2 _lastMouse;
    float _frameZoomFactor = 1.0f;
    bool _shouldClose = false;
    bool _fullscreen = false;
    bool _focused = true;
    bool _mouseDown = false;
    bool _exposed = false; // the OS wants the contents drawn again
};

NS_CC_END
