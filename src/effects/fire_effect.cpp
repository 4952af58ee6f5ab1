#include "effects/fire_effect.h"

#include "effects/surface_lock.h"
#include "random.h"

#include <algorithm>

namespace {
// A quarter of each byte of a packed pixel. Weighted 1, 2, 1, three of them
// sum to at most 252 per byte, so no channel carries into the next.
inline uint32_t quarter(uint32_t v)
{
    return (v >> 2) & 0x3f3f3f3fu;
}

void seedRows(const PixelView& target, uint32_t colourMask)
{
    // Guarded only so that a too-small area cannot write above its first row.
    const int rows = std::min(kFireSeedRows, target.height);
    for (int i = 0; i < rows; ++i) {
        uint32_t* row = target.row(target.height - 1 - i);
        for (int x = 0; x < target.width; ++x) {
            static_assert(kFireDrawsPerPixel == 2, "a seed pixel is the product of two draws");
            const uint32_t a = static_cast<uint32_t>(nextRandom());
            const uint32_t b = static_cast<uint32_t>(nextRandom());
            row[x] = (a * b) & colourMask;
        }
    }
}

// Two different rows never overlap, which lets the compiler vectorise.
void blurRow(uint32_t* __restrict out, const uint32_t* __restrict below, int width)
{
    for (int x = 1; x + 1 < width; ++x) out[x] = quarter(below[x - 1]) + 2 * quarter(below[x]) + quarter(below[x + 1]);
}

// Top row first: row y reads only row y + 1, which is rewritten after it, so
// the blur runs in place without a second buffer.
void blurUpward(const PixelView& target)
{
    for (int y = 0; y + 1 < target.height; ++y) blurRow(target.row(y), target.row(y + 1), target.width);
}
}  // namespace

FireEffect::FireEffect(uint32_t width, uint32_t height) : Effect(width, height) {}

void FireEffect::render(SDL_Surface* target, int32_t)
{
    if (showsNothing(target)) {
        const uint64_t seedPixels = uint64_t{width} * static_cast<uint64_t>(std::min<uint32_t>(kFireSeedRows, height));
        skipRandom(seedPixels * kFireDrawsPerPixel);
        return;
    }
    SurfaceLock lock(target);
    if (!lock) return;
    PixelView view = viewOf(target);
    view.width = static_cast<int>(width);
    view.height = static_cast<int>(height);
    drawFire(view, colourMask);
}

void drawFire(const PixelView& target, uint32_t colourMask)
{
    seedRows(target, colourMask);
    blurUpward(target);
}
