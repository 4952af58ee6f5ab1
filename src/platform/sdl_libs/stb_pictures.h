#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Pictures read by stb_image, for the platforms without SDL_image: stb gives
// SDL_image's pixels exactly for Targa and PNG (for JPEG it does not: its
// decoder differs from libjpeg's by up to 3 per channel).

// Decoded pixels as 0xAARRGGBB, rows top first; alpha is 0 in every pixel of
// a picture without an alpha channel.
struct DecodedPicture {
    int width = 0;
    int height = 0;
    bool hasAlpha = false;
    std::vector<uint32_t> pixels;
};

// Reads a Targa or PNG file. False with stb's reason when it cannot.
bool decodeStbPicture(const std::string& file, DecodedPicture& picture, std::string& error);
