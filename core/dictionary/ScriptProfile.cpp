#include "core/dictionary/ScriptProfile.h"

#include <algorithm>
#include <cmath>

namespace glyphwright {

namespace {

constexpr std::size_t kCodes = kCodeCount;
// How many made-up pairs, spread as the letters are, stand beside each letter's real ones: a
// letter seen a few times says little about what follows it.
constexpr double kSmoothing = 4.0;

}  // namespace

ScriptProfile::ScriptProfile(std::span<const std::uint8_t> bytes, const LetterTable& table) {
    std::array<bool, kCodes> letter{};
    for (std::size_t c = 0; c < kCodes; ++c) letter[c] = table.IsLetter(static_cast<std::uint8_t>(c));

    // Pass one: which blocks are script, and what the script counts.
    std::vector<bool>& script = script_;
    script.resize((bytes.size() + kBlock - 1) / kBlock);
    for (std::size_t block = 0; block < script.size(); ++block) {
        const std::size_t from = block * kBlock;
        const std::size_t to = std::min(bytes.size(), from + kBlock);
        std::size_t letters = 0;
        for (std::size_t at = from; at < to; ++at) letters += letter[bytes[at]] ? 1U : 0U;
        script[block] = letters * 2 >= to - from;
        if (!script[block]) continue;
        scriptBytes_ += to - from;
        for (std::size_t at = from; at < to; ++at) ++counts_[bytes[at]];
    }
    slot_.fill(-1);
    for (std::size_t c = 0; c < kCodes; ++c) {
        if (counts_[c] > 0 && !table.Holds(static_cast<std::uint8_t>(c))) {
            missing_.push_back(static_cast<std::uint8_t>(c));
        }
    }
    std::stable_sort(missing_.begin(), missing_.end(),
                     [&](std::uint8_t a, std::uint8_t b) { return counts_[a] > counts_[b]; });
    for (std::size_t i = 0; i < missing_.size(); ++i) slot_[missing_[i]] = static_cast<int>(i);

    // Pass two: the letters' pairs, and the letters beside each missing code.
    std::vector<std::uint32_t> pairs(kCodes * kCodes);
    std::vector<std::uint32_t> before(missing_.size() * kCodes);
    after_.assign(missing_.size() * kCodes, 0);
    for (std::size_t at = 1; at < bytes.size(); ++at) {
        if (!script[at / kBlock] || !script[(at - 1) / kBlock]) continue;
        const std::uint8_t left = bytes[at - 1];
        const std::uint8_t right = bytes[at];
        if (letter[left] && letter[right]) {
            ++pairs[left * kCodes + right];
        } else if (letter[left] && slot_[right] >= 0) {
            ++before[static_cast<std::size_t>(slot_[right]) * kCodes + left];
        } else if (slot_[left] >= 0 && letter[right]) {
            ++after_[static_cast<std::size_t>(slot_[left]) * kCodes + right];
        }
    }

    // The fit of a pair: how much likelier the script makes it than the letters' own shares do.
    std::array<double, kCodes> rowTotal{};
    std::array<double, kCodes> share{};
    double letters = 0;
    for (std::size_t a = 0; a < kCodes; ++a) {
        for (std::size_t b = 0; b < kCodes; ++b) rowTotal[a] += pairs[a * kCodes + b];
    }
    std::size_t letterCodes = 0;
    for (std::size_t c = 0; c < kCodes; ++c) {
        if (!letter[c]) continue;
        ++letterCodes;
        letters += static_cast<double>(counts_[c]);
    }
    for (std::size_t c = 0; c < kCodes; ++c) {
        if (letter[c]) {
            share[c] = (static_cast<double>(counts_[c]) + 1.0) /
                       (letters + static_cast<double>(letterCodes));
        }
    }
    pairFit_.assign(kCodes * kCodes, 0.0F);
    for (std::size_t a = 0; a < kCodes; ++a) {
        if (!letter[a]) continue;
        for (std::size_t b = 0; b < kCodes; ++b) {
            if (!letter[b]) continue;
            const double likely =
                (pairs[a * kCodes + b] + kSmoothing * share[b]) / (rowTotal[a] + kSmoothing);
            pairFit_[a * kCodes + b] = static_cast<float>(std::log(likely / share[b]));
        }
    }
    // A spelling drawn at random, letter by letter as the script uses them, is the chance the
    // fits are measured against.
    const auto chance = [&](std::vector<float>& fits) {
        for (std::size_t m = 0; m < missing_.size(); ++m) {
            double mean = 0.0;
            for (std::size_t c = 0; c < kCodes; ++c) mean += share[c] * fits[m * kCodes + c];
            for (std::size_t c = 0; c < kCodes; ++c) {
                fits[m * kCodes + c] -= static_cast<float>(mean);
            }
        }
    };
    fitFirst_.assign(missing_.size() * kCodes, 0.0F);
    for (std::size_t m = 0; m < missing_.size(); ++m) {
        const std::uint32_t* left = &before[m * kCodes];
        for (std::size_t x = 0; x < kCodes; ++x) {
            if (left[x] != 0) {
                for (std::size_t f = 0; f < kCodes; ++f) {
                    fitFirst_[m * kCodes + f] +=
                        static_cast<float>(left[x]) * pairFit_[x * kCodes + f];
                }
            }
        }
    }
    chance(fitFirst_);
}

double ScriptProfile::Fit(std::uint8_t code, std::uint8_t first) const {
    const int slot = slot_[code];
    if (slot < 0) return 0.0;
    const auto row = static_cast<std::size_t>(slot) * kCodes;
    return static_cast<double>(fitFirst_[row + first]) / static_cast<double>(counts_[code]);
}

double ScriptProfile::PairFit(std::uint8_t letter, std::uint8_t next) const {
    return pairFit_[letter * kCodes + next];
}

}  // namespace glyphwright
