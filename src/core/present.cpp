#include "core/present.h"

#include "effects/surface_lock.h"

#include <algorithm>

namespace {
// The screen's bottom `rows` rows; the screen locked.
PixelView bottomRows(SDL_Surface* screen, int rows)
{
    const PixelView view = viewOf(screen);
    return {view.row(view.height - rows), view.pitch, view.width, rows};
}
}  // namespace

void presentFrame(SDL_Surface* screen, Overlay* overlay)
{
    bool drawn = false;
    if (overlay) {
        SurfaceLock lock(screen);
        if (lock) {
            const PixelView strip = bottomRows(screen, overlay->rows);
            const auto width = static_cast<size_t>(strip.width);
            overlay->under.resize(width * static_cast<size_t>(strip.height));
            for (int y = 0; y < strip.height; ++y) std::copy_n(strip.row(y), width, &overlay->under[width * y]);
            overlay->draw(strip);
            drawn = true;
        }
    }
    SDL_Flip(screen);
    if (!drawn) return;
    SurfaceLock lock(screen);
    if (!lock) return;
    const PixelView strip = bottomRows(screen, overlay->rows);
    const auto width = static_cast<size_t>(strip.width);
    for (int y = 0; y < strip.height; ++y) std::copy_n(&overlay->under[width * y], width, strip.row(y));
}
