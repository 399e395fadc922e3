#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/glyphs/GlyphSuggestion.h"

namespace glyphwright {

// A character as UTF-8 bytes.
[[nodiscard]] std::string Utf8Of(char32_t character);

// What decided a reading, as the report names it: "shape", "order" or "script".
[[nodiscard]] std::string_view EvidenceName(Evidence evidence);

// The readings of a run of glyphs as tab-separated lines, one per code from `firstCode` on: the
// code in hex, the best guess, its confidence (0.00 to 1.00), the four alternatives, and the
// near-ties the user should look at, then what decided the best guess (EvidenceName) and why, as
// the reading says. A glyph without ink leaves its line's fields empty. Starts
// with a header line; every line ends in a line feed.
[[nodiscard]] std::string SuggestionReport(const std::vector<GlyphSuggestion>& readings,
                                           unsigned firstCode);

}  // namespace glyphwright
