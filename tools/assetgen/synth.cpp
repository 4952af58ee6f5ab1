#include "synth.h"

#include <algorithm>

namespace assetgen {

namespace {

float polyBlep(float t, float dt) {
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0f;
    }
    if (t > 1.0f - dt) {
        t = (t - 1.0f) / dt;
        return t * t + t + t + 1.0f;
    }
    return 0.0f;
}

class Comb {
public:
    explicit Comb(int n) : buf_(size_t(n), 0.0f) {}
    float process(float x, float feedback, float damp) {
        float y = buf_[pos_];
        store_ = y * (1 - damp) + store_ * damp;
        buf_[pos_] = x + store_ * feedback;
        if (++pos_ == buf_.size()) pos_ = 0;
        return y;
    }

private:
    std::vector<float> buf_;
    size_t pos_ = 0;
    float store_ = 0;
};

class Allpass {
public:
    explicit Allpass(int n) : buf_(size_t(n), 0.0f) {}
    float process(float x) {
        float b = buf_[pos_];
        buf_[pos_] = x + b * 0.5f;
        if (++pos_ == buf_.size()) pos_ = 0;
        return b - x;
    }

private:
    std::vector<float> buf_;
    size_t pos_ = 0;
};

}  // namespace

void Stereo::add(const std::vector<float>& mono, long start, float gain, float pan) {
    float a = (pan + 1.0f) * 0.25f * 3.14159265f;
    float gl = gain * std::cos(a) * 1.41421356f, gr = gain * std::sin(a) * 1.41421356f;
    for (size_t i = 0; i < mono.size(); ++i) {
        long j = start + long(i);
        if (j < 0 || j >= long(l.size())) continue;
        l[size_t(j)] += mono[i] * gl;
        r[size_t(j)] += mono[i] * gr;
    }
}

void Stereo::add(const Stereo& other, long start, float gain) {
    for (size_t i = 0; i < other.size(); ++i) {
        long j = start + long(i);
        if (j < 0 || j >= long(l.size())) continue;
        l[size_t(j)] += other.l[i] * gain;
        r[size_t(j)] += other.r[i] * gain;
    }
}

float Stereo::peak() const {
    float p = 0;
    for (size_t i = 0; i < l.size(); ++i) p = std::max({p, std::fabs(l[i]), std::fabs(r[i])});
    return p;
}

void Stereo::scale(float k) {
    for (float& v : l) v *= k;
    for (float& v : r) v *= k;
}

float Osc::next(float hz, float pulseWidth) {
    float dt = std::min(0.45f, hz / float(kRate));
    float out = 0;
    switch (shape_) {
        case Sine:
            out = std::sin(phase_ * kTwoPi);
            break;
        case Saw:
            out = 2.0f * phase_ - 1.0f - polyBlep(phase_, dt);
            break;
        case Square:
        case Triangle: {
            float p2 = phase_ + 1.0f - pulseWidth;
            if (p2 >= 1.0f) p2 -= 1.0f;
            out = (phase_ < pulseWidth ? 1.0f : -1.0f) + polyBlep(phase_, dt) - polyBlep(p2, dt);
            if (shape_ == Triangle) {
                // Leaky integration of the square gives a band-limited triangle.
                tri_ = dt * out * 4.0f + tri_ * 0.999f;
                out = tri_;
            }
            break;
        }
    }
    phase_ += dt;
    if (phase_ >= 1.0f) phase_ -= 1.0f;
    return out;
}

void Svf::process(float x, float cutoffHz) {
    // Sweeping cutoffs change by tiny steps; recomputing only past 0.2 % keeps
    // the cost of envelopes low without audible stepping.
    if (std::fabs(cutoffHz - lastCutoff_) > lastCutoff_ * 0.002f) {
        lastCutoff_ = cutoffHz;
        // Pade approximation of tan, accurate to 0.1 % below 13 kHz.
        float x = 3.14159265f * std::clamp(cutoffHz, 10.0f, float(kRate) * 0.3f) / float(kRate);
        float x2 = x * x;
        const float g = x * (15.0f - x2) / (15.0f - 6.0f * x2);
        a1_ = 1.0f / (1.0f + g * (g + k_));
        a2_ = g * a1_;
        a3_ = g * a2_;
    }
    const float a1 = a1_, a2 = a2_, a3 = a3_;
    float v3 = x - ic2_;
    float v1 = a1 * ic1_ + a2 * v3;
    float v2 = ic2_ + a2 * ic1_ + a3 * v3;
    ic1_ = 2 * v1 - ic1_;
    ic2_ = 2 * v2 - ic2_;
    lp_ = v2;
    bp_ = v1;
    hp_ = x - k_ * v1 - v2;
}

float adsr(float t, float noteLength, float a, float d, float s, float r) {
    auto held = [&](float u) {
        if (u < 0) return 0.0f;
        if (u < a) return u / a;
        if (u < a + d) return 1.0f - (1.0f - s) * (u - a) / d;
        return s;
    };
    if (t < noteLength) return held(t);
    float rel = t - noteLength;
    return rel >= r ? 0.0f : held(noteLength) * (1.0f - rel / r);
}

Stereo reverb(const Stereo& in, float roomSize, float damping, float wet) {
    // Classic tunings at 44.1 kHz; the right channel is spread by 23 samples.
    static const int combs[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static const int allpasses[4] = {556, 441, 341, 225};
    Stereo out(in.size());
    for (int ch = 0; ch < 2; ++ch) {
        const int spread = ch ? 23 : 0;
        std::vector<Comb> cs;
        std::vector<Allpass> as;
        for (int c : combs) cs.emplace_back(c + spread);
        for (int a : allpasses) as.emplace_back(a + spread);
        const std::vector<float>& src = ch ? in.r : in.l;
        std::vector<float>& dst = ch ? out.r : out.l;
        const float fb = 0.7f + 0.28f * roomSize;
        for (size_t i = 0; i < src.size(); ++i) {
            float x = (src[i] + (ch ? in.l[i] : in.r[i])) * 0.015f;
            float acc = 0;
            for (Comb& c : cs) acc += c.process(x, fb, damping);
            for (Allpass& a : as) acc = a.process(acc);
            dst[i] = acc * wet;
        }
    }
    return out;
}

Stereo pingPong(const Stereo& in, float delaySeconds, float feedback, float toneHz) {
    const size_t n = size_t(toSamples(delaySeconds));
    Stereo out(in.size());
    std::vector<float> bl(n, 0.0f), br(n, 0.0f);
    Svf tl, tr;
    size_t pos = 0;
    for (size_t i = 0; i < in.size(); ++i) {
        float dl = bl[pos], dr = br[pos];
        out.l[i] = dl;
        out.r[i] = dr;
        // The left echo feeds the right line and vice versa, darkening each pass.
        tl.process(dr * feedback, toneHz);
        tr.process(dl * feedback, toneHz);
        bl[pos] = (in.l[i] + in.r[i]) * 0.5f + tl.lp();
        br[pos] = tr.lp();
        if (++pos == n) pos = 0;
    }
    return out;
}

float softClip(float x) { return std::tanh(x); }

}  // namespace assetgen
