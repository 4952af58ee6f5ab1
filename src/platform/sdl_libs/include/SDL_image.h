#pragma once

// SDL_image's IMG_Load where SDL_image is missing (the web: web/sdl_layer.cpp
// over web/picture_files.h; Windows: windows/sdl_libs.cpp): Targa, PNG and
// JPEG, the JPEGs with libjpeg's exact pixels. A picture with alpha comes as
// 32-bit ARGB with SDL_SRCALPHA, as SDL_image gives it; one without as 32-bit
// xRGB with a zero top byte, which is what SDL_image's 24-bit surface becomes
// after the display conversion start-up makes.
#include <SDL.h>

SDL_Surface* IMG_Load(const char* file);
const char* IMG_GetError();
