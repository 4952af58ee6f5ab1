#pragma once

#include "effects/pixel_view.h"

#include <cstdint>
#include <vector>

// Plain memory for running pixel kernels without SDL. Each row carries a few
// padding words beyond the area, so a kernel that ignores the pitch or
// strays past the area shows up in the padding.
class PixelBuffer {
public:
    static constexpr uint32_t kPadding = 0xdeadbeef;

    PixelBuffer(int width, int height, uint32_t fill, int paddingWords = 3)
        : width(width), height(height), stride(width + paddingWords),
          words(static_cast<size_t>(stride) * height, kPadding)
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) at(x, y) = fill;
    }

    PixelView view() { return {words.data(), stride * 4, width, height}; }
    uint32_t& at(int x, int y) { return words[static_cast<size_t>(y) * stride + x]; }

    bool paddingIntact() const
    {
        for (int y = 0; y < height; ++y)
            for (int x = width; x < stride; ++x)
                if (words[static_cast<size_t>(y) * stride + x] != kPadding) return false;
        return true;
    }

    const int width;
    const int height;

private:
    const int stride;
    std::vector<uint32_t> words;
};
