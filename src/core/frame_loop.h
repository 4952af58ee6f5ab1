#pragma once

#include "core/demo.h"

#include <cstdint>
#include <functional>

// The loop that drives the frames on the demo clock: each turn reads the
// platform's clock, moves the clock and the sound on, draws the frame and
// shows it. The player (player/player.h) runs its own turns through it.

// Where the frame loop gets its time and its quit requests: from each
// platform's own (platform/*/), or from a test that drives the loop through
// the timeline.
struct Platform {
    std::function<uint32_t()> ticks;
    std::function<bool()> quitPending;  // pumps events, then peeks for a quit event
    std::function<void()> nap = nullptr;  // between turns of a paused loop: sleeps a little, or null
};

// Moves the clock on to tick count `ticks`, the sound with it, and draws
// the frame for the new demoTime.
void playFrame(Demo& demo, uint32_t ticks);

// renderFrame, then presentFrame (core/frame.h, core/present.h).
void drawFrame(Demo& demo);

// The demo clock and the sound stop at tick count `ticks`: demoTime stays
// where it is and the sound fades out. On resume both go on from there, the
// clock's origin moved on by the time paused. A front end plays no frame
// meanwhile: the fire, the warp and the fountain move on with every frame.
void pauseDemo(Demo& demo, uint32_t ticks);
void resumeDemo(Demo& demo, uint32_t ticks);

// One turn of the loop at tick count `ticks`; whether nothing is to change
// until a key comes, so that the loop may nap. Without a player, a turn
// plays a frame and shows it, and naps while paused.
using Turn = std::function<bool(uint32_t ticks)>;

// Runs `turn` once, unless the demo is to end already, then the platform's
// nap if the turn allows it, and pumps the events. False once the demo is
// to end: every turn of the loop, and for a caller that cannot loop, such as
// the web page, which runs one turn per display refresh, without a nap.
bool runTurn(const Platform& platform, const Turn& turn);

// Runs turns until a quit request or the end of the timeline, with the
// platform's nap after the turns that allow it. A quit already pending runs
// none.
void runFrameLoop(Demo& demo, const Platform& platform, const Turn& turn = nullptr);
