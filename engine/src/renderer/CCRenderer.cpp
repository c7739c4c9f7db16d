#include "renderer/CCRenderer.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>

#include "renderer/CCTexture2D.h"

NS_CC_BEGIN

Renderer::Renderer() { _scratch.reserve(1024); }

Renderer::~Renderer() = default;

void Renderer::beginFrame(SDL_Renderer* target, const Rect& viewport, float scaleX, float scaleY,
                          float frameHeight) {
    _target = target;
    _originX = viewport.origin.x;
    _originY = viewport.origin.y;
    _scaleX = scaleX;
    _scaleY = scaleY;
    _frameHeight = frameHeight;
    _drawCalls = 0;
    ++_frame;
    SDL_RendererInfo info;
    _software = SDL_GetRendererInfo(_target, &info) == 0 && (info.flags & SDL_RENDERER_SOFTWARE) != 0;
    SDL_SetRenderDrawColor(_target, 0, 0, 0, 255);
    SDL_RenderClear(_target);
}

void Renderer::endFrame() {
    if (_target) {
        SDL_RenderFlush(_target);
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
} // namespace

void Renderer::drawTriangles(Texture2D* texture, const V2F_C4B_T2F* vertices, int vertexCount,
                             const int* indices, int indexCount, const BlendFunc& blend) {
    if (!_target || !vertices || vertexCount <= 0) {
        return;
    }
    SDL_Texture* sdlTexture = nullptr;
    if (texture) {
        sdlTexture = texture->getSDLTexture(_target);
        if (!sdlTexture) {
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
    if (sdlTexture && _software && drawScaledCopy(texture, vertexCount, indices, indexCount, mode)) {
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
                              int blendMode) {
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
    const bool wholeImage = v[0].tex_coord.x == 0.0f && v[0].tex_coord.y == 1.0f && v[3].tex_coord.x == 1.0f &&
                            v[3].tex_coord.y == 0.0f && v[1].tex_coord.x == 1.0f && v[2].tex_coord.x == 0.0f;
    if (!upright || !wholeImage) {
        return false;
    }
    const SDL_Rect rect{static_cast<int>(std::lround(v[2].position.x)), static_cast<int>(std::lround(v[2].position.y)),
                        static_cast<int>(std::lround(v[1].position.x - v[0].position.x)),
                        static_cast<int>(std::lround(v[0].position.y - v[2].position.y))};
    const bool plain = c.r == 255 && c.g == 255 && c.b == 255 && c.a == 255;
    if (plain && rect.w == texture->getPixelsWide() && rect.h == texture->getPixelsHigh()) {
        return false; // already a plain copy
    }
    SDL_Texture* copy =
        texture->getScaledCopy(_target, rect.w, rect.h, Color4B(c.r, c.g, c.b, c.a), _frame);
    if (!copy) {
        return false;
    }
    SDL_SetTextureBlendMode(copy, static_cast<SDL_BlendMode>(blendMode));
    SDL_RenderCopy(_target, copy, nullptr, &rect);
    return true;
}

void Renderer::drawQuad(Texture2D* texture, const V2F_C4B_T2F quad[4], const BlendFunc& blend) {
    static const int kQuadIndices[6] = {0, 1, 2, 2, 1, 3};
    drawTriangles(texture, quad, 4, kQuadIndices, 6, blend);
}

NS_CC_END
