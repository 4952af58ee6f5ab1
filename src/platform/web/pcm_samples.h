#pragma once

#include <cstddef>
#include <cstdint>

// The browser decodes a sound file into one float channel each, from -1 to
// 1; the demo takes interleaved 16-bit stereo. Each sample is rounded as
// JavaScript's Math.round does (halves up) after scaling by 32768, then
// held to 16 bits; NaN gives 0.
void interleaveSamples(const float* left, const float* right, size_t frames, int16_t* out);
