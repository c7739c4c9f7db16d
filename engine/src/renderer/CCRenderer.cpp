#include "renderer/CCRenderer.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "renderer/CCTexture2D.h"
#include "renderer/RenderTargets.h"
#include "renderer/SoftBlend.h"

NS_CC_BEGIN

Renderer::Renderer() {
    _scratch.reserve(1024);
}

Renderer::~Renderer() {
    for (Texture2D* texture : _copiesShownBefore) {
        texture->release();
    }
    for (Texture2D* texture : _copiesShown) {
        texture->release();
    }
    if (_canvas && render_targets::isAlive(_canvasGeneration)) {
        SDL_DestroyTexture(_canvas);
    }
}

void Renderer::beginFrame(SDL_Renderer* target, const Rect& viewport, float scaleX, float scaleY,
                          float frameHeight, SDL_Surface* frame) {
    _target = target;
    _frameSurface = frame && frame->format->format == SDL_PIXELFORMAT_ARGB8888 ? frame : nullptr;
    _originX = viewport.origin.x;
    _originY = viewport.origin.y;
    _scaleX = scaleX;
    _scaleY = scaleY;
    _frameHeight = frameHeight;
    _drawCalls = 0;
    ++_frame;
    _untouched = true;
    for (Texture2D* texture : _copiesShownBefore) {
        if (std::find(_copiesShown.begin(), _copiesShown.end(), texture) == _copiesShown.end()) {
            texture->releaseScaledCopy();
        }
        texture->release();
    }
    _copiesShownBefore.swap(_copiesShown);
    _copiesShown.clear();
    if (!_stretched.empty() && _frame - _stretchedUsedFrame > 1) {
        std::vector<uint32_t>().swap(_stretched);
    }
    if (_canvas && _frame - _canvasUsedFrame > 1) {
        if (render_targets::isAlive(_canvasGeneration)) {
            SDL_DestroyTexture(_canvas);
        }
        _canvas = nullptr;
    }
    SDL_RendererInfo info;
    _software = SDL_GetRendererInfo(_target, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
    SDL_SetRenderDrawColor(_target, 0, 0, 0, 255);
    // Into the frame the clear waits for the first draw: a picture that covers the whole frame
    // opaquely (a background) makes it needless, and clearing is a frame's worth of writing.
    _clearPending = _frameSurface != nullptr;
    if (!_clearPending) {
        SDL_RenderClear(_target);
    }
}

void Renderer::endFrame() {
    if (_target) {
        settleClear(false);
        SDL_RenderFlush(_target);
    }
}

void Renderer::settleClear(bool covered) {
    if (_clearPending) {
        _clearPending = false;
        if (!covered) {
            SDL_RenderClear(_target);
        }
    }
}

namespace {
SDL_BlendMode toSDLBlendMode(const BlendFunc& blend) {
    // Anything that adds onto the destination (src alpha or one, then one) is additive; every
    // other combination is drawn as ordinary alpha blending of straight-alpha pixels.
    if (blend.dst == GL_ONE) {
        return SDL_BLENDMODE_ADD;
    }
    if (blend.src == GL_ONE && blend.dst == GL_ZERO) {
        return SDL_BLENDMODE_NONE;
    }
    return SDL_BLENDMODE_BLEND;
}

bool toSoftMode(int blendMode, soft::Mode* mode) {
    switch (blendMode) {
    case SDL_BLENDMODE_NONE:
        *mode = soft::Mode::Copy;
        return true;
    case SDL_BLENDMODE_BLEND:
        *mode = soft::Mode::Blend;
        return true;
    case SDL_BLENDMODE_ADD:
        *mode = soft::Mode::Add;
        return true;
    default:
        return false;
    }
}

bool asPixels(const SDL_Surface* surface, soft::Pixels* pixels) {
    if (!surface || surface->format->format != SDL_PIXELFORMAT_ARGB8888 || SDL_MUSTLOCK(surface)) {
        return false;
    }
    *pixels = soft::Pixels{static_cast<uint32_t*>(surface->pixels), surface->pitch, surface->w, surface->h};
    return true;
}

soft::Tint toTint(const SDL_Color& c) {
    return soft::Tint{c.r, c.g, c.b, c.a};
}

// Quads as the engine batches them: four vertices of one colour each (bottom-left, bottom-right,
// top-left, top-right), drawn as the triangles (0, 1, 2) and (2, 1, 3).
bool isQuadBatch(const SDL_Vertex* vertices, int vertexCount, const int* indices, int indexCount) {
    static const int kQuadIndices[6] = {0, 1, 2, 2, 1, 3};
    const int quads = vertexCount / 4;
    if (quads < 1 || vertexCount % 4 != 0 || !indices || indexCount != quads * 6) {
        return false;
    }
    for (int q = 0; q < quads; ++q) {
        const SDL_Vertex* v = vertices + q * 4;
        for (int k = 0; k < 6; ++k) {
            if (indices[q * 6 + k] != q * 4 + kQuadIndices[k]) {
                return false;
            }
        }
        for (int i = 1; i < 4; ++i) {
            if (std::memcmp(&v[i].color, &v[0].color, sizeof(SDL_Color)) != 0) {
                return false;
            }
        }
    }
    return true;
}
} // namespace

bool Renderer::coversFrame(int vertexCount, const int* indices, int indexCount) const {
    if (!_frameSurface || !isQuadBatch(_scratch.data(), vertexCount, indices, indexCount) ||
        vertexCount != 4) {
        return false;
    }
    const SDL_Vertex* v = _scratch.data(); // bottom-left, bottom-right, top-left, top-right
    const bool upright = v[0].position.y == v[1].position.y && v[2].position.y == v[3].position.y &&
                         v[0].position.x == v[2].position.x && v[1].position.x == v[3].position.x;
    return upright && v[0].position.x <= 0.0f && v[2].position.y <= 0.0f &&
           v[1].position.x >= static_cast<float>(_frameSurface->w) &&
           v[0].position.y >= static_cast<float>(_frameSurface->h);
}

void Renderer::drawTriangles(Texture2D* texture, const V2F_C4B_T2F* vertices, int vertexCount,
                             const int* indices, int indexCount, const BlendFunc& blend) {
    if (!_target || !vertices || vertexCount <= 0) {
        return;
    }
    if (texture) {
        texture->markUsed();
        if (texture->getPixelsWide() <= 0 || texture->getPixelsHigh() <= 0) {
            return;
        }
    }
    _scratch.resize(static_cast<size_t>(vertexCount));
    bool opaqueVertices = true;
    for (int i = 0; i < vertexCount; ++i) {
        const V2F_C4B_T2F& in = vertices[i];
        SDL_Vertex& out = _scratch[static_cast<size_t>(i)];
        out.position.x = _originX + in.vertices.x * _scaleX;
        out.position.y = _frameHeight - (_originY + in.vertices.y * _scaleY);
        out.color = SDL_Color{in.colors.r, in.colors.g, in.colors.b, in.colors.a};
        out.tex_coord.x = in.texCoords.u;
        out.tex_coord.y = in.texCoords.v;
        opaqueVertices = opaqueVertices && in.colors.a == 255;
    }
    SDL_BlendMode mode = toSDLBlendMode(blend);
    // Blending an opaque image at full opacity is a plain copy; the software renderer's copy is
    // several times faster (a full-screen background is most of a frame).
    if (mode == SDL_BLENDMODE_BLEND && opaqueVertices && texture && texture->isOpaque()) {
        mode = SDL_BLENDMODE_NONE;
    }
    // An opaque picture over the whole frame leaves nothing of the clear to see.
    if (_clearPending) {
        settleClear(mode == SDL_BLENDMODE_NONE && texture && coversFrame(vertexCount, indices, indexCount));
    }
    const bool firstDraw = _untouched;
    // Drawn from its scaled copy, a picture needs no full-size pixels at hand (they may be packed).
    if (texture && _software && drawScaledCopy(texture, vertexCount, indices, indexCount, mode, firstDraw)) {
        _untouched = false;
        ++_drawCalls;
        return;
    }
    // Into the frame the picture's own pixels are drawn: the renderer needs no copy of them.
    if (texture && _software && _frameSurface &&
        (drawTurnedQuad(texture, vertexCount, indices, indexCount, mode) ||
         drawUprightQuads(texture, vertexCount, indices, indexCount, mode))) {
        _untouched = false;
        ++_drawCalls;
        return;
    }
    SDL_Texture* sdlTexture = texture ? texture->getSDLTexture(_target) : nullptr;
    if (texture && !sdlTexture) {
        return;
    }
    _untouched = false;
    if (sdlTexture && _software && !_frameSurface &&
        (drawTurnedQuad(texture, vertexCount, indices, indexCount, mode) ||
         drawUprightQuads(texture, vertexCount, indices, indexCount, mode))) {
        ++_drawCalls;
        return;
    }
    if (sdlTexture) {
        SDL_SetTextureBlendMode(sdlTexture, mode);
    } else {
        SDL_SetRenderDrawBlendMode(_target, mode);
    }
    SDL_RenderGeometry(_target, sdlTexture, _scratch.data(), vertexCount, indices, indices ? indexCount : 0);
    ++_drawCalls;
}

// The software renderer copies an image unscaled and untinted several times faster than it
// scales or tints one (a portrait scaled to its place cost 2 ms a frame, a faded panel 1 ms),
// so a quad that shows a whole image upright at another size or tint is drawn from a copy
// made once at that size and tint.
bool Renderer::drawScaledCopy(Texture2D* texture, int vertexCount, const int* indices, int indexCount,
                              int blendMode, bool firstDraw) {
    static const int kQuadIndices[6] = {0, 1, 2, 2, 1, 3};
    if (vertexCount != 4 || indexCount != 6 || !indices || !std::equal(indices, indices + 6, kQuadIndices) ||
        blendMode == SDL_BLENDMODE_ADD) {
        return false;
    }
    const SDL_Vertex* v = _scratch.data(); // bottom-left, bottom-right, top-left, top-right
    const SDL_Color c = v[0].color;
    for (int i = 1; i < 4; ++i) {
        if (v[i].color.r != c.r || v[i].color.g != c.g || v[i].color.b != c.b || v[i].color.a != c.a) {
            return false;
        }
    }
    const bool upright = v[0].position.y == v[1].position.y && v[2].position.y == v[3].position.y &&
                         v[0].position.x == v[2].position.x && v[1].position.x == v[3].position.x &&
                         v[0].position.x < v[1].position.x && v[2].position.y < v[0].position.y;
    const bool wholeImage = v[0].tex_coord.x == 0.0f && v[0].tex_coord.y == 1.0f &&
                            v[3].tex_coord.x == 1.0f && v[3].tex_coord.y == 0.0f &&
                            v[1].tex_coord.x == 1.0f && v[2].tex_coord.x == 0.0f;
    if (!upright || !wholeImage) {
        return false;
    }
    const SDL_Rect rect{static_cast<int>(std::lround(v[2].position.x)),
                        static_cast<int>(std::lround(v[2].position.y)),
                        static_cast<int>(std::lround(v[1].position.x - v[0].position.x)),
                        static_cast<int>(std::lround(v[0].position.y - v[2].position.y))};
    // Held packed, at its own size, a picture goes straight from its runs into the frame,
    // whatever its tint (upright draws): neither its pixels nor a copy are written out.
    const bool ownSize = rect.w == texture->getPixelsWide() && rect.h == texture->getPixelsHigh();
    if (ownSize && _frameSurface && texture->isPacked()) {
        return false;
    }
    // A see-through picture that covers the whole frame as its first draw (a background) only
    // ever blends over the black the frame was cleared to: the copy is made over black already.
    int width = 0, height = 0;
    SDL_GetRendererOutputSize(_target, &width, &height);
    const bool overBlack = firstDraw && blendMode == SDL_BLENDMODE_BLEND && rect.x <= 0 && rect.y <= 0 &&
                           rect.x + rect.w >= width && rect.y + rect.h >= height;
    const bool plain = c.r == 255 && c.g == 255 && c.b == 255 && c.a == 255;
    if (overBlack && plain && ownSize && drawOverBlack(texture, rect.x, rect.y)) {
        return true;
    }
    if (plain && !overBlack && ownSize) {
        return false; // already a plain copy
    }
    bool tintBaked = true;
    SDL_Texture* copy = texture->getScaledCopy(_target, rect.w, rect.h, Color4B(c.r, c.g, c.b, c.a),
                                               overBlack, _frame, &tintBaked);
    if (!copy) {
        return false;
    }
    // An untinted copy under a fade blends, even when the picture itself is opaque.
    const SDL_BlendMode copyMode = overBlack ? SDL_BLENDMODE_NONE
                                   : (!tintBaked && blendMode == SDL_BLENDMODE_NONE && c.a != 255)
                                       ? SDL_BLENDMODE_BLEND
                                       : static_cast<SDL_BlendMode>(blendMode);
    const SDL_Color copyTint = tintBaked ? SDL_Color{255, 255, 255, 255} : c;
    if (!drawCopyIntoFrame(copy, rect, copyTint, copyMode)) {
        SDL_SetTextureColorMod(copy, copyTint.r, copyTint.g, copyTint.b);
        SDL_SetTextureAlphaMod(copy, copyTint.a);
        SDL_SetTextureBlendMode(copy, copyMode);
        SDL_RenderCopy(_target, copy, nullptr, &rect);
    }
    if (std::find(_copiesShown.begin(), _copiesShown.end(), texture) == _copiesShown.end()) {
        texture->retain();
        _copiesShown.push_back(texture);
    }
    return true;
}

// A background whose PNG has a few see-through pixels would be blended over the whole frame;
// as the first draw it only ever lands on black, so opaque pixels are copied and the others
// weighed by their alpha. Holds no copy of the picture.
bool Renderer::drawOverBlack(Texture2D* texture, int x, int y) {
    const SDL_Surface* image = _frameSurface ? texture->getSurface() : nullptr;
    const std::vector<Texture2D::Fixup>* fixups = image ? texture->getOverBlackFixups() : nullptr;
    if (!fixups) {
        return false;
    }
    SDL_RenderFlush(_target); // the clear lands first
    const int x0 = std::max(0, x), y0 = std::max(0, y);
    const int x1 = std::min(_frameSurface->w, x + image->w), y1 = std::min(_frameSurface->h, y + image->h);
    if (x0 >= x1 || y0 >= y1) {
        return true;
    }
    for (int row = y0; row < y1; ++row) {
        std::memcpy(static_cast<Uint8*>(_frameSurface->pixels) + row * _frameSurface->pitch + x0 * 4,
                    static_cast<const Uint8*>(image->pixels) + (row - y) * image->pitch + (x0 - x) * 4,
                    static_cast<size_t>(x1 - x0) * 4);
    }
    for (const Texture2D::Fixup& fixup : *fixups) {
        const int col = x + fixup.x, row = y + fixup.y;
        if (col >= x0 && col < x1 && row >= y0 && row < y1) {
            reinterpret_cast<Uint32*>(static_cast<Uint8*>(_frameSurface->pixels) +
                                      row * _frameSurface->pitch)[col] = fixup.pixel;
        }
    }
    return true;
}

// SDL's software triangle filler took 20-30 ms for the spinning focus lines (a turned square
// larger than the frame); mapping each frame pixel back into the image and copying the result
// costs a few. The image is sampled at the nearest pixel, as a turned blit would be.
bool Renderer::drawTurnedQuad(Texture2D* texture, int vertexCount, const int* indices, int indexCount,
                              int blendMode) {
    constexpr float kMinArea = 128.0f * 128.0f; // onto the canvas, smaller quads are cheap enough for SDL
    if (!isQuadBatch(_scratch.data(), vertexCount, indices, indexCount)) {
        return false;
    }
    const int quads = vertexCount / 4;
    // Several quads (spinning particles) only straight into the frame.
    if (quads > 1 && !_frameSurface) {
        return false;
    }
    bool anyTurned = false;
    for (int q = 0; q < quads; ++q) {
        const SDL_Vertex* v = _scratch.data() + q * 4;
        const float e1x = v[1].position.x - v[0].position.x, e1y = v[1].position.y - v[0].position.y;
        const float e2x = v[2].position.x - v[0].position.x, e2y = v[2].position.y - v[0].position.y;
        const bool upright = (e1y == 0.0f && e2x == 0.0f) || (e1x == 0.0f && e2y == 0.0f);
        anyTurned = anyTurned || !upright;
        if (!_frameSurface && std::fabs(e1x * e2y - e1y * e2x) < kMinArea) {
            return false;
        }
    }
    // Upright quads are drawn as boxes (drawUprightQuads, or SDL's fast blits).
    if (!anyTurned) {
        return false;
    }
    // Into the frame, a picture of one colour (the focus lines) is walked through its alpha alone.
    soft::AlphaPixels alpha;
    if (_frameSurface) {
        uint32_t rgb = 0;
        if (const uint8_t* data = texture->getAlphaCopy(&rgb)) {
            alpha = soft::AlphaPixels{data, texture->getPixelsWide(), texture->getPixelsHigh(), rgb};
        }
    }
    soft::Pixels frame, picture;
    if (!alpha.data && !asPixels(texture->getSurface(), &picture)) {
        return false;
    }
    const auto imageW = static_cast<float>(alpha.data ? alpha.width : picture.width);
    const auto imageH = static_cast<float>(alpha.data ? alpha.height : picture.height);
    const auto walkRow = [&](uint32_t* out, int n, const soft::Walk& walk, soft::Tint tint,
                             soft::Mode rowMode) {
        if (alpha.data) {
            soft::drawWalk(out, n, alpha, walk, tint, rowMode);
        } else {
            soft::drawWalk(out, n, picture, walk, tint, rowMode);
        }
    };
    int width = 0, height = 0;
    SDL_GetRendererOutputSize(_target, &width, &height);
    soft::Mode mode = soft::Mode::Blend;
    const bool direct = asPixels(_frameSurface, &frame) && toSoftMode(blendMode, &mode) &&
                        frame.width >= width && frame.height >= height;
    if (quads > 1 && !direct) {
        return false;
    }
    if (direct) {
        SDL_RenderFlush(_target); // what SDL holds lands first
    }
    for (int q = 0; q < quads; ++q) {
        const SDL_Vertex* v = _scratch.data() + q * 4;
        const float e1x = v[1].position.x - v[0].position.x, e1y = v[1].position.y - v[0].position.y;
        const float e2x = v[2].position.x - v[0].position.x, e2y = v[2].position.y - v[0].position.y;
        const float cross = e1x * e2y - e1y * e2x;
        if (std::fabs(cross) < 1e-3f) {
            continue; // an empty quad (a particle with nowhere to be)
        }
        const SDL_Color c = v[0].color;
        float minX = v[0].position.x, maxX = minX, minY = v[0].position.y, maxY = minY;
        for (int i = 1; i < 4; ++i) {
            minX = std::min(minX, v[i].position.x);
            maxX = std::max(maxX, v[i].position.x);
            minY = std::min(minY, v[i].position.y);
            maxY = std::max(maxY, v[i].position.y);
        }
        SDL_Rect box{std::max(0, static_cast<int>(std::floor(minX))),
                     std::max(0, static_cast<int>(std::floor(minY))), 0, 0};
        box.w = std::min(width, static_cast<int>(std::ceil(maxX))) - box.x;
        box.h = std::min(height, static_cast<int>(std::ceil(maxY))) - box.y;
        if (box.w <= 0 || box.h <= 0) {
            continue; // nothing of it is in the frame
        }
        // With the frame at hand each row is sampled and blended straight into the frame, four
        // pixels at a time. Otherwise the quad is mapped onto a canvas that SDL then blends
        // (measured faster than blending each pixel through SDL); it is freed once no turned quad
        // was drawn for a frame.
        void* pixels = nullptr;
        int pitch = 0;
        if (!direct) {
            const unsigned int generation = render_targets::generationOf(_target);
            _canvasUsedFrame = _frame;
            if (!_canvas || _canvasGeneration != generation) {
                _canvas = SDL_CreateTexture(_target, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                            width, height);
                _canvasGeneration = generation;
                if (!_canvas) {
                    return false;
                }
            }
            if (SDL_LockTexture(_canvas, &box, &pixels, &pitch) != 0) {
                return false;
            }
        }
        // (a, b) in [0, 1)^2 are the quad's own coordinates along its bottom and left edges; both
        // are linear in the frame's x, so each row's covered span is solved for, not searched.
        const float daDx = e2y / cross, daDy = -e2x / cross, dbDx = -e1y / cross, dbDy = e1x / cross;
        const float du1 = (v[1].tex_coord.x - v[0].tex_coord.x) * imageW,
                    dv1 = (v[1].tex_coord.y - v[0].tex_coord.y) * imageH;
        const float du2 = (v[2].tex_coord.x - v[0].tex_coord.x) * imageW,
                    dv2 = (v[2].tex_coord.y - v[0].tex_coord.y) * imageH;
        const float u0 = v[0].tex_coord.x * imageW, t0 = v[0].tex_coord.y * imageH;
        // Image position in 16.16 fixed point, stepped per frame pixel.
        const auto dUdx = static_cast<int32_t>((daDx * du1 + dbDx * du2) * 65536.0f);
        const auto dTdx = static_cast<int32_t>((daDx * dv1 + dbDx * dv2) * 65536.0f);
        // The columns [begin, end) of a row that the quad covers, and the image position at `begin`.
        struct Span {
            int begin, end;
            int32_t u, t;
        };
        const auto spanOf = [&](int row) {
            const float py = static_cast<float>(box.y + row) + 0.5f - v[0].position.y;
            const float px = static_cast<float>(box.x) + 0.5f - v[0].position.x;
            const float a = px * daDx + py * daDy, b = px * dbDx + py * dbDy;
            float first = 0.0f, last = static_cast<float>(box.w);
            for (const auto& [start, step] :
                 {std::pair<float, float>{a, daDx}, std::pair<float, float>{b, dbDx}}) {
                if (step == 0.0f) {
                    if (start < 0.0f || start >= 1.0f) {
                        last = first;
                    }
                    continue;
                }
                const float enter = (step > 0.0f ? -start : 1.0f - start) / step;
                const float leave = (step > 0.0f ? 1.0f - start : -start) / step;
                first = std::max(first, enter);
                last = std::min(last, leave);
            }
            Span span{};
            span.begin = std::clamp(static_cast<int>(std::ceil(first)), 0, box.w);
            span.end = std::clamp(static_cast<int>(std::ceil(last)), span.begin, box.w);
            const float ab = a + span.begin * daDx, bb = b + span.begin * dbDx;
            span.u = static_cast<int32_t>((u0 + ab * du1 + bb * du2) * 65536.0f);
            span.t = static_cast<int32_t>((t0 + ab * dv1 + bb * dv2) * 65536.0f);
            return span;
        };
        for (int row = 0; row < box.h; ++row) {
            const Span span = spanOf(row);
            const soft::Walk walk{span.u, span.t, dUdx, dTdx};
            if (direct) {
                walkRow(frame.row(box.y + row) + box.x + span.begin, span.end - span.begin, walk, toTint(c),
                        mode);
                continue;
            }
            // On the canvas: the tinted picture where the quad is, clear around it.
            auto* out = reinterpret_cast<Uint32*>(static_cast<Uint8*>(pixels) + row * pitch);
            std::fill(out, out + span.begin, 0u);
            std::fill(out + span.end, out + box.w, 0u);
            walkRow(out + span.begin, span.end - span.begin, walk, toTint(c), soft::Mode::Copy);
        }
        if (!direct) {
            SDL_UnlockTexture(_canvas);
            // Outside the quad the canvas is clear, so it must blend even where the image is opaque.
            SDL_SetTextureBlendMode(_canvas,
                                    blendMode == SDL_BLENDMODE_ADD ? SDL_BLENDMODE_ADD : SDL_BLENDMODE_BLEND);
            SDL_RenderCopy(_target, _canvas, &box, &box);
        }
    }
    return true;
}

// A scaled copy lives in a streaming texture, whose lock on the software renderer is its own
// pixels: it is drawn into the frame from there.
bool Renderer::drawCopyIntoFrame(SDL_Texture* copy, const SDL_Rect& rect, const SDL_Color& tint,
                                 int blendMode) {
    soft::Pixels frame, image;
    soft::Mode mode;
    if (!asPixels(_frameSurface, &frame) || !toSoftMode(blendMode, &mode)) {
        return false;
    }
    void* pixels = nullptr;
    int pitch = 0, width = 0, height = 0;
    if (SDL_QueryTexture(copy, nullptr, nullptr, &width, &height) != 0 ||
        SDL_LockTexture(copy, nullptr, &pixels, &pitch) != 0) {
        return false;
    }
    image = soft::Pixels{static_cast<uint32_t*>(pixels), pitch, width, height};
    SDL_RenderFlush(_target); // what SDL holds lands first
    soft::drawBox(frame, image, {0, 0, width, height}, {rect.x, rect.y, rect.w, rect.h}, toTint(tint), mode,
                  _rowScratch);
    SDL_UnlockTexture(copy);
    return true;
}

// Quads that each show an upright box of the picture, in one colour (sprites at their own size,
// labels, particles): drawn into the frame, the picture sampled at the nearest pixel as SDL's
// software copy would.
bool Renderer::drawUprightQuads(Texture2D* texture, int vertexCount, const int* indices, int indexCount,
                                int blendMode) {
    soft::Pixels frame, image;
    soft::Mode mode;
    if (!asPixels(_frameSurface, &frame) || !toSoftMode(blendMode, &mode) ||
        !isQuadBatch(_scratch.data(), vertexCount, indices, indexCount)) {
        return false;
    }
    const int quads = vertexCount / 4;
    for (int q = 0; q < quads; ++q) {
        const SDL_Vertex* v = _scratch.data() + q * 4; // bottom-left, bottom-right, top-left, top-right
        // Upright on screen and in the picture, not mirrored (an empty quad is fine too).
        const bool upright = v[0].position.y == v[1].position.y && v[2].position.y == v[3].position.y &&
                             v[0].position.x == v[2].position.x && v[1].position.x == v[3].position.x &&
                             v[0].position.x <= v[1].position.x && v[2].position.y <= v[0].position.y;
        const bool straight = v[0].tex_coord.x == v[2].tex_coord.x && v[1].tex_coord.x == v[3].tex_coord.x &&
                              v[0].tex_coord.y == v[1].tex_coord.y && v[2].tex_coord.y == v[3].tex_coord.y &&
                              v[0].tex_coord.x <= v[1].tex_coord.x && v[2].tex_coord.y <= v[0].tex_coord.y;
        if (!upright || !straight) {
            return false;
        }
    }
    // Where each quad comes from in the picture and goes to in the frame.
    const auto px = [](float value) { return static_cast<int>(std::lround(value)); };
    const int imageW = texture->getPixelsWide(), imageH = texture->getPixelsHigh();
    _boxes.clear();
    bool ownSize = true;
    for (int q = 0; q < quads; ++q) {
        const SDL_Vertex* v = _scratch.data() + q * 4;
        const soft::Box to{px(v[2].position.x), px(v[2].position.y),
                           px(v[1].position.x) - px(v[0].position.x),
                           px(v[0].position.y) - px(v[2].position.y)};
        const float w = static_cast<float>(imageW), h = static_cast<float>(imageH);
        soft::Box from{px(v[2].tex_coord.x * w), px(v[2].tex_coord.y * h), 0, 0};
        from.x = std::clamp(from.x, 0, imageW);
        from.y = std::clamp(from.y, 0, imageH);
        from.w = std::min(px(v[1].tex_coord.x * w), imageW) - from.x;
        from.h = std::min(px(v[0].tex_coord.y * h), imageH) - from.y;
        ownSize = ownSize && from.w == to.w && from.h == to.h;
        _boxes.emplace_back(from, to);
    }
    // A picture held packed and drawn at its own size (a background) is drawn from its runs: it
    // is never unpacked, which would hold 3.7 MB more for a background while it is on screen.
    if (const std::vector<uint32_t>* runs = ownSize ? texture->getPackedRuns() : nullptr) {
        SDL_RenderFlush(_target); // what SDL holds lands first
        const soft::PackedPixels packed{runs->data(), runs->size(), imageW, imageH};
        for (int q = 0; q < quads; ++q) {
            soft::drawPackedBox(frame, packed, _boxes[q].first, _boxes[q].second,
                                toTint(_scratch[static_cast<size_t>(q) * 4].color), mode, _rowScratch);
        }
        return true;
    }
    if (!asPixels(texture->getSurface(), &image)) {
        return false;
    }
    SDL_RenderFlush(_target); // what SDL holds lands first
    for (int q = 0; q < quads; ++q) {
        const soft::Box& from = _boxes[q].first;
        const soft::Box& to = _boxes[q].second;
        const soft::Tint tint = toTint(_scratch[static_cast<size_t>(q) * 4].color);
        if ((from.w != to.w || from.h != to.h) && !texture->isAliased() &&
            stretchSmoothly(texture->getSurface(), from, to.w, to.h)) {
            // Smooth sampling, as SDL scales a picture that isn't pixel art.
            const soft::Pixels stretched{_stretched.data(), to.w * 4, to.w, to.h};
            soft::drawBox(frame, stretched, {0, 0, to.w, to.h}, to, tint, mode, _rowScratch);
        } else {
            soft::drawBox(frame, image, from, to, tint, mode, _rowScratch);
        }
    }
    return true;
}

bool Renderer::stretchSmoothly(const SDL_Surface* image, const soft::Box& from, int width, int height) {
    // Far larger than the frame (a zoom through the picture): sampled at the nearest pixel.
    const int64_t area = static_cast<int64_t>(width) * height;
    if (from.w <= 0 || from.h <= 0 || width <= 0 || height <= 0 ||
        area > 4 * static_cast<int64_t>(_frameSurface->w) * _frameSurface->h) {
        return false;
    }
    _stretched.resize(static_cast<size_t>(area));
    _stretchedUsedFrame = _frame;
    SDL_Surface* target = SDL_CreateRGBSurfaceWithFormatFrom(_stretched.data(), width, height, 32, width * 4,
                                                             SDL_PIXELFORMAT_ARGB8888);
    const SDL_Rect source{from.x, from.y, from.w, from.h};
    const bool done =
        target && SDL_SoftStretchLinear(const_cast<SDL_Surface*>(image), &source, target, nullptr) == 0;
    SDL_FreeSurface(target);
    return done;
}

void Renderer::drawQuad(Texture2D* texture, const V2F_C4B_T2F quad[4], const BlendFunc& blend) {
    static const int kQuadIndices[6] = {0, 1, 2, 2, 1, 3};
    drawTriangles(texture, quad, 4, kQuadIndices, 6, blend);
}

NS_CC_END
