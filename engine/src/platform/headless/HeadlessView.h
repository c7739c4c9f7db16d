#pragma once

#include <string>

#include "platform/CCGLView.h"

struct SDL_Surface;

NS_CC_BEGIN

// A view without a window: frames are drawn by SDL's software renderer into an offscreen surface,
// which tests can read back or save. Needs no display and no video driver.
class HeadlessView : public GLView {
public:
    static HeadlessView* create(int frameWidth, int frameHeight);

    void end() override { _ended = true; }
    bool isOpenGLReady() override { return _renderer != nullptr; }
    bool windowShouldClose() override { return _ended; }
    // Controllers are read when something has started SDL's game-controller subsystem (tests
    // with a virtual pad); there is no window, so nothing else arrives from the OS.
    void pollEvents() override;
    SDL_Renderer* getSDLRenderer() const override { return _renderer; }
    SDL_Surface* getFrameSurface() const override { return _surface; }

    bool saveFrame(const std::string& pngPath) const;
    // 0xRRGGBBAA of a frame pixel (y down from the top-left); 0 outside the frame.
    unsigned int pixel(int x, int y) const;

private:
    HeadlessView() = default;
    ~HeadlessView() override;
    bool init(int frameWidth, int frameHeight);

    SDL_Surface* _surface = nullptr;
    SDL_Renderer* _renderer = nullptr;
    unsigned int _generation = 0;
    bool _ended = false;
};

NS_CC_END
