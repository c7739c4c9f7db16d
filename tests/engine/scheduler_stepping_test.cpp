// Scheduler stepping on a standalone Scheduler: arming, delays, intervals, repeat counts, priorities,
// pausing and changes made from inside callbacks.

#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "base/CCScheduler.h"

USING_NS_CC;

namespace {

class SchedulerStepping : public ::testing::Test {
protected:
    Scheduler* scheduler = new Scheduler();
    int targetA = 0; // only the addresses matter
    int targetB = 0;
    std::vector<float> fires;

    ~SchedulerStepping() override { scheduler->release(); }

    ccSchedulerFunc recorder() {
        return [this](float dt) { fires.push_back(dt); };
    }
};

// Update targets record their name into a shared journal.
struct Updater {
    std::string name;
    std::vector<std::string>* journal;
    void update(float) { journal->push_back(name); }
};

} // namespace

TEST_F(SchedulerStepping, TheFirstTickOnlyArmsATimer) {
    scheduler->schedule(recorder(), &targetA, 0.0f, false, "every");
    scheduler->update(0.1f);
    EXPECT_TRUE(fires.empty());
    scheduler->update(0.2f);
    scheduler->update(0.3f);
    // Interval 0: once per tick, with the time since the last fire.
    ASSERT_EQ(fires.size(), 2u);
    EXPECT_FLOAT_EQ(fires[0], 0.2f);
    EXPECT_FLOAT_EQ(fires[1], 0.3f);
}

TEST_F(SchedulerStepping, AnIntervalFiresAsOftenAsTheTickAllowsWithTheIntervalValue) {
    scheduler->schedule(recorder(), &targetA, 0.5f, false, "half");
    scheduler->update(5.0f); // arming; this dt is ignored
    scheduler->update(0.25f);
    EXPECT_TRUE(fires.empty());
    scheduler->update(0.25f);
    EXPECT_EQ(fires, std::vector<float>{0.5f});
    scheduler->update(1.6f); // a long frame: three fires, 0.1 carried over
    EXPECT_EQ(fires.size(), 4u);
    scheduler->update(0.4f);
    EXPECT_EQ(fires.size(), 5u);
    for (float v : fires) {
        EXPECT_FLOAT_EQ(v, 0.5f);
    }
}

TEST_F(SchedulerStepping, DelayFiresOnceWithTheDelayThenRepeatCountsAllFires) {
    scheduler->schedule(recorder(), &targetA, 1.0f, 2, 0.5f, false, "delayed");
    scheduler->update(0.0f);
    scheduler->update(0.4f);
    EXPECT_TRUE(fires.empty());
    scheduler->update(0.1f);
    EXPECT_EQ(fires, std::vector<float>{0.5f});
    scheduler->update(1.0f);
    scheduler->update(1.0f);
    EXPECT_EQ(fires, (std::vector<float>{0.5f, 1.0f, 1.0f})); // repeat 2 = three fires in all
    EXPECT_FALSE(scheduler->isScheduled("delayed", &targetA));
    scheduler->update(5.0f);
    EXPECT_EQ(fires.size(), 3u);
}

TEST_F(SchedulerStepping, RepeatForeverNeverRunsOut) {
    scheduler->schedule(recorder(), &targetA, 0.0f, CC_REPEAT_FOREVER, 0.0f, false, "forever");
    for (int i = 0; i < 201; ++i) {
        scheduler->update(0.01f);
    }
    EXPECT_EQ(fires.size(), 200u);
    EXPECT_TRUE(scheduler->isScheduled("forever", &targetA));
}

// Game code reschedules a key to change its timing; the callback it first gave stays.
TEST_F(SchedulerStepping, SchedulingALiveKeyAgainKeepsItsCallbackAndOnlyResetsTheTiming) {
    std::vector<std::string> calls;
    scheduler->schedule([&](float dt) { calls.push_back("old@" + std::to_string(dt)); }, &targetA, 1.0f,
                        false, "k");
    scheduler->update(0.0f);
    scheduler->update(0.9f);
    scheduler->schedule([&](float) { calls.push_back("new"); }, &targetA, 0.5f, 1, 0.0f, false, "k");
    scheduler->update(0.9f); // re-armed: ignored
    scheduler->update(0.4f);
    EXPECT_TRUE(calls.empty());
    scheduler->update(0.1f);
    scheduler->update(0.5f);
    scheduler->update(0.5f); // the new repeat count: two fires in all
    EXPECT_EQ(calls, (std::vector<std::string>{"old@0.500000", "old@0.500000"}));
    EXPECT_FALSE(scheduler->isScheduled("k", &targetA));

    // Once a timer has fired for the last time, its key takes the new callback.
    calls.clear();
    scheduler->schedule(
        [&](float) {
            calls.push_back("once");
            scheduler->schedule([&](float) { calls.push_back("next"); }, &targetA, 1.0f, 0, 0.0f, false, "k");
        },
        &targetA, 1.0f, 0, 0.0f, false, "k");
    scheduler->update(0.0f);
    scheduler->update(1.0f);
    scheduler->update(1.0f);
    EXPECT_EQ(calls, (std::vector<std::string>{"once", "next"}));
}

TEST_F(SchedulerStepping, ATimerCanUnscheduleItselfAndOthersFromItsCallback) {
    int own = 0;
    int other = 0;
    scheduler->schedule(
        [&](float) {
            ++own;
            scheduler->unschedule("self", &targetA);
            scheduler->unschedule("other", &targetA);
        },
        &targetA, 0.1f, false, "self");
    scheduler->schedule([&](float) { ++other; }, &targetA, 0.1f, false, "other");
    scheduler->update(0.0f);
    scheduler->update(1.0f); // would fire ten times
    scheduler->update(1.0f);
    EXPECT_EQ(own, 1);
    EXPECT_EQ(other, 0);
    EXPECT_FALSE(scheduler->isScheduled("self", &targetA));
}

TEST_F(SchedulerStepping, ATimerRescheduledFromItsOwnCallbackIsRearmed) {
    int count = 0;
    ccSchedulerFunc again;
    again = [&](float) {
        ++count;
        scheduler->schedule(again, &targetA, 1.0f, false, "again");
    };
    scheduler->schedule(again, &targetA, 1.0f, false, "again");
    scheduler->update(0.0f);
    scheduler->update(3.5f); // fires once, then the fresh timer is armed in the same tick
    EXPECT_EQ(count, 1);
    scheduler->update(1.0f);
    EXPECT_EQ(count, 2);
}

TEST_F(SchedulerStepping, UpdatesRunByPriorityBeforeTimers) {
    std::vector<std::string> journal;
    Updater system{"system", &journal}, low{"-1", &journal}, zero{"0", &journal}, zero2{"0b", &journal},
        high{"+1", &journal};
    scheduler->scheduleUpdate(&high, 1, false);
    scheduler->scheduleUpdate(&zero, 0, false);
    scheduler->scheduleUpdate(&low, -1, false);
    scheduler->scheduleUpdate(&zero2, 0, false);
    scheduler->scheduleUpdate(&system, Scheduler::PRIORITY_SYSTEM, false);
    scheduler->schedule([&](float) { journal.push_back("timer"); }, &targetA, 0.0f, false, "t");
    scheduler->update(0.0f);
    journal.clear();
    scheduler->update(0.016f);
    EXPECT_EQ(journal, (std::vector<std::string>{"system", "-1", "0", "0b", "+1", "timer"}));
}

TEST_F(SchedulerStepping, PauseResumeAndUnscheduleAllForTarget) {
    std::vector<std::string> journal;
    Updater a{"a", &journal};
    scheduler->scheduleUpdate(&a, 0, false);
    scheduler->schedule([&](float) { journal.push_back("timerA"); }, &a, 0.0f, false, "t");
    scheduler->schedule([&](float) { journal.push_back("timerB"); }, &targetB, 0.0f, false, "t");
    scheduler->update(0.0f);
    journal.clear();

    scheduler->pauseTarget(&a);
    scheduler->update(0.1f);
    EXPECT_EQ(journal, std::vector<std::string>{"timerB"});
    scheduler->resumeTarget(&a);
    journal.clear();
    scheduler->update(0.1f);
    EXPECT_EQ(journal, (std::vector<std::string>{"a", "timerA", "timerB"}));

    scheduler->unscheduleAllForTarget(&a);
    journal.clear();
    scheduler->update(0.1f);
    EXPECT_EQ(journal, std::vector<std::string>{"timerB"});
}

TEST_F(SchedulerStepping, ATargetsFirstTimerFixesWhetherItStartsPaused) {
    scheduler->schedule(recorder(), &targetA, 0.0f, true, "paused");
    scheduler->update(0.0f);
    scheduler->update(0.1f);
    EXPECT_TRUE(fires.empty());
    scheduler->resumeTarget(&targetA);
    scheduler->update(0.1f); // arming tick
    scheduler->update(0.1f);
    EXPECT_EQ(fires.size(), 1u);
}

TEST_F(SchedulerStepping, CallbacksMayScheduleAndRemoveUpdatesWhileTheTickRuns) {
    std::vector<std::string> journal;
    Updater late{"late", &journal};
    Updater victim{"victim", &journal};
    struct Spawner {
        Scheduler* scheduler;
        Updater* late;
        Updater* victim;
        std::vector<std::string>* journal;
        void update(float) {
            journal->push_back("spawner");
            scheduler->scheduleUpdate(late, 0, false);
            scheduler->unscheduleUpdate(victim);
        }
    } spawner{scheduler, &late, &victim, &journal};
    scheduler->scheduleUpdate(&spawner, -5, false);
    scheduler->scheduleUpdate(&victim, 0, false);
    scheduler->update(0.1f);
    // Added from the negative band, it runs in this tick's zero band; the removed one does not run.
    EXPECT_EQ(journal, (std::vector<std::string>{"spawner", "late"}));
    scheduler->unscheduleAll();
    journal.clear();
    scheduler->update(0.1f);
    EXPECT_TRUE(journal.empty());
}

TEST_F(SchedulerStepping, BadRequestsAreRefused) {
    scheduler->schedule(recorder(), &targetA, 0.0f, false, "");
    scheduler->schedule(recorder(), nullptr, 0.0f, false, "k");
    scheduler->update(0.0f);
    scheduler->update(0.1f);
    EXPECT_TRUE(fires.empty());
    scheduler->unschedule("missing", &targetB); // nothing there: no effect
}

TEST_F(SchedulerStepping, TimeScaleStretchesEveryDtAndQueuedFunctionsRunAtTheEnd) {
    std::vector<std::string> journal;
    scheduler->schedule([&](float dt) { journal.push_back("timer " + std::to_string(dt)); }, &targetA, 0.0f,
                        false, "t");
    scheduler->update(0.0f);
    scheduler->setTimeScale(0.5f);
    std::thread worker(
        [this, &journal] { scheduler->performFunctionInCocosThread([&] { journal.push_back("queued"); }); });
    worker.join();
    scheduler->update(0.5f);
    EXPECT_EQ(journal, (std::vector<std::string>{"timer 0.250000", "queued"}));
    scheduler->update(0.5f);
    EXPECT_EQ(journal.size(), 3u) << "a queued function runs once";
}
