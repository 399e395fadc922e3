#pragma once

#include <string>
#include <string_view>

#include "core/table/Result.h"
#include "core/text/TextConverter.h"

namespace glyphwright {

// The first character of a text that EUC-JP has no code for, as its UTF-8 bytes.
struct UnencodableCharacter {
    std::string character;
};

// Turns typed text (UTF-8) into EUC-JP bytes, the encoding the built-in kana are stored in, so
// that one table file holds one encoding. ASCII passes through unchanged.
[[nodiscard]] Result<std::string, UnencodableCharacter> EncodeEucJp(std::string_view utf8);

// The bytes of the first sequence in an entry that is not EUC-JP: a lead byte with the trail
// bytes it claims (as far as they are there and look like trail bytes), e.g. 8F A1 cut short.
struct InvalidEucJp {
    std::string bytes;
};

// EUC-JP bytes back to UTF-8 text for display and for the UTF-8 based table files. Holds one
// converter, so a whole table can be decoded without reopening it per entry.
class EucJpDecoder {
public:
    EucJpDecoder() : converter_("UTF-8", "EUC-JP") {}
    [[nodiscard]] Result<std::string, InvalidEucJp> Decode(std::string_view eucJp);

private:
    TextConverter converter_;
};

[[nodiscard]] Result<std::string, InvalidEucJp> DecodeEucJp(std::string_view eucJp);

// EncodeEucJp holding its converters, so that a whole table is encoded without reopening them
// per entry.
class EucJpEncoder {
public:
    EucJpEncoder() : converter_("EUC-JP", "UTF-8") {}
    [[nodiscard]] Result<std::string, UnencodableCharacter> Encode(std::string_view utf8);

private:
    TextConverter converter_;
    EucJpDecoder decoder_;
};

}  // namespace glyphwright
