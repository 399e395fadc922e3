#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <tuple>
#include <vector>

#include "core/sets/BuiltInSets.h"
#include "core/search/RelativeSearch.h"
#include "core/text/EucJp.h"
#include "support/NaiveRelativeSearch.h"
#include "support/TempFolder.h"

namespace glyphwright {
namespace {

using test::NaiveHits;
using test::NaiveResults;
using Bytes = std::vector<std::uint8_t>;

constexpr std::size_t kHiragana = 0, kKatakana = 1, kHandakuten = 3, kUppercase = 4, kLowercase = 5,
                      kDigits = 6;
// These cases pin the classic seven; the further orders have tests of their own.
const auto kClassic = BuiltInSets().first(kClassicSetCount);
constexpr LetterWidth kWidths[] = {LetterWidth::OneByte, LetterWidth::TwoBytesLittleEndian,
                                   LetterWidth::TwoBytesBigEndian};

SearchWord Parsed(const std::string& word) {
    const auto parsed = ParseSearchWord(word, kClassic);
    EXPECT_TRUE(parsed.ok()) << word;
    return parsed.ok() ? parsed.value() : SearchWord{};
}

RelativeSearch Prepared(const SearchWord& word, LetterWidth width) {
    const auto search = RelativeSearch::Prepare(word, width, kClassic);
    if (!search) throw std::runtime_error("refused a word");
    return search.value();
}

GameFile Written(const test::TempFolder& folder, const Bytes& data) {
    const std::string path = folder / "game.bin";
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(data.data()),
               static_cast<std::streamsize>(data.size()));
    return GameFile::Open(path).value();
}

SearchResults Searched(const RelativeSearch& search, const GameFile& file,
                       const SearchOptions& options) {
    const std::atomic<bool> cancel{false};
    const auto run = search.Run(file, cancel, {}, options);
    if (!run) throw std::runtime_error("the search failed");
    return run.value();
}

// Writes `word` at `offset` as laid from `start` in candidate `c`.
void Plant(Bytes& data, const SearchWord& word, std::size_t c, LetterWidth width,
           std::uint64_t offset, int start) {
    const std::size_t unit = width == LetterWidth::OneByte ? 1 : 2;
    for (std::size_t j = 0; j < word.known.size(); ++j) {
        const auto value = static_cast<unsigned>(start + word.candidates[c].places[j]);
        const std::size_t at = offset + word.known[j] * unit;
        if (width == LetterWidth::OneByte) {
            data[at] = static_cast<std::uint8_t>(value);
        } else {
            const bool little = width == LetterWidth::TwoBytesLittleEndian;
            data[at + (little ? 0 : 1)] = static_cast<std::uint8_t>(value & 0xFF);
            data[at + (little ? 1 : 0)] = static_cast<std::uint8_t>(value >> 8);
        }
    }
}

void ExpectSame(const SearchResults& got, const SearchResults& want, const std::string& where) {
    EXPECT_EQ(got.hitCount, want.hitCount) << where;
    EXPECT_TRUE(got.hits == want.hits) << where;
    EXPECT_TRUE(got.groups == want.groups) << where;
}

TEST(RelativeSearchTest, ReadsTypedWords) {
    // Kana typed in one script are looked for in sets of the other too.
    EXPECT_EQ(Parsed("あいう"),
              (SearchWord{3, {0, 1, 2}, {{kHiragana, {0, 1, 2}}, {kKatakana, {0, 1, 2}}}}));
    EXPECT_EQ(Parsed("?ab?d"), (SearchWord{5, {1, 2, 4}, {{kLowercase, {0, 1, 3}}}}));
    EXPECT_EQ(Parsed("ZYX？"), (SearchWord{4, {0, 1, 2}, {{kUppercase, {25, 24, 23}}}}));
    EXPECT_EQ(Parsed("ポパピ"), (SearchWord{3, {0, 1, 2}, {{kHandakuten, {9, 5, 6}}}}));
    EXPECT_EQ(Parsed("909"), (SearchWord{3, {0, 1, 2}, {{kDigits, {9, 0, 9}}}}));

    const auto refused = [](const std::string& word) {
        const auto parsed = RelativeSearch::Prepare(word, LetterWidth::OneByte, kClassic);
        return parsed ? WordError{} : parsed.error();
    };
    EXPECT_EQ(refused("ab?"), (WordError{WordProblem::TooFewLetters, ""}));
    EXPECT_EQ(refused(""), (WordError{WordProblem::TooFewLetters, ""}));
    EXPECT_EQ(refused("かな漢字"), (WordError{WordProblem::LetterInNoSet, "漢"}));
    EXPECT_EQ(refused("ab d"), (WordError{WordProblem::LetterInNoSet, " "}));
    EXPECT_EQ(refused("abあ"), (WordError{WordProblem::NoSetHoldsAll, ""}));
    EXPECT_EQ(refused("aB1"), (WordError{WordProblem::NoSetHoldsAll, ""}));
    EXPECT_FALSE(RelativeSearch::Prepare(SearchWord{3, {0, 1, 2}, {{kDigits, {0, 1, 10}}}},
                                         LetterWidth::OneByte)
                     .ok());
}

// Every offset the plain loop finds, and no other, for every set, width and block size, with
// words at both ends of the file and across block boundaries.
TEST(RelativeSearchTest, FindsWhatThePlainLoopFinds) {
    std::vector<SearchWord> words = {Parsed("あいう"), Parsed("カ?キクケ"), Parsed("ガギ?ぐ"),
                                     Parsed("ぱぴぷ"), Parsed("ABBA"),      Parsed("?zyx?"),
                                     Parsed("1?2?3"),  Parsed("ttt")};
    // Several candidates with two patterns, as a word held by more than one set would be.
    words.push_back(
        {6,
         {0, 2, 3, 5},
         {{kHiragana, {4, 1, 2, 3}}, {kKatakana, {5, 2, 3, 4}}, {kHandakuten, {9, 0, 1, 0}}}});
    std::mt19937 random(7);
    test::TempFolder folder;
    for (const SearchWord& word : words) {
        for (const LetterWidth width : kWidths) {
            const RelativeSearch search = Prepared(word, width);
            const std::size_t span = search.SpanBytes();
            // Noise of few values makes chance hits; full-range noise makes near misses.
            for (const unsigned noise : {4u, 256u}) {
                Bytes data(300);
                for (auto& byte : data) byte = static_cast<std::uint8_t>(random() % noise);
                for (std::size_t c = 0; c < word.candidates.size(); ++c) {
                    Plant(data, word, c, width, 0, 0);
                    // The highest start whose codes still fit in a byte.
                    const int top = 255 - *std::max_element(word.candidates[c].places.begin(),
                                                            word.candidates[c].places.end());
                    Plant(data, word, c, width, data.size() - span, top);
                    // One byte wraps a start that does not fit, and the word would not be there.
                    const int start =
                        width == LetterWidth::OneByte
                            ? static_cast<int>(random() % static_cast<unsigned>(top + 1))
                            : static_cast<int>(random() % 300) - 20;
                    Plant(data, word, c, width, 61 + 20 * c, start);
                }
                const GameFile file = Written(folder, data);
                const std::vector<Hit> want = NaiveHits(data, word, width);
                ASSERT_GE(want.size(), 3u);
                for (const std::size_t block : {1u, 2u, 3u, 16u, 17u, 64u, 1000u}) {
                    const std::string where = "word " + std::to_string(&word - &words[0]) +
                                              " width " + std::to_string(int(width)) + " block " +
                                              std::to_string(block);
                    SearchOptions options;
                    options.blockSize = block;
                    ExpectSame(Searched(search, file, options), NaiveResults(want, options, search.LettersHeldBySet()), where);
                    // Bounded storage keeps the first hits and examples, and counts them all.
                    options.maxStoredHits = 2;
                    options.examplesPerGroup = 2;
                    options.maxStoredExamples = 3;
                    ExpectSame(Searched(search, file, options), NaiveResults(want, options, search.LettersHeldBySet()), where);
                }
            }
        }
    }
}

TEST(RelativeSearchTest, ReportsProgressAndStopsWhenCancelled) {
    test::TempFolder folder;
    const GameFile file = Written(folder, Bytes(1000, 0x41));
    const RelativeSearch search = Prepared(Parsed("AAA"), LetterWidth::OneByte);
    SearchOptions options;
    options.blockSize = 300;

    std::atomic<bool> cancel{false};
    std::vector<std::uint64_t> done;
    const auto finished = search.Run(
        file, cancel, [&](std::uint64_t d, std::uint64_t) { done.push_back(d); }, options);
    ASSERT_TRUE(finished.ok());
    EXPECT_EQ(finished.value().hitCount, 998u);
    EXPECT_EQ(finished.value().groups.size(), 1u);
    EXPECT_EQ(done, (std::vector<std::uint64_t>{302, 602, 902, 1000}));

    const auto cancelled = search.Run(
        file, cancel, [&](std::uint64_t, std::uint64_t) { cancel = true; }, options);
    ASSERT_FALSE(cancelled.ok());
    EXPECT_EQ(std::get<SearchCancelled>(cancelled.error()).bytesDone, 302u);
}

TEST(RelativeSearchTest, ShowsTheBytesAroundAHitAsTheSetReadsThem) {
    test::TempFolder folder;
    // "ABC" as 16-bit big-endian codes from 0x0140 at offset 5, between other bytes.
    const Bytes data = {0x00, 0x01, 0x42, 0x01, 0x99, 0x01, 0x40, 0x01,
                        0x41, 0x01, 0x42, 0x01, 0x59, 0x02, 0x40, 0xFF};
    const GameFile file = Written(folder, data);
    const RelativeSearch search = Prepared(Parsed("ABC"), LetterWidth::TwoBytesBigEndian);
    const SearchResults results = Searched(search, file, {});
    ASSERT_EQ(results.hits, (std::vector<Hit>{{5, kUppercase, 0x140, false}}));

    const auto context = search.Context(file, results.hits[0], 16, 20);
    ASSERT_TRUE(context.ok());
    EXPECT_EQ(context.value().offset, 1u);
    EXPECT_EQ(context.value().bytes, Bytes(data.begin() + 1, data.end()));
    const std::vector<ContextCell> cells = {{1, 0x0142, "C"}, {3, 0x0199, ""},  {5, 0x0140, "A"},
                                            {7, 0x0141, "B"}, {9, 0x0142, "C"}, {11, 0x0159, "Z"},
                                            {13, 0x0240, ""}};
    EXPECT_EQ(context.value().cells, cells);
}

// Rows that tie on the bytes: the set the word is written in first, whatever the catalogue's
// order; a run that would begin before 00 after every row that fits, though it comes earlier.
TEST(RelativeSearchTest, RanksTheSetTheWordIsWrittenInFirstAndRunsBeforeZeroLast) {
    test::TempFolder folder;
    const auto placeOf = [](std::size_t set, const char* letter) {
        const auto members = kClassic[set].members;
        const auto euc = EncodeEucJp(letter).value();
        return static_cast<std::uint8_t>(std::find(members.begin(), members.end(), euc) -
                                         members.begin());
    };
    // カメラ from A0 in the classic katakana, which sits where かめら does in the hiragana.
    Bytes data = {0x00};
    for (const char* letter : {"カ", "メ", "ラ"}) {
        data.push_back(static_cast<std::uint8_t>(0xA0 + placeOf(kKatakana, letter)));
    }
    ASSERT_EQ(placeOf(kKatakana, "メ"), placeOf(kHiragana, "め"));
    const GameFile kana = Written(folder, data);
    for (const auto& [word, first, second] :
         {std::tuple{"カメラ", kKatakana, kHiragana}, std::tuple{"かめら", kHiragana, kKatakana}}) {
        const auto search = RelativeSearch::Prepare(word, LetterWidth::OneByte, kClassic);
        ASSERT_TRUE(search.ok()) << word;
        const SearchResults results = Searched(search.value(), kana, {});
        ASSERT_EQ(results.groups.size(), 2u) << word;
        EXPECT_EQ(results.groups[0].set, first) << word;
        EXPECT_EQ(results.groups[1].set, second) << word;
    }

    // CDE laid from -2 (bytes 00 01 02) first in the file, then from 40.
    test::TempFolder other;
    const GameFile letters = Written(other, {0x00, 0x01, 0x02, 0x09, 0x42, 0x43, 0x44});
    const auto search = RelativeSearch::Prepare("CDE", LetterWidth::OneByte, kClassic);
    ASSERT_TRUE(search.ok());
    const SearchResults results = Searched(search.value(), letters, {});
    ASSERT_EQ(results.groups.size(), 2u);
    EXPECT_EQ(results.groups[0].start, 0x40);
    EXPECT_EQ(results.groups[1].start, -2);
}

bool UnderSanitizer() {
#if defined(__SANITIZE_ADDRESS__)
    return true;
#elif defined(__has_feature)
    return __has_feature(address_sanitizer);
#else
    return false;
#endif
}

long PeakRssKb() {
    rusage usage{};
    ::getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

// A file past 4 GiB, holes but for two words: offsets above 32 bits, and memory that does not
// grow with the file. On tmpfs where there is one, whose holes read without filling the page cache.
TEST(RelativeSearchTest, SearchesAFileLargerThanFourGiBInBoundedMemory) {
    if (UnderSanitizer()) GTEST_SKIP() << "reading 4 GiB under the sanitizers takes minutes";
    test::TempFolder folder;
    struct Removed {
        std::string path;
        ~Removed() { std::filesystem::remove(path); }
    } huge{std::filesystem::is_directory("/dev/shm")
               ? "/dev/shm/glyphwright-test-" + std::to_string(::getpid()) + ".bin"
               : folder / "huge.bin"};
    const std::string& path = huge.path;
    const std::uint64_t size = (std::uint64_t{4} << 30) + 4096;
    const std::uint64_t across = (std::uint64_t{4} << 30) - 1;
    {
        std::ofstream(path, std::ios::binary);
        ASSERT_EQ(::truncate(path.c_str(), static_cast<off_t>(size)), 0);
        std::fstream out(path, std::ios::binary | std::ios::in | std::ios::out);
        out.seekp(static_cast<std::streamoff>(across)).write("xyz", 3);
        out.seekp(static_cast<std::streamoff>(size - 3)).write("abc", 3);
    }
    const GameFile file = GameFile::Open(path).value();
    ASSERT_EQ(file.Size(), size);
    const long before = PeakRssKb();
    const SearchResults results = Searched(Prepared(Parsed("abc"), LetterWidth::OneByte), file, {});
    EXPECT_LT(PeakRssKb() - before, 64 * 1024);
    EXPECT_EQ(results.hits, (std::vector<Hit>{{across, kLowercase, 'x', true},
                                              {size - 3, kLowercase, 'a', true}}));
}

}  // namespace
}  // namespace glyphwright
