#pragma once

#include "sound/sound_mix.h"

#include <cstdint>

// Keeps the mix on the demo clock. The frame loop reports each frame's
// demoTime with the tick count it was computed from; the audio callback then
// knows where the music should be at any tick count, and follows it.

// What the demo clock reads at a given tick count. demoTime trails the
// elapsed time by about three frame intervals; the smallest trail of the last
// frames is taken, so that the clock's catching up after a stall does not
// pull the music back while a steady trail, at any frame rate, is kept. Nor
// is it taken below three times the shortest of the last frame intervals,
// which the clock's filter always trails by once it has settled: after a
// quick start-up the first frames trail by less, and a mix that followed them
// would end up early for good.
class MixClock {
public:
    // Main thread, once per frame: demoTime, the tick count it came from and
    // the clock's origin.
    void frame(uint32_t demoTime, uint32_t ticks, uint32_t startTicks);
    // From tick count `ticks` on, demoTime stands still until resume, which
    // moves the origin on by the time paused, as the demo's clock does.
    void pause(uint32_t ticks);
    void resume(uint32_t ticks);

    bool running() const { return count > 0; }
    bool paused() const { return isPaused; }
    // Milliseconds; negative before the clock's origin.
    int64_t demoTimeAt(uint32_t ticks) const
    {
        return static_cast<int32_t>((isPaused ? pausedAt : ticks) - origin - trail);
    }

private:
    static constexpr int kFrames = 16;
    uint32_t trails[kFrames] = {};
    uint32_t intervals[kFrames] = {};
    int count = 0;
    int next = 0;
    uint32_t lastTicks = 0;
    uint32_t origin = 0;
    uint32_t trail = 0;
    bool isPaused = false;
    uint32_t pausedAt = 0;
};

// How the callback keeps the mix in step: it plays, skips ahead when it has
// fallen behind the clock (a late start, an underrun, a starved thread), or
// waits in silence when it has run far ahead (a device that takes a deep
// buffer at once). A smaller lead, as when the frame rate drops and demoTime
// trails further, is left alone: it costs the cues nothing while it stays
// within the mix delay below, and silence to correct it would be a dropout.
// A burst of buffers asked for together must not look like running ahead, so
// the decision to wait takes the smallest lead of the last buffers.
class MixFollower {
public:
    enum class Step { Play, Skip, Wait };

    Step next(Frames position, Frames target);

    // How far the mix may fall behind the clock, and run ahead of it, before
    // it is moved.
    static constexpr Frames kTolerance = 15 * kMixRate / 1000;
    static constexpr Frames kLeadTolerance = 100 * kMixRate / 1000;

private:
    static constexpr int kBuffers = 16;
    Frames leads[kBuffers] = {};
    int count = 0;
    int nextSlot = 0;
};

// The mix runs this far behind the clock, so that a cue played on a frame
// finds its place on the timeline not yet mixed: it covers the tolerance and
// the device buffers that can be mixed between two frames.
constexpr Frames kMixDelay = 40 * kMixRate / 1000;

// The mix on the demo clock, as the audio device plays it.
struct ClockedMix {
    SoundMix mix{0};
    MixClock clock;
    MixFollower follower;
    int32_t musicStart = 0;  // the music's position in ms when demoTime is 0
    // How far the mix runs behind the clock: kMixDelay, or more where the
    // device asks for its sound further ahead of the speakers.
    Frames delay = kMixDelay;

    // Ready for a new run with `voices` cue voices; the delay the device
    // chose stays.
    void reset(int voices);
    // A cue that belongs at `demoTime`, at `volume` 0..255. During a jump it
    // waits for the jump to land, and then sounds what is left of it.
    void play(const Pcm* sample, uint32_t demoTime, int volume);
    // The player's jump: the clock's report from the frame that landed (as
    // MixClock::frame), then the cues to sound there (play), then landed().
    // The mix fades out where it was; once silent, and the clock running,
    // every voice stops, the mix moves to where the clock is and the cues
    // the jump named go on from there, fading in.
    void jump(uint32_t demoTime, uint32_t ticks, uint32_t startTicks);
    void landed() { jumpState = JumpState::Landed; }
    // What the device plays next, asked for at tick count `ticks`: silence
    // until the clock runs and the music's first frame is due, then the mix,
    // moved on when it has fallen behind the clock and held while it has run
    // far ahead. A paused clock fades the mix out; once it runs again the mix
    // fades in where the clock then is.
    void fill(int16_t* out, int frames, uint32_t ticks);

private:
    struct WaitingCue {
        const Pcm* sample;
        uint32_t demoTime;
        int volume;
    };
    enum class JumpState { None, Gathering, Landed };
    void land();
    JumpState jumpState = JumpState::None;
    WaitingCue waiting[16];  // more than the eleven cues of the whole timeline
    int waitingCount = 0;
};
