#include "core/search/RelativeSearch.h"

#include <algorithm>
#include <cstring>
#include <tuple>
#include <unordered_map>
#include <utility>

#ifdef __SSE2__
#include <emmintrin.h>
#endif
#if defined(__x86_64__) && defined(__GNUC__)
#include <tmmintrin.h>
#define GLYPHWRIGHT_NIBBLE_FILTER 1
#endif

namespace glyphwright {
namespace {

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

#ifdef __SSE2__
// Sixteen positions at a time: the differences of the first three known letters' low bytes,
// compared with every pattern's at once, however many there are. Calls `candidate(i)` for each
// position that passes; returns the first position it did not look at.
template <class Candidate>
std::size_t FilterSse2(const std::uint8_t* bytes, std::size_t positions,
                       const std::size_t (&offsets)[3], const std::vector<std::uint8_t>& want1,
                       const std::vector<std::uint8_t>& want2, Candidate&& candidate) {
    struct Want {
        __m128i d1;
        __m128i d2;
    };
    std::vector<Want> wants(want1.size());
    for (std::size_t p = 0; p < wants.size(); ++p) {
        wants[p] = {_mm_set1_epi8(static_cast<char>(want1[p])),
                    _mm_set1_epi8(static_cast<char>(want2[p]))};
    }
    auto load = [](const std::uint8_t* at) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    };
    const std::uint8_t* first = bytes + offsets[0];
    const std::uint8_t* second = bytes + offsets[1];
    const std::uint8_t* third = bytes + offsets[2];
    std::size_t i = 0;
    for (; i + 16 <= positions; i += 16) {
        const __m128i base = load(first + i);
        const __m128i d1 = _mm_sub_epi8(load(second + i), base);
        const __m128i d2 = _mm_sub_epi8(load(third + i), base);
        __m128i any = _mm_setzero_si128();
        for (const Want& w : wants) {
            any = _mm_or_si128(any,
                               _mm_and_si128(_mm_cmpeq_epi8(d1, w.d1), _mm_cmpeq_epi8(d2, w.d2)));
        }
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(any));
        while (mask != 0) {
            candidate(i + static_cast<std::size_t>(__builtin_ctz(mask)));
            mask &= mask - 1;
        }
    }
    return i;
}
#endif

#ifdef GLYPHWRIGHT_NIBBLE_FILTER
// Beyond a few patterns, comparing with each in turn costs more than the reading: the patterns
// go into eight buckets instead, and a position passes when, for some bucket, both differences
// have the low and the high nibble of a pattern of that bucket. Four table lookups per sixteen
// positions whatever the number of patterns; what slips through is weeded out by `exact`.
template <class Candidate>
[[gnu::target("ssse3")]] std::size_t FilterNibbles(const std::uint8_t* bytes, std::size_t positions,
                                                   const std::size_t (&offsets)[3],
                                                   const NibbleTables& tables,
                                                   Candidate&& candidate) {
    auto load = [](const std::uint8_t* at) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    };
    const __m128i low1 = load(tables.low1), high1 = load(tables.high1);
    const __m128i low2 = load(tables.low2), high2 = load(tables.high2);
    const __m128i nibble = _mm_set1_epi8(0x0F);
    const __m128i zero = _mm_setzero_si128();
    const std::uint8_t* first = bytes + offsets[0];
    const std::uint8_t* second = bytes + offsets[1];
    const std::uint8_t* third = bytes + offsets[2];
    std::size_t i = 0;
    for (; i + 16 <= positions; i += 16) {
        const __m128i base = load(first + i);
        const __m128i d1 = _mm_sub_epi8(load(second + i), base);
        const __m128i d2 = _mm_sub_epi8(load(third + i), base);
        __m128i buckets =
            _mm_and_si128(_mm_shuffle_epi8(low1, _mm_and_si128(d1, nibble)),
                          _mm_shuffle_epi8(high1, _mm_and_si128(_mm_srli_epi16(d1, 4), nibble)));
        buckets = _mm_and_si128(buckets, _mm_shuffle_epi8(low2, _mm_and_si128(d2, nibble)));
        buckets = _mm_and_si128(
            buckets, _mm_shuffle_epi8(high2, _mm_and_si128(_mm_srli_epi16(d2, 4), nibble)));
        auto mask =
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(buckets, zero))) ^ 0xFFFFu;
        while (mask != 0) {
            candidate(i + static_cast<std::size_t>(__builtin_ctz(mask)));
            mask &= mask - 1;
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

    SearchResults Finish() && {
        BlockDone();
        results_.groups.reserve(groups_.size());
        for (auto& [key, group] : groups_) {
            std::sort(group.examples.begin(), group.examples.end());
            results_.groups.push_back(std::move(group));
        }
        std::sort(results_.groups.begin(), results_.groups.end(),
                  [](const HitGroup& a, const HitGroup& b) {
                      if (a.hitCount != b.hitCount) return a.hitCount > b.hitCount;
                      if (a.firstOffset != b.firstOffset) return a.firstOffset < b.firstOffset;
                      return a.set < b.set;
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
            std::uint64_t added = layout.wantBits[word] & ~filter->wantBits[word];
            filter->wantBits[word] |= added;
            for (; added != 0; added &= added - 1) {
                const std::size_t bit =
                    word * 64 + static_cast<std::size_t>(__builtin_ctzll(added));
                filter->want1.push_back(static_cast<std::uint8_t>(bit / 256));
                filter->want2.push_back(static_cast<std::uint8_t>(bit % 256));
            }
        }
    }
    for (Filter& filter : filters_) {
        // Pairs alike in their high nibbles share a bucket, so that a bucket admits few nibbles
        // and the filter lets little through that the exact test then throws away. (The pairs
        // come in bitmap order: by first difference, then second.)
        std::vector<std::size_t> order(filter.want1.size());
        for (std::size_t p = 0; p < order.size(); ++p) order[p] = p;
        const auto key = [&](std::size_t p) {
            const unsigned d1 = filter.want1[p], d2 = filter.want2[p];
            return ((d1 >> 4) << 12) | ((d2 >> 4) << 8) | ((d1 & 0x0F) << 4) | (d2 & 0x0F);
        };
        std::sort(order.begin(), order.end(),
                  [&](std::size_t a, std::size_t b) { return key(a) < key(b); });
        for (std::size_t i = 0; i < order.size(); ++i) {
            const auto bucket = static_cast<std::uint8_t>(1u << (i * 8 / order.size()));
            const std::uint8_t d1 = filter.want1[order[i]], d2 = filter.want2[order[i]];
            filter.nibbles.low1[d1 & 0x0F] |= bucket;
            filter.nibbles.high1[d1 >> 4] |= bucket;
            filter.nibbles.low2[d2 & 0x0F] |= bucket;
            filter.nibbles.high2[d2 >> 4] |= bucket;
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
    return Prepare(std::move(parsed).value(), width, sets);
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
                          Collector& collector) const {
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
    if (filter.want1.size() > kComparedPatterns && __builtin_cpu_supports("ssse3")) {
        i = FilterNibbles(bytes, positions, offsets, filter.nibbles, exact);
    }
#endif
#ifdef __SSE2__
    if (i == 0) i = FilterSse2(bytes, positions, offsets, filter.want1, filter.want2, exact);
#endif
    // The rest, and everything where SSE2 is missing: the same filter one position at a time.
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
                Scan(filter, buffer.data(), most, startsOf, position, collector);
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
    return std::move(collector).Finish();
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
