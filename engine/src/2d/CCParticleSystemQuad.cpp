#include "2d/CCParticleSystemQuad.h"

#include <cmath>

#include "renderer/CCRenderer.h"
#include "renderer/CCTexture2D.h"
#include "renderer/TurnedImages.h"

NS_CC_BEGIN

ParticleSystemQuad* ParticleSystemQuad::create() {
    ParticleSystemQuad* system = new (std::nothrow) ParticleSystemQuad();
    if (system && system->init()) {
        system->autorelease();
        return system;
    }
    delete system;
    return nullptr;
}

ParticleSystemQuad* ParticleSystemQuad::create(const std::string& filename) {
    ParticleSystemQuad* system = new (std::nothrow) ParticleSystemQuad();
    if (system && system->initWithFile(filename)) {
        system->autorelease();
        return system;
    }
    delete system;
    return nullptr;
}

ParticleSystemQuad* ParticleSystemQuad::create(ValueMap& dictionary) {
    ParticleSystemQuad* system = new (std::nothrow) ParticleSystemQuad();
    if (system && system->initWithDictionary(dictionary)) {
        system->autorelease();
        return system;
    }
    delete system;
    return nullptr;
}

ParticleSystemQuad* ParticleSystemQuad::createWithTotalParticles(int numberOfParticles) {
    ParticleSystemQuad* system = new (std::nothrow) ParticleSystemQuad();
    if (system && system->initWithTotalParticles(numberOfParticles)) {
        system->autorelease();
        return system;
    }
    delete system;
    return nullptr;
}

namespace {
// Corner order of each quad: bottom-left, bottom-right, top-left, top-right.
const int kQuadIndexPattern[6] = {0, 1, 2, 2, 1, 3};
const float kCornerX[4] = {-1.0f, 1.0f, -1.0f, 1.0f};
const float kCornerY[4] = {-1.0f, -1.0f, 1.0f, 1.0f};
// The image's v axis points down.
const float kCornerU[4] = {0.0f, 1.0f, 0.0f, 1.0f};
const float kCornerV[4] = {1.0f, 1.0f, 0.0f, 0.0f};

GLubyte toByte(float v) {
    return static_cast<GLubyte>(v <= 0.0f ? 0.0f : v >= 1.0f ? 255.0f : v * 255.0f);
}
} // namespace

// Builds one quad in design space: a square around the particle whose corner offsets are the
// unit corners turned by (c, s) (cosine and sine times half the side), then through the emitter's
// transform; `uv` is the part of the texture it shows.
void ParticleSystemQuad::buildQuad(const Particle& p, const Vec2& centre, float c, float s,
                                   const TurnedImages::TexRect& uv, const Mat4& transform, int index) {
    const float* m = transform.m;
    const Color4B color(toByte(p.color.r), toByte(p.color.g), toByte(p.color.b), toByte(p.color.a));
    V2F_C4B_T2F* quad = &_vertices[static_cast<size_t>(index) * 4];
    for (int i = 0; i < 4; ++i) {
        const float x = centre.x + kCornerX[i] * c - kCornerY[i] * s;
        const float y = centre.y + kCornerX[i] * s + kCornerY[i] * c;
        quad[i].vertices.x = m[0] * x + m[4] * y + m[12];
        quad[i].vertices.y = m[1] * x + m[5] * y + m[13];
        quad[i].colors = color;
        quad[i].texCoords.u = kCornerU[i] > 0.5f ? uv.u1 : uv.u0;
        quad[i].texCoords.v = kCornerV[i] > 0.5f ? uv.v1 : uv.v0;
    }
}

const TurnedImages* ParticleSystemQuad::turnedCopiesFor(const Mat4& transform) const {
    const float* m = transform.m;
    if (!_texture || std::fabs(m[1]) > 1e-6f || std::fabs(m[4]) > 1e-6f || m[0] <= 0.0f || m[5] <= 0.0f) {
        return nullptr;
    }
    for (int i = 0; i < _particleCount; ++i) {
        if (std::fmod(_particles[i].rotation, 360.0f) != 0.0f) {
            return _texture->getTurnedImages();
        }
    }
    return nullptr;
}

void ParticleSystemQuad::draw(Renderer* renderer, const Mat4& transform, uint32_t) {
    if (_particleCount == 0 || !renderer) {
        return;
    }
    _vertices.resize(static_cast<size_t>(_particleCount) * 4);
    if (_indices.size() < static_cast<size_t>(_particleCount) * 6) {
        const size_t oldQuads = _indices.size() / 6;
        _indices.resize(static_cast<size_t>(_particleCount) * 6);
        for (size_t q = oldQuads; q < static_cast<size_t>(_particleCount); ++q) {
            for (int k = 0; k < 6; ++k) {
                _indices[q * 6 + k] = static_cast<int>(q * 4) + kQuadIndexPattern[k];
            }
        }
    }
    const TurnedImages* turned = renderer->turnsQuadsSlowly() ? turnedCopiesFor(transform) : nullptr;
    static const TurnedImages::TexRect kWholeImage = {0.0f, 0.0f, 1.0f, 1.0f};
    // Particles born FREE or RELATIVE keep their place when the emitter moves afterwards: each is
    // drawn shifted back by how far the emitter has gone since its birth.
    const bool anchored = _positionType != PositionType::GROUPED;
    const Vec2 origin = emitterOrigin();
    for (int i = 0; i < _particleCount; ++i) {
        const Particle& p = _particles[i];
        const Vec2 centre = anchored ? p.pos - (origin - p.startPos) : p.pos;
        const float half = p.size * 0.5f;
        if (!std::isfinite(centre.x) || !std::isfinite(centre.y) || !std::isfinite(half) ||
            !std::isfinite(p.rotation)) {
            // Motion that overflowed leaves the particle nowhere: an empty quad keeps the batch whole.
            buildQuad(p, Vec2::ZERO, 0.0f, 0.0f, kWholeImage, transform, i);
            continue;
        }
        if (turned) {
            // Unturned quads showing the copy already turned to the particle's angle.
            buildQuad(p, centre, half * turned->getCellScale(), 0.0f,
                      turned->cellOf(turned->stepFor(p.rotation)), transform, i);
        } else {
            const float radians = -CC_DEGREES_TO_RADIANS(p.rotation);
            buildQuad(p, centre, std::cos(radians) * half, std::sin(radians) * half, kWholeImage, transform,
                      i);
        }
    }
    Texture2D* texture = turned ? turned->getTexture() : _texture;
    // Straight-alpha textures: the premultiplied (ONE, ONE_MINUS_SRC_ALPHA) pair means ordinary blending.
    BlendFunc blend = _blendFunc;
    if (blend.src == GL_ONE && blend.dst != GL_ONE && _texture && !_texture->hasPremultipliedAlpha()) {
        blend.src = GL_SRC_ALPHA;
    }
    renderer->drawTriangles(texture, _vertices.data(), _particleCount * 4, _indices.data(),
                            _particleCount * 6, blend);
}

NS_CC_END
