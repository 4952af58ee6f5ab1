#include "platform/sdl_libs/stb_pictures.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_TGA
#define STBI_ONLY_PNG
#define STBI_FAILURE_USERMSG
#include <stb_image.h>

#include <memory>

bool decodeStbPicture(const std::string& file, DecodedPicture& picture, std::string& error)
{
    int width = 0;
    int height = 0;
    int channels = 0;
    if (!stbi_info(file.c_str(), &width, &height, &channels)) {
        error = stbi_failure_reason();
        return false;
    }
    // Grey with alpha (2) and RGBA (4) keep their alpha, as SDL_image does.
    const bool hasAlpha = channels == 2 || channels == 4;
    const std::unique_ptr<stbi_uc, void (*)(void*)> bytes(
        stbi_load(file.c_str(), &width, &height, &channels, 4), stbi_image_free);
    if (!bytes) {
        error = stbi_failure_reason();
        return false;
    }
    picture.width = width;
    picture.height = height;
    picture.hasAlpha = hasAlpha;
    picture.pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
    const stbi_uc* p = bytes.get();
    for (uint32_t& pixel : picture.pixels) {
        const uint32_t alpha = hasAlpha ? uint32_t{p[3]} << 24 : 0;
        pixel = alpha | uint32_t{p[0]} << 16 | uint32_t{p[1]} << 8 | p[2];
        p += 4;
    }
    return true;
}
