// The desktop's audio device: SDL's, pulling the demo's mix from its audio
// callback.
#include "platform/sdl/audio_device.h"

#include "platform/sdl/sdl_version.h"
#include "platform/sound_platform.h"
#include "platform/system.h"

#include <SDL.h>

#include <unistd.h>

#include <chrono>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace {
// SDL 1.2's piece, and the one kMixDelay allows for: a larger piece is mixed
// that much further ahead of its tick count, and the mix's delay grows by
// the difference (with 40 ms on sdl12-compat's pieces, cues came late).
constexpr uint16_t kSmallPieceFrames = 512;
}  // namespace

// Small enough for a cue to reach the speaker well within 100 ms. SDL 1.2's
// PulseAudio driver mixes half a piece at a time and asks the server for
// four such halves of buffer; a larger piece can exceed what the server
// grants when PULSE_LATENCY_MSEC is small, and the driver then waits for
// room that never comes: 512 frames (12 ms). sdl12-compat hands the piece
// to SDL2, which keeps just one queued at the server: 1024 frames (23 ms)
// leave room for a late wake-up without a dropout. PipeWire's PulseAudio
// server grants a quarter of that, so there the device asks for a deeper
// buffer (kPipeWireLatencyMs) and fills it in pieces of 512 frames, which
// keep the mix's bursts, when the server asks for much at once, short
// enough for the cues to stay on their beat.
uint16_t deviceFrames(bool pipeWire)
{
    return onSdl12Compat() && !pipeWire ? 2 * kSmallPieceFrames : kSmallPieceFrames;
}

namespace {
// What a sound server's mixer shows for the demo (SDL2 only; classic SDL
// names it after the window).
constexpr char kStreamName[] = "Tideglow";

// The PipeWire server's buffer for the demo's stream, as asked of libpulse
// (PULSE_LATENCY_MSEC): on a busy machine anything shallower left gaps in
// the music. The server grants about 95 ms of it.
constexpr char kPipeWireLatencyMs[] = "150";
// How far the mix keeps behind the clock there: when the server asks for
// much of that buffer at once, the mix runs further ahead than the 40 ms
// that suffice elsewhere, and a cue's place would already be mixed.
constexpr Frames kPipeWireMixDelay = 90 * kMixRate / 1000;

// A device that does not close in this time is left to the end of the
// process (see closeSdlAudio).
constexpr std::chrono::milliseconds kCloseDeadline{400};

// Closes SDL's audio. SDL joins its audio thread, which first waits until the
// server has played everything queued: with a deep buffer
// (PULSE_LATENCY_MSEC=2000) that takes seconds, and SDL 1.2's PulseAudio
// driver can wait for good for room that never comes. Should the close
// overrun its deadline, the process ends here with status 0: the frame loop
// is over and the display already closed, so nothing is lost.
void closeSdlAudio()
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

class SdlAudioDevice : public AudioDevice {
public:
    bool open(Fill fill) override
    {
        // Before SDL first loads the system's sound libraries and opens a
        // stream.
        silenceSoundLibraries();
        const bool pipeWire = soundServerIsPipeWire();
        if (pipeWire) setEnvironment("PULSE_LATENCY_MSEC", kPipeWireLatencyMs, false);
        setEnvironment("SDL_AUDIO_DEVICE_APP_NAME", kStreamName, false);
        setEnvironment("SDL_AUDIO_DEVICE_STREAM_NAME", kStreamName, false);
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) < 0) return false;
        SDL_AudioSpec wanted{};
        wanted.freq = kMixRate;
        wanted.format = AUDIO_S16SYS;
        wanted.channels = 2;
        wanted.samples = deviceFrames(pipeWire);
        wanted.callback = feed;
        wanted.userdata = this;
        this->fill = fill;
        mix.clocked.delay = pipeWire ? kPipeWireMixDelay : kMixDelay + deviceFrames(pipeWire) - kSmallPieceFrames;
        // No `obtained`: SDL converts our format to the device's itself.
        if (SDL_OpenAudio(&wanted, nullptr) < 0) {
            SDL_QuitSubSystem(SDL_INIT_AUDIO);
            return false;
        }
        SDL_PauseAudio(0);
        return true;
    }

    void lock() override { SDL_LockAudio(); }
    void unlock() override { SDL_UnlockAudio(); }
    void close() override { closeSdlAudio(); }

private:
    static void feed(void* self, Uint8* stream, int bytes)
    {
        static_cast<SdlAudioDevice*>(self)->fill(reinterpret_cast<int16_t*>(stream), bytes / 4);
    }

    Fill fill = nullptr;
};
}  // namespace

AudioDevice& platformAudioDevice()
{
    static SdlAudioDevice device;
    return device;
}
