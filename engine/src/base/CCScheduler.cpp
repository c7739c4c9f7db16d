#include "base/CCScheduler.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>

#include "base/CCConsole.h"

NS_CC_BEGIN

const int Scheduler::PRIORITY_SYSTEM = INT_MIN;
const int Scheduler::PRIORITY_NON_SYSTEM_MIN = INT_MIN + 1;

// Entries are never erased while Scheduler::update runs: removal only sets `removed`, and the
// vectors are swept once the tick is over, so a callback may unschedule anything, itself included.
struct Scheduler::Timer {
    std::string key;
    ccSchedulerFunc callback;
    float interval = 0.0f;
    unsigned int repeat = 0;
    float delay = 0.0f;
    bool useDelay = false;
    bool runForever = false;
    // -1 until the first tick arms the timer.
    float elapsed = -1.0f;
    unsigned int timesExecuted = 0;
    bool removed = false;
    // Bumped when the key is scheduled again, so a step in progress notices its timing was reset.
    unsigned int generation = 0;

    bool isExhausted() const { return !runForever && timesExecuted > repeat; }
};

struct Scheduler::TimerTarget {
    void* target = nullptr;
    bool paused = false;
    std::vector<std::unique_ptr<Timer>> timers;
};

struct Scheduler::UpdateEntry {
    void* target = nullptr;
    ccSchedulerFunc callback;
    int priority = 0;
    bool paused = false;
    bool removed = false;
};

namespace {

// Selector timers share the keyed timers, keyed by the member pointer's bytes.
std::string selectorKey(SEL_SCHEDULE selector) {
    unsigned char bytes[sizeof(selector)];
    std::memcpy(bytes, &selector, sizeof(selector));
    std::string key = "selector:";
    char hex[3];
    for (unsigned char b : bytes) {
        std::snprintf(hex, sizeof(hex), "%02x", b);
        key += hex;
    }
    return key;
}

template <class T> void eraseRemoved(std::vector<std::unique_ptr<T>>& list) {
    list.erase(
        std::remove_if(list.begin(), list.end(), [](const std::unique_ptr<T>& e) { return e->removed; }),
        list.end());
}

} // namespace

Scheduler::Scheduler() = default;

Scheduler::~Scheduler() = default;

Scheduler::TimerTarget* Scheduler::findTimerTarget(const void* target) const {
    for (const auto& tt : _timerTargets) {
        if (tt->target == target) {
            return tt.get();
        }
    }
    return nullptr;
}

Scheduler::Timer* Scheduler::findTimer(const std::string& key, const void* target) const {
    TimerTarget* tt = findTimerTarget(target);
    if (tt == nullptr) {
        return nullptr;
    }
    for (const auto& timer : tt->timers) {
        if (!timer->removed && timer->key == key) {
            return timer.get();
        }
    }
    return nullptr;
}

Scheduler::UpdateEntry* Scheduler::findUpdate(const void* target) const {
    for (auto* list : {&_updatesNeg, &_updates0, &_updatesPos, &_pendingUpdates}) {
        for (const auto& entry : *list) {
            if (!entry->removed && entry->target == target) {
                return entry.get();
            }
        }
    }
    return nullptr;
}

void Scheduler::schedule(const ccSchedulerFunc& callback, void* target, float interval, unsigned int repeat,
                         float delay, bool paused, const std::string& key) {
    if (target == nullptr || key.empty() || !callback) {
        log("Scheduler: refused to schedule '%s': a target, a key and a callback are required", key.c_str());
        return;
    }
    TimerTarget* tt = findTimerTarget(target);
    if (tt == nullptr) {
        _timerTargets.emplace_back(new TimerTarget());
        tt = _timerTargets.back().get();
        tt->target = target;
        tt->paused = paused;
    }
    // Scheduling a key that is still live keeps its callback and only starts its timing afresh;
    // a timer on its last fire is spent, so the key then gets a new timer with the new callback.
    Timer* timer = findTimer(key, target);
    if (timer != nullptr && timer->isExhausted()) {
        timer->removed = true;
        timer = nullptr;
    }
    if (timer == nullptr) {
        tt->timers.emplace_back(new Timer());
        timer = tt->timers.back().get();
        timer->key = key;
        timer->callback = callback;
    }
    timer->interval = interval;
    timer->repeat = repeat;
    timer->delay = delay;
    timer->useDelay = delay > 0.0f;
    timer->runForever = repeat == CC_REPEAT_FOREVER;
    timer->elapsed = -1.0f;
    timer->timesExecuted = 0;
    timer->generation += 1;
}

void Scheduler::schedule(const ccSchedulerFunc& callback, void* target, float interval, bool paused,
                         const std::string& key) {
    schedule(callback, target, interval, CC_REPEAT_FOREVER, 0.0f, paused, key);
}

void Scheduler::schedule(SEL_SCHEDULE selector, Ref* target, float interval, unsigned int repeat, float delay,
                         bool paused) {
    schedule([target, selector](float dt) { (target->*selector)(dt); }, target, interval, repeat, delay,
             paused, selectorKey(selector));
}

void Scheduler::schedule(SEL_SCHEDULE selector, Ref* target, float interval, bool paused) {
    schedule(selector, target, interval, CC_REPEAT_FOREVER, 0.0f, paused);
}

std::vector<std::unique_ptr<Scheduler::UpdateEntry>>& Scheduler::updateListFor(int priority) {
    if (priority < 0) {
        return _updatesNeg;
    }
    return priority == 0 ? _updates0 : _updatesPos;
}

void Scheduler::schedulePerFrame(const ccSchedulerFunc& callback, void* target, int priority, bool paused) {
    if (UpdateEntry* existing = findUpdate(target)) {
        if (existing->priority == priority) {
            return;
        }
        existing->removed = true;
    }
    auto entry = std::make_unique<UpdateEntry>();
    entry->target = target;
    entry->callback = callback;
    entry->priority = priority;
    entry->paused = paused;
    // While a tick runs, new entries wait so the list being walked never shifts under it.
    if (_updating) {
        _pendingUpdates.push_back(std::move(entry));
    } else {
        insertUpdate(std::move(entry));
    }
}

void Scheduler::insertUpdate(std::unique_ptr<UpdateEntry> entry) {
    auto& list = updateListFor(entry->priority);
    int priority = entry->priority;
    auto pos = std::find_if(list.begin(), list.end(), [priority](const std::unique_ptr<UpdateEntry>& e) {
        return e->priority > priority;
    });
    list.insert(pos, std::move(entry));
}

void Scheduler::flushPendingUpdates() {
    std::vector<std::unique_ptr<UpdateEntry>> pending;
    pending.swap(_pendingUpdates);
    for (auto& entry : pending) {
        if (!entry->removed) {
            insertUpdate(std::move(entry));
        }
    }
}

void Scheduler::unschedule(const std::string& key, void* target) {
    if (Timer* timer = findTimer(key, target)) {
        timer->removed = true;
        purgeRemoved();
    }
}

void Scheduler::unschedule(SEL_SCHEDULE selector, Ref* target) {
    unschedule(selectorKey(selector), target);
}

void Scheduler::unscheduleUpdate(void* target) {
    if (UpdateEntry* entry = findUpdate(target)) {
        entry->removed = true;
        purgeRemoved();
    }
}

void Scheduler::unscheduleAllForTarget(void* target) {
    if (TimerTarget* tt = findTimerTarget(target)) {
        for (auto& timer : tt->timers) {
            timer->removed = true;
        }
    }
    unscheduleUpdate(target);
    purgeRemoved();
}

void Scheduler::unscheduleAll() {
    unscheduleAllWithMinPriority(PRIORITY_SYSTEM);
}

void Scheduler::unscheduleAllWithMinPriority(int minPriority) {
    for (auto& tt : _timerTargets) {
        for (auto& timer : tt->timers) {
            timer->removed = true;
        }
    }
    for (auto* list : {&_updatesNeg, &_updates0, &_updatesPos, &_pendingUpdates}) {
        for (auto& entry : *list) {
            if (entry->priority >= minPriority) {
                entry->removed = true;
            }
        }
    }
    purgeRemoved();
}

bool Scheduler::isScheduled(const std::string& key, const void* target) const {
    return findTimer(key, target) != nullptr;
}

bool Scheduler::isScheduled(SEL_SCHEDULE selector, const Ref* target) const {
    return isScheduled(selectorKey(selector), target);
}

void Scheduler::pauseTarget(void* target) {
    if (TimerTarget* tt = findTimerTarget(target)) {
        tt->paused = true;
    }
    if (UpdateEntry* entry = findUpdate(target)) {
        entry->paused = true;
    }
}

void Scheduler::resumeTarget(void* target) {
    if (TimerTarget* tt = findTimerTarget(target)) {
        tt->paused = false;
    }
    if (UpdateEntry* entry = findUpdate(target)) {
        entry->paused = false;
    }
}

bool Scheduler::isTargetPaused(void* target) {
    if (TimerTarget* tt = findTimerTarget(target)) {
        return tt->paused;
    }
    if (UpdateEntry* entry = findUpdate(target)) {
        return entry->paused;
    }
    return false;
}

std::set<void*> Scheduler::pauseAllTargets() {
    return pauseAllTargetsWithMinPriority(PRIORITY_SYSTEM);
}

std::set<void*> Scheduler::pauseAllTargetsWithMinPriority(int minPriority) {
    std::set<void*> paused;
    for (auto& tt : _timerTargets) {
        tt->paused = true;
        paused.insert(tt->target);
    }
    for (auto* list : {&_updatesNeg, &_updates0, &_updatesPos, &_pendingUpdates}) {
        for (auto& entry : *list) {
            if (!entry->removed && entry->priority >= minPriority) {
                entry->paused = true;
                paused.insert(entry->target);
            }
        }
    }
    return paused;
}

void Scheduler::resumeTargets(const std::set<void*>& targetsToResume) {
    for (void* target : targetsToResume) {
        resumeTarget(target);
    }
}

void Scheduler::performFunctionInCocosThread(std::function<void()> function) {
    std::lock_guard<std::mutex> lock(_performMutex);
    _functionsToPerform.push_back(std::move(function));
}

void Scheduler::removeAllFunctionsToBePerformedInCocosThread() {
    std::lock_guard<std::mutex> lock(_performMutex);
    _functionsToPerform.clear();
}

void Scheduler::update(float dt) {
    _updating = true;
    dt *= _timeScale;
    for (auto* list : {&_updatesNeg, &_updates0, &_updatesPos}) {
        flushPendingUpdates();
        runUpdates(*list, dt);
    }
    runTimers(dt);
    runQueuedFunctions();
    _updating = false;
    flushPendingUpdates();
    purgeRemoved();
}

void Scheduler::runUpdates(std::vector<std::unique_ptr<UpdateEntry>>& list, float dt) {
    // Nothing is inserted into `list` while it is walked (see schedulePerFrame), so indices are stable.
    for (size_t i = 0; i < list.size(); ++i) {
        UpdateEntry* entry = list[i].get();
        if (!entry->paused && !entry->removed) {
            entry->callback(dt);
        }
    }
}

void Scheduler::runTimers(float dt) {
    // Timers and targets added by a callback are appended, so they are reached (and armed) this tick.
    for (size_t i = 0; i < _timerTargets.size(); ++i) {
        TimerTarget* tt = _timerTargets[i].get();
        if (tt->paused) {
            continue;
        }
        for (size_t j = 0; j < tt->timers.size(); ++j) {
            Timer* timer = tt->timers[j].get();
            if (!timer->removed) {
                stepTimer(*timer, dt);
            }
        }
    }
}

// A callback that schedules its own key again resets the timer under our feet: the step then
// ends at once with the timer armed afresh, as a newly scheduled timer is on its first tick.
bool Scheduler::fire(Timer& timer, float dt) {
    const unsigned int generation = timer.generation;
    timer.timesExecuted += 1;
    timer.callback(dt);
    if (timer.generation != generation) {
        timer.elapsed = 0.0f;
        return false;
    }
    return true;
}

void Scheduler::stepTimer(Timer& timer, float dt) {
    if (timer.elapsed == -1.0f) {
        timer.elapsed = 0.0f;
        timer.timesExecuted = 0;
        return;
    }
    timer.elapsed += dt;
    if (timer.useDelay) {
        if (timer.elapsed < timer.delay) {
            return;
        }
        if (!fire(timer, timer.delay)) {
            return;
        }
        timer.elapsed -= timer.delay;
        timer.useDelay = false;
        if (timer.isExhausted()) {
            timer.removed = true;
        }
        if (timer.removed) {
            return;
        }
    }
    // Interval 0 fires once per tick with the time since the last fire.
    float interval = timer.interval > 0.0f ? timer.interval : timer.elapsed;
    while (timer.elapsed >= interval && !timer.removed) {
        if (!fire(timer, interval)) {
            return;
        }
        timer.elapsed -= interval;
        if (timer.isExhausted()) {
            timer.removed = true;
            break;
        }
        if (timer.elapsed <= 0.0f) {
            break;
        }
    }
}

void Scheduler::runQueuedFunctions() {
    std::vector<std::function<void()>> functions;
    {
        std::lock_guard<std::mutex> lock(_performMutex);
        functions.swap(_functionsToPerform);
    }
    for (auto& function : functions) {
        function();
    }
}

void Scheduler::purgeRemoved() {
    if (_updating) {
        return;
    }
    for (auto& tt : _timerTargets) {
        eraseRemoved(tt->timers);
    }
    _timerTargets.erase(
        std::remove_if(_timerTargets.begin(), _timerTargets.end(),
                       [](const std::unique_ptr<TimerTarget>& tt) { return tt->timers.empty(); }),
        _timerTargets.end());
    eraseRemoved(_updatesNeg);
    eraseRemoved(_updates0);
    eraseRemoved(_updatesPos);
    eraseRemoved(_pendingUpdates);
}

NS_CC_END
