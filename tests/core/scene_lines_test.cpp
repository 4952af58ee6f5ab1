#include "core/frame.h"
#include "core/scenes.h"
#include "core/coded_pictures.h"
#include "effects/lines_effect.h"

#include <algorithm>
#include <cstdlib>
#include <unordered_map>

namespace {
constexpr int kMosk = 1;
constexpr int kTrenbix = 2;

class LinesScene : public SceneTest {
protected:
    LinesScene() : SceneTest(4, drawLinesScene) {}
    void prepare() override { usePictureWidth(150); }
    void TearDown() override
    {
        demo->screen = testScreen();
        if (tallScreen) SDL_FreeSurface(tallScreen);
        tallScreen = nullptr;
        SceneTest::TearDown();
    }

    // Row pictures 50 high, coded so that each frame tells where they landed.
    void usePictureWidth(int width)
    {
        SDL_FreeSurface(demo->pictures.mosk);
        SDL_FreeSurface(demo->pictures.trenbix);
        demo->pictures.mosk = makeCodedPicture(width, 50, kMosk);
        demo->pictures.trenbix = makeCodedPicture(width, 50, kTrenbix);
    }
    // Tall enough to show every row below the display's bottom edge too.
    void useTallScreen()
    {
        tallScreen = makePicture(640, 1700, 0);
        demo->screen = tallScreen;
    }
    uint32_t commonestColour()
    {
        std::unordered_map<uint32_t, int> counts;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) ++counts[pixelAt(demo->screen, x, y)];
        auto best = counts.begin();
        for (auto it = counts.begin(); it != counts.end(); ++it)
            if (it->second > best->second) best = it;
        return best->first;
    }
    float amplitude() { return demo->effects.lines->currentAmplitude(); }

    SDL_Surface* tallScreen = nullptr;
};
}  // namespace

TEST_F(LinesScene, TheBackgroundFadesFromWhiteToBlack)
{
    const struct {
        uint32_t t, grey;
    } cases[] = {{74200, 0xffffff}, {75000, 0xcccccc}, {75600, 0x7f7f7f}, {77000, 0}, {88599, 0}};
    for (const auto& c : cases) {
        drawAt(c.t);
        EXPECT_EQ(commonestColour(), c.grey) << "t = " << c.t;
    }
}

TEST_F(LinesScene, TheFigureCollapsesIntoTheCentreAtTheEnd)
{
    drawAt(74200);
    EXPECT_EQ(amplitude(), 1.0f);
    drawAt(86600);
    EXPECT_EQ(amplitude(), 1.0f);
    drawAt(87600);
    EXPECT_NEAR(amplitude(), 0.5019, 1e-4);
    drawAt(88599);
    EXPECT_NEAR(amplitude(), 0.0000268, 1e-6);
    EXPECT_GT(amplitude(), 0.0f);

    // Only the centre shows lines now; the pictures are down to column 0.
    for (int y = 1; y < 480; ++y)
        for (int x = 1; x < 640; ++x)
            if (std::abs(x - 320) > 1 || std::abs(y - 240) > 1) {
                ASSERT_EQ(pixelAt(demo->screen, x, y), 0u) << x << "," << y;
            }
    EXPECT_NE(pixelAt(demo->screen, 320, 240), 0u);
}

TEST_F(LinesScene, TheFigureLiesOverTheFillAndUnderThePictures)
{
    drawAt(80000);
    int linePixels = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 200; x < 640; ++x) linePixels += pixelAt(demo->screen, x, y) != 0;
    EXPECT_GT(linePixels, 1000);

    const std::vector<int> tops = copiesInColumn(demo->screen, kMosk, 100);
    ASSERT_FALSE(tops.empty());
    for (int y = std::max(tops[0], 0); y < tops[0] + 50; ++y)
        for (int x = 40; x < 190; ++x) {
            const auto pixel = decodePixel(pixelAt(demo->screen, x, y));
            ASSERT_TRUE(pixel && pixel->id == kMosk) << x << "," << y;
        }
}

TEST_F(LinesScene, RowsRiseAtJustOverFiftyPixelsPerSecond)
{
    useTallScreen();
    // Exact arithmetic would give one more for every positive y below 480.
    const struct {
        uint32_t t;
        int mosk, trenbix;
    } rowZero[] = {{74200, 480, 540}, {74220, 478, 538}, {74240, 477, 537}, {83760, 1, 61},
                   {83780, 0, 60},    {83800, 0, 59},    {83820, -1, 58}};
    for (const auto& c : rowZero) {
        drawAt(c.t);
        const std::vector<int> mosk = copiesInColumn(demo->screen, kMosk, 100);
        const std::vector<int> trenbix = copiesInColumn(demo->screen, kTrenbix, 100);
        ASSERT_FALSE(mosk.empty());
        ASSERT_FALSE(trenbix.empty());
        EXPECT_EQ(mosk[0], c.mosk) << "t = " << c.t;
        EXPECT_EQ(trenbix[0], c.trenbix) << "t = " << c.t;
    }

    drawAt(74200);
    const std::vector<int> start = copiesInColumn(demo->screen, kMosk, 100);
    ASSERT_EQ(start.size(), 10u);
    EXPECT_EQ(start[9], 1560);

    // At the last frame rows 0 and 1 (mosk -239, trenbix -179) are out of
    // view; the others stand at whole steps from them, the x slide has left
    // one column.
    drawAt(88599);
    const std::vector<int> mosk = copiesInColumn(demo->screen, kMosk, 0);
    const std::vector<int> trenbix = copiesInColumn(demo->screen, kTrenbix, 0);
    ASSERT_EQ(mosk.size(), 8u);
    EXPECT_EQ(mosk.front(), 0);  // from 0.05
    EXPECT_EQ(mosk.back(), 840);
    ASSERT_EQ(trenbix.size(), 8u);
    EXPECT_EQ(trenbix.front(), 60);
    EXPECT_EQ(trenbix.back(), 900);
}

TEST_F(LinesScene, RowsSlideOutToTheLeftInTheLastSecond)
{
    usePictureWidth(151);  // odd sums put the halfway product on .5
    drawAt(87600);
    const int moskRow = copiesInColumn(demo->screen, kMosk, 100).back() + 10;
    const int trenbixRow = copiesInColumn(demo->screen, kTrenbix, 100).back() + 10;
    EXPECT_EQ(firstColumnOnRow(demo->screen, kMosk, moskRow), 40);
    EXPECT_EQ(firstColumnOnRow(demo->screen, kTrenbix, trenbixRow), 20);

    drawAt(88100);  // x = 40 - trunc(95.5) and 20 - trunc(85.5)
    const int moskMid = copiesInColumn(demo->screen, kMosk, 0).back() + 10;
    const int trenbixMid = copiesInColumn(demo->screen, kTrenbix, 0).back() + 10;
    EXPECT_EQ(lastColumnOnRow(demo->screen, kMosk, moskMid), -55 + 150);
    EXPECT_EQ(lastColumnOnRow(demo->screen, kTrenbix, trenbixMid), -65 + 150);

    drawAt(88599);  // 1 - w: one column short of gone
    const int moskEnd = copiesInColumn(demo->screen, kMosk, 0).back() + 10;
    const int trenbixEnd = copiesInColumn(demo->screen, kTrenbix, 0).back() + 10;
    EXPECT_EQ(lastColumnOnRow(demo->screen, kMosk, moskEnd), 0);
    EXPECT_EQ(lastColumnOnRow(demo->screen, kTrenbix, trenbixEnd), 0);
}

TEST_F(LinesScene, HandsOverAt88600WithoutDrawing)
{
    demo->demoTime = 88599;
    runSceneSwitch(*demo);
    EXPECT_EQ(demo->sceneIndex, 4);

    SDL_FillRect(demo->screen, nullptr, 0x123456);
    demo->demoTime = 88600;
    runSceneSwitch(*demo);
    EXPECT_EQ(demo->sceneIndex, 5);
    for (int y = 0; y < 480; y += 5)
        for (int x = 0; x < 640; x += 5) ASSERT_EQ(pixelAt(demo->screen, x, y), 0x123456u);
}
