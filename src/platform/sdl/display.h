#pragma once

#include "driver/frame_loop.h"

#include <SDL.h>

// The demo's display on a desktop, through SDL 1.2 under X: the settings
// sdl12-compat takes, the switch between full screen and a window, and the
// end of the demo when the display goes away.

// Before SDL starts, sdl12-compat's settings, each unless the user has set
// it: SDL_Flip waits for the display's refresh (SDL12COMPAT_SYNC_TO_VBLANK,
// 0 turns it off; the frame loop has no limit of its own), and the picture
// fills the screen's height with nearest-neighbour pixels
// (SDL12COMPAT_SCALE_METHOD, linear smooths them). Classic SDL 1.2 ignores
// both: it flips as fast as the loop runs and does not scale.
void preferDisplaySettings();

// Once SDL knows the desktop, before the display opens: a window (after F11
// or Alt+Enter) shows the picture at the largest whole multiple of its size
// that leaves room on the desktop, its height below the desktop's
// (SDL12COMPAT_WINDOW_SCALING, unless the user has set it). sdl12-compat
// only; classic SDL's window is the picture's own size.
void preferWindowScale(int width, int height);

// Switches the display between full screen and a window, the mouse pointer
// hidden in full screen only. Nothing changes when SDL cannot switch. The
// demo opens its display as a window and switches it at once: sdl12-compat
// sizes a window by SDL12COMPAT_WINDOW_SCALING only when it is made as one,
// and would otherwise bring back a window of the picture's own size.
void toggleFullScreen(SDL_Surface* screen);

// After the display has opened: should the X server go away (the session
// ends, the server restarts, a remote display drops), says so in one line on
// stderr, closes the sound and ends the process with status 1. Without this,
// sdl12-compat would go on running the demo on a dead display for good.
void endOnLostDisplay();

// SDL's clock and events, as sdlPlatform() gives them, and after each pump
// the switch between full screen and a window that F11 or Alt+Enter asked
// for, the mouse pointer hidden in full screen only.
Platform desktopPlatform();
