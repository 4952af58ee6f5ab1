// The sound device of the web build: the page's Web Audio graph, fed by the
// demo's own mix (sound/sound_mix.h), kept on the demo clock exactly as the
// native back-end keeps it (sound/mix_clock.h). The browser has no libmpg123:
// the page decodes each MP3 with the browser's own decoder at 44.1 kHz while
// the demo loads and hands the samples over (webSoundFile); loadSample and
// openStream then take them by name. The page pulls the mix as its audio
// worklet needs it (webSoundMix), the way SDL's audio callback does.
#include "sound/mix_clock.h"
#include "sound/mix_handles.h"
#include "sound/sound.h"
#include "sound/sound_backend.h"
#include "sound/sound_mix.h"

#include <SDL.h>

#include <emscripten.h>

#include <algorithm>
#include <map>
#include <string>

namespace {
// The decoded files by the demo's name for them, until the demo takes them.
std::map<std::string, Pcm> decodedFiles;

// Single-threaded: the page calls everything from its one thread, so none of
// the native back-end's locking is needed.
class WebBackend : public SoundBackend {
public:
    bool init(int rate, int channels) override
    {
        sound.reset(channels);
        open = rate == kMixRate;
        return open;
    }

    SoundSample* loadSample(const char* path) override
    {
        auto* sample = new SoundSample;
        if (take(path, sample->pcm)) return sample;
        delete sample;
        return nullptr;
    }

    SoundStream* openStream(const char* path) override
    {
        stream.pcm.clear();
        return take(path, stream.pcm) ? &stream : nullptr;
    }

    const std::string& lastError() const override { return error; }

    int playStream(SoundStream* music) override
    {
        if (!music) return -1;
        sound.mix.setMusic(&music->pcm);
        sound.mix.setMusicMuted(false);
        return 0;
    }

    void setStreamTime(SoundStream*, int32_t ms) override { sound.musicStart = ms; }
    void stopStream(SoundStream*) override { sound.mix.setMusicMuted(true); }

    int playSample(SoundSample* sample) override
    {
        if (!sample) return -1;
        return sound.play(&sample->pcm);
    }

    void setVolume(int channel, int volume) override { sound.mix.setVolume(channel, volume); }
    void followClock(uint32_t demoTime, uint32_t ticks) override { sound.clock.frame(demoTime, ticks); }

    void freeSample(SoundSample* sample) override
    {
        if (!sample) return;
        sound.mix.stop(&sample->pcm);
        delete sample;
    }

    void close() override
    {
        sound.mix.stopAll();
        sound.mix.setMusic(nullptr);
        stream.pcm = Pcm();
        open = false;
    }

    // The next `frames` frames for the speakers, as the native audio callback
    // computes them.
    void fill(int16_t* out, int frames)
    {
        if (open) sound.fill(out, frames, SDL_GetTicks());
        else std::fill_n(out, 2 * frames, int16_t{0});
    }

private:
    bool take(const char* path, Pcm& pcm)
    {
        const auto found = decodedFiles.find(path);
        if (found == decodedFiles.end()) {
            error = "not decoded by the page";
            return false;
        }
        pcm = std::move(found->second);
        decodedFiles.erase(found);
        return true;
    }

    ClockedMix sound;
    SoundStream stream;  // the one music stream
    bool open = false;
    std::string error;
};

WebBackend backend;
Pcm mixBuffer;
}  // namespace

// The web build's device is the page's Web Audio graph.
SoundBackend& mixerBackend()
{
    return backend;
}

extern "C" {
// The sound files the demo loads, one per index from 0: the cues, then the
// music; null after the last.
EMSCRIPTEN_KEEPALIVE const char* webSoundFileName(int index)
{
    if (index >= 0 && index < kCueCount) return cueTable[index].file;
    return index == kCueCount ? kMusicFile : nullptr;
}

// Room for a decoded file of `frames` stereo frames, known to the demo as
// `path`; the page writes the interleaved samples there.
EMSCRIPTEN_KEEPALIVE int16_t* webSoundFile(const char* path, int frames)
{
    Pcm& pcm = decodedFiles[path];
    pcm.assign(static_cast<size_t>(frames) * 2, 0);
    return pcm.data();
}

// The next `frames` frames of the mix, interleaved 16-bit stereo.
EMSCRIPTEN_KEEPALIVE const int16_t* webSoundMix(int frames)
{
    mixBuffer.resize(static_cast<size_t>(frames) * 2);
    backend.fill(mixBuffer.data(), frames);
    return mixBuffer.data();
}
}
