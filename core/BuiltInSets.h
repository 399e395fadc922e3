#pragma once

#include <span>
#include <string_view>

#include "CharacterSet.h"

namespace glyphwright {

// The seven sets in catalogue order: Hiragana, Katakana, Dakuten, Handakuten,
// Uppercase Alphabet, Lowercase Alphabet, 0-9.
[[nodiscard]] std::span<const CharacterSet> BuiltInSets();

// The set whose name equals `name` exactly (case and blanks count), or nullptr.
[[nodiscard]] const CharacterSet* FindBuiltInSet(std::string_view name);

}  // namespace glyphwright
