#include "capture/frame_canvas.h"

#include <cstring>

FrameCanvas::FrameCanvas(int scale, int width, int height, int frameWidth, int frameHeight)
    : scale(scale),
      canvasWidth(width),
      canvasHeight(height),
      offsetX(((width - frameWidth * scale) / 2) & ~1),
      offsetY(((height - frameHeight * scale) / 2) & ~1),
      pixels(static_cast<size_t>(width) * height * 3, 0)
{
}

void FrameCanvas::place(const SDL_Surface* frame)
{
    const SDL_PixelFormat* f = frame->format;
    const size_t stride = static_cast<size_t>(canvasWidth) * 3;
    const size_t blockRowBytes = static_cast<size_t>(frame->w) * scale * 3;
    for (int y = 0; y < frame->h; ++y) {
        const auto* source =
            reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(frame->pixels) + y * frame->pitch);
        uint8_t* row = &pixels[(static_cast<size_t>(offsetY) + static_cast<size_t>(y) * scale) * stride + offsetX * 3];
        uint8_t* out = row;
        for (int x = 0; x < frame->w; ++x) {
            const uint8_t r = static_cast<uint8_t>((source[x] & f->Rmask) >> f->Rshift);
            const uint8_t g = static_cast<uint8_t>((source[x] & f->Gmask) >> f->Gshift);
            const uint8_t b = static_cast<uint8_t>((source[x] & f->Bmask) >> f->Bshift);
            for (int i = 0; i < scale; ++i, out += 3) {
                out[0] = r;
                out[1] = g;
                out[2] = b;
            }
        }
        for (int i = 1; i < scale; ++i) std::memcpy(row + i * stride, row, blockRowBytes);
    }
}
