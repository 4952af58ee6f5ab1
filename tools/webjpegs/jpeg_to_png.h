#pragma once

#include <string>

// Writes the lossless copy of a JPEG (losslessJpegPath) from its decoding by
// the desktop's SDL_image, which the web build cannot run: the browser then
// shows the very pixels the desktop does (platform/web/picture_files.h).
bool writeLosslessJpeg(const std::string& jpegPath, std::string& error);
