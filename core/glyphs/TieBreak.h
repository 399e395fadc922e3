#pragma once

#include <cstddef>
#include <string_view>

#include "core/glyphs/GlyphSuggestion.h"

namespace glyphwright {

// The kana script a glyph's neighbours in the game's text are written in.
enum class KanaScript { Unknown, Hiragana, Katakana };

// The kana script `c` is a letter of (small and half-width kana included); Unknown for anything
// else, the long-vowel mark included, which both scripts use.
[[nodiscard]] KanaScript KanaScriptOf(char32_t c);

// The script around position `at` of a decoded game string: the nearest kana within four
// characters on either side (the long-vowel mark, which both scripts use, says nothing). Unknown
// when the sides disagree or there is no kana near.
[[nodiscard]] KanaScript ScriptAround(std::u32string_view text, std::size_t at);

// Where context says the glyph stands among katakana (or hiragana) and a near-tie of that script
// ranked close to a best guess of another, that near-tie becomes the best guess: カ over 力, ヘ
// over へ. A clear best guess stays.
void BreakTie(GlyphSuggestion& suggestion, KanaScript context);

}  // namespace glyphwright
