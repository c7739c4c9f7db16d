#include "app/AppDelegate.h"

int main(int, char**) {
    AppDelegate app;
    return cocos2d::Application::getInstance()->run();
}
