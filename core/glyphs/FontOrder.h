#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

#include "core/glyphs/GlyphSuggestion.h"

namespace glyphwright {

// The orders fonts keep their characters in, over the characters a font is read against: JIS X
// 0208's rows and cells (as EUC-JP and Shift-JIS number them: punctuation, full-width digits and
// Latin, hiragana, katakana, kanji by reading), the same as a game font lays it without the rows
// of symbols, Greek, Cyrillic and lines (rows 2 and 6 to 8), and Unicode's (ASCII, the half-width
// kana, the full-width forms). A character missing from the candidates is no step in either: the
// next candidate follows the one before it.
class FontOrder {
public:
    static constexpr std::size_t kOrders = 3;
    static constexpr int kNowhere = -1;

    explicit FontOrder(const std::vector<char32_t>& candidates);

    // The candidate `steps` places after `c` in `order` (before it where negative); 0 where
    // there is none.
    [[nodiscard]] char32_t Step(std::size_t order, char32_t c, int steps) const;

    // The places of `c` in each order, kNowhere where it has none.
    using Places = std::array<int, kOrders>;
    [[nodiscard]] Places PlacesOf(char32_t c) const;

    // How many places `b` stands after `a` in the order where it follows most closely; 0 where
    // it follows in none.
    [[nodiscard]] static int Gap(const Places& a, const Places& b);

private:
    std::array<std::vector<char32_t>, kOrders> sequence_;
    std::array<std::unordered_map<char32_t, int>, kOrders> place_;
};

// How far a candidate's drawing lies from glyph `glyph`'s pixels, as the matcher measures its
// guesses; infinity where the candidate cannot be drawn.
using MeasureCandidate = std::function<float(std::size_t glyph, char32_t candidate)>;

// Reads the font as a sequence: each glyph's guesses, and the characters that would continue the
// runs of its neighbours' guesses in the font's orders, are weighed by how close they came to the
// glyph's pixels and how well they continue the runs around it, and the best path through the
// whole font is taken. A glyph whose pixels clearly say otherwise keeps its reading, and the run
// breaks there. A glyph that changes says so: `decidedBy` is Order and `why` names the run.
// `readings` are a font's glyphs in order; a glyph without ink breaks the runs.
void SettleFontOrder(const FontOrder& order, std::vector<GlyphSuggestion>& readings,
                     const MeasureCandidate& measure);

}  // namespace glyphwright
