#pragma once

#include "core/demo.h"
#include "core/recorder.h"
#include "effects/pixel_view.h"

#include <cstdint>
#include <functional>
#include <vector>

// The demo as a player, on the keys the event filter passes on (playerKeys,
// globals.h): Space pauses and resumes; Right and Left jump 5 s on and back,
// Page Down and Page Up to the next scene's start and the previous one's
// (Page Up within the first 2 s of a scene; else to the start of the
// scene), Home to the start; while paused `.` and `,` step one frame of
// 1/60 s. A jump shows the very frame demo-capture --fps 60 draws for the
// first grid time at or after its target with this run's seed, replayed
// from the recorder's snapshots (core/recorder.h); the clock, with the
// trail it had, and the sound go on from there (soundJump, sound/sound.h).
// Page Down in the last scene and a jump past the last frame stay on it:
// the demo ends by itself when it plays past the end.
//
// Right after start-up the recording may not have reached a jump's frame
// yet. The jump then waits for it, as a video player waits for the stream
// after a seek: the picture holds, the sound falls silent and the bar
// shows where it is going. The keys go on from there, and Space says
// whether it plays on once it lands.
//
// While paused, and for 2 s after a jump, a step or a resume, a bar across
// the bottom shows the timeline with the scenes' starts, the position, the
// time and, while paused, a pause sign. It is drawn over the screen only
// for the flip and taken off again, so that what the effects read back is
// theirs.
class Player {
public:
    // Without `drawsBar` the screen gets no bar: the web page shows a bar of
    // its own over the picture, and reads the screen after the flip, when a
    // bar drawn for the flip alone would be gone again.
    // `clock` is the platform's tick count: the clock and the sound stand
    // still while a jump replays its frames.
    Player(Demo& demo, Recorder& recorder, std::function<uint32_t()> clock, bool drawsBar = true);

    // Acts on the keys pressed since the last call, at tick count `ticks`,
    // after landing a waiting jump whose frame is recorded now. True when
    // the screen is to be presented as it is: it holds a grid frame that a
    // jump or a step put there, or the picture a jump waits on.
    bool takeKeys(uint32_t ticks);

    // Flips the screen, with the bar over it while it shows, if drawn.
    void present(uint32_t ticks);

    // While paused: presents the held picture when it has changed, and once
    // a second for a display that lost it.
    void presentPaused(uint32_t ticks);

    // Jumps to the first grid frame at or after demoTime `target` (at most
    // the last one), at tick count `ticks`, paused or playing as before: what
    // the keys do, and the web page's seek bar and address.
    void jumpTo(uint32_t target, uint32_t ticks);

    // Pauses or plays on, as Space does; a waiting jump then lands paused
    // or playing.
    void setPaused(bool paused, uint32_t ticks);
    bool paused() const { return waiting ? !playsAfterWait : demo.paused; }
    // Whether a jump waits for the recording (the demo is paused meanwhile).
    bool isWaiting() const { return waiting; }
    // The moment the player is at: a waiting jump's, else demoTime.
    uint32_t shownTime() const;

private:
    void land(uint64_t frame, uint32_t ticks);
    // Whether grid frame `frame` is the one after the frame on the screen,
    // drawn from it with no snapshot (never while a jump waits: nothing of
    // the grid is on the screen then).
    bool followsShownFrame(uint64_t frame) const { return onGrid && frame == gridFrame + 1; }
    void showBar(uint32_t ticks);
    PixelView barStrip() const;

    Demo& demo;
    Recorder& recorder;
    const std::function<uint32_t()> clock;
    bool waiting = false;
    uint64_t waitingFor = 0;      // the grid frame a waiting jump goes to
    bool playsAfterWait = false;  // whether the demo plays on once it lands
    uint64_t gridFrame = 0;  // the grid frame on the screen, while onGrid
    bool onGrid = false;     // the screen holds gridFrame and the clock has not moved since
    uint32_t barUntil = 0;   // tick count the bar shows until, when playing
    bool barTimed = false;
    uint32_t presentedAt = 0;  // tick count of the last present while paused
    bool presentDue = true;
    const bool drawsBar;
    std::vector<uint32_t> under;  // the screen's pixels under the bar, made once
};

// The bar's height in pixels, at the bottom of the screen.
constexpr int kPlayerBarHeight = 24;

enum class BarSign { None, Paused, Waiting };

// Draws the bar for `demoTime` over `strip`, a full-width view of the
// screen's bottom kPlayerBarHeight rows: the picture under it darkened, the
// scenes' starts, the time played along the timeline, m:ss.s and the sign:
// two bars for paused, three dots for a jump that waits.
void drawPlayerBar(const PixelView& strip, uint32_t demoTime, BarSign sign);
