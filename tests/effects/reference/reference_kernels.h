#pragma once

// Each effect's kernel written as plainly as its algorithm reads: one pixel
// at a time, no tables beyond the effect's own, no shortcuts. The optimised
// kernels must match these pixel for pixel, and the benchmark measures how
// far ahead of them they are.
#include "effects/bump_warp_effect.h"
#include "effects/fountain_effect.h"
#include "effects/lines_effect.h"
#include "effects/pixel_view.h"
#include "effects/zoom_blend_effect.h"
#include "globals.h"

#include <SDL.h>

#include <cstdint>

namespace reference {

void fire(const PixelView& target, uint32_t colourMask);

// The buffers must be sized (sizeNoiseBuffers); the cursor carries on.
void noise(const PixelView& target, const std::vector<uint16_t>& table, int32_t& cursor, NoiseBuffers& field,
           int32_t time);

void warp(const uint8_t* src, uint8_t* dst, int width, int height, const SineTable& sineTable, int32_t phase);
void light(const PixelView& target, const uint8_t* heights, const uint8_t* lightMap, int32_t time);
std::vector<uint8_t> lightMap();

void lineFigure(int32_t time, uint32_t width, uint32_t height, float amplitude, LineFigure& figure);
// The whole frame: the figure drawn line by line with the line primitive.
void lines(SDL_Surface* target, int32_t time, uint32_t width, uint32_t height, float amplitude);

// One fountain frame: each particle moved, relaunched if it fell, and blitted
// in turn (the demo's picture blit), the sprite as it was loaded.
void fountain(Particles& particles, uint32_t width, uint32_t height, SDL_Surface* sprite, SDL_Surface* target,
              int32_t time, int32_t& previousTime, RandomSource random);

void zoomBlend(const PixelView& source, const PixelView& target, const ZoomOffsets& offsets, int32_t scale);

}  // namespace reference
