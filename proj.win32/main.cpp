// Windows entry point: the GUI subsystem, so no console window opens beside the game.
#include "app/AppDelegate.h"

#include <SDL.h>

// After the engine's headers: windows.h defines macros (MessageBox, RELATIVE, …) that would
// rename the engine's own names.
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    SDL_SetMainReady();
    // The manifest declares per-monitor DPI awareness; SDL then sizes the window in points and
    // the renderer draws at the monitor's real pixel count instead of being stretched by Windows.
    SDL_SetHint(SDL_HINT_WINDOWS_DPI_AWARENESS, "permonitorv2");
    SDL_SetHint(SDL_HINT_WINDOWS_DPI_SCALING, "1");
    AppDelegate app;
    return cocos2d::Application::getInstance()->run();
}
