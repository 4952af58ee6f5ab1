// The sound back-end of the demo: SDL's audio device, fed by the demo's own
// mix (sound/sound_mix.h) from the audio callback, which keeps the music on
// the demo clock (sound/mix_clock.h). libmpg123 decodes every file once, at
// load.
#include "platform/sdl/sdl_version.h"
#include "sound/mix_clock.h"
#include "sound/mix_handles.h"
#include "sound/mp3_decode.h"
#include "sound/sound_backend.h"
#include "sound/sound_mix.h"

#include <SDL.h>

#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

// The device's pieces, small enough for a cue to reach the speaker well within
// 100 ms. SDL 1.2's PulseAudio driver mixes half a piece at a time and asks
// the server for four such halves of buffer; a larger piece can exceed what
// the server grants when PULSE_LATENCY_MSEC is small, and the driver then
// waits for room that never comes: 512 frames (12 ms). sdl12-compat hands
// the piece to SDL2, which keeps just one queued at the server: 1024 frames
// (23 ms) leave room for a late wake-up without a dropout.
uint16_t deviceFrames()
{
    return onSdl12Compat() ? 1024 : 512;
}

namespace {// A device that does not close in this time is left to the end of the
// process (see closeDevice).
constexpr std::chrono::milliseconds kCloseDeadline{400};

// Closes SDL's audio. SDL joins its audio thread, which first waits until the
// server has played everything queued: with a deep buffer
// (PULSE_LATENCY_MSEC=2000) that takes seconds, and SDL 1.2's PulseAudio
// driver can wait for good for room that never comes. Should the close
// overrun its deadline, the process ends here with status 0: the frame loop
// is over and the display already closed, so nothing is lost.
void closeDevice()
{
    std::mutex mutex;
    std::condition_variable closed;
    bool done = false;
    std::thread watchdog([&] {
        std::unique_lock<std::mutex> lock(mutex);
        if (!closed.wait_for(lock, kCloseDeadline, [&] { return done; })) _exit(0);
    });
    SDL_CloseAudio();
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    {
        std::lock_guard<std::mutex> lock(mutex);
        done = true;
    }
    closed.notify_one();
    watchdog.join();
}

// Everything here is shared with the audio callback and touched only under
// SDL's audio lock, or before the device starts and after it is closed.
class MixerBackend : public SoundBackend {
public:
    bool init(int rate, int channels) override
    {
        sound.reset(channels);
        if (rate != kMixRate || SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) return false;
        SDL_AudioSpec wanted{};
        wanted.freq = kMixRate;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = 2;
        wanted.samples = deviceFrames();
        wanted.callback = feed;
        wanted.userdata = this;
        // No `obtained`: SDL converts our format to the device's itself.
        if (SDL_OpenAudio(&wanted, nullptr) < 0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        SDL_PauseAudio(0);
        return true;
    }

    SoundSample* loadSample(const char* path) override
    {
        auto* sample = new SoundSample;
        if (decodeMp3(path, sample->pcm, error)) return sample;
        delete sample;
        return nullptr;
    }

    SoundStream* openStream(const char* path) override
    {
        auto* stream = new SoundStream;
        if (decodeMp3(path, stream->pcm, error)) {
            streams.push_back(stream);
            return stream;
        }
        delete stream;
        return nullptr;
    }

    const std::string& lastError() const override { return error; }

    int playStream(SoundStream* stream) override
    {
        if (!stream) return -1;
        SDL_LockAudio();
        sound.mix.setMusic(&stream->pcm);
        sound.mix.setMusicMuted(false);
        SDL_UnlockAudio();
        return 0;
    }

    void setStreamTime(SoundStream*, int32_t ms) override
    {
        SDL_LockAudio();
        sound.musicStart = ms;
        SDL_UnlockAudio();
    }

    void stopStream(SoundStream*) override
    {
        SDL_LockAudio();
        sound.mix.setMusicMuted(true);
        SDL_UnlockAudio();
    }

    int playSample(SoundSample* sample) override
    {
        if (!sample) return -1;
        SDL_LockAudio();
        const int voice = sound.play(&sample->pcm);
        SDL_UnlockAudio();
        return voice;
    }

    void setVolume(int channel, int volume) override
    {
        SDL_LockAudio();
        sound.mix.setVolume(channel, volume);
        SDL_UnlockAudio();
    }

    void followClock(uint32_t demoTime, uint32_t ticks) override
    {
        SDL_LockAudio();
        sound.clock.frame(demoTime, ticks);
        SDL_UnlockAudio();
    }

    void freeSample(SoundSample* sample) override
    {
        if (!sample) return;
        SDL_LockAudio();
        sound.mix.stop(&sample->pcm);
        SDL_UnlockAudio();
        delete sample;
    }

    void close() override
    {
        // What the device still plays while it closes is silence.
        SDL_LockAudio();
        sound.mix.stopAll();
        sound.mix.setMusic(nullptr);
        SDL_UnlockAudio();
        closeDevice();
        for (SoundStream* stream : streams) delete stream;
        streams.clear();
    }

private:
    static void feed(void* self, Uint8* stream, int bytes)
    {
        static_cast<MixerBackend*>(self)->fill(reinterpret_cast<int16_t*>(stream), bytes / 4);
    }

    // The audio thread, under the audio lock.
    void fill(int16_t* out, int frames)
    {
        sound.fill(out, frames, SDL_GetTicks());
    }

    ClockedMix sound;
    std::vector<SoundStream*> streams;
    std::string error;
};
}  // namespace

SoundBackend& mixerBackend()
{
    static MixerBackend backend;
    return backend;
}
