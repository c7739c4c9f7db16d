// Label layout (lines and content size) and rasterisation into its texture.
#include <SDL.h>
#include <SDL_ttf.h>

#include <algorithm>
#include <cmath>

#include "2d/CCLabel.h"
#include "2d/QuadBuilder.h"
#include "base/CCDirector.h"
#include "ext/Headless.h"
#include "renderer/CCRenderer.h"
#include "renderer/CCTexture2D.h"
#include "text/FontCache.h"
#include "text/LineBreaker.h"
#include "text/Utf8.h"

NS_CC_BEGIN

namespace {
constexpr size_t kMaxCodePoints = 16384;
long long g_labelRenderCount = 0;

float glyphAdvance(TTF_Font* font, char32_t previous, char32_t c) {
    int advance = 0;
    if (TTF_GlyphMetrics32(font, static_cast<Uint32>(c), nullptr, nullptr, nullptr, nullptr, &advance) != 0) {
        return 0.0f;
    }
    int kerning =
        previous ? TTF_GetFontKerningSizeGlyphs32(font, static_cast<Uint32>(previous), static_cast<Uint32>(c))
                 : 0;
    return static_cast<float>(advance + kerning);
}

SDL_Surface* renderLine(TTF_Font* font, const std::string& utf8, const Color4B& color) {
    SDL_Color sdlColor{color.r, color.g, color.b, color.a};
    return TTF_RenderUTF8_Blended(font, utf8.c_str(), sdlColor);
}
} // namespace

int Label::fontPixelSize() const {
    return static_cast<int>(std::lround(_ttfConfig.fontSize * _director->getContentScaleFactor()));
}

float Label::pointsPerPixel() const {
    return 1.0f / _director->getContentScaleFactor();
}

void Label::updateLayout() const {
    if (!_layoutDirty) {
        return;
    }
    _layoutDirty = false;
    _lines.clear();
    TTF_Font* font =
        _fontFullPath.empty() ? nullptr : text::FontCache::get(_fontFullPath, fontPixelSize(), 0);
    float scale = pointsPerPixel();
    _fontLineHeight = 0.0f;
    if (font) {
        _fontLineHeight = (TTF_FontAscent(font) - TTF_FontDescent(font) + 2 * _outlineSize) * scale;
    }
    if (font && !_text.empty()) {
        auto advance = [font, scale](char32_t previous, char32_t c) {
            return glyphAdvance(font, previous, c) * scale;
        };
        std::u32string text = text::decodeUtf8(_text, kMaxCodePoints);
        for (auto& broken : text::breakLines(text, maxWrapWidth(), advance)) {
            _lines.push_back(Line{std::move(broken.text), broken.width});
        }
    }
    float lineHeight = _lineHeightSet ? _lineHeight : _fontLineHeight;
    float width = 0.0f;
    for (const Line& line : _lines) {
        width = std::max(width, line.width);
    }
    float height = _lines.empty() ? 0.0f : _lines.size() * lineHeight + (_lines.size() - 1) * _lineSpacing;
    Size size(_labelWidth > 0 ? _labelWidth : width, _labelHeight > 0 ? _labelHeight : height);
    const_cast<Label*>(this)->Node::setContentSize(size);
}

// One texture holds the whole text: content size plus the outline's spill on both sides. Each
// line is drawn outline first (copied), then the fill blended on top.
void Label::renderText() {
    _pixelsDirty = false;
    TTF_Font* font =
        _fontFullPath.empty() ? nullptr : text::FontCache::get(_fontFullPath, fontPixelSize(), 0);
    TTF_Font* outlineFont = (font && _outlineSize > 0)
                                ? text::FontCache::get(_fontFullPath, fontPixelSize(), _outlineSize)
                                : nullptr;
    float factor = _director->getContentScaleFactor();
    int outline = outlineFont ? _outlineSize : 0;
    // A line's rendered ink can reach a few pixels past its laid-out width (the last glyph's
    // overhang); the texture grows to the right to hold it instead of cutting the glyph off.
    int overhang = 0;
    if (font) {
        for (const Line& line : _lines) {
            int renderedW = 0;
            if (!line.text.empty() &&
                TTF_SizeUTF8(font, text::encodeUtf8(line.text).c_str(), &renderedW, nullptr) == 0) {
                overhang = std::max(overhang, renderedW - static_cast<int>(std::ceil(line.width * factor)));
            }
        }
    }
    _inkOverhang = overhang * pointsPerPixel();
    int texW = static_cast<int>(std::ceil(_contentSize.width * factor)) + 2 * outline + overhang;
    int texH = static_cast<int>(std::ceil(_contentSize.height * factor));
    if (!font || _lines.empty() || texW <= 0 || texH <= 0) {
        CC_SAFE_RELEASE_NULL(_textTexture);
        return;
    }
    SDL_Surface* canvas = SDL_CreateRGBSurfaceWithFormat(0, texW, texH, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!canvas) {
        return;
    }
    ++_renderCount;
    ++g_labelRenderCount;
    float lineHeight = (_lineHeightSet ? _lineHeight : _fontLineHeight) * factor;
    float blockHeight = _lines.size() * lineHeight + (_lines.size() - 1) * _lineSpacing * factor;
    float top = 0.0f;
    if (_vAlignment == TextVAlignment::CENTER) {
        top = (texH - blockHeight) / 2;
    } else if (_vAlignment == TextVAlignment::BOTTOM) {
        top = texH - blockHeight;
    }
    float contentW = _contentSize.width * factor;
    for (size_t i = 0; i < _lines.size(); ++i) {
        const Line& line = _lines[i];
        if (line.text.empty()) {
            continue;
        }
        float lineW = line.width * factor;
        float x = 0.0f;
        if (_hAlignment == TextHAlignment::CENTER) {
            x = (contentW - lineW) / 2;
        } else if (_hAlignment == TextHAlignment::RIGHT) {
            x = contentW - lineW;
        }
        int penX = static_cast<int>(std::lround(x));
        int penY = static_cast<int>(std::lround(top + i * (lineHeight + _lineSpacing * factor)));
        std::string utf8 = text::encodeUtf8(line.text);
        if (outlineFont) {
            if (SDL_Surface* stroke = renderLine(outlineFont, utf8, _outlineColor)) {
                SDL_SetSurfaceBlendMode(stroke, SDL_BLENDMODE_NONE);
                SDL_Rect at{penX, penY, stroke->w, stroke->h};
                SDL_BlitSurface(stroke, nullptr, canvas, &at);
                SDL_FreeSurface(stroke);
            }
        }
        if (SDL_Surface* fill = renderLine(font, utf8, _textColor)) {
            SDL_SetSurfaceBlendMode(fill, outlineFont ? SDL_BLENDMODE_BLEND : SDL_BLENDMODE_NONE);
            SDL_Rect at{penX + outline, penY + outline, fill->w, fill->h};
            SDL_BlitSurface(fill, nullptr, canvas, &at);
            SDL_FreeSurface(fill);
        }
    }
    if (!_textTexture) {
        _textTexture = new (std::nothrow) Texture2D();
    }
    _textTexture->updateWithSurface(canvas);
}

void Label::visit(Renderer* renderer, const Mat4& parentTransform, uint32_t parentFlags) {
    updateLayout(); // the transform depends on the content size
    Node::visit(renderer, parentTransform, parentFlags);
}

void Label::draw(Renderer* renderer, const Mat4& transform, uint32_t) {
    updateLayout();
    if (_pixelsDirty) {
        renderText();
    }
    if (!_textTexture || _displayedOpacity == 0) {
        return;
    }
    float spill = _outlineSize > 0 ? _outlineSize * pointsPerPixel() : 0.0f;
    V2F_C4B_T2F quad[4];
    Color4B tint(_displayedColor, _displayedOpacity);
    buildQuad(quad, transform, -spill, 0, _contentSize.width + spill + _inkOverhang, _contentSize.height,
              tint, 0, 0, 1, 1);
    renderer->drawQuad(_textTexture, quad, _blendFunc);
}

namespace ext {
long long labelRenderCount() {
    return g_labelRenderCount;
}
} // namespace ext

NS_CC_END
