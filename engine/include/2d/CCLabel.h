#pragma once

#include <string>
#include <vector>

#include "2d/CCSprite.h"

NS_CC_BEGIN

class Texture2D;

enum class GlyphCollection { DYNAMIC, NEHE, ASCII, CUSTOM };

struct TTFConfig {
    std::string fontFilePath;
    float fontSize;
    GlyphCollection glyphs;
    const char* customGlyphs;
    bool distanceFieldEnabled;
    int outlineSize;
    bool italics;
    bool bold;
    bool underline;
    bool strikethrough;

    TTFConfig(const std::string& filePath = "", float size = 12,
              const GlyphCollection& glyphCollection = GlyphCollection::DYNAMIC,
              const char* customGlyphCollection = nullptr, bool useDistanceField = false, int outline = 0,
              bool useItalics = false, bool useBold = false, bool useUnderline = false,
              bool useStrikethrough = false)
        : fontFilePath(filePath), fontSize(size), glyphs(glyphCollection),
          customGlyphs(customGlyphCollection), distanceFieldEnabled(useDistanceField), outlineSize(outline),
          italics(useItalics), bold(useBold), underline(useUnderline), strikethrough(useStrikethrough) {}
};

class LabelProtocol {
public:
    virtual ~LabelProtocol() = default;
    virtual void setString(const std::string& label) = 0;
    virtual const std::string& getString() const = 0;
};

// Text from a TrueType/OpenType font. The text is laid out lazily (content size, bounding box or
// drawing) and rasterised into one texture, which is rebuilt only when something that changes
// the pixels changes: string, font, size, wrap width, alignment, outline or text colour.
class Label : public Node, public LabelProtocol, public BlendProtocol {
public:
    enum class Overflow { NONE, CLAMP, SHRINK, RESIZE_HEIGHT };

    // nullptr exactly when the font file doesn't exist. A file that isn't a usable font still
    // gives a label, which draws nothing.
    static Label* createWithTTF(const std::string& text, const std::string& fontFilePath, float fontSize,
                                const Size& dimensions = Size::ZERO,
                                TextHAlignment hAlignment = TextHAlignment::LEFT,
                                TextVAlignment vAlignment = TextVAlignment::TOP);
    static Label* createWithTTF(const TTFConfig& ttfConfig, const std::string& text,
                                TextHAlignment hAlignment = TextHAlignment::LEFT, int maxLineWidth = 0);
    static Label* create();

    virtual void setString(const std::string& text) override;
    virtual const std::string& getString() const override { return _text; }
    int getStringLength();
    int getStringNumLines();

    virtual bool setTTFConfig(const TTFConfig& ttfConfig);
    virtual const TTFConfig& getTTFConfig() const { return _ttfConfig; }

    virtual void setTextColor(const Color4B& color);
    const Color4B& getTextColor() const { return _textColor; }
    virtual void enableOutline(const Color4B& outlineColor, int outlineSize = -1);
    virtual void disableEffect();
    int getOutlineSize() const { return _outlineSize; }

    void setAlignment(TextHAlignment hAlignment);
    void setAlignment(TextHAlignment hAlignment, TextVAlignment vAlignment);
    void setHorizontalAlignment(TextHAlignment hAlignment);
    TextHAlignment getHorizontalAlignment() const { return _hAlignment; }
    void setVerticalAlignment(TextVAlignment vAlignment);
    TextVAlignment getVerticalAlignment() const { return _vAlignment; }

    // Ignored once a dimensions width has been set.
    void setMaxLineWidth(float maxLineWidth);
    float getMaxLineWidth() { return _maxLineWidth; }
    void setWidth(float width);
    float getWidth() const { return _labelWidth; }
    void setHeight(float height);
    float getHeight() const { return _labelHeight; }
    void setDimensions(float width, float height);
    const Size& getDimensions() const { return _labelDimensions; }
    void setLineHeight(float height);
    float getLineHeight() const;
    void setLineSpacing(float height);
    float getLineSpacing() const { return _lineSpacing; }
    void enableWrap(bool enable);
    bool isWrapEnabled() const { return _enableWrap; }
    void setOverflow(Overflow overflow) { _overflow = overflow; }
    Overflow getOverflow() const { return _overflow; }

    virtual const Size& getContentSize() const override;
    virtual Rect getBoundingBox() const override;

    virtual void setBlendFunc(const BlendFunc& blendFunc) override { _blendFunc = blendFunc; }
    virtual const BlendFunc& getBlendFunc() const override { return _blendFunc; }

    virtual void visit(Renderer* renderer, const Mat4& parentTransform, uint32_t parentFlags) override;
    virtual void draw(Renderer* renderer, const Mat4& transform, uint32_t flags) override;

    // Engine side: how often this label rasterised its text (tests and benchmarks count it).
    int getRenderCount() const { return _renderCount; }

    CC_CONSTRUCTOR_ACCESS : Label(TextHAlignment hAlignment = TextHAlignment::LEFT,
                                  TextVAlignment vAlignment = TextVAlignment::TOP);
    virtual ~Label();

protected:
    struct Line {
        std::u32string text;
        float width = 0.0f; // points
    };

    void markLayoutDirty();
    void markPixelsDirty() { _pixelsDirty = true; }
    void updateLayout() const;
    void renderText();
    float maxWrapWidth() const;
    int fontPixelSize() const;
    float pointsPerPixel() const;

    std::string _text;
    TTFConfig _ttfConfig;
    std::string _fontFullPath;
    Color4B _textColor;
    Color4B _outlineColor;
    int _outlineSize = 0;
    TextHAlignment _hAlignment;
    TextVAlignment _vAlignment;
    float _maxLineWidth = 0.0f;
    float _labelWidth = 0.0f;
    float _labelHeight = 0.0f;
    Size _labelDimensions;
    float _lineHeight = 0.0f;
    bool _lineHeightSet = false;
    float _lineSpacing = 0.0f;
    bool _enableWrap = true;
    Overflow _overflow = Overflow::NONE;
    BlendFunc _blendFunc;

    mutable std::vector<Line> _lines;
    mutable float _fontLineHeight = 0.0f;
    mutable bool _layoutDirty = true;
    bool _pixelsDirty = true;
    Texture2D* _textTexture = nullptr;
    int _renderCount = 0;
    // How far the rendered glyphs reach past the laid-out width (ink beyond the last advance).
    float _inkOverhang = 0.0f;
};

NS_CC_END
