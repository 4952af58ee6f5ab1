#pragma once

#include "capture/frame_canvas.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

// Writes the canvas as an RGB PNG. Returns false when the file cannot be written.
bool writePng(const std::string& path, const FrameCanvas& canvas);

// One cue played during the capture: demoTime and cue index.
using CueLog = std::vector<std::pair<uint32_t, int>>;

bool writeCueLog(const std::string& path, const CueLog& log);

// Pipes canvases to ffmpeg, which encodes them as H.264 in yuv420p, BT.709.
class VideoEncoder {
public:
    // False with a message when ffmpeg is missing or cannot start.
    bool open(const std::string& path, int fps, int width, int height, std::string& error);
    void writeFrame(const FrameCanvas& canvas);
    // True when ffmpeg finished without error.
    bool close();

private:
    FILE* pipe = nullptr;
};

// Adds the soundtrack to a silent video: the demo's own mix (soundRender,
// on offlineAudioDevice()) with the cues the frames played, the `length`
// seconds from `start` on, to match a video of part of the demo. The result
// starts playing before it has fully downloaded (its index comes first).
bool addSoundtrack(const std::string& silentVideo, const std::string& output, double start, double length,
                   std::string& error);
