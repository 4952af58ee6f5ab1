#pragma once

#include "driver/demo.h"

// Start-up and shutdown steps of the demo, in the order main() calls them.

constexpr int kScreenWidth = 640;
constexpr int kScreenHeight = 480;

struct Display {
    SDL_Surface* screen;
    SDL_Surface* backBuffer;  // same size and masks as the screen
};

// Before the display opens: the window's caption "Tideglow" and its icon
// from data/icon.png. The icon is cosmetic: when it cannot be loaded the
// window gets the desktop's default one, with a line on stderr.
void setWindowCaptionAndIcon();

// Opens a 32-bit software display whose pixels persist from frame to frame,
// and a back buffer like it. Both null when SDL refuses the mode; throws
// std::bad_alloc when the back buffer cannot be made, like any other
// allocation of start-up.
Display openDisplay(int width, int height, bool fullscreen);

// SDL event filter, called for every event: a key press while Escape is
// down, or a press of Escape even if already released, becomes a quit
// request; F11 or Alt+Enter a request to toggle full screen. Only SDL_QUIT is queued. The frame loop never takes events off the
// queue (it only peeks for SDL_QUIT), so anything else queued would stay: once
// mouse motion and keys had filled SDL's 128 entries, a window close would be
// lost.
int eventFilter(const SDL_Event* event);

// Everything the timeline needs on an open display: clears the back buffer,
// creates the effects and loads the pictures in their fixed order, arms the
// cue events. Draws on the random sequence (random.h), so seed it first. On
// a picture that cannot be loaded prints which one and why and returns false.
bool prepareDemo(Demo& demo);

// The effects that come before the pictures, in creation order.
void createEarlyEffects(Demo& demo);

// Loads the sixteen pictures from data/, after checking each file's header
// (driver/picture_check.h). On failure prints which one and why and returns
// false.
bool loadPictures(Pictures& pictures);

// The effects that need the pictures.
void createLateEffects(Demo& demo);

// Arms every cue event and puts the scene switch at the first scene.
void armTimeline(Demo& demo);

// Releases what the demo releases before exit; the rest goes with the process.
void releaseDemo(Demo& demo);
