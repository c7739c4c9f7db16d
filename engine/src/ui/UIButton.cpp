#include "ui/UIButton.h"

#include "2d/CCLabel.h"
#include "2d/CCSprite.h"
#include "base/CCConsole.h"

NS_CC_BEGIN
namespace ui {

const float Button::kDefaultZoomScale = 0.1f;

// Tint of the normal image when there is no disabled image of its own.
static const Color3B kDisabledTint(128, 128, 128);

Button* Button::create() {
    Button* button = new (std::nothrow) Button();
    if (button && button->init()) {
        button->autorelease();
        return button;
    }
    delete button;
    return nullptr;
}

Button* Button::create(const std::string& normalImage, const std::string& selectedImage,
                       const std::string& disableImage, TextureResType texType) {
    Button* button = create();
    if (button) {
        button->loadTextures(normalImage, selectedImage, disableImage, texType);
    }
    return button;
}

Button::Button() {
    _zoomScale = kDefaultZoomScale;
}

Button::~Button() {
    CC_SAFE_RELEASE(_titleRenderer);
}

bool Button::init() {
    if (!Widget::init()) {
        return false;
    }
    setTouchEnabled(true);
    return true;
}

void Button::loadTextures(const std::string& normal, const std::string& selected, const std::string& disabled,
                          TextureResType texType) {
    loadTextureNormal(normal, texType);
    loadTexturePressed(selected, texType);
    loadTextureDisabled(disabled, texType);
}

// Swaps one state's sprite for a new image; an empty or unloadable path leaves that state without one.
Sprite* Button::replaceRenderer(Sprite* old, const std::string& file, bool& loaded) {
    if (old) {
        removeProtectedChild(old);
    }
    loaded = false;
    if (file.empty()) {
        return nullptr;
    }
    Sprite* sprite = Sprite::create(file);
    if (!sprite) {
        log("Button: can't load image %s", file.c_str());
        return nullptr;
    }
    loaded = true;
    addProtectedChild(sprite);
    return sprite;
}

void Button::loadTextureNormal(const std::string& normal, TextureResType) {
    _buttonNormalRenderer = replaceRenderer(_buttonNormalRenderer, normal, _normalTextureLoaded);
    setContentSize(_buttonNormalRenderer ? _buttonNormalRenderer->getContentSize() : Size::ZERO);
    updateTitleLayout();
    _brightStyle = BrightStyle::NONE;
    setBright(_bright);
}

void Button::loadTexturePressed(const std::string& selected, TextureResType) {
    _buttonClickedRenderer = replaceRenderer(_buttonClickedRenderer, selected, _pressedTextureLoaded);
    _brightStyle = BrightStyle::NONE;
    setBright(_bright);
}

void Button::loadTextureDisabled(const std::string& disabled, TextureResType) {
    _buttonDisabledRenderer = replaceRenderer(_buttonDisabledRenderer, disabled, _disabledTextureLoaded);
    _brightStyle = BrightStyle::NONE;
    setBright(_bright);
}

// Shows one renderer centred in the content rect, at rest scale and untinted; hides the others.
void Button::showOnly(Sprite* shown) {
    const Vec2 centre(_contentSize.width / 2.0f, _contentSize.height / 2.0f);
    for (Sprite* sprite : {_buttonNormalRenderer, _buttonClickedRenderer, _buttonDisabledRenderer}) {
        if (sprite) {
            sprite->setVisible(sprite == shown);
            sprite->setPosition(centre);
            sprite->setScale(1.0f);
            sprite->setColor(Color3B::WHITE);
        }
    }
    pushDisplayedLookToRenderers();
}

void Button::onPressStateChangedToNormal() {
    showOnly(_buttonNormalRenderer);
}

void Button::onPressStateChangedToPressed() {
    if (_pressedTextureLoaded) {
        showOnly(_buttonClickedRenderer);
        if (_pressedActionEnabled) {
            _buttonClickedRenderer->setScale(1.0f + _zoomScale);
        }
    } else {
        showOnly(_buttonNormalRenderer);
        if (_buttonNormalRenderer) {
            _buttonNormalRenderer->setScale(1.0f + _zoomScale);
        }
    }
}

void Button::onPressStateChangedToDisabled() {
    if (_disabledTextureLoaded) {
        showOnly(_buttonDisabledRenderer);
        return;
    }
    showOnly(_buttonNormalRenderer);
    if (_buttonNormalRenderer) {
        _buttonNormalRenderer->setColor(kDisabledTint);
        pushDisplayedLookToRenderers();
    }
}

void Button::setTitleText(const std::string& text) {
    if (!_titleRenderer) {
        if (text.empty()) {
            return;
        }
        if (_titleFontName.empty()) {
            log("Button: title \"%s\" needs a font file (setTitleFontName)", text.c_str());
            return;
        }
        _titleRenderer = Label::createWithTTF(text, _titleFontName, _titleFontSize);
        if (!_titleRenderer) {
            return;
        }
        _titleRenderer->retain();
        _titleRenderer->setColor(_titleColor);
        addProtectedChild(_titleRenderer);
    }
    _titleRenderer->setString(text);
    updateTitleLayout();
}

std::string Button::getTitleText() const {
    return _titleRenderer ? _titleRenderer->getString() : std::string();
}

void Button::setTitleFontName(const std::string& fontName) {
    _titleFontName = fontName;
    if (_titleRenderer) {
        const std::string text = _titleRenderer->getString();
        removeProtectedChild(_titleRenderer);
        CC_SAFE_RELEASE_NULL(_titleRenderer);
        setTitleText(text);
    }
}

void Button::setTitleFontSize(float size) {
    _titleFontSize = size;
    setTitleFontName(_titleFontName);
}

void Button::setTitleColor(const Color3B& color) {
    _titleColor = color;
    if (_titleRenderer) {
        _titleRenderer->setColor(color);
        pushDisplayedLookToRenderers();
    }
}

void Button::updateTitleLayout() {
    if (_titleRenderer) {
        _titleRenderer->setPosition(_contentSize.width / 2.0f, _contentSize.height / 2.0f);
    }
}

} // namespace ui
NS_CC_END
