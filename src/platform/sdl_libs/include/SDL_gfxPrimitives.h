#pragma once

// SDL_gfx's lineColor where SDL_gfx is missing (the web, Windows:
// sdl_libs/gfx_primitives.cpp), over gfx_line.h: opaque colours on 32-bit
// surfaces only (0xRRGGBBff), the only ones the demo draws; any other fails
// with -1.
#include <SDL.h>

int lineColor(SDL_Surface* dst, Sint16 x1, Sint16 y1, Sint16 x2, Sint16 y2, Uint32 color);
