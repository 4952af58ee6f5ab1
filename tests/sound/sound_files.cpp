#include "sound/sound_files.h"

#include "sound/sound.h"

#include <lame/lame.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace fs = std::filesystem;

Pcm sine(double seconds, double hz, int amplitude, int channels, int rate)
{
    const size_t frames = static_cast<size_t>(seconds * rate);
    Pcm pcm;
    pcm.reserve(frames * channels);
    for (size_t i = 0; i < frames; ++i) {
        const auto v = static_cast<int16_t>(amplitude * std::sin(2 * M_PI * hz * static_cast<double>(i) / rate));
        pcm.insert(pcm.end(), static_cast<size_t>(channels), v);
    }
    return pcm;
}

Pcm silence(double seconds, int channels, int rate)
{
    return Pcm(static_cast<size_t>(seconds * rate) * channels, 0);
}

Pcm operator+(Pcm a, const Pcm& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

bool writeMp3(const fs::path& path, const Pcm& pcm, int channels, int rate)
{
    std::unique_ptr<lame_global_flags, int (*)(lame_global_flags*)> lame(lame_init(), lame_close);
    if (!lame) return false;
    lame_set_in_samplerate(lame.get(), rate);
    lame_set_out_samplerate(lame.get(), rate);
    lame_set_num_channels(lame.get(), channels);
    lame_set_mode(lame.get(), channels == 1 ? MONO : JOINT_STEREO);
    lame_set_brate(lame.get(), 128);
    lame_set_quality(lame.get(), 7);
    if (lame_init_params(lame.get()) < 0) return false;

    const int frames = static_cast<int>(pcm.size() / channels);
    std::vector<unsigned char> mp3(static_cast<size_t>(frames) * 5 / 4 + 7200 + 7200);
    auto* samples = const_cast<short*>(pcm.data());
    int size = channels == 2
                   ? lame_encode_buffer_interleaved(lame.get(), samples, frames, mp3.data(), static_cast<int>(mp3.size()))
                   : lame_encode_buffer(lame.get(), samples, samples, frames, mp3.data(), static_cast<int>(mp3.size()));
    if (size < 0) return false;
    const int tail = lame_encode_flush(lame.get(), mp3.data() + size, static_cast<int>(mp3.size()) - size);
    if (tail < 0) return false;
    size += tail;

    FILE* file = fopen(path.c_str(), "wb");
    if (!file) return false;
    const bool written = fwrite(mp3.data(), 1, static_cast<size_t>(size), file) == static_cast<size_t>(size);
    return fclose(file) == 0 && written;
}

ScratchDir::ScratchDir() : previous(fs::current_path())
{
    std::string pattern = (fs::temp_directory_path() / "demo-sound-XXXXXX").string();
    if (!mkdtemp(pattern.data())) abort();
    root = pattern;
    fs::create_directory(root / "data");
    fs::current_path(root);
}

ScratchDir::~ScratchDir()
{
    std::error_code ignored;
    fs::current_path(previous, ignored);
    fs::remove_all(root, ignored);
}

bool ScratchDir::writeSounds(const Pcm& music, const Pcm& cue)
{
    for (const CueEntry& entry : cueTable)
        if (!writeMp3(root / entry.file, cue)) return false;
    return writeMp3(root / kMusicFile, music);
}

double rms(const Pcm& pcm, size_t first, size_t last)
{
    last = std::min(last, pcm.size());
    if (first >= last) return 0;
    double sum = 0;
    for (size_t i = first; i < last; ++i) sum += static_cast<double>(pcm[i]) * pcm[i];
    return std::sqrt(sum / static_cast<double>(last - first));
}
