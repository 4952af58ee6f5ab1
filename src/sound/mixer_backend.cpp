// The sound back-end of the demo: SDL_mixer 1.2 mixes the cues and streams
// the music; libmpg123 decodes the cues, which SDL_mixer 1.2 cannot load from
// MP3 itself.
#include "sound/mp3_decode.h"
#include "sound/sound_backend.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <vector>

class SoundSample {
public:
    Mix_Chunk* chunk = nullptr;
    // The chunk plays straight from this buffer and does not own it.
    std::vector<Uint8> pcm;
};

class SoundStream {
public:
    Mix_Music* music = nullptr;
};

int mixerVolume(int volume)
{
    const int clamped = std::clamp(volume, 0, 255);
    return (clamped * MIX_MAX_VOLUME + 127) / 255;
}

namespace {
// About 23 ms at 44.1 kHz: short enough for cues to start on the beat.
constexpr int kMixBufferFrames = 1024;

class MixerBackend : public SoundBackend {
public:
    bool init(int rate, int channels) override
    {
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) return false;
        if (Mix_OpenAudio(rate, AUDIO_S16SYS, 2, kMixBufferFrames) < 0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        // The device may have given another format or channel count; the
        // cues are converted to it. Another rate would need a resampler that
        // SDL 1.2 does not have, so such a device counts as unusable.
        int deviceRate = 0;
        int deviceChannels = 0;
        Uint16 deviceFormat = 0;
        Mix_QuerySpec(&deviceRate, &deviceFormat, &deviceChannels);
        if (deviceRate != kSoundRate ||
            SDL_BuildAudioCVT(&toDevice, AUDIO_S16SYS, 2, kSoundRate, deviceFormat, deviceChannels, deviceRate) < 0) {
            Mix_CloseAudio();
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        Mix_AllocateChannels(channels);
        return true;
    }

    SoundSample* loadSample(const char* path) override
    {
        std::vector<int16_t> stereo;
        if (!decodeMp3(path, stereo, error)) return nullptr;

        auto* sample = new SoundSample;
        const int length = static_cast<int>(stereo.size() * sizeof(int16_t));
        sample->pcm.resize(static_cast<size_t>(length) * std::max(toDevice.len_mult, 1));
        std::copy_n(reinterpret_cast<const Uint8*>(stereo.data()), length, sample->pcm.begin());
        int deviceLength = length;
        if (toDevice.needed) {
            toDevice.buf = sample->pcm.data();
            toDevice.len = length;
            SDL_ConvertAudio(&toDevice);
            deviceLength = toDevice.len_cvt;
            toDevice.buf = nullptr;
        }
        sample->pcm.resize(static_cast<size_t>(deviceLength));
        sample->chunk = Mix_QuickLoad_RAW(sample->pcm.data(), static_cast<Uint32>(deviceLength));
        if (!sample->chunk) {
            error = Mix_GetError();
            delete sample;
            return nullptr;
        }
        samples.push_back(sample);
        return sample;
    }

    SoundStream* openStream(const char* path) override
    {
        // SDL_mixer would open a damaged or wrong-rate file and play noise,
        // silence or the wrong speed; check it with the decoder first.
        if (!probeMp3(path, error)) return nullptr;
        Mix_Music* music = Mix_LoadMUS(path);
        if (!music) {
            error = Mix_GetError();
            return nullptr;
        }
        auto* stream = new SoundStream;
        stream->music = music;
        streams.push_back(stream);
        return stream;
    }

    const std::string& lastError() const override { return error; }

    int playStream(SoundStream* stream) override
    {
        return stream && Mix_PlayMusic(stream->music, 0) == 0 ? 0 : -1;
    }

    void setStreamTime(SoundStream*, int32_t ms) override { Mix_SetMusicPosition(ms / 1000.0); }

    void stopStream(SoundStream*) override { Mix_HaltMusic(); }

    int playSample(SoundSample* sample) override { return sample ? Mix_PlayChannel(-1, sample->chunk, 0) : -1; }

    void setVolume(int channel, int volume) override { Mix_Volume(channel, mixerVolume(volume)); }

    void freeSample(SoundSample* sample) override
    {
        if (!sample) return;
        samples.erase(std::remove(samples.begin(), samples.end(), sample), samples.end());
        release(sample);
    }

    void close() override
    {
        Mix_HaltMusic();
        for (SoundStream* stream : streams) {
            Mix_FreeMusic(stream->music);
            delete stream;
        }
        streams.clear();
        for (SoundSample* sample : samples) release(sample);
        samples.clear();
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }

private:
    static void release(SoundSample* sample)
    {
        // Mix_FreeChunk halts the voices that still play from the buffer.
        Mix_FreeChunk(sample->chunk);
        delete sample;
    }

    SDL_AudioCVT toDevice{};
    std::vector<SoundSample*> samples;
    std::vector<SoundStream*> streams;
    std::string error;
};
}  // namespace

SoundBackend& mixerBackend()
{
    static MixerBackend backend;
    return backend;
}
