#pragma once

#include "effects/effect.h"
#include "effects/pixel_view.h"
#include "globals.h"

// An animated field of downward-smeared noise in a blue colour ramp. Its
// buffers live in the program-wide noiseField, made by the first render.
class NoiseEffect : public Effect {
public:
    NoiseEffect(uint32_t width, uint32_t height);

    // time counts 40 ms steps in the demo: it drives the bias field and
    // shifts the palette. A target that shows nothing only moves the cursor
    // on (skipNoiseField).
    void render(SDL_Surface* target, int32_t time) override;
};

constexpr int kNoiseTableSize = 1024;

// First use: sizes both byte fields and fills the table with the next 1024
// nextRandom() results. The cursor is left alone.
void setUpNoiseField(NoiseFieldState& field, uint32_t width, uint32_t height);

// The bias of a frame, -10..10: ten times the sine of time / 3 radians.
int32_t noiseBias(int32_t time);

// Fills the bias field for bias byte b0: row 0 is b0 and each further row
// adds half the row above, wrapping at 256; the last column stays b0.
void fillBiasField(NoiseFieldState& field, uint8_t b0);

// Byte c as a pixel: red c / 2, green c / 4, blue c.
inline uint32_t noiseRampColour(uint8_t c)
{
    return (uint32_t{c} >> 1) << 16 | (uint32_t{c} >> 2) << 8 | c;
}

// One frame into the field's width x height pixels of the target: fills the
// noise rows from the table (one nextRandom() per row moves the cursor on), smears
// them downward, subtracts the bias field and adds time before the ramp.
// The field must have been set up.
void drawNoiseField(const PixelView& target, NoiseFieldState& field, int32_t time);

// What drawNoiseField leaves of the field, drawing nothing: the cursor moved
// on, with the same nextRandom() calls. The noise itself is drawn anew every
// frame, so no later frame misses it.
void skipNoiseField(NoiseFieldState& field);
