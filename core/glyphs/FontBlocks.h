#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "core/glyphs/GlyphSuggestion.h"

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

// The scripts a page may hold, finer than the blocks: hiragana, katakana, half-width kana,
// ASCII, full-width Latin, kanji and the other symbols.
constexpr std::size_t kScripts = 7;
[[nodiscard]] std::size_t ScriptOf(char32_t c);

// A reading this sure says which scripts the page holds.
constexpr float kSureOfScript = 0.6f;
struct PageScripts {
    std::array<int, kScripts> sure{};    // per script, the readings this sure in it
    std::array<bool, kScripts> held{};  // at least two of them, and 3 % of all
};
// The scripts of a page's readings; nothing where fewer than 8 readings are sure enough to say.
[[nodiscard]] std::optional<PageScripts> ScriptsOfThePage(
    const std::vector<GlyphSuggestion>& readings);

}  // namespace glyphwright
