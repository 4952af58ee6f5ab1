#pragma once

// IMG_Load of the web build (sdl_layer.cpp over picture_files.h): Targa and,
// through their lossless copies, the JPEGs. A picture with alpha comes as
// 32-bit ARGB with SDL_SRCALPHA, as SDL_image gives it; one without as 32-bit
// xRGB with a zero top byte, which is what SDL_image's 24-bit surface becomes
// after the display conversion start-up makes.
#include <SDL.h>

SDL_Surface* IMG_Load(const char* file);
const char* IMG_GetError();
