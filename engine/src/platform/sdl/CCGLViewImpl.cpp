#include "platform/CCGLViewImpl.h"

#include <SDL.h>
#include <SDL_image.h>

#include "base/CCConsole.h"
#include "base/CCDirector.h"
#include "base/CCEventDispatcher.h"
#include "base/CCEventTouch.h"
#include "platform/CCApplication.h"
#include "platform/CCCommon.h"
#include "platform/CCFileUtils.h"
#include "platform/sdl/Gamepads.h"
#include "platform/sdl/KeyMap.h"
#include "renderer/RenderTargets.h"

NS_CC_BEGIN

const std::string GLViewImpl::EVENT_WINDOW_RESIZED = "glview_window_resized";
const std::string GLViewImpl::EVENT_WINDOW_FOCUSED = "glview_window_focused";
const std::string GLViewImpl::EVENT_WINDOW_UNFOCUSED = "glview_window_unfocused";

namespace {
constexpr float kDefaultWidth = 960.0f;
constexpr float kDefaultHeight = 640.0f;

template <typename Init> GLViewImpl* makeView(Init init) {
    auto* view = new (std::nothrow) GLViewImpl();
    if (view && init(view)) {
        view->autorelease();
        return view;
    }
    delete view;
    return nullptr;
}
} // namespace

GLViewImpl* GLViewImpl::create(const std::string& viewName) {
    return create(viewName, false);
}

GLViewImpl* GLViewImpl::create(const std::string& viewName, bool resizable) {
    return makeView([&](GLViewImpl* v) {
        return v->initWithRect(viewName, Rect(0, 0, kDefaultWidth, kDefaultHeight), 1.0f, resizable);
    });
}

GLViewImpl* GLViewImpl::createWithRect(const std::string& viewName, Rect size, float frameZoomFactor,
                                       bool resizable) {
    return makeView(
        [&](GLViewImpl* v) { return v->initWithRect(viewName, size, frameZoomFactor, resizable); });
}

GLViewImpl* GLViewImpl::createWithFullScreen(const std::string& viewName) {
    return makeView([&](GLViewImpl* v) { return v->initWithFullScreen(viewName); });
}

GLViewImpl::GLViewImpl(bool) {}

GLViewImpl::~GLViewImpl() {
    if (_renderer) {
        render_targets::unregisterTarget(_generation);
        SDL_DestroyRenderer(_renderer);
    }
    if (_window) {
        SDL_DestroyWindow(_window);
    }
    // The video subsystem stays up for the process: shutting it down unloads the display
    // drivers, and a later window would pay their start-up again.
}

// The frame keeps the requested size for good: the renderer's logical size scales it to whatever
// the window becomes (zoom, fullscreen), letterboxed, and maps mouse positions back into it.
bool GLViewImpl::initWithRect(const std::string& viewName, Rect rect, float frameZoomFactor, bool resizable) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::string message = std::string("Can't open a window: ") + SDL_GetError();
        log("GLViewImpl: %s", message.c_str());
        return false;
    }
    // Without a display SDL quietly falls back to a driver that shows nothing: a game nobody can
    // see or close. Those drivers only count when asked for by name.
    const char* driver = SDL_GetCurrentVideoDriver();
    const char* asked = SDL_getenv("SDL_VIDEODRIVER");
    if (driver && (SDL_strcmp(driver, "offscreen") == 0 || SDL_strcmp(driver, "dummy") == 0) &&
        !(asked && *asked)) {
        log("GLViewImpl: no display to open a window on (SDL offered its '%s' driver)", driver);
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    Gamepads::start(); // a game without pads still plays with the keyboard and mouse
    _frameZoomFactor = frameZoomFactor > 0 ? frameZoomFactor : 1.0f;
    int width = static_cast<int>(rect.size.width * _frameZoomFactor);
    int height = static_cast<int>(rect.size.height * _frameZoomFactor);
    Uint32 flags = SDL_WINDOW_SHOWN | (resizable ? SDL_WINDOW_RESIZABLE : 0);
    _window = SDL_CreateWindow(viewName.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                               height, flags);
    if (!_window) {
        std::string message = std::string("Can't create the window: ") + SDL_GetError();
        log("GLViewImpl: %s", message.c_str());
        return false;
    }
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
    _renderer = SDL_CreateRenderer(_window, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
    if (!_renderer) {
        log("GLViewImpl: no accelerated renderer (%s); drawing in software", SDL_GetError());
        _renderer = SDL_CreateRenderer(_window, -1, SDL_RENDERER_SOFTWARE);
    }
    if (!_renderer) {
        std::string message = std::string("Can't create a renderer: ") + SDL_GetError();
        log("GLViewImpl: %s", message.c_str());
        return false;
    }
    SDL_RenderSetLogicalSize(_renderer, static_cast<int>(rect.size.width),
                             static_cast<int>(rect.size.height));
    _generation = render_targets::registerTarget(_renderer);
    setViewName(viewName);
    setFrameSize(rect.size.width, rect.size.height);
    return true;
}

bool GLViewImpl::initWithFullScreen(const std::string& viewName) {
    if (!initWithRect(viewName, Rect(0, 0, kDefaultWidth, kDefaultHeight), 1.0f, false)) {
        return false;
    }
    setFullscreen();
    return true;
}

void GLViewImpl::end() {
    _shouldClose = true;
}

void GLViewImpl::swapBuffers() {
    if (_renderer) {
        SDL_RenderPresent(_renderer);
    }
}

void GLViewImpl::setIcon(const std::string& filename) const {
    std::string path = FileUtils::getInstance()->fullPathForFilename(filename);
    SDL_Surface* icon = path.empty() ? nullptr : IMG_Load(path.c_str());
    if (!icon) {
        log("GLViewImpl::setIcon: can't load '%s'", filename.c_str());
        return;
    }
    SDL_SetWindowIcon(_window, icon);
    SDL_FreeSurface(icon);
}

void GLViewImpl::setCursorVisible(bool isVisible) {
    SDL_ShowCursor(isVisible ? SDL_ENABLE : SDL_DISABLE);
}

void GLViewImpl::setFullscreen() {
    if (_window && SDL_SetWindowFullscreen(_window, SDL_WINDOW_FULLSCREEN_DESKTOP) == 0) {
        _fullscreen = true;
    } else {
        log("GLViewImpl: can't switch to fullscreen: %s", SDL_GetError());
    }
}

void GLViewImpl::setFullscreen(int) {
    setFullscreen();
}

void GLViewImpl::setWindowed(int width, int height) {
    if (!_window) {
        return;
    }
    SDL_SetWindowFullscreen(_window, 0);
    _fullscreen = false;
    if (width > 0 && height > 0) {
        SDL_SetWindowSize(_window, width, height);
    }
}

void GLViewImpl::toggleFullscreen() {
    if (_fullscreen) {
        setWindowed(static_cast<int>(_screenSize.width * _frameZoomFactor),
                    static_cast<int>(_screenSize.height * _frameZoomFactor));
    } else {
        setFullscreen();
    }
}

Size GLViewImpl::getMonitorSize() const {
    SDL_DisplayMode mode;
    int display = _window ? SDL_GetWindowDisplayIndex(_window) : 0;
    if (SDL_GetDesktopDisplayMode(display < 0 ? 0 : display, &mode) != 0) {
        return Size::ZERO;
    }
    return Size(static_cast<float>(mode.w), static_cast<float>(mode.h));
}

NS_CC_END
