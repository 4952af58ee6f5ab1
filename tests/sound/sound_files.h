#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

// Small MP3 files made on the spot, and a scratch directory laid out like the
// demo's working directory.

// Interleaved 16-bit samples.
using Pcm = std::vector<int16_t>;

// Samples, both channels counted, in a second of 44.1 kHz stereo, and in
// `seconds` of it.
constexpr size_t kSamplesPerSecond = 44100 * 2;
inline size_t samplesAt(double seconds)
{
    return static_cast<size_t>(seconds * kSamplesPerSecond);
}

// `seconds` of a sine at `hz` with peak `amplitude`, on every channel.
Pcm sine(double seconds, double hz, int amplitude, int channels = 2, int rate = 44100);
Pcm silence(double seconds, int channels = 2, int rate = 44100);
Pcm operator+(Pcm a, const Pcm& b);

// Encodes `pcm` to an MP3 file. False when the encoder refuses.
bool writeMp3(const std::filesystem::path& path, const Pcm& pcm, int channels = 2, int rate = 44100);

// A fresh directory with an empty data/ folder, made the working directory
// for the object's lifetime and removed afterwards.
class ScratchDir {
public:
    ScratchDir();
    ~ScratchDir();
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::filesystem::path path() const { return root; }
    std::filesystem::path data(const std::string& file) const { return root / "data" / file; }

    // All nine cue files (`cue`) and the music (`music`).
    bool writeSounds(const Pcm& music, const Pcm& cue);

private:
    std::filesystem::path root;
    std::filesystem::path previous;
};

// Root-mean-square level of 16-bit interleaved samples [first, last).
double rms(const Pcm& pcm, size_t first, size_t last);
