#include "image.h"

#include <algorithm>
#include <cmath>

namespace assetgen {

namespace {

float clamp01(float v) { return v < 0 ? 0 : (v > 1 ? 1 : v); }

uint8_t to8(float v) { return uint8_t(std::lround(clamp01(v) * 255.0f)); }

// Coverage of a pixel from a signed distance (negative inside).
float coverage(float d) { return clamp01(0.5f - d); }

Colour gradientAt(const std::vector<Colour>& stops, float t) {
    t = clamp01(t);
    if (stops.size() == 1) return stops[0];
    float f = t * float(stops.size() - 1);
    size_t i = std::min(size_t(f), stops.size() - 2);
    return mix(stops[i], stops[i + 1], f - float(i));
}

// One horizontal then vertical box pass of the given radius.
void boxPass(Mask& m, int r) {
    if (r <= 0) return;
    std::vector<float> line(size_t(std::max(m.w, m.h)));
    const float inv = 1.0f / float(2 * r + 1);
    for (int y = 0; y < m.h; ++y) {
        float acc = 0;
        for (int x = -r; x <= r; ++x) acc += m.sample(x, y);
        for (int x = 0; x < m.w; ++x) {
            line[size_t(x)] = acc * inv;
            acc += m.sample(x + r + 1, y) - m.sample(x - r, y);
        }
        for (int x = 0; x < m.w; ++x) m.at(x, y) = line[size_t(x)];
    }
    for (int x = 0; x < m.w; ++x) {
        float acc = 0;
        for (int y = -r; y <= r; ++y) acc += m.sample(x, y);
        for (int y = 0; y < m.h; ++y) {
            line[size_t(y)] = acc * inv;
            acc += m.sample(x, y + r + 1) - m.sample(x, y - r);
        }
        for (int y = 0; y < m.h; ++y) m.at(x, y) = line[size_t(y)];
    }
}

template <typename Dist>
void drawShape(Mask& m, float x0, float y0, float x1, float y1, float value, Dist dist) {
    int ix0 = std::max(0, int(std::floor(x0)) - 1), iy0 = std::max(0, int(std::floor(y0)) - 1);
    int ix1 = std::min(m.w - 1, int(std::ceil(x1)) + 1), iy1 = std::min(m.h - 1, int(std::ceil(y1)) + 1);
    for (int y = iy0; y <= iy1; ++y)
        for (int x = ix0; x <= ix1; ++x) {
            float c = coverage(dist(float(x) + 0.5f, float(y) + 0.5f)) * value;
            float& d = m.at(x, y);
            d = std::max(d, c);
        }
}

}  // namespace

Colour rgb(uint32_t hex, float alpha) {
    return {float((hex >> 16) & 255) / 255.0f, float((hex >> 8) & 255) / 255.0f, float(hex & 255) / 255.0f, alpha};
}

Colour mix(const Colour& a, const Colour& b, float t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t, a.a + (b.a - a.a) * t};
}

std::vector<uint8_t> Image::toRGBA8() const {
    std::vector<uint8_t> out(size_t(w) * h * 4);
    for (size_t i = 0; i < size_t(w) * h; ++i) {
        const float* p = &px[i * 4];
        float a = clamp01(p[3]);
        float inv = a > 1e-6f ? 1.0f / a : 0.0f;
        out[i * 4 + 0] = to8(p[0] * inv);
        out[i * 4 + 1] = to8(p[1] * inv);
        out[i * 4 + 2] = to8(p[2] * inv);
        out[i * 4 + 3] = to8(a);
    }
    return out;
}

std::vector<uint8_t> Image::toRGB8OverBlack() const {
    std::vector<uint8_t> out(size_t(w) * h * 3);
    for (size_t i = 0; i < size_t(w) * h; ++i)
        for (int c = 0; c < 3; ++c) out[i * 3 + size_t(c)] = to8(px[i * 4 + size_t(c)]);
    return out;
}

Shader solid(const Colour& c) {
    return [c](float, float) { return c; };
}

Shader vgrad(std::vector<Colour> stops, float y0, float y1) {
    return [stops, y0, y1](float, float y) { return gradientAt(stops, (y - y0) / (y1 - y0)); };
}

Shader hgrad(std::vector<Colour> stops, float x0, float x1) {
    return [stops, x0, x1](float x, float) { return gradientAt(stops, (x - x0) / (x1 - x0)); };
}

void paint(Image& img, const Mask& m, const Shader& s, float opacity, int dx, int dy) {
    for (int y = 0; y < m.h; ++y) {
        int ty = y + dy;
        if (ty < 0 || ty >= img.h) continue;
        for (int x = 0; x < m.w; ++x) {
            int tx = x + dx;
            float cov = m.at(x, y) * opacity;
            if (tx < 0 || tx >= img.w || cov <= 0.0f) continue;
            Colour c = s(float(tx) + 0.5f, float(ty) + 0.5f);
            float a = clamp01(c.a * cov);
            float* p = img.at(tx, ty);
            p[0] = c.r * a + p[0] * (1 - a);
            p[1] = c.g * a + p[1] * (1 - a);
            p[2] = c.b * a + p[2] * (1 - a);
            p[3] = a + p[3] * (1 - a);
        }
    }
}

void glow(Image& img, const Mask& m, const Colour& c, float strength) {
    for (int y = 0; y < std::min(m.h, img.h); ++y)
        for (int x = 0; x < std::min(m.w, img.w); ++x) {
            float k = clamp01(m.at(x, y) * strength);
            if (k <= 0) continue;
            float* p = img.at(x, y);
            p[0] += c.r * k;
            p[1] += c.g * k;
            p[2] += c.b * k;
            p[3] = std::max(p[3], std::min(1.0f, std::max({p[0], p[1], p[2]})));
            for (int i = 0; i < 3; ++i) p[i] = std::min(p[i], p[3]);
        }
}

void fill(Image& img, const Shader& s) {
    Mask all(img.w, img.h);
    std::fill(all.v.begin(), all.v.end(), 1.0f);
    paint(img, all, s);
}

Mask blurred(const Mask& m, float radius) {
    Mask out = m;
    // Three box passes of width ~ radius approximate a Gaussian of sigma ~ radius/2.
    int r = std::max(1, int(std::lround(radius / 1.7f)));
    for (int i = 0; i < 3; ++i) boxPass(out, r);
    return out;
}

Mask dilated(const Mask& m, int r) {
    Mask out(m.w, m.h);
    std::vector<std::pair<int, int>> offs;
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            if (dx * dx + dy * dy <= r * r + r) offs.emplace_back(dx, dy);
    for (int y = 0; y < m.h; ++y)
        for (int x = 0; x < m.w; ++x) {
            float best = 0;
            for (auto [dx, dy] : offs) {
                best = std::max(best, m.sample(x + dx, y + dy));
                if (best >= 1.0f) break;
            }
            out.at(x, y) = best;
        }
    return out;
}

void scale(Mask& m, float k) {
    for (float& v : m.v) v *= k;
}

void clampMask(Mask& m) {
    for (float& v : m.v) v = clamp01(v);
}

void addMask(Mask& dst, const Mask& src, float k, int dx, int dy) {
    for (int y = 0; y < src.h; ++y)
        for (int x = 0; x < src.w; ++x) {
            int tx = x + dx, ty = y + dy;
            if (tx < 0 || ty < 0 || tx >= dst.w || ty >= dst.h) continue;
            dst.at(tx, ty) = clamp01(dst.at(tx, ty) + src.at(x, y) * k);
        }
}

void subtractMask(Mask& dst, const Mask& src) {
    for (size_t i = 0; i < dst.v.size() && i < src.v.size(); ++i) dst.v[i] *= 1.0f - clamp01(src.v[i]);
}

void multiplyMask(Mask& dst, const Mask& src) {
    for (size_t i = 0; i < dst.v.size() && i < src.v.size(); ++i) dst.v[i] *= src.v[i];
}

void disc(Mask& m, float cx, float cy, float r, float value) {
    drawShape(m, cx - r, cy - r, cx + r, cy + r, value,
              [=](float x, float y) { return std::hypot(x - cx, y - cy) - r; });
}

void ring(Mask& m, float cx, float cy, float r, float thickness, float value) {
    float ro = r + thickness * 0.5f;
    drawShape(m, cx - ro, cy - ro, cx + ro, cy + ro, value,
              [=](float x, float y) { return std::fabs(std::hypot(x - cx, y - cy) - r) - thickness * 0.5f; });
}

void roundRect(Mask& m, float x0, float y0, float x1, float y1, float radius, float value) {
    float cx = (x0 + x1) * 0.5f, cy = (y0 + y1) * 0.5f;
    float hx = (x1 - x0) * 0.5f - radius, hy = (y1 - y0) * 0.5f - radius;
    drawShape(m, x0, y0, x1, y1, value, [=](float x, float y) {
        float qx = std::fabs(x - cx) - hx, qy = std::fabs(y - cy) - hy;
        float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
        return outside + std::min(std::max(qx, qy), 0.0f) - radius;
    });
}

void capsule(Mask& m, float ax, float ay, float bx, float by, float r, float value) {
    float bax = bx - ax, bay = by - ay;
    float len2 = std::max(1e-6f, bax * bax + bay * bay);
    drawShape(m, std::min(ax, bx) - r, std::min(ay, by) - r, std::max(ax, bx) + r, std::max(ay, by) + r, value,
              [=](float x, float y) {
                  float pax = x - ax, pay = y - ay;
                  float h = std::clamp((pax * bax + pay * bay) / len2, 0.0f, 1.0f);
                  return std::hypot(pax - bax * h, pay - bay * h) - r;
              });
}

void arc(Mask& m, float cx, float cy, float r, float thickness, float a0, float a1, float value) {
    int steps = std::max(4, int(std::fabs(a1 - a0) * r / 3.0f));
    std::vector<std::pair<float, float>> pts;
    for (int i = 0; i <= steps; ++i) {
        float a = a0 + (a1 - a0) * float(i) / float(steps);
        pts.emplace_back(cx + r * std::cos(a), cy + r * std::sin(a));
    }
    polyline(m, pts, thickness * 0.5f, value);
}

void polyline(Mask& m, const std::vector<std::pair<float, float>>& pts, float r, float value) {
    for (size_t i = 1; i < pts.size(); ++i)
        capsule(m, pts[i - 1].first, pts[i - 1].second, pts[i].first, pts[i].second, r, value);
}

}  // namespace assetgen
