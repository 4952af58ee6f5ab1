#pragma once

#include "core/demo.h"
#include "core/snapshot.h"
#include "globals.h"

#include <atomic>
#include <cstdint>
#include <mutex>
#include <vector>

// The player's record of the run (core/player.h): the timeline drawn a
// second time, on demo-capture's grid of 60 frames a second, from the seed
// the live demo started with, by a demo of its own (its own screen, back
// buffer, effects and run state; the live demo's pictures, which nothing
// draws on), keeping a snapshot of every kSnapshotSpacing-th frame. Any grid
// frame is then at most that many frames of replay away from one. A frame
// whose picture neither a snapshot nor a later frame reads is drawn with an
// empty clip rectangle: the scenes then only move on what they carry
// (showsNothing, effects/effect.h), in less than half the time.
//
// It records in batches, on whichever thread calls it, one at a time: the
// desktop gives it a thread of its own, the web page records between
// frames, and a jump to a frame not recorded yet waits for it.
class Recorder {
public:
    static constexpr int kGridFps = 60;
    // Three seconds: at most about 0.15 s of replay for a jump, and some
    // 2 MB a snapshot, 36 of them over the timeline.
    static constexpr uint64_t kSnapshotSpacing = 3 * kGridFps;

    // Nothing is drawn, nor made, until the first batch, so that the live
    // demo's start-up is not held up by a second one.
    Recorder(const Demo& live, uint32_t seed);
    ~Recorder();
    Recorder(const Recorder&) = delete;
    Recorder& operator=(const Recorder&) = delete;

    // Records up to `frames` more grid frames. False once the whole timeline
    // is recorded or stop() was called.
    bool record(int frames);
    // Ends the recording: a batch under way stops after its frame, no other
    // starts. Does not wait for the batch, so that the demo ends at once;
    // for the end of the run: no jump may follow.
    void stop();
    // The grid frames recorded so far, from frame 0 on: a jump to any of
    // them records nothing first. Does not wait for a batch under way.
    uint64_t framesRecorded() const { return next; }

    // Puts `demo`, and the calling thread's run state, at the latest
    // snapshot at or before grid frame `frame`, one already recorded (below
    // framesRecorded()); the snapshot's frame.
    uint64_t restoreAtOrBefore(uint64_t frame, Demo& demo);

    // Whether a frame one or two grid frames after `frame` reads its picture
    // back: a scene that draws over its last picture starts or goes on
    // there (the frame at a scene's end draws nothing, so the next reads
    // two back). Any other frame's picture is drawn anew before it is seen,
    // and a replay draws it showing nothing.
    static bool laterFramesRead(uint64_t frame);

    // The last grid frame that draws a scene: the one after it moves the
    // scene switch past the end.
    static uint64_t lastFrame();
    // Its demoTime: the latest moment a jump lands on.
    static uint32_t lastFrameTime();

private:
    void start();
    void recordFrames(int frames);  // under `busy`, with `run` swapped in

    std::mutex busy;
    const Demo& live;
    const uint32_t seed;
    Demo demo;
    RunState run;
    bool started = false;
    std::atomic<bool> stopped{false};  // read by a batch under way, between its frames
    std::atomic<uint64_t> next{0};  // the grid frame the next batch draws first; read without `busy`
    std::vector<Snapshot> snapshots;
};
