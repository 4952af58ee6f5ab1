#include "core/picture_check.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

namespace {
constexpr size_t kTargaHeaderSize = 18;

struct Size {
    int width = 0;
    int height = 0;
};

int readBigEndian16(const uint8_t* p)
{
    return p[0] << 8 | p[1];
}

int readLittleEndian16(const uint8_t* p)
{
    return p[0] | p[1] << 8;
}

// Walks the markers up to the first start-of-frame, which holds the size.
std::string jpegSize(const uint8_t* data, size_t size, Size& out)
{
    if (size < 3 || data[0] != 0xff || data[1] != 0xd8) return "not a JPEG picture";
    size_t i = 2;
    for (;;) {
        if (i >= size) return "JPEG header cut short";
        if (data[i] != 0xff) return "damaged JPEG header";
        while (i < size && data[i] == 0xff) ++i;  // fill bytes
        if (i >= size) return "JPEG header cut short";
        const uint8_t marker = data[i++];
        const bool standalone = marker == 0x01 || marker == 0xd8 || (marker >= 0xd0 && marker <= 0xd7);
        if (standalone) continue;
        if (marker == 0xd9 || marker == 0xda) return "no picture size in the JPEG header";
        if (i + 2 > size) return "JPEG header cut short";
        const size_t length = static_cast<size_t>(readBigEndian16(data + i));
        if (length < 2) return "damaged JPEG header";
        const bool startOfFrame = marker >= 0xc0 && marker <= 0xcf && marker != 0xc4 && marker != 0xc8 && marker != 0xcc;
        if (startOfFrame) {
            if (length < 8 || i + 7 > size) return "JPEG header cut short";
            out.height = readBigEndian16(data + i + 3);
            out.width = readBigEndian16(data + i + 5);
            return "";
        }
        i += length;
    }
}

std::string targaSize(const uint8_t* data, size_t size, Size& out)
{
    if (size < kTargaHeaderSize) return "too short for a Targa header";
    const int imageType = data[2];
    const bool known = imageType == 1 || imageType == 2 || imageType == 3 || imageType == 9 || imageType == 10 ||
                       imageType == 11;
    if (!known) return "not a Targa picture (image type " + std::to_string(imageType) + ")";
    out.width = readLittleEndian16(data + 12);
    out.height = readLittleEndian16(data + 14);
    return "";
}

std::string sizeProblem(Size s)
{
    const std::string dims = std::to_string(s.width) + " x " + std::to_string(s.height);
    if (s.width == 0 || s.height == 0) return "picture has no pixels (" + dims + ")";
    if (s.width > kMaxPictureWidth || s.height > kMaxPictureHeight ||
        int64_t{s.width} * s.height > kMaxPicturePixels)
        return "picture of " + dims + " pixels is too large (at most " + std::to_string(kMaxPictureWidth) +
               " wide, " + std::to_string(kMaxPictureHeight) + " high, " + std::to_string(kMaxPicturePixels) +
               " pixels)";
    return "";
}
}  // namespace

PictureFormat expectedFormat(const char* path)
{
    const size_t length = strlen(path);
    return length >= 4 && strcmp(path + length - 4, ".jpg") == 0 ? PictureFormat::Jpeg : PictureFormat::Targa;
}

std::string pictureBytesProblem(const uint8_t* data, size_t size, PictureFormat format)
{
    if (size == 0) return "empty file";
    Size s;
    const std::string problem = format == PictureFormat::Jpeg ? jpegSize(data, size, s) : targaSize(data, size, s);
    return problem.empty() ? sizeProblem(s) : problem;
}

std::string pictureFileProblem(const char* path)
{
    FILE* file = fopen(path, "rb");
    if (!file) return strerror(errno);
    // A Targa's header is its first bytes; a JPEG's size may follow several
    // large metadata segments, so the whole of a JPEG is read. Straight into
    // the vector: a block on the stack that size would overflow the browser
    // build's 64 KB stack.
    const PictureFormat format = expectedFormat(path);
    const size_t limit = format == PictureFormat::Targa ? kTargaHeaderSize : SIZE_MAX;
    constexpr size_t kChunk = 65536;
    std::vector<uint8_t> bytes;
    size_t count = kChunk;
    while (count == kChunk && bytes.size() < limit) {
        const size_t before = bytes.size();
        bytes.resize(before + kChunk);
        count = fread(bytes.data() + before, 1, std::min(kChunk, limit - before), file);
        bytes.resize(before + count);
    }
    const bool failed = ferror(file);
    const int error = errno;
    fclose(file);
    if (failed) return strerror(error);
    return pictureBytesProblem(bytes.data(), bytes.size(), format);
}
