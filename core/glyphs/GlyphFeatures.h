#pragma once

#include <array>
#include <cstddef>

#include "core/glyphs/GlyphImage.h"

namespace glyphwright {

// What the matcher compares of a glyph, in one vector so that a comparison is a single squared
// distance. The shape is read from the ink's own box, enlarged to a fixed canvas: stroke
// directions on a coarse grid (these survive a different stroke width, weight or style) and the
// blurred ink. The box's size and height in the cell are kept beside it, weighted, so that a small
// kana does not read as its large form and a glyph set low does not read as one set high.
struct GlyphFeatures {
    static constexpr int kGrid = 8;        // cells across and down
    static constexpr int kDirections = 4;  // stroke directions: -, /, |, \ .
    static constexpr std::size_t kDirectionSize =
        static_cast<std::size_t>(kGrid * kGrid * kDirections);
    static constexpr std::size_t kInkSize = static_cast<std::size_t>(kGrid * kGrid);
    static constexpr std::size_t kPlaceSize = 5;  // width, height, top, bottom, centre
    static constexpr std::size_t kSize = kDirectionSize + kInkSize + kPlaceSize;

    // The same at twice the grid's resolution, to tell apart the few candidates that come
    // closest: a voicing mark from a semi-voiced one, a stroke that goes through or stops.
    static constexpr int kFineGrid = 16;
    static constexpr std::size_t kFineDirectionSize =
        static_cast<std::size_t>(kFineGrid * kFineGrid * kDirections);
    static constexpr std::size_t kFineSize =
        kFineDirectionSize + static_cast<std::size_t>(kFineGrid * kFineGrid);

    std::array<float, kSize> values{};
    std::array<float, kFineSize> fine{};
    bool blank = true;  // no ink at all
};

// The box around a glyph's ink, in its pixels: the pixels at kInkLevel or above, edge greys
// left out. Empty (right < left) for a glyph without ink.
struct InkBox {
    static constexpr int kInkLevel = 64;
    int left = 0;
    int top = 0;
    int right = -1;
    int bottom = -1;

    [[nodiscard]] bool Empty() const { return right < left; }
    [[nodiscard]] int Width() const { return Empty() ? 0 : right - left + 1; }
    [[nodiscard]] int Height() const { return Empty() ? 0 : bottom - top + 1; }
};
[[nodiscard]] InkBox InkBoxOf(const GlyphImage& glyph);

// `dotSize` is how many pixels of the image make one pixel of the game's glyph: a reference drawn
// four times as large is read with dotSize 4, so it comes out as soft as the game's glyph does.
[[nodiscard]] GlyphFeatures ExtractFeatures(const GlyphImage& glyph, float dotSize = 1);

}  // namespace glyphwright
