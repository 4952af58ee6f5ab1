#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

// The conversions from floating point to the integers that positions and
// SDL's coordinates are kept in; shared by the scenes and the effects.

// Truncation toward zero to a 32-bit integer. Values beyond the 32-bit range,
// which only absurd picture sizes or amplitudes give, saturate instead of
// overflowing; NaN gives 0.
inline int32_t trunc32(double value)
{
    if (std::isnan(value)) return 0;
    if (!(value > std::numeric_limits<int32_t>::min())) return std::numeric_limits<int32_t>::min();
    if (!(value < std::numeric_limits<int32_t>::max())) return std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(value);
}

// SDL keeps 16-bit coordinates: the low 16 bits of a position, read as signed.
inline int16_t low16(int32_t value)
{
    return static_cast<int16_t>(static_cast<uint16_t>(value));
}
