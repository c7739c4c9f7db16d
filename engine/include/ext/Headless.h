#pragma once

#include <string>

#include "ext/Log.h"

// Engine extensions for tests and tools: a window-less backend and hand-driven frames.
namespace cocos2d {
namespace ext {

// Installs a headless view of that frame size on the Director: software rendering into an
// offscreen surface, no window, no display needed. A later applicationDidFinishLaunching then
// finds a view and opens no window.
void startHeadless(int frameWidth, int frameHeight);
// Runs that many whole frames, each with the given dt (the first frame after startAnimation
// gets 0, as always). Injected input is dispatched inside the frame.
void step(float dt, int frames = 1);
// Writes the last drawn frame (frame-size pixels) as PNG. False (with a log line) on failure.
bool saveFrame(const std::string& pngPath);
// Reads one pixel of the last drawn frame (x right, y DOWN from the top-left, frame pixels) as
// 0xRRGGBBAA; 0 outside the frame or without a headless view.
unsigned int framePixel(int x, int y);
// Destroys the Director and everything it holds, the caches, the audio state and the store
// instance, and empties the autorelease pool, so a test starts fresh.
void resetAll();
bool isHeadless();
// How many times labels rasterised their text since the process started.
long long labelRenderCount();
// How many times a picture file was decoded since the process started (on any thread).
long long pictureDecodeCount();

} // namespace ext
} // namespace cocos2d
