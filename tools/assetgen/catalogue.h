// Every file the generator writes, with the sizes the demo's motion paths are
// designed around. Shared with the tests, which check the written files
// against it.
#pragma once

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
    {"zemblogo.jpg", 200, 220, false},
    {"tx1.jpg", 320, 100, false},
    {"tx2.jpg", 320, 100, false},
    {"tx3.jpg", 320, 100, false},
    {"tx4.jpg", 320, 100, false},
    {"ftx1.tga", 600, 72, true},
    {"ftx2.tga", 600, 72, true},
    {"rulltx.tga", 400, 780, true},
    {"pold.tga", 280, 300, true},
    {"poldtx.tga", 280, 200, true},
    {"flare.tga", 32, 32, true},
    {"mosk.tga", 520, 48, true},
    {"duvtx1.tga", 520, 80, true},
    {"duvtx2.tga", 400, 40, true},
    {"arsesmile.tga", 960, 64, true},
    {"trenbix.tga", 560, 48, true},
};

inline constexpr int kPictureCount = sizeof(kPictures) / sizeof(kPictures[0]);

// The window icon, the logo's emblem on a clear ground: an RGBA PNG, so that
// desktops can use the same file.
inline constexpr PictureSpec kIcon = {"icon.png", 64, 64, true};

struct SoundSpec {
    const char* file;
    double minSeconds;
    double maxSeconds;
};

// The music first, then the nine cues in cue-table order.
inline constexpr SoundSpec kSounds[] = {
    {"music.mp3", 110.0, 118.0},
    {"gee01.mp3", 0.2, 2.0}, {"la01.mp3", 0.2, 2.0}, {"a01.mp3", 0.2, 2.0},
    {"l04.mp3", 0.2, 2.0},   {"gee09.mp3", 0.2, 2.0}, {"a03.mp3", 0.2, 2.0},
    {"gee06.mp3", 0.2, 2.0}, {"gee04.mp3", 0.2, 2.0}, {"la03.mp3", 0.2, 2.0},
};

inline constexpr int kSoundCount = sizeof(kSounds) / sizeof(kSounds[0]);

inline constexpr int kSampleRate = 44100;

// Scene boundaries of the demo in seconds; the music changes section at each.
inline constexpr double kSectionStarts[] = {0.0, 17.0, 31.5, 45.6, 74.2, 88.6, 107.0};
inline constexpr int kSectionCount = 6;  // the last entry closes the sixth section

}  // namespace assetgen
