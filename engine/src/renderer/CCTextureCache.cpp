#include "renderer/CCTextureCache.h"

#include <SDL.h>
#include <SDL_image.h>

#include <algorithm>
#include <atomic>
#include <climits>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <tuple>
#include <utility>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include "base/CCConsole.h"
#include "base/CCDirector.h"
#include "platform/CCFileUtils.h"
#include "renderer/CCTexture2D.h"
#include "renderer/PictureDecoder.h"
#include "renderer/PixelPool.h"

NS_CC_BEGIN

namespace {
// Five seconds at 60 frames: a question or two of a play.
constexpr unsigned kSpareFrames = 300;

// Freed memory inside the heap goes back to the system (glibc keeps it otherwise: a play's
// resident size grew by a third).
void trimHeap() {
#ifdef __GLIBC__
    malloc_trim(0);
#endif
}
} // namespace

// One thread reading pictures, and packing pictures that went off screen. The main thread hands
// it paths (or pixels) and collects the results; a path it wants now is taken back from the queue,
// or waited for when the thread is already on it. The latest asked is read first: a game asks
// for what is surely next last (read in the order asked, the first answer of a play waited
// 14 ms for a mark queued behind every face of the table).
class TextureCache::Loader {
public:
    struct Result {
        std::string path;
        pictures::DecodedPicture picture;
    };

    // An SDL thread rather than a std::thread: SDL frees what it keeps per thread (the error
    // text the decoders set) only for threads it started.
    Loader() : _thread(SDL_CreateThread(&Loader::entry, "pictures", this)) {
        if (!_thread) {
            log("TextureCache: no loader thread (%s); pictures asked ahead are read at once", SDL_GetError());
        }
    }

    ~Loader() {
        {
            std::lock_guard<std::mutex> lock(_mutex);
            _quit = true;
            for (Job& job : _jobs) {
                job.dropPixels();
            }
            _jobs.clear();
        }
        _wake.notify_one();
        SDL_WaitThread(_thread, nullptr); // at most the picture under way is finished first
    }

    void ask(const std::string& path) { push(Job{path, nullptr, nullptr}); }

    // Memory was freed: handed back to the system once the thread is idle for a moment.
    void trimSoon() {
        {
            std::lock_guard<std::mutex> lock(_mutex);
            _trimAsked = true;
        }
        _wake.notify_one();
    }

    // Packs the pixels of `path` (taking the surfaces over); the runs come back as its result.
    void pack(const std::string& path, SDL_Surface* surface, SDL_Surface* owner) {
        push(Job{path, surface, owner});
    }

    // Every result so far, in the order finished.
    std::deque<Result> finished() {
        std::lock_guard<std::mutex> lock(_mutex);
        return std::exchange(_results, {});
    }

    // The picture of `path` now: decoded here (or its pixels handed back unpacked) if the thread
    // has not started on it, else waited for. False if the loader holds nothing for that path.
    bool take(const std::string& path, pictures::DecodedPicture* picture) {
        std::unique_lock<std::mutex> lock(_mutex);
        auto job = std::find_if(_jobs.begin(), _jobs.end(), [&](const Job& j) { return j.path == path; });
        if (job != _jobs.end()) {
            Job taken = std::move(*job);
            _jobs.erase(job);
            lock.unlock();
            if (taken.pixels) {
                picture->width = taken.pixels->w;
                picture->height = taken.pixels->h;
                picture->surface = taken.pixels;
                picture->pixelOwner = taken.owner;
                return true;
            }
            // Wanted on screen now: no point packing it first.
            *picture = pictures::decodeFile(path, false);
            return true;
        }
        if (_working == path && _workingPixels) {
            _stopPacking = true; // its pixels come back as they are, within a row
        }
        _done.wait(lock, [&]() { return _working != path; });
        auto result = std::find_if(_results.begin(), _results.end(),
                                   [&](const Result& candidate) { return candidate.path == path; });
        if (result == _results.end()) {
            return false;
        }
        *picture = std::move(result->picture);
        _results.erase(result);
        return true;
    }

    void waitUntilIdle() {
        std::unique_lock<std::mutex> lock(_mutex);
        _done.wait(lock, [this]() { return _jobs.empty() && _working.empty(); });
    }

private:
    struct Job {
        std::string path;
        SDL_Surface* pixels; // to pack; null: read the file
        SDL_Surface* owner;
        void dropPixels() {
            pixel_pool::giveBack(pixels);
            if (owner) {
                SDL_FreeSurface(owner);
            }
        }
        pictures::DecodedPicture run(const std::atomic<bool>* stop) const {
            // Held packed until drawn: a picture read ahead costs a fraction of its size meanwhile.
            return pixels ? pictures::packSurface(pixels, owner, stop) : pictures::decodeFile(path, true);
        }
    };

    static int entry(void* loader) {
        static_cast<Loader*>(loader)->run();
        return 0;
    }

    void push(Job job) {
        if (!_thread) {
            pictures::DecodedPicture picture = job.run(nullptr);
            std::lock_guard<std::mutex> lock(_mutex);
            _results.push_back({job.path, std::move(picture)});
            return;
        }
        {
            std::lock_guard<std::mutex> lock(_mutex);
            _jobs.push_front(std::move(job)); // the latest first
        }
        _wake.notify_one();
    }

    void run() {
        // At the usual priority: the main thread may wait for the picture under way (addImage,
        // a draw), and a thread of low priority can be held off for seconds on a busy machine.
        std::unique_lock<std::mutex> lock(_mutex);
        for (;;) {
            _wake.wait(lock, [this]() { return _quit || !_jobs.empty() || _trimAsked; });
            if (_quit) {
                return;
            }
            if (_jobs.empty()) {
                // What pictures freed goes back to the system here rather than in a frame.
                _trimAsked = false;
                lock.unlock();
                trimHeap();
                lock.lock();
                continue;
            }
            Job job = std::move(_jobs.front());
            _jobs.pop_front();
            _working = job.path;
            _workingPixels = job.pixels != nullptr;
            _stopPacking = false;
            lock.unlock();
            pictures::DecodedPicture picture = job.run(&_stopPacking);
            lock.lock();
            _trimAsked = _trimAsked || job.pixels;
            _results.push_back({std::move(job.path), std::move(picture)});
            _working.clear();
            _done.notify_all();
        }
    }

    std::mutex _mutex;
    std::condition_variable _wake; // a job or the end for the thread
    std::condition_variable _done; // a job finished, for the main thread waiting on it
    std::deque<Job> _jobs;
    std::deque<Result> _results;
    std::string _working;
    bool _workingPixels = false;           // _working is a picture being packed
    std::atomic<bool> _stopPacking{false}; // wanted back now: packing it stops
    bool _trimAsked = false;
    bool _quit = false;
    SDL_Thread* _thread; // last: started once everything above exists
};

TextureCache::TextureCache() {
#ifdef __GLIBC__
    // Blocks of a megabyte or more (pictures, their copies, the frame) are mapped on their own, so
    // freeing one gives its memory back at once; glibc's default threshold climbs to the largest
    // block freed so far and would put pictures in the heap, where their memory stays. Pictures
    // unpacked over and over reuse theirs through the pixel pool, so the fresh pages don't cost
    // frames. Measured over a whole play: about 7 MiB less at the peak.
    mallopt(M_MMAP_THRESHOLD, 1 << 20);
#endif
}

TextureCache::~TextureCache() {
    _loader.reset();
    for (auto& ready : _ready) {
        ready.texture->release();
    }
    _ready.clear();
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
    auto request = _pending.find(fullPath);
    if (request != _pending.end() && !request->second.reload) {
        // Being read ahead: taken over, and its callbacks run on the next delivery as they would have.
        pictures::DecodedPicture picture;
        _loader->take(fullPath, &picture);
        std::vector<Callback> callbacks = std::move(request->second.callbacks);
        _pending.erase(request);
        auto* texture = new (std::nothrow) Texture2D();
        if (!texture || !texture->adoptDecodedPicture(fullPath, std::move(picture))) {
            log("TextureCache::addImage: can't decode image '%s'", fullPath.c_str());
            delete texture;
            texture = nullptr;
        } else {
            _textures.emplace(fullPath, texture);
            texture->retain();
        }
        if (texture || !callbacks.empty()) {
            _ready.push_back({texture, std::move(callbacks)});
        }
        return texture;
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

void TextureCache::addImageAsync(const std::string& filepath,
                                 const std::function<void(Texture2D*)>& callback) {
    const std::string fullPath =
        filepath.empty() ? "" : FileUtils::getInstance()->fullPathForFilename(filepath);
    auto found = fullPath.empty() ? _textures.end() : _textures.find(fullPath);
    if (found != _textures.end()) {
        Texture2D* texture = found->second;
        askAhead(fullPath);
        if (!texture->holdsPixels() && !_pending.count(fullPath)) {
            // Let go of entirely: read again ahead, so its next draw does not decode.
            startLoader();
            _pending[fullPath].reload = true;
            _loader->ask(fullPath);
        }
        if (callback) {
            callback(texture);
        }
        return;
    }
    if (fullPath.empty() || !FileUtils::getInstance()->isFileExist(fullPath)) {
        log("TextureCache::addImageAsync: image '%s' not found", filepath.c_str());
        if (callback) {
            callback(nullptr);
        }
        return;
    }
    askAhead(fullPath);
    auto request = _pending.find(fullPath);
    if (request != _pending.end() && request->second.packing) {
        // The pixels of a texture since removed from the cache: dropped, the file is read instead.
        pictures::DecodedPicture dropped;
        _loader->take(fullPath, &dropped);
        _pending.erase(request);
        request = _pending.end();
    }
    if (request == _pending.end()) {
        startLoader();
        request = _pending.emplace(fullPath, Request()).first;
        _loader->ask(fullPath);
    }
    // A reload asked before the texture left the cache now delivers a new texture instead.
    request->second.reload = false;
    if (callback) {
        request->second.callbacks.push_back(callback);
    }
}

void TextureCache::unbindImageAsync(const std::string& filepath) {
    const std::string fullPath = FileUtils::getInstance()->fullPathForFilename(filepath);
    auto request = _pending.find(fullPath);
    if (request != _pending.end()) {
        request->second.callbacks.clear();
    }
    for (auto& ready : _ready) {
        if (ready.texture && ready.texture->getPath() == fullPath) {
            ready.callbacks.clear();
        }
    }
}

void TextureCache::unbindAllImageAsync() {
    for (auto& request : _pending) {
        request.second.callbacks.clear();
    }
    for (auto& ready : _ready) {
        ready.callbacks.clear();
    }
}

void TextureCache::startLoader() {
    if (!_loader) {
        // SDL_image sets up its decoders on first use, which is not safe from two threads at once.
        IMG_Init(IMG_INIT_PNG | IMG_INIT_JPG);
        _loader = std::make_unique<Loader>();
    }
}

void TextureCache::askAhead(const std::string& fullPath) {
    Asked& asked = _asked[fullPath];
    asked.order = ++_askOrder;
    asked.frame = Director::getInstance()->getTotalFrames();
}

void TextureCache::eraseAsked(const std::string& fullPath) {
    _asked.erase(fullPath);
}

void TextureCache::deliverAsyncImages() {
    std::vector<Ready> ready = std::move(_ready);
    _ready.clear();
    if (_loader) {
        for (auto& result : _loader->finished()) {
            auto request = _pending.find(result.path);
            if (request == _pending.end()) {
                continue; // taken over meanwhile
            }
            Request asked = std::move(request->second);
            _pending.erase(request);
            auto cached = _textures.find(result.path);
            Texture2D* texture = cached != _textures.end() ? cached->second : nullptr;
            if (asked.reload || texture) {
                // Pixels for a texture that let go of them (unless a draw read them first).
                if (texture) {
                    texture->adoptDecodedPicture(result.path, std::move(result.picture), !asked.packing);
                }
            } else {
                texture = new (std::nothrow) Texture2D();
                if (!texture || !texture->adoptDecodedPicture(result.path, std::move(result.picture))) {
                    log("TextureCache::addImageAsync: can't decode image '%s': %s", result.path.c_str(),
                        result.picture.error.c_str());
                    delete texture;
                    texture = nullptr;
                } else {
                    _textures.emplace(result.path, texture);
                }
            }
            auto ahead = asked.packing ? _asked.end() : _asked.find(result.path);
            if (ahead != _asked.end()) {
                ahead->second.frame = Director::getInstance()->getTotalFrames();
            }
            if (texture) {
                texture->retain();
            }
            if (texture || !asked.callbacks.empty()) {
                ready.push_back({texture, std::move(asked.callbacks)});
            }
        }
    }
    // Callbacks last: they may ask for more pictures or remove textures.
    for (auto& delivery : ready) {
        for (auto& callback : delivery.callbacks) {
            callback(delivery.texture);
        }
        if (delivery.texture) {
            delivery.texture->release();
        }
    }
}

size_t TextureCache::getAsyncCount() const {
    return static_cast<size_t>(std::count_if(_pending.begin(), _pending.end(),
                                             [](const auto& entry) { return !entry.second.packing; }));
}

void TextureCache::waitForAsyncReads() {
    if (_loader) {
        _loader->waitUntilIdle();
    }
}

pictures::DecodedPicture TextureCache::takeAsyncReload(const std::string& fullPath) {
    pictures::DecodedPicture picture;
    auto request = _pending.find(fullPath);
    if (request != _pending.end() && request->second.reload) {
        _pending.erase(request);
        _loader->take(fullPath, &picture);
    }
    return picture;
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
            eraseAsked(it->first);
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
            eraseAsked(it->first);
            it->second->release();
            it = _textures.erase(it);
        } else {
            ++it;
        }
    }
}

size_t TextureCache::releaseIdlePixels(unsigned now, size_t keepBytes) {
    // (asked ahead and not drawn since, its ask or last use, the texture): the largest first.
    std::vector<std::tuple<bool, unsigned long long, Texture2D*>> idle;
    size_t freed = 0;
    for (auto& entry : _textures) {
        Texture2D* texture = entry.second;
        bool ahead = false;
        unsigned long long recency = texture->getLastUsedFrame();
        auto asked = _asked.find(entry.first);
        if (asked != _asked.end()) {
            if (texture->getLastUsedFrame() > asked->second.frame) {
                _asked.erase(asked); // drawn since: an ordinary picture again
            } else {
                ahead = true;
                recency = asked->second.order;
            }
        }
        if (texture->holdsPixels() && !texture->getPath().empty() && now - texture->getLastUsedFrame() > 1) {
            idle.emplace_back(ahead, recency, texture);
        } else if (texture->originalIdle(now)) {
            const size_t before = texture->getPixelBytes();
            if (!packLater(entry.first, texture, true)) {
                texture->packOriginal();
            }
            freed += before - std::min(before, texture->getPixelBytes());
        }
    }
    // Memory for unpacking kept for the next question or two of a play, not for ever.
    pixel_pool::dropIdle(now, kSpareFrames);
    std::sort(idle.begin(), idle.end(), [](const auto& a, const auto& b) {
        return std::tie(std::get<0>(a), std::get<1>(a)) > std::tie(std::get<0>(b), std::get<1>(b));
    });
    size_t kept = 0;
    for (auto& entry : idle) {
        Texture2D* texture = std::get<2>(entry);
        const size_t before = texture->getPixelBytes();
        if (!texture->isPacked() && keepBytes > 0 && packLater(texture->getPath(), texture, false)) {
            freed += before - texture->getPixelBytes(); // back packed in a frame or two, counted then
            continue;
        }
        // Packed already, it still lets go of its other copies (scaled, alpha) off screen.
        texture->releasePixels(keepBytes > 0);
        size_t bytes = texture->getPixelBytes();
        if (kept + bytes <= keepBytes) {
            kept += bytes;
        } else {
            texture->releasePixels(false);
            bytes = 0;
        }
        freed += before - bytes;
    }
    if (freed > 0 && _loader) {
        _loader->trimSoon();
    }
    return freed;
}

bool TextureCache::packLater(const std::string& fullPath, Texture2D* texture, bool keepScaledCopy) {
    if (_pending.count(fullPath)) {
        return false; // a read of it is on its way already
    }
    startLoader();
    SDL_Surface* surface = nullptr;
    SDL_Surface* owner = nullptr;
    if (!texture->handOverPixels(&surface, &owner, keepScaledCopy)) {
        return false;
    }
    // Delivered like a picture read again ahead: taken back at once if drawn before it is packed.
    Request& request = _pending[fullPath];
    request.reload = true;
    request.packing = true;
    _loader->pack(fullPath, surface, owner);
    return true;
}

void TextureCache::removeAllTextures() {
    for (auto& entry : _textures) {
        entry.second->release();
    }
    _textures.clear();
    _asked.clear();
}

NS_CC_END
