#pragma once

struct SDL_Surface;

// Memory for pictures unpacked on the main thread. Writing pixels into memory the process has
// just been given costs about three times the unpacking itself (the pages are faulted in and
// cleared one by one), and a play unpacks a background and a heroine at every question. So the
// surfaces come from here and go back here when their picture is packed again: the next picture
// of that size is unpacked into memory already in hand. Safe from any thread.
namespace cocos2d {
namespace pixel_pool {

// An ARGB surface of that size with its pixels as they were left (the caller writes every one).
// nullptr without memory.
SDL_Surface* take(int width, int height);
// Frees a surface; one from take() leaves its pixels for the next take() of that size (a
// surface from take() may also be freed with SDL_FreeSurface, pixels and all).
void giveBack(SDL_Surface* surface);
// Frees the pixels nobody took again within `maxIdleFrames` of `now` (Director frames); called
// once a frame, it also dates what is given back until the next call.
void dropIdle(unsigned now, unsigned maxIdleFrames);

} // namespace pixel_pool
} // namespace cocos2d
