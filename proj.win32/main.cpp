// Windows entry point: the GUI entry ignores its instance, command line and show state.
#include <tchar.h>
#include <windows.h>

#include "shell/AppDelegate.h"

int WINAPI _tWinMain(HINSTANCE, HINSTANCE, LPTSTR, int) {
    AppDelegate app;
    return cocos2d::Application::getInstance()->run();
}
