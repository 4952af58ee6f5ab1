#pragma once

#include "core/demo.h"
#include "globals.h"
#include "player/grid.h"
#include "player/row_team.h"
#include "player/snapshot.h"
#include "player/warp_recording.h"

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

// The player's record of the run (player/player.h): snapshots on the
// player's grid (player/grid.h), one a second, from which any frame is a
// short replay away. A demo of its own makes them (its own screen, back
// buffer, effects and run state; the live demo's pictures, which nothing
// draws on), from the seed the live demo started with, in three passes:
//   1. every frame of the timeline unseen (core/frame.h), in some 20 ms:
//      all the random sequence, the noise field, the flares and the cue
//      events need, while the warp's steps stay owed;
//   2. the warp's field, the one slow part: the scene's steps, each step's
//      rows shared out between the threads lent to it;
//   3. the fire's picture, which its frames read back, every third second.
// A jump waits for the first pass, and into the warp scene for the second
// to get there; into the fire it replays meanwhile from far enough back
// that no picture is needed (firstFrameShownIn, player/grid.h).
//
// It records on whichever thread calls record(), one call at a time: the
// desktop gives it a thread of its own and lends it another, the web page
// records between frames and takes the warp's fields from a worker
// (takeWarpField).
class Recorder {
public:
    // A picture takes 1.2 MB, and the fire replays fast: every third second.
    static constexpr uint64_t kPictureSpacing = 3 * kPlayerFps;

    // Nothing is drawn, nor made, until the first record(), so that the
    // live demo's start-up is not held up by a second one.
    Recorder(const Demo& live, uint32_t seed);
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // Records up to `frames` more frames of the pass under way. False once
    // all is recorded or stop() was called.
    bool record(int frames);
    // Lends the calling thread to the warp's pass until stop().
    void help();
    // The warp's field at next frame `frame`, worked out elsewhere from the
    // same seed (WarpRecording): the second pass goes on from there.
    void takeWarpField(uint64_t frame, const uint8_t* field);
    // Ends the recording: a call under way stops after its frame, no other
    // starts, help() returns. Waits for neither, so that the demo ends at
    // once; for the end of the run: no jump may follow.
    void stop();

    // Whether a jump to grid frame `frame` can be replayed now.
    bool reaches(uint64_t frame) const;
    // Puts `demo`, and the calling thread's run state, at the latest
    // snapshot from which grid frame `frame` replays, one that reaches()
    // it; the grid frame to draw next from there. The frames up to `frame`
    // are then drawn, from firstFrameShownIn(frame) on seen.
    uint64_t restoreFor(uint64_t frame, Demo& demo);

private:
    enum class Pass { Unseen, Warp, Picture, Done };
    void start();
    void keepSnapshot();                                  // pass 1, at `next`
    void keepWarpField(uint64_t frame, const uint8_t* field);  // pass 2
    void beginPass(Pass pass);                            // puts the demo where the pass starts
    // Whether grid frame `frame` replays from `snapshot`.
    static bool serves(const Snapshot& snapshot, uint64_t frame);

    std::mutex busy;  // one record() at a time
    const Demo& live;
    const uint32_t seed;
    Demo demo;
    RunState run;
    bool started = false;
    Pass pass = Pass::Unseen;
    uint64_t next = 0;  // the grid frame the pass draws next
    uint64_t lastPicture = 0;  // the last next frame whose picture pass 3 keeps
    std::atomic<bool> stopped{false};
    std::atomic<bool> unseenDone{false};
    RowTeam team;
    std::unique_ptr<WarpRecording> warpPass;

    mutable std::mutex store;  // guards `snapshots` between the recording and restoreFor
    std::vector<Snapshot> snapshots;  // the one with next frame n at n / kSnapshotSpacing
    // Warp fields taken before the first pass made their snapshots.
    std::map<uint64_t, std::shared_ptr<const std::vector<uint8_t>>> fieldsAhead;
    std::shared_ptr<const std::vector<uint8_t>> startHeights;  // the warp's field until its scene
    std::shared_ptr<const Particles> launched;                 // the flares until theirs
};
