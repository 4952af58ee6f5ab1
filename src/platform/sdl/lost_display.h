#pragma once

// Apart from display.h: Xlib's own Display would clash with the demo's.

// Once SDL has started, before the display opens: should the X server go
// away (the session ends, the server restarts, a remote display drops),
// even while the display opens, says so in one line on stderr, closes the
// sound and ends the process with status 1. Without this, sdl12-compat would
// go on running the demo on a dead display for good.
void endOnLostDisplay();
