#include "core/frame_loop.h"
#include "core/scenes.h"
#include "effects/bump_warp_effect.h"
#include "support/test_support.h"

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
    // Before any picture shows, the scene's frame is the surface that a
    // fresh demo's effect draws for demoTime itself, and not for a time
    // 16 ms away.
    drawFreshAt(50000);
    const uint64_t scene = checksum(demo->screen);
    // The surface grows from start-up's seed and order of draws (recorded once).
    EXPECT_EQ(scene, 420231213296355317u);
    const auto effectAloneAt = [this](int32_t t) {
        TearDown();
        SetUp();
        demo->effects.bumpWarp->render(demo->screen, t);
        return checksum(demo->screen);
    };
    EXPECT_EQ(effectAloneAt(50000), scene);
    EXPECT_NE(effectAloneAt(50016), scene);
    EXPECT_NE(effectAloneAt(49984), scene);
}
