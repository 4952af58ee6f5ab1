#pragma once

#include "support/test_support.h"

#include <optional>
#include <vector>

// Pictures whose every pixel tells which picture it belongs to, which of its
// rows it is and whether it lies in its first column, so that a frame shows
// where each picture landed. Red 0xFF marks them: the sine lines keep every
// channel below 0xFF, and the fills and the flare are greys.
struct CodedPixel {
    int id;  // 1..15
    int row;
    bool firstColumn;
};

inline SDL_Surface* makeCodedPicture(int width, int height, int id)
{
    SDL_Surface* picture = makePicture(width, height, 0);
    for (int y = 0; y < height; ++y) {
        const uint32_t colour = 0xff0000u | static_cast<uint32_t>(y + 1) << 8 | static_cast<uint32_t>(id) << 4;
        SDL_Rect row = {0, static_cast<Sint16>(y), static_cast<Uint16>(width), 1};
        SDL_FillRect(picture, &row, colour);
        SDL_Rect first = {0, static_cast<Sint16>(y), 1, 1};
        SDL_FillRect(picture, &first, colour | 1);
    }
    return picture;
}

inline std::optional<CodedPixel> decodePixel(uint32_t colour)
{
    const uint32_t blue = colour & 0xff;
    if ((colour & 0xffff0000u) != 0xff0000u || (colour & 0xff00) == 0 || blue > 0xf1 || (blue & 0xe) != 0)
        return std::nullopt;
    return CodedPixel{static_cast<int>(blue >> 4), static_cast<int>((colour >> 8) & 0xff) - 1, (blue & 1) != 0};
}

// The y of every copy of picture `id` that shows in column x, top to bottom:
// a copy's top row, or for one cut by the top edge the row it shows there.
inline std::vector<int> copiesInColumn(SDL_Surface* screen, int id, int x)
{
    std::vector<int> tops;
    for (int y = 0; y < screen->h; ++y) {
        const auto pixel = decodePixel(pixelAt(screen, x, y));
        if (pixel && pixel->id == id && (pixel->row == 0 || y == 0)) tops.push_back(y - pixel->row);
    }
    return tops;
}

// Where picture `id` starts on row y: the column of its first column, or
// none when that is off the display.
inline std::optional<int> firstColumnOnRow(SDL_Surface* screen, int id, int y)
{
    for (int x = 0; x < screen->w; ++x) {
        const auto pixel = decodePixel(pixelAt(screen, x, y));
        if (pixel && pixel->id == id && pixel->firstColumn) return x;
    }
    return std::nullopt;
}

// The last column of row y that shows picture `id`, -1 when none does.
inline int lastColumnOnRow(SDL_Surface* screen, int id, int y)
{
    int last = -1;
    for (int x = 0; x < screen->w; ++x) {
        const auto pixel = decodePixel(pixelAt(screen, x, y));
        if (pixel && pixel->id == id) last = x;
    }
    return last;
}

inline bool showsAnywhere(SDL_Surface* screen, int id)
{
    for (int y = 0; y < screen->h; ++y)
        for (int x = 0; x < screen->w; ++x) {
            const auto pixel = decodePixel(pixelAt(screen, x, y));
            if (pixel && pixel->id == id) return true;
        }
    return false;
}
