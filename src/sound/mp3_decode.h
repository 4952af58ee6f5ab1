#pragma once

#include "sound/sound_mix.h"

#include <string>

// Decodes a whole MP3 file into interleaved 16-bit stereo at the mix's rate
// (mono is copied onto both channels). Every sound file of the demo is at
// that rate: the mix has no resampler, and a file at another rate would play
// at the wrong speed. False when the file is missing, holds no decodable
// audio or has another rate; for the last, `error` says so.
bool decodeMp3(const char* path, Pcm& stereo, std::string& error);
