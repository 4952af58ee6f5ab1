#include "sound/sound_backend.h"

namespace {
class NullBackend : public SoundBackend {
public:
    bool init(int, int) override { return false; }
    SoundSample* loadSample(const char*) override { return nullptr; }
    SoundStream* openStream(const char*) override { return nullptr; }
    const std::string& lastError() const override { return error; }
    int playStream(SoundStream*) override { return -1; }
    void setStreamTime(SoundStream*, int32_t) override {}
    void stopStream(SoundStream*) override {}
    int playSample(SoundSample*) override { return -1; }
    void setVolume(int, int) override {}
    void followClock(uint32_t, uint32_t) override {}
    void freeSample(SoundSample*) override {}
    void close() override {}

private:
    std::string error;
};
}  // namespace

SoundBackend& nullBackend()
{
    static NullBackend backend;
    return backend;
}
