// The instruments of the music and the cues; each renders one note into a
// fresh buffer that the caller mixes in at the note's start.
#pragma once

#include <vector>

#include "synth.h"

namespace assetgen {

using Mono = std::vector<float>;

Mono kick(float velocity, float tune = 1.0f, float length = 0.45f);
Mono snare(float velocity, Rng& rng);
Mono clap(float velocity, Rng& rng);
Mono hat(float velocity, bool open, Rng& rng);
Mono crash(float velocity, Rng& rng, float length = 2.6f);

// Resonant saw bass with a plucky filter.
Mono bass(float midi, float seconds, float velocity, float brightness = 1.0f);
// Detuned saw chord with a slow attack; voices spread across the stereo field.
Stereo pad(const std::vector<float>& midis, float seconds, float velocity, float cutoff = 1600.0f);
// Short pulse pluck for arpeggios.
Mono pluck(float midi, float velocity, float cutoff = 3500.0f);
// Two detuned saws with vibrato and optional glide from a previous note.
Mono lead(float midi, float seconds, float velocity, float glideFrom = -1.0f);
// Filtered noise sweep upwards over its length.
Mono riser(float seconds, float velocity, Rng& rng, float fromHz = 200.0f, float toHz = 9000.0f);
// Metallic FM bell.
Mono bell(float midi, float velocity, float seconds = 2.0f);

// Formant voice. Vowel targets move from `from` to `to` over `morphSeconds`.
struct Vowel {
    float f[4];  // formant frequencies
    float gain[4];
};
Vowel vowel(char name);  // 'a', 'e', 'i', 'o', 'u', 'l' (liquid onset), 'm'
struct VoiceShape {
    float seconds = 0.8f;
    float pitchStart = 220.0f, pitchPeak = 260.0f, pitchEnd = 230.0f;
    float peakAt = 0.12f;     // seconds to reach pitchPeak
    Vowel from, to;
    float morphSeconds = 0.1f;
    float attack = 0.02f, release = 0.2f;
    float breath = 0.15f;     // aspiration noise level
    float onsetNoise = 0.0f;  // consonant burst at the start ("h", "g")
    float vibrato = 0.02f;    // depth as a fraction of pitch
};
Mono voice(const VoiceShape& s, Rng& rng);

}  // namespace assetgen
