#include "platform/web/surface_ops.h"

#include <algorithm>
#include <cstring>

PixelView subView(const PixelView& view, const SDL_Rect& rect)
{
    uint8_t* corner = reinterpret_cast<uint8_t*>(view.row(static_cast<uint16_t>(rect.y))) +
                      static_cast<ptrdiff_t>(static_cast<uint16_t>(rect.x)) * 4;
    return {reinterpret_cast<uint32_t*>(corner), view.pitch, rect.w, rect.h};
}

namespace {
// Clips one axis of a blit: moves `dest` and `length` into [clipStart,
// clipStart + clipLength) and returns how far the source start moved.
int clipAxis(int16_t& dest, int& length, int clipStart, int clipLength)
{
    int moved = 0;
    const int before = clipStart - dest;
    if (before > 0) {
        length -= before;
        dest = static_cast<int16_t>(dest + before);
        moved = before;
    }
    const int after = dest + length - clipStart - clipLength;
    if (after > 0) length -= after;
    return moved;
}
}  // namespace

bool clipBlit(int w, int h, const SDL_Rect& clip, SDL_Rect& dest, SDL_Rect& source)
{
    const int sourceX = clipAxis(dest.x, w, clip.x, clip.w);
    const int sourceY = clipAxis(dest.y, h, clip.y, clip.h);
    if (w <= 0 || h <= 0) {
        dest.w = dest.h = 0;
        return false;
    }
    dest.w = static_cast<uint16_t>(w);
    dest.h = static_cast<uint16_t>(h);
    source = {static_cast<int16_t>(sourceX), static_cast<int16_t>(sourceY), dest.w, dest.h};
    return true;
}

uint32_t blendPixel(uint32_t source, uint32_t target)
{
    const uint32_t alpha = source >> 24;
    if (alpha == 0) return target;
    if (alpha == 0xff) return (source & 0xffffff) | (target & 0xff000000);
    uint32_t out = target & 0xff000000;
    for (int shift = 0; shift < 24; shift += 8) {
        const int s = static_cast<int>(source >> shift & 0xff);
        const int d = static_cast<int>(target >> shift & 0xff);
        // An arithmetic shift: a darker source floors towards minus infinity.
        out |= static_cast<uint32_t>((d + ((s - d) * static_cast<int>(alpha) >> 8)) & 0xff) << shift;
    }
    return out;
}

void blendPixels(const PixelView& source, const PixelView& target)
{
    for (int y = 0; y < target.height; ++y) {
        const uint32_t* in = source.row(y);
        uint32_t* out = target.row(y);
        for (int x = 0; x < target.width; ++x) out[x] = blendPixel(in[x], out[x]);
    }
}

void copyPixels(const PixelView& source, const PixelView& target)
{
    for (int y = 0; y < target.height; ++y)
        memcpy(target.row(y), source.row(y), static_cast<size_t>(target.width) * 4);
}

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
