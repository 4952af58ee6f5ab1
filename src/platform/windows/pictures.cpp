// SDL_image's IMG_Load, which Windows builds do without: JPEG through
// libjpeg as SDL_image 1.2 drives it, Targa and PNG through stb
// (sdl_libs/stb_pictures.h).
#include "core/picture_check.h"
#include "platform/sdl_libs/stb_pictures.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <cstring>
#include <string>

// jpeglib.h needs FILE and size_t declared before it.
#include <jpeglib.h>

#include <csetjmp>

namespace {
struct JpegErrors {
    jpeg_error_mgr manager;
    std::jmp_buf escape;
};

[[noreturn]] void leaveJpeg(j_common_ptr decoder)
{
    std::longjmp(reinterpret_cast<JpegErrors*>(decoder->err)->escape, 1);
}

// libjpeg's warnings go nowhere, as in SDL_image: a file cut short still
// gives a picture, its missing rows filled in by libjpeg.
void ignoreJpegMessage(j_common_ptr) {}

// Reads a JPEG into the surface SDL_image makes of it: 24-bit RGB, or for
// four channels the raw CMYK bytes as 32-bit ARGB. Nothing with a destructor
// lives in this frame, which a longjmp would skip.
SDL_Surface* loadJpeg(FILE* file)
{
    jpeg_decompress_struct decoder;
    JpegErrors errors;
    decoder.err = jpeg_std_error(&errors.manager);
    errors.manager.error_exit = leaveJpeg;
    errors.manager.output_message = ignoreJpegMessage;
    SDL_Surface* volatile surface = nullptr;
    if (setjmp(errors.escape)) {
        jpeg_destroy_decompress(&decoder);
        SDL_FreeSurface(surface);
        SDL_SetError("JPEG loading error");
        return nullptr;
    }
    jpeg_create_decompress(&decoder);
    jpeg_stdio_src(&decoder, file);
    jpeg_read_header(&decoder, TRUE);
    const bool cmyk = decoder.num_components == 4;
    decoder.out_color_space = cmyk ? JCS_CMYK : JCS_RGB;
    decoder.quantize_colors = FALSE;
    jpeg_calc_output_dimensions(&decoder);
    const int width = static_cast<int>(decoder.output_width);
    const int height = static_cast<int>(decoder.output_height);
    surface = cmyk ? SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 32, 0xff0000, 0xff00, 0xff, 0xff000000)
                   : SDL_CreateRGBSurface(SDL_SWSURFACE, width, height, 24, 0xff, 0xff00, 0xff0000, 0);
    if (!surface) {
        jpeg_destroy_decompress(&decoder);
        return nullptr;
    }
    jpeg_start_decompress(&decoder);
    while (decoder.output_scanline < decoder.output_height) {
        JSAMPROW row = static_cast<Uint8*>(surface->pixels) + decoder.output_scanline * surface->pitch;
        jpeg_read_scanlines(&decoder, &row, 1);
    }
    jpeg_finish_decompress(&decoder);
    jpeg_destroy_decompress(&decoder);
    return surface;
}

SDL_Surface* loadWithStb(const char* path)
{
    DecodedPicture picture;
    std::string error;
    if (!decodeStbPicture(path, picture, error)) {
        SDL_SetError("%s", error.c_str());
        return nullptr;
    }
    SDL_Surface* surface = SDL_CreateRGBSurface(SDL_SWSURFACE, picture.width, picture.height, 32, 0xff0000, 0xff00,
                                                0xff, picture.hasAlpha ? 0xff000000 : 0);
    if (!surface) return nullptr;
    for (int y = 0; y < picture.height; ++y)
        memcpy(static_cast<Uint8*>(surface->pixels) + y * surface->pitch, &picture.pixels[size_t(y) * picture.width],
               size_t(picture.width) * 4);
    return surface;
}
}  // namespace

SDL_Surface* IMG_Load(const char* file)
{
    if (expectedFormat(file) != PictureFormat::Jpeg) return loadWithStb(file);
    FILE* jpeg = fopen(file, "rb");
    if (!jpeg) {
        SDL_SetError("Couldn't open %s", file);
        return nullptr;
    }
    SDL_Surface* surface = loadJpeg(jpeg);
    fclose(jpeg);
    return surface;
}

const char* IMG_GetError()
{
    return SDL_GetError();
}
