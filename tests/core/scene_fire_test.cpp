#include "core/frame_loop.h"
#include "core/scenes.h"
#include "support/test_support.h"

using namespace testColour;

namespace {
class FireScene : public SceneTest {
protected:
    FireScene() : SceneTest(1, drawFireScene) {}  // crossing pictures 400 x 60
};
}  // namespace

TEST_F(FireScene, PicturesCrossInOppositeDirections)
{
    drawFreshAt(17000);  // both wait beyond the edges
    for (int x = 0; x < 640; x += 7) {
        EXPECT_NE(at(x, 160), kFtx1);
        EXPECT_NE(at(x, 240), kFtx2);
    }

    drawFreshAt(23750);  // ftx1 halfway across: left edge at 0
    EXPECT_EQ(at(0, 160), kFtx1);
    EXPECT_EQ(at(399, 219), kFtx1);
    EXPECT_NE(at(400, 160), kFtx1);
    EXPECT_NE(at(0, 159), kFtx1);
    EXPECT_NE(at(0, 220), kFtx1);
    EXPECT_NE(at(0, 240), kFtx2);  // still at x = -484

    drawFreshAt(26000);  // ftx2 halfway across; ftx1 at x = -330
    EXPECT_EQ(at(0, 240), kFtx2);
    EXPECT_EQ(at(399, 299), kFtx2);
    EXPECT_NE(at(400, 240), kFtx2);
    EXPECT_NE(at(0, 300), kFtx2);
    EXPECT_EQ(at(69, 160), kFtx1);
    EXPECT_NE(at(70, 160), kFtx1);
}

TEST_F(FireScene, EachCueEventFiresOnTheFirstDrawnFrameAtItsThreshold)
{
    expectFiresAtThreshold(E1);
    EXPECT_TRUE(pending(E2));
    expectFiresAtThreshold(E2);
    EXPECT_EQ(demo->sceneIndex, 1);
}

TEST_F(FireScene, OneFramePastBothThresholdsFiresBoth)
{
    frameAt(17000);
    EXPECT_TRUE(pending(E1));
    frameAt(25600);
    EXPECT_FALSE(pending(E1));
    EXPECT_FALSE(pending(E2));
}

TEST_F(FireScene, AStallPastTheSceneEndNeverFiresItsEvent)
{
    frameAt(17600);
    EXPECT_FALSE(pending(E1));
    frameAt(31500);  // the switch moves on without drawing
    EXPECT_EQ(demo->sceneIndex, 2);
    for (uint32_t t : {31600u, 32000u, 36000u}) frameAt(t);
    EXPECT_TRUE(pending(E2));
}
