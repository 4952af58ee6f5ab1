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

// The state one run of the timeline carries from frame to frame, besides
// what its Demo holds: declared here once. A copy takes it, an assignment
// restores it and RunState{} is how it is when the program starts, for the
// player's snapshots (player/snapshot.h) and the tests alike. Each thread has
// its own: the player's recording runs the timeline a second time on a
// thread beside the live demo, and neither may draw on the other's.
struct RunState {
    // The demo's random sequence (random.h). Seeded once at start-up; until
    // then it holds 1, like an unseeded rand().
    uint32_t randomState = 1;
    // The noise field's table of nextRandom() results, made by the first
    // NoiseEffect render and never changed after, so that copies share it;
    // null until then. The cursor is its read position.
    std::shared_ptr<const std::vector<uint16_t>> noiseTable;
    int32_t noiseCursor = 0;
    // The time of the flare fountain's previous frame; 0 until one is drawn.
    int32_t fountainPreviousTime = 0;
};
extern thread_local RunState runState;

// The noise field's working memory: sized by the first NoiseEffect render
// that draws, shared by every instance and kept until exit. Every frame
// rewrites both fields before it reads them, so they are no part of the
// run's state.
struct NoiseBuffers {
    uint32_t width = 0;
    uint32_t height = 0;
    std::vector<uint8_t> noise;  // height rows of width bytes, top row first
    std::vector<uint8_t> bias;   // same shape
};
extern thread_local NoiseBuffers noiseBuffers;

// The player's keys (player/player_keys.h) pressed since the player last took
// them, oldest first. Set by the event filter, like the requests above. The
// room holds SDL 1.2's whole event queue, more than one pump of events can
// bring; a press beyond it would be dropped.
enum class PlayerKey : uint8_t { Pause, Forward, Back, NextScene, PreviousScene, Start, StepForward, StepBack };
struct PlayerKeys {
    static constexpr int kRoom = 128;
    PlayerKey pressed[kRoom];
    int count = 0;
};
extern PlayerKeys playerKeys;

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
