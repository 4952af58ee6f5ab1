// Styled text: the shadow, outline, glow and gradient fill layers shared by
// all captions.
#pragma once

#include <optional>
#include <string>

#include "image.h"
#include "text.h"

namespace assetgen {

struct TextLook {
    Shader fill = solid(rgb(0xffffff));
    std::optional<Colour> outline;  // drawn behind the fill
    int outlineWidth = 2;
    std::optional<Colour> halo;     // soft light around the letters
    float haloRadius = 6;
    float haloStrength = 0.8f;
    float shadowOpacity = 0;        // soft dark drop shadow
    int shadowOffset = 3;
    float bevel = 0;                // strength of a light top edge inside the letters
};

enum class Align { Left, Centre };

// Draws one line of text with its layers onto img. x is the left edge or the
// centre depending on align.
void drawStyledText(Image& img, TextRenderer& tr, const std::string& text, const TextStyle& style, float x,
                    float baseline, const TextLook& look, Align align = Align::Centre);

}  // namespace assetgen
