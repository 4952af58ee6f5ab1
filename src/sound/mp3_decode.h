#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Every sound file of the demo is 44.1 kHz: SDL 1.2 converts rates only by
// powers of two, so a file at another rate would play at the wrong speed.
constexpr long kSoundRate = 44100;

// Decodes a whole MP3 file into interleaved 16-bit stereo at kSoundRate
// (mono is copied onto both channels). False when the file is missing, holds
// no decodable audio or has another rate; for the last, `error` says so.
bool decodeMp3(const char* path, std::vector<int16_t>& stereo, std::string& error);
