#pragma once

#include "effects/pixel_view.h"

#include <SDL.h>

#include <cstdint>

// The pixel work of the web build's SDL layer (include/SDL.h), on plain
// buffers: SDL 1.2's blit clipping, its per-pixel alpha blend, its fill and
// SDL_gfx's line. Each reproduces the library's exact pixels and rectangle
// arithmetic, so that a frame drawn in the browser is the frame drawn
// natively; the native unit tests hold each to the real library. Only what
// the demo uses is here: 32-bit pixels with 8-bit channels.

// The part of a view under a rectangle that lies inside it. SDL keeps
// offsets as unsigned 16-bit values.
PixelView subView(const PixelView& view, const SDL_Rect& rect);

// SDL_UpperBlit's clipping of a whole source picture of w x h pixels against
// the destination's clip rectangle. Like SDL, writes the clipped rectangle
// back into dest (the 16-bit x and y wrap as SDL's do; w and h 0 when
// nothing is left) and gives the source area to copy. False when nothing is
// left to draw.
bool clipBlit(int w, int h, const SDL_Rect& clip, SDL_Rect& dest, SDL_Rect& source);

// SDL 1.2's per-pixel alpha blit of ARGB onto xRGB, as its MMX and C
// routines compute it: alpha 0 leaves the target, 255 copies the colour,
// anything else moves each channel by floor((s - d) * alpha / 256); the
// target's top byte is kept. Both views have the same size.
uint32_t blendPixel(uint32_t source, uint32_t target);
void blendPixels(const PixelView& source, const PixelView& target);

// A plain copy of rows of the same layout.
void copyPixels(const PixelView& source, const PixelView& target);

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
