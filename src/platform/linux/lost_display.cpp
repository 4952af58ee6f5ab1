// A lost X display, on Linux. Apart from system.cpp: Xlib's own Display
// would clash with the demo's.
#include "platform/system.h"

#include "sound/sound.h"

#include <X11/Xlib.h>

#include <cstdio>
#include <unistd.h>

namespace {
// Xlib calls this from inside whichever call found the connection gone; there
// is no display left to shut down, and returning would leave the process to
// Xlib and SDL.
int lostDisplay(Display*)
{
    fputs("The display was lost (its X server went away): the demo ends\n", stderr);
    soundShutdown();
    _exit(1);
}
}  // namespace

void endOnLostDisplay()
{
    XSetIOErrorHandler(lostDisplay);
}
