#include "core/clock.h"

#include <gtest/gtest.h>

TEST(Ease, IsZeroUpToTheWindowAndOneFromItsEnd)
{
    EXPECT_EQ(ease(2000, 5000, 0), 0.0);
    EXPECT_EQ(ease(2000, 5000, 1999), 0.0);
    EXPECT_EQ(ease(2000, 5000, 2000), 0.0);
    EXPECT_EQ(ease(2000, 5000, 3500), 0.5);
    EXPECT_EQ(ease(2000, 5000, 5000), 1.0);
    EXPECT_EQ(ease(2000, 5000, 1e9f), 1.0);
    EXPECT_EQ(ease(0, 2000, 1000), 0.5);
}

TEST(Ease, FollowsTheSmoothstepInDoublePrecisionFromFloatArguments)
{
    // 88599 in the window 87600..88600: 0.999997002 in double precision.
    EXPECT_EQ(ease(87600, 88600, 88599), 0x1.ffff9b676047bp-1);
    EXPECT_NEAR(ease(86600, 88605, 87600), 1 - 0.5019, 1e-4);
    // A window limit that is not exact in a float is taken as that float,
    // 0.10000000149: an exact 0.1 would give 0x1.ab0490ae2da6ep-2.
    EXPECT_EQ(ease(0.1f, 1.0f, 0.5f), 0x1.ab049096c46b4p-2);
}

TEST(DemoClock, FirstFrameTakesAQuarterOfTheElapsedTime)
{
    EXPECT_EQ(advanceClock(0, 2000), 500u);
    EXPECT_EQ(advanceClock(0, 3), 0u);
}

TEST(DemoClock, SettlesThreeMillisecondsBehindAStillTickCount)
{
    uint32_t t = 0;
    for (int frame = 0; frame < 200; ++frame) t = advanceClock(t, 1000);
    EXPECT_EQ(t, 997u);
}

TEST(DemoClock, TrailsBy30MillisecondsAt10MillisecondsPerFrame)
{
    uint32_t t = 0;
    uint32_t elapsed = 0;
    for (int frame = 0; frame < 500; ++frame) t = advanceClock(t, elapsed += 10);
    EXPECT_EQ(elapsed - t, 30u);
}

TEST(DemoClock, ElapsedTimeWrapsAroundTheTickCounter)
{
    // Ticks that wrapped past 2^32 since the origin still give the true distance.
    const uint32_t startTicks = 0xfffffff0u;
    const uint32_t ticks = 0x10u;
    EXPECT_EQ(advanceClock(0, ticks - startTicks), 8u);
    // The weighted sum itself wraps modulo 2^32 before the shift: 2^33 is 0.
    EXPECT_EQ(advanceClock(0x80000000u, 0x80000000u), 0u);
}
