#pragma once

#include <SDL.h>

// The demo's keys and quit, read from SDL's events by every front end that
// has them (the desktop and the web page).

// SDL event filter, called for every event: a key press while Escape is
// down, or a press of Escape even if already released, becomes a quit
// request; F11 or Alt+Enter a request to toggle full screen; the player's
// keys (player/player_keys.h) go to playerKeys. Only SDL_QUIT is queued.
// The frame loop never takes events off the queue (it only peeks for SDL_QUIT), so
// anything else queued would stay: once mouse motion and keys had filled
// SDL's 128 entries, a window close would be lost.
int eventFilter(const SDL_Event* event);

// SDL's events pumped, then a peek for SDL_QUIT, which the event filter lets
// through.
bool quitEventPending();
