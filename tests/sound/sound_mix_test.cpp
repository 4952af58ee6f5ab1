// The demo's own mix and the clock it follows, without a device.
#include "core/clock.h"
#include "sound/mix_clock.h"
#include "sound/sound_mix.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace {
Pcm constant(Frames frames, int16_t value)
{
    return Pcm(static_cast<size_t>(2 * frames), value);
}

// Renders `frames` in buffers of awkward sizes, as a device might ask.
Pcm renderAll(SoundMix& mix, Frames frames)
{
    Pcm out(static_cast<size_t>(2 * frames));
    for (Frames done = 0; done < frames;) {
        const int count = static_cast<int>(std::min<Frames>(37 + done % 300, frames - done));
        mix.render(&out[static_cast<size_t>(2 * done)], count);
        done += count;
    }
    return out;
}

int16_t scaled(int value)
{
    return static_cast<int16_t>(std::lrint(value * SoundMix::kHeadroom));
}

TEST(SoundMix, PlacesACueOnItsFrameAtItsVolumeOrAtOnceWhenThatHasPassed)
{
    const Pcm cue = constant(10, 1000);
    SoundMix mix(4);
    const int full = mix.play(&cue, 1000);
    const int half = mix.play(&cue, 1500);
    mix.setVolume(half, 51);
    const Pcm out = renderAll(mix, 2000);
    for (Frames f = 0; f < 2000; ++f) {
        const int16_t expected = f >= 1000 && f < 1010   ? scaled(1000)
                                 : f >= 1500 && f < 1510 ? scaled(200)
                                                         : 0;
        ASSERT_EQ(out[static_cast<size_t>(2 * f)], expected) << f;
        ASSERT_EQ(out[static_cast<size_t>(2 * f + 1)], expected) << f;
    }
    EXPECT_GE(full, 0);

    // A place already mixed: the cue starts with the next frame mixed.
    mix.play(&cue, 100);
    const Pcm late = renderAll(mix, 20);
    EXPECT_EQ(late[0], scaled(1000));
    EXPECT_EQ(late[2 * 10], 0);
}

TEST(SoundMix, VoicesAreFreedWhenTheyEndAndStoppedBeforeTheirSampleGoes)
{
    const Pcm cue = constant(50, 1000);
    SoundMix mix(2);
    EXPECT_NE(mix.play(&cue, 0), -1);
    EXPECT_NE(mix.play(&cue, 0), -1);
    EXPECT_EQ(mix.play(&cue, 0), -1) << "every voice is busy";
    renderAll(mix, 60);
    EXPECT_NE(mix.play(&cue, 70), -1);
    mix.stop(&cue);
    const Pcm out = renderAll(mix, 100);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](int16_t v) { return v == 0; }));
}

TEST(SoundMix, NeverClipsWhenCuesPileUpOverLoudMusicAndLetsGoAfterwards)
{
    Pcm music = constant(kMixRate * 2, 20000);
    for (size_t i = 0; i < music.size(); i += 4) music[i] = music[i + 1] = -20000;
    const Pcm cue = constant(kMixRate / 4, 30000);
    SoundMix mix(8);
    mix.setMusic(&music);
    for (int i = 0; i < 3; ++i) mix.play(&cue, kMixRate / 2);
    const Pcm out = renderAll(mix, kMixRate * 2);

    int peak = 0;
    for (int16_t v : out) peak = std::max(peak, std::abs(static_cast<int>(v)));
    EXPECT_LE(peak, static_cast<int>(SoundMix::kCeiling) + 1);
    EXPECT_GT(peak, static_cast<int>(SoundMix::kCeiling) - 100) << "the pile-up should reach the ceiling";
    // Half a second after the cues the music is back at its own level.
    const size_t after = static_cast<size_t>(2 * (kMixRate / 2 + kMixRate / 4 + kMixRate / 2));
    EXPECT_NEAR(std::abs(out[after]), scaled(20000), 2);
}

TEST(SoundMix, ASeekMovesMusicAndVoicesTogetherAndFadesAcross)
{
    Pcm music = constant(40000, 1000);
    std::fill(music.begin() + 2 * 20000, music.end(), int16_t{-1000});
    const Pcm cue = constant(10, 2000);
    SoundMix mix(2);
    mix.setMusic(&music);
    mix.play(&cue, 30200);
    renderAll(mix, 100);
    mix.seek(30000);
    EXPECT_EQ(mix.position(), 30000);
    const Pcm out = renderAll(mix, 300);

    // From the old level to the new one without a step, then the cue on its
    // frame of the new timeline.
    EXPECT_EQ(out[0], scaled(1000));
    for (int f = 1; f < 128; ++f) ASSERT_LE(out[2 * f], out[2 * (f - 1)]) << f;
    EXPECT_EQ(out[2 * 128], scaled(-1000));
    EXPECT_EQ(out[2 * 199], scaled(-1000));
    EXPECT_EQ(out[2 * 200], scaled(1000));
    EXPECT_EQ(mix.position(), 30300);
}

// Frames of the demo at a steady interval, with the clock's own filter.
struct FrameRun {
    MixClock clock;
    uint32_t demoTime = 0;
    uint32_t ticks = 1000;
    const uint32_t start = 1000;

    void run(int frames, uint32_t interval)
    {
        for (int i = 0; i < frames; ++i) {
            ticks += interval;
            demoTime = advanceClock(demoTime, ticks - start);
            clock.frame(demoTime, ticks, start);
        }
    }
};

TEST(MixClock, FollowsTheClocksTrailAtAnyRateAndRidesOverAStall)
{
    for (uint32_t interval : {1u, 16u, 33u}) {
        FrameRun run;
        run.run(200, interval);
        // Between frames the clock reads on from the last one.
        EXPECT_NEAR(run.clock.demoTimeAt(run.ticks), run.demoTime, 2) << interval;
        EXPECT_NEAR(run.clock.demoTimeAt(run.ticks + 10), run.demoTime + 10, 2) << interval;
    }

    // A 400 ms stall: while demoTime catches up over the next frames, the
    // music's clock does not fall back.
    FrameRun run;
    run.run(200, 16);
    int64_t previous = run.clock.demoTimeAt(run.ticks);
    run.run(1, 400);
    for (int i = 0; i < 30; ++i) {
        const int64_t now = run.clock.demoTimeAt(run.ticks);
        EXPECT_GE(now, previous) << i;
        previous = now;
        run.run(1, 16);
    }
    EXPECT_NEAR(run.clock.demoTimeAt(run.ticks), run.demoTime, 3);

    // A quick start-up: the first frames trail by less than the settled
    // clock will, 30 and 35 ms here; the reading keeps three intervals back
    // from the second frame on.
    FrameRun quick;
    quick.run(1, 40);
    quick.run(1, 16);
    EXPECT_EQ(quick.clock.demoTimeAt(quick.ticks), 56 - 48);
}

// A clocked mix of `music` with cue voices, on a clock that has run 60
// frames of 16 ms, and its first buffer of 10 ms filled.
struct RunningMix {
    explicit RunningMix(const Pcm& music)
    {
        clocked.reset(4);
        clocked.mix.setMusic(&music);
        run.run(60, 16);
        clocked.clock = run.clock;
        fill(run.ticks);
    }
    void fill(uint32_t ticks) { clocked.fill(out.data(), 441, ticks); }

    ClockedMix clocked;
    FrameRun run;
    Pcm out = Pcm(2 * 441);
};

TEST(ClockedMix, APauseFadesOutHoldsThePlaceAndResumesWhereTheClockIsFadingIn)
{
    const Pcm music = constant(kMixRate * 4, 10000);
    RunningMix running(music);
    ClockedMix& clocked = running.clocked;
    const FrameRun& run = running.run;
    const Pcm& out = running.out;
    const auto fill = [&](uint32_t ticks) { running.fill(ticks); };
    EXPECT_EQ(out[0], scaled(10000));

    const int64_t stopped = clocked.clock.demoTimeAt(run.ticks);
    clocked.clock.pause(run.ticks);
    fill(run.ticks + 10);
    for (int f = 1; f < 441; ++f) ASSERT_LT(out[2 * f], out[2 * (f - 1)]) << "no click: " << f;
    EXPECT_EQ(out[2 * 440], 0);
    const Frames held = clocked.mix.position();
    fill(run.ticks + 500);
    EXPECT_TRUE(std::all_of(out.begin(), out.end(), [](int16_t v) { return v == 0; }));
    EXPECT_EQ(clocked.mix.position(), held);

    // Two seconds later the clock reads on from where it stopped.
    const uint32_t paused = run.ticks;
    clocked.clock.resume(paused + 2000);
    fill(paused + 2010);
    const Frames expected = framesOf(clocked.clock.demoTimeAt(paused + 2010)) - kMixDelay + 441;
    EXPECT_EQ(clocked.mix.position(), expected);
    EXPECT_EQ(clocked.clock.demoTimeAt(paused + 2010), stopped + 10);
    for (int f = 1; f < 441; ++f) ASSERT_GE(out[2 * f], out[2 * (f - 1)]) << f;
    EXPECT_EQ(out[2 * 440], scaled(10000));
}

TEST(ClockedMix, AJumpFadesOutThenPlaysFromTheNewMomentWithWhatIsLeftOfTheCuesUnderWay)
{
    const Pcm music = constant(kMixRate * 70, 10000);
    const Pcm cue = constant(kMixRate, 5000);
    RunningMix running(music);
    ClockedMix& clocked = running.clocked;
    const FrameRun& run = running.run;
    const Pcm& out = running.out;
    const auto fill = [&](uint32_t ticks) { running.fill(ticks); };

    // To demoTime 60000, the trail kept; one cue began 0.5 s before, one
    // long before, both silent until the jump has landed.
    const uint32_t trail = run.ticks - run.start - run.demoTime;
    clocked.jump(60000, run.ticks, run.ticks - 60000 - trail);
    clocked.play(&cue, 59500, 255);
    clocked.play(&cue, 20000, 255);
    fill(run.ticks + 10);
    EXPECT_EQ(out[2 * 440], 0) << "faded out";
    fill(run.ticks + 20);
    EXPECT_EQ(out[0], 0) << "not landed: silent";
    clocked.landed();
    fill(run.ticks + 30);
    EXPECT_EQ(clocked.mix.position(), framesOf(clocked.clock.demoTimeAt(run.ticks + 30)) - kMixDelay + 441);
    for (int f = 1; f < 441; ++f) ASSERT_GE(out[2 * f], out[2 * (f - 1)]) << "fades in: " << f;
    fill(run.ticks + 40);
    EXPECT_EQ(out[0], scaled(15000)) << "the music and the half-played cue";
}

TEST(MixFollower, SkipsWhenBehindWaitsWhenAheadAndToleratesBursts)
{
    using Step = MixFollower::Step;
    constexpr Frames buffer = 256;
    MixFollower follower;
    EXPECT_EQ(follower.next(0, framesOf(1300)), Step::Skip) << "the device started late";

    // Buffers asked for four at a time: the lead grows within each burst.
    Frames position = 0;
    Frames target = 0;
    for (int burst = 0; burst < 50; ++burst) {
        for (int i = 0; i < 4; ++i) {
            ASSERT_EQ(follower.next(position, target), Step::Play) << burst;
            position += buffer;
        }
        target += 4 * buffer;
    }

    // Two seconds taken at once: the mix waits until the clock catches up.
    MixFollower deep;
    position = 0;
    for (int i = 0; i < 400; ++i, position += buffer) deep.next(position, 0);
    int waits = 0;
    for (target = 0; deep.next(position, target) == Step::Wait; target += buffer) ++waits;
    EXPECT_NEAR(waits * buffer, position, MixFollower::kLeadTolerance + 17 * buffer);
}
}  // namespace
