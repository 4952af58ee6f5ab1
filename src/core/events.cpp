#include "core/events.h"

#include "globals.h"

namespace {
// The player's key for an SDL key, or false for any other.
bool playerKeyOf(SDLKey sym, PlayerKey& key)
{
    switch (sym) {
    case SDLK_SPACE: key = PlayerKey::Pause; return true;
    case SDLK_RIGHT: key = PlayerKey::Forward; return true;
    case SDLK_LEFT: key = PlayerKey::Back; return true;
    case SDLK_PAGEDOWN: key = PlayerKey::NextScene; return true;
    case SDLK_PAGEUP: key = PlayerKey::PreviousScene; return true;
    case SDLK_HOME: key = PlayerKey::Start; return true;
    case SDLK_PERIOD: key = PlayerKey::StepForward; return true;
    case SDLK_COMMA: key = PlayerKey::StepBack; return true;
    default: return false;
    }
}
}  // namespace

int eventFilter(const SDL_Event* event)
{
    if (event->type == SDL_QUIT) return 1;
    if (event->type != SDL_KEYDOWN) return 0;
    const SDL_keysym& key = event->key.keysym;
    if (key.sym == SDLK_F11 || (key.sym == SDLK_RETURN && key.mod & KMOD_ALT)) displayToggleRequested = 1;
    PlayerKey playerKey;
    if (playerKeyOf(key.sym, playerKey) && playerKeys.count < PlayerKeys::kRoom)
        playerKeys.pressed[playerKeys.count++] = playerKey;
    // The key state alone would miss a quick tap: when the press and the
    // release come in one pump, sdl12-compat marks the key released before
    // it passes the press on.
    if (SDL_GetKeyState(nullptr)[SDLK_ESCAPE] == 1 || event->key.keysym.sym == SDLK_ESCAPE) quitRequested = 1;
    return 0;
}

bool quitEventPending()
{
    SDL_PumpEvents();
    return SDL_PeepEvents(nullptr, 0, SDL_PEEKEVENT, SDL_QUITMASK) != 0;
}
