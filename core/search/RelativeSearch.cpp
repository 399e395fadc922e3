#include "core/search/RelativeSearch.h"

#include "core/text/EucJp.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <tuple>
#include <unordered_map>
#include <utility>

#if defined(__x86_64__) && defined(__GNUC__)
#include <immintrin.h>
#define GLYPHWRIGHT_NIBBLE_FILTER 1
#endif

namespace glyphwright {
namespace {

// How many letters of `word` (UTF-8) as typed each set holds, by their EUC-JP bytes.
std::vector<std::size_t> LettersHeld(std::string_view word, std::span<const CharacterSet> sets) {
    std::vector<std::string> letters;
    for (std::size_t i = 0; i < word.size();) {
        const auto lead = static_cast<unsigned char>(word[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (const auto bytes = EncodeEucJp(word.substr(i, length)); bytes) {
            letters.push_back(bytes.value());
        }
        i += length;
    }
    std::vector<std::size_t> held;
    held.reserve(sets.size());
    for (const CharacterSet& set : sets) {
        held.push_back(static_cast<std::size_t>(
            std::count_if(letters.begin(), letters.end(), [&](const std::string& letter) {
                return std::find(set.members.begin(), set.members.end(), letter) !=
                       set.members.end();
            })));
    }
    return held;
}

std::size_t UnitOf(LetterWidth width) {
    return width == LetterWidth::OneByte ? 1 : 2;
}

std::uint32_t ValueAt(const std::uint8_t* at, LetterWidth width) {
    switch (width) {
        case LetterWidth::OneByte:
            return at[0];
        case LetterWidth::TwoBytesLittleEndian:
            return static_cast<std::uint32_t>(at[0] | (at[1] << 8));
        case LetterWidth::TwoBytesBigEndian:
            return static_cast<std::uint32_t>((at[0] << 8) | at[1]);
    }
    return 0;
}

bool IsValid(const SearchWord& word, std::span<const CharacterSet> sets) {
    if (!std::is_sorted(word.known.begin(), word.known.end()) ||
        std::adjacent_find(word.known.begin(), word.known.end()) != word.known.end() ||
        (!word.known.empty() && word.known.back() >= word.letterCount)) {
        return false;
    }
    for (std::size_t c = 0; c < word.candidates.size(); ++c) {
        const SetPlaces& candidate = word.candidates[c];
        // A set may come again, for another split of the word into its members.
        if (candidate.set >= sets.size() || candidate.places.size() != word.known.size() ||
            (c > 0 && candidate.set < word.candidates[c - 1].set)) {
            return false;
        }
        for (const int place : candidate.places) {
            if (place < 0 || static_cast<std::size_t>(place) >= sets[candidate.set].size()) {
                return false;
            }
        }
    }
    return true;
}

// Out of line: GCC 12 with the sanitizers warns falsely of an uninitialized string when the
// variant is built in place inside Run.
[[gnu::noinline]] Result<SearchResults, SearchStop> Stopped(SearchStop why) {
    return why;
}

#ifdef GLYPHWRIGHT_NIBBLE_FILTER
// The wanted differences go into eight buckets, and a position passes when, for some bucket, each
// of its differences has the low and the high nibble of a pattern of that bucket: two table
// lookups per difference for a whole vector of positions, however many patterns there are. With
// at most eight patterns, one to a bucket, the test is exact; beyond, what slips through is
// weeded out by `candidate`. `D` differences are compared: the second, third (and fourth) known
// letter's low byte less the first's. Calls `candidate(i)` for each position that passes; returns
// the first position it did not look at.
template <std::size_t D>
struct Avx2Tables {
    __m256i low[D];
    __m256i high[D];
    __m256i nibble;
};

// The buckets the 32 positions from `at[0]` on fall into: a byte that is not zero passes.
template <std::size_t D>
[[gnu::target("avx2"), gnu::always_inline]] inline __m256i BucketsAvx2(
    const std::uint8_t* const (&at)[D + 1], std::size_t i, const Avx2Tables<D>& tables) {
    const __m256i base = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at[0] + i));
    __m256i buckets = _mm256_set1_epi8(-1);
    for (std::size_t k = 0; k < D; ++k) {
        const __m256i d = _mm256_sub_epi8(
            _mm256_loadu_si256(reinterpret_cast<const __m256i*>(at[k + 1] + i)), base);
        buckets = _mm256_and_si256(
            buckets, _mm256_shuffle_epi8(tables.low[k], _mm256_and_si256(d, tables.nibble)));
        buckets = _mm256_and_si256(
            buckets, _mm256_shuffle_epi8(tables.high[k],
                                         _mm256_and_si256(_mm256_srli_epi16(d, 4), tables.nibble)));
    }
    return buckets;
}

template <std::size_t D, class Candidate>
[[gnu::target("avx2")]] std::size_t FilterNibblesAvx2(const std::uint8_t* bytes,
                                                      std::size_t positions,
                                                      const std::size_t (&offsets)[4],
                                                      const NibbleTables& nibbles,
                                                      Candidate&& candidate) {
    Avx2Tables<D> tables;
    for (std::size_t k = 0; k < D; ++k) {
        tables.low[k] = _mm256_broadcastsi128_si256(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(nibbles.low[k])));
        tables.high[k] = _mm256_broadcastsi128_si256(
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(nibbles.high[k])));
    }
    tables.nibble = _mm256_set1_epi8(0x0F);
    const __m256i zero = _mm256_setzero_si256();
    const std::uint8_t* at[D + 1];
    for (std::size_t k = 0; k <= D; ++k) at[k] = bytes + offsets[k];
    // Sixty-four positions a turn, tested as one: nearly every turn passes nothing.
    std::size_t i = 0;
    for (; i + 64 <= positions; i += 64) {
        const __m256i first = BucketsAvx2<D>(at, i, tables);
        const __m256i second = BucketsAvx2<D>(at, i + 32, tables);
        const __m256i any = _mm256_or_si256(first, second);
        if (_mm256_testz_si256(any, any) != 0) continue;
        std::uint64_t mask =
            ~static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(first, zero))) |
            std::uint64_t{
                ~static_cast<std::uint32_t>(_mm256_movemask_epi8(_mm256_cmpeq_epi8(second, zero)))}
                << 32;
        for (; mask != 0; mask &= mask - 1) {
            candidate(i + static_cast<std::size_t>(__builtin_ctzll(mask)));
        }
    }
    for (; i + 32 <= positions; i += 32) {
        auto mask = ~static_cast<std::uint32_t>(
            _mm256_movemask_epi8(_mm256_cmpeq_epi8(BucketsAvx2<D>(at, i, tables), zero)));
        for (; mask != 0; mask &= mask - 1) {
            candidate(i + static_cast<std::size_t>(__builtin_ctz(mask)));
        }
    }
    return i;
}

// The same sixteen positions at a time, for processors without AVX2.
template <std::size_t D, class Candidate>
[[gnu::target("ssse3")]] std::size_t FilterNibblesSsse3(const std::uint8_t* bytes,
                                                        std::size_t positions,
                                                        const std::size_t (&offsets)[4],
                                                        const NibbleTables& tables,
                                                        Candidate&& candidate) {
    __m128i low[D];
    __m128i high[D];
    for (std::size_t k = 0; k < D; ++k) {
        low[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(tables.low[k]));
        high[k] = _mm_loadu_si128(reinterpret_cast<const __m128i*>(tables.high[k]));
    }
    const __m128i nibble = _mm_set1_epi8(0x0F);
    const __m128i zero = _mm_setzero_si128();
    const std::uint8_t* first = bytes + offsets[0];
    std::size_t i = 0;
    for (; i + 16 <= positions; i += 16) {
        const __m128i base = _mm_loadu_si128(reinterpret_cast<const __m128i*>(first + i));
        __m128i buckets = _mm_set1_epi8(-1);
        for (std::size_t k = 0; k < D; ++k) {
            const __m128i d = _mm_sub_epi8(
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + offsets[k + 1] + i)),
                base);
            buckets = _mm_and_si128(buckets, _mm_shuffle_epi8(low[k], _mm_and_si128(d, nibble)));
            buckets = _mm_and_si128(
                buckets, _mm_shuffle_epi8(high[k], _mm_and_si128(_mm_srli_epi16(d, 4), nibble)));
        }
        auto mask =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(buckets, zero))) ^ 0xFFFFu;
        for (; mask != 0; mask &= mask - 1) {
            candidate(i + static_cast<std::size_t>(__builtin_ctz(mask)));
        }
    }
    return i;
}
#endif

}  // namespace

class RelativeSearch::Collector {
public:
    explicit Collector(const SearchOptions& options) : options_(options) {}

    void Add(std::uint64_t offset, std::size_t set, int start, bool fits) {
        ++results_.hitCount;
        if (results_.hits.size() < options_.maxStoredHits) {
            results_.hits.push_back({offset, set, start, fits});
        }
        const std::uint64_t key = (std::uint64_t{set} << 32) | static_cast<std::uint32_t>(start);
        auto [found, isNew] = groups_.try_emplace(key);
        HitGroup& group = found->second;
        if (isNew) group = {set, start, fits, 0, offset, {}};
        group.firstOffset = std::min(group.firstOffset, offset);  // words are scanned in turn
        ++group.hitCount;
        if (group.examples.size() < options_.examplesPerGroup &&
            storedExamples_ < options_.maxStoredExamples) {
            group.examples.push_back(offset);
            ++storedExamples_;
        }
    }

    // With several words, a block's hits come word by word: put back in offset order.
    void BlockDone() {
        std::sort(results_.hits.begin() + static_cast<std::ptrdiff_t>(sortedHits_),
                  results_.hits.end(), [](const Hit& a, const Hit& b) {
                      return std::tie(a.offset, a.set, a.start) <
                             std::tie(b.offset, b.set, b.start);
                  });
        sortedHits_ = results_.hits.size();
    }

    // `writtenIn`: per set, how many of the word's letters as typed it holds.
    SearchResults Finish(const std::vector<std::size_t>& writtenIn) && {
        BlockDone();
        results_.groups.reserve(groups_.size());
        for (auto& [key, group] : groups_) {
            std::sort(group.examples.begin(), group.examples.end());
            results_.groups.push_back(std::move(group));
        }
        std::sort(results_.groups.begin(), results_.groups.end(),
                  [&](const HitGroup& a, const HitGroup& b) {
                      // A run that would begin before 00 lays codes the table cannot hold.
                      if ((a.start < 0) != (b.start < 0)) return b.start < 0;
                      if (a.hitCount != b.hitCount) return a.hitCount > b.hitCount;
                      if (a.firstOffset != b.firstOffset) return a.firstOffset < b.firstOffset;
                      const std::size_t heldA = a.set < writtenIn.size() ? writtenIn[a.set] : 0;
                      const std::size_t heldB = b.set < writtenIn.size() ? writtenIn[b.set] : 0;
                      if (heldA != heldB) return heldA > heldB;
                      // Splits of one word may lay one set from two codes at the same offset.
                      return std::tie(a.set, a.start) < std::tie(b.set, b.start);
                  });
        return std::move(results_);
    }

    // Scratch for Verify, kept here so that a run allocates it once.
    std::vector<std::int64_t> values;
    std::vector<bool> matched;

private:
    SearchOptions options_;
    SearchResults results_;
    std::unordered_map<std::uint64_t, HitGroup> groups_;
    std::size_t storedExamples_ = 0;
    std::size_t sortedHits_ = 0;
};

RelativeSearch::RelativeSearch(std::vector<SearchWord> words, LetterWidth width,
                               std::span<const CharacterSet> sets)
    : width_(width), unit_(UnitOf(width)) {
    for (const CharacterSet& set : sets) {
        sets_.push_back({std::string(set.name), {set.members.begin(), set.members.end()}});
    }
    for (SearchWord& word : words) layouts_.push_back(MakeLayout(std::move(word)));
    MakeFilters();
}

RelativeSearch::Layout RelativeSearch::MakeLayout(SearchWord word) const {
    Layout layout;
    layout.word = std::move(word);
    for (const std::size_t letter : layout.word.known) {
        layout.knownOffsets.push_back(letter * unit_);
    }
    auto& patterns = layout.patterns;
    for (const SetPlaces& candidate : layout.word.candidates) {
        Pattern pattern;
        for (const int place : candidate.places) {
            pattern.differences.push_back(place - candidate.places[0]);
        }
        const auto same = std::find_if(patterns.begin(), patterns.end(), [&](const Pattern& p) {
            return p.differences == pattern.differences;
        });
        layout.patternOf.push_back(static_cast<std::size_t>(same - patterns.begin()));
        if (same == patterns.end()) patterns.push_back(std::move(pattern));
    }
    layout.wantBits.assign(256 * 256 / 64, 0);
    for (const Pattern& pattern : patterns) {
        const std::size_t bit =
            std::size_t{static_cast<std::uint8_t>(pattern.differences[1])} * 256 +
            static_cast<std::uint8_t>(pattern.differences[2]);
        layout.wantBits[bit / 64] |= std::uint64_t{1} << (bit % 64);
    }
    return layout;
}

void RelativeSearch::MakeFilters() {
    const std::size_t low = width_ == LetterWidth::TwoBytesBigEndian ? 1 : 0;
    for (std::size_t l = 0; l < layouts_.size(); ++l) {
        const Layout& layout = layouts_[l];
        std::size_t offsets[3];
        for (std::size_t j = 0; j < 3; ++j) offsets[j] = layout.knownOffsets[j] + low;
        auto filter = std::find_if(filters_.begin(), filters_.end(), [&](const Filter& f) {
            return std::equal(std::begin(offsets), std::end(offsets), std::begin(f.offsets));
        });
        if (filter == filters_.end()) {
            filters_.emplace_back();
            filter = filters_.end() - 1;
            std::copy(std::begin(offsets), std::end(offsets), std::begin(filter->offsets));
            filter->wantBits.assign(256 * 256 / 64, 0);
        }
        filter->layouts.push_back(l);
        for (std::size_t word = 0; word < filter->wantBits.size(); ++word) {
            filter->wantBits[word] |= layout.wantBits[word];
        }
    }
    for (Filter& filter : filters_) {
        // The fourth known letter sharpens the filter where every word has it in the same place.
        const Layout& front = layouts_[filter.layouts.front()];
        const std::size_t fourth = front.knownOffsets.size() > 3 ? front.knownOffsets[3] + low : 0;
        const bool haveFourth =
            fourth != 0 &&
            std::all_of(filter.layouts.begin(), filter.layouts.end(), [&](std::size_t l) {
                const auto& known = layouts_[l].knownOffsets;
                return known.size() > 3 && known[3] + low == fourth;
            });
        // The wanted differences modulo 256, each once.
        std::vector<std::array<std::uint8_t, 3>> wanted;
        for (const std::size_t l : filter.layouts) {
            for (const Pattern& pattern : layouts_[l].patterns) {
                wanted.push_back({static_cast<std::uint8_t>(pattern.differences[1]),
                                  static_cast<std::uint8_t>(pattern.differences[2]),
                                  haveFourth ? static_cast<std::uint8_t>(pattern.differences[3])
                                             : std::uint8_t{0}});
            }
        }
        std::sort(wanted.begin(), wanted.end());
        wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
        // Up to eight pairs of the first two differences, one to a bucket, are told apart
        // exactly; beyond, the third difference keeps what slips through rare.
        std::size_t pairs = 0;
        for (const std::uint64_t bits : filter.wantBits) {
            pairs += static_cast<std::size_t>(__builtin_popcountll(bits));
        }
        filter.differences = pairs > 8 && haveFourth ? 3 : 2;
        if (filter.differences == 3) {
            filter.offsets[3] = fourth;
        } else {
            for (auto& w : wanted) w[2] = 0;
            std::sort(wanted.begin(), wanted.end());
            wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
        }
        // Patterns alike in their high nibbles share a bucket, so that a bucket admits few
        // nibbles and the filter lets little through that the exact test then throws away.
        const std::size_t d = filter.differences;
        const auto key = [&](const std::array<std::uint8_t, 3>& w) {
            std::uint32_t k = 0;
            for (std::size_t j = 0; j < d; ++j) k = (k << 4) | (w[j] >> 4u);
            for (std::size_t j = 0; j < d; ++j) k = (k << 4) | (w[j] & 0x0Fu);
            return k;
        };
        std::sort(wanted.begin(), wanted.end(),
                  [&](const auto& a, const auto& b) { return key(a) < key(b); });
        for (std::size_t i = 0; i < wanted.size(); ++i) {
            const auto bucket = static_cast<std::uint8_t>(1u << (i * 8 / wanted.size()));
            for (std::size_t j = 0; j < d; ++j) {
                filter.nibbles.low[j][wanted[i][j] & 0x0F] |= bucket;
                filter.nibbles.high[j][wanted[i][j] >> 4] |= bucket;
            }
        }
    }
}

bool RelativeSearch::Fits(std::size_t set, int start) const {
    return start >= 0 && start + static_cast<int>(sets_[set].members.size()) - 1 <= 0xFF;
}

Result<RelativeSearch, WordError> RelativeSearch::Prepare(std::string_view word, LetterWidth width,
                                                          std::span<const CharacterSet> sets) {
    auto parsed = ParseSearchWords(word, sets);
    if (!parsed) return parsed.error();
    auto prepared = Prepare(std::move(parsed).value(), width, sets);
    if (!prepared) return prepared;
    RelativeSearch search = std::move(prepared).value();
    search.writtenIn_ = LettersHeld(word, sets);
    return search;
}

Result<RelativeSearch, WordError> RelativeSearch::Prepare(SearchWord word, LetterWidth width,
                                                          std::span<const CharacterSet> sets) {
    std::vector<SearchWord> words;
    words.push_back(std::move(word));
    return Prepare(std::move(words), width, sets);
}

Result<RelativeSearch, WordError> RelativeSearch::Prepare(std::vector<SearchWord> words,
                                                          LetterWidth width,
                                                          std::span<const CharacterSet> sets) {
    if (words.empty()) return WordError{WordProblem::NoSetHoldsAll, {}};
    for (const SearchWord& word : words) {
        if (word.known.size() < kMinimumKnownLetters) {
            return WordError{WordProblem::TooFewLetters, {}};
        }
        if (!IsValid(word, sets)) return WordError{WordProblem::InvalidWord, {}};
        if (word.candidates.empty()) return WordError{WordProblem::NoSetHoldsAll, {}};
    }
    return RelativeSearch(std::move(words), width, sets);
}

void RelativeSearch::Verify(const Layout& layout, const std::uint8_t* at, std::uint64_t offset,
                            Collector& collector) const {
    auto& values = collector.values;
    values.resize(layout.knownOffsets.size());
    for (std::size_t j = 0; j < layout.knownOffsets.size(); ++j) {
        values[j] = ValueAt(at + layout.knownOffsets[j], width_);
    }
    auto& matched = collector.matched;
    matched.assign(layout.patterns.size(), false);
    bool any = false;
    for (std::size_t p = 0; p < layout.patterns.size(); ++p) {
        const auto& differences = layout.patterns[p].differences;
        bool all = true;
        for (std::size_t j = 1; all && j < values.size(); ++j) {
            all = values[j] - values[0] == differences[j];
        }
        matched[p] = all;
        any = any || all;
    }
    if (!any) return;
    for (std::size_t c = 0; c < layout.word.candidates.size(); ++c) {
        if (!matched[layout.patternOf[c]]) continue;
        const SetPlaces& candidate = layout.word.candidates[c];
        const auto start = static_cast<int>(values[0] - candidate.places[0]);
        collector.Add(offset, candidate.set, start, Fits(candidate.set, start));
    }
}

void RelativeSearch::Scan(const Filter& filter, const std::uint8_t* bytes, std::size_t positions,
                          const std::vector<std::size_t>& startsOf, std::uint64_t offset,
                          FilterInstructions instructions, Collector& collector) const {
    std::size_t i = 0;
    const auto& offsets = filter.offsets;
    const std::uint8_t* first = bytes + offsets[0];
    const std::uint8_t* second = bytes + offsets[1];
    const std::uint8_t* third = bytes + offsets[2];
    // A position the filter lets through, checked exactly against each word it serves.
    auto exact = [&](std::size_t at) {
        const auto d1 = static_cast<std::uint8_t>(second[at] - first[at]);
        const auto d2 = static_cast<std::uint8_t>(third[at] - first[at]);
        const std::size_t bit = std::size_t{d1} * 256 + d2;
        if ((filter.wantBits[bit / 64] >> (bit % 64) & 1) == 0) return;
        for (const std::size_t l : filter.layouts) {
            const Layout& layout = layouts_[l];
            if (at < startsOf[l] && (layout.wantBits[bit / 64] >> (bit % 64) & 1) != 0) {
                Verify(layout, bytes + at, offset + at, collector);
            }
        }
    };
#ifdef GLYPHWRIGHT_NIBBLE_FILTER
    const bool widest = instructions == FilterInstructions::Widest;
    if (widest && __builtin_cpu_supports("avx2")) {
        i = filter.differences == 3
                ? FilterNibblesAvx2<3>(bytes, positions, filter.offsets, filter.nibbles, exact)
                : FilterNibblesAvx2<2>(bytes, positions, filter.offsets, filter.nibbles, exact);
    } else if (instructions != FilterInstructions::Plain && __builtin_cpu_supports("ssse3")) {
        i = filter.differences == 3
                ? FilterNibblesSsse3<3>(bytes, positions, filter.offsets, filter.nibbles, exact)
                : FilterNibblesSsse3<2>(bytes, positions, filter.offsets, filter.nibbles, exact);
    }
#endif
    // The rest, and everything without SSSE3: the first two differences, one position at a time.
    for (; i < positions; ++i) exact(i);
}

Result<SearchResults, SearchStop> RelativeSearch::Run(const GameFile& file,
                                                      const std::atomic<bool>& cancel,
                                                      const SearchProgress& progress,
                                                      const SearchOptions& options) const {
    Collector collector(options);
    const std::uint64_t size = file.Size();
    // The buffer holds what the longest word needs; the shortest says where starts end.
    std::size_t span = 0;
    std::size_t shortest = SpanBytes();
    for (std::size_t w = 0; w < WordCount(); ++w) {
        span = std::max(span, SpanBytes(w));
        shortest = std::min(shortest, SpanBytes(w));
    }
    // At most 1 GiB, so that block + span cannot overflow.
    const std::size_t block = std::clamp<std::size_t>(options.blockSize, 1, std::size_t{1} << 30);
    if (size >= shortest) {
        // Each block holds `block` start positions plus the span - 1 bytes the last of them
        // needs; those bytes move to the front for the next block, so every byte is read once
        // and a word across two blocks is seen whole, in the block it starts in.
        std::vector<std::uint8_t> buffer(
            static_cast<std::size_t>(std::min<std::uint64_t>(block + span - 1, size)));
        const std::uint64_t lastStart = size - shortest;
        std::vector<std::size_t> startsOf(layouts_.size());
        std::uint64_t position = 0;  // file offset of buffer[0]
        std::size_t have = 0;        // bytes already in the buffer
        while (position <= lastStart) {
            if (cancel.load(std::memory_order_relaxed))
                return Stopped(SearchCancelled{position + have});
            const auto want = static_cast<std::size_t>(
                std::min<std::uint64_t>(block + span - 1, size - position));
            const auto read = file.Read(position + have, {buffer.data() + have, want - have});
            if (!read) return Stopped(read.error());
            const auto positions =
                static_cast<std::size_t>(std::min<std::uint64_t>(block, lastStart - position + 1));
            // A longer word has fewer starts near the end of the file.
            for (std::size_t l = 0; l < layouts_.size(); ++l) {
                const std::uint64_t wordSpan = SpanBytes(l);
                const std::uint64_t starts =
                    size - position >= wordSpan ? size - position - wordSpan + 1 : 0;
                startsOf[l] = static_cast<std::size_t>(std::min<std::uint64_t>(positions, starts));
            }
            for (const Filter& filter : filters_) {
                std::size_t most = 0;
                for (const std::size_t l : filter.layouts) most = std::max(most, startsOf[l]);
                Scan(filter, buffer.data(), most, startsOf, position, options.instructions,
                     collector);
            }
            if (layouts_.size() > 1) collector.BlockDone();
            if (progress) progress(position + want, size);
            have = want - positions;
            std::memmove(buffer.data(), buffer.data() + positions, have);
            position += positions;
        }
    }
    // A change during the last block would otherwise go unseen.
    if (const auto unchanged = file.CheckUnchanged(); !unchanged) {
        return Stopped(unchanged.error());
    }
    return std::move(collector).Finish(writtenIn_);
}

Result<HitContext, GameFileError> RelativeSearch::Context(const GameFile& file, const Hit& hit,
                                                          std::size_t before,
                                                          std::size_t after) const {
    std::uint64_t first = hit.offset - std::min<std::uint64_t>(before, hit.offset);
    first += (hit.offset - first) % unit_;  // stay on the hit's letter grid
    const std::uint64_t end = std::min<std::uint64_t>(hit.offset + after, file.Size());
    auto read = file.ReadWindow(first, static_cast<std::size_t>(end > first ? end - first : 0));
    if (!read) return read.error();
    HitContext context{first, read.value(), {}};
    if (hit.set >= sets_.size()) return context;  // not a hit this search made
    const auto& members = sets_[hit.set].members;
    for (std::size_t at = 0; at + unit_ <= context.bytes.size(); at += unit_) {
        const std::uint32_t code = ValueAt(context.bytes.data() + at, width_);
        const std::int64_t member = std::int64_t{code} - hit.start;
        context.cells.push_back({first + at, code,
                                 member >= 0 && static_cast<std::uint64_t>(member) < members.size()
                                     ? members[static_cast<std::size_t>(member)]
                                     : std::string()});
    }
    return context;
}

}  // namespace glyphwright
