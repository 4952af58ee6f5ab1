#pragma once

#include "globals.h"

#include <cstdint>

// What the player's keys do (globals.h has the keys): Space pauses and plays
// on; Right and Left go 5 s on and back, Page Down to the next scene's start
// and Page Up to the start of the scene (within its first 2 s, the previous
// one's), Home to the start; while paused `.` and `,` step one grid frame
// (player/grid.h). A move lands on the first grid frame at or after where it
// aims, at most the last; landing there while playing pauses, as a video
// player holds its last frame. Page Down in the last scene does nothing.

// Where the player is, and a burst of keys takes it.
struct PlayerPosition {
    uint32_t time = 0;   // the grid frame's demoTime, or the demoTime shown
    bool paused = false;
    bool moved = false;  // whether a key moved it: a jump to `time`
};

// Folds the keys pressed, oldest first, into one position: each key acts
// from where the one before left the player, so that a burst of them costs
// one jump, to where they add up.
PlayerPosition foldKeys(const PlayerKey* keys, int count, PlayerPosition from);
