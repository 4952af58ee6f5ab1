// SDL_gfx's lineColor for the platforms without SDL_gfx (the web, Windows),
// over the port of its line (gfx_line.h). Not in the native build, whose
// tests hold that port to the real library's lineColor.
#include "platform/sdl_libs/gfx_line.h"

#include <SDL_gfxPrimitives.h>

int lineColor(SDL_Surface* dst, Sint16 x1, Sint16 y1, Sint16 x2, Sint16 y2, Uint32 color)
{
    if ((color & 0xff) != 0xff || dst->format->BytesPerPixel != 4) {
        SDL_SetError("lineColor: only opaque colours on 32-bit surfaces");
        return -1;
    }
    if (SDL_MUSTLOCK(dst) && SDL_LockSurface(dst) < 0) return -1;
    const Uint32 pixel = SDL_MapRGBA(dst->format, color >> 24, color >> 16 & 0xff, color >> 8 & 0xff, 0xff);
    drawLine(viewOf(dst), dst->clip_rect, x1, y1, x2, y2, pixel);
    if (SDL_MUSTLOCK(dst)) SDL_UnlockSurface(dst);
    return 0;
}
