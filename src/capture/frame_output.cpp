#include "capture/frame_output.h"

#include "platform/system.h"
#include "sound/sound.h"
#include "sound/sound_mix.h"

#include <stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstdio>

namespace {
constexpr const char* kFfmpegMissing =
    "ffmpeg is needed for --video and is not on the PATH (on Debian: apt-get install ffmpeg)";

bool ffmpegFound()
{
    return programFound("ffmpeg");
}
}  // namespace

bool writePng(const std::string& path, const FrameCanvas& canvas)
{
    return stbi_write_png(path.c_str(), canvas.width(), canvas.height(), 3, canvas.rgb(), canvas.width() * 3) != 0;
}

bool writeCueLog(const std::string& path, const CueLog& log)
{
    // Binary: the same bytes, line ends and all, wherever it is written.
    FILE* file = fopen(path.c_str(), "wb");
    if (!file) return false;
    for (const auto& [time, cue] : log) fprintf(file, "%u\t%d\n", time, cue);
    return fclose(file) == 0;
}

// The colour conversion keeps what 4:2:0 can hold: "area" averages each 2 x 2
// block into its colour sample (ffmpeg's default bicubic filter smears colour
// across blocks), in BT.709, as the file says and players assume for HD.
bool VideoEncoder::open(const std::string& path, int fps, int width, int height, std::string& error)
{
    if (!ffmpegFound()) {
        error = kFfmpegMissing;
        return false;
    }
    const std::string command = commandLine(
        "ffmpeg", {"-loglevel", "error", "-y", "-f", "rawvideo", "-pix_fmt", "rgb24", "-s",
                   std::to_string(width) + "x" + std::to_string(height), "-framerate", std::to_string(fps), "-i", "-",
                   "-vf", "scale=out_color_matrix=bt709:out_range=tv:flags=area+accurate_rnd,format=yuv420p",
                   "-colorspace", "bt709", "-color_primaries", "bt709", "-color_trc", "bt709", "-color_range", "tv",
                   "-c:v", "libx264", "-preset", "slow", "-crf", "16", "-an", path});
    pipe = openPipe(command);
    if (!pipe) error = "cannot start ffmpeg";
    return pipe != nullptr;
}

void VideoEncoder::writeFrame(const FrameCanvas& canvas)
{
    fwrite(canvas.rgb(), 3, static_cast<size_t>(canvas.width()) * canvas.height(), pipe);
}

bool VideoEncoder::close()
{
    const int status = closePipe(pipe);
    pipe = nullptr;
    return status == 0;
}

namespace {
// Mixes the `length` seconds of the soundtrack from `start` on into `path`, as
// raw 16-bit stereo at the mix's rate. The mix runs from demoTime 0 whatever
// the range, so that its limiter stands where the demo's would.
bool writeSoundtrack(const std::string& path, double start, double length, std::string& error)
{
    FILE* file = fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot write " + path;
        return false;
    }
    const auto first = static_cast<Frames>(std::lround(start * kMixRate));
    const auto end = first + static_cast<Frames>(std::lround(length * kMixRate));
    std::vector<int16_t> block(2 * 4096);
    std::vector<uint8_t> bytes(2 * block.size());
    for (Frames from = 0; from < end; from += 4096) {
        const int count = static_cast<int>(std::min<Frames>(end - from, 4096));
        soundRender(block.data(), count);
        const auto skip = static_cast<size_t>(std::clamp<Frames>(first - from, 0, count));
        // 16-bit little-endian whatever the machine's order, as ffmpeg is told.
        const size_t samples = 2 * (static_cast<size_t>(count) - skip);
        for (size_t i = 0; i < samples; ++i) {
            const auto sample = static_cast<uint16_t>(block[2 * skip + i]);
            bytes[2 * i] = static_cast<uint8_t>(sample);
            bytes[2 * i + 1] = static_cast<uint8_t>(sample >> 8);
        }
        fwrite(bytes.data(), 1, 2 * samples, file);
    }
    if (fclose(file) != 0) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}
}  // namespace

bool addSoundtrack(const std::string& silentVideo, const std::string& output, double start, double length,
                   std::string& error)
{
    if (!ffmpegFound()) {
        error = kFfmpegMissing;
        return false;
    }
    const std::string soundtrack = output + ".soundtrack.raw";
    const bool mixed = writeSoundtrack(soundtrack, start, length, error);
    const std::string command =
        commandLine("ffmpeg", {"-loglevel", "error", "-y", "-i", silentVideo, "-f", "s16le", "-ar",
                               std::to_string(kMixRate), "-ac", "2", "-i", soundtrack, "-map", "0:v", "-map", "1:a",
                               "-c:v", "copy", "-c:a", "aac", "-b:a", "192k", "-shortest", "-movflags", "+faststart",
                               output});
    const bool muxed = mixed && runCommand(command) == 0;
    remove(soundtrack.c_str());
    if (mixed && !muxed) error = "ffmpeg could not add the soundtrack";
    return muxed;
}
