#pragma once

namespace glyphwright {

// Whether two characters are one letter drawn in two sizes from one design, so that only the
// size tells them apart: a small kana and its large form (ァ/ア, っ/つ, ｧ/ｱ) and a Latin letter's
// two cases where the lower case is the capital drawn smaller (c/C, ｓ/Ｓ; not a/A).
[[nodiscard]] bool SizeFormsOfOneLetter(char32_t a, char32_t b);

// Whether the character has a form in another size.
[[nodiscard]] bool HasSizeForms(char32_t c);
// The large form of a letter (the capital, the large kana), or the character itself.
[[nodiscard]] char32_t LargeForm(char32_t c);
// The small form of a letter (the lower case, the small kana), or the character itself.
[[nodiscard]] char32_t SmallForm(char32_t c);

}  // namespace glyphwright
