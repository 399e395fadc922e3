#include "core/glyphs/ScriptContext.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <string>

#include "core/glyphs/SuggestionReport.h"
#include "core/glyphs/TieBreak.h"

namespace glyphwright {

namespace {

// The kinds of characters whose order a script keeps. A code the font draws nothing for (an end
// code, a line break) is a Break; one without ink a Space.
enum Kind : std::uint8_t {
    Break,
    Hiragana,
    Katakana,
    SmallHiragana,
    SmallKatakana,
    Kanji,
    Digit,
    Opening,
    Closing,
    SentenceEnd,
    Comma,
    LongVowel,
    Latin,
    Space,
    Other,
    kKinds
};

bool IsSmallKana(char32_t c) {
    static constexpr std::u32string_view small = U"ぁぃぅぇぉっゃゅょゎァィゥェォッャュョヮヵヶ";
    return small.find(c) != std::u32string_view::npos;
}

Kind KindOf(char32_t c) {
    if (IsSmallKana(c)) return c < 0x30A0 ? SmallHiragana : SmallKatakana;
    switch (KanaScriptOf(c)) {
        case KanaScript::Hiragana:
            return Hiragana;
        case KanaScript::Katakana:
            return Katakana;
        case KanaScript::Unknown:
            break;
    }
    if (c == U'ー' || c == U'ｰ') return LongVowel;
    if (c == U' ' || c == U'　') return Space;
    if ((c >= 0x4E00 && c <= 0x9FFF) || c == U'々') return Kanji;
    if ((c >= U'0' && c <= U'9') || (c >= U'０' && c <= U'９')) return Digit;
    static constexpr std::u32string_view opening = U"「『（(【〔［[";
    static constexpr std::u32string_view closing = U"」』）)】〕］]";
    static constexpr std::u32string_view ends = U"。！？!?．｡";
    static constexpr std::u32string_view commas = U"、，,､";
    if (opening.find(c) != std::u32string_view::npos) return Opening;
    if (closing.find(c) != std::u32string_view::npos) return Closing;
    if (ends.find(c) != std::u32string_view::npos) return SentenceEnd;
    if (commas.find(c) != std::u32string_view::npos) return Comma;
    if ((c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || (c >= U'Ａ' && c <= U'Ｚ') ||
        (c >= U'ａ' && c <= U'ｚ')) {
        return Latin;
    }
    return Other;
}

// How readily one kind follows another in Japanese text, before the game's own text is counted:
// 3 common, 1 ordinary, small numbers what a script hardly ever does (speech that opens on an end
// code, a small kana after punctuation, a sentence that ends right after 「).
using Table = std::array<std::array<double, kKinds>, kKinds>;

constexpr double kNever = 0.01;

Table StartingTable() {
    Table t{};
    for (auto& row : t) row.fill(1);
    auto set = [&](Kind from, std::initializer_list<std::pair<Kind, double>> to) {
        for (const auto& [kind, weight] : to) t[from][kind] = weight;
    };
    // Nothing of these begins a string or a line.
    for (const Kind k : {SmallHiragana, SmallKatakana, SentenceEnd, Comma, Closing, LongVowel}) {
        t[Break][k] = kNever;
        t[Opening][k] = kNever;
        t[Comma][k] = kNever;
    }
    set(Break, {{Hiragana, 3}, {Katakana, 3}, {Kanji, 3}, {Opening, 3}, {Break, 2}});
    set(Hiragana, {{Hiragana, 3}, {SmallHiragana, 1.5}, {SmallKatakana, kNever}, {Opening, 0.2},
                   {LongVowel, 0.2}, {SentenceEnd, 1.5}});
    set(Katakana, {{Katakana, 3}, {LongVowel, 1.5}, {SmallHiragana, kNever},
                   {SmallKatakana, 1.5}});
    set(SmallHiragana, {{Hiragana, 2}, {SmallHiragana, 0.3}, {SmallKatakana, kNever},
                        {Opening, 0.05}});
    set(SmallKatakana, {{Katakana, 2}, {SmallKatakana, 0.3}, {SmallHiragana, kNever},
                        {LongVowel, 1}, {Opening, 0.05}});
    set(Kanji, {{Hiragana, 3}, {Kanji, 2}, {SmallHiragana, kNever}, {SmallKatakana, kNever},
                {LongVowel, kNever}, {Opening, 0.3}});
    set(Digit, {{Digit, 3}, {Kanji, 1.5}, {SmallHiragana, kNever}, {SmallKatakana, kNever},
                {LongVowel, kNever}});
    set(Opening, {{Hiragana, 2}, {Katakana, 2}, {Kanji, 2}, {Break, kNever}, {Opening, kNever}});
    set(Closing, {{Break, 3}, {Opening, 1}, {SmallHiragana, kNever}, {SmallKatakana, kNever},
                  {SentenceEnd, 0.1}, {Closing, 0.05}});
    set(SentenceEnd, {{Break, 3}, {Closing, 3}, {Opening, 1}, {SentenceEnd, 0.5},
                      {SmallHiragana, kNever}, {SmallKatakana, kNever}, {Comma, kNever},
                      {LongVowel, kNever}});
    set(Comma, {{Hiragana, 2}, {Kanji, 2}, {Katakana, 1.5}, {Break, 0.05}, {Opening, 0.3}});
    set(LongVowel, {{Katakana, 2}, {SmallHiragana, 0.05}, {SmallKatakana, 0.05}});
    set(Latin, {{Latin, 3}});
    return t;
}

// The sure part of the text counts as this many pairs beside the table above, per kind.
constexpr double kStartingWeight = 30;
// A glyph at or above this confidence is sure: the text is read through it, and it stays.
constexpr float kSure = 0.5f;
// A glyph at or above this confidence keeps its character from the others.
constexpr float kHeld = 0.9f;
// How much a guess's distance beyond the best one's costs, per distance of the best.
constexpr double kShapeWeight = 6;
// A guess farther than this (relative to the best) is not the glyph, whatever the text says.
constexpr float kFarthest = 2.0f;
// What the text must gain for an unsure glyph to change, in natural-log units.
constexpr double kMustGain = 1.0;
// How many uses of a glyph weigh at most, however often the text has it.
constexpr double kWitnesses = 4;
// The uses of a code weighed; more say nothing new and cost time.
constexpr std::size_t kUsesWeighed = 64;
// Characters shown on each side of a decided glyph in `why`.
constexpr std::size_t kShownAround = 4;

// About how many characters of each kind a game's script draws from: a character's share of its
// kind. Among the kinds a font holds, a kanji is a far rarer guess than a closing bracket.
constexpr std::array<double, kKinds> kKindSizes = {
    1,     // Break
    80,    // Hiragana
    90,    // Katakana
    10,    // SmallHiragana
    12,    // SmallKatakana
    2000,  // Kanji
    10,    // Digit
    6,     // Opening
    6,     // Closing
    4,     // SentenceEnd
    3,     // Comma
    1,     // LongVowel
    52,    // Latin
    2,     // Space
    300,   // Other
};

struct Model {
    Table logFollow{};  // log P(next kind | kind)
};

Model Learn(std::span<const std::uint8_t> text, const std::vector<bool>& sure,
            const std::vector<Kind>& kinds) {
    const Table start = StartingTable();
    Table counts{};
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (sure[i - 1] && sure[i]) counts[kinds[i - 1]][kinds[i]] += 1;
    }
    Model model;
    for (std::size_t a = 0; a < kKinds; ++a) {
        double startSum = 0;
        double countSum = 0;
        for (std::size_t b = 0; b < kKinds; ++b) {
            startSum += start[a][b];
            countSum += counts[a][b];
        }
        for (std::size_t b = 0; b < kKinds; ++b) {
            const double p = (counts[a][b] + kStartingWeight * start[a][b] / startSum) /
                             (countSum + kStartingWeight);
            model.logFollow[a][b] = std::log(p);
        }
    }
    return model;
}

// What the text reads at each code: the one character the user's table holds there, else the
// glyph's best guess.
class TextReader {
public:
    TextReader(const ReadingsByCode& readings, const CodeTable* known) : readings_(readings) {
        for (std::size_t code = 0; code < known_.size(); ++code) {
            if (known != nullptr) known_[code] = OnlyCharacter((*known)[code]);
        }
    }

    [[nodiscard]] bool Known(std::uint8_t code) const { return known_[code] != 0; }
    [[nodiscard]] bool Sure(std::uint8_t code) const {
        const GlyphSuggestion* r = readings_[code];
        return Known(code) || r == nullptr || r->ranked.empty() || r->confidence >= kSure;
    }
    [[nodiscard]] Kind KindAt(std::uint8_t code) const {
        if (Known(code)) return KindOf(known_[code]);
        const GlyphSuggestion* r = readings_[code];
        if (r == nullptr) return Break;
        return r->ranked.empty() ? Space : KindOf(r->Best());
    }
    // The character the text shows at the code; 0 for none (a break, a glyph without ink).
    [[nodiscard]] char32_t At(std::uint8_t code) const {
        if (Known(code)) return known_[code];
        const GlyphSuggestion* r = readings_[code];
        return r == nullptr || r->ranked.empty() ? U'\0' : r->Best();
    }

private:
    // The character UTF-8 `text` holds, where it holds exactly one.
    static char32_t OnlyCharacter(const std::string& text) {
        if (text.empty()) return 0;
        const auto lead = static_cast<unsigned char>(text[0]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (text.size() != length) return 0;
        char32_t c = length == 1 ? lead : static_cast<char32_t>(lead) & (0x3Fu >> (length - 1));
        for (std::size_t i = 1; i < length; ++i) {
            c = (c << 6) | (static_cast<unsigned char>(text[i]) & 0x3Fu);
        }
        return c;
    }

    const ReadingsByCode& readings_;
    std::array<char32_t, 256> known_{};
};

// One pass: the text read through the best guesses as they stand, each unsure code decided.
// Whether any changed.
bool DecidePass(const ReadingsByCode& readings, const TextReader& reader,
                std::span<const std::uint8_t> text) {
    std::vector<bool> sure(text.size());
    std::vector<Kind> kinds(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        sure[i] = reader.Sure(text[i]);
        kinds[i] = reader.KindAt(text[i]);
    }
    const Model model = Learn(text, sure, kinds);

    // The characters sure glyphs hold: another glyph does not take them. (The user's table may
    // hold a character at several codes, and the glyph at its code is still to be read.)
    std::vector<char32_t> held;
    for (const GlyphSuggestion* r : readings) {
        if (r != nullptr && !r->ranked.empty() && r->confidence >= kHeld) held.push_back(r->Best());
    }
    std::sort(held.begin(), held.end());

    std::array<std::vector<std::size_t>, 256> uses;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (!sure[i] && uses[text[i]].size() < kUsesWeighed) uses[text[i]].push_back(i);
    }
    bool changed = false;
    for (std::size_t code = 0; code < uses.size(); ++code) {
        if (uses[code].empty() || reader.Known(static_cast<std::uint8_t>(code))) continue;
        GlyphSuggestion& reading = *readings[code];
        if (reading.decidedBy == Evidence::Script) continue;  // decided in an earlier pass
        const double bestDistance = std::max(reading.ranked.front().distance, 1e-6f);
        auto score = [&](const Guess& guess) {
            const Kind kind = KindOf(guess.character);
            double context = 0;
            for (const std::size_t i : uses[code]) {
                const Kind before = i == 0 ? Break : kinds[i - 1];
                const Kind after = i + 1 == text.size() ? Break : kinds[i + 1];
                context += model.logFollow[before][kind] + model.logFollow[kind][after];
            }
            // The uses of one glyph are no independent witnesses: the kinds around them say
            // much the same each time. Their average counts as a few.
            const auto n = static_cast<double>(uses[code].size());
            return context / n * std::min(n, kWitnesses) - std::log(kKindSizes[kind]) -
                   kShapeWeight * (guess.distance / bestDistance - 1);
        };
        const double kept = score(reading.ranked.front());
        double bestScore = kept + kMustGain;
        const Guess* chosen = nullptr;
        for (std::size_t k = 1; k < reading.ranked.size(); ++k) {
            const Guess& guess = reading.ranked[k];
            if (guess.distance > bestDistance * kFarthest) break;
            if (std::binary_search(held.begin(), held.end(), guess.character)) continue;
            if (const double s = score(guess); s > bestScore) {
                bestScore = s;
                chosen = &guess;
            }
        }
        if (chosen == nullptr) continue;
        reading.MakeBest(chosen->character);
        reading.decidedBy = Evidence::Script;
        for (const std::size_t i : uses[code]) kinds[i] = KindOf(reading.Best());
        changed = true;
    }
    return changed;
}

// A few characters of the text around the first use of `code`, as it now reads.
std::string TextAround(const TextReader& reader, std::span<const std::uint8_t> text,
                       std::uint8_t code) {
    const auto at = std::find(text.begin(), text.end(), code);
    if (at == text.end()) return {};
    const auto i = static_cast<std::size_t>(at - text.begin());
    auto shown = [&](std::size_t j) { return reader.At(text[j]) != 0; };
    std::size_t from = i;
    while (from > 0 && i - from < kShownAround && shown(from - 1)) --from;
    std::size_t to = i + 1;
    while (to < text.size() && to - i <= kShownAround && shown(to)) ++to;
    std::string out;
    for (std::size_t j = from; j < to; ++j) out += Utf8Of(reader.At(text[j]));
    return out;
}

}  // namespace

void DecideByScript(const ReadingsByCode& readings, std::span<const std::uint8_t> text,
                    const CodeTable* known) {
    const TextReader reader(readings, known);
    // A decided glyph changes what its neighbours' uses read like; a second look settles those.
    for (int pass = 0; pass < 3 && DecidePass(readings, reader, text); ++pass) {
    }
    for (std::size_t code = 0; code < readings.size(); ++code) {
        GlyphSuggestion* r = readings[code];
        if (r != nullptr && r->decidedBy == Evidence::Script) {
            r->why = TextAround(reader, text, static_cast<std::uint8_t>(code));
        }
    }
}

void DecideByScript(std::vector<GlyphSuggestion>& readings, unsigned firstCode,
                    std::span<const std::uint8_t> text) {
    ReadingsByCode byCode{};
    for (std::size_t i = 0; i < readings.size() && firstCode + i < byCode.size(); ++i) {
        byCode[firstCode + i] = &readings[i];
    }
    DecideByScript(byCode, text);
}

}  // namespace glyphwright
