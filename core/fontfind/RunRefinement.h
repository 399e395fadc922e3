#pragma once

#include <cstdint>
#include <span>

#include "core/glyphs/GlyphFormat.h"

// The finder's second step: where its look saw a run of glyph-like cells (one cell in a few, at
// whatever phase the look happened to read), the font there settled exactly: its phase and tile
// order, its first glyph and how many follow, and how much the whole run reads as a font. Apart
// from the look, which only says where to settle.
namespace glyphwright::fontfind {

// A run of glyphs as settled.
struct RefinedRun {
    // The format asked for, in the tile order that reads best (tiled glyphs larger than a tile
    // are read across and down).
    GlyphFormat format;
    std::uint64_t first = 0;  // the first glyph's offset in the bytes given
    std::uint64_t count = 0;  // glyphs from `first` on
    // 0 to 1, how much the run reads as a font: glyph-like cells sharing a margin, glyphs that
    // differ from each other, no two planes of one glyph read as two, padding bits clear. Not
    // above 0: no font there (no phase shows any ink, or no run of glyphs is long enough).
    double score = 0;
};

// Settles the run the look saw in `bytes` from `firstGood` (its first good cell) to
// `detectedEnd` (past its last). `base` is where `bytes` lie in the file: between phases that
// read near equally well, the one on a whole word of the file wins. Every phase of one glyph
// from the run's most glyph-like stretch is tried; the run then reaches back and on cell by cell
// as long as the cells read as a font's (a few poor or blank cells inside it are borne), and its
// start is trimmed to the one after a gap that scores best. Reads nothing outside `bytes` and
// holds little beside it: the stretch is looked for in the first 4096 cells, and a long run is
// scored on a sample of its cells.
[[nodiscard]] RefinedRun RefineRun(std::span<const std::uint8_t> bytes, std::uint64_t base,
                                   const GlyphFormat& format, std::uint64_t firstGood,
                                   std::uint64_t detectedEnd);

// The font that starts `bytes` (what a stream unpacks to, read from its start): the tile order
// that reads best, and as many glyphs as read as a font's from the first on.
[[nodiscard]] RefinedRun RefineFromStart(std::span<const std::uint8_t> bytes,
                                         const GlyphFormat& format);

}  // namespace glyphwright::fontfind
