#include "core/frame_loop.h"
#include "core/scenes.h"
#include "core/startup.h"
#include "effects/bump_warp_effect.h"
#include "random.h"
#include "support/test_support.h"

#include <vector>

using namespace testColour;

namespace {
// The test strip is grey, a colour the lit surface can take; this one it
// cannot.
constexpr uint32_t kStrip = 0x13579b;

class WarpScene : public SceneTest {
protected:
    WarpScene() : SceneTest(3, drawWarpScene) {}  // panels 200 x 300, strip 500 x 60
    void prepare() override
    {
        SDL_FreeSurface(demo->pictures.arsesmile);
        demo->pictures.arsesmile = makePicture(500, 60, kStrip);
    }
};
}  // namespace

TEST_F(WarpScene, PoldSlidesInFromTheLeftAndBackOut)
{
    for (uint32_t t : {50000u, 64000u}) {
        drawFreshAt(t);
        for (int x = 0; x < 200; x += 3) ASSERT_NE(at(x, 10), kPold) << t;
    }
    for (uint32_t t : {55000u, 56000u, 57000u}) {
        drawFreshAt(t);
        EXPECT_EQ(at(0, 0), kPold) << t;
        EXPECT_EQ(at(199, 299), kPold) << t;
        EXPECT_NE(at(200, 0), kPold) << t;
        EXPECT_NE(at(0, 300), kPold) << t;
    }
    drawFreshAt(54500);  // x = -5
    EXPECT_EQ(at(194, 0), kPold);
    EXPECT_NE(at(195, 0), kPold);
}

TEST_F(WarpScene, PoldtxStopsATwentiethOfItsWidthShortOfTheRightEdge)
{
    for (uint32_t t : {54500u, 56000u, 57999u, 58000u}) {
        drawFreshAt(t);
        EXPECT_EQ(at(431, 100), kPoldtx) << t;
        EXPECT_EQ(at(630, 399), kPoldtx) << t;
        EXPECT_NE(at(430, 100), kPoldtx) << t;
        EXPECT_NE(at(631, 100), kPoldtx) << t;
        EXPECT_NE(at(431, 99), kPoldtx) << t;
        EXPECT_NE(at(431, 400), kPoldtx) << t;
    }
    for (uint32_t t : {53000u, 63000u}) {
        drawFreshAt(t);
        for (int x = 431; x < 640; x += 3) ASSERT_NE(at(x, 200), kPoldtx) << t;
    }
}

TEST_F(WarpScene, ArsesmileCrossesAlongTheBottomEdge)
{
    for (uint32_t t : {65000u, 74000u}) {
        drawFreshAt(t);
        for (int x = 0; x < 640; x += 3) ASSERT_NE(at(x, 440), kStrip) << t;
    }
    drawFreshAt(69500);  // halfway: 640 - 1140 / 2
    EXPECT_EQ(at(70, 420), kStrip);
    EXPECT_EQ(at(569, 479), kStrip);
    EXPECT_NE(at(69, 420), kStrip);
    EXPECT_NE(at(570, 420), kStrip);
    EXPECT_NE(at(70, 419), kStrip);

    drawFreshAt(73000);
    EXPECT_EQ(at(39, 420), kStrip);
    EXPECT_NE(at(40, 420), kStrip);
}

TEST_F(WarpScene, TheSurfaceGetsDemoTimeUnchanged)
{
    // Replays the effect's starting field from the seed start-up gave it.
    demo->demoTime = 50000;  // no picture on the display yet
    drawWarpScene(*demo);

    seedRandom(StartOptions().seed);
    std::vector<uint8_t> start(640 * 480), warped(640 * 480);
    for (uint8_t& h : start) h = static_cast<uint8_t>(nextRandom() & 0x7f);
    warpHeightField(start.data(), warped.data(), 640, 480, buildSineTable(), warpPhase(50000));
    std::vector<uint32_t> expected(640 * 480, 0);
    lightHeightField({expected.data(), 640 * 4, 640, 480}, warped.data(), buildLightMap().data(), 50000);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) ASSERT_EQ(at(x, y), expected[y * 640 + x]) << x << "," << y;
}
