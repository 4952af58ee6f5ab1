#pragma once

#include <SDL.h>

// What the page tells the web build's SDL (include/SDL.h): a key pressed or
// released. The key state changes and a press goes to the event filter, as
// SDL's own event pump would send it.
void webSendKey(SDLKey key, bool pressed);
