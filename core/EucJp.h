#pragma once

#include <string>
#include <string_view>

#include "Result.h"

namespace glyphwright {

// The first character of a text that EUC-JP has no code for, as its UTF-8 bytes.
struct UnencodableCharacter {
    std::string character;
};

// Turns typed text (UTF-8) into EUC-JP bytes, the encoding the built-in kana are stored in, so
// that one table file holds one encoding. ASCII passes through unchanged.
[[nodiscard]] Result<std::string, UnencodableCharacter> EncodeEucJp(std::string_view utf8);

}  // namespace glyphwright
