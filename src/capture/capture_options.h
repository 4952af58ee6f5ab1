#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What demo-capture renders and where it writes it.
struct CaptureOptions {
    int fps = 60;
    unsigned seed = 1;
    std::vector<uint32_t> at;      // demoTimes to write as OUT/T.png, ascending
    bool all = false;              // every frame as OUT/NNNNNN.png
    std::string outDir = "capture";
    std::string video;             // an .mp4 to encode, or empty
    bool cues = false;             // OUT/cues.tsv
    bool stats = false;            // per-scene frame times, nothing written
};

extern const char* const kCaptureUsage;

// Parses the command line. Returns false with a message for the user on an
// error or on --help (then `help` is set).
bool parseCaptureOptions(int argc, char** argv, CaptureOptions& options, std::string& message, bool& help);

// The demoTime of frame n on a grid of fps frames per second.
inline uint32_t frameTime(uint64_t n, int fps)
{
    return static_cast<uint32_t>(n * 1000 / static_cast<uint64_t>(fps));
}

// The first frame whose demoTime is at or after t.
uint64_t firstFrameAtOrAfter(uint32_t t, int fps);
