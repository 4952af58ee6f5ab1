#pragma once

#include <SDL.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Writes the surface as an RGB PNG. Returns false when the file cannot be written.
bool writePng(const std::string& path, SDL_Surface* surface);

// One cue played during the capture: demoTime and cue index.
using CueLog = std::vector<std::pair<uint32_t, int>>;

bool writeCueLog(const std::string& path, const CueLog& log);

// Pipes raw frames to ffmpeg, which encodes them as H.264 in yuv420p.
class VideoEncoder {
public:
    // False with a message when ffmpeg is missing or cannot start.
    bool open(const std::string& path, int fps, std::string& error);
    void writeFrame(SDL_Surface* surface);
    // True when ffmpeg finished without error.
    bool close();

private:
    FILE* pipe = nullptr;
    std::vector<uint8_t> row;
};

// Adds the soundtrack to a silent video of `durationMs`: the music from
// demoTime 0 with every logged cue at its demoTime and table volume, mixed by
// the demo's own mix with its levels and limiter, as the demo plays it.
bool addSoundtrack(const std::string& silentVideo, const std::string& output, const CueLog& log,
                   uint32_t durationMs, std::string& error);
