// The fuzzer's platform has no sound: the scenes' cues go nowhere.
#include "sound/audio_device.h"

AudioDevice& platformAudioDevice()
{
    return nullAudioDevice();
}

std::unique_ptr<SoundDecoder> openSoundFile(const char*, std::string& error)
{
    error = "no sound files here";
    return nullptr;
}
