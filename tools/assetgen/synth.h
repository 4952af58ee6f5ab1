// Small synthesis toolkit: oscillators, envelopes, filters, delay and reverb.
#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "image.h"  // Rng

namespace assetgen {

constexpr double kRate = 44100.0;
constexpr float kTwoPi = 6.28318530718f;

inline float midiToHz(float note) { return 440.0f * std::pow(2.0f, (note - 69.0f) / 12.0f); }
inline int toSamples(double seconds) { return int(std::lround(seconds * kRate)); }

struct Stereo {
    std::vector<float> l, r;
    Stereo() = default;
    explicit Stereo(size_t n) : l(n, 0.0f), r(n, 0.0f) {}
    size_t size() const { return l.size(); }
    // Mixes a mono signal in at sample offset start with equal-power pan (-1 left .. 1 right).
    void add(const std::vector<float>& mono, long start, float gain, float pan = 0.0f);
    void add(const Stereo& other, long start, float gain);
    float peak() const;
    void scale(float k);
};

// Band-limited oscillators (polyBLEP) that keep their own phase.
class Osc {
public:
    enum Shape { Sine, Saw, Square, Triangle };
    explicit Osc(Shape s, float phase = 0.0f) : shape_(s), phase_(phase) {}
    float next(float hz, float pulseWidth = 0.5f);

private:
    Shape shape_;
    float phase_;
    float tri_ = 0.0f;
};

// Zero-delay-feedback state-variable filter; cutoff may change every sample.
class Svf {
public:
    explicit Svf(float resonance = 0.2f) : k_(2.0f - 2.0f * resonance) {}
    void setResonance(float r) {
        k_ = 2.0f - 2.0f * r;
        lastCutoff_ = -1;
    }
    // Processes one sample; afterwards lp(), bp() and hp() hold the three outputs.
    void process(float x, float cutoffHz);
    float lp() const { return lp_; }
    float bp() const { return bp_; }
    float hp() const { return hp_; }

private:
    float k_;
    float lastCutoff_ = -1, a1_ = 0, a2_ = 0, a3_ = 0;
    float ic1_ = 0, ic2_ = 0, lp_ = 0, bp_ = 0, hp_ = 0;
};

// Attack-decay-sustain-release envelope as a function of time since note-on.
float adsr(float t, float noteLength, float a, float d, float s, float r);

// Freeverb-style room: parallel combs into series allpasses, per channel.
Stereo reverb(const Stereo& in, float roomSize, float damping, float wet);
// Ping-pong echo; returns only the echoes.
Stereo pingPong(const Stereo& in, float delaySeconds, float feedback, float toneHz);

float softClip(float x);

}  // namespace assetgen
