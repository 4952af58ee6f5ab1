#include "core/frame.h"
#include "core/scenes.h"
#include "core/coded_pictures.h"
#include "effects/fountain_effect.h"
#include "globals.h"

namespace {
constexpr int kDuvtx1 = 3;
constexpr int kDuvtx2 = 4;

class FountainScene : public SceneTest {
protected:
    FountainScene() : SceneTest(5, drawFountainScene) {}
    void prepare() override { useTitleWidth(300); }

    // Titles 100 high, coded so that each frame tells where they landed.
    void useTitleWidth(int width)
    {
        SDL_FreeSurface(demo->pictures.duvtx1);
        SDL_FreeSurface(demo->pictures.duvtx2);
        demo->pictures.duvtx1 = makeCodedPicture(width, 100, kDuvtx1);
        demo->pictures.duvtx2 = makeCodedPicture(width, 100, kDuvtx2);
    }
    // The title's y, or none while it is wholly above the display.
    std::optional<int> titleY(int id)
    {
        const std::vector<int> tops = copiesInColumn(demo->screen, id, 320);
        EXPECT_LE(tops.size(), 1u);
        if (tops.empty()) return std::nullopt;
        return tops[0];
    }
};
}  // namespace

TEST_F(FountainScene, TheFirstTitleSlidesDownToItsOwnHeight)
{
    for (uint32_t t : {88600u, 89000u}) {
        drawAt(t);
        EXPECT_FALSE(titleY(kDuvtx1)) << "t = " << t;
    }
    drawAt(89500);  // -100 - trunc(-31.25)
    EXPECT_EQ(titleY(kDuvtx1), -69);
    drawAt(90000);
    EXPECT_EQ(titleY(kDuvtx1), 0);
    drawAt(91000);
    EXPECT_EQ(titleY(kDuvtx1), 100);
    drawAt(91999);
    EXPECT_EQ(titleY(kDuvtx1), 100);
}

TEST_F(FountainScene, TheSecondTitleFollowsAndRestsOnRow199)
{
    for (uint32_t t : {88600u, 92000u}) {
        drawAt(t);
        EXPECT_FALSE(titleY(kDuvtx2)) << "t = " << t;
    }
    drawAt(93500);
    EXPECT_EQ(titleY(kDuvtx2), 0);
    drawAt(95000);
    EXPECT_EQ(titleY(kDuvtx2), 100);
    drawAt(106999);
    EXPECT_EQ(titleY(kDuvtx2), 100);
    const auto bottom = decodePixel(pixelAt(demo->screen, 320, 199));
    ASSERT_TRUE(bottom);
    EXPECT_EQ(bottom->row, 99);
    EXPECT_EQ(pixelAt(demo->screen, 320, 200), 0u);
}

TEST_F(FountainScene, TitlesAreCentredWithDivisionTowardZero)
{
    const struct {
        int width, x;
    } cases[] = {{300, 170}, {301, 169}, {641, 0}};
    for (const auto& c : cases) {
        useTitleWidth(c.width);
        drawAt(93500);  // duvtx1 on rows 100 to 199, duvtx2 on rows 0 to 99
        EXPECT_EQ(firstColumnOnRow(demo->screen, kDuvtx1, 150), c.x) << "width " << c.width;
        EXPECT_EQ(firstColumnOnRow(demo->screen, kDuvtx2, 50), c.x) << "width " << c.width;
    }
}

TEST_F(FountainScene, ParticlesLieOnBlackUnderTheTitles)
{
    Particles& particles = demo->effects.fountain->particles;
    for (int i = 0; i < kParticleCount; ++i) particles.x[i] = particles.y[i] = -1000;
    particles.x[0] = 500;
    particles.y[0] = 300;
    particles.x[1] = 200;  // under duvtx1
    particles.y[1] = 150;
    runState.fountainPreviousTime = 93500;  // a frame that moves nothing
    SDL_FillRect(demo->screen, nullptr, 0x123456);

    drawAt(93500);
    EXPECT_EQ(pixelAt(demo->screen, 510, 310), testColour::kFlare);
    EXPECT_EQ(pixelAt(demo->screen, 600, 450), 0u);
    const auto covered = decodePixel(pixelAt(demo->screen, 210, 160));
    ASSERT_TRUE(covered);
    EXPECT_EQ(covered->id, kDuvtx1);
}

TEST_F(FountainScene, HandsOverToTheEndStateAt107000WithoutDrawing)
{
    demo->demoTime = 106999;
    runSceneSwitch(*demo);
    EXPECT_EQ(demo->sceneIndex, 5);

    SDL_FillRect(demo->screen, nullptr, 0x123456);
    demo->demoTime = 107000;
    runSceneSwitch(*demo);
    EXPECT_EQ(demo->sceneIndex, kEndState);
    for (int y = 0; y < 480; y += 5)
        for (int x = 0; x < 640; x += 5) ASSERT_EQ(pixelAt(demo->screen, x, y), 0x123456u);
}
