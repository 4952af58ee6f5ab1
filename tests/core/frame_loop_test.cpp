#include "core/events.h"
#include "core/frame.h"
#include "core/frame_loop.h"
#include "core/startup.h"
#include "globals.h"
#include "sound/sound.h"
#include "support/test_support.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {
// Drives the loop from a scripted list of tick values; records what each
// frame left behind.
struct ScriptedRun {
    std::vector<uint32_t> ticks;
    size_t next = 0;
    struct Frame {
        uint32_t demoTime;
        int sceneIndex;
        uint64_t picture;
    };
    std::vector<Frame> frames;

    void run(Demo& demo)
    {
        Platform platform;
        platform.ticks = [this] { return ticks[std::min(next++, ticks.size() - 1)]; };
        bool beforeFirstFrame = true;
        platform.quitPending = [&] {
            if (!beforeFirstFrame) frames.push_back({demo.demoTime, demo.sceneIndex, checksum(demo.screen)});
            beforeFirstFrame = false;
            return frames.size() >= 1000;
        };
        runFrameLoop(demo, platform);
    }
};

class FrameLoop : public ::testing::Test {
protected:
    void SetUp() override { demo = makeTestDemo(); }
    void TearDown() override { freeTestDemo(demo); }
    Demo* demo = nullptr;
};
}  // namespace

TEST_F(FrameLoop, ASceneChangeCostsOneFrameThatDrawsNothing)
{
    // A steady clock: elapsed 16996 gives demoTime 16996 after enough frames,
    // then the ticks move past the end of the title scene.
    ScriptedRun run;
    demo->demoTime = 16996;
    run.ticks = {16996, 17100, 17100, 17100, 200000000};
    run.run(*demo);
    ASSERT_GE(run.frames.size(), 4u);
    EXPECT_EQ(run.frames[0].sceneIndex, 0);
    EXPECT_LT(run.frames[0].demoTime, kTitleSceneEnd);
    // The first frame at 17000 or later only moves the switch on: the display
    // still shows the last title frame.
    EXPECT_GE(run.frames[1].demoTime, kTitleSceneEnd);
    EXPECT_EQ(run.frames[1].sceneIndex, 1);
    EXPECT_EQ(run.frames[1].picture, run.frames[0].picture);
}

TEST_F(FrameLoop, AStallSkipsOneSceneAFrameAndFiresNoCueEvent)
{
    ScriptedRun run;
    run.ticks = {0xffffffffu};
    run.run(*demo);
    // Scene changes 0->1->...->6 take six frames, the end state one more.
    ASSERT_EQ(run.frames.size(), 7u);
    for (int i = 0; i < 6; ++i) EXPECT_EQ(run.frames[i].sceneIndex, i + 1);
    EXPECT_EQ(quitRequested, 1);
    for (bool pending : demo->cuePending) EXPECT_TRUE(pending);
}

TEST_F(FrameLoop, TheEndStateShowsOneBlackFrameAndQuits)
{
    demo->sceneIndex = kEndState - 1;
    demo->demoTime = kFountainSceneEnd;
    SDL_FillRect(demo->screen, nullptr, 0xffffff);
    ScriptedRun run;
    run.ticks = {kFountainSceneEnd + 10};
    run.run(*demo);
    ASSERT_EQ(run.frames.size(), 2u);
    EXPECT_EQ(run.frames[0].sceneIndex, kEndState);  // the change frame
    EXPECT_EQ(run.frames[1].picture, 0u);            // all black
    EXPECT_EQ(quitRequested, 1);
}

TEST_F(FrameLoop, AQuitPendingBeforeTheLoopDrawsNoFrame)
{
    int ticksRead = 0;
    Platform platform{[&] { return static_cast<uint32_t>(++ticksRead); }, [] { return true; }};
    runFrameLoop(*demo, platform);
    EXPECT_EQ(ticksRead, 0);
}

TEST_F(FrameLoop, RunsTheWholeTimelineOnAnAcceleratedClock)
{
    // 100 ms of ticks per frame: every scene draws in turn, and every cue
    // sounds once, in timeline order, on the first frame at or past its
    // event's threshold.
    static std::vector<std::pair<uint32_t, int>> heard;
    heard.clear();
    setCueListener([](uint32_t demoTime, int cue) { heard.emplace_back(demoTime, cue); });
    uint32_t now = 0;
    std::vector<int> scenesDrawn;
    std::vector<uint32_t> frameTimes;
    Platform platform;
    platform.ticks = [&] { return now += 100; };
    platform.quitPending = [&] {
        frameTimes.push_back(demo->demoTime);
        if (scenesDrawn.empty() || scenesDrawn.back() != demo->sceneIndex) scenesDrawn.push_back(demo->sceneIndex);
        return false;
    };
    runFrameLoop(*demo, platform);
    setCueListener(nullptr);

    EXPECT_EQ(scenesDrawn, (std::vector<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_EQ(quitRequested, 1);
    std::vector<std::pair<uint32_t, int>> expected;
    for (const CueEvent& event : kCueEvents) {
        const uint32_t at = *std::lower_bound(frameTimes.begin(), frameTimes.end(), event.threshold);
        for (int i = 0; i < event.cueCount; ++i) expected.emplace_back(at, event.cues[i]);
    }
    EXPECT_EQ(heard, expected);
}

TEST(Border, IsBlackOverAFullWhiteDisplay)
{
    SDL_Surface* screen = testScreen();
    SDL_FillRect(screen, nullptr, 0xffffff);
    drawBorder(screen);
    for (int x = 0; x < 640; ++x) {
        EXPECT_EQ(pixelAt(screen, x, 0), 0u);
        EXPECT_EQ(pixelAt(screen, x, 479), 0u);
    }
    for (int y = 0; y < 480; ++y) {
        EXPECT_EQ(pixelAt(screen, 0, y), 0u);
        EXPECT_EQ(pixelAt(screen, 639, y), 0u);
    }
    EXPECT_EQ(pixelAt(screen, 1, 1), 0xffffffu);
    EXPECT_EQ(pixelAt(screen, 638, 478), 0xffffffu);
}

TEST(Border, IsDrawnOnEveryFrameOfTheTitle)
{
    Demo* demo = makeTestDemo({.logoW = 640, .logoH = 480, .stairW = 640, .stairH = 480});
    SDL_FillRect(demo->pictures.tx4, nullptr, 0xffffff);
    demo->demoTime = 15000;  // tx4 rests at y = 300 over everything
    drawFrame(*demo);
    EXPECT_EQ(pixelAt(demo->screen, 320, 479), 0u);
    EXPECT_EQ(pixelAt(demo->screen, 0, 400), 0u);
    EXPECT_EQ(pixelAt(demo->screen, 639, 400), 0u);
    EXPECT_EQ(pixelAt(demo->screen, 320, 478), 0xffffffu);
    freeTestDemo(demo);
}

namespace {
SDL_Event keyEvent(Uint8 type, SDLKey key)
{
    SDL_Event event = {};
    event.type = type;
    event.key.keysym.sym = key;
    return event;
}
}  // namespace

TEST(EventFilter, AnEscapePressIsDroppedAndRequestsQuit)
{
    quitRequested = 0;
    Uint8* keys = SDL_GetKeyState(nullptr);
    keys[SDLK_ESCAPE] = 1;
    const SDL_Event press = keyEvent(SDL_KEYDOWN, SDLK_ESCAPE);
    EXPECT_EQ(eventFilter(&press), 0);
    EXPECT_EQ(quitRequested, 1);
    keys[SDLK_ESCAPE] = 0;
    quitRequested = 0;
    // A tap during start-up reaches the filter after its release.
    EXPECT_EQ(eventFilter(&press), 0);
    EXPECT_EQ(quitRequested, 1);
    quitRequested = 0;
}

// Nothing takes events off the queue, so whatever the filter keeps stays.
TEST(EventFilter, OnlyQuitEventsAreQueued)
{
    quitRequested = 0;
    Uint8* keys = SDL_GetKeyState(nullptr);
    keys[SDLK_ESCAPE] = 0;
    keys[SDLK_a] = 1;
    const SDL_Event other = keyEvent(SDL_KEYDOWN, SDLK_a);
    EXPECT_EQ(eventFilter(&other), 0);
    keys[SDLK_a] = 0;
    const SDL_Event release = keyEvent(SDL_KEYUP, SDLK_ESCAPE);
    EXPECT_EQ(eventFilter(&release), 0);
    const SDL_Event enter = keyEvent(SDL_KEYDOWN, SDLK_RETURN);
    EXPECT_EQ(eventFilter(&enter), 0);
    EXPECT_EQ(displayToggleRequested, 0);
    // F11 and Alt+Enter ask for the switch between full screen and a window.
    SDL_Event altEnter = enter;
    altEnter.key.keysym.mod = KMOD_LALT;
    for (const SDL_Event& toggle : {altEnter, keyEvent(SDL_KEYDOWN, SDLK_F11)}) {
        EXPECT_EQ(eventFilter(&toggle), 0);
        EXPECT_EQ(displayToggleRequested, 1);
        displayToggleRequested = 0;
    }
    for (Uint8 type : {SDL_MOUSEMOTION, SDL_MOUSEBUTTONDOWN, SDL_ACTIVEEVENT, SDL_VIDEOEXPOSE, SDL_SYSWMEVENT}) {
        SDL_Event event = {};
        event.type = type;
        EXPECT_EQ(eventFilter(&event), 0) << int{type};
    }
    EXPECT_EQ(quitRequested, 0);
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    EXPECT_EQ(eventFilter(&quit), 1);
    EXPECT_EQ(quitRequested, 0);
}

TEST(EventFilter, AQueuedQuitEventEndsTheLoopBeforeAnyFrame)
{
    Demo* demo = makeTestDemo();
    SDL_Event quit = {};
    quit.type = SDL_QUIT;
    ASSERT_EQ(SDL_PushEvent(&quit), 0);
    SDL_FillRect(demo->screen, nullptr, 0x123456);
    Platform platform = {SDL_GetTicks, quitEventPending};
    platform.ticks = [] { return 5000u; };
    runFrameLoop(*demo, platform);
    EXPECT_EQ(demo->demoTime, 0u);
    EXPECT_EQ(pixelAt(demo->screen, 0, 0), 0x123456u);  // not even a border
    SDL_Event drained;
    while (SDL_PollEvent(&drained)) {
    }
    freeTestDemo(demo);
}
