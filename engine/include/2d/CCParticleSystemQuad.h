#pragma once

#include <vector>

#include "2d/CCParticleSystem.h"
#include "renderer/TurnedImages.h"

NS_CC_BEGIN

class Renderer;

// Draws every live particle as a tinted, rotated textured square, all in one draw call.
class ParticleSystemQuad : public ParticleSystem {
public:
    static ParticleSystemQuad* create();
    // From a Particle Designer plist; nullptr (with a log line) when the file or its texture is missing.
    static ParticleSystemQuad* create(const std::string& filename);
    static ParticleSystemQuad* create(ValueMap& dictionary);
    static ParticleSystemQuad* createWithTotalParticles(int numberOfParticles);

    void draw(Renderer* renderer, const Mat4& transform, uint32_t flags) override;

    CC_CONSTRUCTOR_ACCESS : ParticleSystemQuad() = default;
    ~ParticleSystemQuad() override = default;

private:
    void buildQuad(const Particle& p, const Vec2& centre, float c, float s, const TurnedImages::TexRect& uv,
                   const Mat4& transform, int index);
    // A software target copies unturned quads several times faster than it draws turned ones, so
    // spinning particles are drawn there from copies of the texture turned in steps. Null when the
    // particles don't spin or the emitter's transform turns or mirrors them.
    const TurnedImages* turnedCopiesFor(const Mat4& transform) const;

    std::vector<V2F_C4B_T2F> _vertices;
    std::vector<int> _indices;
};

NS_CC_END
