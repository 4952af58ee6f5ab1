#pragma once

#include "effects/picture_blit.h"

#include <SDL.h>

#include <cstdint>

// The pixel work of the web build's SDL layer (include/SDL.h), on plain
// buffers: SDL 1.2's fill and SDL_gfx's line (the demo draws its pictures
// itself, effects/picture_blit.h). Each reproduces the library's exact
// pixels and rectangle arithmetic, so that a frame drawn in the browser is
// the frame drawn natively; the native unit tests hold each to the real
// library. Only what
// the demo uses is here: 32-bit pixels with 8-bit channels.

// SDL_FillRect's clipping: the rectangle becomes its intersection with the
// clip rectangle (written back, as SDL does). False when it is empty.
bool clipFill(const SDL_Rect& clip, SDL_Rect& rect);
void fillPixels(const PixelView& target, uint32_t pixel);

// SDL_gfx's lineColor for an opaque colour already mapped to the target's
// layout: its Cohen-Sutherland clipping (single-precision slope, truncated
// steps), its straight-line and single-point cases and its Bresenham walk,
// which differs from the textbook line on most slopes.
void drawLine(const PixelView& target, const SDL_Rect& clip, int16_t x1, int16_t y1, int16_t x2, int16_t y2,
              uint32_t pixel);
