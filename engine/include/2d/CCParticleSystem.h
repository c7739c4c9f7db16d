#pragma once

#include <string>
#include <vector>

#include "2d/CCNode.h"
#include "base/CCValue.h"
#include "base/ccTypes.h"

NS_CC_BEGIN

class Texture2D;

// One live particle. Per-second deltas are computed at birth so each frame is a plain add.
struct Particle {
    Vec2 pos;
    // Where the emitter was (see PositionType) when the particle was born.
    Vec2 startPos;
    Color4F color;
    Color4F deltaColor;
    float size = 0.0f;
    float deltaSize = 0.0f;
    float rotation = 0.0f;
    float deltaRotation = 0.0f;
    float timeToLive = 0.0f;
    // Gravity mode.
    Vec2 dir;
    float radialAccel = 0.0f;
    float tangentialAccel = 0.0f;
    // Radius mode.
    float angle = 0.0f;
    float degreesPerSecond = 0.0f;
    float radius = 0.0f;
    float deltaRadius = 0.0f;
};

// Emits, moves and ages particles; subclasses draw them. Sizes are in points, angles in degrees
// (0 = +x, 90 = up for emission; spin positive = clockwise), times in seconds.
class ParticleSystem : public Node {
public:
    enum class Mode { GRAVITY, RADIUS };
    enum class PositionType { FREE, RELATIVE, GROUPED };
    enum {
        DURATION_INFINITY = -1,
        START_SIZE_EQUAL_TO_END_SIZE = -1,
        START_RADIUS_EQUAL_TO_END_RADIUS = -1,
    };
    // Largest pool an emitter keeps: far beyond any effect, small enough that a mistyped
    // definition cannot claim gigabytes.
    static constexpr int kMaxParticles = 100000;

    static ParticleSystem* create(const std::string& plistFile);
    static ParticleSystem* createWithTotalParticles(int numberOfParticles);

    virtual void setAutoRemoveOnFinish(bool var) { _isAutoRemoveOnFinish = var; }
    bool isAutoRemoveOnFinish() const { return _isAutoRemoveOnFinish; }

    // Active again from the start; particles alive now are dropped.
    void resetSystem();
    // No new particles; the ones alive finish their lives.
    void stopSystem();
    virtual bool isActive() const { return _isActive; }
    bool isFull() const { return _particleCount >= _totalParticles; }

    int getParticleCount() const { return _particleCount; }
    const std::vector<Particle>& getParticles() const { return _particles; }

    void setPositionType(PositionType type) { _positionType = type; }
    PositionType getPositionType() const { return _positionType; }
    Mode getEmitterMode() const { return _emitterMode; }
    void setEmitterMode(Mode mode) { _emitterMode = mode; }

    float getDuration() const { return _duration; }
    void setDuration(float duration) { _duration = duration; }
    float getEmissionRate() const { return _emissionRate; }
    void setEmissionRate(float rate) { _emissionRate = rate; }
    int getTotalParticles() const { return _totalParticles; }
    virtual void setTotalParticles(int totalParticles);
    float getElapsed() const { return _elapsed; }

    const Vec2& getSourcePosition() const { return _sourcePosition; }
    void setSourcePosition(const Vec2& pos) { _sourcePosition = pos; }
    const Vec2& getPosVar() const { return _posVar; }
    void setPosVar(const Vec2& pos) { _posVar = pos; }
    virtual void setGravity(const Vec2& g) { _gravity = g; }
    const Vec2& getGravity() const { return _gravity; }

    float getLife() const { return _life; }
    void setLife(float life) { _life = life; }
    float getLifeVar() const { return _lifeVar; }
    void setLifeVar(float v) { _lifeVar = v; }
    float getAngle() const { return _angle; }
    void setAngle(float a) { _angle = a; }
    float getAngleVar() const { return _angleVar; }
    void setAngleVar(float v) { _angleVar = v; }
    float getSpeed() const { return _speed; }
    void setSpeed(float s) { _speed = s; }
    float getSpeedVar() const { return _speedVar; }
    void setSpeedVar(float v) { _speedVar = v; }
    float getStartSize() const { return _startSize; }
    void setStartSize(float s) { _startSize = s; }
    float getStartSizeVar() const { return _startSizeVar; }
    void setStartSizeVar(float v) { _startSizeVar = v; }
    float getEndSize() const { return _endSize; }
    void setEndSize(float s) { _endSize = s; }
    float getEndSizeVar() const { return _endSizeVar; }
    void setEndSizeVar(float v) { _endSizeVar = v; }
    const Color4F& getStartColor() const { return _startColor; }
    void setStartColor(const Color4F& c) { _startColor = c; }
    const Color4F& getStartColorVar() const { return _startColorVar; }
    void setStartColorVar(const Color4F& c) { _startColorVar = c; }
    const Color4F& getEndColor() const { return _endColor; }
    void setEndColor(const Color4F& c) { _endColor = c; }
    const Color4F& getEndColorVar() const { return _endColorVar; }
    void setEndColorVar(const Color4F& c) { _endColorVar = c; }
    float getStartSpin() const { return _startSpin; }
    void setStartSpin(float s) { _startSpin = s; }
    float getStartSpinVar() const { return _startSpinVar; }
    void setStartSpinVar(float v) { _startSpinVar = v; }
    float getEndSpin() const { return _endSpin; }
    void setEndSpin(float s) { _endSpin = s; }
    float getEndSpinVar() const { return _endSpinVar; }
    void setEndSpinVar(float v) { _endSpinVar = v; }

    virtual Texture2D* getTexture() const { return _texture; }
    virtual void setTexture(Texture2D* texture);
    const BlendFunc& getBlendFunc() const { return _blendFunc; }
    void setBlendFunc(const BlendFunc& blendFunc) { _blendFunc = blendFunc; }
    bool isBlendAdditive() const;

    void onEnter() override;
    void onExit() override;
    void update(float dt) override;

    CC_CONSTRUCTOR_ACCESS : ParticleSystem();
    ~ParticleSystem() override;
    bool init() override;
    virtual bool initWithTotalParticles(int numberOfParticles);
    bool initWithFile(const std::string& plistFile);
    // dirname: the folder textureFileName is relative to ("" = resource root).
    bool initWithDictionary(const ValueMap& dictionary, const std::string& dirname = "");

protected:
    // Per-frame scheduling priority; after ordinary node updates.
    static const int kUpdatePriority = 1;

    void addParticles(int count);
    void initParticle(Particle& particle);
    void updateParticle(Particle& particle, float dt);
    bool loadTextureFromDictionary(const ValueMap& dictionary, const std::string& dirname);
    bool loadEmbeddedTexture(const std::string& base64, const std::string& key);
    // Where a particle born now starts, in the space the particles live in (see PositionType).
    Vec2 emitterOrigin() const;

    std::vector<Particle> _particles;
    int _particleCount = 0;
    int _totalParticles = 0;
    float _elapsed = 0.0f;
    float _emitCounter = 0.0f;
    float _emissionRate = 0.0f;
    float _duration = 0.0f;
    bool _isActive = true;
    bool _isAutoRemoveOnFinish = false;
    Mode _emitterMode = Mode::GRAVITY;
    PositionType _positionType = PositionType::FREE;

    Vec2 _sourcePosition;
    Vec2 _posVar;
    float _life = 0.0f, _lifeVar = 0.0f;
    float _angle = 0.0f, _angleVar = 0.0f;
    float _startSize = 0.0f, _startSizeVar = 0.0f;
    float _endSize = 0.0f, _endSizeVar = 0.0f;
    Color4F _startColor, _startColorVar, _endColor, _endColorVar;
    float _startSpin = 0.0f, _startSpinVar = 0.0f;
    float _endSpin = 0.0f, _endSpinVar = 0.0f;
    float _yCoordFlipped = 1.0f;

    // Gravity mode.
    Vec2 _gravity;
    float _speed = 0.0f, _speedVar = 0.0f;
    float _tangentialAccel = 0.0f, _tangentialAccelVar = 0.0f;
    float _radialAccel = 0.0f, _radialAccelVar = 0.0f;
    bool _rotationIsDir = false;
    // Radius mode.
    float _startRadius = 0.0f, _startRadiusVar = 0.0f;
    float _endRadius = 0.0f, _endRadiusVar = 0.0f;
    float _rotatePerSecond = 0.0f, _rotatePerSecondVar = 0.0f;

    Texture2D* _texture = nullptr;
    BlendFunc _blendFunc = BlendFunc::ALPHA_PREMULTIPLIED;
    std::string _plistFile;
};

NS_CC_END
