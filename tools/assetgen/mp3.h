// MP3 encoding with LAME.
#pragma once

#include <string>

#include "synth.h"

namespace assetgen {

// Encodes 44.1 kHz stereo at a constant bit rate, with a tag frame that lets
// decoders trim the encoder's delay. Returns false when the file cannot be
// written or LAME fails.
bool writeMp3(const std::string& path, const Stereo& audio, int kbps);

}  // namespace assetgen
