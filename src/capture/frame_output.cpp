#include "capture/frame_output.h"

#include "sound/mp3_decode.h"
#include "sound/sound.h"
#include "sound/sound_mix.h"

#include <stb_image_write.h>

#include <algorithm>
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

namespace {
// Mixes the soundtrack into `path` as raw 16-bit stereo at the mix's rate.
bool writeSoundtrack(const std::string& path, const CueLog& log, uint32_t durationMs, std::string& error)
{
    Pcm music;
    std::vector<Pcm> cues(kCueCount);
    if (!decodeMp3(kMusicFile, music, error)) {
        error = std::string("cannot load ") + kMusicFile + ": " + error;
        return false;
    }
    for (int i = 0; i < kCueCount; ++i) {
        if (!decodeMp3(cueTable[i].file, cues[static_cast<size_t>(i)], error)) {
            error = std::string("cannot load ") + cueTable[i].file + ": " + error;
            return false;
        }
    }
    SoundMix mix(kSoundVoices);
    mix.setMusic(&music);
    for (const auto& [time, cue] : log)
        mix.setVolume(mix.play(&cues[static_cast<size_t>(cue)], framesOf(time)), cueTable[cue].volume);

    FILE* file = fopen(path.c_str(), "wb");
    if (!file) {
        error = "cannot write " + path;
        return false;
    }
    std::vector<int16_t> block(2 * 4096);
    for (Frames left = framesOf(durationMs); left > 0;) {
        const int count = static_cast<int>(std::min<Frames>(left, 4096));
        mix.render(block.data(), count);
        fwrite(block.data(), sizeof(int16_t), static_cast<size_t>(2 * count), file);
        left -= count;
    }
    if (fclose(file) != 0) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}
}  // namespace

bool addSoundtrack(const std::string& silentVideo, const std::string& output, const CueLog& log,
                   uint32_t durationMs, std::string& error)
{
    if (!ffmpegFound()) {
        error = kFfmpegMissing;
        return false;
    }
    const std::string soundtrack = output + ".soundtrack.raw";
    const bool mixed = writeSoundtrack(soundtrack, log, durationMs, error);
    const std::string command = "ffmpeg -loglevel error -y -i " + quoted(silentVideo) + " -f s16le -ar " +
                                std::to_string(kMixRate) + " -ac 2 -i " + quoted(soundtrack) +
                                " -map 0:v -map 1:a -c:v copy -c:a aac -b:a 192k -shortest " + quoted(output);
    const bool muxed = mixed && std::system(command.c_str()) == 0;
    remove(soundtrack.c_str());
    if (mixed && !muxed) error = "ffmpeg could not add the soundtrack";
    return muxed;
}
