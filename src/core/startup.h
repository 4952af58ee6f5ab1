#pragma once

#include "core/demo.h"

#include <functional>

// Start-up and shutdown of the demo, the same for every front end: the
// desktop's demo, demo-capture, the web page and the tests.

struct Display {
    SDL_Surface* screen;
    SDL_Surface* backBuffer;  // same size and masks as the screen
};

// Opens a 32-bit software display whose pixels persist from frame to frame,
// and a back buffer like it. Both null when SDL refuses the mode; throws
// std::bad_alloc when the back buffer cannot be made, like any other
// allocation of start-up.
Display openDisplay(int width, int height, bool fullscreen);

// Loads the sixteen pictures from data/, after checking each file's header
// (core/picture_check.h). On failure prints which one and why and returns
// false.
bool loadPictures(Pictures& pictures);

// Why IMG_Load last gave no picture; SDL_image does not always say.
const char* imageError();

// What differs between front ends at start-up.
struct StartOptions {
    Uint32 sdlSubsystems = SDL_INIT_VIDEO | SDL_INIT_NOPARACHUTE;
    uint32_t seed = 1;
    // The front end's display, opened once SDL runs: a null screen when SDL
    // refuses it.
    std::function<Display()> openDisplay = [] { return ::openDisplay(kScreenWidth, kScreenHeight, false); };
    std::function<bool(Pictures&)> loadPictures = ::loadPictures;
};

// Starts SDL (quit again at exit), opens the display, starts the demo clock
// (startTicks), seeds the random sequence, then readies everything the
// timeline needs: clears the back buffer, creates the effects and loads the
// pictures in their fixed order (the effects draw on the random sequence),
// arms the cue events. The clock starts before the loading: the first frame
// finds it a quarter of the loading time on. False after a line on stderr
// when SDL, the display or a picture fails. The sound starts apart
// (sound/sound.h), when the front end wants it.
bool startDemo(Demo& demo, const StartOptions& options);

// What startDemo does once the random sequence is seeded: clears the back
// buffer, creates the effects and takes the pictures in their fixed order,
// arms the cue events. False when the pictures fail.
bool prepareDemo(Demo& demo, const std::function<bool(Pictures&)>& loadPictures);

// The effects that come before the pictures, in creation order.
void createEarlyEffects(Demo& demo);

// The effects that need the pictures.
void createLateEffects(Demo& demo);

// Arms every cue event and puts the scene switch at the first scene.
void armTimeline(Demo& demo);

// Releases what the demo releases before exit; the rest goes with the process.
void releaseDemo(Demo& demo);
