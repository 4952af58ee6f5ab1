#pragma once

#include "platform/sdl_libs/stb_pictures.h"

#include <string>

// The pictures of the web build. Targa files are read by stb_image. A JPEG
// is not decoded in the browser: the site's build decodes each JPEG with the
// desktop's SDL_image into a lossless PNG beside it (losslessJpegPath), and
// the browser reads that. The JPEG itself stays in the site, so start-up
// checks the very file it would read natively.

// Where the lossless copy of a JPEG lies.
inline std::string losslessJpegPath(const std::string& jpegPath)
{
    return jpegPath + ".png";
}

// Reads the picture the demo knows by `path` (data/x.tga or data/x.jpg).
// False with the decoder's reason when it cannot.
bool decodePicture(const std::string& path, DecodedPicture& picture, std::string& error);
