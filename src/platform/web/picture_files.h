#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The pictures of the web build. Targa files are read by stb_image, which
// gives SDL_image's pixels exactly. A JPEG is not decoded in the browser:
// stb's JPEG decoder differs from libjpeg's by up to 3 per channel, so the
// site's build decodes each JPEG with the desktop's SDL_image into a lossless
// PNG beside it (losslessJpegPath), and the browser reads that. The JPEG
// itself stays in the site, so start-up checks the very file it would read
// natively.

// Decoded pixels as 0xAARRGGBB, rows top first; alpha is 0 in every pixel of
// a picture without an alpha channel.
struct DecodedPicture {
    int width = 0;
    int height = 0;
    bool hasAlpha = false;
    std::vector<uint32_t> pixels;
};

// Where the lossless copy of a JPEG lies.
inline std::string losslessJpegPath(const std::string& jpegPath)
{
    return jpegPath + ".png";
}

// Reads the picture the demo knows by `path` (data/x.tga or data/x.jpg).
// False with the decoder's reason when it cannot.
bool decodePicture(const std::string& path, DecodedPicture& picture, std::string& error);
