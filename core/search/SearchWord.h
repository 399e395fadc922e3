#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/sets/BuiltInSets.h"
#include "core/sets/CharacterSet.h"
#include "core/table/Result.h"

namespace glyphwright {

// Where the known letters of a word sit in one set.
struct SetPlaces {
    std::size_t set = 0;      // index into the sets searched
    std::vector<int> places;  // member index of each known letter, in word order

    friend bool operator==(const SetPlaces&, const SetPlaces&) = default;
};

// A word to look for by the distances between its letters' codes: its length in letters, which
// letters are known (the others were typed as "?"), and each set that holds every known letter.
// Where a set has members of several characters (a DTE pair), a "letter" is one code, one member
// of the set: see ParseSearchWords.
struct SearchWord {
    std::size_t letterCount = 0;
    std::vector<std::size_t> known;     // letter index of each known letter, ascending
    std::vector<SetPlaces> candidates;  // in catalogue order; a set again for another split

    friend bool operator==(const SearchWord&, const SearchWord&) = default;
};

enum class WordProblem {
    TooFewLetters,  // fewer than three known letters match nearly anywhere
    LetterInNoSet,  // `letter` is in none of the sets
    NoSetHoldsAll,  // every letter is in some set, but no one set holds them all
    InvalidWord,    // a hand-built SearchWord breaks its own rules
};

struct WordError {
    WordProblem kind = WordProblem::TooFewLetters;
    std::string letter;  // UTF-8, for LetterInNoSet

    friend bool operator==(const WordError&, const WordError&) = default;
};

inline constexpr std::size_t kMinimumKnownLetters = 3;

// Reads a typed word (UTF-8): kana, latin letters or digits, and "?" (or the full-width "？")
// for a letter not known. Each letter is looked up by its EUC-JP bytes in every one of `sets`.
// A set that lacks the word as typed is tried with the word's kana all in hiragana, all in
// katakana and all in half-width katakana, so that a word typed in either script finds a set of
// the other where that set holds every letter.
[[nodiscard]] Result<SearchWord, WordError> ParseSearchWord(
    std::string_view utf8, std::span<const CharacterSet> sets = BuiltInSets());

// How many ways of splitting a word into one set's members are searched at most.
inline constexpr std::size_t kMaxSplitsPerSet = 16;

// Every way the sets store a typed word: each set's members may be several characters, so a
// word splits into them in one way or more ("きょう" as きょ + う or as き + ょ + う), and each
// split is a word of its own length in codes. The splits of one length and the same known codes
// share one SearchWord; the first is the word letter for letter, where any set holds it so. Of
// each set, at most `maxSplitsPerSet` splits are taken, those with longer members first; a split
// with fewer than three known codes is not searched. A "?" stands for one code. Errors as
// ParseSearchWord's, a letter being in a set when it is in one of its members.
[[nodiscard]] Result<std::vector<SearchWord>, WordError> ParseSearchWords(
    std::string_view utf8, std::span<const CharacterSet> sets = BuiltInSets(),
    std::size_t maxSplitsPerSet = kMaxSplitsPerSet);

}  // namespace glyphwright
