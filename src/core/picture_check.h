#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Checks made on a picture file before it reaches IMG_Load. Every file in
// data/ may be replaced by the user, and SDL 1.2 keeps a surface's pitch and
// its blit offsets in 16 bits: a picture too large for that would be refused
// with a misleading "Out of memory" at best, and would have SDL read outside
// the picture at worst. Sizes are read from the file's own header.

// The largest pictures the demo takes. A 32-bit row of 16384 pixels no longer
// fits SDL's 16-bit pitch. A picture up to 32767 rows tall can be placed at
// any 16-bit y without SDL's source offset overflowing. The pixel count keeps
// sixteen pictures well inside memory (4000 x 4000 passes).
constexpr int kMaxPictureWidth = 16383;
constexpr int kMaxPictureHeight = 32767;
constexpr int64_t kMaxPicturePixels = int64_t{1} << 26;

enum class PictureFormat { Jpeg, Targa };

// The format the demo expects from the file's extension.
PictureFormat expectedFormat(const char* path);

// Why the file's bytes cannot be a usable picture of that format, or an empty
// string when they may go to IMG_Load. Reads only the header.
std::string pictureBytesProblem(const uint8_t* data, size_t size, PictureFormat format);

// The same for a file: also says why it cannot be read or that it is empty.
std::string pictureFileProblem(const char* path);
