#pragma once

#include <string>

#include "ui/UIWidget.h"

NS_CC_BEGIN

class Sprite;

namespace ui {

// A horizontal slider: a bar, a progress bar cropped to the percent, and a ball centred on the value.
// Percent is an int in [0, max percent]. A press on the bar or the ball jumps the value to the
// finger; a drag follows it; a release off the slider reports CANCELED like every other widget.
class Slider : public Widget {
public:
    enum class EventType { ON_PERCENTAGE_CHANGED, ON_SLIDEBALL_DOWN, ON_SLIDEBALL_UP, ON_SLIDEBALL_CANCEL };
    typedef std::function<void(Ref*, EventType)> ccSliderCallback;

    static Slider* create();
    static Slider* create(const std::string& barTextureName, const std::string& normalBallTextureName,
                          TextureResType resType = TextureResType::LOCAL);

    void loadBarTexture(const std::string& fileName, TextureResType resType = TextureResType::LOCAL);
    void loadSlidBallTextures(const std::string& normal, const std::string& pressed = "",
                              const std::string& disabled = "",
                              TextureResType texType = TextureResType::LOCAL);
    void loadSlidBallTextureNormal(const std::string& normal, TextureResType resType = TextureResType::LOCAL);
    void loadSlidBallTexturePressed(const std::string& pressed,
                                    TextureResType resType = TextureResType::LOCAL);
    void loadSlidBallTextureDisabled(const std::string& disabled,
                                     TextureResType resType = TextureResType::LOCAL);
    void loadProgressBarTexture(const std::string& fileName, TextureResType resType = TextureResType::LOCAL);

    // Clamped to [0, max percent]; moves the ball and fires ON_PERCENTAGE_CHANGED only on a change.
    void setPercent(int percent);
    int getPercent() const { return _percent; }
    void setMaxPercent(int percent);
    int getMaxPercent() const { return _maxPercent; }

    void addEventListener(const ccSliderCallback& callback) { _eventCallback = callback; }

    bool hitTest(const Vec2& worldPoint) const override;
    bool onTouchBegan(Touch* touch, Event* event) override;
    void onTouchMoved(Touch* touch, Event* event) override;
    void onTouchEnded(Touch* touch, Event* event) override;
    void onTouchCancelled(Touch* touch, Event* event) override;

    Node* getSlidBallRenderer() const { return _slidBallRenderer; }
    Sprite* getBarRenderer() const { return _barRenderer; }
    Sprite* getProgressBarRenderer() const { return _progressBarRenderer; }

    CC_CONSTRUCTOR_ACCESS : Slider();
    ~Slider() override;
    bool init() override;

protected:
    static const float kBallZoom;

    void onPressStateChangedToNormal() override;
    void onPressStateChangedToPressed() override;
    void onPressStateChangedToDisabled() override;
    void restackRenderers();
    void layoutToPercent();
    int percentAt(const Vec2& worldPoint) const;
    Sprite* loadBallSprite(Sprite* old, const std::string& file, bool& loaded);
    void showBall(Sprite* shown);
    void fireEvent(EventType type);

    Sprite* _barRenderer = nullptr;
    Sprite* _progressBarRenderer = nullptr;
    Size _progressBarTextureSize;
    // Holds the three ball sprites; moved along the bar.
    Node* _slidBallRenderer = nullptr;
    Sprite* _slidBallNormalRenderer = nullptr;
    Sprite* _slidBallPressedRenderer = nullptr;
    Sprite* _slidBallDisabledRenderer = nullptr;
    bool _isSliderBallPressedTextureLoaded = false;
    bool _isSliderBallDisabledTexturedLoaded = false;
    int _percent = 0;
    int _maxPercent = 100;
    ccSliderCallback _eventCallback;
};

} // namespace ui

NS_CC_END
