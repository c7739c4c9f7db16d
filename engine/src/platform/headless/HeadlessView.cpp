#include "platform/headless/HeadlessView.h"

#include <SDL.h>
#include <SDL_image.h>

#include "base/CCConsole.h"
#include "renderer/RenderTargets.h"

NS_CC_BEGIN

HeadlessView* HeadlessView::create(int frameWidth, int frameHeight) {
    auto* view = new (std::nothrow) HeadlessView();
    if (view && view->init(frameWidth, frameHeight)) {
        view->autorelease();
        return view;
    }
    delete view;
    return nullptr;
}

bool HeadlessView::init(int frameWidth, int frameHeight) {
    if (frameWidth <= 0 || frameHeight <= 0) {
        log("HeadlessView: refused frame size %dx%d", frameWidth, frameHeight);
        return false;
    }
    _surface = SDL_CreateRGBSurfaceWithFormat(0, frameWidth, frameHeight, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!_surface) {
        log("HeadlessView: can't create a %dx%d frame: %s", frameWidth, frameHeight, SDL_GetError());
        return false;
    }
    _renderer = SDL_CreateSoftwareRenderer(_surface);
    if (!_renderer) {
        log("HeadlessView: can't create the software renderer: %s", SDL_GetError());
        return false;
    }
    _generation = render_targets::registerTarget(_renderer);
    setViewName("headless");
    setFrameSize(static_cast<float>(frameWidth), static_cast<float>(frameHeight));
    return true;
}

HeadlessView::~HeadlessView() {
    if (_renderer) {
        render_targets::unregisterTarget(_generation);
        SDL_DestroyRenderer(_renderer);
    }
    if (_surface) {
        SDL_FreeSurface(_surface);
    }
}

void HeadlessView::pollEvents() {
    if (SDL_WasInit(SDL_INIT_GAMECONTROLLER)) {
        SDL_Event event;
        while (SDL_PollEvent(&event)) {
            handleGamepadEvent(event);
        }
    }
    GLView::pollEvents();
}

bool HeadlessView::saveFrame(const std::string& pngPath) const {
    if (IMG_SavePNG(_surface, pngPath.c_str()) != 0) {
        log("saveFrame: can't write '%s': %s", pngPath.c_str(), IMG_GetError());
        return false;
    }
    return true;
}

unsigned int HeadlessView::pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= _surface->w || y >= _surface->h) {
        return 0;
    }
    const auto* row = static_cast<const Uint8*>(_surface->pixels) + y * _surface->pitch;
    Uint32 argb = reinterpret_cast<const Uint32*>(row)[x];
    return (argb << 8) | (argb >> 24);
}

NS_CC_END
