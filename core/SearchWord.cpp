#include "SearchWord.h"

#include <algorithm>
#include <array>
#include <optional>
#include <utility>

#include "EucJp.h"
#include "TextConverter.h"

namespace glyphwright {
namespace {

std::optional<int> PlaceIn(const CharacterSet& set, std::string_view bytes) {
    for (std::size_t k = 0; k < set.size(); ++k) {
        if (set.member(k) == bytes) return static_cast<int>(k);
    }
    return std::nullopt;
}

// The forms a letter is looked for in, in this order: as typed, in hiragana, in katakana, in
// half-width katakana. Each is the letter itself where it has no such form.
enum Form : std::size_t { kAsTyped, kInHiragana, kInKatakana, kInHalfWidth, kFormCount };

char32_t Decode(std::string_view utf8) {
    const auto byte = [&](std::size_t i) { return static_cast<char32_t>(utf8[i] & 0x3F); };
    if (utf8.size() == 3) {
        return (static_cast<char32_t>(utf8[0] & 0x0F) << 12) | (byte(1) << 6) | byte(2);
    }
    return 0;  // only three-byte letters have other forms
}

std::string Encode(char32_t c) {
    return {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
            static_cast<char>(0x80 | (c & 0x3F))};
}

// JIS X 0201 A1-DF and the full-width characters they stand for.
constexpr std::u32string_view kHalfWidth =
    U"｡｢｣､･ｦｧｨｩｪｫｬｭｮｯｰｱｲｳｴｵｶｷｸｹｺｻｼｽｾｿﾀﾁﾂﾃﾄﾅﾆﾇﾈﾉﾊﾋﾌﾍﾎﾏﾐﾑﾒﾓﾔﾕﾖﾗﾘﾙﾚﾛﾜﾝﾞﾟ";
constexpr std::u32string_view kFullWidth =
    U"。「」、・ヲァィゥェォャュョッーアイウエオカキクケコサシスセソタチツテトナニヌネノハヒフヘホ"
    U"マミムメモヤユヨラリルレロワン゛゜";
static_assert(kHalfWidth.size() == kFullWidth.size());

constexpr char32_t kHiraganaFirst = U'ぁ';
constexpr char32_t kHiraganaLast = U'ゖ';
constexpr char32_t kToKatakana = U'ァ' - U'ぁ';

std::array<std::string, kFormCount> FormsOf(std::string_view letter) {
    std::array<std::string, kFormCount> forms;
    forms.fill(std::string(letter));
    char32_t c = Decode(letter);
    if (c == 0) return forms;
    if (const auto half = kHalfWidth.find(c); half != std::u32string_view::npos)
        c = kFullWidth[half];
    char32_t katakana = c;
    if (c >= kHiraganaFirst && c <= kHiraganaLast) katakana = c + kToKatakana;
    const bool isKatakana =
        katakana >= kHiraganaFirst + kToKatakana && katakana <= kHiraganaLast + kToKatakana;
    if (isKatakana) {
        forms[kInHiragana] = Encode(katakana - kToKatakana);
        forms[kInKatakana] = Encode(katakana);
    }
    if (const auto full = kFullWidth.find(katakana); full != std::u32string_view::npos) {
        forms[kInHalfWidth] = Encode(kHalfWidth[full]);
    }
    return forms;
}

}  // namespace

Result<SearchWord, WordError> ParseSearchWord(std::string_view utf8,
                                              std::span<const CharacterSet> sets) {
    SearchWord word;
    // places[f][s][j]: where known letter j, in form f, sits in set s, if it is there at all.
    std::array<std::vector<std::vector<std::optional<int>>>, kFormCount> places;
    for (auto& form : places) form.resize(sets.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t length =
            std::min(Utf8SequenceLength(static_cast<unsigned char>(utf8[at])), utf8.size() - at);
        const std::string_view letter = utf8.substr(at, length);
        at += length;
        const std::size_t index = word.letterCount++;
        if (letter == "?" || letter == "\xEF\xBC\x9F") continue;  // "？"

        const auto forms = FormsOf(letter);
        bool anywhere = false;
        for (std::size_t f = 0; f < kFormCount; ++f) {
            const auto encoded = EncodeEucJp(forms[f]);
            for (std::size_t s = 0; s < sets.size(); ++s) {
                const auto place = encoded ? PlaceIn(sets[s], encoded.value()) : std::nullopt;
                places[f][s].push_back(place);
                anywhere = anywhere || place.has_value();
            }
        }
        if (!anywhere) return WordError{WordProblem::LetterInNoSet, std::string(letter)};
        word.known.push_back(index);
    }
    if (word.known.size() < kMinimumKnownLetters) return WordError{WordProblem::TooFewLetters, {}};

    for (std::size_t s = 0; s < sets.size(); ++s) {
        for (std::size_t f = 0; f < kFormCount; ++f) {
            SetPlaces candidate{s, {}};
            for (const auto& place : places[f][s]) {
                if (!place) break;
                candidate.places.push_back(*place);
            }
            if (candidate.places.size() == word.known.size()) {
                word.candidates.push_back(std::move(candidate));
                break;
            }
        }
    }
    if (word.candidates.empty()) return WordError{WordProblem::NoSetHoldsAll, {}};
    return word;
}

}  // namespace glyphwright
