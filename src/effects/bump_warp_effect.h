#pragma once

#include "effects/effect.h"
#include "effects/pixel_view.h"
#include "effects/row_split.h"

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

    // Warps the field one step (even when the lock then fails) and lights it
    // into the target. time, in milliseconds, sets the warp's phase and
    // scrolls the light. Unlike the other effects, a target that shows
    // nothing leaves the step owed rather than taken: the field is worked
    // out only when something looks at it (a render that shows, heights()),
    // so a run through the scene that shows none of it costs next to nothing.
    void render(SDL_Surface* target, int32_t time) override;

    // Owes the step a frame at `time` takes, as render does before it draws.
    void owe(int32_t time);

    // The height field after every step so far, width x height bytes: the
    // owed steps are taken first, their rows shared out by `split`, or all
    // on the calling thread.
    const uint8_t* heights(RowSplit& split);
    const uint8_t* heights();
    // Puts a height field taken from heights() back, for the next step; the
    // steps owed are dropped with the field they were owed to.
    void setHeights(const uint8_t* heights);

private:
    std::vector<uint8_t> heightMaps[2];  // double buffer, row-major, 0..127
    std::vector<uint8_t> lightMap;       // intensity by (row byte, column byte)
    SineTable sineTable;
    int current = 0;  // which height map holds the latest step taken
    std::vector<int32_t> owed;  // the phases of the steps owed, oldest first
};

// Sine over 1024 steps of 6.28318 / 1024 radians, scaled by 65536 and
// truncated. The step falls a little short of a full turn.
SineTable buildSineTable();

// 256 x 256 intensities of one soft spot centred on row 168, column 158:
// cos(d / 128 * ~pi/2)^5 * 255, zero from distance 128 on.
std::vector<uint8_t> buildLightMap();

// The warp's phase for a time in milliseconds: time * 0.025f, truncated.
int32_t warpPhase(int32_t time);

// How the warp copies its samples: the plain way, or with the vector
// instructions of AVX2 or AVX-512 where the processor has them, the same
// bytes faster.
enum class WarpSampling { Plain, Avx2, Avx512 };
bool warpSamplingRuns(WarpSampling sampling);
WarpSampling fastestWarpSampling();

// One warp step over rows [firstRow, endRow) of dst, by default all: each
// dst pixel copies the src height at a sum-of-sines displacement of -4..3
// pixels in each direction, clamped to the field. Sampled the fastest way
// the processor runs unless told.
void warpHeightField(const uint8_t* src, uint8_t* dst, int width, int height, const SineTable& sineTable,
                     int32_t phase, int firstRow = 0, int endRow = -1,
                     WarpSampling sampling = fastestWarpSampling());

// Lights the heights into the target's pixels: for every pixel but those of
// the last column and row, the differences to the right and lower
// neighbours, offset by position and a time-driven scroll, index the light
// map; the intensity is written as grey. The view's size is the field's.
void lightHeightField(const PixelView& target, const uint8_t* heights, const uint8_t* lightMap, int32_t time);
