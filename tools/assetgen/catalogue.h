// Every file the generator writes, with the sizes the demo's motion paths are
// designed around. Shared with the tests, which check the written files
// against it.
#pragma once

#include "core/timeline.h"
#include "data_files.h"

namespace assetgen {

struct PictureSpec {
    const char* file;  // relative to the data directory
    int width;
    int height;
    bool alpha;  // Targa with an alpha channel; JPEGs are opaque on black
};

// Loading order of the demo. Why each size:
//  zemblogo  rests at x = 427, vertically centred: 200 wide stays fully visible.
//  tx1..tx4  staircase at x = 100, y = 0/100/200/300: 100 tall, ending left of the logo.
//  ftx1/2    cross the fire at y = 160 and 240: under 80 tall so they never overlap.
//  rulltx    scrolls up at x = 213 until its top reaches y = -302: tall and at most 427 wide.
//  pold      panel at the left edge, y = 0; poldtx panel at y = 100 ending 1.05 w from the right.
//  flare     one particle of the 256-particle fountain.
//  mosk/trenbix  scroller rows 120 px apart, trenbix 60 px lower: both under 60 tall.
//  duvtx1    ends at y = h (80..160); duvtx2 ends with its bottom on row 199 (160..199).
//  arsesmile banner running along the bottom edge, right to left.
inline constexpr PictureSpec kPictures[] = {
    {dataName(kPictureFiles[0]), 200, 220, false},
    {dataName(kPictureFiles[1]), 320, 100, false},
    {dataName(kPictureFiles[2]), 320, 100, false},
    {dataName(kPictureFiles[3]), 320, 100, false},
    {dataName(kPictureFiles[4]), 320, 100, false},
    {dataName(kPictureFiles[5]), 600, 72, true},
    {dataName(kPictureFiles[6]), 600, 72, true},
    {dataName(kPictureFiles[7]), 400, 780, true},
    {dataName(kPictureFiles[8]), 280, 300, true},
    {dataName(kPictureFiles[9]), 280, 200, true},
    {dataName(kPictureFiles[10]), 32, 32, true},
    {dataName(kPictureFiles[11]), 520, 48, true},
    {dataName(kPictureFiles[12]), 520, 80, true},
    {dataName(kPictureFiles[13]), 400, 40, true},
    {dataName(kPictureFiles[14]), 960, 64, true},
    {dataName(kPictureFiles[15]), 560, 48, true},
};

inline constexpr int kPictureCount = sizeof(kPictures) / sizeof(kPictures[0]);

// The window icon, the logo's emblem on a clear ground: an RGBA PNG, so that
// desktops can use the same file.
inline constexpr PictureSpec kIcon = {dataName(kIconFile), 64, 64, true};

struct SoundSpec {
    const char* file;
    double minSeconds;
    double maxSeconds;
};

// The music first, then the nine cues in cue-table order.
inline constexpr SoundSpec kSounds[] = {
    {dataName(kSoundFiles[kMusicSound]), 110.0, 118.0},
    {dataName(kSoundFiles[0]), 0.2, 2.0},
    {dataName(kSoundFiles[1]), 0.2, 2.0},
    {dataName(kSoundFiles[2]), 0.2, 2.0},
    {dataName(kSoundFiles[3]), 0.2, 2.0},
    {dataName(kSoundFiles[4]), 0.2, 2.0},
    {dataName(kSoundFiles[5]), 0.2, 2.0},
    {dataName(kSoundFiles[6]), 0.2, 2.0},
    {dataName(kSoundFiles[7]), 0.2, 2.0},
    {dataName(kSoundFiles[8]), 0.2, 2.0},
};

inline constexpr int kSoundCount = sizeof(kSounds) / sizeof(kSounds[0]);

inline constexpr int kSampleRate = 44100;

// Scene boundaries of the demo in seconds; the music changes section at each.
inline constexpr double kSectionStarts[] = {
    0.0,
    kTitleSceneEnd / 1000.0,
    kFireSceneEnd / 1000.0,
    kNoiseSceneEnd / 1000.0,
    kWarpSceneEnd / 1000.0,
    kLinesSceneEnd / 1000.0,
    kFountainSceneEnd / 1000.0,
};
inline constexpr int kSectionCount = kSceneCount;  // the last entry closes the last section

}  // namespace assetgen
