#pragma once

#include <vector>

#include "core/glyphs/GlyphImage.h"
#include "core/glyphs/GlyphSuggestion.h"

namespace glyphwright {

// A font draws each character once. Where several glyphs read as one character, the readings are
// settled together: each glyph takes the character among its guesses that lets every glyph of
// the font fit best, one character a glyph, so that a ク read as ウ gives way to the glyph that is
// ウ and takes its own close second guess. A glyph stays with a character another glyph holds
// only where no alternative of its own comes close. Glyphs drawn pixel for pixel the same count
// as one. `readings[i]` is the matcher's reading of `glyphs[i]`, its guesses in order of distance.
void SettleOneEach(const std::vector<GlyphImage>& glyphs, std::vector<GlyphSuggestion>& readings);

}  // namespace glyphwright
