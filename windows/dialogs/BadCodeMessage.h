#pragma once

#include <string>
#include <string_view>

#include "core/ParseHexByte.h"

namespace glyphwright {

// Says what is wrong with a typed code that ReadHexByte refused, quoting it as typed.
[[nodiscard]] std::string BadCodeMessage(std::string_view typed, HexError error);

}  // namespace glyphwright
