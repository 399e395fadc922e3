#pragma once

#include <string_view>
#include <vector>

namespace glyphwright {

// The groups of characters a font can be read against. The user picks any of them; the matcher
// compares a glyph with every character of the groups picked.
enum class Repertoire {
    Kana,         // hiragana and katakana, small, voiced and half-width included
    Ascii,        // the printable ASCII characters
    FullWidth,    // full-width Latin, digits and punctuation (JIS X 0208 row 1 and U+FF01..FF5E)
    Level1Kanji,  // JIS X 0208 rows 16 to 47
    Level2Kanji,  // JIS X 0208 rows 48 to 84
};

// The characters of one repertoire, in code order. The kanji and the row-1 punctuation come from
// the system's EUC-JP converter, so they are exactly JIS X 0208's.
[[nodiscard]] std::vector<char32_t> RepertoireCharacters(Repertoire repertoire);

// The characters of several repertoires, each once, in the order given.
[[nodiscard]] std::vector<char32_t> RepertoireCharacters(
    const std::vector<Repertoire>& repertoires);

// Every character JIS X 0208 places in rows first..last, in code order, read through EUC-JP (row
// r, cell c is the byte pair 0xA0+r, 0xA0+c); the empty cells are the ones the converter refuses.
[[nodiscard]] std::vector<char32_t> JisRows(int first, int last);

// The name the command line and the report use: "kana", "ascii", "fullwidth", "kanji1", "kanji2".
[[nodiscard]] std::string_view RepertoireName(Repertoire repertoire);

}  // namespace glyphwright
