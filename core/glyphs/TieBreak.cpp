#include "core/glyphs/TieBreak.h"

#include <algorithm>

namespace glyphwright {

namespace {

constexpr char32_t kLongVowel = U'ー';
constexpr char32_t kHalfWidthLongVowel = U'ｰ';
constexpr int kReach = 4;  // characters looked at on each side

}  // namespace

KanaScript KanaScriptOf(char32_t c) {
    if (c >= 0x3041 && c <= 0x309E && c != 0x309B && c != 0x309C) return KanaScript::Hiragana;
    if ((c >= 0x30A1 && c <= 0x30FA) || c == 0x30FD || c == 0x30FE ||
        (c >= 0xFF66 && c <= 0xFF9D && c != kHalfWidthLongVowel)) {
        return KanaScript::Katakana;
    }
    return KanaScript::Unknown;
}

namespace {

// Whether the character belongs with text of that script: its own letters and the long-vowel
// mark both write.
bool Fits(char32_t c, KanaScript script) {
    return KanaScriptOf(c) == script || c == kLongVowel || c == kHalfWidthLongVowel;
}

}  // namespace

KanaScript ScriptAround(std::u32string_view text, std::size_t at) {
    // The first kana within a few characters on each side; punctuation, kanji and the long-vowel
    // mark between say nothing.
    auto first = [&](std::size_t from, int step) {
        for (int n = 0; n < kReach; ++n) {
            if (step < 0 && from == 0) break;
            from = step < 0 ? from - 1 : from + 1;
            if (from >= text.size()) break;
            if (const KanaScript s = KanaScriptOf(text[from]); s != KanaScript::Unknown) return s;
        }
        return KanaScript::Unknown;
    };
    const KanaScript before = first(at, -1);
    const KanaScript after = first(at, +1);
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
