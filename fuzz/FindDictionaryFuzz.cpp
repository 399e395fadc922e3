// Find Dictionary over fuzzer-chosen bytes and tables must end, and what it proposes must hold
// together: each entry on a code the script uses and the table lacks, spelled in the table's
// letters at the offset it names, the codes in order and each once, the shares and the certainty
// between 0 and 1.
//
// Input: 32 bytes, one bit per code: the codes that are letters (each a letter's text of its
// own). The rest is the game.

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/dictionary/FindDictionary.h"

namespace {

using namespace glyphwright;

void Check(bool holds) {
    if (!holds) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 32) return 0;
    LetterTable table;
    for (std::size_t code = 0; code < 256; ++code) {
        if ((data[code / 8] >> (code % 8) & 1) != 0) {
            table.text[code] = "<" + std::to_string(code) + ">";
            table.held.set(code);
        }
    }
    const std::span<const std::uint8_t> game(data + 32, size - 32);
    const std::atomic<bool> never{false};
    const auto findings = FindDictionary(game, table, never);
    Check(findings.ok());
    for (const std::uint8_t code : findings.value().missing) Check(!table.Holds(code));
    for (const FoundDictionary& found : findings.value().found) {
        Check(found.certainty >= 0.0 && found.certainty <= 1.0);
        Check(found.knownBefore >= 0.0 && found.knownBefore <= found.knownAfter &&
              found.knownAfter <= 1.0 + 1e-9);
        int previous = -1;
        for (const DictionaryEntry& entry : found.entries) {
            Check(static_cast<int>(entry.code) > previous);
            previous = entry.code;
            Check(!table.Holds(entry.code));
            Check(!entry.spelling.empty());
            std::string text;
            for (const std::uint8_t letter : entry.spelling) {
                Check(table.IsLetter(letter));
                text += table.text[letter];
            }
            Check(text == entry.text);
            Check(entry.offset < game.size());
        }
    }
    return 0;
}
