#include "capture/frame_canvas.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {
// Every pixel its own colour, so a misplaced block shows.
uint32_t codedColour(int x, int y)
{
    return static_cast<uint32_t>((x * 7 + 1) & 0xff) << 16 | static_cast<uint32_t>((y * 5 + 3) & 0xff) << 8 |
           static_cast<uint32_t>((x + y) & 0xff);
}

uint32_t canvasAt(const FrameCanvas& canvas, int x, int y)
{
    const uint8_t* p = canvas.rgb() + (static_cast<size_t>(y) * canvas.width() + x) * 3;
    return static_cast<uint32_t>(p[0]) << 16 | static_cast<uint32_t>(p[1]) << 8 | p[2];
}

// Places a coded frame and checks every canvas pixel: the N x N block of
// frame pixel (x, y) at the offset, black everywhere else.
void expectPlaced(int scale, int width, int height, int left, int top)
{
    constexpr int kW = 64, kH = 48;
    SDL_Surface* frame = makePicture(kW, kH, 0);
    for (int y = 0; y < kH; ++y)
        for (int x = 0; x < kW; ++x)
            static_cast<uint32_t*>(frame->pixels)[y * frame->pitch / 4 + x] = codedColour(x, y);  // 0xRRGGBB

    FrameCanvas canvas(scale, width, height, kW, kH);
    EXPECT_EQ(canvas.left(), left);
    EXPECT_EQ(canvas.top(), top);
    for (int pass = 0; pass < 2; ++pass) {  // the second frame must not disturb the padding
        canvas.place(frame);
        int wrong = 0;
        for (int y = 0; y < height; ++y) {
            for (int x = 0; x < width; ++x) {
                const bool inside = x >= left && x < left + kW * scale && y >= top && y < top + kH * scale;
                const uint32_t expected = inside ? codedColour((x - left) / scale, (y - top) / scale) : 0;
                wrong += canvasAt(canvas, x, y) != expected;
            }
        }
        EXPECT_EQ(wrong, 0) << "scale " << scale << ", " << width << "x" << height;
    }
    SDL_FreeSurface(frame);
}
}  // namespace

TEST(FrameCanvas, EachPixelBecomesABlockAtTheOffsetOnBlack)
{
    expectPlaced(1, 64, 48, 0, 0);
    expectPlaced(3, 192, 144, 0, 0);
    expectPlaced(2, 192, 108, 32, 6);  // the 1920 x 1080 layout, a tenth of the size
    // Odd margins: the offsets are rounded down to even numbers.
    expectPlaced(3, 199, 147, 2, 0);
}
