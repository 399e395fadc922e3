#pragma once

#include <string_view>

#include "core/table/Result.h"
#include "core/table/ByteCode.h"

namespace glyphwright {

enum class HexError {
    NotANumber,  // empty, a blank before the digits, or anything but hex digits and trailing blanks
    OutOfRange,  // a hex number above FF
};

// Reads typed hexadecimal text as a byte code: one or more digits 0-9 A-F a-f, leading zeros
// allowed, blanks after the last digit ignored, value 00..FF. No prefix, no sign.
[[nodiscard]] Result<ByteCode, HexError> ReadHexByte(std::string_view text);

}  // namespace glyphwright
