#pragma once

#include <string>
#include <unordered_map>

#include "base/CCRef.h"
#include "base/ccMacros.h"

NS_CC_BEGIN

class Texture2D;

// Textures keyed by their full path: a file is decoded once and shared by every sprite using it.
class TextureCache : public Ref {
public:
    TextureCache();
    virtual ~TextureCache();

    // nullptr (with a log line) when the file can't be found or decoded.
    Texture2D* addImage(const std::string& filepath);
    Texture2D* getTextureForKey(const std::string& key) const;
    void removeTexture(Texture2D* texture);
    void removeTextureForKey(const std::string& key);
    void removeUnusedTextures();
    void removeAllTextures();
    size_t getTextureCount() const { return _textures.size(); }

private:
    std::unordered_map<std::string, Texture2D*> _textures;
};

NS_CC_END
