#pragma once

// Measures the glyph matcher on a stand-in game font: each character of a repertoire drawn from
// an installed bitmap-style face (never the matcher's own reference font) into a glyph of the
// game's size, read back, and counted.

#include <algorithm>
#include <cstddef>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "core/glyphs/GlyphMatcher.h"
#include "core/glyphs/LookAlikes.h"
#include "core/glyphs/ReferenceFont.h"
#include "core/glyphs/Repertoire.h"
#include "core/glyphs/SuggestionReport.h"
#include "core/glyphs/TieBreak.h"

namespace glyphwright::testing {

// The matcher as the program makes it by default: Noto Sans CJK JP, with ASCII also drawn from
// DejaVu Sans Mono and X's 4x6 fixed font. Null when the reference font is not installed.
inline std::unique_ptr<GlyphMatcher> DefaultMatcher(const std::vector<char32_t>& candidates) {
    auto opened = GlyphMatcher::Open(GlyphMatcher::kDefaultFamily, candidates);
    if (!opened) return nullptr;
    return std::make_unique<GlyphMatcher>(std::move(opened).value());
}

struct Miss {
    char32_t truth = 0;
    char32_t read = 0;
};

struct Accuracy {
    std::size_t glyphs = 0;
    std::size_t top1 = 0;
    std::size_t top5 = 0;
    std::size_t lookAlikeMisses = 0;  // misses where the reading is a look-alike of the truth
    std::vector<Miss> misses;
    // The readings at or above kConfident, and how many of those are right: what "Accept all
    // above confidence" would take.
    static constexpr float kConfident = 0.5f;
    std::size_t confident = 0;
    std::size_t confidentRight = 0;

    [[nodiscard]] double Top1() const {
        return glyphs == 0 ? 0 : 100.0 * double(top1) / double(glyphs);
    }
    [[nodiscard]] double Top5() const {
        return glyphs == 0 ? 0 : 100.0 * double(top5) / double(glyphs);
    }
};

// The script a stand-in font keeps together: hiragana, katakana, half-width kana, ASCII,
// full-width Latin, kanji, other symbols.
inline int ScriptRun(char32_t c) {
    if (c >= 0x3041 && c <= 0x309F) return 0;
    if (c >= 0x30A0 && c <= 0x30FF) return 1;
    if (c >= 0xFF61 && c <= 0xFF9F) return 2;
    if (c < 0x80) return 3;
    if (c >= 0xFF01 && c <= 0xFF5E) return 4;
    if (c >= 0x4E00 && c <= 0x9FFF) return 5;
    return 6;
}

// Every `step`-th character of the repertoire the stand-in font draws with ink, at size x size,
// in an order of the font's own: each script together, as fonts keep them, but within it
// shuffled (the same way every run), so that nothing is read from the repertoire's order.
inline std::vector<char32_t> StandInCharacters(const ReferenceFont& standIn, Repertoire repertoire,
                                               int size, std::size_t step = 1) {
    std::vector<char32_t> out;
    const std::vector<char32_t> all = RepertoireCharacters(repertoire);
    for (std::size_t i = 0; i < all.size(); i += step) {
        if (!standIn.Has(all[i])) continue;
        const GlyphImage glyph = standIn.Draw(all[i], size, size, Rendering::Pixels);
        bool ink = false;
        for (auto level : glyph.ink) ink = ink || level != 0;
        if (ink) out.push_back(all[i]);
    }
    std::mt19937 random(1234);
    for (std::size_t from = 0; from < out.size();) {
        std::size_t to = from + 1;
        while (to < out.size() && ScriptRun(out[to]) == ScriptRun(out[from])) ++to;
        for (std::size_t i = to - 1; i > from; --i) {  // Fisher and Yates
            const std::size_t j = from + random() % (i - from + 1);
            std::swap(out[i], out[j]);
        }
        from = to;
    }
    return out;
}

// The script of the text a kana would stand in, as the game's strings would show it.
inline KanaScript ScriptOfKana(char32_t c) {
    if (c >= 0x3041 && c <= 0x309E) return KanaScript::Hiragana;
    if ((c >= 0x30A1 && c <= 0x30FA) || (c >= 0xFF66 && c <= 0xFF9D)) return KanaScript::Katakana;
    return KanaScript::Unknown;
}

// The characters the stand-in face draws, at size x size, read together as the program reads a
// game's font.
inline std::vector<GlyphSuggestion> ReadStandIn(GlyphMatcher& matcher, const ReferenceFont& standIn,
                                                const std::vector<char32_t>& characters, int size) {
    std::vector<GlyphImage> glyphs;
    glyphs.reserve(characters.size());
    for (char32_t c : characters) glyphs.push_back(standIn.Draw(c, size, size, Rendering::Pixels));
    return matcher.SuggestAll(glyphs);
}

// The readings of `characters` counted, those that `counted` picks (all where null).
// With `amongOwnScript`, each kana is read as if the game's text showed it among kana of its own
// script, so the tie-break applies.
template <typename Counted>
Accuracy Tally(std::vector<GlyphSuggestion>& readings, const std::vector<char32_t>& characters,
               Counted counted, bool amongOwnScript = false) {
    Accuracy result;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const char32_t truth = characters[i];
        if (!counted(truth)) continue;
        GlyphSuggestion& s = readings[i];
        if (amongOwnScript) BreakTie(s, ScriptOfKana(truth));
        ++result.glyphs;
        bool inTop5 = false;
        for (const Guess& g : s.ranked) inTop5 = inTop5 || g.character == truth;
        if (s.confidence >= Accuracy::kConfident) {
            ++result.confident;
            if (s.Best() == truth) ++result.confidentRight;
        }
        if (s.Best() == truth) {
            ++result.top1;
        } else {
            result.misses.push_back({truth, s.Best()});
            if (LookAlike(truth, s.Best())) ++result.lookAlikeMisses;
        }
        if (inTop5) ++result.top5;
    }
    return result;
}

inline Accuracy MeasureAccuracy(GlyphMatcher& matcher, const ReferenceFont& standIn,
                                const std::vector<char32_t>& characters, int size,
                                bool amongOwnScript = false) {
    std::vector<GlyphSuggestion> readings = ReadStandIn(matcher, standIn, characters, size);
    return Tally(
        readings, characters, [](char32_t) { return true; }, amongOwnScript);
}

// A game font laid in JIS X 0208's order, as Japanese games lay theirs: row 1's punctuation and
// symbols, row 3's full-width digits and Latin, the hiragana and katakana of rows 4 and 5, and the
// level-1 kanji, as far as the stand-in face draws them. Its runs are broken here and there as
// real fonts' are: every `dropEvery`-th character left out, and every `moveEvery`-th one swapped
// with one from far away, so that neither side of it continues its run.
inline std::vector<char32_t> OrderedStandInCharacters(const ReferenceFont& standIn, int size,
                                                      std::size_t dropEvery = 41,
                                                      std::size_t moveEvery = 53) {
    std::vector<char32_t> out;
    std::size_t n = 0;
    for (const auto& [first, last] : {std::pair{1, 1}, {3, 5}, {16, 47}}) {
        for (char32_t c : JisRows(first, last)) {
            if (!standIn.Has(c)) continue;
            const GlyphImage glyph = standIn.Draw(c, size, size, Rendering::Pixels);
            bool ink = false;
            for (auto level : glyph.ink) ink = ink || level != 0;
            if (ink && ++n % dropEvery != 0) out.push_back(c);
        }
    }
    for (std::size_t i = moveEvery; i + 1 < out.size(); i += moveEvery)
        std::swap(out[i], out[(i * 7919) % out.size()]);
    return out;
}

// The groups of a font laid in JIS order: punctuation and digits (row 1, ０ to ９), the rest of the
// full-width characters, kana, and kanji.
inline bool JisPunctuationOrDigit(char32_t c) {
    static const std::vector<char32_t> row1 = JisRows(1, 1);
    return (c >= U'０' && c <= U'９') || std::find(row1.begin(), row1.end(), c) != row1.end();
}

inline std::string Utf8(char32_t c) {
    return Utf8Of(c);
}

}  // namespace glyphwright::testing
