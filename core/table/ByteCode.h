#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace glyphwright {

using ByteCode = std::uint8_t;

inline constexpr int kCodeCount = 256;
inline constexpr int kMaxOrderLines = 1000;

// A text for each one-byte code, by code.
using CodeTable = std::array<std::string, kCodeCount>;

}  // namespace glyphwright
