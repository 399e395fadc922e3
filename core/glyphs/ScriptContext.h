#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/glyphs/GlyphSuggestion.h"
#include "core/table/ByteCode.h"

namespace glyphwright {

// The readings of a one-byte font by code: the glyph each code stands for, null where the font
// has none (end codes, line breaks and other control codes of the script).
using ReadingsByCode = std::array<GlyphSuggestion*, 256>;

// Reads the game's text through the glyphs the pixels are sure of, and decides the unsure ones by
// what the text around them needs: speech opens with 「 and closes with 」, 。 ！ ？ end a
// sentence (before an end code), 、 stands inside one, small kana follow a kana of their own
// script, digits come in runs. The ways kinds of characters follow each other are learnt from
// the sure part of the text itself, starting from those rules. An unsure glyph takes the guess
// of its own (among those the matcher ranked) that makes its uses read best, weighed with how
// close its shape came; a character another glyph is sure of is not taken twice. A sure glyph
// is never changed. Each decided glyph says Evidence::Script and, in `why`, a few characters of
// the text around one of its uses as it now reads. Where `known` holds one character for a code
// (the table the user has made), the text reads that there, however the glyph reads.
void DecideByScript(const ReadingsByCode& readings, std::span<const std::uint8_t> text,
                    const CodeTable* known = nullptr);

// The same for the readings of codes `firstCode` on, in order.
void DecideByScript(std::vector<GlyphSuggestion>& readings, unsigned firstCode,
                    std::span<const std::uint8_t> text);

}  // namespace glyphwright
