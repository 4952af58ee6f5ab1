#include "text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <cmath>
#include <map>
#include <stdexcept>
#include <vector>

namespace assetgen {

namespace {

std::vector<uint32_t> decodeUtf8(const std::string& s) {
    std::vector<uint32_t> out;
    for (size_t i = 0; i < s.size();) {
        unsigned char c = static_cast<unsigned char>(s[i]);
        uint32_t cp;
        int extra;
        if (c < 0x80) { cp = c; extra = 0; }
        else if ((c >> 5) == 6) { cp = c & 0x1f; extra = 1; }
        else if ((c >> 4) == 14) { cp = c & 0x0f; extra = 2; }
        else { cp = c & 0x07; extra = 3; }
        ++i;
        for (int k = 0; k < extra && i < s.size(); ++k, ++i) cp = (cp << 6) | (static_cast<unsigned char>(s[i]) & 0x3f);
        out.push_back(cp);
    }
    return out;
}

const char* fileFor(FontId id) {
    switch (id) {
        case FontId::Sans: return "DejaVuSans.ttf";
        case FontId::SansBold: return "DejaVuSans-Bold.ttf";
        case FontId::Serif: return "DejaVuSerif.ttf";
        case FontId::SerifBold: return "DejaVuSerif-Bold.ttf";
        case FontId::Mono: return "DejaVuSansMono.ttf";
        case FontId::MonoBold: return "DejaVuSansMono-Bold.ttf";
    }
    return "DejaVuSans.ttf";
}

}  // namespace

struct TextRenderer::Impl {
    FT_Library lib = nullptr;
    std::string dir;
    std::map<FontId, FT_Face> faces;

    FT_Face face(FontId id, int size) {
        auto it = faces.find(id);
        FT_Face f;
        if (it == faces.end()) {
            std::string path = dir + "/" + fileFor(id);
            if (FT_New_Face(lib, path.c_str(), 0, &f)) throw std::runtime_error("cannot open font " + path);
            faces[id] = f;
        } else {
            f = it->second;
        }
        FT_Set_Pixel_Sizes(f, 0, FT_UInt(size));
        return f;
    }

    // Walks the glyphs of a line, calling fn(bitmap, left, top) with pen-relative positions.
    template <typename Fn>
    float layout(const std::string& text, const TextStyle& st, Fn fn) {
        FT_Face f = face(st.font, st.size);
        float pen = 0;
        FT_UInt prev = 0;
        for (uint32_t cp : decodeUtf8(text)) {
            FT_UInt gi = FT_Get_Char_Index(f, cp);
            if (prev && gi && FT_HAS_KERNING(f)) {
                FT_Vector k;
                FT_Get_Kerning(f, prev, gi, FT_KERNING_DEFAULT, &k);
                pen += float(k.x) / 64.0f;
            }
            if (FT_Load_Glyph(f, gi, FT_LOAD_RENDER | FT_LOAD_TARGET_NORMAL)) continue;
            FT_GlyphSlot g = f->glyph;
            fn(g->bitmap, pen + float(g->bitmap_left), float(g->bitmap_top));
            pen += float(g->advance.x) / 64.0f + st.tracking;
            prev = gi;
        }
        return pen - st.tracking;
    }
};

TextRenderer::TextRenderer(const std::string& fontDir) : impl_(new Impl) {
    impl_->dir = fontDir;
    if (FT_Init_FreeType(&impl_->lib)) throw std::runtime_error("cannot start FreeType");
}

TextRenderer::~TextRenderer() {
    for (auto& [id, f] : impl_->faces) FT_Done_Face(f);
    FT_Done_FreeType(impl_->lib);
}

TextMetrics TextRenderer::measure(const std::string& utf8, const TextStyle& style) {
    TextMetrics m;
    m.width = impl_->layout(utf8, style, [&](const FT_Bitmap& bm, float, float top) {
        m.ascent = std::max(m.ascent, top);
        m.descent = std::max(m.descent, float(bm.rows) - top);
    });
    return m;
}

void TextRenderer::draw(Mask& m, const std::string& utf8, const TextStyle& style, float x, float baseline) {
    // Whole-pixel placement keeps FreeType's hinted anti-aliasing crisp.
    int ox = int(std::lround(x)), oy = int(std::lround(baseline));
    impl_->layout(utf8, style, [&](const FT_Bitmap& bm, float left, float top) {
        int gx = ox + int(std::lround(left)), gy = oy - int(top);
        for (unsigned r = 0; r < bm.rows; ++r)
            for (unsigned c = 0; c < bm.width; ++c) {
                int px = gx + int(c), py = gy + int(r);
                if (px < 0 || py < 0 || px >= m.w || py >= m.h) continue;
                float v = float(bm.buffer[int(r) * bm.pitch + int(c)]) / 255.0f;
                m.at(px, py) = std::max(m.at(px, py), v);
            }
    });
}

void TextRenderer::drawCentred(Mask& m, const std::string& utf8, const TextStyle& style, float cx, float baseline) {
    draw(m, utf8, style, cx - measure(utf8, style).width * 0.5f, baseline);
}

TextStyle TextRenderer::fit(const std::string& utf8, TextStyle style, float maxWidth) {
    while (style.size > 6 && measure(utf8, style).width > maxWidth) --style.size;
    return style;
}

}  // namespace assetgen
