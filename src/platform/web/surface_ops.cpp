#include "platform/web/surface_ops.h"

#include <algorithm>

bool clipFill(const SDL_Rect& clip, SDL_Rect& rect)
{
    const int left = std::max<int>(rect.x, clip.x);
    const int top = std::max<int>(rect.y, clip.y);
    const int right = std::min(rect.x + rect.w, clip.x + clip.w);
    const int bottom = std::min(rect.y + rect.h, clip.y + clip.h);
    rect.x = static_cast<int16_t>(left);
    rect.y = static_cast<int16_t>(top);
    rect.w = static_cast<uint16_t>(std::max(right - left, 0));
    rect.h = static_cast<uint16_t>(std::max(bottom - top, 0));
    return rect.w && rect.h;
}

void fillPixels(const PixelView& target, uint32_t pixel)
{
    for (int y = 0; y < target.height; ++y) std::fill_n(target.row(y), target.width, pixel);
}
