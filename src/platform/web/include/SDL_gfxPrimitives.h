#pragma once

// SDL_gfx's lineColor in the web build (gfx_line.cpp): opaque colours only
// (0xRRGGBBff), the only ones the demo draws; any other fails with -1.
#include <SDL.h>

int lineColor(SDL_Surface* dst, Sint16 x1, Sint16 y1, Sint16 x2, Sint16 y2, Uint32 color);
