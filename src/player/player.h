#pragma once

#include "core/demo.h"
#include "player/player_bar.h"
#include "player/player_keys.h"
#include "player/recorder.h"

#include <cstdint>
#include <functional>
#include <optional>

// The demo as a player (player/player_keys.h says what its keys do): each
// turn of the frame loop (core/frame_loop.h) it takes the keys pressed since
// the last, as one move, then plays the frame, or shows the frame a jump or
// a step put on the screen, or holds the picture while paused. A jump shows
// the very frame demo-capture --fps 60 draws for its grid frame with this
// run's seed, replayed from the recorder's snapshots (player/recorder.h);
// the clock, with the trail it had, and the sound go on from there
// (soundJump, sound/sound.h).
//
// Right after start-up the recording may not reach a jump's frame yet. The
// jump then waits for it, as a video player waits for the stream after a
// seek: the picture holds, the sound falls silent and the bar shows where
// it is going. The keys go on from there, and Space says whether it plays
// on once it lands.
class Player {
public:
    // Without `drawsBar` the screen gets no bar: the web page shows a bar of
    // its own over the picture. `clock` is the platform's tick count: the
    // clock and the sound stand still while a jump replays its frames.
    Player(Demo& demo, Recorder& recorder, std::function<uint32_t()> clock, bool drawsBar = true);

    // One turn of the frame loop (core/frame_loop.h) at tick count `ticks`;
    // whether the loop may nap: while paused, and while a jump waits, which
    // lands a nap later at most.
    bool turn(uint32_t ticks);

    // Jumps to the first grid frame at or after demoTime `target` (at most
    // the last one, where a demo that plays pauses), at tick count `ticks`,
    // paused or playing as before: the web page's seek bar and address.
    void jumpTo(uint32_t target, uint32_t ticks);

    // Pauses or plays on, as Space does; a waiting jump then lands paused
    // or playing.
    void setPaused(bool paused, uint32_t ticks);
    bool paused() const { return waiting ? !waiting->playsOn : demo.paused; }
    // Whether a jump waits for the recording (the demo is paused meanwhile).
    bool isWaiting() const { return waiting.has_value(); }
    // The moment the player is at: a waiting jump's, else demoTime.
    uint32_t shownTime() const;

private:
    // Moves to grid frame `frame`, playing on or paused as `paused` says.
    void moveTo(uint64_t frame, bool paused, uint32_t ticks);
    // Replays grid frame `frame` onto the screen and puts the clock and the
    // sound there; the tick count after.
    uint32_t land(uint64_t frame, uint32_t ticks);
    // Whether grid frame `frame` is the one after the frame on the screen,
    // drawn from it with no snapshot.
    bool followsShownFrame(uint64_t frame) const { return shownFrame && frame == *shownFrame + 1; }
    void present(uint32_t ticks);

    struct Wait {
        uint64_t frame;  // the grid frame the jump goes to
        bool playsOn;    // whether the demo plays on once it lands
    };

    Demo& demo;
    Recorder& recorder;
    const std::function<uint32_t()> clock;
    std::optional<Wait> waiting;
    // The grid frame on the screen while the clock has not moved since.
    std::optional<uint64_t> shownFrame;
    std::optional<PlayerBar> bar;
    uint32_t presentedAt = 0;  // tick count of the last present while paused
    bool presentDue = true;    // the held picture changed since
};
