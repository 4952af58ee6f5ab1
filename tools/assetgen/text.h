// Text rendering with FreeType into coverage masks.
#pragma once

#include <memory>
#include <string>

#include "image.h"

namespace assetgen {

enum class FontId { Sans, SansBold, Serif, SerifBold, Mono, MonoBold };

struct TextStyle {
    FontId font = FontId::SansBold;
    int size = 32;          // pixel height of the em square
    float tracking = 0.0f;  // extra pixels between letters
};

struct TextMetrics {
    float width = 0;   // advance width of the whole line
    float ascent = 0;  // above the baseline, of the glyphs actually used
    float descent = 0; // below the baseline
};

class TextRenderer {
public:
    // Fonts are looked up in fontDir (DejaVu file names).
    explicit TextRenderer(const std::string& fontDir);
    ~TextRenderer();
    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    TextMetrics measure(const std::string& utf8, const TextStyle& style);
    // Draws one line with its pen starting at (x, baseline); coverage is max-combined.
    void draw(Mask& m, const std::string& utf8, const TextStyle& style, float x, float baseline);
    // Centres the line horizontally on cx.
    void drawCentred(Mask& m, const std::string& utf8, const TextStyle& style, float cx, float baseline);
    // Largest size (up to style.size) at which the line fits into maxWidth.
    TextStyle fit(const std::string& utf8, TextStyle style, float maxWidth);

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace assetgen
