#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <span>

#include "core/glyphs/GlyphFormat.h"
#include "core/glyphs/GlyphImage.h"

// How glyph-like one cell is, and what a run of cells shows as a whole: the finder's measures,
// apart from its search.
namespace glyphwright::fontfind {

inline constexpr double kGoodCell = 0.3;        // a cell at least this glyph-like counts
inline constexpr int kMinGlyphs = 16;           // a font has at least this many inked glyphs
inline constexpr int kBadCellsTolerated = 4;    // in a row, inside a font (punctuation)
inline constexpr int kBlankCellsTolerated = 8;  // in a row, inside a font

// One cell as the finder sees it.
struct Cell {
    double score = 0;  // 0 for a blank cell
    bool blank = true;
    std::array<bool, 4> clearEdge{};  // top, bottom, left, right without ink
    // A blank row with ink above and below, or a blank column where two 8-pixel tiles meet
    // with ink on both sides: more than one glyph in the cell, read at too large a size.
    bool split = false;
    // Every row the same as the one below it, in pairs: two planes of one row read as two rows.
    bool doubled = false;
    // Nearly all ink: padding of FFh or a filled box, never a glyph. A font ends there.
    bool solid = false;
    int left = 0, top = 0, right = 0, bottom = 0;  // the ink's box, right and bottom inclusive
};

// What a run of cells shows as a whole.
class RunStats {
public:
    void Add(const Cell& cell, int width, int height) {
        width_ = width;
        height_ = height;
        if (cell.blank) {
            ++blank_;
            return;
        }
        ++inked_;
        sum_ += cell.score;
        if (cell.score >= kGoodCell) ++good_;
        for (std::size_t e = 0; e < 4; ++e) clear_[e] += cell.clearEdge[e] ? 1 : 0;
        split_ += cell.split ? 1 : 0;
        doubled_ += cell.doubled ? 1 : 0;
        left_ = std::min(left_, cell.left);
        top_ = std::min(top_, cell.top);
        right_ = std::max(right_, cell.right);
        bottom_ = std::max(bottom_, cell.bottom);
    }
    [[nodiscard]] int Inked() const { return inked_; }
    [[nodiscard]] int Good() const { return good_; }
    [[nodiscard]] int Blank() const { return blank_; }

    // The mean cell; the share of the cells that keep one edge clear (a font's cells share a
    // margin, noise keeps none); few cells holding more than one glyph or doubled rows; the
    // ink of all cells together filling the cell (a smaller size would hold it otherwise).
    // What a run read at another phase than its own still shows: the cells themselves. Where the
    // glyphs split between cells and their margins fall is only known once the phase is.
    [[nodiscard]] double CellQuality() const {
        if (inked_ == 0) return 0;
        return sum_ / inked_ * (0.5 + 0.5 * good_ / static_cast<double>(inked_));
    }

    [[nodiscard]] double Quality() const {
        if (inked_ == 0) return 0;
        const double n = inked_;
        const double mean = sum_ / n;
        const double margin = *std::max_element(clear_.begin(), clear_.end()) / n;
        const double splitShare = split_ / n;
        const double splitScore = splitShare <= 0.3 ? 1 : std::max(0.25, 1 - (splitShare - 0.3) * 1.5);
        const double doubledShare = doubled_ / n;
        const double doubledScore = doubledShare <= 0.2 ? 1 : std::max(0.25, 1 - (doubledShare - 0.2) * 1.5);
        const double filled = static_cast<double>((right_ - left_ + 1) * (bottom_ - top_ + 1)) /
                              (width_ * height_);
        const double fillScore = filled >= 0.75 ? 1 : 0.5 + 0.5 * filled / 0.75;
        const double goodShare = good_ / n;
        return mean * (0.5 + 0.5 * margin) * splitScore * doubledScore * fillScore *
               (0.5 + 0.5 * goodShare);
    }

private:
    int width_ = 1, height_ = 1;
    int inked_ = 0, good_ = 0, blank_ = 0, split_ = 0, doubled_ = 0;
    double sum_ = 0;
    std::array<int, 4> clear_{};
    int left_ = 1000, top_ = 1000, right_ = -1, bottom_ = -1;
};


// The cell's measures from its decoded pixels.
[[nodiscard]] Cell Look(const GlyphImage& image);

// Whether a padded bitmap's cell keeps the bits past each row's last pixel clear, as a font
// drawn in that format does; bytes of another format read as one set them as often as not.
// Always true of the other formats. Inline: the look asks it of every cell.
[[nodiscard]] inline bool PaddingClear(std::span<const std::uint8_t> cellBytes,
                                       const GlyphFormat& format) {
    if (format.Tiles() != TileFormat::Bitmap || format.Width() % 8 == 0) return true;
    const std::size_t rowBytes = static_cast<std::size_t>(format.Width() + 7) / 8;
    const auto padding = static_cast<std::uint8_t>(
        (1u << (8 * rowBytes - static_cast<std::size_t>(format.Width()))) - 1);
    for (std::size_t last = rowBytes - 1; last < cellBytes.size(); last += rowBytes) {
        if ((cellBytes[last] & padding) != 0) return false;
    }
    return true;
}

}  // namespace glyphwright::fontfind
