#include "effects/reference/reference_kernels.h"

#include "effects/picture_blit.h"
#include "random.h"

#include <SDL_gfxPrimitives.h>

#include <algorithm>
#include <cmath>

namespace reference {

void fire(const PixelView& target, uint32_t colourMask)
{
    const int w = target.width, h = target.height;
    for (int i = 0; i < 10 && i < h; ++i) {
        for (int x = 0; x < w; ++x) {
            const uint32_t a = static_cast<uint32_t>(nextRandom());
            const uint32_t b = static_cast<uint32_t>(nextRandom());
            target.row(h - 1 - i)[x] = (a * b) & colourMask;
        }
    }
    for (int y = 0; y <= h - 2; ++y) {
        for (int x = 1; x <= w - 2; ++x) {
            const uint32_t l = target.row(y + 1)[x - 1];
            const uint32_t c = target.row(y + 1)[x];
            const uint32_t r = target.row(y + 1)[x + 1];
            target.row(y)[x] = ((l >> 2) & 0x3f3f3f3f) + 2 * ((c >> 2) & 0x3f3f3f3f) + ((r >> 2) & 0x3f3f3f3f);
        }
    }
}

void noise(const PixelView& target, const std::vector<uint16_t>& table, int32_t& cursor, NoiseBuffers& field,
           int32_t time)
{
    const int w = static_cast<int>(field.width), h = static_cast<int>(field.height);
    auto n = [&](int i, int j) -> uint8_t& { return field.noise[static_cast<size_t>(i) * w + j]; };
    auto b = [&](int i, int j) -> uint8_t& { return field.bias[static_cast<size_t>(i) * w + j]; };

    for (int i = 0; i < h; ++i) {
        for (int j = 0; j < w; ++j) {
            cursor = (cursor + 1) & 0x3ff;
            n(i, j) = static_cast<uint8_t>(table[cursor] & 0xff);
        }
        cursor += nextRandom();
    }
    for (int i = 1; i < h; ++i)
        for (int j = 1; j <= w - 2; ++j) n(i, j) = static_cast<uint8_t>((n(i - 1, j - 1) + n(i - 1, j + 1) + n(i, j)) / 3);

    const int32_t k = static_cast<int32_t>(std::sin(static_cast<double>(time / 3)) * 10.0);
    const uint8_t b0 = static_cast<uint8_t>(k);
    for (int i = 0; i < h; ++i)
        for (int j = 0; j < w; ++j) b(i, j) = b0;
    for (int i = 1; i < h; ++i)
        for (int j = 0; j <= w - 2; ++j) b(i, j) = static_cast<uint8_t>((b(i - 1, j) + 2 * b(i, j + 1)) / 2);

    for (int i = 0; i < h; ++i) {
        for (int j = 0; j < w; ++j) {
            const uint32_t c = static_cast<uint8_t>(n(i, j) - b(i, j) + time);
            target.row(i)[j] = ((c >> 1) << 16) | ((c >> 2) << 8) | c;
        }
    }
}

void warp(const uint8_t* src, uint8_t* dst, int width, int height, const SineTable& sineTable, int32_t phase)
{
    const int32_t p = phase;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const int32_t a = sineTable[(12 * p + 5 * (x + 1)) & 1023] + sineTable[(48 * p + 6 * (y + 1)) & 1023];
            const int32_t b = sineTable[(37 * p - 9 * (x + 1)) & 1023] + sineTable[(-35 * p + 8 * (y + 1)) & 1023];
            int sx = x + (a >> 15);
            int sy = y + (b >> 15);
            if (sx < 0) sx = 0;
            if (sx >= width) sx = width - 1;
            if (sy < 0) sy = 0;
            if (sy >= height) sy = height - 1;
            dst[y * width + x] = src[sy * width + sx];
        }
    }
}

void light(const PixelView& target, const uint8_t* heights, const uint8_t* lightMap, int32_t time)
{
    const int w = target.width;
    for (int y = 0; y <= target.height - 2; ++y) {
        for (int x = 0; x <= w - 2; ++x) {
            const int k = y * w + x;
            const int v = (heights[k + w] - heights[k] + y + (time >> 5)) & 0xff;
            const int u = (heights[k + 1] - heights[k] + x + (time >> 4)) & 0xff;
            target.row(y)[x] = lightMap[v * 256 + u] * 0x010101u;
        }
    }
}

std::vector<uint8_t> lightMap()
{
    std::vector<uint8_t> map(256 * 256);
    for (int r = 0; r < 256; ++r) {
        for (int c = 0; c < 256; ++c) {
            const int dy = r - 168, dx = c - 158;
            double d = std::sqrt(static_cast<double>(dx * dx + dy * dy));
            if (d > 128) d = 128;
            const double a = d * 0.0078125 * static_cast<double>(1.570795f);
            map[r * 256 + c] = static_cast<uint8_t>(static_cast<int32_t>(std::pow(std::cos(a), 5) * 255.0));
        }
    }
    return map;
}

void lineFigure(int32_t time, uint32_t width, uint32_t height, float amplitude, LineFigure& figure)
{
    float p = static_cast<float>(time * 0.01);
    float q = static_cast<float>(time * 0.01329085);
    const float a = static_cast<float>(std::sin(p * 0.32923) * (width >> 2));
    auto channel = [](double s) { return static_cast<uint32_t>(127 + static_cast<int32_t>(127 * s)); };
    auto point = [](double v) { return static_cast<int16_t>(static_cast<int32_t>(v)); };
    for (LineSegment& line : figure) {
        const uint32_t w2 = width >> 1, h2 = height >> 1;
        const double ha = h2 + a;
        const float wa = static_cast<float>(w2 + a);
        line.colour = channel(std::sin(p * 0.529871263)) << 24 | channel(std::sin(p * 0.298712643)) << 16 |
                      channel(std::sin(p * 0.987126643)) << 8 | 255;
        line.x1 = point(w2 + std::sin(q * 0.123452987) * std::sin(p * 0.389252987) * wa * amplitude);
        line.y1 = point(h2 + std::sin(p * 0.892529873) * std::sin(q * 0.292359873) * ha * amplitude);
        line.x2 = point(w2 + std::sin(p * 0.925298743) * std::sin(q * 0.325423983) * wa * amplitude);
        line.y2 = point(h2 + std::sin(p * 0.252987126) * std::sin(q * 0.453247126) * ha * amplitude);
        p = static_cast<float>(p + 0.02);
        q = static_cast<float>(q + 0.01);
    }
}

void lines(SDL_Surface* target, int32_t time, uint32_t width, uint32_t height, float amplitude)
{
    static LineFigure figure;
    if (SDL_LockSurface(target) < 0) return;
    lineFigure(time, width, height, amplitude, figure);
    for (const LineSegment& line : figure) lineColor(target, line.x1, line.y1, line.x2, line.y2, line.colour);
    SDL_UnlockSurface(target);
}

void fountain(Particles& particles, uint32_t width, uint32_t height, SDL_Surface* sprite, SDL_Surface* target,
              int32_t time, int32_t& previousTime, RandomSource random)
{
    if (previousTime == 0) previousTime = time;
    const double dt = (time - previousTime) * static_cast<double>(0.01f);
    for (int i = 0; i < kParticleCount; ++i) {
        particles.x[i] = static_cast<float>(particles.x[i] + dt * particles.vx[i]);
        particles.y[i] = static_cast<float>(particles.y[i] + dt * particles.vy[i]);
        particles.vy[i] = static_cast<float>(particles.vy[i] + dt * static_cast<double>(0.3f));
        if (particles.y[i] >= static_cast<double>(height)) {
            particles.x[i] = static_cast<float>(width >> 1);
            particles.y[i] = static_cast<float>(height - 5);
            const double angle = random() * static_cast<double>(1.0f / 32767) * static_cast<double>(3.14159265f) +
                                 static_cast<double>(3.142f);
            particles.vx[i] = static_cast<float>(std::cos(angle) * 9.0);
            particles.vy[i] = static_cast<float>(std::sin(angle) * 14.0);
        }
        SDL_Rect place = {static_cast<Sint16>(static_cast<int32_t>(particles.x[i])),
                          static_cast<Sint16>(static_cast<int32_t>(particles.y[i])), 0, 0};
        blitPicture(sprite, target, place);
    }
    previousTime = time;
}

void zoomBlend(const PixelView& source, const PixelView& target, const ZoomOffsets& offsets, int32_t scale)
{
    const int32_t n = source.pitch / 4;
    const int w = static_cast<int>(offsets.width), h = static_cast<int>(offsets.height);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int k = y * w + x;
            const int32_t o = (offsets.rows[k] * n + offsets.columns[k]) * scale;
            const uint32_t s = source.row(y)[x + o];
            const uint32_t t = target.row(y)[x];
            target.row(y)[x] = ((s >> 1) & 0x7f7f7f7f) + ((t >> 1) & 0x7f7f7f7f);
        }
    }
}

}  // namespace reference
