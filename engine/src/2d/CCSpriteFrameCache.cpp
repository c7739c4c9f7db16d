#include "2d/CCSpriteFrameCache.h"

#include "2d/CCSpriteFrame.h"
#include "base/CCConsole.h"

NS_CC_BEGIN

namespace {
SpriteFrameCache* g_spriteFrameCache = nullptr;
} // namespace

SpriteFrameCache* SpriteFrameCache::getInstance() {
    if (!g_spriteFrameCache) {
        g_spriteFrameCache = new (std::nothrow) SpriteFrameCache();
    }
    return g_spriteFrameCache;
}

void SpriteFrameCache::destroyInstance() {
    SpriteFrameCache* cache = g_spriteFrameCache;
    g_spriteFrameCache = nullptr;
    if (cache) {
        cache->release();
    }
}

SpriteFrameCache::~SpriteFrameCache() {
    removeSpriteFrames();
}

void SpriteFrameCache::addSpriteFrame(SpriteFrame* frame, const std::string& frameName) {
    if (!frame) {
        log("SpriteFrameCache::addSpriteFrame: null frame for '%s' ignored", frameName.c_str());
        return;
    }
    frame->retain();
    auto found = _frames.find(frameName);
    if (found != _frames.end()) {
        found->second->release();
        found->second = frame;
    } else {
        _frames.emplace(frameName, frame);
    }
}

SpriteFrame* SpriteFrameCache::getSpriteFrameByName(const std::string& name) {
    auto found = _frames.find(name);
    if (found == _frames.end()) {
        log("SpriteFrameCache: frame '%s' isn't found", name.c_str());
        return nullptr;
    }
    return found->second;
}

void SpriteFrameCache::removeSpriteFrameByName(const std::string& name) {
    auto found = _frames.find(name);
    if (found != _frames.end()) {
        found->second->release();
        _frames.erase(found);
    }
}

void SpriteFrameCache::removeSpriteFrames() {
    for (auto& entry : _frames) {
        entry.second->release();
    }
    _frames.clear();
}

void SpriteFrameCache::removeUnusedSpriteFrames() {
    for (auto it = _frames.begin(); it != _frames.end();) {
        if (it->second->getReferenceCount() == 1) {
            it->second->release();
            it = _frames.erase(it);
        } else {
            ++it;
        }
    }
}

NS_CC_END
