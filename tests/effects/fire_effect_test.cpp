#include "effects/fire_effect.h"
#include "effects/failing_locks.h"
#include "effects/pixel_buffer.h"
#include "globals.h"
#include "random.h"
#include "support/fixed_oracle.h"
#include "support/test_support.h"

#include <set>
#include <utility>
#include <vector>

namespace {
constexpr uint32_t kMask = 0xffa0cf;

uint32_t digestOf(PixelBuffer& buffer)
{
    Digest digest;
    digest.add(buffer.view());
    return digest.value();
}

uint32_t blur121(uint32_t l, uint32_t c, uint32_t r)
{
    auto q = [](uint32_t v) { return (v >> 2) & 0x3f3f3f3fu; };
    return q(l) + 2 * q(c) + q(r);
}
}  // namespace

TEST(FireKernel, AnEvenAreaLosesTheLowBitsOfEachByteWhileItsEdgeColumnsStay)
{
    PixelBuffer buffer(16, 30, 0x81818181);
    drawFire(buffer.view(), kMask);
    for (int y = 0; y <= 30 - 12; ++y) {
        EXPECT_EQ(buffer.at(0, y), 0x81818181u) << y;
        EXPECT_EQ(buffer.at(15, y), 0x81818181u) << y;
        for (int x = 1; x < 15; ++x) ASSERT_EQ(buffer.at(x, y), 0x80808080u) << x << "," << y;
    }
    EXPECT_TRUE(buffer.paddingIntact());
}

TEST(FireKernel, SeedsTheBottomTenRowsAndBlursThemOneRowUp)
{
    const int w = 12, h = 24;
    PixelBuffer buffer(w, h, 0x00123456);
    seedRandom(99);
    drawFire(buffer.view(), kMask);
    // The whole area, and where the demo's sequence goes on from (both
    // recorded once): later frames depend on them bit for bit.
    EXPECT_EQ(digestOf(buffer), 0x9002d8cdu);
    EXPECT_EQ(runState.randomState, 125760371u);

    // The seeds keep to the mask; the bottom row keeps them all, the other
    // seeded rows their edge columns.
    std::set<uint32_t> seeds;
    for (int y = h - kFireSeedRows; y < h; ++y)
        for (int x : {0, w - 1}) seeds.insert(buffer.at(x, y));
    for (int x = 0; x < w; ++x) seeds.insert(buffer.at(x, h - 1));
    for (uint32_t seed : seeds) EXPECT_EQ(seed & ~kMask, 0u) << std::hex << seed;
    EXPECT_GT(seeds.size(), 20u);
    // The row above the bottom one is the blur of the bottom row's seeds.
    for (int x = 1; x < w - 1; ++x)
        EXPECT_EQ(buffer.at(x, h - 2), blur121(buffer.at(x - 1, h - 1), buffer.at(x, h - 1), buffer.at(x + 1, h - 1)))
            << x;
    // Above the seeds the old, even content fades to a multiple of 4.
    EXPECT_EQ(buffer.at(5, h - 12), 0x00103454u);
    EXPECT_EQ(buffer.at(0, h - 12), 0x00123456u);
    EXPECT_TRUE(buffer.paddingIntact());
}

TEST(FireKernel, BlackWithAZeroMaskStaysBlack)
{
    PixelBuffer buffer(20, 15, 0);
    drawFire(buffer.view(), 0);
    for (int y = 0; y < 15; ++y)
        for (int x = 0; x < 20; ++x) ASSERT_EQ(buffer.at(x, y), 0u);
}

TEST(FireKernel, AnAreaTwoPixelsWideOrLessOnlyChangesItsSeeds)
{
    // Recorded once: the areas after a frame from seed 5.
    for (auto [w, digest] : {std::pair{1, 0xc43ad10eu}, std::pair{2, 0x33d33ca4u}}) {
        PixelBuffer buffer(w, 20, 0x00777777);
        seedRandom(5);
        drawFire(buffer.view(), kMask);
        for (int y = 0; y < 20 - kFireSeedRows; ++y)
            for (int x = 0; x < w; ++x) EXPECT_EQ(buffer.at(x, y), 0x00777777u);
        for (int y = 20 - kFireSeedRows; y < 20; ++y)
            for (int x = 0; x < w; ++x) EXPECT_EQ(buffer.at(x, y) & ~kMask, 0u) << "a seed at " << x << "," << y;
        EXPECT_EQ(digestOf(buffer), digest) << w;
    }
}

namespace {
// A surface larger than the effect's 32 x 24 area, so the render shows it
// keeps to its own area.
class FireRender : public ::testing::Test {
protected:
    void SetUp() override
    {
        fire.colourMask = kMask;
        target = makeRowCodedPicture(40, 30);
    }
    void TearDown() override { SDL_FreeSurface(target); }

    std::vector<uint32_t> pixels()
    {
        std::vector<uint32_t> all;
        for (int y = 0; y < target->h; ++y)
            for (int x = 0; x < target->w; ++x) all.push_back(pixelAt(target, x, y));
        return all;
    }

    FireEffect fire{32, 24};
    SDL_Surface* target = nullptr;
};
}  // namespace

TEST_F(FireRender, TimeHasNoInfluence)
{
    const auto before = pixels();
    seedRandom(11);
    fire.render(target, 0);
    const auto atZero = pixels();

    SDL_FreeSurface(target);
    target = makeRowCodedPicture(40, 30);
    seedRandom(11);
    fire.render(target, 98765);
    EXPECT_EQ(pixels(), atZero);
    EXPECT_NE(atZero, before);
}

TEST_F(FireRender, KeepsToItsOwnArea)
{
    fire.render(target, 0);
    for (int y = 0; y < 30; ++y)
        for (int x = 32; x < 40; ++x) ASSERT_EQ(pixelAt(target, x, y), 0x000100u * (y + 1));
    for (int y = 24; y < 30; ++y)
        for (int x = 0; x < 32; ++x) ASSERT_EQ(pixelAt(target, x, y), 0x000100u * (y + 1));
}

TEST_F(FireRender, AFailedLockDrawsNothingAndDrawsNoRandomNumbers)
{
    const auto before = pixels();
    seedRandom(3);
    const int next = nextRandom();
    seedRandom(3);
    {
        FailingLocks failing;
        fire.render(target, 0);
    }
    EXPECT_EQ(pixels(), before);
    EXPECT_EQ(nextRandom(), next);
}
