#include "core/frame_grid.h"
#include "core/frame_loop.h"
#include "core/player.h"
#include "core/recorder.h"
#include "globals.h"
#include "random.h"
#include "support/test_support.h"

#include <memory>

namespace {
// One demo and its recording for every test: a slow build takes long to
// record the timeline, and a jump puts all of the demo's state in place.
class PlayerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        demo = makeTestDemo();
        recorder = new Recorder(*demo, 5);
        while (recorder->record(600)) {
        }
    }
    static void TearDownTestSuite()
    {
        delete recorder;
        freeTestDemo(demo);
    }
    void SetUp() override
    {
        resumeDemo(*demo, 0);
        player = std::make_unique<Player>(*demo, *recorder, [] { return 0u; });
    }

    void press(PlayerKey key)
    {
        playerKeys.pressed[playerKeys.count++] = key;
        player->takeKeys(0);
    }
    // The live demo's own frames from `t` on, at times off the grid.
    void playLive(uint32_t t)
    {
        for (int i = 0; i < 40; ++i, t += 23) {
            demo->demoTime = t;
            renderFrame(*demo);
        }
    }

    static Demo* demo;
    static Recorder* recorder;
    std::unique_ptr<Player> player;
};

Demo* PlayerTest::demo = nullptr;
Recorder* PlayerTest::recorder = nullptr;

// A jump's frame, and the run state it leaves, are the grid's whatever the
// live demo drew before: into the fire, which reads its picture back, the
// noise field and the fountain.
TEST_F(PlayerTest, AJumpLandsOnTheSameFrameWhateverWasPlayedBefore)
{
    for (const uint32_t target : {22000u, 36500u, 93600u}) {
        player->jumpTo(target, 0);
        const uint64_t direct = checksum(demo->screen);
        const uint32_t random = randomState;
        EXPECT_EQ(demo->demoTime, target);
        playLive(target);
        player->jumpTo(100000, 0);
        playLive(100000);
        player->jumpTo(target, 0);
        EXPECT_EQ(checksum(demo->screen), direct) << target;
        EXPECT_EQ(randomState, random) << target;
    }
}

// Before the recording reaches a jump's frame the picture holds, paused,
// and the keys go on from where it goes; it lands once recorded, paused or
// playing as Space last said.
TEST_F(PlayerTest, AJumpAheadOfTheRecordingWaitsForIt)
{
    Recorder fresh(*demo, 5);
    Player waiting(*demo, fresh, [] { return 0u; });
    waiting.jumpTo(kSceneStarts[1] - 5000, 0);
    playerKeys.pressed[playerKeys.count++] = PlayerKey::Forward;
    waiting.takeKeys(0);
    EXPECT_TRUE(waiting.isWaiting());
    EXPECT_TRUE(demo->paused) << "the demo holds";
    EXPECT_EQ(waiting.shownTime(), kSceneStarts[1]);
    EXPECT_FALSE(waiting.paused()) << "plays on once it lands";
    waiting.setPaused(true, 0);

    while (fresh.framesRecorded() <= firstFrameAtOrAfter(kSceneStarts[1], Recorder::kGridFps)) fresh.record(30);
    EXPECT_TRUE(waiting.takeKeys(0));
    EXPECT_FALSE(waiting.isWaiting());
    EXPECT_EQ(demo->demoTime, kSceneStarts[1]);
    EXPECT_TRUE(demo->paused) << "Space while it waited";
}

TEST_F(PlayerTest, StepsMoveOneGridFrameWhilePausedOnly)
{
    player->jumpTo(93600, 0);
    const uint64_t shown = checksum(demo->screen);
    press(PlayerKey::StepForward);
    EXPECT_EQ(demo->demoTime, 93600u) << "playing: no step";
    pauseDemo(*demo, 0);
    press(PlayerKey::StepForward);
    EXPECT_EQ(demo->demoTime, 93616u);
    EXPECT_NE(checksum(demo->screen), shown);
    press(PlayerKey::StepBack);
    EXPECT_EQ(demo->demoTime, 93600u);
    EXPECT_EQ(checksum(demo->screen), shown);
    player->present(0);
    EXPECT_EQ(checksum(demo->screen), shown) << "the bar is shown, then taken off what the effects read back";
}

TEST_F(PlayerTest, SceneKeysGoToTheStartsAndPageUpBackOnlyRightAfterOne)
{
    press(PlayerKey::Start);
    EXPECT_EQ(demo->demoTime, 0u);
    press(PlayerKey::NextScene);
    EXPECT_EQ(demo->demoTime, kSceneStarts[1]);
    press(PlayerKey::PreviousScene);
    EXPECT_EQ(demo->demoTime, kSceneStarts[0]) << "within 2 s of the fire's start";
    player->jumpTo(kSceneStarts[3] + 2500, 0);
    press(PlayerKey::PreviousScene);
    EXPECT_EQ(demo->demoTime, kSceneStarts[3]);
    player->jumpTo(kSceneStarts[5] + 100, 0);
    press(PlayerKey::NextScene);
    EXPECT_EQ(demo->demoTime, kSceneStarts[5] + 100) << "no scene after the last";
    press(PlayerKey::Forward);
    press(PlayerKey::Forward);
    press(PlayerKey::Forward);
    press(PlayerKey::Forward);
    EXPECT_EQ(demo->demoTime, Recorder::lastFrameTime()) << "stops at the last frame";
}
}  // namespace
