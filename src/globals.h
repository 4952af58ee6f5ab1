#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The demo's program-wide state, all of it. Everything else lives in the
// Demo object that main() owns and is passed to whoever needs it.

// Ends the frame loop when non-zero. Set by the event filter, which SDL calls
// from inside SDL_PumpEvents without a user pointer, and by the end of the
// timeline.
extern int quitRequested;

// Set by the event filter on F11 or Alt+Enter; the frame loop then switches
// between full screen and a window and clears it.
extern int displayToggleRequested;

// The state of the demo's random sequence (random.h). Seeded once at start-up;
// until then it holds 1, like an unseeded rand().
extern uint32_t randomState;

// The noise field's working memory: created by the first NoiseEffect render,
// sized by that effect, shared by every instance and kept until exit. The
// table and the cursor carry the noise from one frame to the next.
struct NoiseFieldState {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> noise;   // height rows of width bytes, top row first
    std::vector<uint8_t> bias;    // same shape
    std::vector<uint16_t> table;  // nextRandom() results; empty until first use
    int32_t cursor = 0;           // read position in table
};
extern NoiseFieldState noiseField;

// The time of the flare fountain's previous frame; 0 until one is drawn.
extern int32_t fountainPreviousTime;

// The sound subsystem's state (sound/sound.h).
class AudioDevice;
class SoundDecoder;
using OpenSoundFile = std::unique_ptr<SoundDecoder> (*)(const char* path, std::string& error);
using CueListener = void (*)(uint32_t demoTime, int index);
constexpr int kCueCount = 9;
// The sounds by index: the cues as in cueTable, then the music.
constexpr int kMusicSound = kCueCount;
constexpr int kSoundCount = kCueCount + 1;
struct SoundState {
    int32_t soundEnabled = 1;  // cleared for good when the device cannot start
    int32_t musicPlaying = 0;  // the music was started and not stopped
    // Frames of each sound decoded and handed to the mix so far; 0 once freed.
    int64_t decodedFrames[kSoundCount] = {};
    // What the sound plays through (sound/audio_device.h), put here by the
    // front end, or by a test, before soundInit: without both the demo runs
    // silently.
    AudioDevice* device = nullptr;
    OpenSoundFile openFile = nullptr;
    // The sounds still being decoded; null once a sound is whole.
    std::unique_ptr<SoundDecoder> decoders[kSoundCount];
    // Each decoding step decodes here first and takes the device's lock
    // only to append; room for a step is made once.
    std::vector<int16_t> piece;
    int32_t musicStartMs = 0;  // where the music plays at demoTime 0
    CueListener cueListener = nullptr;  // setCueListener's
};
extern SoundState soundState;

// Every piece of the state above as it is when the program starts: for the
// tests, which run the demo many times in one process.
void resetProgramState();

// Shared between threads: the decoded sounds and the mix that plays them
// (AudioDevice::mix) are the audio device's. The frame loop's
// thread changes them only through the device (AudioDevice::tell).
