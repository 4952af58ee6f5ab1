// A lost display server, on Linux: an X server, or a Wayland compositor under
// sdl12-compat's SDL2. Apart from system.cpp: Xlib's own Display would clash
// with the demo's.
#include "platform/system.h"

#include <X11/Xlib.h>

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {
DisplayLost lostHandler = nullptr;

// Xlib calls this from inside whichever call found the connection gone.
int lostXServer(Display*)
{
    lostHandler("X server");
    return 0;
}

// Whether the compositor of WAYLAND_DISPLAY still takes connections. SDL2
// reports a broken connection to it only as a quit, like a window close.
bool compositorAnswers()
{
    const char* name = std::getenv("WAYLAND_DISPLAY");
    const char* runtime = std::getenv("XDG_RUNTIME_DIR");
    if (!name) name = "wayland-0";
    const std::string path = name[0] == '/' ? name : std::string(runtime ? runtime : "") + "/" + name;
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() >= sizeof address.sun_path) return true;
    std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
    const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return true;
    const bool answers = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    close(fd);
    return answers;
}
}  // namespace

void endOnLostDisplay(DisplayLost lost)
{
    lostHandler = lost;
    // Xlib's first write to a server that has gone would raise SIGPIPE and
    // end the process silently (status 141) before the handler ran; ignored,
    // the write fails and Xlib calls the handler. Nothing else in the demo
    // relies on the signal.
    signal(SIGPIPE, SIG_IGN);
    XSetIOErrorHandler(lostXServer);
}

void checkCompositorAfterQuit()
{
    if (lostHandler && !compositorAnswers()) lostHandler("Wayland compositor");
}
