#pragma once

#include "core/frame_loop.h"
#include "core/startup.h"

#include <SDL.h>

// The demo's display on a desktop, through SDL 1.2 (under X on Linux, and on
// Windows): the settings sdl12-compat takes and the switch between full
// screen and a window.

// Before SDL starts, the desktop's settings, each unless the user has set
// it. On sdl12-compat: SDL_Flip waits for the display's refresh
// (SDL12COMPAT_SYNC_TO_VBLANK, 0 turns it off; the frame loop has no limit of
// its own); the picture fills the screen's height with nearest-neighbour
// pixels (SDL12COMPAT_SCALE_METHOD, linear smooths them); in a Wayland
// session SDL2 draws through Wayland, X being the fall-back
// (SDL_VIDEODRIVER), so that a scaled screen gets whole pixels. Classic SDL
// 1.2 ignores all three: it flips as fast as the loop runs and does not
// scale. On both, the window's class is the desktop file's name
// (SDL_VIDEO_X11_WMCLASS, which SDL2 also gives Wayland as the app id).
void preferDisplaySettings();

// Once SDL knows the desktop, before the display opens: a window (after F11
// or Alt+Enter) shows the picture at the largest whole multiple of its size
// that leaves room on the desktop, its height below the desktop's
// (SDL12COMPAT_WINDOW_SCALING, unless the user has set it). sdl12-compat
// only; classic SDL's window is the picture's own size.
void preferWindowScale(int width, int height);

// Switches the display between full screen and a window, the mouse pointer
// hidden in full screen only, the picture as it was. On sdl12-compat, and
// where classic SDL cannot switch in place (on Windows), the mode is set
// anew, the picture kept meanwhile in `kept`, a surface like the screen.
// Nothing changes when neither works.
void toggleFullScreen(SDL_Surface* screen, SDL_Surface* kept);

// The desktop's display, as the demo opens it once SDL runs: a lost display
// server ends the demo with a line saying so and status 1, the sound closed
// (endOnLostDisplay, platform/system.h), the event filter is in place, the
// window has its caption "Tideglow" and its icon from data/icon.png, and the
// display opens full screen, the mouse pointer hidden. It is made full
// screen rather than switched after it opens: a window switched at once is
// laid out for the screen before the compositor or window manager has made
// it so, and stays cropped (XWayland on sway) or shows a first frame scaled
// for the window (SDL2 2.26 on Wayland). On sway, F11 then brings back a
// tiled window rather than a floating one. The icon is cosmetic: when it
// cannot be loaded the window gets the desktop's default one, with a line
// on stderr.
Display openDesktopDisplay();

// SDL's clock and events (quitEventPending), a quit checked for a lost
// display server, after each pump the switch between full screen and a
// window that F11 or Alt+Enter asked for, and a nap of 15 ms while paused.
Platform desktopPlatform(SDL_Surface* screen);
