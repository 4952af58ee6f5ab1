// Every instrument and cue: finite, bounded, and ending in silence rather
// than a click.
#include "assetgen/cues.h"
#include "assetgen/instruments.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <string>

using namespace assetgen;

namespace {

float peakOf(const Mono& m) {
    float p = 0;
    for (float v : m) {
        if (!std::isfinite(v)) return INFINITY;
        p = std::max(p, std::fabs(v));
    }
    return p;
}

// Largest value in the last 2 ms, where a note must already be silent.
float tailOf(const Mono& m) {
    float p = 0;
    for (size_t i = m.size() - size_t(toSamples(0.002)); i < m.size(); ++i) p = std::max(p, std::fabs(m[i]));
    return p;
}

}  // namespace

TEST(AssetgenInstruments, NotesAreBoundedAndEndWithoutAClick) {
    Rng rng(1);
    const std::pair<std::string, std::function<Mono()>> notes[] = {
        {"kick", [] { return kick(1.0f); }},
        {"snare", [&] { return snare(1.0f, rng); }},
        {"clap", [&] { return clap(1.0f, rng); }},
        {"closed hat", [&] { return hat(1.0f, false, rng); }},
        {"open hat", [&] { return hat(1.0f, true, rng); }},
        {"crash", [&] { return crash(1.0f, rng); }},
        {"bass", [] { return bass(38, 0.3f, 1.0f); }},
        {"pluck", [] { return pluck(69, 1.0f); }},
        {"lead", [] { return lead(74, 0.5f, 1.0f, 72); }},
        {"bell", [] { return bell(81, 1.0f); }},
        {"voice", [&] {
             VoiceShape s;
             s.from = vowel('l');
             s.to = vowel('a');
             return voice(s, rng);
         }},
    };
    for (const auto& [name, make] : notes) {
        SCOPED_TRACE(name);
        Mono m = make();
        ASSERT_FALSE(m.empty());
        const float peak = peakOf(m);
        EXPECT_GT(peak, 0.01f) << "silent";
        EXPECT_LT(peak, 4.0f) << "unbounded";
        EXPECT_LT(tailOf(m), peak * 0.01f) << "ends on a click";
    }
    Stereo p = pad({57, 62, 65, 69}, 1.0f, 1.0f);
    EXPECT_LT(tailOf(p.l), 0.001f);
    EXPECT_GT(peakOf(p.l), 0.05f);
}

// Vowels must differ where a listener hears them: "ee" has its second
// formant high, "a" low.
TEST(AssetgenInstruments, VoiceVowelsPlaceTheirFormants) {
    auto bandEnergy = [](const Mono& m, float hz) {
        Svf bp(0.9f);
        double e = 0;
        for (float v : m) {
            bp.process(v, hz);
            e += double(bp.bp()) * bp.bp();
        }
        return e;
    };
    Rng rng(2);
    VoiceShape s;
    s.pitchStart = s.pitchPeak = s.pitchEnd = 150;
    s.from = s.to = vowel('i');
    Mono ee = voice(s, rng);
    s.from = s.to = vowel('a');
    Mono aa = voice(s, rng);
    EXPECT_GT(bandEnergy(ee, 2250) / bandEnergy(ee, 1100), 2.0 * bandEnergy(aa, 2250) / bandEnergy(aa, 1100));
}

TEST(AssetgenCues, NineOneShotsWithinLengthAndLevel) {
    std::vector<Stereo> cues = makeCues();
    ASSERT_EQ(cues.size(), 9u);
    for (size_t i = 0; i < cues.size(); ++i) {
        SCOPED_TRACE(i);
        const double seconds = double(cues[i].size()) / kRate;
        EXPECT_GE(seconds, 0.2);
        EXPECT_LE(seconds, 2.0);
        EXPECT_NEAR(cues[i].peak(), 0.85f, 1e-4f);
        EXPECT_LT(std::max(tailOf(cues[i].l), tailOf(cues[i].r)), 0.01f);
    }
}
