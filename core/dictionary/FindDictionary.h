#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "core/dictionary/LetterTable.h"
#include "core/table/Result.h"

namespace glyphwright {

// How a game keeps the spellings of its dictionary codes.
enum class DictionaryLayout {
    Pairs,           // two letters a code, side by side: left, right, left, right…
    TwoArrays,       // all the left letters, then all the right ones
    EndedEntries,    // each entry's letters, then one code that ends it
    LengthPrefixed,  // each entry's number of letters, then its letters
    PointerTable,    // a table of two-byte pointers to entries ended by a code
};

// One code the dictionary spells, as proposed.
struct DictionaryEntry {
    std::uint8_t code = 0;
    std::string text;                    // UTF-8, the letters' texts one after another
    std::vector<std::uint8_t> spelling;  // the letter codes as the game stores them
    std::uint64_t offset = 0;            // of its first letter in the file
    std::uint64_t uses = 0;              // in the script

    friend bool operator==(const DictionaryEntry&, const DictionaryEntry&) = default;
};

// A dictionary found in the game.
struct FoundDictionary {
    DictionaryLayout layout = DictionaryLayout::Pairs;
    std::uint64_t offset = 0;       // where its entries (for PointerTable: its pointers) begin
    std::uint64_t size = 0;         // bytes from `offset` on that it takes, entries or pointers
    std::uint8_t endCode = 0;       // EndedEntries, PointerTable: the code that ends an entry
    bool bigEndian = false;         // PointerTable: the pointers' byte order
    std::uint64_t entriesOffset = 0;  // PointerTable: where the entries it points to begin
    int firstCode = 0;              // the code of its first entry (may lie below 00 when the
                                    // first entries belong to no code)
    int entryCount = 0;             // entries in it, proposed or not
    // How sure the finding is, 0 to 1: how far the script reads better with the entries on
    // these codes than with them moved to any other codes.
    double certainty = 0.0;
    double fit = 0.0;             // how much better than chance the script reads with it
    double knownBefore = 0.0;     // share of the script that is known text without it
    double knownAfter = 0.0;      // and with it
    std::vector<DictionaryEntry> entries;  // the proposals, by code
};

// What was searched and found; `found` best first, empty when nothing looks like a dictionary.
struct DictionaryFindings {
    std::vector<FoundDictionary> found;
    std::vector<std::uint8_t> missing;  // the codes the script uses that the table lacks
    std::uint64_t scriptBytes = 0;
};

struct DictionaryCancelled {};

// Called now and then with how far the search is, 0 to 100.
using DictionaryProgress = std::function<void(int percent)>;

// Looks through `bytes` (a whole game) for where the game spells the codes its script uses and
// `table` lacks, in any of the layouts above, each entry spelled in the table's letters. Ranks
// what it finds by how well the script reads with it. Stops soon after `cancel` is set.
[[nodiscard]] Result<DictionaryFindings, DictionaryCancelled> FindDictionary(
    std::span<const std::uint8_t> bytes, const LetterTable& table, const std::atomic<bool>& cancel,
    const DictionaryProgress& progress = {});

}  // namespace glyphwright
