#pragma once

#include "core/demo.h"

// One frame of the timeline, drawn the same way for every front end: into
// the demo's screen, for its demoTime. Touches neither the clock, the event
// queue nor the display, so a renderer can draw any exact demoTime with it;
// present.h shows the result.

// One frame: clears destRect, runs the scene switch, draws the border.
void renderFrame(Demo& demo);

// renderFrame under an empty clip rectangle: the scenes draw nothing and
// only move on what they carry into the next frame (showsNothing,
// effects/effect.h). The clip is whole again after.
void renderUnseenFrame(Demo& demo);

// Moves to the next scene once demoTime has reached the current one's end,
// drawing nothing that frame; otherwise draws the current scene. After the
// last scene it fills the display black and asks the loop to stop.
void runSceneSwitch(Demo& demo);

// How many of scene `scene`'s frames in a row, the latest included, leave
// something of their pictures on its screen: the fire draws over what the
// frames before it left; every other scene draws the whole screen anew (1).
int framesRemembered(int scene);

// The one-pixel black frame round the display, written into its pixels.
void drawBorder(SDL_Surface* screen);
