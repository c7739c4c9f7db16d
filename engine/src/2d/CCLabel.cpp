#include "2d/CCLabel.h"

#include "base/CCConsole.h"
#include "base/CCDirector.h"
#include "platform/CCFileUtils.h"
#include "renderer/CCTexture2D.h"

NS_CC_BEGIN

Label* Label::createWithTTF(const std::string& text, const std::string& fontFilePath, float fontSize,
                            const Size& dimensions, TextHAlignment hAlignment, TextVAlignment vAlignment) {
    if (!FileUtils::getInstance()->isFileExist(fontFilePath)) {
        log("Label::createWithTTF: font '%s' not found", fontFilePath.c_str());
        return nullptr;
    }
    auto* label = new (std::nothrow) Label(hAlignment, vAlignment);
    label->setTTFConfig(TTFConfig(fontFilePath, fontSize));
    if (dimensions.width > 0 || dimensions.height > 0) {
        label->setDimensions(dimensions.width, dimensions.height);
    }
    label->setString(text);
    label->autorelease();
    return label;
}

Label* Label::createWithTTF(const TTFConfig& ttfConfig, const std::string& text, TextHAlignment hAlignment,
                            int maxLineWidth) {
    if (!FileUtils::getInstance()->isFileExist(ttfConfig.fontFilePath)) {
        log("Label::createWithTTF: font '%s' not found", ttfConfig.fontFilePath.c_str());
        return nullptr;
    }
    auto* label = new (std::nothrow) Label(hAlignment);
    label->setTTFConfig(ttfConfig);
    if (maxLineWidth > 0) {
        label->setMaxLineWidth(static_cast<float>(maxLineWidth));
    }
    label->setString(text);
    label->autorelease();
    return label;
}

Label* Label::create() {
    auto* label = new (std::nothrow) Label();
    label->autorelease();
    return label;
}

Label::Label(TextHAlignment hAlignment, TextVAlignment vAlignment)
    : _textColor(Color4B::WHITE), _outlineColor(Color4B::BLACK), _hAlignment(hAlignment),
      _vAlignment(vAlignment), _blendFunc(BlendFunc::ALPHA_NON_PREMULTIPLIED) {
    setAnchorPoint(Vec2(0.5f, 0.5f));
}

bool Label::setTTFConfig(const TTFConfig& ttfConfig) {
    _ttfConfig = ttfConfig;
    _fontFullPath = FileUtils::getInstance()->fullPathForFilename(ttfConfig.fontFilePath);
    if (ttfConfig.outlineSize > 0) {
        _outlineSize = ttfConfig.outlineSize;
    }
    markLayoutDirty();
    return !_fontFullPath.empty();
}

void Label::markLayoutDirty() {
    _layoutDirty = true;
    _pixelsDirty = true;
}

void Label::setString(const std::string& text) {
    if (text == _text) {
        return;
    }
    _text = text;
    markLayoutDirty();
}

int Label::getStringLength() {
    updateLayout();
    size_t count = 0;
    for (const Line& line : _lines) {
        count += line.text.size();
    }
    return static_cast<int>(count);
}

int Label::getStringNumLines() {
    updateLayout();
    return static_cast<int>(_lines.size());
}

void Label::setTextColor(const Color4B& color) {
    if (color != _textColor) {
        _textColor = color;
        markPixelsDirty();
    }
}

// The outline widens every line by 2 * size; widths stay the plain advances and the outline spills
// `size` pixels past both sides.
void Label::enableOutline(const Color4B& outlineColor, int outlineSize) {
    if (outlineSize <= 0 && _outlineSize <= 0) {
        return;
    }
    if (outlineSize > 0 && outlineSize != _outlineSize) {
        _outlineSize = outlineSize;
        markLayoutDirty();
    }
    if (outlineColor != _outlineColor) {
        _outlineColor = outlineColor;
        markPixelsDirty();
    }
}

void Label::disableEffect() {
    if (_outlineSize > 0) {
        _outlineSize = 0;
        markLayoutDirty();
    }
}

void Label::setAlignment(TextHAlignment hAlignment) {
    setHorizontalAlignment(hAlignment);
}

void Label::setAlignment(TextHAlignment hAlignment, TextVAlignment vAlignment) {
    setHorizontalAlignment(hAlignment);
    setVerticalAlignment(vAlignment);
}

void Label::setHorizontalAlignment(TextHAlignment hAlignment) {
    if (hAlignment != _hAlignment) {
        _hAlignment = hAlignment;
        markPixelsDirty();
    }
}

void Label::setVerticalAlignment(TextVAlignment vAlignment) {
    if (vAlignment != _vAlignment) {
        _vAlignment = vAlignment;
        markPixelsDirty();
    }
}

void Label::setMaxLineWidth(float maxLineWidth) {
    if (_labelWidth > 0) {
        return; // the dimensions' width decides the wrap width
    }
    if (maxLineWidth != _maxLineWidth) {
        _maxLineWidth = maxLineWidth;
        markLayoutDirty();
    }
}

void Label::setWidth(float width) {
    setDimensions(width, _labelHeight);
}

void Label::setHeight(float height) {
    setDimensions(_labelWidth, height);
}

void Label::setDimensions(float width, float height) {
    if (width == _labelWidth && height == _labelHeight) {
        return;
    }
    _labelWidth = width;
    _labelHeight = height;
    _labelDimensions = Size(width, height);
    _maxLineWidth = width;
    markLayoutDirty();
}

void Label::setLineHeight(float height) {
    _lineHeight = height;
    _lineHeightSet = true;
    markLayoutDirty();
}

float Label::getLineHeight() const {
    updateLayout();
    return _lineHeightSet ? _lineHeight : _fontLineHeight;
}

void Label::setLineSpacing(float height) {
    if (height != _lineSpacing) {
        _lineSpacing = height;
        markLayoutDirty();
    }
}

void Label::enableWrap(bool enable) {
    if (enable != _enableWrap) {
        _enableWrap = enable;
        markLayoutDirty();
    }
}

float Label::maxWrapWidth() const {
    return _enableWrap ? _maxLineWidth : 0.0f;
}

const Size& Label::getContentSize() const {
    updateLayout();
    return _contentSize;
}

Rect Label::getBoundingBox() const {
    updateLayout();
    return Node::getBoundingBox();
}

Label::~Label() {
    CC_SAFE_RELEASE(_textTexture);
}

NS_CC_END
