#pragma once

#include "effects/effect.h"
#include "effects/pixel_view.h"

#include <cstdint>
#include <vector>

// Per-pixel sampling offsets of the zoom: each pixel is pulled a tenth of the
// way towards the centre. Row-major, index y * width + x.
struct ZoomOffsets {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<int32_t> rows;
    std::vector<int32_t> columns;
};

ZoomOffsets makeZoomOffsets(uint32_t width, uint32_t height);

// Replaces each target pixel of the offsets' area with the half-and-half
// average of itself and its zoomed source sample. Reads and writes only
// pixels the two views hold, whatever their sizes and pitches.
void zoomBlendKernel(const PixelView& source, const PixelView& target, const ZoomOffsets& offsets, int32_t scale);

// Blends a slightly enlarged copy of a source surface into the target.
class ZoomBlendEffect : public Effect {
public:
    ZoomBlendEffect(uint32_t width, uint32_t height, SDL_Surface* source);
    void render(SDL_Surface* target, int32_t time) override;

    // Factor on both sampling offsets; keep it in 0..10.
    int32_t scale = 1;

private:
    ZoomOffsets offsets;
    SDL_Surface* source;  // not owned
};
