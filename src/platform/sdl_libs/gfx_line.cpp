// SDL_gfx's lineColor, ported to a plain pixel buffer for the platforms
// without SDL_gfx (the web, Windows).
//
// Altered from SDL_gfxPrimitives.c of SDL_gfx 2.0.27 (_clipEncode, _clipLine,
// lineColor, hlineColor, vlineColor and pixelColor, opaque 32-bit path only;
// the 2.0.25 that Debian ships draws the same pixels):
//
// Copyright (C) 2001-2023  Andreas Schiffler
//
// This software is provided 'as-is', without any express or implied
// warranty. In no event will the authors be held liable for any damages
// arising from the use of this software.
//
// Permission is granted to anyone to use this software for any purpose,
// including commercial applications, and to alter it and redistribute it
// freely, subject to the following restrictions:
//
// 1. The origin of this software must not be misrepresented; you must not
// claim that you wrote the original software. If you use this software
// in a product, an acknowledgment in the product documentation would be
// appreciated but is not required.
//
// 2. Altered source versions must be plainly marked as such, and must not be
// misrepresented as being the original software.
//
// 3. This notice may not be removed or altered from any source
// distribution.
#include "platform/sdl_libs/gfx_line.h"

#include <algorithm>
#include <utility>

namespace {
enum : int { kLeft = 1, kRight = 2, kBottom = 4, kTop = 8 };

int clipCode(int16_t x, int16_t y, int16_t left, int16_t top, int16_t right, int16_t bottom)
{
    int code = 0;
    if (x < left) code |= kLeft;
    else if (x > right) code |= kRight;
    if (y < top) code |= kTop;
    else if (y > bottom) code |= kBottom;
    return code;
}

// The library casts a float step straight to Sint16; the native build does
// that through a 32-bit conversion, which gives INT32_MIN out of range (and
// so 0 in 16 bits). Done explicitly here, since wasm would trap instead.
int16_t stepOf(float value)
{
    const bool inRange = value >= -2147483648.0f && value < 2147483648.0f;
    const int32_t wide = inRange ? static_cast<int32_t>(value) : INT32_MIN;
    return static_cast<int16_t>(static_cast<uint16_t>(wide));
}

// Cohen-Sutherland against the clip rectangle; false when nothing is left.
bool clipLine(const SDL_Rect& clip, int16_t& x1, int16_t& y1, int16_t& x2, int16_t& y2)
{
    const int16_t left = clip.x;
    const int16_t right = static_cast<int16_t>(clip.x + clip.w - 1);
    const int16_t top = clip.y;
    const int16_t bottom = static_cast<int16_t>(clip.y + clip.h - 1);
    for (;;) {
        int code1 = clipCode(x1, y1, left, top, right, bottom);
        int code2 = clipCode(x2, y2, left, top, right, bottom);
        if (!(code1 | code2)) return true;
        if (code1 & code2) return false;
        if (!code1) {
            std::swap(x1, x2);
            std::swap(y1, y2);
            std::swap(code1, code2);
        }
        const float m = x2 != x1 ? static_cast<float>(y2 - y1) / static_cast<float>(x2 - x1) : 1.0f;
        if (code1 & kLeft) {
            y1 = static_cast<int16_t>(y1 + stepOf(static_cast<float>(left - x1) * m));
            x1 = left;
        } else if (code1 & kRight) {
            y1 = static_cast<int16_t>(y1 + stepOf(static_cast<float>(right - x1) * m));
            x1 = right;
        } else if (code1 & kBottom) {
            if (x2 != x1) x1 = static_cast<int16_t>(x1 + stepOf(static_cast<float>(bottom - y1) / m));
            y1 = bottom;
        } else if (code1 & kTop) {
            if (x2 != x1) x1 = static_cast<int16_t>(x1 + stepOf(static_cast<float>(top - y1) / m));
            y1 = top;
        }
    }
}
}  // namespace

void drawLine(const PixelView& target, const SDL_Rect& clip, int16_t x1, int16_t y1, int16_t x2, int16_t y2,
              uint32_t pixel)
{
    if (clip.w == 0 || clip.h == 0) return;
    if (!clipLine(clip, x1, y1, x2, y2)) return;
    // Straight lines and single points: every pixel between the clipped
    // ends, both included.
    if (x1 == x2) {
        for (int y = std::min(y1, y2); y <= std::max(y1, y2); ++y) target.row(y)[x1] = pixel;
        return;
    }
    if (y1 == y2) {
        uint32_t* row = target.row(y1);
        for (int x = std::min(x1, x2); x <= std::max(x1, x2); ++x) row[x] = pixel;
        return;
    }
    // The library's walk: one pixel per step along the longer axis, counting
    // both ends, with the error compared against the longer length.
    const int sx = x2 - x1 >= 0 ? 1 : -1;
    const int sy = y2 - y1 >= 0 ? 1 : -1;
    int along = sx * (x2 - x1) + 1;
    int across = sy * (y2 - y1) + 1;
    ptrdiff_t stepAlong = sx;
    ptrdiff_t stepAcross = static_cast<ptrdiff_t>(target.pitch / 4) * sy;
    if (along < across) {
        std::swap(along, across);
        std::swap(stepAlong, stepAcross);
    }
    uint32_t* p = target.row(y1) + x1;
    for (int i = 0, error = 0; i < along; ++i, p += stepAlong) {
        *p = pixel;
        error += across;
        if (error >= along) {
            error -= along;
            p += stepAcross;
        }
    }
}
