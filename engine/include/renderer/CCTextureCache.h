#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "base/CCRef.h"
#include "base/ccMacros.h"

NS_CC_BEGIN

class Texture2D;
namespace pictures {
struct DecodedPicture;
}

// Textures keyed by their full path: a file is decoded once and shared by every sprite using it.
// Pictures can also be read ahead on a loader thread (addImageAsync): they arrive in the cache on
// the main thread, at the start of a later frame, and are held packed until first drawn.
class TextureCache : public Ref {
public:
    TextureCache();
    virtual ~TextureCache();

    // nullptr (with a log line) when the file can't be found or decoded. A picture being read
    // ahead is taken over (or waited for), never decoded twice.
    Texture2D* addImage(const std::string& filepath);
    // Reads the picture on the loader thread. Its texture goes into the cache and `callback` runs
    // on the main thread at the start of a later frame, with nullptr when the file can't be
    // decoded. As in cocos2d-x, a picture already cached calls back at once, and so does a file
    // that can't be found (with nullptr). A cached picture whose pixels were let go is read
    // again on the loader thread. Pictures asked for this way keep their packed pixels ahead of
    // the others until they are drawn.
    void addImageAsync(const std::string& filepath, const std::function<void(Texture2D*)>& callback);
    // The callbacks of pictures still being read are dropped; the pictures still arrive.
    void unbindImageAsync(const std::string& filepath);
    void unbindAllImageAsync();
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
    // Pictures asked for ahead (addImageAsync) and not drawn since come before all others, the
    // latest asked first. Pixels are packed on the loader thread where they can be, and arrive
    // packed with a later frame's deliverAsyncImages; a draw meanwhile takes them back whole.
    size_t releaseIdlePixels(unsigned now, size_t keepBytes);
    // Engine side, once a frame on the main thread (the Director): pictures the loader thread
    // finished go into the cache and their callbacks run.
    void deliverAsyncImages();
    // Engine side: pictures asked for with addImageAsync and not delivered yet.
    size_t getAsyncCount() const;
    // Engine side, for tests and tools: blocks until the loader thread has read everything asked
    // so far (deliverAsyncImages, on the next frame, hands it out).
    void waitForAsyncReads();
    // Engine side: a texture reading its file again takes over the loader thread's read of that
    // file, if one was asked for (waiting if it is under way); empty when none was.
    pictures::DecodedPicture takeAsyncReload(const std::string& fullPath);

private:
    class Loader;
    using Callback = std::function<void(Texture2D*)>;
    struct Request {
        bool reload = false;  // pixels for a cached texture, not a new one
        bool packing = false; // the texture's own pixels, being packed
        std::vector<Callback> callbacks;
    };
    struct Asked {
        unsigned long long order = 0; // later asks win the packed budget
        unsigned frame = 0;           // drawn after this frame: no longer ahead
    };
    struct Ready {
        Texture2D* texture = nullptr; // retained until its callbacks ran
        std::vector<Callback> callbacks;
    };

    void askAhead(const std::string& fullPath);
    void startLoader();
    void eraseAsked(const std::string& fullPath);
    // Hands an idle picture's pixels to the loader thread to pack (the packing took a frame's
    // worth of time on the main thread); false when it can't, and the caller packs them.
    bool packLater(const std::string& fullPath, Texture2D* texture, bool keepScaledCopy);

    std::unordered_map<std::string, Texture2D*> _textures;
    std::unique_ptr<Loader> _loader; // started on the first addImageAsync
    std::unordered_map<std::string, Request> _pending;
    std::unordered_map<std::string, Asked> _asked;
    unsigned long long _askOrder = 0;
    std::vector<Ready> _ready; // taken over by addImage: called back on the next delivery
};

NS_CC_END
