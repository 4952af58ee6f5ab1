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
