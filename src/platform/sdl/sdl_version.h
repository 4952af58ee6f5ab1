#pragma once

#include <SDL.h>

// True on sdl12-compat, the SDL 1.2 API over SDL2, which calls itself 1.2.50
// and later; classic SDL 1.2 ends at 1.2.15. The two differ in how they pace
// flips, scale the display and feed the sound device.
inline bool onSdl12Compat()
{
    constexpr Uint8 kFirstCompatPatch = 50;
    return SDL_Linked_Version()->patch >= kFirstCompatPatch;
}
