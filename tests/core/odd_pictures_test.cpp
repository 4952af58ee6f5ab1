// Pictures nobody here made, in every shape SDL_image accepts, loaded from
// files through the demo's own start-up and run through the whole timeline
// on an accelerated clock. The sanitizer build turns any access outside a
// surface into a failure.
#include "core/frame_loop.h"
#include "core/startup.h"
#include "globals.h"
#include "support/test_support.h"

#include <jpeglib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {
enum class Targa { Palette, Grey, Rgb16, Rgb24, RleGrey, RleRgb24, RleRgba32 };
enum class Jpeg { Baseline, Grey, Progressive };

uint8_t shade(int x, int y)
{
    return static_cast<uint8_t>(x * 7 ^ y * 13);
}

// Run-length packets alternate between repeats and literal runs of up to
// 128 pixels, so both kinds cross row ends.
void appendRle(std::vector<uint8_t>& out, const std::vector<uint8_t>& pixels, size_t bytesPerPixel)
{
    const size_t count = pixels.size() / bytesPerPixel;
    for (size_t i = 0, packet = 0; i < count; ++packet) {
        const size_t n = std::min<size_t>(128, count - i);
        const uint8_t* first = &pixels[i * bytesPerPixel];
        if (packet % 2 == 0) {
            out.push_back(static_cast<uint8_t>(0x80 | (n - 1)));
            out.insert(out.end(), first, first + bytesPerPixel);
        } else {
            out.push_back(static_cast<uint8_t>(n - 1));
            out.insert(out.end(), first, first + n * bytesPerPixel);
        }
        i += n;
    }
}

std::vector<uint8_t> targaFile(Targa kind, int w, int h)
{
    const bool palette = kind == Targa::Palette;
    const bool grey = kind == Targa::Grey || kind == Targa::RleGrey;
    const bool rle = kind == Targa::RleGrey || kind == Targa::RleRgb24 || kind == Targa::RleRgba32;
    const int depth = palette || grey ? 8 : kind == Targa::Rgb16 ? 16 : kind == Targa::RleRgba32 ? 32 : 24;
    const uint8_t type = static_cast<uint8_t>((palette ? 1 : grey ? 3 : 2) + (rle ? 8 : 0));
    std::vector<uint8_t> out = {0, palette ? uint8_t{1} : uint8_t{0}, type, 0, 0, 0, 1, 24, 0, 0, 0, 0,
                                static_cast<uint8_t>(w), static_cast<uint8_t>(w >> 8),
                                static_cast<uint8_t>(h), static_cast<uint8_t>(h >> 8),
                                static_cast<uint8_t>(depth), static_cast<uint8_t>(depth == 32 ? 8 : 0)};
    if (!palette) std::fill(out.begin() + 3, out.begin() + 8, 0);
    for (int i = 0; palette && i < 256; ++i) out.insert(out.end(), {uint8_t(i), uint8_t(255 - i), uint8_t(i / 2)});
    const size_t bytesPerPixel = static_cast<size_t>(depth / 8);
    std::vector<uint8_t> pixels;
    pixels.reserve(static_cast<size_t>(w) * h * bytesPerPixel);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (size_t b = 0; b < bytesPerPixel; ++b) pixels.push_back(shade(x + static_cast<int>(b), y));
    if (rle)
        appendRle(out, pixels, bytesPerPixel);
    else
        out.insert(out.end(), pixels.begin(), pixels.end());
    return out;
}

std::vector<uint8_t> jpegFile(Jpeg kind, int w, int h)
{
    jpeg_compress_struct cinfo;
    jpeg_error_mgr jerr;
    cinfo.err = jpeg_std_error(&jerr);
    jpeg_create_compress(&cinfo);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&cinfo, &buffer, &size);
    const int components = kind == Jpeg::Grey ? 1 : 3;
    cinfo.image_width = static_cast<JDIMENSION>(w);
    cinfo.image_height = static_cast<JDIMENSION>(h);
    cinfo.input_components = components;
    cinfo.in_color_space = components == 1 ? JCS_GRAYSCALE : JCS_RGB;
    jpeg_set_defaults(&cinfo);
    if (kind == Jpeg::Progressive) jpeg_simple_progression(&cinfo);
    jpeg_start_compress(&cinfo, TRUE);
    std::vector<JSAMPLE> row(static_cast<size_t>(w) * components);
    while (cinfo.next_scanline < cinfo.image_height) {
        for (size_t i = 0; i < row.size(); ++i) row[i] = shade(static_cast<int>(i), static_cast<int>(cinfo.next_scanline));
        JSAMPROW rows[] = {row.data()};
        jpeg_write_scanlines(&cinfo, rows, 1);
    }
    jpeg_finish_compress(&cinfo);
    jpeg_destroy_compress(&cinfo);
    std::vector<uint8_t> out(buffer, buffer + size);
    free(buffer);
    return out;
}

struct OddCase {
    const char* name;
    Targa targa;
    int targaW, targaH;
    Jpeg jpeg;
    int jpegW, jpegH;
    double keep = 1.0;  // share of each file left after truncation
};

const OddCase kCases[] = {
    {"8-bit palette Targa, greyscale JPEG", Targa::Palette, 64, 48, Jpeg::Grey, 64, 48},
    {"RLE greyscale Targa, progressive JPEG", Targa::RleGrey, 300, 200, Jpeg::Progressive, 300, 200},
    {"RLE Targa without alpha (the flare too)", Targa::RleRgb24, 40, 40, Jpeg::Baseline, 40, 40},
    {"RLE Targa with alpha", Targa::RleRgba32, 33, 17, Jpeg::Baseline, 17, 33},
    {"16-bit Targa", Targa::Rgb16, 50, 70, Jpeg::Grey, 70, 50},
    {"1 x 1", Targa::Rgb24, 1, 1, Jpeg::Grey, 1, 1},
    {"4000 x 4000", Targa::RleGrey, 4000, 4000, Jpeg::Grey, 4000, 4000},
    {"the widest pictures taken", Targa::Grey, 16383, 3, Jpeg::Grey, 16383, 2},
    {"the tallest pictures taken", Targa::Grey, 3, 32767, Jpeg::Grey, 2, 32767},
    {"truncated files", Targa::RleRgb24, 200, 150, Jpeg::Progressive, 200, 150, 0.6},
    {"truncated plain Targa, baseline JPEG", Targa::Rgb24, 120, 90, Jpeg::Baseline, 120, 90, 0.5},
};

const char* const kJpegNames[] = {"zemblogo", "tx1", "tx2", "tx3", "tx4"};
const char* const kTargaNames[] = {"ftx1", "ftx2",  "rulltx", "pold",   "poldtx",   "flare",
                                   "mosk", "duvtx1", "duvtx2", "arsesmile", "trenbix"};

void writeAll(const fs::path& dir, const char* const* names, size_t count, const char* ext,
              std::vector<uint8_t> bytes, double keep)
{
    bytes.resize(static_cast<size_t>(bytes.size() * keep));
    for (size_t i = 0; i < count; ++i) {
        std::ofstream file(dir / (std::string(names[i]) + ext), std::ios::binary);
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
}

class OddPictures : public ::testing::TestWithParam<OddCase> {
protected:
    void SetUp() override
    {
        root = fs::temp_directory_path() / ("odd_pictures_" + std::to_string(getpid()));
        fs::create_directories(root / "data");
        previous = fs::current_path();
        fs::current_path(root);
    }
    void TearDown() override
    {
        fs::current_path(previous);
        fs::remove_all(root);
    }
    fs::path root, previous;
};
}  // namespace

TEST_P(OddPictures, RunTheWholeTimeline)
{
    const OddCase& c = GetParam();
    writeAll(root / "data", kJpegNames, std::size(kJpegNames), ".jpg", jpegFile(c.jpeg, c.jpegW, c.jpegH), c.keep);
    writeAll(root / "data", kTargaNames, std::size(kTargaNames), ".tga", targaFile(c.targa, c.targaW, c.targaH),
             c.keep);

    auto* demo = new Demo;
    StartOptions start;
    start.openDisplay = [] { return Display{testScreen(), makePicture(640, 480, 0)}; };
    resetProgramState();
    ASSERT_TRUE(startDemo(*demo, start));
    demo->startTicks = 0;  // the clock of the ticks below
    EXPECT_EQ(demo->pictures.zemblogo->w, c.jpegW);
    EXPECT_EQ(demo->pictures.flare->h, c.targaH);

    // A second of ticks per frame: every scene still draws several frames.
    uint32_t now = 0;
    std::set<int> scenesSeen;
    Platform platform{[&] { return now += 1000; },
                      [&] {
                          scenesSeen.insert(demo->sceneIndex);
                          return now > 200000;
                      }};
    runFrameLoop(*demo, platform);

    EXPECT_EQ(quitRequested, 1);
    EXPECT_EQ(scenesSeen.size(), static_cast<size_t>(kSceneCount + 1));
    for (bool pending : demo->cuePending) EXPECT_FALSE(pending);
    freeTestDemo(demo);
}

INSTANTIATE_TEST_SUITE_P(Shapes, OddPictures, ::testing::ValuesIn(kCases), [](const auto& info) {
    std::string name;
    for (const char* p = info.param.name; *p; ++p) name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
    return name;
});
