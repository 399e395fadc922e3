#pragma once

namespace glyphwright {

// Whether two different characters are drawn alike in Japanese fonts, so that only their context
// tells them apart: へ/ヘ, ロ/口, カ/力, エ/工, ニ/二, ー/一, タ/夕, ト/卜, 0/O/〇 and the like.
[[nodiscard]] bool LookAlike(char32_t a, char32_t b);

}  // namespace glyphwright
