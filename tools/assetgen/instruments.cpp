#include "instruments.h"

#include <algorithm>

namespace assetgen {

namespace {

Mono buffer(float seconds) { return Mono(size_t(toSamples(seconds)), 0.0f); }

float noise(Rng& rng) { return rng.uniform() * 2.0f - 1.0f; }

// Exponential decays never reach zero; a short fade at the end of the buffer
// keeps the cut from clicking.
Mono faded(Mono m, float seconds = 0.02f) {
    const size_t n = std::min(m.size(), size_t(toSamples(seconds)));
    for (size_t i = 0; i < n; ++i) m[m.size() - 1 - i] *= float(i) / float(n);
    return m;
}

}  // namespace

Mono kick(float velocity, float tune, float length) {
    Mono out = buffer(length);
    float phase = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / float(kRate);
        float f = (42.0f + 120.0f * std::exp(-t * 28.0f)) * tune;
        phase += f / float(kRate);
        float body = std::sin(phase * kTwoPi) * std::exp(-t * 5.5f / length * 0.45f);
        float click = std::sin(phase * kTwoPi * 7.3f) * std::exp(-t * 260.0f) * 0.35f;
        out[i] = softClip((body + click) * 1.6f) * velocity;
    }
    return faded(std::move(out), 0.03f);
}

Mono snare(float velocity, Rng& rng) {
    Mono out = buffer(0.32f);
    Svf bp(0.3f), hp(0.1f);
    float p1 = 0, p2 = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / float(kRate);
        p1 += 185.0f / float(kRate);
        p2 += 330.0f / float(kRate);
        float tone = (std::sin(p1 * kTwoPi) + 0.5f * std::sin(p2 * kTwoPi)) * std::exp(-t * 22.0f);
        float n = noise(rng);
        bp.process(n, 2800.0f);
        hp.process(n, 6000.0f);
        float rattle = (bp.bp() * 1.4f + hp.hp() * 0.5f) * std::exp(-t * 13.0f);
        out[i] = (tone * 0.6f + rattle) * velocity;
    }
    return faded(std::move(out));
}

Mono clap(float velocity, Rng& rng) {
    Mono out = buffer(0.35f);
    Svf bp(0.45f);
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / float(kRate);
        // Three quick slaps and a tail, like several hands slightly apart.
        float env = 0;
        for (float o : {0.0f, 0.011f, 0.023f})
            if (t >= o) env = std::max(env, std::exp(-(t - o) * 180.0f));
        if (t >= 0.031f) env = std::max(env, 0.7f * std::exp(-(t - 0.031f) * 16.0f));
        bp.process(noise(rng), 1300.0f);
        out[i] = bp.bp() * env * velocity * 2.2f;
    }
    return faded(std::move(out));
}

Mono hat(float velocity, bool open, Rng& rng) {
    Mono out = buffer(open ? 0.4f : 0.07f);
    Svf hp(0.2f);
    Osc m1(Osc::Square), m2(Osc::Square), m3(Osc::Square);
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / float(kRate);
        float metal = (m1.next(3170) + m2.next(4650) + m3.next(6120)) * 0.25f;
        hp.process(noise(rng) * 0.7f + metal, 7500.0f);
        float env = std::exp(-t * (open ? 9.0f : 70.0f));
        out[i] = hp.hp() * env * velocity;
    }
    return faded(std::move(out));
}

Mono crash(float velocity, Rng& rng, float length) {
    Mono out = buffer(length);
    Svf hp(0.1f), bp(0.2f);
    Osc m[6] = {Osc(Osc::Square), Osc(Osc::Square), Osc(Osc::Square),
                Osc(Osc::Square), Osc(Osc::Square), Osc(Osc::Square)};
    const float fr[6] = {587, 845, 1253, 1617, 2389, 3571};
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / float(kRate);
        float metal = 0;
        for (int k = 0; k < 6; ++k) metal += m[k].next(fr[k]);
        float n = noise(rng);
        bp.process(metal * 0.15f, 4200.0f);
        hp.process(n, 4500.0f);
        float env = std::exp(-t * 2.4f) * std::min(1.0f, t * 400.0f);
        out[i] = (hp.hp() * 0.8f + bp.bp() * 0.6f) * env * velocity;
    }
    return faded(std::move(out));
}

Mono bass(float midi, float seconds, float velocity, float brightness) {
    Mono out = buffer(seconds + 0.05f);
    Osc saw(Osc::Saw), sub(Osc::Square);
    Svf lp(0.35f);
    const float hz = midiToHz(midi);
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / float(kRate);
        float x = saw.next(hz) * 0.7f + sub.next(hz * 0.5f) * 0.45f;
        lp.process(x, (160.0f + 1900.0f * std::exp(-t * 14.0f) * velocity) * brightness + hz);
        float env = adsr(t, seconds, 0.004f, 0.2f, 0.75f, 0.04f);
        out[i] = softClip(lp.lp() * 1.5f) * env * velocity;
    }
    return out;
}

Stereo pad(const std::vector<float>& midis, float seconds, float velocity, float cutoff) {
    const float release = 0.9f;
    Stereo out(size_t(toSamples(seconds + release)));
    int n = 0;
    for (float m : midis) {
        // Three detuned saws per note: the outer two lean left and right, the
        // centre one feeds both sides, each side through its own filter.
        const float phase = float(n) * 0.37f - float(int(float(n) * 0.37f));
        Osc lo(Osc::Saw, phase), mid(Osc::Saw, phase * 0.5f), hi(Osc::Saw, 1.0f - phase);
        Svf fl(0.15f), fr(0.15f);
        const float hzLo = midiToHz(m - 0.11f), hzMid = midiToHz(m), hzHi = midiToHz(m + 0.12f);
        float cut = cutoff;
        for (size_t i = 0; i < out.size(); ++i) {
            float t = float(i) / float(kRate);
            // The filter drifts slowly; recomputing it every 32 samples is inaudible.
            if ((i & 31) == 0) cut = cutoff * (1.0f + 0.25f * std::sin(t * 1.3f + float(n)));
            float c = mid.next(hzMid) * 0.6f;
            fl.process(lo.next(hzLo) + c, cut);
            fr.process(hi.next(hzHi) + c, cut * 1.03f);
            float env = adsr(t, seconds, 0.35f, 0.6f, 0.8f, release) * velocity * 0.28f;
            out.l[i] += fl.lp() * env;
            out.r[i] += fr.lp() * env;
        }
        ++n;
    }
    return out;
}

Mono pluck(float midi, float velocity, float cutoff) {
    Mono out = buffer(0.45f);
    Osc p(Osc::Square), s(Osc::Saw);
    Svf lp(0.45f);
    const float hz = midiToHz(midi);
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / float(kRate);
        lp.process(p.next(hz, 0.28f) * 0.6f + s.next(hz * 1.004f) * 0.4f, 300.0f + cutoff * std::exp(-t * 16.0f));
        out[i] = lp.lp() * std::exp(-t * 7.0f) * std::min(1.0f, t * 800.0f) * velocity;
    }
    return faded(std::move(out));
}

Mono lead(float midi, float seconds, float velocity, float glideFrom) {
    Mono out = buffer(seconds + 0.3f);
    Osc a(Osc::Saw), b(Osc::Saw, 0.5f), c(Osc::Square);
    Svf lp(0.3f);
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / float(kRate);
        float note = midi;
        if (glideFrom >= 0 && t < 0.06f) note = glideFrom + (midi - glideFrom) * (t / 0.06f);
        float vib = t > 0.18f ? 0.12f * std::sin(t * kTwoPi * 5.2f) * std::min(1.0f, (t - 0.18f) * 3.0f) : 0.0f;
        float hz = midiToHz(note + vib);
        float x = a.next(hz * 0.996f) * 0.5f + b.next(hz * 1.004f) * 0.5f + c.next(hz * 0.5f) * 0.2f;
        lp.process(x, 1200.0f + 2600.0f * std::exp(-t * 5.0f) + hz * 1.5f);
        out[i] = lp.lp() * adsr(t, seconds, 0.012f, 0.25f, 0.7f, 0.25f) * velocity;
    }
    return out;
}

Mono riser(float seconds, float velocity, Rng& rng, float fromHz, float toHz) {
    Mono out = buffer(seconds);
    Svf bp(0.6f);
    for (size_t i = 0; i < out.size(); ++i) {
        float u = float(i) / float(out.size());
        float fc = fromHz * std::pow(toHz / fromHz, u);
        bp.process(noise(rng), fc);
        out[i] = bp.bp() * u * u * velocity * 1.5f;
    }
    return out;
}

Mono bell(float midi, float velocity, float seconds) {
    Mono out = buffer(seconds);
    const float hz = midiToHz(midi);
    float pc = 0, pm = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / float(kRate);
        pm += hz * 3.5f / float(kRate);
        pc += hz / float(kRate);
        float index = 2.2f * std::exp(-t * 3.0f);
        float s = std::sin(kTwoPi * pc + index * std::sin(kTwoPi * pm));
        out[i] = s * std::exp(-t * 2.2f) * std::min(1.0f, t * 500.0f) * velocity;
    }
    return faded(std::move(out));
}

Vowel vowel(char name) {
    switch (name) {
        case 'a': return {{730, 1090, 2440, 3400}, {1.0f, 0.55f, 0.25f, 0.1f}};
        case 'e': return {{530, 1840, 2480, 3500}, {1.0f, 0.5f, 0.3f, 0.12f}};
        case 'i': return {{290, 2250, 3000, 3700}, {1.0f, 0.35f, 0.3f, 0.12f}};
        case 'o': return {{570, 840, 2410, 3300}, {1.0f, 0.45f, 0.12f, 0.06f}};
        case 'u': return {{320, 870, 2240, 3300}, {1.0f, 0.3f, 0.08f, 0.04f}};
        case 'l': return {{360, 1100, 2700, 3400}, {0.7f, 0.2f, 0.1f, 0.05f}};
        default: return {{280, 1000, 2300, 3300}, {0.6f, 0.1f, 0.05f, 0.02f}};  // 'm'
    }
}

Mono voice(const VoiceShape& s, Rng& rng) {
    Mono out = buffer(s.seconds);
    Osc glottis(Osc::Saw);
    Svf formant[4] = {Svf(0.92f), Svf(0.93f), Svf(0.94f), Svf(0.94f)};
    Svf breathHp(0.1f), tilt(0.1f);
    float jitter = 0;
    for (size_t i = 0; i < out.size(); ++i) {
        float t = float(i) / float(kRate);
        float pitch;
        if (t < s.peakAt) pitch = s.pitchStart + (s.pitchPeak - s.pitchStart) * (t / s.peakAt);
        else pitch = s.pitchPeak + (s.pitchEnd - s.pitchPeak) * std::min(1.0f, (t - s.peakAt) / std::max(0.01f, s.seconds - s.peakAt));
        // A little wandering keeps the voice from sounding like a test tone.
        jitter = jitter * 0.999f + noise(rng) * 0.001f;
        pitch *= 1.0f + s.vibrato * std::sin(t * kTwoPi * 5.5f) * std::min(1.0f, t * 4.0f) + jitter;
        tilt.process(glottis.next(pitch), 2200.0f);
        float source = tilt.lp() + tilt.bp() * 0.3f;
        breathHp.process(noise(rng), 1500.0f);
        float air = breathHp.hp() * s.breath;
        float m = std::clamp(t / std::max(0.001f, s.morphSeconds), 0.0f, 1.0f);
        m = m * m * (3 - 2 * m);
        float y = 0;
        for (int k = 0; k < 4; ++k) {
            float f = s.from.f[k] + (s.to.f[k] - s.from.f[k]) * m;
            float g = s.from.gain[k] + (s.to.gain[k] - s.from.gain[k]) * m;
            formant[k].process(source + air, f);
            y += formant[k].bp() * g;
        }
        float burst = s.onsetNoise > 0 ? noise(rng) * s.onsetNoise * std::exp(-t * 45.0f) : 0.0f;
        float env = adsr(t, s.seconds - s.release, s.attack, 0.1f, 0.85f, s.release);
        out[i] = (y * 0.6f + burst * 0.3f) * env;
    }
    return out;
}

}  // namespace assetgen
