#pragma once

#include <algorithm>
#include <string>
#include <vector>

namespace glyphwright {

// One candidate character for a glyph and how far its reference lies from the glyph (0 is the same
// picture; smaller is closer).
struct Guess {
    char32_t character = 0;
    float distance = 0;
};

// What the matcher reads in one glyph: the best guess first, then up to four alternatives.
// An alternative no more than this much farther than the best guess (relative to the best
// guess's distance) came close: what the glyph's font around it shows may decide for it.
constexpr float kCloseMargin = 0.5f;

// What decided a glyph's best guess: its own pixels, how it continues the runs of the font's order
// around it, or what the game's text around it needs.
enum class Evidence { Shape, Order, Script };

struct GlyphSuggestion {
    std::vector<Guess> ranked;  // empty for a glyph without ink
    // 0 to 1: how clearly the best guess stands apart from the rest. A near-tie is close to 0.
    float confidence = 0;
    // The alternatives that ranked about as close as the best guess: the user should look.
    std::vector<char32_t> nearTies;
    // The best guess and one of the near-ties are characters that look alike by design (へ and
    // ヘ, カ and 力); pixels alone cannot tell them apart.
    bool lookAlike = false;
    Evidence decidedBy = Evidence::Shape;
    // Where order or the text decided: in a few words why (the run it continues, the word it
    // completes), for the user to check. Empty where the pixels decided.
    std::string why;

    [[nodiscard]] char32_t Best() const {
        return ranked.empty() ? U'\0' : ranked.front().character;
    }

    // Makes `c` the best guess, where what the glyph's neighbours in the font show outweighs its
    // own pixels: `c` trades places with the former best guess, or comes in at the head in its
    // place (the last alternative leaving). The distances stay where they were, so the confidence
    // still says how close the two came.
    void MakeBest(char32_t c) {
        if (ranked.empty() || Best() == c) return;
        const char32_t former = Best();
        const auto at = std::find_if(ranked.begin(), ranked.end(),
                                     [&](const Guess& g) { return g.character == c; });
        if (at != ranked.end()) {
            std::swap(at->character, ranked.front().character);
        } else {
            ranked.insert(ranked.begin(), Guess{c, ranked.front().distance});
            ranked.pop_back();
        }
        std::replace(nearTies.begin(), nearTies.end(), c, former);
    }

    // Makes the closest guess that `fits` (a predicate on the character) the best guess, where it
    // came close (kCloseMargin).
    template <typename Fits>
    void TakeCloseAlternative(Fits fits) {
        if (ranked.empty()) return;
        const float limit = ranked.front().distance * (1 + kCloseMargin);
        const auto fitting = std::find_if(ranked.begin(), ranked.end(), [&](const Guess& g) {
            return g.distance <= limit && fits(g.character);
        });
        if (fitting != ranked.end()) MakeBest(fitting->character);
    }
};

}  // namespace glyphwright
