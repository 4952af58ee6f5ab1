#pragma once

#include "effects/pixel_view.h"

#include <SDL.h>

#include <cstdint>

// SDL_gfx's lineColor for an opaque colour already mapped to the target's
// layout: its Cohen-Sutherland clipping (single-precision slope, truncated
// steps), its straight-line and single-point cases and its Bresenham walk,
// which differs from the textbook line on most slopes. The native unit tests
// hold it to the real library.
void drawLine(const PixelView& target, const SDL_Rect& clip, int16_t x1, int16_t y1, int16_t x2, int16_t y2,
              uint32_t pixel);
