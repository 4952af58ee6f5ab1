#include "sound/sound.h"

#include "sound/sound_backend.h"
#include "sound/sound_mix.h"

#include <cstdio>
#include <cstdlib>

const CueEntry cueTable[kCueCount] = {
    {255, "data/gee01.mp3"}, {255, "data/la01.mp3"},  {255, "data/a01.mp3"},
    {255, "data/l04.mp3"},   {255, "data/gee09.mp3"}, {255, "data/a03.mp3"},
    {255, "data/gee06.mp3"}, {255, "data/gee04.mp3"}, {255, "data/la03.mp3"},
};

namespace {
// False before soundInit and in silent mode.
bool soundActive()
{
    return soundState.soundEnabled && soundState.backend;
}

// A demo without one of its sounds is not worth running. The device is closed
// first so that the exit handlers find no mixer still playing.
[[noreturn]] void cannotLoad(const char* path)
{
    SoundBackend& backend = *soundState.backend;
    const std::string& why = backend.lastError();
    fprintf(stderr, "Cannot load %s%s%s\n", path, why.empty() ? "" : ": ", why.c_str());
    for (SoundSample*& cue : soundState.cues) {
        if (cue) backend.freeSample(cue);
        cue = nullptr;
    }
    backend.close();
    exit(1);
}
}  // namespace

void soundInit(int32_t startMs)
{
    if (!soundState.backend) soundState.backend = &mixerBackend();
    SoundBackend& backend = *soundState.backend;
    if (!backend.init(kMixRate, kSoundVoices)) {
        soundState.soundEnabled = 0;
        return;
    }
    for (int i = 0; i < kCueCount; ++i) {
        soundState.cues[i] = backend.loadSample(cueTable[i].file);
        if (!soundState.cues[i]) cannotLoad(cueTable[i].file);
    }
    soundState.music = backend.openStream(kMusicFile);
    if (!soundState.music) cannotLoad(kMusicFile);
    setMusicPlaying(true);
    backend.setStreamTime(soundState.music, startMs);
}

void setMusicPlaying(bool on)
{
    if (!soundActive()) return;
    SoundBackend& backend = *soundState.backend;
    if (on) {
        if (soundState.musicPlaying) return;
        soundState.musicPlaying = backend.playStream(soundState.music) >= 0;
    } else if (soundState.musicPlaying) {
        backend.stopStream(soundState.music);
        soundState.musicPlaying = 0;
    }
}

void playCue(int index)
{
    if (!soundActive() || index < 0 || index >= kCueCount) return;
    const int channel = soundState.backend->playSample(soundState.cues[index]);
    if (channel != -1) soundState.backend->setVolume(channel, cueTable[index].volume);
}

void soundFollowClock(uint32_t demoTime, uint32_t ticks)
{
    if (soundActive()) soundState.backend->followClock(demoTime, ticks);
}

void soundShutdown()
{
    if (!soundActive()) return;
    setMusicPlaying(false);
    for (SoundSample*& cue : soundState.cues) {
        soundState.backend->freeSample(cue);
        cue = nullptr;
    }
    soundState.backend->close();
}
