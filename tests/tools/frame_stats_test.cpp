// solvane-shot --frame-stats: the line benchmarks read, and the frames that entered a scene left
// out of the "after a scene's first frame" figures.
#include <gtest/gtest.h>

#include "FrameStats.h"

TEST(FrameStatsTest, TheLineOverEveryFrameAndTheOneWithoutScenesFirstFrames) {
    FrameStats stats;
    EXPECT_EQ(stats.summary(), "frames: 0 mean 0.00 ms p99 0.00 ms max 0.00 ms");
    stats.add(120.0, true); // a scene's first frame loads its pictures
    for (int i = 0; i < 198; ++i) {
        stats.add(2.0);
    }
    stats.add(17.5); // a hitch inside the scene
    stats.add(3.0);
    // 201 frames: the nearest-rank 99th percentile is the 199th smallest, the third slowest.
    EXPECT_EQ(stats.summary(), "frames: 201 mean 2.67 ms p99 3.00 ms max 120.00 ms");
    EXPECT_EQ(stats.settledSummary(), "frames after a scene's first: 200 max 17.50 ms over 16 ms 1");
}
