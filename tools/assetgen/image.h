// Float RGBA canvas and coverage masks used to compose every picture.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace assetgen {

// Straight (non-premultiplied) colour, components 0..1.
struct Colour {
    float r = 0, g = 0, b = 0, a = 1;
};

Colour rgb(uint32_t hex, float alpha = 1.0f);
Colour mix(const Colour& a, const Colour& b, float t);

// Single-channel coverage 0..1; text, shapes and glows are built as masks
// and only then painted, so outlines and shadows come from the same shape.
struct Mask {
    int w = 0, h = 0;
    std::vector<float> v;

    Mask() = default;
    Mask(int width, int height) : w(width), h(height), v(size_t(width) * height, 0.0f) {}
    float& at(int x, int y) { return v[size_t(y) * w + x]; }
    float at(int x, int y) const { return v[size_t(y) * w + x]; }
    float sample(int x, int y) const {
        return (x < 0 || y < 0 || x >= w || y >= h) ? 0.0f : at(x, y);
    }
};

// Canvas in premultiplied RGBA so that repeated "over" compositing and
// blurring of colour never darkens edges.
struct Image {
    int w = 0, h = 0;
    std::vector<float> px;  // r, g, b, a premultiplied, row-major

    Image() = default;
    Image(int width, int height) : w(width), h(height), px(size_t(width) * height * 4, 0.0f) {}
    float* at(int x, int y) { return &px[(size_t(y) * w + x) * 4]; }
    const float* at(int x, int y) const { return &px[(size_t(y) * w + x) * 4]; }

    // 8-bit straight RGBA, rows top to bottom.
    std::vector<uint8_t> toRGBA8() const;
    // 8-bit RGB composed over black (for the JPEG pictures).
    std::vector<uint8_t> toRGB8OverBlack() const;
};

using Shader = std::function<Colour(float x, float y)>;

Shader solid(const Colour& c);
// Linear gradient through evenly spaced stops along y (0 at y0, 1 at y1).
Shader vgrad(std::vector<Colour> stops, float y0, float y1);
// Same along x.
Shader hgrad(std::vector<Colour> stops, float x0, float x1);

// Composites shader colour through coverage (times opacity) over the canvas.
void paint(Image& img, const Mask& m, const Shader& s, float opacity = 1.0f, int dx = 0, int dy = 0);
// Adds light: colour * coverage added to rgb, alpha raised toward coverage.
void glow(Image& img, const Mask& m, const Colour& c, float strength);
void fill(Image& img, const Shader& s);

// Gaussian-like blur from three box passes.
Mask blurred(const Mask& m, float radius);
// Grows a shape by r pixels with a round pen (used for outlines).
Mask dilated(const Mask& m, int r);
void scale(Mask& m, float k);
void clampMask(Mask& m);
void addMask(Mask& dst, const Mask& src, float k = 1.0f, int dx = 0, int dy = 0);
// dst = dst * (1 - src): cut a shape out of another.
void subtractMask(Mask& dst, const Mask& src);
void multiplyMask(Mask& dst, const Mask& src);

// Anti-aliased shapes from signed distances, drawn additively (max) into a mask.
void disc(Mask& m, float cx, float cy, float r, float value = 1.0f);
void ring(Mask& m, float cx, float cy, float r, float thickness, float value = 1.0f);
void roundRect(Mask& m, float x0, float y0, float x1, float y1, float radius, float value = 1.0f);
void capsule(Mask& m, float ax, float ay, float bx, float by, float r, float value = 1.0f);
// Arc of a circle between two angles (radians, 0 = +x, growing clockwise on screen).
void arc(Mask& m, float cx, float cy, float r, float thickness, float a0, float a1, float value = 1.0f);
// Polyline through points, each segment a capsule.
void polyline(Mask& m, const std::vector<std::pair<float, float>>& pts, float r, float value = 1.0f);

// Deterministic generator (xorshift) so that every build draws the same pixels.
class Rng {
public:
    explicit Rng(uint64_t seed) : s_(seed ? seed : 0x9E3779B97F4A7C15ull) {}
    uint64_t next() {
        s_ ^= s_ << 13;
        s_ ^= s_ >> 7;
        s_ ^= s_ << 17;
        return s_;
    }
    float uniform() { return float(next() >> 40) / float(1ull << 24); }  // [0,1)
    float range(float a, float b) { return a + (b - a) * uniform(); }

private:
    uint64_t s_;
};

}  // namespace assetgen
