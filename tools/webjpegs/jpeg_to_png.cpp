#include "webjpegs/jpeg_to_png.h"

#include "platform/web/picture_files.h"

#include <SDL.h>
#include <SDL_image.h>
#include <stb_image_write.h>

#include <vector>

bool writeLosslessJpeg(const std::string& jpegPath, std::string& error)
{
    SDL_Surface* picture = IMG_Load(jpegPath.c_str());
    if (!picture) {
        error = IMG_GetError();
        return false;
    }
    std::vector<uint8_t> rgb;
    rgb.reserve(static_cast<size_t>(picture->w) * picture->h * 3);
    SDL_LockSurface(picture);
    const int bpp = picture->format->BytesPerPixel;
    for (int y = 0; y < picture->h; ++y) {
        const uint8_t* row = static_cast<const uint8_t*>(picture->pixels) + y * picture->pitch;
        for (int x = 0; x < picture->w; ++x) {
            // The pixel's bytes as SDL stores them: in the machine's order.
            const uint8_t* bytes = row + x * bpp;
            uint32_t value = 0;
            for (int i = 0; i < bpp; ++i) {
                value = SDL_BYTEORDER == SDL_BIG_ENDIAN ? value << 8 | bytes[i]
                                                        : value | uint32_t{bytes[i]} << (8 * i);
            }
            uint8_t r, g, b;
            SDL_GetRGB(value, picture->format, &r, &g, &b);
            rgb.insert(rgb.end(), {r, g, b});
        }
    }
    SDL_UnlockSurface(picture);
    const int w = picture->w;
    const int h = picture->h;
    SDL_FreeSurface(picture);
    if (!stbi_write_png(losslessJpegPath(jpegPath).c_str(), w, h, 3, rgb.data(), w * 3)) {
        error = "cannot write " + losslessJpegPath(jpegPath);
        return false;
    }
    return true;
}
