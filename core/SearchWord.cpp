#include "SearchWord.h"

#include <algorithm>
#include <optional>
#include <utility>

#include "BuiltInSets.h"
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

}  // namespace

Result<SearchWord, WordError> ParseSearchWord(std::string_view utf8) {
    const auto sets = BuiltInSets();
    SearchWord word;
    // places[s][j]: where known letter j sits in set s, if it is there at all.
    std::vector<std::vector<std::optional<int>>> places(sets.size());
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t length =
            std::min(Utf8SequenceLength(static_cast<unsigned char>(utf8[at])), utf8.size() - at);
        const std::string_view letter = utf8.substr(at, length);
        at += length;
        const std::size_t index = word.letterCount++;
        if (letter == "?" || letter == "\xEF\xBC\x9F") continue;  // "？"

        const auto encoded = EncodeEucJp(letter);
        bool anywhere = false;
        for (std::size_t s = 0; s < sets.size(); ++s) {
            const auto place = encoded ? PlaceIn(sets[s], encoded.value()) : std::nullopt;
            places[s].push_back(place);
            anywhere = anywhere || place.has_value();
        }
        if (!anywhere) return WordError{WordProblem::LetterInNoSet, std::string(letter)};
        word.known.push_back(index);
    }
    if (word.known.size() < kMinimumKnownLetters) return WordError{WordProblem::TooFewLetters, {}};

    for (std::size_t s = 0; s < sets.size(); ++s) {
        SetPlaces candidate{s, {}};
        for (const auto& place : places[s]) {
            if (!place) break;
            candidate.places.push_back(*place);
        }
        if (candidate.places.size() == word.known.size()) {
            word.candidates.push_back(std::move(candidate));
        }
    }
    if (word.candidates.empty()) return WordError{WordProblem::NoSetHoldsAll, {}};
    return word;
}

}  // namespace glyphwright
