#pragma once

#include <SDL.h>

#include <cstdint>

// A plain 32-bit pixel buffer: what every pixel kernel works on, so that
// tests can run kernels on ordinary memory without SDL.
struct PixelView {
    uint32_t* pixels;
    int pitch;  // bytes from one row to the next
    int width;
    int height;

    uint32_t* row(int y) const
    {
        return reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(pixels) + static_cast<ptrdiff_t>(y) * pitch);
    }
};

// The pixels of a locked 32-bit surface.
inline PixelView viewOf(SDL_Surface* surface)
{
    return {static_cast<uint32_t*>(surface->pixels), surface->pitch, surface->w, surface->h};
}
