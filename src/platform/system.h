#pragma once

#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

// What the operating system gives the demo and demo-capture beyond SDL 1.2,
// one file per system: platform/linux/system.cpp, platform/windows/system.cpp.

// Sets an environment variable; unless `replace`, only when it is unset.
void setEnvironment(const char* name, const char* value, bool replace);

// Once SDL has started, before the display opens: should the display server
// go away under the demo, `lost` is called with what went away ("X server",
// "Wayland compositor"), and must not return. X reports the loss from inside
// whichever Xlib call finds the connection gone; SDL reports a lost Wayland
// compositor as a quit event, which the front end hands on to
// checkCompositorAfterQuit. Nothing to do where the window system cannot leave a
// running program (Windows).
using DisplayLost = void (*)(const char* server);
void endOnLostDisplay(DisplayLost lost);

// After SDL on Wayland has reported a quit: calls endOnLostDisplay's `lost`
// when the quit came from a compositor that is gone.
void checkCompositorAfterQuit();

// Before the sound device first opens: the system's sound libraries write
// nothing of their own on stderr (libasound reports each device it fails to
// open, although the demo then goes on silently by design).
void silenceSoundLibraries();

// Whether SDL's PulseAudio driver, which SDL2 takes first, would talk to
// PipeWire's PulseAudio server (pipewire-pulse). False where SDL_AUDIODRIVER
// names another driver, or no server answers.
bool soundServerIsPipeWire();

// Whether `program` is found where runCommand and openPipe look for it: on
// the PATH (on Windows first in the program's own folder, the working folder
// and the system's).
bool programFound(const char* program);

// A command line for runCommand and openPipe: the program by name, then each
// argument quoted so that it reaches the program as one word, whatever
// spaces, quotes or other characters it holds. On Linux sh reads it; Windows
// starts the program directly.
std::string commandLine(const std::string& program, const std::vector<std::string>& arguments);

// Runs a command line and returns its exit status (0: success).
int runCommand(const std::string& line);

// Starts a command line with a pipe to its standard input, in binary: bytes
// reach it unchanged. closePipe waits for it and returns its exit status.
FILE* openPipe(const std::string& line);
int closePipe(FILE* pipe);

// The processor time the calling thread has used, for timing frames on a
// shared machine. Where the system counts it only in coarse steps (Windows,
// in 15.6 ms ticks), the wall clock instead.
std::chrono::nanoseconds threadTime();

// Puts the calling thread behind the program's others when they want a
// processor: for work beside the live demo, such as the player's
// recording, which then never holds up a frame.
void runInBackground();
