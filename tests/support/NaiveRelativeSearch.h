#pragma once

// The plainest reading of a relative search, for the tests and the fuzz target to hold the real
// one against: every offset, every candidate set, every known letter, no filter and no blocks.

#include <algorithm>
#include <cstdint>
#include <map>
#include <span>
#include <utility>
#include <vector>

#include "core/sets/BuiltInSets.h"
#include "core/search/RelativeSearch.h"

namespace glyphwright::test {

inline std::int64_t NaiveValue(const std::vector<std::uint8_t>& data, std::uint64_t at,
                               LetterWidth width) {
    if (width == LetterWidth::OneByte) return data[at];
    const std::int64_t first = data[at];
    const std::int64_t second = data[at + 1];
    return width == LetterWidth::TwoBytesLittleEndian ? first + 256 * second : 256 * first + second;
}

inline std::vector<Hit> NaiveHits(const std::vector<std::uint8_t>& data, const SearchWord& word,
                                  LetterWidth width,
                                  std::span<const CharacterSet> sets = BuiltInSets()) {
    const std::uint64_t unit = width == LetterWidth::OneByte ? 1 : 2;
    const std::uint64_t span = word.letterCount * unit;
    std::vector<Hit> hits;
    for (std::uint64_t offset = 0; offset + span <= data.size(); ++offset) {
        for (const SetPlaces& candidate : word.candidates) {
            const std::int64_t start =
                NaiveValue(data, offset + word.known[0] * unit, width) - candidate.places[0];
            bool all = true;
            for (std::size_t j = 0; j < word.known.size(); ++j) {
                all = all && NaiveValue(data, offset + word.known[j] * unit, width) ==
                                 start + candidate.places[j];
            }
            const auto last = start + static_cast<std::int64_t>(sets[candidate.set].size()) - 1;
            if (all) {
                hits.push_back(
                    {offset, candidate.set, static_cast<int>(start), start >= 0 && last <= 255});
            }
        }
    }
    return hits;
}

// What a search should report for `hits`, with the same limits on what it keeps.
// `lettersHeld` orders groups otherwise equal, as RelativeSearch::LettersHeldBySet says.
inline SearchResults NaiveResults(const std::vector<Hit>& hits, const SearchOptions& limits,
                                  const std::vector<std::size_t>& lettersHeld = {}) {
    SearchResults results;
    results.hitCount = hits.size();
    results.hits.assign(hits.begin(), hits.begin() + static_cast<std::ptrdiff_t>(std::min(
                                                         hits.size(), limits.maxStoredHits)));
    std::map<std::pair<std::size_t, int>, HitGroup> groups;
    std::size_t examples = 0;
    for (const Hit& hit : hits) {
        auto [found, isNew] = groups.try_emplace({hit.set, hit.start});
        HitGroup& group = found->second;
        if (isNew) group = {hit.set, hit.start, hit.fits, 0, hit.offset, {}};
        ++group.hitCount;
        if (group.examples.size() < limits.examplesPerGroup &&
            examples < limits.maxStoredExamples) {
            group.examples.push_back(hit.offset);
            ++examples;
        }
    }
    for (auto& [key, group] : groups) results.groups.push_back(group);
    std::stable_sort(results.groups.begin(), results.groups.end(),
                     [&](const HitGroup& a, const HitGroup& b) {
                         // Runs that would begin before 00 after every run that does not.
                         if ((a.start < 0) != (b.start < 0)) return b.start < 0;
                         if (a.hitCount != b.hitCount) return a.hitCount > b.hitCount;
                         if (a.firstOffset != b.firstOffset) return a.firstOffset < b.firstOffset;
                         const std::size_t heldA = a.set < lettersHeld.size() ? lettersHeld[a.set] : 0;
                         const std::size_t heldB = b.set < lettersHeld.size() ? lettersHeld[b.set] : 0;
                         return heldA > heldB;
                     });
    return results;
}

}  // namespace glyphwright::test
