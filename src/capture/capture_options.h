#pragma once

#include "core/frame_grid.h"

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
    int scale = 1;                 // each pixel written as a scale x scale block
    int width = 0, height = 0;     // pictures and video; the scaled frame centred on black
    uint32_t from = 0;             // only frames with from <= demoTime < to are
    uint32_t to = UINT32_MAX;      // written or encoded
    std::string dataDir;           // the folder holding data/; empty: the working directory
};

// The version of the whole project, set once in CMakeLists.txt.
extern const char* const kVersion;

// Parses the command line. Returns false with a message for the user on an
// error, and on --help or --version (then `help` is set and the message is
// the text to print). Width and height default to the scaled frame's.
bool parseCaptureOptions(int argc, char** argv, CaptureOptions& options, std::string& message, bool& help);
