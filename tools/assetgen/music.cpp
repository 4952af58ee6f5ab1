#include "music.h"

#include <algorithm>

#include "catalogue.h"
#include "instruments.h"

namespace assetgen {

namespace {

constexpr double kLength = 112.0;  // the final chord rings on past the demo's end at 107 s

// Each scene's section holds a whole number of 4/4 bars, so the tempo is
// nudged per section (113 to 119 bpm) to land every change on its scene cut.
struct Section {
    double start, end;
    int bars;
    double beat() const { return (end - start) / (bars * 4); }
    double at(double barPos, double beatPos = 0) const { return start + (barPos * 4 + beatPos) * beat(); }
};

struct Chord {
    float root;                  // bass note
    std::vector<float> voicing;  // pad notes
    float third;                 // 3 minor, 4 major: keeps bass figures inside the chord
};

const Chord Dm{38, {57, 62, 65, 69}, 3};
const Chord Bb{34, {58, 62, 65, 70}, 4};
const Chord F{41, {57, 60, 65, 69}, 4};
const Chord C{36, {55, 60, 64, 67}, 4};
const Chord Gm{43, {55, 58, 62, 67}, 3};
const Chord A{33, {57, 61, 64, 69}, 4};

struct Note {
    double beat;  // from the start of the bar
    double length;
    float midi;
};
using Bar = std::vector<Note>;

// The theme, four bars over Dm Bb F C; the answer and the climax vary it.
const std::vector<Bar> kTheme = {
    {{0, 1, 69}, {1, 1, 74}, {2, 0.5, 76}, {2.5, 1.5, 77}},
    {{0, 0.5, 77}, {0.5, 0.5, 76}, {1, 1, 74}, {2, 1, 77}, {3, 1, 74}},
    {{0, 1.5, 72}, {1.5, 0.5, 69}, {2, 1, 72}, {3, 1, 77}},
    {{0, 2.5, 76}, {2.5, 0.5, 74}, {3, 1, 72}},
};
const std::vector<Bar> kAnswer = {
    {{0, 1, 69}, {1, 1, 74}, {2, 0.5, 76}, {2.5, 1.5, 77}},
    {{0, 1, 79}, {1, 0.5, 77}, {1.5, 0.5, 76}, {2, 2, 74}},
    {{0, 1.5, 81}, {1.5, 0.5, 79}, {2, 1, 77}, {3, 1, 72}},
    {{0, 3, 76}, {3, 1, 79}},
};
const std::vector<Bar> kClimax = {
    {{0, 1.5, 86}, {1.5, 0.5, 84}, {2, 1, 81}, {3, 1, 77}},
    {{0, 1, 79}, {1, 1, 77}, {2, 1, 74}, {3, 1, 77}},
    {{0, 2, 81}, {2, 0.5, 79}, {2.5, 0.5, 77}, {3, 1, 76}},
    {{0, 2, 79}, {2, 1, 76}, {3, 1, 72}},
};

class Arranger {
public:
    Arranger()
        : n_(size_t(toSamples(kLength))), drums(n_), bass(n_), pads(n_), arps(n_), lead(n_), fx(n_),
          duck(n_, 1.0f), rng_(20240607) {}

    size_t n_;
    Stereo drums, bass, pads, arps, lead, fx;
    std::vector<float> duck;  // kick-driven pumping applied to the tonal buses

    long pos(double t) const { return long(toSamples(t)); }

    void kickAt(double t, float v = 1.0f) {
        drums.add(kick(v), pos(t), 0.95f);
        // Tonal parts dip briefly under each kick.
        for (long i = pos(t), e = std::min(long(n_), pos(t + 0.3)); i < e; ++i) {
            float u = float(i - pos(t)) / float(kRate);
            duck[size_t(i)] = std::min(duck[size_t(i)], 1.0f - 0.45f * v * std::exp(-u * 10.0f));
        }
    }
    void snareAt(double t, float v = 1.0f) { drums.add(snare(v, rng_), pos(t), 0.55f, 0.05f); }
    void clapAt(double t, float v = 1.0f) { drums.add(clap(v, rng_), pos(t), 0.45f, -0.1f); }
    void hatAt(double t, float v, bool open = false) { drums.add(hat(v, open, rng_), pos(t), 0.4f, 0.35f); }
    void crashAt(double t, float v = 1.0f) { drums.add(crash(v, rng_), pos(t), 0.3f, -0.3f); }
    void riserInto(double t, double seconds, float v = 1.0f) {
        fx.add(riser(float(seconds), v, rng_), pos(t - seconds), 0.3f);
    }

    void padChord(const Section& s, int bar, const Chord& c, double bars, float v, float cutoff = 1600.0f) {
        pads.add(pad(c.voicing, float(bars * 4 * s.beat()), v, cutoff), pos(s.at(bar)), 1.0f);
    }

    // Sixteenth-note arpeggio over the chord, one octave up, rising and falling.
    void arpBar(const Section& s, int bar, const Chord& c, float v, float cutoff, float pan) {
        static const int order[8] = {0, 1, 2, 3, 2, 1, 3, 2};
        for (int k = 0; k < 16; ++k) {
            float m = c.voicing[size_t(order[k % 8])] + (k >= 8 ? 12.0f : 0.0f);
            float accent = k % 4 == 0 ? 1.0f : 0.7f;
            arps.add(pluck(m, v * accent, cutoff), pos(s.at(bar, k * 0.25)), 1.0f, k % 2 ? pan : -pan);
        }
    }

    void phrase(const Section& s, int firstBar, const std::vector<Bar>& bars, float v, int transpose = 0) {
        for (size_t b = 0; b < bars.size(); ++b)
            for (const Note& nt : bars[b]) {
                float len = float(nt.length * s.beat()) * 0.92f;
                lead.add(::assetgen::lead(nt.midi + float(transpose), len, v, lastLead_), pos(s.at(firstBar + int(b), nt.beat)), 1.0f);
                lastLead_ = nt.midi + float(transpose);
            }
    }

    void bellAt(double t, float midi, float v, float pan) { fx.add(bell(midi, v, 2.5f), pos(t), 0.5f, pan); }

    void bassNote(double t, double seconds, float midi, float v, float bright = 1.0f) {
        bass.add(::assetgen::bass(midi, float(seconds), v, bright), pos(t), 1.0f);
    }

    // Four on the floor with backbeat and hats; `fill` rolls the snare into the next section.
    void beatBar(const Section& s, int bar, bool openHats, bool fill, float hatLevel = 0.8f) {
        for (int q = 0; q < 4; ++q) kickAt(s.at(bar, q));
        if (!fill) {
            snareAt(s.at(bar, 1));
            snareAt(s.at(bar, 3));
        } else {
            snareAt(s.at(bar, 1));
            for (int k = 8; k < 16; ++k) snareAt(s.at(bar, k * 0.25), 0.45f + 0.07f * float(k - 8));
        }
        for (int e = 0; e < 8; ++e) {
            bool off = e % 2 == 1;
            if (openHats && off) hatAt(s.at(bar, e * 0.5), hatLevel * 0.8f, true);
            else hatAt(s.at(bar, e * 0.5), hatLevel * (off ? 0.7f : 1.0f));
            hatAt(s.at(bar, e * 0.5 + 0.25), hatLevel * 0.45f);
        }
    }

private:
    Rng rng_;
    float lastLead_ = -1.0f;
};

}  // namespace

Stereo composeMusic() {
    Arranger a;
    const double* b = kSectionStarts;
    const Section intro{b[0], b[1], 8}, fire{b[1], b[2], 7}, noise{b[2], b[3], 7}, warp{b[3], b[4], 14},
        lines{b[4], b[5], 7}, fountain{b[5], b[6], 9};

    // Intro: the pad swells out of silence, bells and an opening arpeggio,
    // then kick and bass; a riser and a snare roll lead into the fire.
    const Chord introChords[8] = {Dm, Bb, F, C, Dm, Bb, F, C};
    for (int bar = 0; bar < 8; ++bar) {
        a.padChord(intro, bar, introChords[bar], 1.0, 0.45f + 0.07f * float(bar), 900.0f + 150.0f * float(bar));
        if (bar < 4)
            for (int k = 0; k < 4; ++k)
                a.bellAt(intro.at(bar, k), introChords[bar].voicing[size_t(k)] + 12, 0.35f, k % 2 ? 0.5f : -0.5f);
        if (bar >= 2) a.arpBar(intro, bar, introChords[bar], 0.5f + 0.05f * float(bar), 700.0f + 500.0f * float(bar), 0.4f);
        if (bar >= 4) {
            for (int q = 0; q < 4; ++q) a.kickAt(intro.at(bar, q), 0.6f + 0.1f * float(bar - 4));
            a.bassNote(intro.at(bar), intro.beat() * 3.8, introChords[bar].root, 0.8f, 0.6f);
        }
        if (bar >= 6)
            for (int e = 0; e < 8; ++e) a.hatAt(intro.at(bar, e * 0.5 + 0.5), 0.5f);
    }
    for (int k = 0; k < 16; ++k) a.snareAt(intro.at(7, k * 0.25), 0.15f + 0.05f * float(k));
    a.riserInto(fire.start, intro.beat() * 8, 1.0f);

    // Fire: full beat, driving octave bass, offbeat chord stabs.
    const Chord fireChords[7] = {Dm, Bb, F, C, Dm, Bb, C};
    a.crashAt(fire.start);
    for (int bar = 0; bar < 7; ++bar) {
        const Chord& c = fireChords[bar];
        a.beatBar(fire, bar, true, bar == 6);
        a.padChord(fire, bar, c, 1.0, 0.8f, 1800.0f);
        for (int e = 0; e < 8; ++e)
            a.bassNote(fire.at(bar, e * 0.5), fire.beat() * 0.42, c.root + (e % 2 ? 12.0f : 0.0f), 0.9f);
        for (int q = 0; q < 4; ++q)
            for (float m : c.voicing) a.arps.add(pluck(m + 12, 0.35f, 5000.0f), a.pos(fire.at(bar, q + 0.5)), 1.0f, 0.2f);
        if (bar >= 2) a.arpBar(fire, bar, c, 0.35f, 2600.0f, 0.6f);
    }

    // Noise field: half-time breakdown, long bass, bells and an echoing arpeggio.
    const Chord noiseChords[7] = {Gm, Bb, F, C, Gm, Bb, A};
    a.crashAt(noise.start, 0.8f);
    for (int bar = 0; bar < 7; ++bar) {
        const Chord& c = noiseChords[bar];
        a.kickAt(noise.at(bar, 0));
        a.kickAt(noise.at(bar, 2.5), 0.7f);
        a.clapAt(noise.at(bar, 2));
        for (int e = 0; e < 8; ++e) a.hatAt(noise.at(bar, e * 0.5 + 0.25), e % 2 ? 0.35f : 0.55f);
        a.padChord(noise, bar, c, 1.0, 0.9f, 1300.0f);
        a.bassNote(noise.at(bar), noise.beat() * 3.9, c.root, 0.85f, 0.5f);
        a.arpBar(noise, bar, c, 0.5f, 1500.0f + 300.0f * float(bar), 0.7f);
        a.bellAt(noise.at(bar, 1.5), c.voicing[3] + 12, 0.3f, bar % 2 ? 0.6f : -0.6f);
    }
    a.riserInto(warp.start, noise.beat() * 8, 0.9f);

    // Warp: the theme, its answer and the climax over the full band.
    const Chord warpChords[14] = {Dm, Bb, F, C, Dm, Bb, F, C, Dm, Bb, F, C, Bb, A};
    for (int bar = 0; bar < 14; ++bar) {
        const Chord& c = warpChords[bar];
        if (bar % 4 == 0) a.crashAt(warp.at(bar), bar == 0 ? 1.0f : 0.7f);
        a.beatBar(warp, bar, bar >= 4, bar == 13);
        a.padChord(warp, bar, c, 1.0, 0.85f, 2000.0f);
        const double syncopated[6] = {0, 0.75, 1.5, 2, 2.75, 3.5};
        for (int k = 0; k < 6; ++k)
            a.bassNote(warp.at(bar, syncopated[k]), warp.beat() * 0.6, c.root + (k == 2 || k == 5 ? 12.0f : 0.0f), 0.9f);
        a.arpBar(warp, bar, c, 0.3f, 2200.0f, 0.5f);
    }
    a.phrase(warp, 0, kTheme, 0.8f);
    a.phrase(warp, 4, kAnswer, 0.8f);
    a.phrase(warp, 8, kClimax, 0.85f);
    a.phrase(warp, 12, {{{0, 2, 74}, {2, 2, 77}}, {{0, 3, 76}, {3, 1, 73}}}, 0.8f);

    // Lines: stripped to a pulse; a resonant sixteenth bass line sweeps open.
    const Chord linesChords[7] = {Dm, Dm, Bb, Bb, C, C, A};
    a.crashAt(lines.start, 0.9f);
    for (int bar = 0; bar < 7; ++bar) {
        const Chord& c = linesChords[bar];
        for (int q = 0; q < 4; ++q) a.kickAt(lines.at(bar, q));
        a.clapAt(lines.at(bar, 1));
        a.clapAt(lines.at(bar, 3));
        for (int k = 0; k < 16; ++k) a.hatAt(lines.at(bar, k * 0.25), k % 4 == 2 ? 0.8f : 0.4f, k % 4 == 2);
        a.padChord(lines, bar, c, 1.0, 0.6f, 800.0f);
        const float T = c.third;
        const float pattern[16] = {0, 12, 0, 7, 0, 12, 7, 0, 0, 12, 0, 7, T + 12, 12, 7, T};
        for (int k = 0; k < 16; ++k) {
            float bright = 0.4f + 2.2f * float(bar * 16 + k) / 112.0f;
            a.bassNote(lines.at(bar, k * 0.25), lines.beat() * 0.2, c.root + 12 + pattern[k], k % 4 == 0 ? 1.0f : 0.75f, bright);
        }
    }
    a.riserInto(fountain.start, lines.beat() * 4, 0.9f);

    // Fountain: the theme returns, the beat falls away, and the piece closes
    // on D minor at the end of the demo, ringing out.
    const Chord finaleChords[9] = {Dm, Bb, F, C, Dm, Bb, C, A, Dm};
    a.crashAt(fountain.start);
    for (int bar = 0; bar < 8; ++bar) {
        const Chord& c = finaleChords[bar];
        if (bar < 6) a.beatBar(fountain, bar, true, bar == 5, 0.7f);
        else for (int q = 0; q < 4; q += 2) a.kickAt(fountain.at(bar, q), 0.7f);
        a.padChord(fountain, bar, c, 1.0, 0.95f, 2200.0f);
        for (int e = 0; e < 8; ++e)
            a.bassNote(fountain.at(bar, e * 0.5), fountain.beat() * 0.45, c.root + (e % 2 ? 12.0f : 0.0f), bar < 6 ? 0.85f : 0.6f);
        a.arpBar(fountain, bar, c, 0.3f, 3000.0f, 0.6f);
    }
    a.phrase(fountain, 0, kAnswer, 0.8f);
    a.phrase(fountain, 4, {kClimax[0], kClimax[1], {{0, 2, 79}, {2, 2, 76}}, {{0, 2, 76}, {2, 2, 73}}}, 0.8f);
    a.phrase(fountain, 8, {{{0, 4, 74}}}, 0.8f);
    // Last bar: the closing chord, a held low D and the final hit.
    const double finalBar = fountain.at(8);
    a.crashAt(finalBar);
    a.kickAt(finalBar);
    a.pads.add(pad({50, 57, 62, 65, 69, 76}, float(kLength - finalBar - 2.5), 1.0f, 1800.0f), a.pos(finalBar), 1.0f);
    a.bassNote(finalBar, kLength - finalBar - 3.0, 38, 0.8f, 0.4f);
    for (int k = 0; k < 6; ++k) a.bellAt(finalBar + 0.12 * k, float(std::vector<int>{62, 65, 69, 74, 77, 81}[size_t(k)]), 0.35f, -0.6f + 0.24f * float(k));
    a.kickAt(b[6], 0.9f);
    a.crashAt(b[6], 0.8f);

    // Mix: tonal buses pump with the kick; pads, lead, arps and effects share
    // a reverb; arps and lead also feed a ping-pong echo.
    for (Stereo* s : {&a.bass, &a.pads, &a.arps})
        for (size_t i = 0; i < s->size(); ++i) {
            s->l[i] *= a.duck[i];
            s->r[i] *= a.duck[i];
        }
    Stereo mix(a.n_);
    mix.add(a.drums, 0, 0.6f);
    mix.add(a.bass, 0, 0.38f);
    mix.add(a.pads, 0, 0.55f);
    mix.add(a.arps, 0, 0.35f);
    mix.add(a.lead, 0, 0.45f);
    mix.add(a.fx, 0, 0.6f);

    Stereo send(a.n_);
    send.add(a.pads, 0, 0.4f);
    send.add(a.lead, 0, 0.5f);
    send.add(a.arps, 0, 0.4f);
    send.add(a.fx, 0, 0.6f);
    send.add(a.drums, 0, 0.08f);
    mix.add(reverb(send, 0.82f, 0.35f, 1.0f), 0, 0.6f);
    Stereo echoIn(a.n_);
    echoIn.add(a.arps, 0, 0.5f);
    echoIn.add(a.lead, 0, 0.4f);
    mix.add(pingPong(echoIn, float(warp.beat() * 0.75), 0.45f, 3500.0f), 0, 0.35f);

    // Master: set the loudness (RMS about -20 dBFS, leaving the cues room
    // above the music), then a soft limiter that never exceeds 0.8.
    double sum = 0;
    for (size_t i = 0; i < mix.size(); ++i) sum += double(mix.l[i]) * mix.l[i] + double(mix.r[i]) * mix.r[i];
    const float gain = 0.1f / float(std::sqrt(sum / double(2 * mix.size())));
    for (size_t i = 0; i < mix.size(); ++i) {
        mix.l[i] = 0.8f * softClip(mix.l[i] * gain / 0.8f);
        mix.r[i] = 0.8f * softClip(mix.r[i] * gain / 0.8f);
    }
    // Fade the last two seconds so the file ends in silence, not a cut.
    for (size_t i = mix.size() - size_t(toSamples(2.0)), e = mix.size(); i < e; ++i) {
        float g = float(e - i) / float(toSamples(2.0));
        mix.l[i] *= g;
        mix.r[i] *= g;
    }
    return mix;
}

}  // namespace assetgen
