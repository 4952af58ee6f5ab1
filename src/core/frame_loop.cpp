#include "core/frame_loop.h"

#include "core/clock.h"
#include "core/frame.h"
#include "core/present.h"
#include "globals.h"
#include "sound/sound.h"

void playFrame(Demo& demo, uint32_t ticks)
{
    demo.demoTime = advanceClock(demo.demoTime, ticks - demo.startTicks);
    soundUpdate(demo.demoTime, ticks, demo.startTicks);
    renderFrame(demo);
}

void drawFrame(Demo& demo)
{
    renderFrame(demo);
    presentFrame(demo.screen);
}

void pauseDemo(Demo& demo, uint32_t ticks)
{
    if (demo.paused) return;
    demo.paused = true;
    demo.pausedAt = ticks;
    soundPause(true, ticks);
}

void resumeDemo(Demo& demo, uint32_t ticks)
{
    if (!demo.paused) return;
    demo.paused = false;
    demo.startTicks += ticks - demo.pausedAt;
    soundPause(false, ticks);
}

bool runTurn(const Platform& platform, const Turn& turn)
{
    if (quitRequested) return false;
    if (turn(platform.ticks()) && platform.nap) platform.nap();
    return !platform.quitPending();
}

void runFrameLoop(Demo& demo, const Platform& platform, const Turn& turn)
{
    const Turn plain = [&demo](uint32_t ticks) {
        if (!demo.paused) {
            playFrame(demo, ticks);
            presentFrame(demo.screen);
        }
        return demo.paused;
    };
    if (platform.quitPending()) return;
    while (runTurn(platform, turn ? turn : plain)) {
    }
}
