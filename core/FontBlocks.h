#pragma once

#include <vector>

#include "GlyphSuggestion.h"

namespace glyphwright {

// A font keeps its ASCII, its half-width kana and its full-width characters each together, in
// code order. Where most of a glyph's sure neighbours (four on each side) read as one of these
// blocks and the glyph as another, an alternative of the neighbours' block that came close takes
// the best guess's place, however sure the reading: an A read as the half-width ﾊ among ASCII, a
// comma read as the full-width ， among ASCII. Likewise the kana scripts: a near-tie of hiragana
// takes the place of a katakana best guess among hiragana (へ over ヘ). And across the whole
// page: a glyph read in a script none of the page's sure readings are in takes a close
// alternative of a script they are in (ょ read as ∂ on a page of kana). `readings` are a font's
// glyphs in order.
void SettleFontBlocks(std::vector<GlyphSuggestion>& readings);

}  // namespace glyphwright
