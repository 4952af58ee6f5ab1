#pragma once

#include "globals.h"
#include "sound/audio_device.h"

#include <memory>
#include <string>

// What each platform gives the sound, in its audio_device.cpp and
// sound_files.cpp. A front end hands both to the sound (usePlatformSound)
// before soundInit.

AudioDevice& platformAudioDevice();

// The platform's decoder on `path`. It checks at once that the file holds
// audio the mix can play: kMixRate, one or two channels, since the mix has
// no resampler. Null, with the reason in `error`, when the file is missing,
// empty or holds no such audio.
std::unique_ptr<SoundDecoder> openSoundFile(const char* path, std::string& error);

// The sound plays through `device`, the platform's unless another is given,
// and decodes with the platform's decoder.
inline void usePlatformSound(AudioDevice& device = platformAudioDevice())
{
    soundState.device = &device;
    soundState.openFile = openSoundFile;
}
