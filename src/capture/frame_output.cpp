#include "capture/frame_output.h"

#include "sound/sound.h"

#include <stb_image_write.h>

#include <cstdio>
#include <cstdlib>

namespace {
constexpr const char* kFfmpegMissing =
    "ffmpeg is needed for --video; install it with: apt-get install ffmpeg";

// Packs one row of 32-bit pixels into 8-bit R, G, B.
void packRgb(const SDL_Surface* surface, int y, uint8_t* rgb)
{
    const SDL_PixelFormat* f = surface->format;
    const auto* pixels = reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(surface->pixels) + y * surface->pitch);
    for (int x = 0; x < surface->w; ++x) {
        rgb[3 * x] = static_cast<uint8_t>((pixels[x] & f->Rmask) >> f->Rshift);
        rgb[3 * x + 1] = static_cast<uint8_t>((pixels[x] & f->Gmask) >> f->Gshift);
        rgb[3 * x + 2] = static_cast<uint8_t>((pixels[x] & f->Bmask) >> f->Bshift);
    }
}

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

bool writePng(const std::string& path, SDL_Surface* surface)
{
    std::vector<uint8_t> rgb(static_cast<size_t>(surface->w) * surface->h * 3);
    for (int y = 0; y < surface->h; ++y) packRgb(surface, y, &rgb[static_cast<size_t>(y) * surface->w * 3]);
    return stbi_write_png(path.c_str(), surface->w, surface->h, 3, rgb.data(), surface->w * 3) != 0;
}

bool writeCueLog(const std::string& path, const CueLog& log)
{
    FILE* file = fopen(path.c_str(), "w");
    if (!file) return false;
    for (const auto& [time, cue] : log) fprintf(file, "%u\t%d\n", time, cue);
    return fclose(file) == 0;
}

bool VideoEncoder::open(const std::string& path, int fps, std::string& error)
{
    if (!ffmpegFound()) {
        error = kFfmpegMissing;
        return false;
    }
    const std::string command = "ffmpeg -loglevel error -y -f rawvideo -pix_fmt rgb24 -s 640x480 -framerate " +
                                std::to_string(fps) +
                                " -i - -c:v libx264 -preset veryfast -crf 18 -pix_fmt yuv420p -an " + quoted(path);
    pipe = popen(command.c_str(), "w");
    if (!pipe) error = "cannot start ffmpeg";
    return pipe != nullptr;
}

void VideoEncoder::writeFrame(SDL_Surface* surface)
{
    row.resize(static_cast<size_t>(surface->w) * 3);
    for (int y = 0; y < surface->h; ++y) {
        packRgb(surface, y, row.data());
        fwrite(row.data(), 1, row.size(), pipe);
    }
}

bool VideoEncoder::close()
{
    const int status = pclose(pipe);
    pipe = nullptr;
    return status == 0;
}

bool addSoundtrack(const std::string& silentVideo, const std::string& output, const CueLog& log, std::string& error)
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
    filters += mixInputs + "amix=inputs=" + std::to_string(log.size() + 1) + ":duration=first:normalize=0[mix]";
    const std::string command = "ffmpeg -loglevel error -y" + inputs + " -filter_complex " + quoted(filters) +
                                " -map 0:v -map '[mix]' -c:v copy -c:a aac -b:a 192k -shortest " + quoted(output);
    if (std::system(command.c_str()) != 0) {
        error = "ffmpeg could not add the soundtrack";
        return false;
    }
    return true;
}
