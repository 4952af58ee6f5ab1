#pragma once

#include "effects/picture_blit.h"

#include <SDL.h>

#include <cstdint>

// The pixel work of the web build's SDL layer (include/SDL.h), on plain
// buffers: SDL 1.2's fill. It reproduces SDL's exact pixels and rectangle
// arithmetic, so that a frame drawn in the browser is the frame drawn
// natively; the native unit tests hold it to the real library. Only what the
// demo uses is here: 32-bit pixels with 8-bit channels. The demo draws its
// pictures itself (effects/picture_blit.h), and SDL_gfx's line is shared
// with Windows (platform/sdl_libs/gfx_line.h).

// SDL_FillRect's clipping: the rectangle becomes its intersection with the
// clip rectangle (written back, as SDL does). False when it is empty.
bool clipFill(const SDL_Rect& clip, SDL_Rect& rect);
void fillPixels(const PixelView& target, uint32_t pixel);
