#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "core/game/GameFile.h"
#include "core/search/SearchWord.h"
#include "core/sets/UserSet.h"
#include "core/table/Result.h"

namespace glyphwright {

// How a game stores one letter: one byte, or a 16-bit word in either byte order.
enum class LetterWidth { OneByte, TwoBytesLittleEndian, TwoBytesBigEndian };

// The word found at `offset` (its first letter, "?" or not), as written with set `set` laid from
// code `start`. `fits` is false when that layout would leave 00..FF.
struct Hit {
    std::uint64_t offset = 0;
    std::size_t set = 0;  // index into the sets searched
    int start = 0;
    bool fits = false;

    friend bool operator==(const Hit&, const Hit&) = default;
};

// All hits that agree on one set and start code.
struct HitGroup {
    std::size_t set = 0;
    int start = 0;
    bool fits = false;
    std::uint64_t hitCount = 0;
    std::uint64_t firstOffset = 0;
    std::vector<std::uint64_t> examples;  // the first offsets, up to the limits below

    friend bool operator==(const HitGroup&, const HitGroup&) = default;
};

// The instructions the search's filter may use: the widest the processor has, or narrower ones,
// which give the same rows (the tests hold each to that).
enum class FilterInstructions { Widest, Ssse3, Plain };

// Memory stays bounded by these, not by the file or the number of hits: every hit and group is
// counted, but only the first `maxStoredHits` hits are kept, and of each group only its first
// `examplesPerGroup` offsets while fewer than `maxStoredExamples` are kept in all. The groups
// themselves are at most one per set and start code (about 2100 with one byte per letter,
// 460 000 with two).
struct SearchOptions {
    std::size_t blockSize = std::size_t{1} << 20;  // bytes read at once
    std::size_t maxStoredHits = 100000;
    // Every offset of a group is kept while the total allows; the view counts the rest.
    std::size_t examplesPerGroup = 65536;
    std::size_t maxStoredExamples = 65536;
    FilterInstructions instructions = FilterInstructions::Widest;
};

struct SearchResults {
    std::uint64_t hitCount = 0;  // all hits, stored or not
    std::vector<Hit> hits;       // the first ones, by offset, then set
    // Most hits first; among equals, the one whose first hit comes earlier, then catalogue order.
    std::vector<HitGroup> groups;
};

struct SearchCancelled {
    std::uint64_t bytesDone = 0;

    friend bool operator==(SearchCancelled, SearchCancelled) = default;
};

// Why a search ended without results: it was told to stop, or the file failed it.
using SearchStop = std::variant<SearchCancelled, GameFileError>;

// Bytes read so far, and the file's size.
using SearchProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

// One letter's worth of bytes near a hit: the code they hold and the member of the hit's set
// that code stands for with the hit's start (empty where it stands for none).
struct ContextCell {
    std::uint64_t offset = 0;
    std::uint32_t code = 0;
    std::string member;  // EUC-JP or ASCII bytes, as in the set

    friend bool operator==(const ContextCell&, const ContextCell&) = default;
};

struct HitContext {
    std::uint64_t offset = 0;         // file offset of bytes[0]
    std::vector<std::uint8_t> bytes;  // as read
    std::vector<ContextCell> cells;   // on the hit's letter grid
};

// The fast filter's tables: eight buckets of wanted differences, looked up by nibble. Bit b of
// low[k][n] is set when a wanted pattern of bucket b has a difference k whose low nibble is n,
// and so on; a position passes when, for some bucket, every difference has nibbles of it.
struct NibbleTables {
    std::uint8_t low[3][16] = {};
    std::uint8_t high[3][16] = {};
};

// A search of a game file for a word whose letters are stored as consecutive codes of an unknown
// start: it finds every place where the codes keep the distances of the word's letters in one of
// the sets it was prepared with (the built-in ones unless told otherwise). Where a set has members
// of several characters, every split of the word into them is looked for (see ParseSearchWords).
// One prepared search may run on any number of files and threads at once; it keeps no state
// between runs.
class RelativeSearch {
public:
    [[nodiscard]] static Result<RelativeSearch, WordError> Prepare(
        std::string_view word, LetterWidth width,
        std::span<const CharacterSet> sets = BuiltInSets());
    // For words built by hand: at least three known letters, and places that exist in the sets.
    [[nodiscard]] static Result<RelativeSearch, WordError> Prepare(
        SearchWord word, LetterWidth width, std::span<const CharacterSet> sets = BuiltInSets());
    // Several words at once, all looked for in one pass: the splits of one typed word.
    [[nodiscard]] static Result<RelativeSearch, WordError> Prepare(
        std::vector<SearchWord> words, LetterWidth width,
        std::span<const CharacterSet> sets = BuiltInSets());

    // The sets searched, copied when prepared, so that a search outlives edits of the catalogue.
    // Hit::set and HitGroup::set index these.
    [[nodiscard]] const std::vector<UserSet>& Sets() const { return sets_; }

    // The words looked for: one, or one for each length the word's splits have.
    [[nodiscard]] std::size_t WordCount() const { return layouts_.size(); }
    [[nodiscard]] const SearchWord& Word(std::size_t i = 0) const { return layouts_[i].word; }
    [[nodiscard]] LetterWidth Width() const { return width_; }
    // Per set, how many letters of the word as typed it holds: among groups otherwise equal, the
    // set holding more comes first. Empty for a word not typed.
    [[nodiscard]] const std::vector<std::size_t>& LettersHeldBySet() const { return writtenIn_; }
    // Bytes word `i` covers in the file; a hit lies wholly inside the file.
    [[nodiscard]] std::size_t SpanBytes(std::size_t i = 0) const {
        return layouts_[i].word.letterCount * unit_;
    }

    // Reads the file once, in blocks, checking every candidate set in the same pass. `progress`
    // is called after each block, `cancel` is looked at before each.
    [[nodiscard]] Result<SearchResults, SearchStop> Run(const GameFile& file,
                                                        const std::atomic<bool>& cancel,
                                                        const SearchProgress& progress = {},
                                                        const SearchOptions& options = {}) const;

    // The bytes from `before` bytes ahead of the hit to `after` bytes from its start, clipped at
    // the ends of the file and to whole letters.
    [[nodiscard]] Result<HitContext, GameFileError> Context(const GameFile& file, const Hit& hit,
                                                            std::size_t before = 16,
                                                            std::size_t after = 32) const;

private:
    // Candidate sets whose places differ by the same amounts are found by one test.
    struct Pattern {
        std::vector<int> differences;  // place of known letter j minus place of the first
    };

    // One word: where its known letters sit, and the patterns its candidates make.
    struct Layout {
        SearchWord word;
        std::vector<std::size_t> knownOffsets;  // byte offset of each known letter in the word
        std::vector<Pattern> patterns;
        std::vector<std::size_t> patternOf;  // pattern index of each candidate
        // Its patterns' first two differences modulo 256, as a bitmap indexed by d1 * 256 + d2.
        std::vector<std::uint64_t> wantBits;
    };

    // The fast filter, one pass over the bytes for all the words whose first three known letters
    // sit alike (every split of a word without "?").
    struct Filter {
        // Where the low bytes of the first known letters sit in the word: the filter compares
        // only their differences from the first, modulo 256. The fourth is used when every word
        // of the filter has one there and the first two differences alone would let much through.
        std::size_t offsets[4] = {0, 0, 0, 0};
        std::size_t differences = 2;
        // The words' first two differences modulo 256 as a bitmap indexed by d1 * 256 + d2, for
        // what the nibbles let through and for positions looked at one by one.
        std::vector<std::uint64_t> wantBits;
        NibbleTables nibbles;
        std::vector<std::size_t> layouts;  // the words it serves
    };

    class Collector;

    RelativeSearch(std::vector<SearchWord> words, LetterWidth width,
                   std::span<const CharacterSet> sets);
    [[nodiscard]] Layout MakeLayout(SearchWord word) const;
    void MakeFilters();
    [[nodiscard]] bool Fits(std::size_t set, int start) const;
    // Looks at `positions` starts; word w of the filter only at the first startsOf[w].
    void Scan(const Filter& filter, const std::uint8_t* bytes, std::size_t positions,
              const std::vector<std::size_t>& startsOf, std::uint64_t offset,
              FilterInstructions instructions, Collector& collector) const;
    void Verify(const Layout& layout, const std::uint8_t* at, std::uint64_t offset,
                Collector& collector) const;

    std::vector<UserSet> sets_;
    // How many letters of the word as typed each set holds: among rows that tie on the bytes,
    // the set the word is written in comes first (katakana for a katakana word).
    std::vector<std::size_t> writtenIn_;
    LetterWidth width_;
    std::size_t unit_;  // bytes per letter
    std::vector<Layout> layouts_;
    std::vector<Filter> filters_;
};

}  // namespace glyphwright
