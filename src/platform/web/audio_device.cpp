// The web's audio device: the page's Web Audio graph, whose audio worklet
// pulls the demo's mix as it needs it (webSoundMix), the way SDL's audio
// callback does. The page calls everything from its one thread, so locking
// has nothing to do.
#include "sound/audio_device.h"

#include <emscripten.h>

#include <algorithm>

namespace {
class WebAudioDevice : public AudioDevice {
public:
    bool open(Fill fill) override
    {
        this->fill = fill;
        return true;
    }
    void lock() override {}
    void unlock() override {}
    void close() override { fill = nullptr; }

    Fill fill = nullptr;
};

WebAudioDevice device;
Pcm mixBuffer;
}  // namespace

AudioDevice& platformAudioDevice()
{
    return device;
}

extern "C" {
// The next `frames` frames of the mix, interleaved 16-bit stereo; silence
// while the device is closed.
EMSCRIPTEN_KEEPALIVE const int16_t* webSoundMix(int frames)
{
    mixBuffer.resize(static_cast<size_t>(frames) * 2);
    if (device.fill) device.fill(mixBuffer.data(), frames);
    else std::fill(mixBuffer.begin(), mixBuffer.end(), int16_t{0});
    return mixBuffer.data();
}
}
