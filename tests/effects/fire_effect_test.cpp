#include "effects/fire_effect.h"
#include "effects/failing_locks.h"
#include "effects/pixel_buffer.h"
#include "random.h"
#include "support/test_support.h"

#include <vector>

namespace {
constexpr uint32_t kMask = 0xffa0cf;

// The seed rows that a frame writes after seedRandom(seed), bottom row first,
// replayed from the same nextRandom() sequence.
std::vector<std::vector<uint32_t>> seedsAfter(unsigned seed, int width, uint32_t mask)
{
    seedRandom(seed);
    std::vector<std::vector<uint32_t>> rows(kFireSeedRows, std::vector<uint32_t>(width));
    for (auto& row : rows)
        for (uint32_t& pixel : row) {
            const uint32_t a = static_cast<uint32_t>(nextRandom());
            pixel = (a * static_cast<uint32_t>(nextRandom())) & mask;
        }
    return rows;
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
    const auto seeds = seedsAfter(99, w, kMask);
    const int afterFrame = nextRandom();

    PixelBuffer buffer(w, h, 0x00123456);
    seedRandom(99);
    drawFire(buffer.view(), kMask);
    EXPECT_EQ(nextRandom(), afterFrame) << "two nextRandom() calls per seed pixel, no more";

    for (int x = 0; x < w; ++x) EXPECT_EQ(buffer.at(x, h - 1), seeds[0][x]) << x;
    // Each seeded row above the bottom one is overwritten by the blur of the
    // seeds below it, except at its edge columns, which keep their seeds.
    for (int i = 1; i < kFireSeedRows; ++i) {
        const int y = h - 1 - i;
        EXPECT_EQ(buffer.at(0, y), seeds[i][0]);
        EXPECT_EQ(buffer.at(w - 1, y), seeds[i][w - 1]);
    }
    for (int i = 0; i < kFireSeedRows; ++i) {
        const auto& below = seeds[i];
        const int y = h - 2 - i;
        for (int x = 1; x < w - 1; ++x)
            ASSERT_EQ(buffer.at(x, y), blur121(below[x - 1], below[x], below[x + 1])) << x << "," << y;
    }
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
    for (int w : {1, 2}) {
        const auto seeds = seedsAfter(5, w, kMask);
        PixelBuffer buffer(w, 20, 0x00777777);
        seedRandom(5);
        drawFire(buffer.view(), kMask);
        for (int y = 0; y < 20 - kFireSeedRows; ++y)
            for (int x = 0; x < w; ++x) EXPECT_EQ(buffer.at(x, y), 0x00777777u);
        for (int i = 0; i < kFireSeedRows; ++i)
            for (int x = 0; x < w; ++x) EXPECT_EQ(buffer.at(x, 19 - i), seeds[i][x]);
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
