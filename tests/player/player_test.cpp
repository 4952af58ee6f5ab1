#include "core/frame.h"
#include "core/frame_grid.h"
#include "effects/bump_warp_effect.h"
#include "effects/fountain_effect.h"
#include "globals.h"
#include "player/grid.h"
#include "player/player.h"
#include "player/player_keys.h"
#include "player/recorder.h"
#include "player/warp_recording.h"
#include "support/test_support.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <memory>

namespace {
// What a frame leaves for the frames after it: the picture and every part
// of the run's state they read.
struct Left {
    uint64_t picture;
    RunState run;
    Particles particles;
    uint64_t warpHeights;  // 0 past the warp scene, where no frame reads them
    int sceneIndex;
    bool cuePending[kCueEventCount];
    uint32_t cueFiredAt[kCueEventCount];
};

Left leftBy(Demo& demo, uint64_t frame)
{
    Left left = {checksum(demo.screen), runState, demo.effects.fountain->particles, 0, demo.sceneIndex, {}, {}};
    if (frame <= lastFrameOf(kWarpScene)) {
        const uint8_t* h = demo.effects.bumpWarp->heights();
        for (int i = 0; i < kScreenWidth * kScreenHeight; ++i) left.warpHeights = left.warpHeights * 31 + h[i];
    }
    std::copy(std::begin(demo.cuePending), std::end(demo.cuePending), left.cuePending);
    std::copy(std::begin(demo.cueFiredAt), std::end(demo.cueFiredAt), left.cueFiredAt);
    return left;
}

void expectSame(const Left& jumped, const Left& straight, uint64_t frame)
{
    SCOPED_TRACE(testing::Message() << "grid frame " << frame);
    EXPECT_EQ(jumped.picture, straight.picture);
    EXPECT_EQ(jumped.run.randomState, straight.run.randomState);
    EXPECT_EQ(jumped.run.noiseCursor, straight.run.noiseCursor);
    ASSERT_EQ(!jumped.run.noiseTable, !straight.run.noiseTable);
    if (jumped.run.noiseTable) {
        EXPECT_EQ(*jumped.run.noiseTable, *straight.run.noiseTable);
    }
    EXPECT_EQ(jumped.run.fountainPreviousTime, straight.run.fountainPreviousTime);
    EXPECT_EQ(std::memcmp(&jumped.particles, &straight.particles, sizeof(Particles)), 0);
    EXPECT_EQ(jumped.warpHeights, straight.warpHeights);
    EXPECT_EQ(jumped.sceneIndex, straight.sceneIndex);
    EXPECT_TRUE(std::equal(std::begin(jumped.cuePending), std::end(jumped.cuePending), straight.cuePending));
    EXPECT_TRUE(std::equal(std::begin(jumped.cueFiredAt), std::end(jumped.cueFiredAt), straight.cueFiredAt));
}

// Grid frames across the timeline: each scene's first and last, the fire
// near its start and far from it, the frames that only switch scenes (they
// show the frame before), the last.
const uint64_t kTargets[] = {0,    600,  firstFrameOf(kFireScene), 1300, 1700, 1890, 2200, firstFrameOf(kWarpScene),
                             3500, lastFrameOf(kWarpScene),       4452, 5000, firstFrameOf(kFountainScene), 6000,
                             lastPlayerFrame()};

// The player against a straight run of the 60 fps grid, demo-capture's own
// path, on the same seed: a jump's frame and what it leaves are that run's.
class PlayerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        Demo* run = makeTestDemo();
        for (uint64_t n = 0; n <= lastPlayerFrame(); ++n) {
            drawGridFrame(*run, n, kPlayerFps);
            if (std::find(std::begin(kTargets), std::end(kTargets), n) != std::end(kTargets))
                straight.emplace(n, leftBy(*run, n));
        }
        freeTestDemo(run);
    }
    void SetUp() override
    {
        demo = makeTestDemo();
        recorder = std::make_unique<Recorder>(*demo, 1);
        player = std::make_unique<Player>(*demo, *recorder, [this] { return ticks; });
    }
    void TearDown() override
    {
        player.reset();
        recorder.reset();
        freeTestDemo(demo);
    }

    void press(std::initializer_list<PlayerKey> keys)
    {
        for (const PlayerKey key : keys) playerKeys.pressed[playerKeys.count++] = key;
        player->turn(ticks);
    }
    // The live demo's own frames from `t` on, at the clock's times, off the
    // grid.
    void playLive(uint32_t t)
    {
        player->jumpTo(t, ticks);
        for (int i = 0; i < 40; ++i) player->turn(ticks += 23);
    }
    void expectJumpsLikeTheStraightRun(uint32_t playedFrom)
    {
        for (const uint64_t frame : kTargets) {
            playLive(playedFrom);
            player->jumpTo(frameTime(frame, kPlayerFps), ticks);
            ASSERT_FALSE(player->isWaiting());
            EXPECT_EQ(demo->demoTime, frameTime(frame, kPlayerFps));
            expectSame(leftBy(*demo, frame), straight.at(frame), frame);
        }
    }

    static std::map<uint64_t, Left> straight;
    uint32_t ticks = 0;
    Demo* demo = nullptr;
    std::unique_ptr<Recorder> recorder;
    std::unique_ptr<Player> player;
};

std::map<uint64_t, Left> PlayerTest::straight;
}  // namespace

// Before the recording has the fire's pictures, with the warp's fields
// worked out elsewhere, as the web page's worker does, and after; whatever
// the live demo drew before: into the fire, which reads its picture back,
// the noise field, the warp and the fountain.
TEST_F(PlayerTest, AJumpLandsOnTheStraightRunsFrameAndState)
{
    Demo* elsewhere = makeTestDemo();
    RowSplit whole;
    WarpRecording fields(*elsewhere->effects.bumpWarp,
                         [this](uint64_t frame, const uint8_t* field) { recorder->takeWarpField(frame, field); });
    while (fields.record(60, whole)) {
    }
    freeTestDemo(elsewhere);
    while (!recorder->reaches(lastFrameOf(kWarpScene) + 1)) recorder->record(60);
    expectJumpsLikeTheStraightRun(100000);
    while (recorder->record(600)) {
    }
    expectJumpsLikeTheStraightRun(20000);
}

// Before the recording reaches a jump's frame the picture holds, paused,
// and the keys go on from where it goes; it lands once recorded, paused or
// playing as Space last said.
TEST_F(PlayerTest, AJumpAheadOfTheRecordingWaitsForIt)
{
    const uint32_t late = frameTime(lastFrameOf(kWarpScene), kPlayerFps);
    player->jumpTo(late - 5000, 0);
    press({PlayerKey::Forward});
    EXPECT_TRUE(player->isWaiting());
    EXPECT_TRUE(demo->paused) << "the demo holds";
    EXPECT_EQ(player->shownTime(), late);
    EXPECT_FALSE(player->paused()) << "plays on once it lands";
    press({PlayerKey::Pause});

    while (!recorder->reaches(lastFrameOf(kWarpScene))) recorder->record(60);
    press({});
    EXPECT_FALSE(player->isWaiting());
    EXPECT_EQ(demo->demoTime, late);
    EXPECT_TRUE(demo->paused) << "Space while it waited";
}

TEST_F(PlayerTest, StepsMoveOneGridFrameWhilePausedOnly)
{
    while (recorder->record(600)) {
    }
    player->jumpTo(93600, 0);
    const uint64_t shown = checksum(demo->screen);
    press({PlayerKey::StepForward});
    EXPECT_EQ(demo->demoTime, 93600u) << "playing: no step";
    press({PlayerKey::Pause, PlayerKey::StepForward});
    EXPECT_EQ(demo->demoTime, 93616u);
    EXPECT_NE(checksum(demo->screen), shown);
    press({PlayerKey::StepBack});
    EXPECT_EQ(demo->demoTime, 93600u);
    EXPECT_EQ(checksum(demo->screen), shown) << "the bar is shown, then taken off what the effects read back";
}

TEST(PlayerKeys, SceneKeysGoToTheStartsAndPageUpBackOnlyRightAfterOne)
{
    auto fold = [](std::initializer_list<PlayerKey> keys, uint32_t from, bool paused = false) {
        return foldKeys(keys.begin(), static_cast<int>(keys.size()), {from, paused, false});
    };
    EXPECT_EQ(fold({PlayerKey::Start}, 40000).time, 0u);
    EXPECT_EQ(fold({PlayerKey::NextScene}, 0).time, kSceneStarts[1]);
    EXPECT_EQ(fold({PlayerKey::PreviousScene}, kSceneStarts[1]).time, kSceneStarts[0]) << "within 2 s of a start";
    EXPECT_EQ(fold({PlayerKey::PreviousScene}, kSceneStarts[3] + 2500).time, kSceneStarts[3]);
    EXPECT_FALSE(fold({PlayerKey::NextScene}, kSceneStarts[5] + 100).moved) << "no scene after the last";
    // A burst is one move, to where its keys add up, each from where the
    // one before left it; Space in it counts too.
    const PlayerPosition burst = fold({PlayerKey::NextScene, PlayerKey::NextScene, PlayerKey::Forward,
                                       PlayerKey::Pause, PlayerKey::Back, PlayerKey::Back, PlayerKey::Back},
                                      0);
    EXPECT_TRUE(burst.moved);
    EXPECT_EQ(burst.time, kSceneStarts[2] + 5000 - 15000);
    EXPECT_TRUE(burst.paused);
    EXPECT_EQ(fold({PlayerKey::Back, PlayerKey::Back, PlayerKey::Forward}, 3000).time, 5000u) << "Back stops at 0";
    // To or past the end, a demo that plays holds on the last frame, paused.
    const PlayerPosition end = fold({PlayerKey::Forward, PlayerKey::Forward}, lastPlayerFrameTime() - 6000);
    EXPECT_EQ(end.time, lastPlayerFrameTime());
    EXPECT_TRUE(end.paused);
}
