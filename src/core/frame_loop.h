#pragma once

#include "core/demo.h"

#include <cstdint>
#include <functional>

// Where the frame loop gets its time and its quit requests: from each
// platform's own (platform/*/), or from a test that drives the loop through
// the timeline.
struct Platform {
    std::function<uint32_t()> ticks;
    std::function<bool()> quitPending;  // pumps events, then peeks for a quit event
    std::function<void()> nap = nullptr;  // between turns of a paused loop: sleeps a little, or null
};

// One frame for the current demoTime: clear destRect, run the scene switch,
// draw the border, flip. Touches neither the clock nor the event queue, so a
// renderer can draw any exact demoTime with it.
void drawFrame(Demo& demo);

// drawFrame without the flip: a frame that only moves the timeline on, as
// the player's replays draw them (core/player.h).
void renderFrame(Demo& demo);

// renderFrame, its picture drawn only when `shown`: otherwise under an empty
// clip rectangle, so that the scenes only move on what they carry into the
// next frame (showsNothing, effects/effect.h). The clip is whole after.
void renderFrameShowing(Demo& demo, bool shown);

// Moves to the next scene once demoTime has reached the current one's end,
// drawing nothing that frame; otherwise draws the current scene. After the
// last scene it fills the display black and asks the loop to stop.
void runSceneSwitch(Demo& demo);

// Whether scene `scene` draws over the picture the frames before it left,
// as the fire does; every other scene draws the whole screen anew.
bool drawsOverLastPicture(int scene);

// The one-pixel black frame round the display, written into its pixels.
void drawBorder(SDL_Surface* screen);

class Player;

// One turn of the frame loop: the player's keys first, when there is a
// player (core/player.h); then, unless a jump or a step has put its frame on
// the screen or the demo is paused, advances the clock and draws; then
// checks for a quit event; false when one is pending. For a caller that
// cannot loop, such as the web page, which draws one frame per display
// refresh.
bool runFrame(Demo& demo, const Platform& platform, Player* player = nullptr);

// The demo clock and the sound stop at tick count `ticks`: demoTime stays
// where it is and the sound fades out. On resume both go on from there, the
// clock's origin moved on by the time paused. A front end runs no frame
// meanwhile: the fire, the warp and the fountain move on with every frame.
void pauseDemo(Demo& demo, uint32_t ticks);
void resumeDemo(Demo& demo, uint32_t ticks);

// Runs frames until a quit request or the end of the timeline, with the
// platform's nap between turns while paused.
void runFrameLoop(Demo& demo, const Platform& platform, Player* player = nullptr);
