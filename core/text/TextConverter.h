#pragma once

#include <iconv.h>

#include <cstddef>
#include <string>
#include <string_view>

#include "core/table/Result.h"

namespace glyphwright {

// Where a conversion stopped: the input byte at which the first character begins that could not
// be converted, or at which the input ends in the middle of a character.
struct ConversionStop {
    std::size_t offset = 0;
};

// One iconv direction, opened once so that many short texts (a table's entries) can go through it
// without reopening. Strict: no transliteration, nothing skipped.
class TextConverter {
public:
    // `to` and `from` are iconv names ("UTF-8", "EUC-JP", "CP932"). Throws std::runtime_error when
    // the system has no such converter: the program cannot work without its encodings.
    TextConverter(const char* to, const char* from);
    ~TextConverter();
    TextConverter(const TextConverter&) = delete;
    TextConverter& operator=(const TextConverter&) = delete;

    [[nodiscard]] Result<std::string, ConversionStop> Convert(std::string_view input);

private:
    iconv_t handle_;
};

// Length of the UTF-8 sequence that starts with `lead`; 1 for a stray byte.
[[nodiscard]] std::size_t Utf8SequenceLength(unsigned char lead);

}  // namespace glyphwright
