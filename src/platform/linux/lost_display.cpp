// A lost X display, on Linux. Apart from system.cpp: Xlib's own Display
// would clash with the demo's.
#include "platform/system.h"

#include "sound/sound.h"

#include <X11/Xlib.h>

#include <csignal>
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
    // Xlib's first write to a server that has gone would raise SIGPIPE and
    // end the process silently (status 141) before the handler ran; ignored,
    // the write fails and Xlib calls the handler. Nothing else in the demo
    // relies on the signal.
    signal(SIGPIPE, SIG_IGN);
    XSetIOErrorHandler(lostDisplay);
}
