#include "audio/include/AudioEngine.h"

#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <unordered_map>

#include "AudioLoader.h"
#include "AudioMixer.h"
#include "StreamMixer.h"
#include "base/CCConsole.h"
#include "base/CCDirector.h"
#include "base/CCScheduler.h"
#include "base/ccMacros.h"
#include "ext/Audio.h"
#include "ext/AudioStream.h"
#include "ext/Headless.h"
#include "platform/CCFileUtils.h"

NS_CC_BEGIN
namespace experimental {

const int AudioEngine::INVALID_AUDIO_ID = -1;
const float AudioEngine::TIME_UNKNOWN = -1.0f;

namespace {

// The framework's limit on simultaneous sounds on the desktop.
const int kMaxAudioInstances = 32;
const char* const kTickKey = "cocos2d.audio.tick";

struct AudioInfo {
    std::string filePath;
    std::string fullPath;
    bool loop = false;
    float volume = 1.0f;
    AudioEngine::AudioState state = AudioEngine::AudioState::PLAYING;
    // Long sounds are streamed: opened on the loader thread (INITIALIZING meanwhile).
    bool streamed = false;
    // The output's voice playing it, an effect or a stream once opened; -1 while nothing is
    // audible (the silent output, a stream still opening).
    int voice = -1;
    bool pausedWhileLoading = false;
    // Length of the sound in seconds, TIME_UNKNOWN when it could not be decoded.
    float duration = AudioEngine::TIME_UNKNOWN;
    // Seconds played, counted by the engine's tick; the silent output ends sounds by it.
    float elapsed = 0.0f;
    std::string profileName;
    std::function<void(int, const std::string&)> finishCallback;
};

// A file given to the loader thread: for a play (the id waiting for it) or a preload.
struct PendingLoad {
    int audioId = AudioEngine::INVALID_AUDIO_ID;
    std::vector<std::function<void(bool)>> callbacks;
};

struct ProfileUse {
    AudioProfile profile;
    double lastPlayTime = -1.0;
};

// Everything the static AudioEngine API works on. Created on first use, destroyed by end().
class AudioEngineImpl {
public:
    AudioEngineImpl();
    ~AudioEngineImpl() {
        if (loader && !loader->inThisProcess()) {
            (void)loader.release();
        }
    }

    int play(const std::string& filePath, bool loop, float volume, const AudioProfile* profile);
    void preload(const std::string& filePath, std::function<void(bool)> callback);
    void forget(int id, bool notify);
    void tick(float dt);
    // Hands what the loader finished to the ids and callbacks waiting for it.
    void deliverLoads();
    float currentTime(const AudioInfo& info) const;
    AudioInfo* find(int id) {
        auto it = _audios.find(id);
        return it == _audios.end() ? nullptr : &it->second;
    }

    // Declared in this order so that they stop in reverse: the loader thread first, then the
    // output (which owns the voices).
    audio::AudioMixer mixer;
    bool mixerOpen = false;
    bool silent = true;
    // The output's voices, streamed music among them; nullptr on the silent output.
    audio::StreamMixer* streams = nullptr;
    std::unique_ptr<audio::AudioLoader> loader;
    std::map<int, PendingLoad> pending;
    // Streams opened by preload, each waiting for its file's next play.
    std::map<std::string, std::unique_ptr<ext::AudioStream>> prepared;
    std::map<int, AudioInfo> _audios;
    std::unordered_map<std::string, ProfileUse> profiles;
    AudioProfile defaultProfile;
    int maxInstances = kMaxAudioInstances;
    double clock = 0.0;

private:
    bool profileAllows(const AudioProfile& profile);
    void ensureTick();
    bool isStreamed(const std::string& fullPath) const;
    void startStream(AudioInfo& info, std::unique_ptr<ext::AudioStream> stream);

    int _nextId = 0;
    int _nextTicket = 0;
};

std::unique_ptr<AudioEngineImpl> s_impl;
bool s_enabled = true;
// The mixer's decode count survives end(), so a test can count decodes across a restart.
int s_decodesBeforeRestart = 0;
// Only the identity matters: the scheduler key's target.
char s_tickTarget;
ext::AudioStreamOpener s_streamOpener;

AudioEngineImpl::AudioEngineImpl() {
    const bool headless = ext::isHeadless();
    std::string error;
    mixerOpen =
        mixer.open(headless ? audio::AudioMixer::Mode::DECODE_ONLY : audio::AudioMixer::Mode::PLAYING, error);
    silent = headless || !mixerOpen;
    if (!mixerOpen) {
        log("AudioEngine: no audio device (%s); sounds are silent", error.c_str());
    } else {
        streams = mixer.voices();
        loader.reset(new audio::AudioLoader());
    }
    defaultProfile.name = "audioengine_defaultProfile";
    defaultProfile.maxInstances = static_cast<unsigned int>(kMaxAudioInstances);
    ensureTick();
}

bool AudioEngineImpl::profileAllows(const AudioProfile& profile) {
    ProfileUse& use = profiles[profile.name];
    use.profile = profile;
    if (profile.maxInstances > 0) {
        const auto playing = std::count_if(_audios.begin(), _audios.end(), [&profile](const auto& entry) {
            return entry.second.profileName == profile.name;
        });
        if (playing >= static_cast<long>(profile.maxInstances)) {
            log("AudioEngine: profile %s already plays %u sounds", profile.name.c_str(),
                profile.maxInstances);
            return false;
        }
    }
    if (profile.minDelay > 0.0 && use.lastPlayTime >= 0.0 && clock - use.lastPlayTime < profile.minDelay) {
        return false;
    }
    use.lastPlayTime = clock;
    return true;
}

int AudioEngineImpl::play(const std::string& filePath, bool loop, float volume, const AudioProfile* profile) {
    FileUtils* files = FileUtils::getInstance();
    if (filePath.empty() || !files->isFileExist(filePath)) {
        log("AudioEngine: can't play %s: file not found", filePath.c_str());
        return AudioEngine::INVALID_AUDIO_ID;
    }
    if (static_cast<int>(_audios.size()) >= maxInstances) {
        log("AudioEngine: can't play %s: %d sounds are already playing", filePath.c_str(), maxInstances);
        return AudioEngine::INVALID_AUDIO_ID;
    }
    if (profile && !profileAllows(*profile)) {
        return AudioEngine::INVALID_AUDIO_ID;
    }
    AudioInfo info;
    info.filePath = filePath;
    info.fullPath = files->fullPathForFilename(filePath);
    info.loop = loop;
    info.volume = std::max(0.0f, std::min(volume, 1.0f));
    info.profileName = profile ? profile->name : std::string();
    if (mixerOpen && isStreamed(info.fullPath)) {
        const int id = _nextId++;
        AudioInfo& stored = _audios[id] = info;
        stored.streamed = true;
        auto ready = prepared.find(info.fullPath);
        if (ready != prepared.end()) {
            auto stream = std::move(ready->second);
            prepared.erase(ready);
            startStream(stored, std::move(stream));
        } else {
            stored.state = AudioEngine::AudioState::INITIALIZING;
            const int ticket = _nextTicket++;
            pending[ticket].audioId = id;
            loader->openStream(ticket, info.fullPath, mixer.format(), s_streamOpener);
        }
        ensureTick();
        return id;
    }
    if (mixerOpen) {
        std::string error;
        bool playable = false;
        if (silent) {
            playable = mixer.probe(info.fullPath, info.duration, error);
        } else if (audio::SoundPtr sound = mixer.sound(info.fullPath, error)) {
            playable = true;
            info.duration = mixer.durationOf(sound);
            info.voice = mixer.play(sound, loop, info.volume);
        }
        if (!playable) {
            log("AudioEngine: can't play %s: %s", filePath.c_str(), error.c_str());
            return AudioEngine::INVALID_AUDIO_ID;
        }
    }
    const int id = _nextId++;
    _audios[id] = info;
    ensureTick();
    return id;
}

// Finished sounds are found by a per-frame tick on the Director's scheduler. It is registered again
// whenever a sound starts, because tests and shutdown replace the Director.
void AudioEngineImpl::ensureTick() {
    Scheduler* scheduler = Director::getInstance()->getScheduler();
    if (scheduler && !scheduler->isScheduled(kTickKey, &s_tickTarget)) {
        scheduler->schedule(
            [](float dt) {
                if (s_impl) {
                    s_impl->tick(dt);
                }
            },
            &s_tickTarget, 0.0f, CC_REPEAT_FOREVER, 0.0f, false, kTickKey);
    }
}

bool AudioEngineImpl::isStreamed(const std::string& fullPath) const {
    return FileUtils::getInstance()->getFileSize(fullPath) >= ext::kStreamedFileBytes;
}

void AudioEngineImpl::startStream(AudioInfo& info, std::unique_ptr<ext::AudioStream> stream) {
    const ext::AudioFormat format = mixer.format();
    info.duration = static_cast<float>(static_cast<double>(stream->frameCount()) / format.rate);
    info.state = info.pausedWhileLoading ? AudioEngine::AudioState::PAUSED : AudioEngine::AudioState::PLAYING;
    mixer.countDecode();
    // The silent output only needed the length; the decoder is closed here.
    if (streams) {
        info.voice = streams->play(std::move(stream), info.loop, info.volume, info.pausedWhileLoading);
    }
}

void AudioEngineImpl::preload(const std::string& filePath, std::function<void(bool)> callback) {
    const std::string fullPath = FileUtils::getInstance()->fullPathForFilename(filePath);
    std::string error;
    float duration = 0.0f;
    // Without a mixer there is nothing to decode; an existing file counts as loaded. Something
    // already prepared is reported at once.
    if (!mixerOpen || prepared.count(fullPath) ||
        (!isStreamed(fullPath) && mixer.probe(fullPath, duration, error))) {
        if (callback) {
            callback(true);
        }
        return;
    }
    const int ticket = _nextTicket++;
    if (callback) {
        pending[ticket].callbacks.push_back(std::move(callback));
    } else {
        pending[ticket];
    }
    if (isStreamed(fullPath)) {
        loader->openStream(ticket, fullPath, mixer.format(), s_streamOpener);
    } else {
        loader->decode(ticket, fullPath, mixer.format());
    }
    ensureTick();
}

void AudioEngineImpl::deliverLoads() {
    if (!loader) {
        return;
    }
    for (auto& result : loader->take()) {
        auto it = pending.find(result.ticket);
        if (it == pending.end()) {
            continue;
        }
        PendingLoad load = std::move(it->second);
        pending.erase(it);
        const bool ok = result.stream || result.sound;
        const std::string& shown = result.fullPath;
        if (result.sound) {
            mixer.adopt(result.fullPath, std::move(result.sound));
        }
        if (load.audioId != AudioEngine::INVALID_AUDIO_ID) {
            AudioInfo* info = find(load.audioId);
            if (!info) {
                continue; // stopped while it was being opened
            }
            if (!ok) {
                log("AudioEngine: can't play %s: %s", info->filePath.c_str(), result.error.c_str());
                forget(load.audioId, false);
                continue;
            }
            startStream(*info, std::move(result.stream));
        } else if (!ok) {
            log("AudioEngine: can't preload %s: %s", shown.c_str(), result.error.c_str());
        } else if (result.stream) {
            prepared[result.fullPath] = std::move(result.stream);
        }
        for (auto& callback : load.callbacks) {
            callback(ok);
        }
    }
}

float AudioEngineImpl::currentTime(const AudioInfo& info) const {
    if (info.voice >= 0 && streams->position(info.voice) >= 0) {
        return static_cast<float>(static_cast<double>(streams->position(info.voice)) / mixer.format().rate);
    }
    if (info.loop && info.duration > 0.0f) {
        return std::fmod(info.elapsed, info.duration);
    }
    return info.duration >= 0.0f ? std::min(info.elapsed, info.duration) : info.elapsed;
}

void AudioEngineImpl::forget(int id, bool notify) {
    auto it = _audios.find(id);
    if (it == _audios.end()) {
        return;
    }
    AudioInfo info = std::move(it->second);
    _audios.erase(it);
    if (info.voice >= 0) {
        streams->stop(info.voice);
    }
    if (notify && info.finishCallback) {
        info.finishCallback(id, info.filePath);
    }
}

void AudioEngineImpl::tick(float dt) {
    clock += dt;
    deliverLoads();
    std::vector<int> finished;
    for (auto& entry : _audios) {
        AudioInfo& info = entry.second;
        if (info.state != AudioEngine::AudioState::PLAYING) {
            continue;
        }
        info.elapsed += dt;
        if (info.loop) {
            continue;
        }
        const bool done = info.voice >= 0 ? streams->finished(info.voice)
                                          : info.duration < 0.0f || info.elapsed >= info.duration;
        if (done) {
            finished.push_back(entry.first);
        }
    }
    for (int id : finished) {
        forget(id, true);
    }
}

// The engine to play through; nullptr while audio is disabled.
AudioEngineImpl* impl() {
    if (!s_enabled) {
        return nullptr;
    }
    if (!s_impl) {
        s_impl.reset(new AudioEngineImpl());
    }
    return s_impl.get();
}

AudioInfo* findAudio(int id, const char* caller) {
    AudioInfo* info = s_impl ? s_impl->find(id) : nullptr;
    if (!info && caller) {
        log("AudioEngine::%s: audio id %d is non-existent", caller, id);
    }
    return info;
}

} // namespace

bool AudioEngine::lazyInit() {
    return impl() != nullptr;
}

void AudioEngine::end() {
    if (s_impl) {
        s_decodesBeforeRestart += s_impl->mixer.decodeCount();
        s_impl.reset();
    }
}

int AudioEngine::play2d(const std::string& filePath, bool loop, float volume, const AudioProfile* profile) {
    AudioEngineImpl* engine = impl();
    if (!engine) {
        return INVALID_AUDIO_ID;
    }
    return engine->play(filePath, loop, volume, profile);
}

void AudioEngine::setLoop(int audioID, bool loop) {
    if (AudioInfo* info = findAudio(audioID, nullptr)) {
        info->loop = loop;
        if (info->voice >= 0) {
            s_impl->streams->setLoop(info->voice, loop);
        }
    }
}

bool AudioEngine::isLoop(int audioID) {
    AudioInfo* info = findAudio(audioID, nullptr);
    return info && info->loop;
}

void AudioEngine::setVolume(int audioID, float volume) {
    if (AudioInfo* info = findAudio(audioID, nullptr)) {
        info->volume = std::max(0.0f, std::min(volume, 1.0f));
        if (info->voice >= 0) {
            s_impl->streams->setVolume(info->voice, info->volume);
        }
    }
}

float AudioEngine::getVolume(int audioID) {
    AudioInfo* info = findAudio(audioID, "getVolume");
    return info ? info->volume : 0.0f;
}

void AudioEngine::pause(int audioID) {
    AudioInfo* info = findAudio(audioID, nullptr);
    if (info && info->state == AudioState::INITIALIZING) {
        info->pausedWhileLoading = true;
    } else if (info && info->state == AudioState::PLAYING) {
        info->state = AudioState::PAUSED;
        if (info->voice >= 0) {
            s_impl->streams->setPaused(info->voice, true);
        }
    }
}

void AudioEngine::pauseAll() {
    if (s_impl) {
        for (auto& entry : s_impl->_audios) {
            pause(entry.first);
        }
    }
}

void AudioEngine::resume(int audioID) {
    AudioInfo* info = findAudio(audioID, nullptr);
    if (info && info->state == AudioState::INITIALIZING) {
        info->pausedWhileLoading = false;
    } else if (info && info->state == AudioState::PAUSED) {
        info->state = AudioState::PLAYING;
        if (info->voice >= 0) {
            s_impl->streams->setPaused(info->voice, false);
        }
    }
}

void AudioEngine::resumeAll() {
    if (s_impl) {
        for (auto& entry : s_impl->_audios) {
            resume(entry.first);
        }
    }
}

void AudioEngine::stop(int audioID) {
    if (s_impl) {
        s_impl->forget(audioID, false);
    }
}

void AudioEngine::stopAll() {
    if (s_impl) {
        std::vector<int> ids;
        for (auto& entry : s_impl->_audios) {
            ids.push_back(entry.first);
        }
        for (int id : ids) {
            s_impl->forget(id, false);
        }
    }
}

bool AudioEngine::setCurrentTime(int audioID, float sec) {
    AudioInfo* info = findAudio(audioID, nullptr);
    if (!info || info->state == AudioState::INITIALIZING || sec < 0.0f ||
        (info->duration >= 0.0f && sec > info->duration)) {
        return false;
    }
    // Heard from there; on the silent output only the clock (which ends the sound) moves.
    if (info->voice >= 0) {
        const auto frame = static_cast<int64_t>(static_cast<double>(sec) * s_impl->mixer.format().rate);
        if (!s_impl->streams->seek(info->voice, frame)) {
            return false;
        }
    }
    info->elapsed = sec;
    return true;
}

float AudioEngine::getCurrentTime(int audioID) {
    AudioInfo* info = findAudio(audioID, nullptr);
    return info ? s_impl->currentTime(*info) : 0.0f;
}

float AudioEngine::getDuration(int audioID) {
    AudioInfo* info = findAudio(audioID, nullptr);
    return info ? info->duration : TIME_UNKNOWN;
}

AudioEngine::AudioState AudioEngine::getState(int audioID) {
    AudioInfo* info = findAudio(audioID, nullptr);
    return info ? info->state : AudioState::ERROR;
}

void AudioEngine::setFinishCallback(int audioID,
                                    const std::function<void(int, const std::string&)>& callback) {
    if (AudioInfo* info = findAudio(audioID, nullptr)) {
        info->finishCallback = callback;
    }
}

int AudioEngine::getMaxAudioInstance() {
    return s_impl ? s_impl->maxInstances : kMaxAudioInstances;
}

bool AudioEngine::setMaxAudioInstance(int maxInstances) {
    if (maxInstances <= 0 || maxInstances > audio::AudioMixer::kChannelCount) {
        return false;
    }
    if (AudioEngineImpl* engine = impl()) {
        engine->maxInstances = maxInstances;
        return true;
    }
    return false;
}

void AudioEngine::preload(const std::string& filePath, std::function<void(bool isSuccess)> callback) {
    AudioEngineImpl* engine = impl();
    if (engine && FileUtils::getInstance()->isFileExist(filePath)) {
        // Decoded on the loader thread; the callback comes on a later frame.
        engine->preload(filePath, std::move(callback));
        return;
    }
    // Reported even when audio is disabled, and then as a failure.
    if (engine) {
        log("AudioEngine: can't preload %s: file not found", filePath.c_str());
    }
    if (callback) {
        callback(false);
    }
}

void AudioEngine::uncache(const std::string& filePath) {
    if (!s_impl) {
        return;
    }
    const std::string fullPath = FileUtils::getInstance()->fullPathForFilename(filePath);
    std::vector<int> users;
    for (auto& entry : s_impl->_audios) {
        if (entry.second.fullPath == fullPath) {
            users.push_back(entry.first);
        }
    }
    for (int id : users) {
        s_impl->forget(id, false);
    }
    s_impl->prepared.erase(fullPath);
    s_impl->mixer.uncache(fullPath);
}

void AudioEngine::uncacheAll() {
    if (s_impl) {
        stopAll();
        s_impl->prepared.clear();
        s_impl->mixer.uncacheAll();
    }
}

AudioProfile* AudioEngine::getDefaultProfile() {
    AudioEngineImpl* engine = impl();
    return engine ? &engine->defaultProfile : nullptr;
}

AudioProfile* AudioEngine::getProfile(int audioID) {
    AudioInfo* info = findAudio(audioID, nullptr);
    if (!info || info->profileName.empty()) {
        return nullptr;
    }
    return &s_impl->profiles[info->profileName].profile;
}

AudioProfile* AudioEngine::getProfile(const std::string& profileName) {
    if (!s_impl) {
        return nullptr;
    }
    auto it = s_impl->profiles.find(profileName);
    return it == s_impl->profiles.end() ? nullptr : &it->second.profile;
}

int AudioEngine::getPlayingAudioCount() {
    return s_impl ? static_cast<int>(s_impl->_audios.size()) : 0;
}

void AudioEngine::setEnabled(bool isEnabled) {
    if (s_enabled != isEnabled) {
        s_enabled = isEnabled;
        if (!isEnabled) {
            stopAll();
        }
    }
}

bool AudioEngine::isEnabled() {
    return s_enabled;
}

} // namespace experimental

namespace ext {

using experimental::AudioEngine;

std::vector<int> activeAudioIds() {
    std::vector<int> ids;
    if (experimental::s_impl) {
        for (auto& entry : experimental::s_impl->_audios) {
            ids.push_back(entry.first);
        }
    }
    return ids;
}

int activeAudioCount() {
    return AudioEngine::getPlayingAudioCount();
}

std::string audioPath(int audioID) {
    auto* info = experimental::findAudio(audioID, nullptr);
    return info ? info->filePath : std::string();
}

bool isLooping(int audioID) {
    return AudioEngine::isLoop(audioID);
}

bool isAudioSilent() {
    return !experimental::s_impl || experimental::s_impl->silent;
}

int audioDecodeCount() {
    return experimental::s_decodesBeforeRestart +
           (experimental::s_impl ? experimental::s_impl->mixer.decodeCount() : 0);
}

void setAudioStreamOpener(AudioStreamOpener opener) {
    experimental::s_streamOpener = std::move(opener);
}

void setAudioOutputTap(std::function<void(const int16_t* samples, int frames)> tap) {
    audio::AudioMixer::setOutputTap(std::move(tap));
}

void waitForAudioLoads() {
    if (experimental::s_impl && experimental::s_impl->loader) {
        experimental::s_impl->loader->waitIdle();
    }
}

void finishSilentSounds() {
    if (!experimental::s_impl) {
        return;
    }
    std::vector<int> finished;
    for (auto& entry : experimental::s_impl->_audios) {
        if (!entry.second.loop && entry.second.voice < 0) {
            finished.push_back(entry.first);
        }
    }
    for (int id : finished) {
        experimental::s_impl->forget(id, true);
    }
}

} // namespace ext
NS_CC_END
