#pragma once

#include <SDL.h>

#include <cstdint>
#include <vector>

// The picture demo-capture writes: the frame with each pixel as a
// scale x scale block (nearest neighbour), centred on a black canvas, as
// packed 8-bit RGB rows. The centring offsets are rounded down to even
// numbers, so that at even scales each 2 x 2 colour sample of a 4:2:0 video
// covers a single pixel of the frame.
class FrameCanvas {
public:
    // Allocates the canvas once, all black. The scaled frame must fit.
    FrameCanvas(int scale, int width, int height, int frameWidth, int frameHeight);

    // Draws a frame of 32-bit pixels of the size given above; the padding
    // keeps its black.
    void place(const SDL_Surface* frame);

    int width() const { return canvasWidth; }
    int height() const { return canvasHeight; }
    int left() const { return offsetX; }
    int top() const { return offsetY; }
    const uint8_t* rgb() const { return pixels.data(); }

private:
    int scale, canvasWidth, canvasHeight, offsetX, offsetY;
    std::vector<uint8_t> pixels;
};
