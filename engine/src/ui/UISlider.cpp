#include "ui/UISlider.h"

#include <algorithm>

#include "2d/CCSprite.h"
#include "base/CCConsole.h"
#include "base/CCTouch.h"

NS_CC_BEGIN
namespace ui {

// Growth of the ball while pressed when it has no pressed image.
const float Slider::kBallZoom = 0.1f;

static const Color3B kDisabledTint(128, 128, 128);

Slider* Slider::create() {
    Slider* slider = new (std::nothrow) Slider();
    if (slider && slider->init()) {
        slider->autorelease();
        return slider;
    }
    delete slider;
    return nullptr;
}

Slider* Slider::create(const std::string& barTextureName, const std::string& normalBallTextureName,
                       TextureResType resType) {
    Slider* slider = create();
    if (slider) {
        slider->loadBarTexture(barTextureName, resType);
        slider->loadSlidBallTextureNormal(normalBallTextureName, resType);
    }
    return slider;
}

Slider::Slider() = default;

Slider::~Slider() = default;

bool Slider::init() {
    if (!Widget::init()) {
        return false;
    }
    _slidBallRenderer = Node::create();
    _slidBallRenderer->setCascadeColorEnabled(true);
    _slidBallRenderer->setCascadeOpacityEnabled(true);
    addProtectedChild(_slidBallRenderer);
    setTouchEnabled(true);
    return true;
}

static Sprite* loadSprite(const char* what, const std::string& file) {
    if (file.empty()) {
        return nullptr;
    }
    Sprite* sprite = Sprite::create(file);
    if (!sprite) {
        log("Slider: can't load %s image %s", what, file.c_str());
    }
    return sprite;
}

// Bar, progress bar and ball are drawn in that order whatever order their images are loaded in.
void Slider::restackRenderers() {
    Node* order[] = {_barRenderer, _progressBarRenderer, _slidBallRenderer};
    for (Node* node : order) {
        CC_SAFE_RETAIN(node);
    }
    while (!getProtectedChildren().empty()) {
        removeProtectedChild(getProtectedChildren().front());
    }
    for (Node* node : order) {
        if (node) {
            addProtectedChild(node);
            node->release();
        }
    }
}

void Slider::loadBarTexture(const std::string& fileName, TextureResType) {
    _barRenderer = loadSprite("bar", fileName);
    restackRenderers();
    setContentSize(_barRenderer ? _barRenderer->getContentSize() : Size::ZERO);
    layoutToPercent();
}

void Slider::loadProgressBarTexture(const std::string& fileName, TextureResType) {
    _progressBarRenderer = loadSprite("progress bar", fileName);
    _progressBarTextureSize = Size::ZERO;
    if (_progressBarRenderer) {
        _progressBarRenderer->setAnchorPoint(Vec2(0.0f, 0.5f));
        _progressBarTextureSize = _progressBarRenderer->getContentSize();
    }
    restackRenderers();
    layoutToPercent();
}

void Slider::loadSlidBallTextures(const std::string& normal, const std::string& pressed,
                                  const std::string& disabled, TextureResType texType) {
    loadSlidBallTextureNormal(normal, texType);
    loadSlidBallTexturePressed(pressed, texType);
    loadSlidBallTextureDisabled(disabled, texType);
}

Sprite* Slider::loadBallSprite(Sprite* old, const std::string& file, bool& loaded) {
    if (old) {
        old->removeFromParent();
    }
    Sprite* sprite = loadSprite("ball", file);
    loaded = sprite != nullptr;
    if (sprite) {
        _slidBallRenderer->addChild(sprite);
    }
    return sprite;
}

void Slider::loadSlidBallTextureNormal(const std::string& normal, TextureResType) {
    bool loaded = false;
    _slidBallNormalRenderer = loadBallSprite(_slidBallNormalRenderer, normal, loaded);
    _brightStyle = BrightStyle::NONE;
    setBright(_bright);
}

void Slider::loadSlidBallTexturePressed(const std::string& pressed, TextureResType) {
    _slidBallPressedRenderer =
        loadBallSprite(_slidBallPressedRenderer, pressed, _isSliderBallPressedTextureLoaded);
    _brightStyle = BrightStyle::NONE;
    setBright(_bright);
}

void Slider::loadSlidBallTextureDisabled(const std::string& disabled, TextureResType) {
    _slidBallDisabledRenderer =
        loadBallSprite(_slidBallDisabledRenderer, disabled, _isSliderBallDisabledTexturedLoaded);
    _brightStyle = BrightStyle::NONE;
    setBright(_bright);
}

void Slider::setPercent(int percent) {
    percent = std::max(0, std::min(percent, _maxPercent));
    if (percent == _percent) {
        return;
    }
    _percent = percent;
    layoutToPercent();
    fireEvent(EventType::ON_PERCENTAGE_CHANGED);
}

void Slider::setMaxPercent(int percent) {
    _maxPercent = std::max(0, percent);
    if (_percent > _maxPercent) {
        _percent = _maxPercent;
    }
    layoutToPercent();
}

void Slider::layoutToPercent() {
    const float ratio = _maxPercent > 0 ? static_cast<float>(_percent) / _maxPercent : 0.0f;
    const float midY = _contentSize.height / 2.0f;
    if (_barRenderer) {
        _barRenderer->setPosition(_contentSize.width / 2.0f, midY);
    }
    _slidBallRenderer->setPosition(_contentSize.width * ratio, midY);
    if (_progressBarRenderer) {
        _progressBarRenderer->setPosition(0.0f, midY);
        Rect rect = _progressBarRenderer->getTextureRect();
        rect.size.width = _progressBarTextureSize.width * ratio;
        _progressBarRenderer->setTextureRect(rect, false, rect.size);
    }
}

// Truncated toward zero as the framework does; setPercent clamps.
int Slider::percentAt(const Vec2& worldPoint) const {
    if (_contentSize.width <= 0.0f) {
        return 0;
    }
    const Vec2 local = convertToNodeSpace(worldPoint);
    return static_cast<int>(local.x / _contentSize.width * _maxPercent);
}

bool Slider::hitTest(const Vec2& worldPoint) const {
    const Vec2 local = convertToNodeSpace(worldPoint);
    if (_slidBallNormalRenderer) {
        const Size ball = _slidBallNormalRenderer->getContentSize() * _slidBallNormalRenderer->getScaleX();
        const Vec2 centre = _slidBallRenderer->getPosition();
        const Rect ballRect(centre.x - ball.width / 2.0f, centre.y - ball.height / 2.0f, ball.width,
                            ball.height);
        if (ball.width > 0.0f && ball.height > 0.0f && ballRect.containsPoint(local)) {
            return true;
        }
    }
    return Widget::hitTest(worldPoint);
}

void Slider::fireEvent(EventType type) {
    retain();
    if (_eventCallback) {
        _eventCallback(this, type);
    }
    release();
}

bool Slider::onTouchBegan(Touch* touch, Event* event) {
    if (!Widget::onTouchBegan(touch, event)) {
        return false;
    }
    setPercent(percentAt(_touchBeganPosition));
    fireEvent(EventType::ON_SLIDEBALL_DOWN);
    return true;
}

// The ball follows the finger anywhere along the bar; no MOVED touch callback.
void Slider::onTouchMoved(Touch* touch, Event*) {
    _touchMovePosition = touch->getLocation();
    setPercent(percentAt(_touchMovePosition));
}

// A release away from the bar and the ball is a cancel: the value the drag reached stays shown,
// but listeners waiting for ENDED to commit it are not told.
void Slider::onTouchEnded(Touch* touch, Event* event) {
    if (!hitTest(touch->getLocation())) {
        onTouchCancelled(touch, event);
        return;
    }
    Widget::onTouchEnded(touch, event);
    fireEvent(EventType::ON_SLIDEBALL_UP);
}

void Slider::onTouchCancelled(Touch* touch, Event* event) {
    Widget::onTouchCancelled(touch, event);
    fireEvent(EventType::ON_SLIDEBALL_CANCEL);
}

void Slider::showBall(Sprite* shown) {
    for (Sprite* sprite : {_slidBallNormalRenderer, _slidBallPressedRenderer, _slidBallDisabledRenderer}) {
        if (sprite) {
            sprite->setVisible(sprite == shown);
            sprite->setScale(1.0f);
            sprite->setColor(Color3B::WHITE);
        }
    }
    pushDisplayedLookToRenderers();
}

void Slider::onPressStateChangedToNormal() {
    showBall(_slidBallNormalRenderer);
}

void Slider::onPressStateChangedToPressed() {
    if (_isSliderBallPressedTextureLoaded) {
        showBall(_slidBallPressedRenderer);
        return;
    }
    showBall(_slidBallNormalRenderer);
    if (_slidBallNormalRenderer) {
        _slidBallNormalRenderer->setScale(1.0f + kBallZoom);
    }
}

void Slider::onPressStateChangedToDisabled() {
    if (_isSliderBallDisabledTexturedLoaded) {
        showBall(_slidBallDisabledRenderer);
        return;
    }
    showBall(_slidBallNormalRenderer);
    if (_slidBallNormalRenderer) {
        _slidBallNormalRenderer->setColor(kDisabledTint);
        pushDisplayedLookToRenderers();
    }
}

} // namespace ui
NS_CC_END
