#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/table/TableCode.h"

namespace glyphwright {

// How the game stores a two-byte code's 16-bit value: high byte first (big-endian, 8000, 8001, …)
// or low byte first (little-endian: the value 8000 stored as 00 80, then 01 80, …). Sets laid on
// two-byte codes take consecutive values in this order. What the user types and reads is always
// the bytes as stored, so a line laid from 0080 in little-endian begins at the value 8000.
enum class CodeOrder : std::uint8_t { BigEndian, LittleEndian };

// The two-byte code's 16-bit value in `order`.
[[nodiscard]] constexpr std::uint16_t CodeValue(TableCode code, CodeOrder order) {
    const std::uint16_t stored = code.Stored();
    if (order == CodeOrder::BigEndian) return stored;
    return static_cast<std::uint16_t>((stored >> 8) | ((stored & 0xFF) << 8));
}

// The two-byte code of the 16-bit `value` in `order`.
[[nodiscard]] constexpr TableCode CodeOfValue(std::uint16_t value, CodeOrder order) {
    if (order == CodeOrder::BigEndian) return TableCode::TwoByte(value);
    return TableCode::TwoByte(static_cast<std::uint16_t>((value >> 8) | ((value & 0xFF) << 8)));
}

// The order's name in projects and on the command line: "be", "le".
[[nodiscard]] std::string CodeOrderName(CodeOrder order);
[[nodiscard]] std::optional<CodeOrder> CodeOrderNamed(std::string_view name);

}  // namespace glyphwright
