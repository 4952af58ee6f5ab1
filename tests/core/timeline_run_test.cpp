#include "core/frame_loop.h"
#include "globals.h"
#include "support/test_support.h"

#include <set>
#include <vector>

// The whole timeline on an accelerated clock (100 ms of ticks per frame):
// every scene draws and every cue event fires once, in timeline order, on the
// first frame at or past its threshold.
TEST(TimelineRun, EveryCueEventFiresOnceInOrderAndTheDemoEnds)
{
    Demo* demo = makeTestDemo();
    uint32_t frame = 0;
    uint32_t previousTime = 0;
    std::set<int> scenesDrawn;
    struct Firing {
        int event;
        uint32_t before, at;
    };
    std::vector<Firing> firings;
    bool wasPending[kCueEventCount];
    std::copy(std::begin(demo->cuePending), std::end(demo->cuePending), wasPending);

    Platform platform;
    platform.ticks = [&] { return frame * 100; };
    platform.quitPending = [&] {
        if (frame > 0) {
            scenesDrawn.insert(demo->sceneIndex);
            for (int e = 0; e < kCueEventCount; ++e) {
                if (wasPending[e] && !demo->cuePending[e]) firings.push_back({e, previousTime, demo->demoTime});
                wasPending[e] = demo->cuePending[e];
            }
            previousTime = demo->demoTime;
        }
        ++frame;
        return frame > 5000;
    };
    runFrameLoop(*demo, platform);

    EXPECT_EQ(quitRequested, 1);
    EXPECT_EQ(demo->sceneIndex, kEndState);
    EXPECT_EQ(scenesDrawn.size(), static_cast<size_t>(kSceneCount + 1));
    ASSERT_EQ(firings.size(), static_cast<size_t>(kCueEventCount));
    for (int i = 0; i < kCueEventCount; ++i) {
        EXPECT_EQ(firings[i].event, i);
        EXPECT_LT(firings[i].before, kCueEvents[i].threshold);
        EXPECT_GE(firings[i].at, kCueEvents[i].threshold);
    }
    freeTestDemo(demo);
}
