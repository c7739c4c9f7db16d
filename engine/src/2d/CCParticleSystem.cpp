#include "2d/CCParticleSystem.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <random>

#include "base/CCConsole.h"
#include "base/CCDirector.h"
#include "base/EmbeddedData.h"
#include "platform/CCFileUtils.h"
#include "renderer/CCTexture2D.h"
#include "renderer/CCTextureCache.h"

NS_CC_BEGIN

namespace {

// Uniform in [-1, 1). Particles need variety, not reproducibility, and must not disturb the game's
// own rand() sequence, so they draw from a generator of their own.
float randomMinus1To1() {
    static std::mt19937 generator(std::random_device{}());
    static std::uniform_real_distribution<float> distribution(-1.0f, 1.0f);
    return distribution(generator);
}

float clamp01(float v) {
    return std::max(0.0f, std::min(v, 1.0f));
}

float readFloat(const ValueMap& dict, const char* key, float fallback = 0.0f) {
    auto it = dict.find(key);
    return it == dict.end() ? fallback : it->second.asFloat();
}

// One of OpenGL's blend factors (GL_ZERO, GL_ONE, GL_SRC_COLOR ... GL_SRC_ALPHA_SATURATE); a
// missing key reads as 0 (GL_ZERO); anything else keeps the fallback.
GLenum readBlendFactor(const ValueMap& dict, const char* key, GLenum fallback) {
    const float value = readFloat(dict, key);
    if (value == 0.0f || value == 1.0f ||
        (value >= 768.0f && value <= 776.0f && value == std::floor(value))) {
        return static_cast<GLenum>(value);
    }
    log("ParticleSystem: %s %g is not a blend factor", key, static_cast<double>(value));
    return fallback;
}

Color4F readColor(const ValueMap& dict, const std::string& prefix) {
    return Color4F(readFloat(dict, (prefix + "Red").c_str()), readFloat(dict, (prefix + "Green").c_str()),
                   readFloat(dict, (prefix + "Blue").c_str()), readFloat(dict, (prefix + "Alpha").c_str()));
}

Color4F variedColor(const Color4F& base, const Color4F& variance) {
    return Color4F(
        clamp01(base.r + variance.r * randomMinus1To1()), clamp01(base.g + variance.g * randomMinus1To1()),
        clamp01(base.b + variance.b * randomMinus1To1()), clamp01(base.a + variance.a * randomMinus1To1()));
}

std::string folderOf(const std::string& path) {
    const size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace

ParticleSystem* ParticleSystem::create(const std::string& plistFile) {
    ParticleSystem* system = new (std::nothrow) ParticleSystem();
    if (system && system->initWithFile(plistFile)) {
        system->autorelease();
        return system;
    }
    delete system;
    return nullptr;
}

ParticleSystem* ParticleSystem::createWithTotalParticles(int numberOfParticles) {
    ParticleSystem* system = new (std::nothrow) ParticleSystem();
    if (system && system->initWithTotalParticles(numberOfParticles)) {
        system->autorelease();
        return system;
    }
    delete system;
    return nullptr;
}

ParticleSystem::ParticleSystem() = default;

ParticleSystem::~ParticleSystem() {
    CC_SAFE_RELEASE(_texture);
}

bool ParticleSystem::init() {
    return initWithTotalParticles(150);
}

bool ParticleSystem::initWithTotalParticles(int numberOfParticles) {
    if (!Node::init()) {
        return false;
    }
    setTotalParticles(numberOfParticles);
    _isActive = true;
    _duration = DURATION_INFINITY;
    _positionType = PositionType::FREE;
    _emitterMode = Mode::GRAVITY;
    _isAutoRemoveOnFinish = false;
    return true;
}

void ParticleSystem::setTotalParticles(int totalParticles) {
    if (totalParticles > kMaxParticles) {
        log("ParticleSystem: %d particles asked for, %d kept", totalParticles, kMaxParticles);
    }
    _totalParticles = std::clamp(totalParticles, 0, kMaxParticles);
    _particles.resize(static_cast<size_t>(_totalParticles));
    _particleCount = std::min(_particleCount, _totalParticles);
}

bool ParticleSystem::initWithFile(const std::string& plistFile) {
    FileUtils* files = FileUtils::getInstance();
    const std::string fullPath = files->fullPathForFilename(plistFile);
    if (fullPath.empty() || !files->isFileExist(fullPath)) {
        log("ParticleSystem: can't find particle file %s", plistFile.c_str());
        return false;
    }
    const ValueMap dict = files->getValueMapFromFile(fullPath);
    if (dict.empty()) {
        log("ParticleSystem: %s holds no particle definition", plistFile.c_str());
        return false;
    }
    _plistFile = fullPath;
    return initWithDictionary(dict, folderOf(fullPath));
}

bool ParticleSystem::initWithDictionary(const ValueMap& dict, const std::string& dirname) {
    const float maxParticles = readFloat(dict, "maxParticles");
    if (!(maxParticles >= 0.0f && maxParticles <= static_cast<float>(kMaxParticles))) {
        log("ParticleSystem: %s asks for %g particles (0 to %d)", _plistFile.c_str(),
            static_cast<double>(maxParticles), kMaxParticles);
        return false;
    }
    if (!initWithTotalParticles(static_cast<int>(maxParticles))) {
        return false;
    }
    const float emitterType = readFloat(dict, "emitterType");
    if (emitterType != 0.0f && emitterType != 1.0f) {
        log("ParticleSystem: %s has unknown emitterType %g", _plistFile.c_str(),
            static_cast<double>(emitterType));
        return false;
    }
    _emitterMode = emitterType == 0.0f ? Mode::GRAVITY : Mode::RADIUS;
    _angle = readFloat(dict, "angle");
    _angleVar = readFloat(dict, "angleVariance");
    _duration = readFloat(dict, "duration");
    _blendFunc.src = readBlendFactor(dict, "blendFuncSource", _blendFunc.src);
    _blendFunc.dst = readBlendFactor(dict, "blendFuncDestination", _blendFunc.dst);
    _startColor = readColor(dict, "startColor");
    _startColorVar = readColor(dict, "startColorVariance");
    _endColor = readColor(dict, "finishColor");
    _endColorVar = readColor(dict, "finishColorVariance");
    _startSize = readFloat(dict, "startParticleSize");
    _startSizeVar = readFloat(dict, "startParticleSizeVariance");
    _endSize = readFloat(dict, "finishParticleSize");
    _endSizeVar = readFloat(dict, "finishParticleSizeVariance");
    // The designer's source position places the emitter node itself.
    setPosition(readFloat(dict, "sourcePositionx"), readFloat(dict, "sourcePositiony"));
    _sourcePosition = Vec2::ZERO;
    _posVar = Vec2(readFloat(dict, "sourcePositionVariancex"), readFloat(dict, "sourcePositionVariancey"));
    _startSpin = readFloat(dict, "rotationStart");
    _startSpinVar = readFloat(dict, "rotationStartVariance");
    _endSpin = readFloat(dict, "rotationEnd");
    _endSpinVar = readFloat(dict, "rotationEndVariance");

    _gravity = Vec2(readFloat(dict, "gravityx"), readFloat(dict, "gravityy"));
    _speed = readFloat(dict, "speed");
    _speedVar = readFloat(dict, "speedVariance");
    _radialAccel = readFloat(dict, "radialAcceleration");
    _radialAccelVar = readFloat(dict, "radialAccelVariance");
    _tangentialAccel = readFloat(dict, "tangentialAcceleration");
    _tangentialAccelVar = readFloat(dict, "tangentialAccelVariance");
    auto rotationIsDir = dict.find("rotationIsDir");
    _rotationIsDir = rotationIsDir != dict.end() && rotationIsDir->second.asBool();

    _startRadius = readFloat(dict, "maxRadius");
    _startRadiusVar = readFloat(dict, "maxRadiusVariance");
    _endRadius = dict.count("minRadius") ? readFloat(dict, "minRadius") : 0.0f;
    _endRadiusVar = readFloat(dict, "minRadiusVariance");
    _rotatePerSecond = readFloat(dict, "rotatePerSecond");
    _rotatePerSecondVar = readFloat(dict, "rotatePerSecondVariance");

    _life = readFloat(dict, "particleLifespan");
    _lifeVar = readFloat(dict, "particleLifespanVariance");
    // A zero lifespan would mean an endless rate; such particles could never be seen anyway.
    _emissionRate = _life > 0.0f ? static_cast<float>(_totalParticles) / _life : 0.0f;
    _yCoordFlipped = readFloat(dict, "yCoordFlipped", 1.0f);
    return loadTextureFromDictionary(dict, dirname);
}

namespace {
// Largest embedded image once inflated (a 4096x4096 RGBA image fits).
constexpr size_t kEmbeddedImageLimit = 64u << 20;
} // namespace

// The texture lies beside the plist: the name as written, then its bare file name, then as a
// resource path. Failing those, the image the designer embedded in the plist (base64, usually
// gzip-compressed), cached by its contents: plists embedding the same image share one texture.
bool ParticleSystem::loadTextureFromDictionary(const ValueMap& dict, const std::string& dirname) {
    auto it = dict.find("textureFileName");
    const std::string name = it == dict.end() ? std::string() : it->second.asString();
    auto embedded = dict.find("textureImageData");
    const std::string data = embedded == dict.end() ? std::string() : embedded->second.asString();
    if (name.empty() && data.empty()) {
        log("ParticleSystem: %s names no textureFileName", _plistFile.c_str());
        return false;
    }
    FileUtils* files = FileUtils::getInstance();
    std::vector<std::string> candidates;
    if (!name.empty()) {
        candidates = {dirname + name};
        const size_t slash = name.rfind('/');
        if (slash != std::string::npos) {
            candidates.push_back(dirname + name.substr(slash + 1));
        }
        candidates.push_back(name);
    }
    for (const std::string& candidate : candidates) {
        if (files->isFileExist(candidate)) {
            Texture2D* texture = Director::getInstance()->getTextureCache()->addImage(candidate);
            if (texture) {
                setTexture(texture);
                return true;
            }
        }
    }
    if (!data.empty()) {
        return loadEmbeddedTexture(data, "embedded:" + std::to_string(std::hash<std::string>{}(data)));
    }
    log("ParticleSystem: can't load texture %s for %s", name.c_str(), _plistFile.c_str());
    return false;
}

bool ParticleSystem::loadEmbeddedTexture(const std::string& base64, const std::string& key) {
    TextureCache* cache = Director::getInstance()->getTextureCache();
    Texture2D* texture = cache->getTextureForKey(key);
    if (!texture) {
        std::vector<unsigned char> bytes;
        std::vector<unsigned char> inflated;
        if (!decodeBase64(base64, bytes)) {
            log("ParticleSystem: the textureImageData of %s is not base64", _plistFile.c_str());
            return false;
        }
        if (looksCompressed(bytes)) {
            if (!inflateData(bytes, inflated, kEmbeddedImageLimit)) {
                log("ParticleSystem: the textureImageData of %s is damaged or too large", _plistFile.c_str());
                return false;
            }
            bytes.swap(inflated);
        }
        texture = cache->addImageData(bytes.data(), bytes.size(), key);
    }
    if (!texture) {
        log("ParticleSystem: can't decode the texture embedded in %s", _plistFile.c_str());
        return false;
    }
    setTexture(texture);
    return true;
}

void ParticleSystem::setTexture(Texture2D* texture) {
    if (texture == _texture) {
        return;
    }
    CC_SAFE_RETAIN(texture);
    CC_SAFE_RELEASE(_texture);
    _texture = texture;
}

bool ParticleSystem::isBlendAdditive() const {
    return _blendFunc.dst == GL_ONE;
}

void ParticleSystem::onEnter() {
    Node::onEnter();
    scheduleUpdateWithPriority(kUpdatePriority);
}

void ParticleSystem::onExit() {
    unscheduleUpdate();
    Node::onExit();
}

void ParticleSystem::resetSystem() {
    _isActive = true;
    _elapsed = 0.0f;
    _emitCounter = 0.0f;
    // Killed particles are removed in the next update, which may finish (and auto-remove) the system.
    for (int i = 0; i < _particleCount; ++i) {
        _particles[i].timeToLive = 0.0f;
    }
}

void ParticleSystem::stopSystem() {
    _isActive = false;
    _elapsed = _duration;
    _emitCounter = 0.0f;
}

Vec2 ParticleSystem::emitterOrigin() const {
    switch (_positionType) {
    case PositionType::FREE:
        return convertToWorldSpace(Vec2::ZERO);
    case PositionType::RELATIVE:
        return _position;
    default:
        return Vec2::ZERO;
    }
}

void ParticleSystem::addParticles(int count) {
    const Vec2 origin = emitterOrigin();
    for (int i = 0; i < count && _particleCount < _totalParticles; ++i) {
        Particle& particle = _particles[_particleCount++];
        initParticle(particle);
        particle.startPos = origin;
    }
}

void ParticleSystem::initParticle(Particle& p) {
    p.pos = Vec2(_sourcePosition.x + _posVar.x * randomMinus1To1(),
                 _sourcePosition.y + _posVar.y * randomMinus1To1());
    p.timeToLive = std::max(0.0f, _life + _lifeVar * randomMinus1To1());
    const float invLife = p.timeToLive > 0.0f ? 1.0f / p.timeToLive : 0.0f;

    const Color4F start = variedColor(_startColor, _startColorVar);
    const Color4F end = variedColor(_endColor, _endColorVar);
    p.color = start;
    p.deltaColor = Color4F((end.r - start.r) * invLife, (end.g - start.g) * invLife,
                           (end.b - start.b) * invLife, (end.a - start.a) * invLife);

    p.size = std::max(0.0f, _startSize + _startSizeVar * randomMinus1To1());
    if (_endSize == START_SIZE_EQUAL_TO_END_SIZE) {
        p.deltaSize = 0.0f;
    } else {
        const float endSize = std::max(0.0f, _endSize + _endSizeVar * randomMinus1To1());
        p.deltaSize = (endSize - p.size) * invLife;
    }

    const float startSpin = _startSpin + _startSpinVar * randomMinus1To1();
    const float endSpin = _endSpin + _endSpinVar * randomMinus1To1();
    p.rotation = startSpin;
    p.deltaRotation = (endSpin - startSpin) * invLife;

    const float angle = CC_DEGREES_TO_RADIANS(_angle + _angleVar * randomMinus1To1());
    if (_emitterMode == Mode::GRAVITY) {
        const float speed = _speed + _speedVar * randomMinus1To1();
        p.dir = Vec2(std::cos(angle), std::sin(angle)) * speed;
        p.radialAccel = _radialAccel + _radialAccelVar * randomMinus1To1();
        p.tangentialAccel = _tangentialAccel + _tangentialAccelVar * randomMinus1To1();
        if (_rotationIsDir) {
            p.rotation = -CC_RADIANS_TO_DEGREES(std::atan2(p.dir.y, p.dir.x));
        }
    } else {
        const float startRadius = _startRadius + _startRadiusVar * randomMinus1To1();
        const float endRadius = _endRadius == START_RADIUS_EQUAL_TO_END_RADIUS
                                    ? startRadius
                                    : _endRadius + _endRadiusVar * randomMinus1To1();
        p.radius = startRadius;
        p.deltaRadius = (endRadius - startRadius) * invLife;
        p.angle = angle;
        p.degreesPerSecond =
            CC_DEGREES_TO_RADIANS(_rotatePerSecond + _rotatePerSecondVar * randomMinus1To1());
    }
}

void ParticleSystem::updateParticle(Particle& p, float dt) {
    if (_emitterMode == Mode::GRAVITY) {
        Vec2 radial;
        const float length = std::sqrt(p.pos.x * p.pos.x + p.pos.y * p.pos.y);
        if (length > 0.0f) {
            radial = p.pos / length;
        }
        const Vec2 tangential = Vec2(-radial.y, radial.x) * p.tangentialAccel;
        p.dir = p.dir + (radial * p.radialAccel + tangential + _gravity) * dt;
        p.pos.x += p.dir.x * dt;
        p.pos.y += p.dir.y * dt * _yCoordFlipped;
    } else {
        p.angle += p.degreesPerSecond * dt;
        p.radius += p.deltaRadius * dt;
        p.pos.x = -std::cos(p.angle) * p.radius;
        p.pos.y = -std::sin(p.angle) * p.radius * _yCoordFlipped;
    }
    p.color.r += p.deltaColor.r * dt;
    p.color.g += p.deltaColor.g * dt;
    p.color.b += p.deltaColor.b * dt;
    p.color.a += p.deltaColor.a * dt;
    p.size = std::max(0.0f, p.size + p.deltaSize * dt);
    p.rotation += p.deltaRotation * dt;
}

void ParticleSystem::update(float dt) {
    if (_isActive && _emissionRate > 0.0f) {
        if (_particleCount < _totalParticles) {
            _emitCounter += dt;
        }
        // Compared as floats: a huge rate (a tiny lifespan) must not overflow the count.
        const float wanted = std::floor(_emitCounter * _emissionRate);
        const int room = _totalParticles - _particleCount;
        const int emitted = wanted >= static_cast<float>(room) ? room
                            : wanted > 0.0f                    ? static_cast<int>(wanted)
                                                               : 0;
        addParticles(emitted);
        _emitCounter -= emitted / _emissionRate;
        _elapsed += dt;
        if (_duration != DURATION_INFINITY && _elapsed > _duration) {
            stopSystem();
        }
    }
    int i = 0;
    while (i < _particleCount) {
        Particle& p = _particles[i];
        p.timeToLive -= dt;
        if (p.timeToLive > 0.0f) {
            updateParticle(p, dt);
            ++i;
            continue;
        }
        // Dead: the last live particle takes its slot.
        if (i != _particleCount - 1) {
            _particles[i] = _particles[_particleCount - 1];
        }
        --_particleCount;
        if (_particleCount == 0 && _isAutoRemoveOnFinish) {
            unscheduleUpdate();
            // Kept alive until the frame ends: the scheduler is still inside this update.
            retain();
            if (_parent) {
                _parent->removeChild(this, true);
            }
            autorelease();
            return;
        }
    }
}

NS_CC_END
