#pragma once

#include "effects/pixel_view.h"

#include <SDL.h>

#include <cstdint>
#include <vector>

// Something shown over the screen's bottom rows, such as the player's bar:
// drawn into the screen for one flip and taken off again after it, so that
// what the effects read back stays theirs.
class Overlay {
public:
    explicit Overlay(int rows) : rows(rows) {}
    virtual ~Overlay() = default;

    // Draws over `strip`, a full-width view of the screen's bottom rows.
    virtual void draw(const PixelView& strip) = 0;

    const int rows;

private:
    friend void presentFrame(SDL_Surface*, Overlay*);
    std::vector<uint32_t> under;  // the screen's pixels under it, kept for one flip
};

// Shows the screen: the one flip of every front end, with `overlay`, when
// given, over it for that flip.
void presentFrame(SDL_Surface* screen, Overlay* overlay = nullptr);
