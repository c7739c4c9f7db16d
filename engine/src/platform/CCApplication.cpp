#include "platform/CCApplication.h"

#include <cassert>
#include <chrono>
#include <cstdlib>
#include <thread>

#include <SDL.h>

#include "audio/include/AudioEngine.h"
#include "base/CCAutoreleasePool.h"
#include "base/CCConsole.h"
#include "base/CCDirector.h"
#include "platform/CCGLView.h"

NS_CC_BEGIN

Application* Application::s_sharedApplication = nullptr;

ApplicationProtocol::~ApplicationProtocol() {
    PoolManager::destroyInstance();
}

Application::Application() {
    assert(s_sharedApplication == nullptr && "only one Application per process");
    s_sharedApplication = this;
}

Application::~Application() {
    if (s_sharedApplication == this) {
        s_sharedApplication = nullptr;
    }
}

Application* Application::getInstance() {
    return s_sharedApplication;
}

void Application::setAnimationInterval(float interval) {
    _animationInterval = interval;
}

int Application::run() {
    initGLContextAttrs();
    if (!applicationDidFinishLaunching()) {
        return 0;
    }
    Director* director = Director::getInstance();
    GLView* view = director->getOpenGLView();
    if (!view) {
        log("Application: applicationDidFinishLaunching set no view; nothing to run");
        return 0;
    }
    // Both are held so that a Director::end() from the game (which destroys the Director inside a
    // frame and closes the view) leaves valid objects to look at after the loop.
    view->retain();
    director->retain();

    using Clock = std::chrono::steady_clock;
    while (!view->windowShouldClose()) {
        const Clock::time_point frameStart = Clock::now();
        director->mainLoop();
        if (director->isAnimationStopped()) {
            // In the background nothing is drawn, but the window must still answer: the event
            // that brings it back (focus, restore), a close request or an uncovering arrive
            // only through the view's events. Sleep until one comes rather than spin.
            waitInBackground(director, view);
            continue;
        }
        const auto interval = std::chrono::duration<double>(_animationInterval);
        const auto spent = Clock::now() - frameStart;
        if (spent < interval) {
            std::this_thread::sleep_for(interval - spent);
        }
    }

    // Still registered (count above our own hold): the window was closed by the player, so the
    // engine is purged here as Director::end() would have done.
    if (director->getReferenceCount() > 1) {
        director->end();
        director->mainLoop();
    }
    director->release();
    view->release();
    experimental::AudioEngine::end();
    return 0;
}

void Application::waitInBackground(Director* director, GLView* view) {
    view->waitForEvents(kBackgroundWaitSeconds);
    view->pollEvents();
    // Still stopped: an uncovered window shows the frame it had, not garbage or black.
    if (director->isAnimationStopped() && view->takeRedrawRequest()) {
        director->redrawCurrentFrame();
    }
}

LanguageType Application::getCurrentLanguage() {
    const char* code = getCurrentLanguageCode();
    static const struct {
        const char* code;
        LanguageType type;
    } kLanguages[] = {
        {"zh", LanguageType::CHINESE},   {"fr", LanguageType::FRENCH},     {"it", LanguageType::ITALIAN},
        {"de", LanguageType::GERMAN},    {"es", LanguageType::SPANISH},    {"nl", LanguageType::DUTCH},
        {"ru", LanguageType::RUSSIAN},   {"ko", LanguageType::KOREAN},     {"ja", LanguageType::JAPANESE},
        {"hu", LanguageType::HUNGARIAN}, {"pt", LanguageType::PORTUGUESE}, {"ar", LanguageType::ARABIC},
        {"nb", LanguageType::NORWEGIAN}, {"pl", LanguageType::POLISH},     {"tr", LanguageType::TURKISH},
        {"uk", LanguageType::UKRAINIAN}, {"ro", LanguageType::ROMANIAN},   {"bg", LanguageType::BULGARIAN}};
    for (const auto& language : kLanguages) {
        if (SDL_strncmp(code, language.code, 2) == 0) {
            return language.type;
        }
    }
    return LanguageType::ENGLISH;
}

// Two-letter code of the user's first preferred locale, "en" when unknown.
const char* Application::getCurrentLanguageCode() {
    _languageCode = "en";
    if (SDL_Locale* locales = SDL_GetPreferredLocales()) {
        if (locales[0].language && SDL_strlen(locales[0].language) >= 2) {
            _languageCode.assign(locales[0].language, 2);
        }
        SDL_free(locales);
    }
    return _languageCode.c_str();
}

Application::Platform Application::getTargetPlatform() {
#if defined(_WIN32)
    return Platform::OS_WINDOWS;
#elif defined(__APPLE__)
    return Platform::OS_MAC;
#else
    return Platform::OS_LINUX;
#endif
}

std::string Application::getVersion() {
    return "";
}

bool Application::openURL(const std::string& url) {
    return SDL_OpenURL(url.c_str()) == 0;
}

NS_CC_END
