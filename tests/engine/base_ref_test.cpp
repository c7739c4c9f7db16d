// Reference counting, the frame pool, the retaining containers and the log line format.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "base/CCAutoreleasePool.h"
#include "base/CCConsole.h"
#include "base/CCMap.h"
#include "base/CCRef.h"
#include "base/CCVector.h"
#include "ext/Log.h"

USING_NS_CC;

namespace {

// Counts live instances so a test can see exactly when one is destroyed.
struct Tracked : public Ref {
    static int alive;
    Tracked() { ++alive; }
    ~Tracked() override { --alive; }
    static Tracked* create() { return static_cast<Tracked*>((new Tracked())->autorelease()); }
};
int Tracked::alive = 0;

void drainPool() {
    PoolManager::getInstance()->getCurrentPool()->clear();
}

} // namespace

TEST(BaseRef, AutoreleasedObjectsDieAtTheDrainUnlessRetained) {
    drainPool();
    Tracked::alive = 0;
    Tracked* kept = Tracked::create();
    Tracked::create();
    kept->retain();
    EXPECT_EQ(Tracked::alive, 2);
    drainPool();
    EXPECT_EQ(Tracked::alive, 1);
    EXPECT_EQ(kept->getReferenceCount(), 1u);
    kept->release();
    EXPECT_EQ(Tracked::alive, 0);
}

TEST(BaseRef, EachAutoreleaseIsOneDeferredRelease) {
    drainPool();
    Tracked::alive = 0;
    auto* twice = new Tracked();
    twice->retain();
    twice->autorelease();
    twice->autorelease();
    drainPool();
    EXPECT_EQ(Tracked::alive, 0);
}

TEST(BaseRef, ObjectsAutoreleasedDuringADrainWaitForTheNextOne) {
    drainPool();
    Tracked::alive = 0;
    struct Spawner : public Ref {
        ~Spawner() override { Tracked::create(); }
    };
    (new Spawner())->autorelease();
    drainPool();
    EXPECT_EQ(Tracked::alive, 1);
    drainPool();
    EXPECT_EQ(Tracked::alive, 0);
}

TEST(BaseRef, VectorAndMapRetainWhatTheyHold) {
    drainPool();
    Tracked::alive = 0;
    {
        Vector<Tracked*> list;
        Tracked* a = Tracked::create();
        Tracked* b = Tracked::create();
        list.pushBack(a);
        list.pushBack(b);
        list.insert(0, b);
        drainPool();
        EXPECT_EQ(Tracked::alive, 2);
        EXPECT_EQ(list.getIndex(b), 0);
        Vector<Tracked*> copy = list;
        list.eraseObject(b, true);
        EXPECT_EQ(list.size(), 1);
        EXPECT_EQ(b->getReferenceCount(), 2u); // held twice by the copy
        copy.clear();
        EXPECT_EQ(Tracked::alive, 1);
        list.replace(0, Tracked::create());
        drainPool();
        EXPECT_EQ(Tracked::alive, 1);

        Map<std::string, Tracked*> byName;
        byName.insert("x", list.at(0));
        byName.insert("x", list.at(0)); // replacing with itself must not free it
        list.clear();
        EXPECT_EQ(Tracked::alive, 1);
        EXPECT_NE(byName.at("x"), nullptr);
        EXPECT_EQ(byName.at("y"), nullptr);

        // A failed create() handed to a container is refused, not a crash later.
        Tracked* failed = nullptr;
        list.pushBack(failed);
        list.insert(0, failed);
        byName.insert("z", failed);
        EXPECT_TRUE(list.empty());
        EXPECT_EQ(byName.size(), 1);
    }
    EXPECT_EQ(Tracked::alive, 0);
}

TEST(BaseLog, FormatsOneLineWithoutALengthLimit) {
    std::vector<std::string> lines;
    ext::setLogSink([&lines](const std::string& line) { lines.push_back(line); });
    log("getRand: %d", 7);
    std::string longText(40000, 'x');
    log("%s!", longText.c_str());
    ext::setLogSink({});
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], "getRand: 7");
    EXPECT_EQ(lines[1].size(), 40001u);
    EXPECT_EQ(lines[1].back(), '!');
}
