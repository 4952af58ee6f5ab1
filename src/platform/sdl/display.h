#pragma once

#include "core/frame_loop.h"
#include "core/startup.h"

#include <SDL.h>

// The demo's display on a desktop, through SDL 1.2 (under X on Linux, and on
// Windows): the settings sdl12-compat takes and the switch between full
// screen and a window.

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
// hidden in full screen only: in place, or where SDL cannot (classic SDL 1.2
// on Windows) by setting the mode anew. Nothing changes when neither works.
void toggleFullScreen(SDL_Surface* screen);

// The desktop's display, as the demo opens it once SDL runs: a lost display
// ends the demo (endOnLostDisplay, platform/system.h), the event filter is in
// place, the window has its caption "Tideglow" and its icon from
// data/icon.png, and the display opens full screen (openFullScreen) with
// the mouse pointer hidden. The icon is cosmetic: when it cannot be loaded
// the window gets the desktop's default one, with a line on stderr.
Display openDesktopDisplay();

// openDisplay, full screen. On sdl12-compat the display opens as a window
// and is switched at once: sdl12-compat sizes a window by
// SDL12COMPAT_WINDOW_SCALING only when it is made as one, and F11 would
// otherwise bring back a window of the picture's own size. Classic SDL
// opens full screen directly, as its own toggle under X is less sure.
Display openFullScreen(int width, int height);

// SDL's clock and events (quitEventPending), and after each pump
// the switch between full screen and a window that F11 or Alt+Enter asked
// for, the mouse pointer hidden in full screen only.
Platform desktopPlatform();
