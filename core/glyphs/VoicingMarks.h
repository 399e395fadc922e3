#pragma once

#include <vector>

#include "core/glyphs/GlyphImage.h"
#include "core/glyphs/GlyphSuggestion.h"

namespace glyphwright {

// Reads the voicing marks across a whole font, where one glyph alone cannot tell them: a bitmap
// font draws が as か with a mark added in the top right corner, pixel for pixel, and draws that
// mark the same on every letter. So a glyph that is another glyph of the font plus a few pixels
// there is that glyph's letter voiced, and the other is the plain form. Which of the font's marks
// is the voicing mark and which the semi-voicing ring shows in the letters outside the h-row,
// which take only the voicing mark. `readings[i]` is the matcher's reading of `glyphs[i]`; the
// best guesses of the glyphs found in such pairs are settled to agree, each letter to one pair,
// and none to a letter another glyph of the font surely reads as.
void SettleVoicingMarks(const std::vector<GlyphImage>& glyphs,
                        std::vector<GlyphSuggestion>& readings);

}  // namespace glyphwright
