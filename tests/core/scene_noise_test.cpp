#include "core/frame_loop.h"
#include "core/scenes.h"
#include "effects/noise_effect.h"
#include "globals.h"
#include "random.h"
#include "support/test_support.h"

#include <vector>

using namespace testColour;

namespace {
// Each demo starts the noise field afresh, as a new process would.
class NoiseScene : public SceneTest {
protected:
    NoiseScene() : SceneTest(2, drawNoiseScene) {}  // rulltx 300 x 700
    void prepare() override { runState = RunState{}; }
};
}  // namespace

TEST_F(NoiseScene, RulltxRisesFromBelowTheDisplay)
{
    drawFreshAt(34000);
    for (int y = 0; y < 480; ++y) ASSERT_NE(at(213, y), kRulltx);

    drawFreshAt(36500);
    EXPECT_EQ(at(213, 418), kRulltx);
    EXPECT_NE(at(213, 417), kRulltx);

    drawFreshAt(40000);
    EXPECT_EQ(at(213, 177), kRulltx);
    EXPECT_EQ(at(512, 479), kRulltx);
    EXPECT_NE(at(213, 176), kRulltx);
    EXPECT_NE(at(212, 177), kRulltx);
    EXPECT_NE(at(513, 177), kRulltx);
}

TEST_F(NoiseScene, TheFieldGetsDemoTimeInFortyMillisecondSteps)
{
    seedRandom(77);
    demo->demoTime = 40039;  // field time 1000; rulltx from row 173
    drawNoiseScene(*demo);

    NoiseBuffers buffers;
    int32_t cursor = 0;
    std::vector<uint32_t> expected(640 * 480);
    seedRandom(77);
    const auto table = makeNoiseTable();
    sizeNoiseBuffers(buffers, 640, 480);
    drawNoiseField({expected.data(), 640 * 4, 640, 480}, *table, cursor, buffers, 1000);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const bool underPicture = x >= 213 && x < 513 && y >= 173;
            if (!underPicture) {
                ASSERT_EQ(at(x, y), expected[y * 640 + x]) << x << "," << y;
            }
        }
}
