#pragma once

#include <cstddef>
#include <span>
#include <string_view>

namespace glyphwright {

// One built-in set: a fixed, ordered run of members laid on consecutive codes. A member is a
// byte string (two EUC-JP bytes for kana, one ASCII byte for letters and digits).
struct CharacterSet {
    std::string_view name;
    std::span<const std::string_view> members;

    [[nodiscard]] std::size_t size() const { return members.size(); }
    [[nodiscard]] std::string_view member(std::size_t k) const { return members[k]; }
};

}  // namespace glyphwright
