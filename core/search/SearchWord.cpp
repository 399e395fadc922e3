#include "core/search/SearchWord.h"

#include <algorithm>
#include <array>
#include <functional>
#include <map>
#include <optional>
#include <unordered_map>
#include <utility>

#include "core/text/EucJp.h"
#include "core/text/TextConverter.h"

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

namespace {

// One way of storing the word in one set: the place of each code's member, none for a "?".
using Split = std::vector<std::optional<int>>;

// The splits of the word (letters `encoded`, nullopt for a "?" or a letter EUC-JP lacks, `unknown`
// marking the "?"s) into the members of `set`, longer members first, at most `limit` of them.
std::vector<Split> SplitsInto(const CharacterSet& set, const std::vector<std::string>& encoded,
                              const std::vector<bool>& unknown, const std::vector<bool>& storable,
                              std::size_t limit) {
    std::unordered_map<std::string_view, int> placeOf;
    std::size_t longest = 0;
    for (std::size_t k = 0; k < set.size(); ++k) {
        placeOf.try_emplace(set.member(k), static_cast<int>(k));
        longest = std::max(longest, set.member(k).size());
    }
    const std::size_t n = encoded.size();
    // pieces[i]: each (end, place) of a member that begins at letter i, longest first.
    std::vector<std::vector<std::pair<std::size_t, int>>> pieces(n);
    for (std::size_t i = 0; i < n; ++i) {
        if (unknown[i]) continue;
        std::string joined;
        for (std::size_t j = i; j < n && !unknown[j] && storable[j]; ++j) {
            joined += encoded[j];
            if (joined.size() > longest) break;
            if (const auto found = placeOf.find(joined); found != placeOf.end()) {
                pieces[i].emplace_back(j + 1, found->second);
            }
        }
        std::reverse(pieces[i].begin(), pieces[i].end());
    }
    // reaches[i]: the letters from i on split into members at all; the walk below goes only
    // where it leads somewhere, so that every path it takes is a split.
    std::vector<bool> reaches(n + 1, false);
    reaches[n] = true;
    for (std::size_t i = n; i-- > 0;) {
        if (unknown[i]) {
            reaches[i] = reaches[i + 1];
            continue;
        }
        for (const auto& piece : pieces[i]) reaches[i] = reaches[i] || reaches[piece.first];
    }
    std::vector<Split> splits;
    if (!reaches[0]) return splits;
    Split split;
    std::function<void(std::size_t)> walk = [&](std::size_t i) {
        if (splits.size() >= limit) return;
        if (i == n) {
            splits.push_back(split);
            return;
        }
        if (unknown[i]) {
            split.push_back(std::nullopt);
            walk(i + 1);
            split.pop_back();
            return;
        }
        for (const auto& [end, place] : pieces[i]) {
            if (!reaches[end]) continue;
            split.push_back(place);
            walk(end);
            split.pop_back();
        }
    };
    walk(0);
    return splits;
}

}  // namespace

Result<std::vector<SearchWord>, WordError> ParseSearchWords(std::string_view utf8,
                                                            std::span<const CharacterSet> sets,
                                                            std::size_t maxSplitsPerSet) {
    std::vector<std::string> letters;
    std::vector<bool> unknown;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t length =
            std::min(Utf8SequenceLength(static_cast<unsigned char>(utf8[at])), utf8.size() - at);
        const std::string_view letter = utf8.substr(at, length);
        at += length;
        letters.emplace_back(letter);
        unknown.push_back(letter == "?" || letter == "\xEF\xBC\x9F");  // "？"
    }
    const auto knownLetters =
        static_cast<std::size_t>(std::count(unknown.begin(), unknown.end(), false));
    // Each known letter must be in some member of some set, in one of its forms.
    std::vector<std::string> decoded;
    EucJpDecoder decoder;
    for (const CharacterSet& set : sets) {
        for (const std::string_view member : set.members) {
            if (auto text = decoder.Decode(member)) decoded.push_back(std::move(text).value());
        }
    }
    std::array<std::vector<std::string>, kFormCount> encoded;
    std::array<std::vector<bool>, kFormCount> storable;
    for (std::size_t i = 0; i < letters.size(); ++i) {
        const auto forms = FormsOf(letters[i]);
        bool anywhere = unknown[i];
        for (std::size_t f = 0; f < kFormCount; ++f) {
            const auto bytes = unknown[i] ? std::nullopt : std::optional(EncodeEucJp(forms[f]));
            encoded[f].push_back(bytes && *bytes ? bytes->value() : std::string());
            storable[f].push_back(bytes && *bytes);
            anywhere = anywhere || std::any_of(decoded.begin(), decoded.end(), [&](const auto& m) {
                           return m.find(forms[f]) != std::string::npos;
                       });
        }
        if (!anywhere) return WordError{WordProblem::LetterInNoSet, letters[i]};
    }
    if (knownLetters < kMinimumKnownLetters) return WordError{WordProblem::TooFewLetters, {}};

    std::vector<SearchWord> words;
    std::map<std::pair<std::size_t, std::vector<std::size_t>>, std::size_t> wordOf;
    // The word letter for letter comes first, whether or not any set holds it so.
    SearchWord asTyped;
    asTyped.letterCount = letters.size();
    for (std::size_t i = 0; i < letters.size(); ++i) {
        if (!unknown[i]) asTyped.known.push_back(i);
    }
    wordOf[{asTyped.letterCount, asTyped.known}] = 0;
    words.push_back(std::move(asTyped));
    bool tooShort = false;
    for (std::size_t s = 0; s < sets.size(); ++s) {
        for (std::size_t f = 0; f < kFormCount; ++f) {
            bool searchable = false;
            for (const Split& split :
                 SplitsInto(sets[s], encoded[f], unknown, storable[f], maxSplitsPerSet)) {
                SetPlaces candidate{s, {}};
                std::vector<std::size_t> known;
                for (std::size_t code = 0; code < split.size(); ++code) {
                    if (!split[code]) continue;
                    known.push_back(code);
                    candidate.places.push_back(*split[code]);
                }
                if (known.size() < kMinimumKnownLetters) {
                    tooShort = true;
                    continue;
                }
                searchable = true;
                const auto [found, isNew] = wordOf.try_emplace({split.size(), known}, words.size());
                if (isNew) words.push_back({split.size(), std::move(known), {}});
                words[found->second].candidates.push_back(std::move(candidate));
            }
            if (searchable) break;
        }
    }
    if (words.front().candidates.empty()) words.erase(words.begin());
    if (words.empty()) {
        return WordError{tooShort ? WordProblem::TooFewLetters : WordProblem::NoSetHoldsAll, {}};
    }
    return words;
}

}  // namespace glyphwright
