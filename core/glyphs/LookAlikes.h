#pragma once

#include <vector>

#include "core/glyphs/GlyphSuggestion.h"

namespace glyphwright {

// Whether two different characters are drawn alike in Japanese fonts, so that only their context
// tells them apart: へ/ヘ, ロ/口, カ/力, エ/工, ニ/二, ー/一, タ/夕, ト/卜, 0/O/〇 and the like.
// Width twins count too: a comma and the full-width comma, ｶ and カ.
[[nodiscard]] bool LookAlike(char32_t a, char32_t b);
// Every character LookAlike with `c`.
[[nodiscard]] std::vector<char32_t> LookAlikesOf(char32_t c);

// The same character in the other width, where Unicode has both: ASCII and full-width Latin
// (A and Ａ), half-width and full-width katakana with their marks (ｶ and カ, ﾞ and ゛). 0 where
// there is none. A font draws the two in one shape at two widths, so only where the glyph
// stands tells them apart.
[[nodiscard]] char32_t WidthTwin(char32_t c);

// Whether `c`'s width twin stands before it among `ranked`: the two are one shape, so taking the
// farther twin is no way out where the closer one is not to be had.
[[nodiscard]] bool TwinOfACloserGuess(const std::vector<Guess>& ranked, char32_t c);

}  // namespace glyphwright
