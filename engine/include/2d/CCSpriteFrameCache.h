#pragma once

#include <string>
#include <unordered_map>

#include "base/CCRef.h"
#include "base/ccMacros.h"

NS_CC_BEGIN

class SpriteFrame;

// Named sprite frames shared across scenes.
class SpriteFrameCache : public Ref {
public:
    static SpriteFrameCache* getInstance();
    static void destroyInstance();

    // Retains the frame; replaces an existing frame of the same name.
    void addSpriteFrame(SpriteFrame* frame, const std::string& frameName);
    // nullptr (with a log line) for an unknown name.
    SpriteFrame* getSpriteFrameByName(const std::string& name);
    bool isSpriteFramesWithFileLoaded(const std::string&) const { return false; }
    void removeSpriteFrameByName(const std::string& name);
    void removeSpriteFrames();
    void removeUnusedSpriteFrames();

    CC_CONSTRUCTOR_ACCESS : SpriteFrameCache() = default;
    virtual ~SpriteFrameCache();

private:
    std::unordered_map<std::string, SpriteFrame*> _frames;
};

NS_CC_END
