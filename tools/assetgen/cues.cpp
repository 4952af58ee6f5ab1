#include "cues.h"

#include <algorithm>

#include "instruments.h"

namespace assetgen {

namespace {

// A small crowd: the same shout from several throats, slightly apart in
// pitch, time and space.
Stereo gang(VoiceShape shape, int voices, Rng& rng, float spreadCents = 25.0f) {
    Stereo out(size_t(toSamples(shape.seconds + 0.06)));
    for (int v = 0; v < voices; ++v) {
        VoiceShape s = shape;
        float k = std::pow(2.0f, (rng.range(-1, 1) * spreadCents) / 1200.0f) * (v % 3 == 2 ? 0.5f : 1.0f);
        s.pitchStart *= k;
        s.pitchPeak *= k;
        s.pitchEnd *= k;
        out.add(voice(s, rng), toSamples(rng.range(0.0f, 0.03f)), 1.0f / float(voices) * 1.6f,
                voices > 1 ? -0.6f + 1.2f * float(v) / float(voices - 1) : 0.0f);
    }
    return out;
}

// Room and level: every cue gets a short reverb tail within its length and
// the same peak, so all nine sit at one loudness over the music.
Stereo finish(Stereo dry, float reverbWet, float seconds) {
    Stereo out(size_t(toSamples(seconds)));
    out.add(dry, 0, 1.0f);
    if (reverbWet > 0) out.add(reverb(out, 0.6f, 0.4f, reverbWet), 0, 1.0f);
    // Short fade at the end so a tail never stops on a click.
    const size_t fade = size_t(toSamples(0.05));
    for (size_t i = out.size() - fade; i < out.size(); ++i) {
        float g = float(out.size() - i) / float(fade);
        out.l[i] *= g;
        out.r[i] *= g;
    }
    out.scale(0.85f / out.peak());
    return out;
}

}  // namespace

std::vector<Stereo> makeCues() {
    Rng rng(777);
    std::vector<Stereo> cues;

    // gee01: a rising crowd shout "hey-ee!" as the fire starts.
    {
        VoiceShape s;
        s.seconds = 0.85f;
        s.pitchStart = 200, s.pitchPeak = 310, s.pitchEnd = 280, s.peakAt = 0.14f;
        s.from = vowel('e'), s.to = vowel('i'), s.morphSeconds = 0.25f;
        s.onsetNoise = 0.8f, s.breath = 0.25f, s.release = 0.3f;
        cues.push_back(finish(gang(s, 5, rng), 0.35f, 1.1f));
    }
    // la01: a falling "laa!".
    {
        VoiceShape s;
        s.seconds = 0.75f;
        s.pitchStart = 300, s.pitchPeak = 320, s.pitchEnd = 240, s.peakAt = 0.08f;
        s.from = vowel('l'), s.to = vowel('a'), s.morphSeconds = 0.08f;
        s.breath = 0.15f, s.release = 0.25f;
        cues.push_back(finish(gang(s, 4, rng), 0.35f, 1.0f));
    }
    // a01: an open choir "aah" on D minor that darkens to "oh".
    {
        Stereo choir(size_t(toSamples(1.6)));
        const float chord[4] = {146.8f, 174.6f, 220.0f, 293.7f};
        for (int k = 0; k < 4; ++k) {
            VoiceShape s;
            s.seconds = 1.45f;
            s.pitchStart = s.pitchPeak = s.pitchEnd = chord[k];
            s.from = vowel('a'), s.to = vowel('o'), s.morphSeconds = 1.2f;
            s.attack = 0.12f, s.release = 0.5f, s.vibrato = 0.012f, s.breath = 0.2f;
            choir.add(gang(s, 3, rng, 12.0f), toSamples(0.02 * k), 0.5f);
        }
        cues.push_back(finish(choir, 0.6f, 1.9f));
    }
    // l04: an orchestral stab, three octaves of D minor with a thump.
    {
        Stereo hit(size_t(toSamples(0.6)));
        const float notes[7] = {38, 50, 57, 62, 65, 69, 74};
        for (int k = 0; k < 7; ++k) {
            Mono tone(size_t(toSamples(0.5)), 0.0f);
            Osc a(Osc::Saw, 0.1f * float(k)), b(Osc::Saw, 0.05f * float(k));
            Svf lp(0.3f);
            const float hz = midiToHz(notes[k]);
            for (size_t i = 0; i < tone.size(); ++i) {
                float t = float(i) / float(kRate);
                lp.process(a.next(hz * 0.995f) + b.next(hz * 1.005f), 600.0f + 7000.0f * std::exp(-t * 14.0f));
                tone[i] = lp.lp() * std::exp(-t * 6.0f) * std::min(1.0f, t * 600.0f);
            }
            hit.add(tone, 0, 0.2f, -0.6f + 0.2f * float(k));
        }
        hit.add(kick(1.0f, 1.2f, 0.35f), 0, 0.7f);
        hit.add(crash(0.5f, rng, 0.5f), 0, 0.4f, 0.2f);
        cues.push_back(finish(hit, 0.3f, 0.75f));
    }
    // gee09: a long rising sweep that ends in a bright zing.
    {
        Stereo sweep(size_t(toSamples(1.6)));
        sweep.add(riser(1.3f, 1.0f, rng, 150.0f, 9000.0f), 0, 0.7f, -0.3f);
        Mono up(size_t(toSamples(1.3)), 0.0f);
        Osc saw(Osc::Saw), saw2(Osc::Saw, 0.3f);
        Svf lp(0.6f);
        for (size_t i = 0; i < up.size(); ++i) {
            float u = float(i) / float(up.size());
            float hz = 110.0f * std::pow(8.0f, u * u);
            lp.process(saw.next(hz) + saw2.next(hz * 1.01f), 400.0f + 6000.0f * u);
            up[i] = lp.lp() * u * 0.6f;
        }
        sweep.add(up, 0, 0.6f, 0.3f);
        sweep.add(bell(93, 0.8f, 0.4f), toSamples(1.2), 0.6f, 0.4f);
        sweep.add(bell(98, 0.6f, 0.4f), toSamples(1.23), 0.5f, -0.4f);
        cues.push_back(finish(sweep, 0.4f, 1.8f));
    }
    // a03: a short barked "hah!".
    {
        VoiceShape s;
        s.seconds = 0.28f;
        s.pitchStart = 260, s.pitchPeak = 290, s.pitchEnd = 220, s.peakAt = 0.05f;
        s.from = vowel('a'), s.to = vowel('a');
        s.onsetNoise = 1.2f, s.breath = 0.35f, s.attack = 0.01f, s.release = 0.1f;
        cues.push_back(finish(gang(s, 4, rng), 0.25f, 0.45f));
    }
    // gee06: a falling laser that says "weeoo".
    {
        Stereo zap(size_t(toSamples(1.0)));
        Mono tone(size_t(toSamples(0.8)), 0.0f);
        Osc sq(Osc::Square), sn(Osc::Sine);
        for (size_t i = 0; i < tone.size(); ++i) {
            float t = float(i) / float(kRate);
            float hz = 120.0f + 2300.0f * std::exp(-t * 6.0f);
            tone[i] = (sq.next(hz, 0.3f) * 0.3f + sn.next(hz * 0.5f) * 0.7f) * std::exp(-t * 3.0f) * std::min(1.0f, t * 400.0f);
        }
        zap.add(tone, 0, 0.5f, 0.4f);
        VoiceShape s;
        s.seconds = 0.8f;
        s.pitchStart = 420, s.pitchPeak = 440, s.pitchEnd = 170, s.peakAt = 0.05f;
        s.from = vowel('i'), s.to = vowel('u'), s.morphSeconds = 0.6f, s.release = 0.3f;
        zap.add(gang(s, 2, rng), 0, 0.8f);
        Stereo echo = pingPong(zap, 0.12f, 0.4f, 4000.0f);
        zap.add(echo, 0, 0.5f);
        cues.push_back(finish(zap, 0.2f, 1.1f));
    }
    // gee04: a deep impact, long sub boom under a burst of noise.
    {
        Stereo boom(size_t(toSamples(1.8)));
        boom.add(kick(1.0f, 0.7f, 1.6f), 0, 0.9f);
        boom.add(crash(1.0f, rng, 1.6f), 0, 0.5f, -0.2f);
        Mono rumble = riser(0.4f, 1.0f, rng, 2000.0f, 60.0f);
        std::reverse(rumble.begin(), rumble.end());
        boom.add(rumble, 0, 0.5f, 0.3f);
        cues.push_back(finish(boom, 0.3f, 1.9f));
    }
    // la03: a shimmering bell arpeggio with a soft sung "laa" beneath, on C
    // major, the chord the music holds when the last title arrives.
    {
        Stereo shimmer(size_t(toSamples(1.95)));
        const float notes[5] = {72, 76, 79, 84, 86};
        for (int k = 0; k < 5; ++k) shimmer.add(bell(notes[k], 0.7f, 1.8f), toSamples(0.06 * k), 0.45f, -0.6f + 0.3f * float(k));
        VoiceShape s;
        s.seconds = 1.4f;
        s.pitchStart = s.pitchPeak = s.pitchEnd = 261.6f;
        s.from = vowel('l'), s.to = vowel('a'), s.morphSeconds = 0.12f;
        s.attack = 0.06f, s.release = 0.6f, s.vibrato = 0.015f;
        shimmer.add(gang(s, 3, rng, 10.0f), toSamples(0.05), 0.6f);
        cues.push_back(finish(shimmer, 0.5f, 1.95f));
    }
    return cues;
}

}  // namespace assetgen
