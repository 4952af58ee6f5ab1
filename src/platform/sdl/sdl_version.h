#pragma once

#include <SDL.h>

#include <cstring>

// True on sdl12-compat, the SDL 1.2 API over SDL2, which calls itself 1.2.50
// and later; classic SDL 1.2 ends at 1.2.15. The two differ in how they pace
// flips, scale the display and feed the sound device.
inline bool onSdl12Compat()
{
    constexpr Uint8 kFirstCompatPatch = 50;
    return SDL_Linked_Version()->patch >= kFirstCompatPatch;
}

// True when SDL draws through a Wayland compositor, which only sdl12-compat's
// SDL2 does; X, XWayland included, otherwise.
inline bool onWayland()
{
    char driver[16] = "";
    return SDL_VideoDriverName(driver, sizeof driver) && std::strcmp(driver, "wayland") == 0;
}
