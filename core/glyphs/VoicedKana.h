#pragma once

#include <vector>

namespace glyphwright {

// The forms of a kana that differ only by a voicing mark in the top right corner: the plain
// form first, then the voiced and, for the h-row, the semi-voiced one (は, ば, ぱ). Empty for a
// character that has no such forms.
[[nodiscard]] std::vector<char32_t> VoicingForms(char32_t c);

}  // namespace glyphwright
