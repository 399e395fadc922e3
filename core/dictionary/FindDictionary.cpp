#include "core/dictionary/FindDictionary.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <optional>

#include "core/dictionary/ScriptProfile.h"

namespace glyphwright {

namespace {

constexpr int kMinEntries = 8;      // fewer spell too little to tell a dictionary from chance
constexpr std::size_t kMaxEntryLetters = 12;
constexpr std::uint64_t kPointerReach = 0x10000;  // how far from its entries a pointer table lies
constexpr std::size_t kCheckEvery = 1 << 16;
constexpr std::size_t kKeep = 4;
constexpr std::size_t kMinPointed = 2 * kMinEntries;  // entries a pointer table points to
// Below this, the entries read about as well moved to other codes: chance, not a dictionary.
constexpr double kLeastCertainty = 0.4;
constexpr double kLeastShare = 0.02;  // of the script that a dictionary makes known text
constexpr std::size_t kReread = 32;  // candidates read whole

// A place that may hold a dictionary, read in one layout: its entries in index order.
struct Candidate {
    DictionaryLayout layout = DictionaryLayout::Pairs;
    std::uint64_t offset = 0;
    std::uint64_t size = 0;
    std::uint8_t endCode = 0;
    bool bigEndian = false;
    std::uint64_t entriesOffset = 0;
    std::vector<std::vector<std::uint8_t>> spellings;
    std::vector<std::uint64_t> offsets;
};

// The bytes read as letters: for each position, how many letters follow from it (up to a cap).
class Letters {
public:
    Letters(std::span<const std::uint8_t> bytes, const LetterTable& table) : bytes_(bytes) {
        for (std::size_t c = 0; c < letter_.size(); ++c) {
            letter_[c] = table.IsLetter(static_cast<std::uint8_t>(c));
        }
        run_.resize(bytes.size() + 1);
        for (std::size_t at = bytes.size(); at-- > 0;) {
            run_[at] = letter_[bytes[at]] ? static_cast<std::uint8_t>(
                                                std::min<std::size_t>(run_[at + 1] + 1u, 255))
                                          : 0;
        }
    }
    [[nodiscard]] bool IsLetter(std::size_t at) const { return letter_[bytes_[at]]; }
    // Letters from `at` on, up to 255.
    [[nodiscard]] std::size_t Run(std::size_t at) const { return run_[at]; }
    [[nodiscard]] std::size_t Size() const { return bytes_.size(); }
    [[nodiscard]] std::uint8_t operator[](std::size_t at) const { return bytes_[at]; }

private:
    std::span<const std::uint8_t> bytes_;
    std::array<bool, kCodeCount> letter_{};
    std::vector<std::uint8_t> run_;
};

std::vector<std::uint8_t> Slice(const Letters& letters, std::size_t from, std::size_t count) {
    std::vector<std::uint8_t> spelling(count);
    for (std::size_t i = 0; i < count; ++i) spelling[i] = letters[from + i];
    return spelling;
}

// Long runs of letters: pairs side by side, or two arrays, each read with a few stray letters
// before or after it, as chance puts them.
void ReadRuns(const Letters& letters, std::vector<Candidate>& out) {
    constexpr std::size_t kMinRun = 2 * kMinEntries;
    for (std::size_t at = 0; at < letters.Size();) {
        if (!letters.IsLetter(at)) {
            ++at;
            continue;
        }
        std::size_t end = at;
        while (end < letters.Size() && letters.IsLetter(end)) ++end;
        const std::size_t length = end - at;
        if (length >= kMinRun) {
            for (std::size_t shift = 0; shift < 2; ++shift) {
                Candidate pairs{DictionaryLayout::Pairs, at + shift, length - shift, 0, false, 0,
                                {}, {}};
                for (std::size_t e = at + shift; e + 1 < end; e += 2) {
                    pairs.spellings.push_back(Slice(letters, e, 2));
                    pairs.offsets.push_back(e);
                }
                out.push_back(std::move(pairs));
            }
            for (std::size_t before = 0; before < 4; ++before) {
                for (std::size_t after = 0; after < 4; ++after) {
                    const std::size_t used = length - before - after;
                    if (used % 2 != 0 || used < kMinRun) continue;
                    const std::size_t half = used / 2;
                    Candidate arrays{DictionaryLayout::TwoArrays, at + before, used, 0, false, 0,
                                     {}, {}};
                    for (std::size_t i = 0; i < half; ++i) {
                        const std::size_t left = at + before + i;
                        arrays.spellings.push_back({letters[left], letters[left + half]});
                        arrays.offsets.push_back(left);
                    }
                    out.push_back(std::move(arrays));
                }
            }
        }
        at = end;
    }
}

// Entries of letters each ended by the same code that is no letter.
void ReadEndedEntries(const Letters& letters, std::vector<Candidate>& out) {
    for (std::size_t at = 0; at < letters.Size();) {
        if (!letters.IsLetter(at) || (at > 0 && letters.IsLetter(at - 1))) {
            ++at;
            continue;
        }
        Candidate chain{DictionaryLayout::EndedEntries, at, 0, 0, false, at, {}, {}};
        std::optional<std::uint8_t> end;
        std::size_t next = at;
        while (next < letters.Size()) {
            const std::size_t run = letters.Run(next);
            if (run == 0 || run > kMaxEntryLetters || next + run >= letters.Size()) break;
            const std::uint8_t ends = letters[next + run];
            if (end && *end != ends) break;
            end = ends;
            chain.spellings.push_back(Slice(letters, next, run));
            chain.offsets.push_back(next);
            next += run + 1;
        }
        if (chain.spellings.size() >= static_cast<std::size_t>(kMinEntries)) {
            chain.endCode = *end;
            chain.size = next - at;
            out.push_back(std::move(chain));
            at = next;
        } else {
            at += std::max<std::size_t>(1, letters.Run(at));
        }
    }
}

// Entries each led by its number of letters.
void ReadLengthPrefixed(const Letters& letters, std::vector<Candidate>& out) {
    const std::size_t size = letters.Size();
    const auto fits = [&](std::size_t at) {
        const std::size_t count = letters[at];
        return count >= 1 && count <= kMaxEntryLetters && at + 1 + count <= size &&
               letters.Run(at + 1) >= count;
    };
    std::vector<std::uint16_t> chain(size + 1);
    std::vector<bool> reached(size + 1);
    for (std::size_t at = size; at-- > 0;) {
        if (!fits(at)) continue;
        const std::size_t next = at + 1U + letters[at];
        chain[at] = static_cast<std::uint16_t>(std::min<int>(chain[next] + 1, 0xFFFF));
        reached[next] = true;
    }
    for (std::size_t at = 0; at < size; ++at) {
        if (chain[at] < kMinEntries || reached[at]) continue;
        Candidate entries{DictionaryLayout::LengthPrefixed, at, 0, 0, false, at, {}, {}};
        std::size_t next = at;
        while (next < size && fits(next)) {
            entries.spellings.push_back(Slice(letters, next + 1, letters[next]));
            entries.offsets.push_back(next + 1);
            next += 1U + letters[next];
        }
        entries.size = next - at;
        out.push_back(std::move(entries));
    }
}

// A table of two-byte pointers near ended entries that points at their starts, in an order of
// its own: each entry is then the one its pointer names.
void ReadPointerTables(const Letters& letters, const Candidate& entries,
                       std::vector<Candidate>& out) {
    const std::uint64_t first = entries.offsets.front();
    const std::uint64_t span = entries.offset + entries.size - first;
    if (span >= 0x8000) return;
    std::vector<int> startAt(span + 1, -1);
    for (std::size_t i = 0; i < entries.offsets.size(); ++i) {
        startAt[entries.offsets[i] - first] = static_cast<int>(i);
    }
    const std::size_t from = first > kPointerReach ? first - kPointerReach : 0;
    const std::size_t to = std::min<std::uint64_t>(letters.Size(), entries.offset + entries.size +
                                                                       kPointerReach);
    for (const bool big : {false, true}) {
        const auto word = [&](std::size_t at) {
            const auto a = static_cast<unsigned>(letters[at]);
            const auto b = static_cast<unsigned>(letters[at + 1]);
            return static_cast<std::uint16_t>(big ? a << 8 | b : b << 8 | a);
        };
        for (std::size_t at = from; at + 2 * kMinEntries <= to; ++at) {
            // Pointers to one dictionary lie within its span of each other.
            const std::uint16_t w0 = word(at);
            int low = 0;
            std::size_t count = 0;
            for (std::size_t p = at; p + 1 < to && count < entries.offsets.size() + 4; p += 2) {
                const auto d = static_cast<std::int16_t>(static_cast<std::uint16_t>(word(p) - w0));
                if (std::abs(static_cast<int>(d)) > static_cast<int>(span)) break;
                low = std::min<int>(low, d);
                ++count;
            }
            if (count < static_cast<std::size_t>(kMinEntries)) continue;
            // The lowest pointer names the first entry, or one of the next when the first
            // letters before the entries were stray.
            for (std::size_t k = 0; k < 3 && k < entries.offsets.size(); ++k) {
                const std::uint16_t base = static_cast<std::uint16_t>(
                    w0 + low - static_cast<int>(entries.offsets[k] - first));
                Candidate table{DictionaryLayout::PointerTable, at, 0, entries.endCode, big,
                                entries.offset, {}, {}};
                for (std::size_t i = 0; i < count; ++i) {
                    const auto rel = static_cast<std::uint16_t>(word(at + 2 * i) - base);
                    if (rel > span || startAt[rel] < 0) break;
                    const auto index = static_cast<std::size_t>(startAt[rel]);
                    table.spellings.push_back(entries.spellings[index]);
                    table.offsets.push_back(entries.offsets[index]);
                }
                std::vector<std::uint64_t> named = table.offsets;
                std::sort(named.begin(), named.end());
                const auto distinct = static_cast<std::size_t>(
                    std::unique(named.begin(), named.end()) - named.begin());
                // Pointers that name few entries many times are a run of equal words.
                if (table.spellings.size() >= static_cast<std::size_t>(kMinEntries) &&
                    distinct * 4 >= table.spellings.size() * 3) {
                    table.size = 2 * table.spellings.size();
                    const std::uint64_t taken = table.size;
                    out.push_back(std::move(table));
                    at += taken - 1;
                    break;
                }
            }
        }
    }
}

// A candidate with its entries put on the codes that make the script read best.
struct Placed {
    double fit = 0.0;
    double certainty = 0.0;
    int firstCode = 0;
    double reading = 0.0;
};

Placed Place(const Candidate& candidate, const ScriptProfile& script) {
    const int count = static_cast<int>(candidate.spellings.size());
    double best = 0.0;
    double second = 0.0;
    int bestFirst = 0;
    bool any = false;
    for (int firstCode = 1 - count; firstCode < kCodeCount; ++firstCode) {
        double fit = 0.0;
        const int from = std::max(0, firstCode);
        const int to = std::min(kCodeCount, firstCode + count);
        int placed = 0;
        for (int code = from; code < to; ++code) {
            const auto c = static_cast<std::uint8_t>(code);
            if (!script.IsMissing(c)) continue;
            const auto& spelling = candidate.spellings[static_cast<std::size_t>(code - firstCode)];
            fit += script.Fit(c, spelling.front());
            ++placed;
        }
        if (placed == 0) continue;
        if (!any || fit > best) {
            if (any) second = std::max(second, best);
            best = fit;
            bestFirst = firstCode;
            any = true;
        } else {
            second = std::max(second, fit);
        }
    }
    Placed placed;
    placed.fit = any ? best : 0.0;
    placed.firstCode = bestFirst;
    placed.certainty = best > 0.0 ? std::clamp((best - std::max(second, 0.0)) / best, 0.0, 1.0) : 0.0;
    return placed;
}

// How well the script reads with the candidate's entries on the codes from `firstCode` on: the
// fit of the letter before each use to the entry's first letter, and of its last letter to the
// letter after, on average over each code's uses. The letters' own pairs lack the pairs the
// dictionary took away; if the candidate is the dictionary, those are its entries, so a pair
// that is one of its entries says nothing either way.
double Reading(const ScriptProfile& script, const Candidate& candidate, int firstCode) {
    std::vector<bool> taken(kCodeCount * kCodeCount);
    for (const auto& spelling : candidate.spellings) {
        for (std::size_t i = 1; i < spelling.size(); ++i) {
            taken[spelling[i - 1] * std::size_t{kCodeCount} + spelling[i]] = true;
        }
    }
    const int count = static_cast<int>(candidate.spellings.size());
    double reading = 0.0;
    for (int code = std::max(0, firstCode); code < std::min(kCodeCount, firstCode + count); ++code) {
        const auto c = static_cast<std::uint8_t>(code);
        if (!script.IsMissing(c)) continue;
        const auto& spelling = candidate.spellings[static_cast<std::size_t>(code - firstCode)];
        const std::uint32_t* after = script.After(c);
        double fit = 0.0;
        double uses = 0.0;
        for (std::size_t next = 0; next < kCodeCount; ++next) {
            if (after[next] == 0) continue;
            uses += after[next];
            if (taken[spelling.back() * std::size_t{kCodeCount} + next]) continue;
            fit += after[next] * script.PairFit(spelling.back(), static_cast<std::uint8_t>(next));
        }
        reading += script.Fit(c, spelling.front()) + (uses > 0.0 ? fit / uses : 0.0);
    }
    return reading;
}

FoundDictionary Propose(const Candidate& candidate, const Placed& placed,
                        const ScriptProfile& script, const LetterTable& table) {
    FoundDictionary found;
    found.layout = candidate.layout;
    found.offset = candidate.offset;
    found.size = candidate.size;
    found.endCode = candidate.endCode;
    found.bigEndian = candidate.bigEndian;
    found.entriesOffset = candidate.entriesOffset;
    found.firstCode = placed.firstCode;
    found.entryCount = static_cast<int>(candidate.spellings.size());
    found.certainty = placed.certainty;
    found.fit = placed.fit;
    std::uint64_t known = 0;
    for (int code = 0; code < kCodeCount; ++code) {
        if (table.Holds(static_cast<std::uint8_t>(code))) known += script.Counts()[static_cast<std::size_t>(code)];
    }
    // The codes it spells, trimmed at both ends of codes whose uses it does not fit: stray letters
    // before or after the dictionary, put on a control code beside the dictionary's codes.
    std::vector<int> codes;
    for (int code = std::max(0, placed.firstCode);
         code < std::min(kCodeCount, placed.firstCode + found.entryCount); ++code) {
        if (script.IsMissing(static_cast<std::uint8_t>(code))) codes.push_back(code);
    }
    const auto fits = [&](int code) {
        const auto& spelling = candidate.spellings[static_cast<std::size_t>(code - placed.firstCode)];
        return script.Fit(static_cast<std::uint8_t>(code), spelling.front()) > 0.0;
    };
    std::size_t from = 0;
    std::size_t to = codes.size();
    while (from < to && !fits(codes[from])) ++from;
    while (to > from && !fits(codes[to - 1])) --to;
    std::uint64_t added = 0;
    for (std::size_t i = from; i < to; ++i) {
        const auto c = static_cast<std::uint8_t>(codes[i]);
        const auto index = static_cast<std::size_t>(codes[i] - placed.firstCode);
        DictionaryEntry entry;
        entry.code = c;
        entry.spelling = candidate.spellings[index];
        for (const std::uint8_t letter : entry.spelling) entry.text += table.text[letter];
        entry.offset = candidate.offsets[index];
        entry.uses = script.Counts()[c];
        added += entry.uses;
        found.entries.push_back(std::move(entry));
    }
    const auto bytes = static_cast<double>(std::max<std::uint64_t>(script.ScriptBytes(), 1));
    found.knownBefore = static_cast<double>(known) / bytes;
    found.knownAfter = static_cast<double>(known + added) / bytes;
    return found;
}

}  // namespace

Result<DictionaryFindings, DictionaryCancelled> FindDictionary(
    std::span<const std::uint8_t> bytes, const LetterTable& table, const std::atomic<bool>& cancel,
    const DictionaryProgress& progress) {
    const auto report = [&](int percent) {
        if (progress) progress(percent);
    };
    const auto cancelled = [&] { return cancel.load(std::memory_order_relaxed); };
    report(0);
    const ScriptProfile script(bytes, table);
    DictionaryFindings findings;
    findings.missing = script.Missing();
    findings.scriptBytes = script.ScriptBytes();
    if (cancelled()) return DictionaryCancelled{};
    report(20);
    if (script.Missing().empty()) {
        report(100);
        return findings;
    }

    const Letters letters(bytes, table);
    if (cancelled()) return DictionaryCancelled{};
    std::vector<Candidate> candidates;
    ReadRuns(letters, candidates);
    report(35);
    if (cancelled()) return DictionaryCancelled{};
    ReadEndedEntries(letters, candidates);
    report(45);
    if (cancelled()) return DictionaryCancelled{};
    ReadLengthPrefixed(letters, candidates);
    report(55);
    if (cancelled()) return DictionaryCancelled{};
    // Into a list of their own: the entries they point into stay where they are meanwhile.
    std::vector<Candidate> tables;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        // A chain of a few entries is far more often strings of the script than a dictionary;
        // looking for pointers to each of them would cost most of the search.
        if (candidates[i].layout == DictionaryLayout::EndedEntries &&
            candidates[i].spellings.size() >= kMinPointed) {
            ReadPointerTables(letters, candidates[i], tables);
        }
        if (i % 64 == 0 && cancelled()) return DictionaryCancelled{};
    }
    candidates.insert(candidates.end(), std::make_move_iterator(tables.begin()),
                      std::make_move_iterator(tables.end()));
    report(65);

    std::vector<std::pair<Placed, std::size_t>> placed;
    placed.reserve(candidates.size());
    std::size_t work = 0;
    for (std::size_t i = 0; i < candidates.size(); ++i) {
        placed.emplace_back(Place(candidates[i], script), i);
        work += candidates[i].spellings.size() * kCodeCount;
        if (work >= kCheckEvery * 16) {
            work = 0;
            if (cancelled()) return DictionaryCancelled{};
            report(65 + static_cast<int>(25 * i / candidates.size()));
        }
    }
    std::stable_sort(placed.begin(), placed.end(),
                     [](const auto& a, const auto& b) { return a.first.fit > b.first.fit; });
    // The best placed by the letters before the codes are read whole, and ranked by how the
    // script reads: several readings of one place agree on the first letters of its entries.
    if (placed.size() > kReread) placed.resize(kReread);
    std::vector<std::pair<double, std::size_t>> reread;
    for (std::size_t i = 0; i < placed.size(); ++i) {
        if (placed[i].first.fit <= 0.0) break;
        const Candidate& candidate = candidates[placed[i].second];
        reread.emplace_back(Reading(script, candidate, placed[i].first.firstCode), i);
        if (cancelled()) return DictionaryCancelled{};
        report(95 + static_cast<int>(5 * i / placed.size()));
    }
    std::stable_sort(reread.begin(), reread.end(),
                     [](const auto& a, const auto& b) { return a.first > b.first; });
    std::vector<std::pair<Placed, std::size_t>> ranked;
    for (const auto& [reading, i] : reread) {
        ranked.push_back(placed[i]);
        ranked.back().first.reading = reading;
    }
    placed = std::move(ranked);
    for (const auto& [place, index] : placed) {
        if (findings.found.size() >= kKeep || place.fit <= 0.0) break;
        if (place.certainty < kLeastCertainty) continue;
        FoundDictionary found = Propose(candidates[index], place, script, table);
        if (found.entries.size() < static_cast<std::size_t>(kMinEntries) / 2) continue;
        // A dictionary is what much of the script is made of; codes that bytes read as script
        // by chance use now and then are not.
        if (found.knownAfter - found.knownBefore < kLeastShare) continue;
        findings.found.push_back(std::move(found));
    }
    report(100);
    return findings;
}

}  // namespace glyphwright
