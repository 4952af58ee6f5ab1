// The demo's random sequence, and every effect that draws on it kept within
// the ranges its arithmetic assumes (values 0..32767) by the real sequence,
// not only by injected values.
#include "effects/fire_effect.h"
#include "effects/fountain_effect.h"
#include "effects/noise_effect.h"
#include "effects/pixel_buffer.h"
#include "globals.h"
#include "random.h"
#include "support/test_support.h"

#include <algorithm>

TEST(Random, FollowsTheCStandardExampleGeneratorFromItsSeed)
{
    seedRandom(1);
    EXPECT_EQ(nextRandom(), 16838);
    EXPECT_EQ(nextRandom(), 5758);
    EXPECT_EQ(nextRandom(), 10113);
    seedRandom(1);
    EXPECT_EQ(nextRandom(), 16838) << "seeding starts the sequence again";

    // The state wraps at 32 bits and every value of the range turns up.
    seedRandom(0xffffffffu);
    int low = kRandomMax, high = 0;
    for (int i = 0; i < 200000; ++i) {
        const int value = nextRandom();
        low = std::min(low, value);
        high = std::max(high, value);
    }
    EXPECT_EQ(low, 0);
    EXPECT_EQ(high, kRandomMax);

    // Skipping lands where drawing that many would.
    for (const uint64_t count : {0ull, 1ull, 2ull, 12800ull, 1000003ull}) {
        seedRandom(0xfffffff0u);
        for (uint64_t i = 0; i < count; ++i) nextRandom();
        const uint32_t drawn = runState.randomState;
        seedRandom(0xfffffff0u);
        skipRandom(count);
        EXPECT_EQ(runState.randomState, drawn) << count;
    }
}

TEST(Random, FountainLaunchesStayWithinTheirArcs)
{
    seedRandom(7);
    Particles p;
    launchParticles(p, 640, 480, nextRandom);
    for (int i = 0; i < kParticleCount; ++i) {
        ASSERT_GE(p.y[i], 461.0f) << i;
        ASSERT_LE(p.y[i], 480.0f) << i;
        ASSERT_LE(std::abs(p.vx[i]), 3.0f) << i;
        ASSERT_LE(std::abs(p.vy[i]), 2.0f) << i;
    }
    // Every relaunch angle lies in 3.142..6.2836, where the sine is at most
    // 0.0005: no particle is launched downward.
    for (int round = 0; round < 40; ++round) {
        for (int i = 0; i < kParticleCount; ++i) p.y[i] = 480.0f;
        stepParticles(p, 640, 480, 0.0, nextRandom);
        for (int i = 0; i < kParticleCount; ++i) {
            ASSERT_LE(p.vy[i], 14 * 0.0005f) << i;
            ASSERT_LE(std::abs(p.vx[i]), 9.0f) << i;
        }
    }
}

TEST(Random, FireSeedProductsAndNoiseJumpsStayBelowTheirBounds)
{
    // Two factors below 2^15 each: no seed pixel reaches 2^30. The bottom
    // row keeps its seeds through the blur.
    seedRandom(3);
    PixelBuffer fire(640, 12, 0);
    drawFire(fire.view(), 0xffffffffu);
    for (int x = 0; x < 640; ++x) ASSERT_LT(fire.at(x, 11), 1u << 30) << x;

    seedRandom(3);
    const auto table = makeNoiseTable();
    for (uint16_t entry : *table) ASSERT_LE(entry, kRandomMax);
    NoiseBuffers buffers;
    sizeNoiseBuffers(buffers, 64, 1);
    int32_t cursor = 0;
    PixelBuffer noise(64, 1, 0);
    for (int frame = 0; frame < 200; ++frame) {
        drawNoiseField(noise.view(), *table, cursor, buffers, frame);
        ASSERT_LT(static_cast<uint32_t>(cursor), kNoiseTableSize + 32768u) << frame;
    }
}
