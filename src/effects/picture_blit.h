#pragma once

#include "effects/pixel_view.h"

#include <SDL.h>

#include <cstdint>

// Whole pictures drawn onto the screen, with the rectangle arithmetic and the
// per-pixel alpha blend of classic SDL 1.2's blit. The demo draws its
// pictures here rather than through SDL_BlitSurface because SDL 1.2's
// implementations blend differently (sdl12-compat rounds as SDL2 does): this
// way every SDL, and the browser, gives the same frames. Only the two layouts
// that start-up gives pictures (pictureInDisplayLayout) are drawn.

// The part of a view under a rectangle that lies inside it. SDL keeps
// offsets as unsigned 16-bit values.
PixelView subView(const PixelView& view, const SDL_Rect& rect);

// SDL_UpperBlit's clipping of a whole source picture of w x h pixels against
// the destination's clip rectangle. Like SDL, writes the clipped rectangle
// back into dest (the 16-bit x and y wrap as SDL's do; w and h 0 when
// nothing is left) and gives the source area to copy. False when nothing is
// left to draw.
bool clipBlit(int w, int h, const SDL_Rect& clip, SDL_Rect& dest, SDL_Rect& source);

// Classic SDL 1.2's per-pixel alpha blend of ARGB onto xRGB, as its MMX and
// C routines compute it: alpha 0 leaves the target, 255 copies the colour,
// anything else moves each channel by floor((s - d) * alpha / 256); the
// target's top byte is kept. Both views have the same size.
uint32_t blendPixel(uint32_t source, uint32_t target);
void blendPixels(const PixelView& source, const PixelView& target);

// A plain copy of rows of the same layout.
void copyPixels(const PixelView& source, const PixelView& target);

// The whole picture with its top-left corner at place's x and y, clipped to
// clip, blended when it has alpha and copied when not; place gets the
// clipped rectangle, as clipBlit writes it.
void drawPicture(const PixelView& picture, bool alpha, const PixelView& target, const SDL_Rect& clip,
                 SDL_Rect& place);

// The same on surfaces, as SDL_BlitSurface(picture, NULL, target, &place)
// would: locks each surface that SDL would lock for the drawing. Draws nothing, but still writes place,
// when a lock fails or the picture is in neither of the display's layouts;
// without a picture or a target, does nothing at all.
void blitPicture(SDL_Surface* picture, SDL_Surface* target, SDL_Rect& place);

// A loaded picture in the display's layout: without alpha as the display's
// pixels, with alpha as those with alpha in the top byte. Frees the original
// when it converts; keeps it when conversion fails or is not needed. Colour
// keys and surface alpha, which the demo's pictures never carry, are not
// drawn.
SDL_Surface* pictureInDisplayLayout(SDL_Surface* picture);
