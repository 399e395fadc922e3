#pragma once

#include <vector>

namespace glyphwright {

// One candidate character for a glyph and how far its reference lies from the glyph (0 is the same
// picture; smaller is closer).
struct Guess {
    char32_t character = 0;
    float distance = 0;
};

// What the matcher reads in one glyph: the best guess first, then up to four alternatives.
struct GlyphSuggestion {
    std::vector<Guess> ranked;  // empty for a glyph without ink
    // 0 to 1: how clearly the best guess stands apart from the rest. A near-tie is close to 0.
    float confidence = 0;
    // The alternatives that ranked about as close as the best guess: the user should look.
    std::vector<char32_t> nearTies;
    // The best guess and one of the near-ties are characters that look alike by design (へ and
    // ヘ, カ and 力); pixels alone cannot tell them apart.
    bool lookAlike = false;

    [[nodiscard]] char32_t Best() const {
        return ranked.empty() ? U'\0' : ranked.front().character;
    }
};

}  // namespace glyphwright
