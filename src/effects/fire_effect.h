#pragma once

#include "effects/effect.h"
#include "effects/pixel_view.h"

// A rising fire kept in the target's own pixels: each frame seeds the bottom
// rows with random colours and moves the whole picture up one row, blurred,
// so whatever the previous frame left behind rises and fades with it.
class FireEffect : public Effect {
public:
    FireEffect(uint32_t width, uint32_t height);

    // time is not used: the fire advances once per call. A target that
    // shows nothing gets no picture, yet the random sequence moves on as a
    // drawn frame's would (kFireDrawsPerPixel): the frames after it then
    // rise from a stale picture, until fireMemory() frames have passed.
    void render(SDL_Surface* target, int32_t time) override;

    // Bits a seed pixel may have; set by the owner before the first render.
    uint32_t colourMask = 0;
};

// Number of seed rows written at the bottom of the area each frame, and the
// nextRandom() calls each of their pixels takes.
constexpr int kFireSeedRows = 10;
constexpr int kFireDrawsPerPixel = 2;

// How many frames of fire, the latest included, a picture of `height` rows
// still shows through: every row rises one row a frame, from the fresh seed
// rows, so after this many frames nothing older is left anywhere.
constexpr int fireMemory(int height)
{
    return height > kFireSeedRows ? height - kFireSeedRows + 1 : 1;
}

// One fire frame over the view's width x height area: seeds the bottom rows
// (bottom row first, each left to right, two nextRandom() calls per pixel) and then
// blurs every row but the last from the row below it.
void drawFire(const PixelView& target, uint32_t colourMask);
