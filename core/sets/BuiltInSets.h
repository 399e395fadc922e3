#pragma once

#include <cstddef>
#include <span>
#include <string_view>

#include "core/sets/CharacterSet.h"

namespace glyphwright {

// The classic seven lead the catalogue and keep their order: Hiragana, Katakana, Dakuten,
// Handakuten, Uppercase Alphabet, Lowercase Alphabet, 0-9.
inline constexpr std::size_t kClassicSetCount = 7;

// Every built-in set in catalogue order: the classic seven, then Hiragana (JIS order), Katakana
// (JIS order), Half-width Katakana and ASCII.
[[nodiscard]] std::span<const CharacterSet> BuiltInSets();

// The built-in set whose name equals `name` exactly (case and blanks count), or nullptr.
[[nodiscard]] const CharacterSet* FindBuiltInSet(std::string_view name);

}  // namespace glyphwright
