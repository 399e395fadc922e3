#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace glyphwright {

// One set: a fixed, ordered run of members laid on consecutive codes. A member is a byte string
// (two EUC-JP bytes for kana, one ASCII byte for letters and digits). `texts` holds the same
// members as Unicode (UTF-8), decoded once when the set is made: the table holds Unicode text, so
// that is what laying puts on a code.
struct CharacterSet {
    std::string_view name;
    std::span<const std::string_view> members;
    std::span<const std::string_view> texts{};  // none: the members are ASCII, text as they are

    [[nodiscard]] std::size_t size() const { return members.size(); }
    [[nodiscard]] std::string_view member(std::size_t k) const { return members[k]; }
    // The member as the table holds it once laid.
    [[nodiscard]] std::string_view text(std::size_t k) const {
        return texts.empty() ? members[k] : texts[k];
    }
};

}  // namespace glyphwright
