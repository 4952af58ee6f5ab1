#include "core/picture_check.h"

#include <gtest/gtest.h>

#include <vector>

namespace {
std::vector<uint8_t> targaHeader(int imageType, int width, int height, int depth = 24)
{
    std::vector<uint8_t> h(18, 0);
    h[2] = static_cast<uint8_t>(imageType);
    h[12] = static_cast<uint8_t>(width), h[13] = static_cast<uint8_t>(width >> 8);
    h[14] = static_cast<uint8_t>(height), h[15] = static_cast<uint8_t>(height >> 8);
    h[16] = static_cast<uint8_t>(depth);
    return h;
}

// SOI, an APP0 segment, then a start-of-frame of the given kind and size.
std::vector<uint8_t> jpegHeader(uint8_t frameMarker, int width, int height)
{
    std::vector<uint8_t> j = {0xff, 0xd8, 0xff, 0xe0, 0x00, 0x04, 'J', 'F', 0xff, 0xff, frameMarker, 0x00, 0x0b, 8};
    for (int v : {height, width}) j.insert(j.end(), {static_cast<uint8_t>(v >> 8), static_cast<uint8_t>(v)});
    j.insert(j.end(), {1, 1, 0x11, 0});
    return j;
}

std::string problem(const std::vector<uint8_t>& bytes, PictureFormat format)
{
    return pictureBytesProblem(bytes.data(), bytes.size(), format);
}
}  // namespace

TEST(PictureCheck, SizesAndFormatsFromTheHeader)
{
    using F = PictureFormat;
    const std::string tooLarge = " pixels is too large (at most 16383 wide, 32767 high, 67108864 pixels)";
    struct Case {
        const char* name;
        std::vector<uint8_t> bytes;
        F format;
        std::string expected;
    } cases[] = {
        {"palette Targa", targaHeader(1, 4, 4, 8), F::Targa, ""},
        {"RLE greyscale Targa", targaHeader(11, 1, 1, 8), F::Targa, ""},
        {"widest Targa", targaHeader(2, 16383, 2), F::Targa, ""},
        {"4000 x 4000", targaHeader(10, 4000, 4000), F::Targa, ""},
        {"Targa wider than 32767", targaHeader(3, 40000, 1, 8), F::Targa, "picture of 40000 x 1" + tooLarge},
        {"Targa one too wide", targaHeader(2, 16384, 1), F::Targa, "picture of 16384 x 1" + tooLarge},
        {"Targa too tall", targaHeader(2, 1, 32768), F::Targa, "picture of 1 x 32768" + tooLarge},
        {"too many pixels", targaHeader(2, 16000, 16000), F::Targa, "picture of 16000 x 16000" + tooLarge},
        {"Targa without pixels", targaHeader(2, 0, 5), F::Targa, "picture has no pixels (0 x 5)"},
        {"unknown Targa type", targaHeader(32, 4, 4), F::Targa, "not a Targa picture (image type 32)"},
        {"short Targa", {0, 0, 2, 0}, F::Targa, "too short for a Targa header"},
        {"empty", {}, F::Targa, "empty file"},
        {"baseline JPEG", jpegHeader(0xc0, 640, 480), F::Jpeg, ""},
        {"progressive JPEG", jpegHeader(0xc2, 1, 1), F::Jpeg, ""},
        {"JPEG too wide", jpegHeader(0xc0, 20000, 10), F::Jpeg, "picture of 20000 x 10" + tooLarge},
        {"JPEG without height", jpegHeader(0xc0, 10, 0), F::Jpeg, "picture has no pixels (10 x 0)"},
        {"JPEG cut in its header", {0xff, 0xd8, 0xff, 0xe0, 0x00, 0x40, 1}, F::Jpeg, "JPEG header cut short"},
        {"JPEG without a frame", {0xff, 0xd8, 0xff, 0xda, 0, 2}, F::Jpeg, "no picture size in the JPEG header"},
        {"JPEG with junk between segments", {0xff, 0xd8, 0x00}, F::Jpeg, "damaged JPEG header"},
        {"Targa named .jpg", targaHeader(2, 4, 4), F::Jpeg, "not a JPEG picture"},
    };
    for (const Case& c : cases) EXPECT_EQ(problem(c.bytes, c.format), c.expected) << c.name;
}

TEST(PictureCheck, FormatFollowsTheExtension)
{
    EXPECT_EQ(expectedFormat("data/tx1.jpg"), PictureFormat::Jpeg);
    EXPECT_EQ(expectedFormat("data/flare.tga"), PictureFormat::Targa);
}
