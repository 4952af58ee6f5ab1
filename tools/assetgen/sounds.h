// The music and the nine cue sounds.
#pragma once

#include <string>

namespace assetgen {

// Synthesises and encodes every MP3 of kSounds into outDir. Prints the reason
// and returns false on failure.
bool writeSounds(const std::string& outDir);

}  // namespace assetgen
