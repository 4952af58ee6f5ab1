// Designs of the sixteen pictures and the window icon.
#pragma once

#include <string>
#include <vector>

#include "image.h"
#include "text.h"

namespace assetgen {

struct Picture {
    std::string file;
    Image image;
};

// Draws all pictures, in the order and sizes of kPictures.
std::vector<Picture> makePictures(TextRenderer& text);

// The window icon (kIcon) from the logo: its emblem without the name.
Image windowIcon(const Image& logo);

// Writes a picture as JPEG (on black), RGBA PNG or 32-bit uncompressed Targa
// with alpha, chosen by the file extension. Returns false on a write error.
bool writePicture(const std::string& path, const Image& img);

// One overview sheet: every picture on a checkerboard with its name, as PNG.
bool writeSheet(const std::string& path, const std::vector<Picture>& pics, TextRenderer& text);

}  // namespace assetgen
