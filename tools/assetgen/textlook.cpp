#include "textlook.h"

#include <algorithm>

namespace assetgen {

void drawStyledText(Image& img, TextRenderer& tr, const std::string& text, const TextStyle& style, float x,
                    float baseline, const TextLook& look, Align align) {
    Mask m(img.w, img.h);
    if (align == Align::Centre)
        tr.drawCentred(m, text, style, x, baseline);
    else
        tr.draw(m, text, style, x, baseline);

    Mask body = look.outline ? dilated(m, look.outlineWidth) : m;
    if (look.shadowOpacity > 0) {
        Mask sh = blurred(body, 3.0f);
        paint(img, sh, solid(rgb(0x000000)), look.shadowOpacity, look.shadowOffset, look.shadowOffset);
    }
    if (look.halo) {
        Mask h = blurred(dilated(m, 1), look.haloRadius);
        scale(h, 1.6f);
        clampMask(h);
        paint(img, h, solid(*look.halo), look.haloStrength);
    }
    if (look.outline) paint(img, body, solid(*look.outline));
    paint(img, m, look.fill);
    if (look.bevel > 0) {
        // Light catches the upper edges: the letter minus itself moved down.
        Mask edge = m;
        Mask shifted(m.w, m.h);
        addMask(shifted, m, 1.0f, 0, 2);
        subtractMask(edge, shifted);
        paint(img, blurred(edge, 1.2f), solid(rgb(0xffffff)), look.bevel);
    }
}

}  // namespace assetgen
