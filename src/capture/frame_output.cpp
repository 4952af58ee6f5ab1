#include "capture/frame_output.h"

#include "sound/sound.h"

#include <stb_image_write.h>

#include <cstdio>
#include <cstdlib>

namespace {
constexpr const char* kFfmpegMissing =
    "ffmpeg is needed for --video; install it with: apt-get install ffmpeg";

// Quotes a path for the shell.
std::string quoted(const std::string& text)
{
    std::string out = "'";
    for (char c : text) out += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return out + "'";
}

bool ffmpegFound()
{
    return std::system("command -v ffmpeg >/dev/null 2>&1") == 0;
}
}  // namespace

bool writePng(const std::string& path, const FrameCanvas& canvas)
{
    return stbi_write_png(path.c_str(), canvas.width(), canvas.height(), 3, canvas.rgb(), canvas.width() * 3) != 0;
}

bool writeCueLog(const std::string& path, const CueLog& log)
{
    FILE* file = fopen(path.c_str(), "w");
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
    const std::string command =
        "ffmpeg -loglevel error -y -f rawvideo -pix_fmt rgb24 -s " + std::to_string(width) + "x" +
        std::to_string(height) + " -framerate " + std::to_string(fps) +
        " -i - -vf scale=out_color_matrix=bt709:out_range=tv:flags=area+accurate_rnd,format=yuv420p"
        " -colorspace bt709 -color_primaries bt709 -color_trc bt709 -color_range tv"
        " -c:v libx264 -preset slow -crf 16 -an " +
        quoted(path);
    pipe = popen(command.c_str(), "w");
    if (!pipe) error = "cannot start ffmpeg";
    return pipe != nullptr;
}

void VideoEncoder::writeFrame(const FrameCanvas& canvas)
{
    fwrite(canvas.rgb(), 3, static_cast<size_t>(canvas.width()) * canvas.height(), pipe);
}

bool VideoEncoder::close()
{
    const int status = pclose(pipe);
    pipe = nullptr;
    return status == 0;
}

bool addSoundtrack(const std::string& silentVideo, const std::string& output, const CueLog& log, double start,
                   double length, std::string& error)
{
    if (!ffmpegFound()) {
        error = kFfmpegMissing;
        return false;
    }
    // Input 0 is the video, 1 the music, 2 on one per cue played.
    std::string inputs = " -i " + quoted(silentVideo) + " -i " + kMusicFile;
    std::string filters;
    std::string mixInputs = "[1:a]";
    for (size_t i = 0; i < log.size(); ++i) {
        const auto& cue = cueTable[log[i].second];
        const std::string label = "[c" + std::to_string(i) + "]";
        const std::string delay = std::to_string(log[i].first);
        inputs += " -i " + quoted(cue.file);
        filters += "[" + std::to_string(i + 2) + ":a]adelay=" + delay + "|" + delay +
                   ",volume=" + std::to_string(cue.volume / 255.0) + label + ";";
        mixInputs += label;
    }
    char range[96];
    snprintf(range, sizeof range, ",atrim=start=%.6f:duration=%.6f,asetpts=PTS-STARTPTS", start, length);
    filters += mixInputs + "amix=inputs=" + std::to_string(log.size() + 1) + ":duration=first:normalize=0" + range +
               "[mix]";
    const std::string command = "ffmpeg -loglevel error -y" + inputs + " -filter_complex " + quoted(filters) +
                                " -map 0:v -map '[mix]' -c:v copy -c:a aac -b:a 192k -shortest"
                                " -movflags +faststart " +
                                quoted(output);
    if (std::system(command.c_str()) != 0) {
        error = "ffmpeg could not add the soundtrack";
        return false;
    }
    return true;
}
