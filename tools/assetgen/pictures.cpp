#include "pictures.h"

#include <stb_image_write.h>

#include <algorithm>
#include <cmath>
#include <cstring>

#include "catalogue.h"
#include "textlook.h"

namespace assetgen {

namespace {

constexpr float kPi = 3.14159265f;

// House palette: deep sea blues with bioluminescent cyan and ember warmth.
const Colour kInk = rgb(0x050a18);
const Colour kDeep = rgb(0x0b1d3a);
const Colour kCyan = rgb(0x39e0ff);
const Colour kAqua = rgb(0x7dfff0);
const Colour kFoam = rgb(0xe8fbff);
const Colour kGold = rgb(0xffd25a);
const Colour kEmber = rgb(0xff7a1a);
const Colour kRose = rgb(0xff3d7f);
const Colour kViolet = rgb(0x8a5cff);

Shader radial(Colour inner, Colour outer, float cx, float cy, float r) {
    return [=](float x, float y) {
        float t = std::min(1.0f, std::hypot(x - cx, y - cy) / r);
        return mix(inner, outer, t);
    };
}

// Soft translucent glass panel with a light rim, the ground of the side panels.
void glassPanel(Image& img, float x0, float y0, float x1, float y1, float radius, Colour top, Colour bottom) {
    Mask shadow(img.w, img.h);
    roundRect(shadow, x0 + 2, y0 + 4, x1, y1, radius);
    paint(img, blurred(shadow, 4.0f), solid(rgb(0x000000)), 0.5f);
    Mask body(img.w, img.h);
    roundRect(body, x0, y0, x1 - 3, y1 - 3, radius);
    paint(img, body, vgrad({top, bottom}, y0, y1));
    Mask rim(img.w, img.h);
    roundRect(rim, x0, y0, x1 - 3, y1 - 3, radius);
    Mask inner(img.w, img.h);
    roundRect(inner, x0 + 1.5f, y0 + 1.5f, x1 - 4.5f, y1 - 4.5f, radius - 1.5f);
    subtractMask(rim, inner);
    paint(img, rim, vgrad({rgb(0xbff6ff, 0.95f), rgb(0x3a7fb0, 0.6f)}, y0, y1));
}

void sparkle(Mask& m, float cx, float cy, float r) {
    capsule(m, cx - r, cy, cx + r, cy, 0.6f);
    capsule(m, cx, cy - r, cx, cy + r, 0.6f);
    disc(m, cx, cy, 1.4f);
}

// Centre of the logo's emblem, and the emblem's extent: the halo fades out
// within this distance of the centre.
constexpr float kEmblemX = 100, kEmblemY = 86;
constexpr int kEmblemReach = 96;

// The emblem: a glowing cell with a wave through it, above the group name.
Image logo(TextRenderer& tr) {
    Image img(200, 220);
    const float cx = kEmblemX, cy = kEmblemY, r = 66;
    Mask halo(img.w, img.h);
    disc(halo, cx, cy, r + 4);
    paint(img, blurred(halo, 14.0f), solid(rgb(0x0a6aa0)), 0.7f);

    Mask body(img.w, img.h);
    disc(body, cx, cy, r);
    paint(img, body, radial(rgb(0x1a4f7a), rgb(0x061428), cx - 18, cy - 22, r * 1.5f));

    // Moon glow in the upper half.
    Mask moon(img.w, img.h);
    disc(moon, cx + 16, cy - 22, 18);
    Mask moonGlow = blurred(moon, 10.0f);
    multiplyMask(moonGlow, body);
    paint(img, moonGlow, solid(kAqua), 0.6f);
    multiplyMask(moon, body);
    paint(img, moon, radial(kFoam, rgb(0x9ff3ff), cx + 10, cy - 28, 22));

    // Three waves, clipped to the cell.
    for (int k = 0; k < 3; ++k) {
        Mask wave(img.w, img.h);
        std::vector<std::pair<float, float>> pts;
        for (float x = cx - r - 4; x <= cx + r + 4; x += 2)
            pts.emplace_back(x, cy + 16 + float(k) * 15 + 6 * std::sin((x - cx) * 0.07f + float(k) * 1.3f));
        polyline(wave, pts, 3.2f - float(k) * 0.7f);
        multiplyMask(wave, body);
        Mask wg = blurred(wave, 5.0f);
        paint(img, wg, solid(kCyan), 0.8f);
        paint(img, wave, hgrad({kCyan, kFoam, kAqua}, cx - r, cx + r));
    }
    Mask rim(img.w, img.h);
    ring(rim, cx, cy, r, 3.0f);
    paint(img, blurred(rim, 4.0f), solid(kCyan), 0.9f);
    paint(img, rim, vgrad({kFoam, kCyan, rgb(0x1c6cff)}, cy - r, cy + r));
    Mask dots(img.w, img.h);
    for (int i = 0; i < 12; ++i) {
        float a = float(i) * kPi / 6.0f;
        disc(dots, cx + (r + 9) * std::cos(a), cy + (r + 9) * std::sin(a), i % 3 == 0 ? 2.2f : 1.3f);
    }
    paint(img, dots, solid(kAqua), 0.9f);

    TextStyle st = tr.fit("NOCTILUCA", {FontId::SansBold, 30, 2.0f}, 190);
    TextLook look;
    look.fill = vgrad({kFoam, kCyan, rgb(0x2a78ff)}, 180, 206);
    look.halo = rgb(0x1aa0ff);
    look.haloRadius = 5;
    look.haloStrength = 0.6f;
    look.bevel = 0.3f;
    drawStyledText(img, tr, "NOCTILUCA", st, 100, 206, look);
    return img;
}

TextLook coolLook(float y0, float y1) {
    TextLook l;
    l.fill = vgrad({kFoam, kCyan, rgb(0x2a6cff)}, y0, y1);
    l.halo = rgb(0x1890ff);
    l.haloRadius = 7;
    l.haloStrength = 0.7f;
    l.bevel = 0.35f;
    return l;
}

TextLook warmLook(float y0, float y1) {
    TextLook l;
    l.fill = vgrad({rgb(0xfff6c8), kGold, kEmber, kRose}, y0, y1);
    l.outline = rgb(0x2a0610);
    l.outlineWidth = 2;
    l.halo = rgb(0xff5a20);
    l.haloRadius = 8;
    l.haloStrength = 0.6f;
    l.bevel = 0.4f;
    return l;
}

void ornamentLine(Image& img, float x0, float x1, float y, Colour c) {
    Mask m(img.w, img.h);
    capsule(m, x0, y, x1, y, 0.8f);
    paint(img, m, hgrad({Colour{c.r, c.g, c.b, 0}, c, Colour{c.r, c.g, c.b, 0}}, x0, x1));
    Mask d(img.w, img.h);
    disc(d, (x0 + x1) * 0.5f, y, 2.5f);
    paint(img, d, solid(c));
}

Image tx1(TextRenderer& tr) {
    Image img(320, 100);
    TextLook small;
    small.fill = solid(rgb(0x7fb8d8));
    drawStyledText(img, tr, "THE NIGHT SWIMMERS OF", {FontId::MonoBold, 13, 2.5f}, 160, 26, small);
    TextStyle big = tr.fit("NOCTILUCA", {FontId::SansBold, 50, 3.0f}, 296);
    drawStyledText(img, tr, "NOCTILUCA", big, 160, 80, coolLook(42, 80));
    return img;
}

Image tx2(TextRenderer& tr) {
    Image img(320, 100);
    TextLook l;
    l.fill = vgrad({rgb(0xffffff), rgb(0xb8c8e8)}, 34, 66);
    l.halo = rgb(0x4060ff);
    l.haloRadius = 6;
    l.haloStrength = 0.35f;
    drawStyledText(img, tr, "present", {FontId::Serif, 40, 1.0f}, 160, 62, l);
    ornamentLine(img, 14, 88, 48, rgb(0x5ab0ff));
    ornamentLine(img, 232, 306, 48, rgb(0x5ab0ff));
    return img;
}

Image tx3(TextRenderer& tr) {
    Image img(320, 100);
    Mask sweep(img.w, img.h);
    capsule(sweep, 20, 84, 300, 84, 1.5f);
    paint(img, blurred(sweep, 3.0f), hgrad({rgb(0xff3d7f, 0), kEmber, rgb(0xff3d7f, 0)}, 20, 300), 0.9f);
    TextStyle big = tr.fit("TIDEGLOW", {FontId::SerifBold, 56, 2.0f}, 300);
    drawStyledText(img, tr, "TIDEGLOW", big, 160, 74, warmLook(28, 76));
    return img;
}

Image tx4(TextRenderer& tr) {
    Image img(320, 100);
    TextLook l;
    l.fill = vgrad({rgb(0xe0ecff), rgb(0x8aa8d0)}, 20, 80);
    drawStyledText(img, tr, "a voyage through fire, noise,", {FontId::Sans, 18, 0.5f}, 160, 38, l);
    drawStyledText(img, tr, "light and lines", {FontId::Sans, 18, 0.5f}, 160, 62, l);
    TextLook c;
    c.fill = solid(kCyan);
    c.halo = rgb(0x1890ff);
    c.haloStrength = 0.5f;
    drawStyledText(img, tr, "640 × 480 · 32 bit · software only", {FontId::MonoBold, 11, 1.0f}, 160, 86, c);
    return img;
}

Image fireCaption(TextRenderer& tr, const std::string& text, bool warm) {
    Image img(600, 72);
    TextStyle st = tr.fit(text, {FontId::SansBold, 54, 2.0f}, 580);
    TextMetrics m = tr.measure(text, st);
    float base = 36 + (m.ascent - m.descent) * 0.5f;
    TextLook l;
    if (warm) {
        l = warmLook(base - m.ascent, base);
    } else {
        l.fill = vgrad({rgb(0xffffff), kAqua, kCyan, rgb(0x2050ff)}, base - m.ascent, base);
        l.outline = rgb(0x020a24);
        l.outlineWidth = 3;
        l.halo = rgb(0x20c0ff);
        l.haloRadius = 8;
        l.haloStrength = 0.7f;
        l.bevel = 0.4f;
    }
    l.shadowOpacity = 0.7f;
    drawStyledText(img, tr, text, st, 300, base, l);
    return img;
}

Image credits(TextRenderer& tr) {
    Image img(400, 780);
    glassPanel(img, 20, 6, 396, 776, 18, rgb(0x06122a, 0.72f), rgb(0x0a2a40, 0.72f));
    float cx = 207;
    drawStyledText(img, tr, "TIDEGLOW", tr.fit("TIDEGLOW", {FontId::SerifBold, 46, 2.0f}, 330), cx, 72,
                   warmLook(36, 74));
    TextLook sub;
    sub.fill = solid(rgb(0x9cc8e8));
    drawStyledText(img, tr, "the credits roll", {FontId::Serif, 16, 1.0f}, cx, 100, sub);
    ornamentLine(img, 80, 334, 122, kCyan);

    struct Entry { const char* role; const char* name; };
    const Entry entries[] = {
        {"CODE", "Vireo"}, {"EFFECTS", "Halden & Vireo"}, {"PIXELS", "Ondine"},
        {"MUSIC & SOUND", "Kestrel"}, {"LETTERS", "the DejaVu family"},
        {"LIBRARIES", "SDL · FreeType · LAME · stb"},
    };
    float y = 170;
    TextLook role;
    role.fill = solid(kCyan);
    role.halo = rgb(0x1890ff);
    role.haloStrength = 0.5f;
    for (const Entry& e : entries) {
        drawStyledText(img, tr, e.role, {FontId::MonoBold, 14, 4.0f}, cx, y, role);
        TextStyle ns = tr.fit(e.name, {FontId::SansBold, 30, 0.5f}, 330);
        TextLook name = coolLook(y + 8, y + 42);
        name.fill = vgrad({rgb(0xffffff), rgb(0xc8e8ff)}, y + 10, y + 42);
        name.shadowOpacity = 0.6f;
        name.haloStrength = 0.35f;
        drawStyledText(img, tr, e.name, ns, cx, y + 40, name);
        y += 84;
    }
    ornamentLine(img, 80, 334, y - 10, kCyan);
    drawStyledText(img, tr, "no pixels were harmed", {FontId::Serif, 17, 0.5f}, cx, y + 24, sub);
    drawStyledText(img, tr, "in the making of this demo", {FontId::Serif, 17, 0.5f}, cx, y + 46, sub);
    Mask stars(img.w, img.h);
    Rng rng(7);
    for (int i = 0; i < 28; ++i) {
        float sx = i % 2 ? rng.range(34, 70) : rng.range(344, 382);
        sparkle(stars, sx, rng.range(20, 764), rng.range(2, 5));
    }
    paint(img, stars, solid(kAqua), 0.55f);
    return img;
}

// A jellyfish of light in a glass frame.
Image jellyPanel(TextRenderer& tr) {
    Image img(280, 300);
    glassPanel(img, 0, 0, 280, 300, 20, rgb(0x041024, 0.6f), rgb(0x0a3048, 0.7f));
    const float cx = 138, cy = 120, rx = 70, ry = 58;
    // Tentacles first, so the bell lies over their roots.
    Mask tent(img.w, img.h);
    for (int k = 0; k < 9; ++k) {
        float x0 = cx - rx * 0.8f + float(k) * rx * 0.2f;
        std::vector<std::pair<float, float>> pts;
        for (float t = 0; t <= 1.0f; t += 0.02f) {
            float yy = cy + 2 + t * (120 + 14 * std::sin(float(k) * 2.1f));
            float xx = x0 + std::sin(t * 7.0f + float(k)) * 10 * t + (x0 - cx) * 0.3f * t;
            pts.emplace_back(xx, yy);
        }
        polyline(tent, pts, k % 2 ? 1.2f : 1.8f);
    }
    Mask fade(img.w, img.h);
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) fade.at(x, y) = std::clamp(1.0f - (float(y) - cy) / 150.0f, 0.0f, 1.0f);
    multiplyMask(tent, fade);
    paint(img, blurred(tent, 5.0f), solid(rgb(0xff4fd0)), 0.6f);
    paint(img, tent, vgrad({rgb(0xffc0f0), rgb(0x9a6cff)}, cy, cy + 140));

    // Bell: the top half of an ellipse with a scalloped rim.
    Mask bell(img.w, img.h);
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x) {
            float px = float(x) + 0.5f - cx, py = float(y) + 0.5f - cy;
            float rim = 6 * std::fabs(std::sin(px * 0.14f));
            float d = (std::hypot(px / rx, py / ry) - 1.0f) * std::min(rx, ry);
            float bottom = py - rim;
            bell.at(x, y) = std::clamp(0.5f - std::max(d, bottom), 0.0f, 1.0f);
        }
    paint(img, blurred(bell, 14.0f), solid(rgb(0x2ad8ff)), 0.8f);
    paint(img, bell, radial(rgb(0xe0fdff, 0.95f), rgb(0x2a80ff, 0.55f), cx - 10, cy - 40, 90));
    Mask veins(img.w, img.h);
    for (int k = -3; k <= 3; ++k)
        arc(veins, cx + float(k) * 12, cy + 40, 80, 1.2f, -kPi * 0.5f - 0.5f, -kPi * 0.5f + 0.5f);
    multiplyMask(veins, bell);
    paint(img, veins, solid(rgb(0xffffff)), 0.35f);

    Mask bubbles(img.w, img.h);
    Rng rng(11);
    for (int i = 0; i < 16; ++i) ring(bubbles, rng.range(20, 260), rng.range(14, 250), rng.range(2, 6), 1.0f);
    paint(img, bubbles, solid(kAqua), 0.6f);

    TextLook cap;
    cap.fill = solid(rgb(0x9ad8f0));
    drawStyledText(img, tr, "noctiluca scintillans", {FontId::Serif, 15, 0.5f}, 139, 282, cap);
    return img;
}

Image glowPanel(TextRenderer& tr) {
    Image img(280, 200);
    glassPanel(img, 0, 0, 280, 200, 20, rgb(0x2a0a2a, 0.7f), rgb(0x0a1838, 0.75f));
    TextLook h = warmLook(20, 54);
    drawStyledText(img, tr, "GLOW", {FontId::SansBold, 38, 6.0f}, 139, 56, h);
    TextLook body;
    body.fill = vgrad({rgb(0xffffff), rgb(0xc0d8ff)}, 70, 180);
    body.shadowOpacity = 0.5f;
    body.shadowOffset = 2;
    const char* lines[] = {"the sea lights up", "wherever something", "moves through it"};
    for (int i = 0; i < 3; ++i) drawStyledText(img, tr, lines[i], {FontId::Serif, 20, 0.3f}, 139, 100 + 30 * float(i), body);
    ornamentLine(img, 60, 218, 180, kRose);
    return img;
}

void smiley(Image& img, float cx, float cy, float r) {
    Mask face(img.w, img.h);
    disc(face, cx, cy, r);
    paint(img, blurred(face, 6.0f), solid(kGold), 0.6f);
    paint(img, face, radial(rgb(0xfff4a0), rgb(0xffa020), cx - r * 0.4f, cy - r * 0.4f, r * 1.6f));
    Mask ink(img.w, img.h);
    disc(ink, cx - r * 0.35f, cy - r * 0.25f, r * 0.12f);
    disc(ink, cx + r * 0.35f, cy - r * 0.25f, r * 0.12f);
    arc(ink, cx, cy, r * 0.58f, r * 0.11f, 0.35f, kPi - 0.35f);
    paint(img, ink, solid(rgb(0x3a1800)));
    Mask shine(img.w, img.h);
    disc(shine, cx - r * 0.45f, cy - r * 0.5f, r * 0.16f);
    paint(img, blurred(shine, 2.0f), solid(rgb(0xffffff)), 0.8f);
}

Image smileBanner(TextRenderer& tr) {
    Image img(960, 64);
    Mask band(img.w, img.h);
    roundRect(band, 2, 6, 958, 62, 28);
    paint(img, band, hgrad({rgb(0x1a0630, 0.7f), rgb(0x06203a, 0.7f), rgb(0x1a0630, 0.7f)}, 0, 960));
    const char* words[] = {"keep smiling", "keep coding", "keep glowing"};
    const TextStyle st{FontId::SansBold, 30, 1.0f};
    const float face = 44, margin = 14;
    // Smileys and words alternate with equal gaps along the whole band.
    float used = 4 * face;
    for (const char* w : words) used += tr.measure(w, st).width;
    const float gap = (960 - 2 * margin - used) / 6.0f;
    float x = margin;
    for (int i = 0; i < 4; ++i) {
        smiley(img, x + face * 0.5f, 34, face * 0.5f);
        x += face + gap;
        if (i == 3) break;
        TextLook l = i == 1 ? warmLook(16, 46) : coolLook(16, 48);
        l.outline = rgb(0x050a20);
        l.outlineWidth = 2;
        drawStyledText(img, tr, words[i], st, x, 45, l, Align::Left);
        x += tr.measure(words[i], st).width + gap;
    }
    return img;
}

Image scrollRow(TextRenderer& tr, int w, const std::string& text, Shader fill, Colour haloColour) {
    Image img(w, 48);
    TextStyle st = tr.fit(text, {FontId::SansBold, 30, 0.5f}, float(w) - 12);
    TextLook l;
    l.fill = std::move(fill);
    l.outline = rgb(0x08040f);
    l.outlineWidth = 2;
    l.halo = haloColour;
    l.haloRadius = 6;
    l.haloStrength = 0.6f;
    l.bevel = 0.35f;
    drawStyledText(img, tr, text, st, 6, 34, l, Align::Left);
    return img;
}

Image endTitle(TextRenderer& tr) {
    Image img(520, 80);
    TextStyle st = tr.fit("THANKS FOR WATCHING", {FontId::SansBold, 46, 2.0f}, 500);
    TextLook l = warmLook(20, 58);
    l.fill = vgrad({rgb(0xffffff), rgb(0xffe9a8), kGold, kEmber}, 22, 58);
    l.shadowOpacity = 0.6f;
    drawStyledText(img, tr, "THANKS FOR WATCHING", st, 260, 56, l);
    return img;
}

Image endSignature(TextRenderer& tr) {
    Image img(400, 40);
    TextLook l = coolLook(8, 30);
    l.fill = vgrad({rgb(0xffffff), kAqua, kCyan}, 10, 28);
    l.outline = rgb(0x04102a);
    l.outlineWidth = 2;
    l.haloStrength = 0.8f;
    drawStyledText(img, tr, "noctiluca · tideglow · fin", {FontId::MonoBold, 20, 1.0f}, 200, 27, l);
    return img;
}

// Hot white core fading through amber to a rose rim; alpha falls off softly.
Image flare() {
    Image img(32, 32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x) {
            float d = std::hypot(float(x) + 0.5f - 16, float(y) + 0.5f - 16) / 16.0f;
            float a = std::clamp(std::exp(-d * d * 4.5f) * 1.05f - 0.03f, 0.0f, 1.0f);
            Colour c = d < 0.25f ? mix(rgb(0xffffff), rgb(0xffe08a), d / 0.25f)
                                 : mix(rgb(0xffe08a), rgb(0xff4a6a), std::min(1.0f, (d - 0.25f) / 0.6f));
            float* p = img.at(x, y);
            p[0] = c.r * a;
            p[1] = c.g * a;
            p[2] = c.b * a;
            p[3] = a;
        }
    return img;
}

}  // namespace

std::vector<Picture> makePictures(TextRenderer& text) {
    std::vector<Picture> out;
    auto add = [&](const char* file, Image img) { out.push_back({file, std::move(img)}); };
    add(kPictures[0].file, logo(text));
    add(kPictures[1].file, tx1(text));
    add(kPictures[2].file, tx2(text));
    add(kPictures[3].file, tx3(text));
    add(kPictures[4].file, tx4(text));
    add(kPictures[5].file, fireCaption(text, "FEEL THE HEAT", true));
    add(kPictures[6].file, fireCaption(text, "EMBERS NEVER SLEEP", false));
    add(kPictures[7].file, credits(text));
    add(kPictures[8].file, jellyPanel(text));
    add(kPictures[9].file, glowPanel(text));
    add(kPictures[10].file, flare());
    add(kPictures[11].file, scrollRow(text, 520, "greetings to every night owl", hgrad({kFoam, kAqua, kCyan}, 0, 520),
                              rgb(0x1890ff)));
    add(kPictures[12].file, endTitle(text));
    add(kPictures[13].file, endSignature(text));
    add(kPictures[14].file, smileBanner(text));
    add(kPictures[15].file, scrollRow(text, 560, "and every pixel pusher out there",
                                 hgrad({rgb(0xfff0b0), kGold, kRose, kViolet}, 0, 560), rgb(0xff4060)));
    return out;
}

Image windowIcon(const Image& logo) {
    // The square round the emblem, factor x factor canvas pixels to each
    // icon pixel; premultiplied colour averages without dark fringes.
    const int factor = 2 * kEmblemReach / kIcon.width;
    const int left = int(kEmblemX) - kEmblemReach, top = int(kEmblemY) - kEmblemReach;
    Image icon(kIcon.width, kIcon.height);
    for (int y = 0; y < icon.h; ++y)
        for (int x = 0; x < icon.w; ++x) {
            float* d = icon.at(x, y);
            for (int sy = 0; sy < factor; ++sy)
                for (int sx = 0; sx < factor; ++sx) {
                    const int lx = left + x * factor + sx, ly = top + y * factor + sy;
                    if (lx < 0 || ly < 0 || lx >= logo.w || ly >= logo.h) continue;  // clear beyond the logo
                    const float* s = logo.at(lx, ly);
                    for (int c = 0; c < 4; ++c) d[c] += s[c] / float(factor * factor);
                }
        }
    return icon;
}

bool writePicture(const std::string& path, const Image& img) {
    auto hasExtension = [&](const char* ext) {
        return path.size() > 4 && path.compare(path.size() - 4, 4, ext) == 0;
    };
    if (hasExtension(".jpg")) {
        std::vector<uint8_t> rgb = img.toRGB8OverBlack();
        return stbi_write_jpg(path.c_str(), img.w, img.h, 3, rgb.data(), 92) != 0;
    }
    if (hasExtension(".png")) {
        std::vector<uint8_t> rgba = img.toRGBA8();
        return stbi_write_png(path.c_str(), img.w, img.h, 4, rgba.data(), img.w * 4) != 0;
    }
    // Uncompressed: every Targa reader copes with it.
    stbi_write_tga_with_rle = 0;
    std::vector<uint8_t> rgba = img.toRGBA8();
    return stbi_write_tga(path.c_str(), img.w, img.h, 4, rgba.data()) != 0;
}

bool writeSheet(const std::string& path, const std::vector<Picture>& pics, TextRenderer& text) {
    // Tall pictures get a column of their own on the right; the rest are packed
    // on shelves, each picture over a checkerboard with its name above it.
    const int pad = 16, label = 22, shelfWidth = 980;
    std::vector<std::pair<int, int>> pos(pics.size());
    int shelfX = pad, shelfY = pad, shelfH = 0, rightY = pad, rightW = 0;
    for (size_t i = 0; i < pics.size(); ++i) {
        const Image& p = pics[i].image;
        if (p.h > 400) {
            pos[i] = {-1, rightY};
            rightY += p.h + label + pad;
            rightW = std::max(rightW, p.w);
            continue;
        }
        if (shelfX + p.w > shelfWidth + pad) {
            shelfY += shelfH + label + pad;
            shelfX = pad;
            shelfH = 0;
        }
        pos[i] = {shelfX, shelfY};
        // Leave room for the label of a narrow picture.
        shelfX += std::max(p.w, 200) + pad;
        shelfH = std::max(shelfH, p.h);
    }
    const int W = pad + shelfWidth + pad + rightW + pad;
    const int H = std::max(shelfY + shelfH + label + pad, rightY);
    for (auto& pp : pos)
        if (pp.first < 0) pp.first = pad + shelfWidth + pad;

    Image sheet(W, H);
    fill(sheet, solid(rgb(0x2a2d33)));
    TextLook lab;
    lab.fill = solid(rgb(0xd8dde6));
    for (size_t i = 0; i < pics.size(); ++i) {
        const Image& p = pics[i].image;
        int ox = pos[i].first, oy = pos[i].second + label;
        drawStyledText(sheet, text, pics[i].file + "  " + std::to_string(p.w) + "×" + std::to_string(p.h),
                       {FontId::Mono, 13, 0}, float(ox), float(oy - 6), lab, Align::Left);
        // JPEGs are shown as written, on black; alpha pictures over a checkerboard.
        const bool onBlack = pics[i].file.size() > 4 && pics[i].file.compare(pics[i].file.size() - 4, 4, ".jpg") == 0;
        for (int y = 0; y < p.h; ++y)
            for (int x = 0; x < p.w; ++x) {
                bool dark = ((x / 8) + (y / 8)) % 2 == 0;
                float bg = onBlack ? 0.0f : (dark ? 0.35f : 0.5f);
                const float* s = p.at(x, y);
                float* d = sheet.at(ox + x, oy + y);
                for (int c = 0; c < 3; ++c) d[c] = s[c] + bg * (1 - s[3]);
                d[3] = 1;
            }
    }
    std::vector<uint8_t> rgba = sheet.toRGBA8();
    return stbi_write_png(path.c_str(), W, H, 4, rgba.data(), W * 4) != 0;
}

}  // namespace assetgen
