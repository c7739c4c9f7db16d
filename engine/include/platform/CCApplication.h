#pragma once

#include <string>

#include "platform/CCApplicationProtocol.h"

NS_CC_BEGIN

class Director;
class GLView;

// The desktop application: one instance per process, made by the game's delegate deriving from it.
class Application : public ApplicationProtocol {
public:
    Application();
    ~Application() override;

    // Runs the Director's frames until the window closes (or Director::end), then tears the
    // engine down. Returns the process exit code: 0.
    int run();

    static Application* getInstance();

    void setAnimationInterval(float interval) override;
    float getAnimationInterval() const { return _animationInterval; }

    LanguageType getCurrentLanguage() override;
    const char* getCurrentLanguageCode() override;
    Platform getTargetPlatform() override;
    std::string getVersion() override;
    bool openURL(const std::string& url) override;

    // Used by the framework's file lookup on some platforms; kept for source compatibility.
    void setResourceRootPath(const std::string& rootResDir) { _resourceRootPath = rootResDir; }
    const std::string& getResourceRootPath() const { return _resourceRootPath; }

protected:
    // How long one wait for window events lasts while animation is stopped.
    static constexpr float kBackgroundWaitSeconds = 0.25f;

    static Application* s_sharedApplication;

    float _animationInterval = 1.0f / 60.0f;
    std::string _resourceRootPath;
    std::string _languageCode;

private:
    void waitInBackground(Director* director, GLView* view);
};

NS_CC_END
