#include "core/frame_loop.h"
#include "globals.h"
#include "random.h"
#include "support/test_support.h"

#include <set>
#include <vector>

namespace {
// Frames across the fire, noise and warp scenes, from a seeded nextRandom(); the
// checksum of each frame.
std::vector<uint64_t> seededRun(unsigned seed)
{
    runState = RunState{};
    seedRandom(seed);
    Demo* demo = makeTestDemo();
    demo->sceneIndex = 1;
    std::vector<uint64_t> frames;
    for (uint32_t t : {17100u, 17200u, 23750u, 31500u, 31600u, 36500u, 40000u, 45600u, 50000u, 56000u, 69500u}) {
        demo->demoTime = t;
        drawFrame(*demo);
        frames.push_back(checksum(demo->screen));
    }
    freeTestDemo(demo);
    runState = RunState{};
    return frames;
}
}  // namespace

TEST(EffectScenes, ASeededRunDrawsTheSamePixelsEveryTime)
{
    const auto first = seededRun(31337);
    EXPECT_EQ(seededRun(31337), first);
    EXPECT_GT(std::set<uint64_t>(first.begin(), first.end()).size(), 8u) << "the frames should differ";
}
