#pragma once

#include <cstddef>
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
    // Engine side: an encoded image (PNG, JPEG, ...) held in memory, cached under `key`; a key
    // already cached returns its texture without decoding. nullptr (with a log line) on failure.
    Texture2D* addImageData(const void* data, size_t size, const std::string& key);
    Texture2D* getTextureForKey(const std::string& key) const;
    void removeTexture(Texture2D* texture);
    void removeTextureForKey(const std::string& key);
    void removeUnusedTextures();
    void removeAllTextures();
    size_t getTextureCount() const { return _textures.size(); }
    // Engine side: pictures read from files that were neither drawn nor loaded in the frames
    // `now - 1` and `now` are packed (Texture2D::releasePixels); the most recently used stay
    // packed while they fit in `keepBytes`, the rest let go of their pixels entirely and read
    // their file again when next drawn. Returns the bytes freed.
    size_t releaseIdlePixels(unsigned now, size_t keepBytes);

private:
    std::unordered_map<std::string, Texture2D*> _textures;
};

NS_CC_END
