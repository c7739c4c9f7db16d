#pragma once

#include <functional>
#include <memory>
#include <mutex>
#include <set>
#include <string>
#include <vector>

#include "base/CCRef.h"
#include "base/ccMacros.h"

NS_CC_BEGIN

typedef std::function<void(float)> ccSchedulerFunc;

// Runs per-frame update callbacks and keyed timers. Targets are identities only: they are never
// retained, so an owner must unschedule before it dies (Node does in cleanup / its destructor).
//
// update(dt) runs, in order: update callbacks with priority < 0 (the ActionManager sits at
// PRIORITY_SYSTEM), == 0, > 0, then the timers, then functions queued from other threads.
// Anything may be scheduled or unscheduled from inside a callback, including the running one.
class Scheduler : public Ref {
public:
    static const int PRIORITY_SYSTEM;
    static const int PRIORITY_NON_SYSTEM_MIN;

    Scheduler();
    virtual ~Scheduler();

    float getTimeScale() const { return _timeScale; }
    void setTimeScale(float timeScale) { _timeScale = timeScale; }

    void update(float dt);

    // A timer: the first tick after scheduling only arms it; after `delay` (if > 0) it fires once with
    // the delay, then every `interval` seconds with the interval (every tick with the elapsed time when
    // the interval is 0), repeat + 1 times in all unless repeat is CC_REPEAT_FOREVER. Scheduling an
    // existing (target, key) keeps its callback and starts its timing afresh with the new interval,
    // repeat and delay; only a timer that has fired for the last time is replaced by the new callback.
    void schedule(const ccSchedulerFunc& callback, void* target, float interval, unsigned int repeat,
                  float delay, bool paused, const std::string& key);
    void schedule(const ccSchedulerFunc& callback, void* target, float interval, bool paused,
                  const std::string& key);
    void schedule(SEL_SCHEDULE selector, Ref* target, float interval, unsigned int repeat, float delay,
                  bool paused);
    void schedule(SEL_SCHEDULE selector, Ref* target, float interval, bool paused);

    // target->update(dt) every tick, ordered by priority (equal priorities keep scheduling order).
    template <class T> void scheduleUpdate(T* target, int priority, bool paused) {
        schedulePerFrame([target](float dt) { target->update(dt); }, target, priority, paused);
    }
    void schedulePerFrame(const ccSchedulerFunc& callback, void* target, int priority, bool paused);

    void unschedule(const std::string& key, void* target);
    void unschedule(SEL_SCHEDULE selector, Ref* target);
    void unscheduleUpdate(void* target);
    void unscheduleAllForTarget(void* target);
    void unscheduleAll();
    void unscheduleAllWithMinPriority(int minPriority);

    bool isScheduled(const std::string& key, const void* target) const;
    bool isScheduled(SEL_SCHEDULE selector, const Ref* target) const;

    void pauseTarget(void* target);
    void resumeTarget(void* target);
    bool isTargetPaused(void* target);
    std::set<void*> pauseAllTargets();
    std::set<void*> pauseAllTargetsWithMinPriority(int minPriority);
    void resumeTargets(const std::set<void*>& targetsToResume);

    // Queues a function to run at the end of the next update (callable from any thread).
    void performFunctionInCocosThread(std::function<void()> function);
    void removeAllFunctionsToBePerformedInCocosThread();

private:
    struct Timer;
    struct TimerTarget;
    struct UpdateEntry;

    TimerTarget* findTimerTarget(const void* target) const;
    Timer* findTimer(const std::string& key, const void* target) const;
    UpdateEntry* findUpdate(const void* target) const;
    std::vector<std::unique_ptr<UpdateEntry>>& updateListFor(int priority);
    void insertUpdate(std::unique_ptr<UpdateEntry> entry);
    void flushPendingUpdates();
    void runUpdates(std::vector<std::unique_ptr<UpdateEntry>>& list, float dt);
    void runTimers(float dt);
    void stepTimer(Timer& timer, float dt);
    // Runs the callback once; false when the callback rescheduled the timer's own key.
    bool fire(Timer& timer, float dt);
    void runQueuedFunctions();
    void purgeRemoved();

    float _timeScale = 1.0f;
    bool _updating = false;
    std::vector<std::unique_ptr<UpdateEntry>> _updatesNeg;
    std::vector<std::unique_ptr<UpdateEntry>> _updates0;
    std::vector<std::unique_ptr<UpdateEntry>> _updatesPos;
    // Update entries scheduled during a tick; merged before the next priority band is walked.
    std::vector<std::unique_ptr<UpdateEntry>> _pendingUpdates;
    std::vector<std::unique_ptr<TimerTarget>> _timerTargets;
    std::vector<std::function<void()>> _functionsToPerform;
    std::mutex _performMutex;
};

NS_CC_END
