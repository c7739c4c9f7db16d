#include "renderer/CCTextureCache.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <climits>
#include <vector>

#include "base/CCConsole.h"
#include "platform/CCFileUtils.h"
#include "renderer/CCTexture2D.h"

NS_CC_BEGIN

TextureCache::TextureCache() = default;

TextureCache::~TextureCache() {
    removeAllTextures();
}

Texture2D* TextureCache::addImage(const std::string& filepath) {
    if (filepath.empty()) {
        log("TextureCache::addImage: empty file name");
        return nullptr;
    }
    std::string fullPath = FileUtils::getInstance()->fullPathForFilename(filepath);
    if (fullPath.empty() || !FileUtils::getInstance()->isFileExist(fullPath)) {
        log("TextureCache::addImage: image '%s' not found", filepath.c_str());
        return nullptr;
    }
    auto found = _textures.find(fullPath);
    if (found != _textures.end()) {
        return found->second;
    }
    auto* texture = new (std::nothrow) Texture2D();
    if (!texture || !texture->initWithImageFile(fullPath)) {
        log("TextureCache::addImage: can't decode image '%s'", fullPath.c_str());
        delete texture;
        return nullptr;
    }
    _textures.emplace(fullPath, texture); // the cache keeps the initial reference
    return texture;
}

Texture2D* TextureCache::addImageData(const void* data, size_t size, const std::string& key) {
    auto found = _textures.find(key);
    if (found != _textures.end()) {
        return found->second;
    }
    SDL_RWops* stream = data && size > 0 && size <= static_cast<size_t>(INT_MAX)
                            ? SDL_RWFromConstMem(data, static_cast<int>(size))
                            : nullptr;
    SDL_Surface* surface = stream ? IMG_Load_RW(stream, 1) : nullptr;
    auto* texture = surface ? new (std::nothrow) Texture2D() : nullptr;
    if (!texture && surface) {
        SDL_FreeSurface(surface);
    }
    // The texture owns the surface from here on, whether it takes it or not.
    if (!texture || !texture->initWithSurface(surface)) {
        log("TextureCache::addImageData: can't decode the image for '%s'", key.c_str());
        delete texture;
        return nullptr;
    }
    _textures.emplace(key, texture);
    return texture;
}

Texture2D* TextureCache::getTextureForKey(const std::string& key) const {
    auto found = _textures.find(key);
    if (found == _textures.end()) {
        found = _textures.find(FileUtils::getInstance()->fullPathForFilename(key));
    }
    return found != _textures.end() ? found->second : nullptr;
}

void TextureCache::removeTexture(Texture2D* texture) {
    for (auto it = _textures.begin(); it != _textures.end(); ++it) {
        if (it->second == texture) {
            texture->release();
            _textures.erase(it);
            return;
        }
    }
}

void TextureCache::removeTextureForKey(const std::string& key) {
    if (Texture2D* texture = getTextureForKey(key)) {
        removeTexture(texture);
    }
}

void TextureCache::removeUnusedTextures() {
    for (auto it = _textures.begin(); it != _textures.end();) {
        if (it->second->getReferenceCount() == 1) {
            it->second->release();
            it = _textures.erase(it);
        } else {
            ++it;
        }
    }
}

size_t TextureCache::releaseIdlePixels(unsigned now, size_t keepBytes) {
    std::vector<Texture2D*> idle;
    size_t freed = 0;
    for (auto& entry : _textures) {
        Texture2D* texture = entry.second;
        if (texture->holdsPixels() && !texture->getPath().empty() && now - texture->getLastUsedFrame() > 1) {
            idle.push_back(texture);
        } else if (texture->originalIdle(now)) {
            const size_t before = texture->getPixelBytes();
            texture->packOriginal();
            freed += before - std::min(before, texture->getPixelBytes());
        }
    }
    std::sort(idle.begin(), idle.end(), [](const Texture2D* a, const Texture2D* b) {
        return a->getLastUsedFrame() > b->getLastUsedFrame();
    });
    size_t kept = 0;
    for (Texture2D* texture : idle) {
        const size_t before = texture->getPixelBytes();
        if (!texture->isPacked()) {
            texture->releasePixels(true);
        }
        size_t bytes = texture->getPixelBytes();
        if (kept + bytes <= keepBytes) {
            kept += bytes;
        } else {
            texture->releasePixels(false);
            bytes = 0;
        }
        freed += before - bytes;
    }
    return freed;
}

void TextureCache::removeAllTextures() {
    for (auto& entry : _textures) {
        entry.second->release();
    }
    _textures.clear();
}

NS_CC_END
