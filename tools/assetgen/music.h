// The demo's music: one piece in D minor whose sections follow the scenes.
#pragma once

#include "synth.h"

namespace assetgen {

// Renders the whole piece (about 112 s, stereo, 44.1 kHz), peak below 0.8.
Stereo composeMusic();

}  // namespace assetgen
