#pragma once

#include "globals.h"

// The demo's data files, each named once, as paths from the working
// directory: start-up and the sound read them, the generator
// (tools/assetgen) writes each under its name within kDataDir, and the tests
// take their names from here. A user may replace any of them with a file of
// the same name and format.
constexpr char kDataDir[] = "data/";

// The pictures, in the order of Pictures' members (core/demo.h).
constexpr int kPictureCount = 16;
constexpr const char* kPictureFiles[kPictureCount] = {
    "data/zemblogo.jpg", "data/tx1.jpg",    "data/tx2.jpg",    "data/tx3.jpg",      "data/tx4.jpg",
    "data/ftx1.tga",     "data/ftx2.tga",   "data/rulltx.tga", "data/pold.tga",     "data/poldtx.tga",
    "data/flare.tga",    "data/mosk.tga",   "data/duvtx1.tga", "data/duvtx2.tga",   "data/arsesmile.tga",
    "data/trenbix.tga",
};

// The sounds by index: the cues, then the music (kMusicSound).
constexpr const char* kSoundFiles[kSoundCount] = {
    "data/gee01.mp3", "data/la01.mp3",  "data/a01.mp3",  "data/l04.mp3",  "data/gee09.mp3",
    "data/a03.mp3",   "data/gee06.mp3", "data/gee04.mp3", "data/la03.mp3", "data/music.mp3",
};

// The window's icon, which the desktop shows when it can.
constexpr const char* kIconFile = "data/icon.png";

// A data file's name within kDataDir.
constexpr const char* dataName(const char* path)
{
    return path + sizeof kDataDir - 1;
}
