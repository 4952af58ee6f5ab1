#include "effects/picture_blit.h"

#include "effects/surface_lock.h"

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

constexpr uint32_t kTopByte = 0xff000000;

// The layouts pictureInDisplayLayout gives: the target's colour masks, with
// or without alpha in the top byte.
bool drawable(const SDL_PixelFormat& picture, const SDL_PixelFormat& target)
{
    return picture.BytesPerPixel == 4 && target.BytesPerPixel == 4 && target.Amask == 0 &&
           picture.Rmask == target.Rmask && picture.Gmask == target.Gmask && picture.Bmask == target.Bmask &&
           (picture.Amask == 0 || picture.Amask == kTopByte);
}

typedef uint32_t Pixels4 __attribute__((vector_size(16)));
typedef uint16_t Channels8 __attribute__((vector_size(16)));

// blendPixel (below) on four pixels at once, in GCC's and clang's portable
// vectors: the same arithmetic as SDL's MMX routine, each channel in a 16-bit
// lane whose product keeps its low 16 bits, which floor exactly once shifted.
Pixels4 blendPixels4(Pixels4 source, Pixels4 target)
{
    const Pixels4 alpha = source >> 24;
    const Channels8 lowByte = {0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff, 0xff};
    // Red and blue in the lanes of each pixel's two halves; green and the
    // top byte likewise, the top byte's alpha 0 so that the target keeps it.
    const Channels8 bothAlpha = (Channels8)(alpha | alpha << 16);
    const Channels8 sourceRedBlue = (Channels8)(source & 0xff00ff);
    const Channels8 targetRedBlue = (Channels8)(target & 0xff00ff);
    const Channels8 sourceGreen = (Channels8)(source >> 8 & 0xff00ff);
    const Channels8 targetGreen = (Channels8)(target >> 8 & 0xff00ff);
    const Channels8 redBlue = (targetRedBlue + ((sourceRedBlue - targetRedBlue) * bothAlpha >> 8)) & lowByte;
    const Channels8 green = (targetGreen + ((sourceGreen - targetGreen) * (Channels8)alpha >> 8)) & lowByte;
    const Pixels4 opaque = (source & 0xffffff) | (target & kTopByte);
    return alpha == 0xff ? opaque : ((Pixels4)redBlue | (Pixels4)green << 8);
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
    // Red and blue share one word, green has its own, as in SDL's C routine:
    // the wrapped differences floor exactly as each channel's would, and the
    // mask drops what a negative one carries into the next channel.
    uint32_t redBlue = target & 0xff00ff;
    uint32_t green = target & 0xff00;
    redBlue = (redBlue + (((source & 0xff00ff) - redBlue) * alpha >> 8)) & 0xff00ff;
    green = (green + (((source & 0xff00) - green) * alpha >> 8)) & 0xff00;
    const uint32_t colour = alpha == 0xff ? source & 0xffffff : redBlue | green;
    return colour | (target & kTopByte);
}

void blendPixels(const PixelView& source, const PixelView& target)
{
    for (int y = 0; y < target.height; ++y) {
        const uint32_t* in = source.row(y);
        uint32_t* out = target.row(y);
        int x = 0;
        for (; x + 4 <= target.width; x += 4) {
            Pixels4 s, d;
            memcpy(&s, in + x, sizeof s);
            memcpy(&d, out + x, sizeof d);
            d = blendPixels4(s, d);
            memcpy(out + x, &d, sizeof d);
        }
        for (; x < target.width; ++x) out[x] = blendPixel(in[x], out[x]);
    }
}

void copyPixels(const PixelView& source, const PixelView& target)
{
    for (int y = 0; y < target.height; ++y)
        memcpy(target.row(y), source.row(y), static_cast<size_t>(target.width) * 4);
}

void drawPicture(const PixelView& picture, bool alpha, const PixelView& target, const SDL_Rect& clip,
                 SDL_Rect& place)
{
    SDL_Rect from;
    if (!clipBlit(picture.width, picture.height, clip, place, from)) return;
    const PixelView in = subView(picture, from);
    const PixelView out = subView(target, place);
    if (alpha) blendPixels(in, out);
    else copyPixels(in, out);
}

void blitPicture(SDL_Surface* picture, SDL_Surface* target, SDL_Rect& place)
{
    if (!picture || !target) return;
    SurfaceLock lockedPicture(picture, SurfaceLock::WhenSdlNeedsIt);
    SurfaceLock lockedTarget(target, SurfaceLock::WhenSdlNeedsIt);
    if (lockedPicture && lockedTarget && drawable(*picture->format, *target->format)) {
        drawPicture(viewOf(picture), picture->format->Amask != 0, viewOf(target), target->clip_rect, place);
        return;
    }
    SDL_Rect from;
    clipBlit(picture->w, picture->h, target->clip_rect, place, from);
}

SDL_Surface* pictureInDisplayLayout(SDL_Surface* picture)
{
    const SDL_Surface* display = SDL_GetVideoSurface();
    if (!display || drawable(*picture->format, *display->format)) return picture;
    SDL_Surface* converted =
        picture->format->Amask ? SDL_DisplayFormatAlpha(picture) : SDL_DisplayFormat(picture);
    if (!converted) return picture;
    SDL_FreeSurface(picture);
    return converted;
}
