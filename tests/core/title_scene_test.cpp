#include "core/scenes.h"
#include "support/test_support.h"

using namespace testColour;

namespace {
class TitleScene : public ::testing::Test {
protected:
    void TearDown() override { freeTestDemo(demo); }

    void drawAt(uint32_t t, const TestPictureSizes& sizes = {})
    {
        demo = makeTestDemo(sizes);
        demo->demoTime = t;
        drawTitleScene(*demo);
    }
    uint32_t at(int x, int y) { return pixelAt(demo->screen, x, y); }

    Demo* demo = nullptr;
};
}  // namespace

TEST_F(TitleScene, StartsAllBlack)
{
    drawAt(0);
    EXPECT_EQ(checksum(demo->screen), 0u);
}

TEST_F(TitleScene, LogoSlidesInFromTheRightAndRestsCentred)
{
    drawAt(1000);  // 640 - 106.5, truncated
    const int logoMiddle = (480 - 120) / 2 + 60;
    EXPECT_EQ(at(532, logoMiddle), 0u);
    EXPECT_EQ(at(533, logoMiddle), kLogo);
    TearDown();

    drawAt(2000);
    EXPECT_EQ(at(426, 180), 0u);
    EXPECT_EQ(at(427, 180), kLogo);
    EXPECT_EQ(at(627, 180), 0u);
    EXPECT_EQ(at(500, 179), 0u);
    EXPECT_EQ(at(500, 299), kLogo);
    EXPECT_EQ(at(500, 300), 0u);
}

TEST_F(TitleScene, ALogoTallerThanTheDisplayIsCentredWithTruncation)
{
    drawAt(3000, {.logoW = 200, .logoH = 483});
    SDL_FreeSurface(demo->pictures.zemblogo);
    demo->pictures.zemblogo = makeRowCodedPicture(200, 483);
    drawTitleScene(*demo);
    EXPECT_EQ(at(500, 0), 0x000200u);  // y = -1: display row 0 shows picture row 1
}

TEST_F(TitleScene, PicturesRiseIntoTheirStaircase)
{
    drawAt(3500);  // halfway through tx1's window
    EXPECT_EQ(at(100, 239), 0u);
    EXPECT_EQ(at(100, 240), kTx1);
    EXPECT_EQ(at(99, 240), 0u);
    TearDown();

    drawAt(14000);
    EXPECT_EQ(at(100, 0), kTx1);
    EXPECT_EQ(at(100, 100), kTx2);
    EXPECT_EQ(at(100, 200), kTx3);
    EXPECT_EQ(at(100, 300), kTx4);
    EXPECT_EQ(at(100, 389), kTx4);
    EXPECT_EQ(at(100, 390), 0u);
    EXPECT_EQ(at(399, 300), kTx4);
    EXPECT_EQ(at(400, 300), 0u);
}

TEST_F(TitleScene, APictureWhoseWindowHasNotBegunIsClippedAway)
{
    drawAt(4999);
    for (uint32_t colour : {kTx2, kTx3, kTx4})
        for (int y = 0; y < 480; ++y) EXPECT_NE(at(150, y), colour);
}
