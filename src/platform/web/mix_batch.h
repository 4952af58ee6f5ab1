#pragma once

#include "sound/device_mix.h"

#include <cstddef>
#include <cstdint>
#include <vector>

// The commands for the mix in the page's audio worklet, as they travel from
// the demo's module to the worklet's: each MixCommand as it lies in memory,
// an Append's samples right after it.
void appendCommand(std::vector<uint8_t>& batch, const MixCommand& command, const int16_t* samples);

// Applies every command of `batch`, in order.
void applyBatch(DeviceMix& mix, const uint8_t* batch, size_t bytes);
