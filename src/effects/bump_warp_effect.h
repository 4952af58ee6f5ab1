#pragma once

#include "effects/effect.h"
#include "effects/pixel_view.h"

#include <array>
#include <vector>

constexpr int kSineTableSize = 1024;
constexpr int kLightMapSize = 256 * 256;

using SineTable = std::array<int32_t, kSineTableSize>;

// A grey, embossed surface that writhes: a field of byte heights, warped a
// little further every frame, lit through a precomputed light spot.
class BumpWarpEffect : public Effect {
public:
    BumpWarpEffect(uint32_t width, uint32_t height);

    // Warps the field one step (even when the lock then fails or the target
    // shows nothing) and lights it into the target. time, in milliseconds,
    // sets the warp's phase and scrolls the light.
    void render(SDL_Surface* target, int32_t time) override;

    // The height field that the latest warp wrote; width x height bytes.
    const uint8_t* currentHeights() const { return heightMaps[current].data(); }
    // Puts a height field taken from currentHeights() back, for the next warp.
    void setHeights(const uint8_t* heights);

private:
    void warp();

    std::vector<uint8_t> heightMaps[2];  // double buffer, row-major, 0..127
    std::vector<uint8_t> lightMap;       // intensity by (row byte, column byte)
    SineTable sineTable;
    int current = 0;  // which height map holds the latest warp
    int32_t phase = 0;
};

// Sine over 1024 steps of 6.28318 / 1024 radians, scaled by 65536 and
// truncated. The step falls a little short of a full turn.
SineTable buildSineTable();

// 256 x 256 intensities of one soft spot centred on row 168, column 158:
// cos(d / 128 * ~pi/2)^5 * 255, zero from distance 128 on.
std::vector<uint8_t> buildLightMap();

// The warp's phase for a time in milliseconds: time * 0.025f, truncated.
int32_t warpPhase(int32_t time);

// One warp step: each dst pixel copies the src height at a sum-of-sines
// displacement of -4..3 pixels in each direction, clamped to the field.
void warpHeightField(const uint8_t* src, uint8_t* dst, int width, int height, const SineTable& sineTable,
                     int32_t phase);

// Lights the heights into the target's pixels: for every pixel but those of
// the last column and row, the differences to the right and lower
// neighbours, offset by position and a time-driven scroll, index the light
// map; the intensity is written as grey. The view's size is the field's.
void lightHeightField(const PixelView& target, const uint8_t* heights, const uint8_t* lightMap, int32_t time);
