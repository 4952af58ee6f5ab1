// The web's audio device: the page's audio worklet, which plays a mix of its
// own (worklet_mix.cpp), off the page's thread. What the demo tells the mix
// is queued here as commands (mix_batch.h) and the page hands them over
// after every frame (webMixCommands), so nothing here plays, pulls or locks.
#include "platform/sound_platform.h"
#include "platform/web/mix_batch.h"

#include <emscripten.h>

namespace {
std::vector<uint8_t> outbox;
std::vector<uint8_t> sent;

class WebAudioDevice : public AudioDevice {
public:
    bool open(Fill) override { return true; }
    void lock() override {}
    void unlock() override {}
    void close() override {}
    void tell(const MixCommand& command, const int16_t* samples) override
    {
        appendCommand(outbox, command, samples);
    }
};

WebAudioDevice device;
}  // namespace

AudioDevice& platformAudioDevice()
{
    return device;
}

extern "C" {
// Takes the commands queued since the last call for the worklet: their size
// in bytes. They lie at webMixCommands() until the next call.
EMSCRIPTEN_KEEPALIVE int webTakeMixCommands()
{
    sent.swap(outbox);
    outbox.clear();
    return static_cast<int>(sent.size());
}

EMSCRIPTEN_KEEPALIVE const uint8_t* webMixCommands()
{
    return sent.data();
}
}
