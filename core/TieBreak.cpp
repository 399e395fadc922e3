#include "TieBreak.h"

#include <algorithm>

namespace glyphwright {

namespace {

constexpr char32_t kLongVowel = U'ー';
constexpr char32_t kHalfWidthLongVowel = U'ｰ';

KanaScript ScriptOf(char32_t c) {
    if (c >= 0x3041 && c <= 0x309F) return KanaScript::Hiragana;
    if ((c >= 0x30A1 && c <= 0x30FA) || c == 0x30FD || c == 0x30FE ||
        (c >= 0xFF66 && c <= 0xFF9D && c != kHalfWidthLongVowel)) {
        return KanaScript::Katakana;
    }
    return KanaScript::Unknown;
}

// Whether the character belongs with text of that script: its own letters and the long-vowel
// mark both write.
bool Fits(char32_t c, KanaScript script) {
    return ScriptOf(c) == script || c == kLongVowel || c == kHalfWidthLongVowel;
}

}  // namespace

KanaScript ScriptAround(std::u32string_view text, std::size_t at) {
    KanaScript before = KanaScript::Unknown;
    for (std::size_t i = std::min(at, text.size()); i > 0; --i) {
        const char32_t c = text[i - 1];
        if (c == kLongVowel || c == kHalfWidthLongVowel) continue;
        before = ScriptOf(c);
        break;
    }
    KanaScript after = KanaScript::Unknown;
    for (std::size_t i = at + 1; i < text.size(); ++i) {
        const char32_t c = text[i];
        if (c == kLongVowel || c == kHalfWidthLongVowel) continue;
        after = ScriptOf(c);
        break;
    }
    if (before == KanaScript::Unknown) return after;
    if (after == KanaScript::Unknown || after == before) return before;
    return KanaScript::Unknown;
}

void BreakTie(GlyphSuggestion& suggestion, KanaScript context) {
    if (context == KanaScript::Unknown || suggestion.ranked.empty()) return;
    if (Fits(suggestion.Best(), context)) return;
    const auto fitting = std::find_if(
        suggestion.ranked.begin() + 1, suggestion.ranked.end(), [&](const Guess& guess) {
            return Fits(guess.character, context) &&
                   std::find(suggestion.nearTies.begin(), suggestion.nearTies.end(),
                             guess.character) != suggestion.nearTies.end();
        });
    if (fitting == suggestion.ranked.end()) return;
    const char32_t formerBest = suggestion.Best();
    std::rotate(suggestion.ranked.begin(), fitting, fitting + 1);
    // The former best guess is now the near-tie of the new one.
    std::replace(suggestion.nearTies.begin(), suggestion.nearTies.end(), suggestion.Best(),
                 formerBest);
}

}  // namespace glyphwright
