// The nine one-shot cue sounds, in cue-table order.
#pragma once

#include <vector>

#include "synth.h"

namespace assetgen {

// Each cue is stereo, 0.2 to 2 s long, peak below 0.9.
std::vector<Stereo> makeCues();

}  // namespace assetgen
