#include "platform/web/pcm_samples.h"

#include <algorithm>
#include <cmath>

namespace {
int16_t toSample(float x)
{
    // x * 32768 is exact in a double, and so is adding the half.
    const double scaled = std::floor(static_cast<double>(x) * 32768.0 + 0.5);
    if (std::isnan(scaled)) return 0;
    return static_cast<int16_t>(std::clamp(scaled, -32768.0, 32767.0));
}
}  // namespace

void interleaveSamples(const float* left, const float* right, size_t frames, int16_t* out)
{
    for (size_t i = 0; i < frames; ++i) {
        out[2 * i] = toSample(left[i]);
        out[2 * i + 1] = toSample(right[i]);
    }
}
