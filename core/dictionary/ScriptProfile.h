#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "core/dictionary/LetterTable.h"

namespace glyphwright {

// How a game's script reads through a table of letters, as far as a dictionary can change it:
// where the script is, the codes it uses that the table holds no entry for (the "missing" codes),
// and how well a letter fits beside each of them. The letters' own pairs in the script are the
// yardstick of the language: an entry that is right for a code makes the letters around the
// code's uses read as the rest of the script does.
class ScriptProfile {
public:
    // Reads `bytes` in blocks; a block is script when at least half its bytes are letters.
    ScriptProfile(std::span<const std::uint8_t> bytes, const LetterTable& table);

    // How often each code occurs in the script.
    [[nodiscard]] const std::array<std::uint64_t, kCodeCount>& Counts() const { return counts_; }
    // Bytes of script in all.
    [[nodiscard]] std::uint64_t ScriptBytes() const { return scriptBytes_; }
    // Whether the script uses `code` and the table holds no entry for it.
    [[nodiscard]] bool IsMissing(std::uint8_t code) const { return slot_[code] >= 0; }
    // The missing codes, most used first.
    [[nodiscard]] const std::vector<std::uint8_t>& Missing() const { return missing_; }

    // How much better than chance the script reads with `code` (a missing one) spelled from the
    // letter `first` on: the fit of the letter before each use to `first`, in natural-log units,
    // on average over the uses, so that each code weighs the same however often it is used.
    // Only the letter before counts: the letters' own pairs lack the pairs a dictionary took
    // away, which are the pairs its entries' last letters make with the letter after them.
    [[nodiscard]] double Fit(std::uint8_t code, std::uint8_t first) const;
    // Whether the block of kBlock bytes at `block` * kBlock is script.
    [[nodiscard]] bool IsScript(std::size_t block) const { return script_[block]; }
    // How often each letter follows `code` (a missing one) in the script; null for other codes.
    [[nodiscard]] const std::uint32_t* After(std::uint8_t code) const {
        return slot_[code] < 0 ? nullptr : &after_[static_cast<std::size_t>(slot_[code]) * kCodeCount];
    }
    // How much better than chance `next` follows `letter` in the script.
    [[nodiscard]] double PairFit(std::uint8_t letter, std::uint8_t next) const;

    static constexpr std::size_t kBlock = 64;

private:
    std::array<std::uint64_t, kCodeCount> counts_{};
    std::uint64_t scriptBytes_ = 0;
    std::array<int, kCodeCount> slot_{};  // index into the fits below, -1 when not missing
    std::vector<std::uint8_t> missing_;
    std::vector<float> pairFit_;   // kCodeCount x kCodeCount
    std::vector<std::uint32_t> after_;  // per missing code, per letter
    std::vector<float> fitFirst_;  // per missing code, per first letter
    std::vector<bool> script_;     // per block
};

}  // namespace glyphwright
