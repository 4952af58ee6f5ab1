#pragma once

#include "effects/effect.h"
#include "effects/pixel_view.h"
#include "globals.h"

// An animated field of downward-smeared noise in a blue colour ramp. What it
// carries from frame to frame, its table and cursor, is in the program-wide
// runState; its working memory is the program-wide noiseBuffers.
class NoiseEffect : public Effect {
public:
    NoiseEffect(uint32_t width, uint32_t height);

    // time counts 40 ms steps in the demo: it drives the bias field and
    // shifts the palette. The first render fills the table; a target that
    // shows nothing only moves the cursor on (skipNoiseField).
    void render(SDL_Surface* target, int32_t time) override;
};

constexpr int kNoiseTableSize = 1024;

// A table of the next 1024 nextRandom() results, as the first render makes.
std::shared_ptr<const std::vector<uint16_t>> makeNoiseTable();

// Sizes both byte fields for width x height, when they are not yet.
void sizeNoiseBuffers(NoiseBuffers& buffers, uint32_t width, uint32_t height);

// The bias of a frame, -10..10: ten times the sine of time / 3 radians.
int32_t noiseBias(int32_t time);

// Fills the bias field for bias byte b0: row 0 is b0 and each further row
// adds half the row above, wrapping at 256; the last column stays b0.
void fillBiasField(NoiseBuffers& buffers, uint8_t b0);

// Byte c as a pixel: red c / 2, green c / 4, blue c.
inline uint32_t noiseRampColour(uint8_t c)
{
    return (uint32_t{c} >> 1) << 16 | (uint32_t{c} >> 2) << 8 | c;
}

// One frame into the buffers' width x height pixels of the target: fills the
// noise rows from the table after `cursor` (one nextRandom() per row moves
// the cursor on), smears them downward, subtracts the bias field and adds
// time before the ramp. The buffers must be sized.
void drawNoiseField(const PixelView& target, const std::vector<uint16_t>& table, int32_t& cursor,
                    NoiseBuffers& buffers, int32_t time);

// What drawNoiseField leaves of the cursor for a field of that size, drawing
// nothing: moved on, with the same nextRandom() calls. The noise itself is
// drawn anew every frame, so no later frame misses it.
void skipNoiseField(int32_t& cursor, uint32_t width, uint32_t height);
