// The relative search over every order: the further built-in ones, the user's, and words typed
// in the other kana script.

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <fstream>
#include <functional>
#include <numeric>
#include <optional>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "core/search/RelativeSearch.h"
#include "core/sets/BuiltInSets.h"
#include "core/sets/SetCatalogue.h"
#include "support/NaiveRelativeSearch.h"
#include "support/TempFolder.h"

namespace glyphwright {
namespace {

using Bytes = std::vector<std::uint8_t>;

GameFile Written(const test::TempFolder& folder, const Bytes& data) {
    const std::string path = folder / "game.bin";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data.data()),
               static_cast<std::streamsize>(data.size()));
    return GameFile::Open(path).value();
}

SearchResults Searched(const RelativeSearch& search, const GameFile& file,
                       const SearchOptions& options = {}) {
    const std::atomic<bool> cancel{false};
    const auto run = search.Run(file, cancel, {}, options);
    if (!run) throw std::runtime_error("the search failed");
    return run.value();
}

// The code of JIS X 0208 row 4 (hiragana) or row 5 (katakana) cell `cell`, the way a game that
// keeps its font in JIS order numbers it from `start`; half-width kana by their JIS X 0201 code.
std::uint8_t JisCode(int start, int cell) {
    return static_cast<std::uint8_t>(start + cell - 1);
}
std::uint8_t HalfWidthCode(int start, int code) {
    return static_cast<std::uint8_t>(start + code - 0xA1);
}

std::size_t IndexOf(std::string_view name) {
    const auto sets = BuiltInSets();
    for (std::size_t i = 0; i < sets.size(); ++i) {
        if (sets[i].name == name) return i;
    }
    return sets.size();
}

// A stand-in game: noise, then one script kept in JIS order from 0x30 and another kept in
// half-width katakana from 0x60 (ｦ, A6, at 0x65), each word planted a few times.
TEST(SearchEveryOrder, RanksTheGamesOwnOrderAndStartFirst) {
    std::mt19937 random(11);
    Bytes data(4096);
    for (auto& byte : data) byte = static_cast<std::uint8_t>(random());
    // ゆうしゃ in row 4: ゆ 4-70, う 4-06, し 4-23, ゃ 4-67.
    const Bytes hero = {JisCode(0x30, 70), JisCode(0x30, 6), JisCode(0x30, 23), JisCode(0x30, 67)};
    // ｷｯﾄ: ｷ B7, ｯ AF, ﾄ C4. (A word without small kana would keep the same distances in the
    // classic gojūon sets, and tie with them.)
    const Bytes magic = {HalfWidthCode(0x60, 0xB7), HalfWidthCode(0x60, 0xAF),
                         HalfWidthCode(0x60, 0xC4)};
    for (const std::size_t at : {100u, 900u, 2000u}) std::copy(hero.begin(), hero.end(), &data[at]);
    for (const std::size_t at : {300u, 1500u, 3000u, 3900u}) {
        std::copy(magic.begin(), magic.end(), &data[at]);
    }
    test::TempFolder folder;
    const GameFile file = Written(folder, data);

    const auto hiragana = RelativeSearch::Prepare("ゆうしゃ", LetterWidth::OneByte);
    ASSERT_TRUE(hiragana.ok());
    const SearchResults heroes = Searched(hiragana.value(), file);
    ASSERT_FALSE(heroes.groups.empty());
    EXPECT_EQ(heroes.groups[0].set, IndexOf("Hiragana (JIS order)"));
    EXPECT_EQ(heroes.groups[0].start, 0x30);
    EXPECT_EQ(heroes.groups[0].hitCount, 3u);
    EXPECT_EQ(heroes.groups[0].examples, (std::vector<std::uint64_t>{100, 900, 2000}));

    // Typed in hiragana, found in the half-width katakana the game keeps; the start is where
    // the set's first member, ｡ at A1, would be.
    const auto typed = RelativeSearch::Prepare("きっと", LetterWidth::OneByte);
    ASSERT_TRUE(typed.ok());
    const SearchResults spells = Searched(typed.value(), file);
    ASSERT_FALSE(spells.groups.empty());
    EXPECT_EQ(spells.groups[0].set, IndexOf("Half-width Katakana"));
    EXPECT_EQ(spells.groups[0].start, 0x60);
    EXPECT_EQ(spells.groups[0].hitCount, 4u);

    const auto context = typed.value().Context(file, spells.hits[0], 0, 3);
    ASSERT_TRUE(context.ok());
    std::string read;
    for (const ContextCell& cell : context.value().cells) read += cell.member;
    EXPECT_EQ(read, "\x8E\xB7\x8E\xAF\x8E\xC4");  // ｷｯﾄ, as the set stores them
}

TEST(SearchEveryOrder, KanaTypedInOneScriptFindSetsOfTheOther) {
    const auto katakana = ParseSearchWord("ユウシャ");
    const auto hiragana = ParseSearchWord("ゆうしゃ");
    ASSERT_TRUE(katakana.ok());
    ASSERT_TRUE(hiragana.ok());
    // The same sets at the same places, whichever script the word was typed in.
    EXPECT_EQ(katakana.value().candidates, hiragana.value().candidates);
    std::vector<std::size_t> sets;
    for (const SetPlaces& candidate : hiragana.value().candidates) sets.push_back(candidate.set);
    EXPECT_EQ(sets, (std::vector<std::size_t>{
                        IndexOf("Hiragana"), IndexOf("Katakana"), IndexOf("Hiragana (JIS order)"),
                        IndexOf("Katakana (JIS order)"), IndexOf("Half-width Katakana")}));
    // Only where the set holds every letter: no small ゥ in the classic Katakana set.
    const auto small = ParseSearchWord("ぅかき");
    ASSERT_TRUE(small.ok());
    for (const SetPlaces& candidate : small.value().candidates) {
        EXPECT_NE(candidate.set, IndexOf("Katakana"));
        EXPECT_NE(candidate.set, IndexOf("Hiragana"));
    }
}

// Twenty of the user's sets besides the eleven built-in ones, each an order of the same kana
// shuffled: a word held by all of them gives far more than eight patterns for the filter. Words
// of four known letters and of three, every letter width, noise of few values (chance hits and
// positions the filter lets through) and of all values, and each set of instructions the filter
// may use: the rows are those of the plain loop.
TEST(SearchEveryOrder, FindsWhatThePlainLoopFindsWithManySets) {
    std::mt19937 random(5);
    const CharacterSet& hiragana = BuiltInSets()[0];
    std::vector<UserSet> own;
    for (int n = 0; n < 20; ++n) {
        std::vector<std::string> members(hiragana.members.begin(), hiragana.members.end());
        std::shuffle(members.begin(), members.end(), random);
        own.push_back({"Shuffled " + std::to_string(n), members});
    }
    SetCatalogue catalogue;
    ASSERT_TRUE(catalogue.SetUserSets(own).ok());
    const auto sets = catalogue.Sets();
    ASSERT_EQ(sets.size(), 31u);

    test::TempFolder folder;
    for (const char* typed : {"か?きくけ", "ゆうしゃ", "かきく"}) {
        const auto parsed = ParseSearchWord(typed, sets);
        ASSERT_TRUE(parsed.ok());
        const SearchWord& word = parsed.value();
        ASSERT_GE(word.candidates.size(), 22u);
        for (const LetterWidth width : {LetterWidth::OneByte, LetterWidth::TwoBytesLittleEndian,
                                        LetterWidth::TwoBytesBigEndian}) {
            const auto prepared = RelativeSearch::Prepare(word, width, sets);
            ASSERT_TRUE(prepared.ok());
            const RelativeSearch& search = prepared.value();
            const std::size_t unit = width == LetterWidth::OneByte ? 1 : 2;
            const std::size_t low = width == LetterWidth::TwoBytesBigEndian ? 1 : 0;
            for (const unsigned noise : {8u, 256u}) {
                Bytes data(200 + 40 * word.candidates.size() * unit);
                for (auto& byte : data) byte = static_cast<std::uint8_t>(random() % noise);
                // Every candidate planted once, the last one at the very end of the file.
                for (std::size_t c = 0; c < word.candidates.size(); ++c) {
                    const std::size_t at = c + 1 == word.candidates.size()
                                               ? data.size() - search.SpanBytes()
                                               : 40 * c * unit + c % 7;
                    const int start = static_cast<int>(random() % 100);
                    for (std::size_t j = 0; j < word.known.size(); ++j) {
                        const auto value =
                            static_cast<unsigned>(start + word.candidates[c].places[j]);
                        data[at + word.known[j] * unit + low] = static_cast<std::uint8_t>(value);
                        if (unit == 2) data[at + word.known[j] * unit + 1 - low] = 0;
                    }
                }
                const GameFile file = Written(folder, data);
                const std::vector<Hit> want = test::NaiveHits(data, word, width, sets);
                ASSERT_GE(want.size(), word.candidates.size());
                for (const FilterInstructions instructions :
                     {FilterInstructions::Widest, FilterInstructions::Ssse3,
                      FilterInstructions::Plain}) {
                    for (const std::size_t block : {1u, 15u, 16u, 17u, 100u, 1u << 20}) {
                        SearchOptions options;
                        options.blockSize = block;
                        options.instructions = instructions;
                        const std::string where =
                            std::string(typed) + " width " + std::to_string(int(width)) +
                            " noise " + std::to_string(noise) + " instructions " +
                            std::to_string(int(instructions)) + " block " + std::to_string(block);
                        const SearchResults got = Searched(search, file, options);
                        const SearchResults expected = test::NaiveResults(want, options, search.LettersHeldBySet());
                        EXPECT_EQ(got.hitCount, expected.hitCount) << where;
                        EXPECT_TRUE(got.hits == expected.hits) << where;
                        EXPECT_TRUE(got.groups == expected.groups) << where;
                    }
                }
            }
        }
    }
}

// The plainest reading of a word over sets whose members may be several letters: at every
// offset, for every set and every start that makes the first known code a member beginning the
// word there, the codes are read through the set one by one, each member taking as many letters
// as it has, a "?" taking one code of any value. Ways with fewer than three known codes are not
// looked for. Members and the word are ASCII here, so a member's bytes are its letters.
std::vector<Hit> NaiveWordHits(const Bytes& data, const std::string& word,
                               std::span<const CharacterSet> sets, LetterWidth width) {
    const std::size_t unit = width == LetterWidth::OneByte ? 1 : 2;
    const auto lead = static_cast<std::size_t>(word.find_first_not_of('?'));
    std::vector<Hit> hits;
    for (std::uint64_t offset = 0; offset < data.size(); ++offset) {
        const auto codeAt = [&](std::size_t code) -> std::optional<std::int64_t> {
            if (offset + (code + 1) * unit > data.size()) return std::nullopt;
            return test::NaiveValue(data, offset + code * unit, width);
        };
        for (std::size_t s = 0; s < sets.size(); ++s) {
            const CharacterSet& set = sets[s];
            const auto memberAt = [&](std::size_t w, std::int64_t m) {
                return m >= 0 && m < static_cast<std::int64_t>(set.size()) &&
                       std::string_view(word).substr(w).starts_with(
                           set.member(static_cast<std::size_t>(m)));
            };
            const auto first = codeAt(lead);
            if (!first) continue;
            for (std::size_t k = 0; k < set.size(); ++k) {
                if (!memberAt(lead, static_cast<std::int64_t>(k))) continue;
                const std::int64_t start = *first - static_cast<std::int64_t>(k);
                std::function<void(std::size_t, std::size_t, std::size_t)> match =
                    [&](std::size_t w, std::size_t code, std::size_t known) {
                        if (w == word.size()) {
                            const std::int64_t last =
                                start + static_cast<std::int64_t>(set.size()) - 1;
                            if (known >= 3) {
                                hits.push_back({offset, s, static_cast<int>(start),
                                                start >= 0 && last <= 255});
                            }
                            return;
                        }
                        const auto value = codeAt(code);
                        if (!value) return;
                        if (word[w] == '?') return match(w + 1, code + 1, known);
                        const std::int64_t m = *value - start;
                        if (memberAt(w, m)) {
                            match(w + set.member(static_cast<std::size_t>(m)).size(), code + 1,
                                  known + 1);
                        }
                    };
                match(0, 0, 0);
            }
        }
    }
    return hits;
}

std::vector<Hit> InOrder(std::vector<Hit> hits) {
    std::sort(hits.begin(), hits.end(), [](const Hit& a, const Hit& b) {
        return std::tie(a.offset, a.set, a.start) < std::tie(b.offset, b.set, b.start);
    });
    return hits;
}

// Sets with members of two and three letters (DTE and MTE pairs) among single ones, a word over
// their letters, and a stand-in file with the word planted in each set, split at random: the
// search must find just what the plain reading finds, over block edges and at the file's end.
TEST(SearchEveryOrder, WordsOfSeveralLetterMembersAgreeWithThePlainReading) {
    std::mt19937 random(17);
    const std::string alphabet = "abcdef";
    const auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    bool severalLengths = false;
    for (int trial = 0; trial < 12; ++trial) {
        std::vector<UserSet> own;
        for (int n = 0; n < 3; ++n) {
            std::vector<std::string> members;
            for (const char letter : alphabet) members.emplace_back(1, letter);
            while (members.size() < alphabet.size() + 4) {
                std::string pair;
                for (std::size_t k = 0; k < 2 + pick(2); ++k) pair += alphabet[pick(4)];
                if (std::find(members.begin(), members.end(), pair) == members.end()) {
                    members.push_back(pair);
                }
            }
            std::shuffle(members.begin(), members.end(), random);
            own.push_back({"Pairs " + std::to_string(n), members});
        }
        const SetCatalogue catalogue(own);
        const auto sets = catalogue.Sets().subspan(catalogue.BuiltInCount());
        std::string word;
        for (std::size_t k = 0; k < 5 + pick(4); ++k) word += alphabet[pick(4)];
        word[1 + pick(word.size() - 2)] = '?';

        const auto words = ParseSearchWords(word, sets, 1000);
        ASSERT_TRUE(words.ok()) << word;
        severalLengths = severalLengths || words.value().size() > 1;
        for (const LetterWidth width : {LetterWidth::OneByte, LetterWidth::TwoBytesLittleEndian}) {
            const std::size_t unit = width == LetterWidth::OneByte ? 1 : 2;
            Bytes data(2048 * unit);
            for (auto& byte : data) byte = static_cast<std::uint8_t>(pick(24));
            // Each set's split of the word, planted twice; the last one at the file's end.
            for (std::size_t s = 0; s < sets.size(); ++s) {
                for (const std::size_t plant : {0u, 1u}) {
                    const bool atEnd = plant == 1 && s + 1 == sets.size();
                    std::vector<int> codes;
                    const int start = static_cast<int>(pick(200));
                    for (std::size_t w = 0; w < word.size();) {
                        std::vector<std::size_t> fits;
                        for (std::size_t k = 0; k < sets[s].size(); ++k) {
                            if (word.substr(w).starts_with(sets[s].member(k))) fits.push_back(k);
                        }
                        if (word[w] == '?' || fits.empty()) {
                            codes.push_back(static_cast<int>(pick(256)));
                            ++w;
                            continue;
                        }
                        const std::size_t k = fits[pick(fits.size())];
                        codes.push_back(start + static_cast<int>(k));
                        w += sets[s].member(k).size();
                    }
                    const std::size_t at = atEnd ? data.size() - codes.size() * unit
                                                 : (100 + 300 * s + 150 * plant) * unit;
                    for (std::size_t c = 0; c < codes.size(); ++c) {
                        data[at + c * unit] = static_cast<std::uint8_t>(codes[c]);
                        if (unit == 2) data[at + c * unit + 1] = 0;
                    }
                }
            }
            const auto prepared = RelativeSearch::Prepare(words.value(), width, sets);
            ASSERT_TRUE(prepared.ok());
            const std::vector<Hit> want = InOrder(NaiveWordHits(data, word, sets, width));
            ASSERT_GE(want.size(), 2 * sets.size()) << word;
            test::TempFolder folder;
            const GameFile file = Written(folder, data);
            for (const std::size_t block : {1u, 7u, 64u, 1u << 20}) {
                SearchOptions options;
                options.blockSize = block;
                const SearchResults got = Searched(prepared.value(), file, options);
                EXPECT_EQ(got.hitCount, want.size()) << word << " block " << block;
                EXPECT_TRUE(InOrder(got.hits) == want) << word << " block " << block;
            }
        }
    }
    EXPECT_TRUE(severalLengths);
}

// However many ways a word splits, only so many are searched of each set, longer members first;
// a set of single letters alone gives the word letter for letter, as before.
TEST(SearchEveryOrder, TheSplitsOfAWordAreBounded) {
    const SetCatalogue catalogue(std::vector<UserSet>{{"Runs", {"a", "aa", "aaa"}}});
    const auto sets = catalogue.Sets();
    const auto words = ParseSearchWords("aaaaaaaaaaaaaaaaaaaa", sets, 16);
    ASSERT_TRUE(words.ok());
    std::size_t splits = 0;
    for (const SearchWord& word : words.value()) splits += word.candidates.size();
    EXPECT_EQ(splits, 16u + 2u);  // and the built-in ASCII and a-z hold it letter for letter
    EXPECT_EQ(words.value().size() > 1, true);
    // The first split taken has the longest members: seven codes.
    EXPECT_EQ(words.value()[1].letterCount, 7u);

    const auto plain = ParseSearchWords("ゆうしゃ");
    ASSERT_TRUE(plain.ok());
    ASSERT_EQ(plain.value().size(), 1u);
    EXPECT_EQ(plain.value()[0], ParseSearchWord("ゆうしゃ").value());
    // A letter found only inside a longer member is in a set all the same.
    const SetCatalogue the(std::vector<UserSet>{{"The", {"th", "e", "x"}}});
    EXPECT_EQ(
        ParseSearchWords("thexth", the.Sets().subspan(the.BuiltInCount())).value()[0].letterCount,
        4u);
    EXPECT_EQ(ParseSearchWords("thq", the.Sets().subspan(the.BuiltInCount())).error(),
              (WordError{WordProblem::LetterInNoSet, "q"}));
}

}  // namespace
}  // namespace glyphwright
