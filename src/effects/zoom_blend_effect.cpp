#include "effects/zoom_blend_effect.h"

#include "effects/surface_lock.h"

#include <algorithm>

namespace {
constexpr int32_t kPull = 10;  // offsets reach a tenth of the way to the centre

// Half of each byte of both pixels, summed: at most 127 + 127, so no byte
// carries into the next.
inline uint32_t average(uint32_t a, uint32_t b)
{
    return ((a >> 1) & 0x7f7f7f7f) + ((b >> 1) & 0x7f7f7f7f);
}

// The usual case: with a scale of 0..10 every sample stays between the
// pixel and the centre, so inside a source of at least the offsets' size and
// no clamping is needed.
void blendUnclamped(const PixelView& source, const PixelView& target, const ZoomOffsets& offsets, int32_t scale,
                    int width, int height)
{
    const int32_t sourceRowWords = source.pitch / 4;
    for (int y = 0; y < height; ++y) {
        const size_t first = static_cast<size_t>(y) * offsets.width;
        const int32_t* rows = offsets.rows.data() + first;
        const int32_t* columns = offsets.columns.data() + first;
        const uint32_t* sourceRow = source.row(y);
        uint32_t* targetRow = target.row(y);
        for (int x = 0; x < width; ++x) {
            const int32_t o = (rows[x] * sourceRowWords + columns[x]) * scale;
            targetRow[x] = average(sourceRow[x + o], targetRow[x]);
        }
    }
}

// Any other scale or source: each sample is held to the nearest source pixel.
void blendClamped(const PixelView& source, const PixelView& target, const ZoomOffsets& offsets, int32_t scale,
                  int width, int height)
{
    for (int y = 0; y < height; ++y) {
        const size_t first = static_cast<size_t>(y) * offsets.width;
        uint32_t* targetRow = target.row(y);
        for (int x = 0; x < width; ++x) {
            const int64_t sy = y + static_cast<int64_t>(offsets.rows[first + x]) * scale;
            const int64_t sx = x + static_cast<int64_t>(offsets.columns[first + x]) * scale;
            const uint32_t s = source.row(static_cast<int>(std::clamp<int64_t>(sy, 0, source.height - 1)))
                                   [std::clamp<int64_t>(sx, 0, source.width - 1)];
            targetRow[x] = average(s, targetRow[x]);
        }
    }
}
}  // namespace

ZoomOffsets makeZoomOffsets(uint32_t width, uint32_t height)
{
    ZoomOffsets offsets;
    offsets.width = width;
    offsets.height = height;
    offsets.rows.resize(static_cast<size_t>(width) * height);
    offsets.columns.resize(static_cast<size_t>(width) * height);
    // Signed division truncates toward zero, which leaves a 19-pixel band of
    // zero offsets through the centre.
    const int64_t centreX = width / 2;
    const int64_t centreY = height / 2;
    size_t k = 0;
    for (int64_t y = 0; y < height; ++y) {
        for (int64_t x = 0; x < width; ++x, ++k) {
            offsets.rows[k] = static_cast<int32_t>((centreY - y) / kPull);
            offsets.columns[k] = static_cast<int32_t>((centreX - x) / kPull);
        }
    }
    return offsets;
}

void zoomBlendKernel(const PixelView& source, const PixelView& target, const ZoomOffsets& offsets, int32_t scale)
{
    const int64_t width = std::min<int64_t>({offsets.width, target.width, source.width});
    const int64_t height = std::min<int64_t>({offsets.height, target.height, source.height});
    if (width <= 0 || height <= 0) return;

    const bool samplesInside = scale >= 0 && scale <= kPull && source.width >= static_cast<int64_t>(offsets.width) &&
                               source.height >= static_cast<int64_t>(offsets.height) && source.pitch % 4 == 0;
    if (samplesInside)
        blendUnclamped(source, target, offsets, scale, static_cast<int>(width), static_cast<int>(height));
    else
        blendClamped(source, target, offsets, scale, static_cast<int>(width), static_cast<int>(height));
}

ZoomBlendEffect::ZoomBlendEffect(uint32_t width, uint32_t height, SDL_Surface* source)
    : Effect(width, height), offsets(makeZoomOffsets(width, height)), source(source)
{
}

void ZoomBlendEffect::render(SDL_Surface* target, int32_t)
{
    if (!target || !source) return;
    SurfaceLock targetLock(target);
    if (!targetLock) return;
    SurfaceLock sourceLock(source);  // released first, then the target's
    if (!sourceLock) return;
    zoomBlendKernel(viewOf(source), viewOf(target), offsets, scale);
}
